// "config.exe": its options written into Config.ini, and the set-up screen driven headless by
// keys and the mouse on a manual clock.

#include "app/Program.h"
#include "app/ResetAllState.h"
#include "config/Skin.h"
#include "platform/Clock.h"
#include "platform/KeyMap.h"
#include "platform/UserDirs.h"
#include "support/Pixels.h"
#include "support/TempDir.h"
#include "ui/SetupScreen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace vk = platform::vk;
using testsupport::readFile;
using testsupport::writeFile;

platform::Event key(int code) {
    platform::Event event;
    event.type = platform::Event::Type::KeyDown;
    event.key = code;
    return event;
}

platform::Event click(const platform::Rect& area) {
    platform::Event event;
    event.type = platform::Event::Type::MouseButtonDown;
    event.button = 1;
    event.x = area.left + area.width() / 2;
    event.y = area.top + area.height() / 2;
    return event;
}

class FirstRunSetupTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }
    void TearDown() override { ResetAllState(); }

    testsupport::TempDir dir;
    platform::ManualClock clock;
};

TEST_F(FirstRunSetupTest, OptionsWriteExactlyTheGivenValuesAndKeepEverythingElse) {
    const std::string ini = dir.file("Config.ini");
    const std::string music = dir.path() + "/Musik";
    std::filesystem::create_directories(music);
    const std::string before = "; my own settings\r\n"
                               "[Options]\r\n"
                               "Language=0\r\n"
                               "ShowDebugWindow=1\r\n"
                               "[Paths]\r\n"
                               "MP3Path=/old/music/\r\n"
                               "FotosPath=/old/photos/\r\n"
                               "VideoPath=/old/videos/\r\n"
                               "ProgramLinksPath=/old/links/\r\n"
                               "[Display]\r\n"
                               "ScreenWidth=1024\r\n";
    const auto replaced = [&](std::string text, const std::string& from, const std::string& to) {
        return text.replace(text.find(from), from.size(), to);
    };
    struct Row {
        std::vector<std::string> args;
        int code;
        std::string after; // the whole file afterwards
        std::string out, err;
    };
    const std::vector<Row> rows = {
        {{"--music", music, "--language", "1"},
         0,
         replaced(replaced(before, "MP3Path=/old/music/", "MP3Path=" + music), "Language=0",
                  "Language=1"),
         "",
         ""},
        {{"--pictures", "/p/", "--videos", "/v", "--links", "/l/"},
         0,
         replaced(replaced(replaced(before, "/old/photos/", "/p/"), "/old/videos/", "/v"),
                  "/old/links/", "/l/"),
         "",
         ""},
        {{"--music", dir.path() + "/fehlt", "--language", "1"},
         1,
         before,
         "",
         "music folder does not exist: " + dir.path() + "/fehlt"},
        {{"--music"}, 2, before, "", "usage: config.exe"},
        {{"--language", "2"}, 2, before, "", "usage: config.exe"},
        {{"--music", music, "--fast"}, 2, before, "", "unknown option --fast"},
        {{"--videos", "/a", "--videos", "/b"}, 2, before, "", "twice"},
        {{"--help"}, 0, before, "usage: config.exe", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.args));
        writeFile(ini, before);
        std::string out, err;
        EXPECT_EQ(RunConfigProgram(row.args, dir.path(), clock, out, err), row.code);
        EXPECT_EQ(readFile(ini), row.after);
        EXPECT_NE(out.find(row.out), std::string::npos) << out;
        EXPECT_NE(err.find(row.err), std::string::npos) << err;
        EXPECT_EQ(out.empty(), row.out.empty());
        EXPECT_EQ(err.empty(), row.err.empty());
    }

    // Paths neither given nor set get the detected folders; an unreadable file stays as it is.
    std::filesystem::remove(ini);
    std::string out, err;
    ASSERT_EQ(RunConfigProgram({"--language", "1"}, dir.path(), clock, out, err), 0);
    EXPECT_EQ(readFile(ini), "[Paths]\r\nMP3Path=" + platform::userMusicDirectory() +
                                 "\r\nFotosPath=" + platform::userPicturesDirectory() +
                                 "\r\nVideoPath=" + platform::userVideosDirectory() +
                                 "\r\nProgramLinksPath=" + platform::userDesktopDirectory() +
                                 "\r\n[Options]\r\nLanguage=1\r\n");
    std::filesystem::remove(ini);
    std::filesystem::create_symlink(ini, ini);
    EXPECT_EQ(RunConfigProgram({"--music", music}, dir.path(), clock, out, err), 1);
    EXPECT_NE(err.find("cannot be read"), std::string::npos) << err;
    EXPECT_EQ(RunConfigProgram({}, dir.path(), clock, out, err), 1) << "no set-up is shown";
    EXPECT_TRUE(std::filesystem::is_symlink(ini));
}

TEST_F(FirstRunSetupTest, KeysBrowseToAnotherMusicFolderAndSaveWritesIt) {
    testsupport::linkRepositorySkins(dir.path());
    gProgramDirectory = dir.path();
    const std::string music = dir.path() + "/Musik/";
    for (const char* folder : {"Alben", "b", ".versteckt", "Alben/Rock"})
        std::filesystem::create_directories(music + folder);
    writeFile(music + "title.mp3", "not a folder");
    const std::string ini = dir.file("Config.ini");
    writeFile(ini, "; keep me\r\n[Paths]\r\nMP3Path=" + music +
                       "\r\nFotosPath=/photos/\r\nVideoPath=/videos\r\n"
                       "[Display]\r\nScreenWidth=800\r\nScreenHeight=600\r\n[Mine]\r\nX=1\r\n");

    FirstRunSetup setup(ini);
    SetupScreen screen(setup, clock);
    const auto press = [&](std::initializer_list<int> keys) {
        for (int code : keys)
            screen.handleEvent(key(code));
    };
    using Kind = FirstRunSetup::BrowserEntry::Kind;
    press({vk::Return});
    ASSERT_TRUE(setup.browsing());
    EXPECT_EQ(setup.browserFolder(), music);
    std::vector<std::string> names;
    for (const auto& entry : setup.browserEntries())
        names.push_back(entry.kind == Kind::Folder   ? entry.name
                        : entry.kind == Kind::Parent ? ".."
                                                     : "*");
    EXPECT_EQ(names, (std::vector<std::string>{"..", "*", "Alben", "b"}));
    EXPECT_EQ(setup.browserIndex(), 1) << "starts on the entry that chooses the folder shown";

    // Into Alben/Rock and back up twice: the folder left stays highlighted.
    press({vk::Down, vk::Right, vk::Down, vk::Return});
    EXPECT_EQ(setup.browserFolder(), music + "Alben/Rock/");
    press({vk::Left, vk::Back});
    EXPECT_EQ(setup.browserFolder(), music);
    EXPECT_EQ(setup.browserEntries()[setup.browserIndex()].name, "Alben");
    // Escape goes back to the rows and changes nothing.
    press({vk::Escape});
    EXPECT_FALSE(setup.browsing());
    EXPECT_EQ(setup.folder(SetupRow::Music), music);

    // The mouse: a click on the highlighted row opens the browser, a second click on an entry
    // highlights it, a third acts on it.
    screen.handleEvent(click(screen.lineRect(0)));
    ASSERT_TRUE(setup.browsing());
    screen.handleEvent(click(screen.lineRect(2)));
    screen.handleEvent(click(screen.lineRect(2)));
    EXPECT_EQ(setup.browserFolder(), music + "Alben/");
    press({vk::Return});
    EXPECT_FALSE(setup.browsing());
    EXPECT_EQ(setup.folder(SetupRow::Music), music + "Alben/");

    // The language and the resolution step with Right; digit 7 goes to "save and start".
    press({'5', vk::Right, vk::Down, vk::Right});
    EXPECT_EQ(setup.language(), 1);
    EXPECT_EQ(setup.valueText(SetupRow::Resolution), "1024x768");
    EXPECT_FALSE(screen.ended());
    press({'7', vk::Return});
    EXPECT_TRUE(setup.saved());
    EXPECT_TRUE(screen.ended());
    EXPECT_EQ(readFile(ini), "; keep me\r\n[Paths]\r\nMP3Path=" + music +
                                 "Alben/\r\nFotosPath=/photos/\r\nVideoPath=/videos"
                                 "\r\nProgramLinksPath=" +
                                 platform::userDesktopDirectory() +
                                 "\r\n[Display]\r\nScreenWidth=1024\r\nScreenHeight=768\r\n"
                                 "[Mine]\r\nX=1\r\n[Options]\r\nLanguage=1\r\n");
}

TEST_F(FirstRunSetupTest, AMissingMusicFolderIsRefusedOnTheScreenAndNothingIsWritten) {
    testsupport::linkRepositorySkins(dir.path());
    gProgramDirectory = dir.path();
    const std::string ini = dir.file("Config.ini");
    const std::string before = "[Paths]\r\nMP3Path=" + dir.path() + "/fehlt/\r\n";
    writeFile(ini, before);
    FirstRunSetup setup(ini);
    SetupScreen screen(setup, clock);
    screen.loop().processPending();
    const platform::Canvas& canvas = screen.window().canvas();
    const platform::Rect first = screen.lineRect(0);
    const platform::Rect save = screen.lineRect(static_cast<int>(SetupRow::Save));
    EXPECT_EQ(canvas.pixel(first.right - 3, first.top + 2), gColorTitlebarHighlight);
    EXPECT_EQ(canvas.pixel(save.right - 3, save.top + 2), gColorTitlebar);
    EXPECT_NE(gColorTitlebar, gColorTitlebarHighlight);

    // The browser of a missing folder opens on its nearest existing parent.
    screen.handleEvent(key(vk::Return));
    EXPECT_EQ(setup.browserFolder(), dir.path() + "/");
    screen.handleEvent(key(vk::Escape));

    screen.handleEvent(key('7'));
    screen.handleEvent(key(vk::Return));
    screen.loop().processPending();
    EXPECT_FALSE(setup.saved());
    EXPECT_FALSE(screen.ended());
    EXPECT_EQ(readFile(ini), before);
    EXPECT_EQ(setup.message(), "Der Musikordner existiert nicht: " + dir.path() + "/fehlt/");
    EXPECT_EQ(canvas.pixel(save.right - 3, save.top + 2), gColorTitlebarHighlight);
    const platform::Rect messageArea{save.left, screen.lineRect(8).bottom, save.right,
                                     screen.lineRect(8).bottom + 40};
    const platform::Picture refused = canvas.snapshot();
    EXPECT_TRUE(canvas.savePng(std::string(ZVN_BUILD_DIR) + "/setup-refused.png"));

    // The screen's texts follow the language at once.
    screen.handleEvent(key('5'));
    screen.handleEvent(key(vk::Right));
    screen.loop().processPending();
    EXPECT_EQ(setup.message(), "The music folder does not exist: " + dir.path() + "/fehlt/");
    EXPECT_GT(testsupport::differingPixels(refused, canvas, first), 0) << "caption";
    EXPECT_GT(testsupport::differingPixels(refused, canvas, messageArea), 0) << "message";
    screen.handleEvent(key(vk::Escape));
    EXPECT_TRUE(screen.ended());
    EXPECT_EQ(readFile(ini), before);
}

} // namespace
