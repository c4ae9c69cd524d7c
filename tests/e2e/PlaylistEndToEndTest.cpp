// Playlists through the whole program: one made, filled, reordered, renamed and deleted by
// keys and typed names, and playlists written by other players on other systems.

#include "app/AppState.h"
#include "config/Skin.h"
#include "library/LibraryScan.h"
#include "platform/KeyMap.h"
#include "platform/TextFile.h"
#include "playback/Playlists.h"
#include "playback/StatusMessage.h"
#include "support/AppDriver.h"
#include "ui/EnterTextForm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using testsupport::AppDriver;
using testsupport::readFile;
namespace vk = platform::vk;
using Lines = std::vector<std::string>;

// Keys of the menubars that the steps below press.
constexpr int kCreateKey = 'E';
constexpr int kEndEditingKey = 'P';
constexpr int kRenameKey = 'U';
constexpr int kDeleteKey = 'L';
constexpr int kIntoPlaylistKey = 187;   // "+"
constexpr int kDownInPlaylistKey = 189; // "-"

class PlaylistEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override { driver.createLibrary(); }

    void start() {
        ASSERT_TRUE(driver.start());
        ASSERT_TRUE(driver.waitUntil([] { return gLibraryScanFinished; }));
    }
    // Moves the highlight with the cursor keys onto the row of that name.
    void highlight(const std::string& name) {
        driver.pressKey(vk::Home);
        for (int row = 0; AppDriver::currentName() != name && row < 30; ++row)
            driver.pressKey(vk::Down);
        ASSERT_EQ(AppDriver::currentName(), name);
    }
    void openFromMainMenu(const std::string& entry) {
        while (gMenuMode != mmMain)
            driver.pressKey(vk::Digit0);
        highlight(entry);
        driver.pressKey(vk::Return);
    }
    std::string music() const { return driver.musicRoot(); }

    AppDriver driver;
};

TEST_F(PlaylistEndToEndTest, APlaylistIsMadeFilledReorderedRenamedAndDeleted) {
    start();
    openFromMainMenu("Musik-Playlists");
    ASSERT_EQ(gMenuMode, mmPlaylists);
    platform::Color field = 0, client = 0;
    driver.answerDialogs({[&] {
        const platform::Canvas& frame = driver.frame();
        field = frame.pixel(EnterTextForm.Edit().bounds().left + 1,
                            EnterTextForm.Edit().bounds().top + 1);
        client =
            frame.pixel(EnterTextForm.clientArea().left + 2, EnterTextForm.clientArea().bottom - 2);
        driver.typeText("Party");
        driver.pressKey(vk::Return);
    }});
    driver.pressKey(kCreateKey);
    EXPECT_EQ(field, gColorTitlebarHighlight);
    EXPECT_EQ(client, gColorMenubar);
    const std::string party = music() + "Party.m3u";
    EXPECT_EQ(readFile(party), "#EXTM3U\r\n");
    EXPECT_EQ(AppDriver::currentName(), "Party");
    ASSERT_TRUE(gPlaylistEditing);

    // Two titles of the music root and a whole folder, browsed in the music folders.
    openFromMainMenu("Musik");
    for (const char* name : {"Einzeltitel - Sommerhit", "Zugabe - Finale", "ABBA"}) {
        highlight(name);
        driver.pressKey(kIntoPlaylistKey);
    }
    EXPECT_EQ(gPressedKeyText, "3 Titel zu Playlist hinzugefügt.");
    const Lines abba = {"#EXTINF:0,ABBA - Dancing Queen", "ABBA/ABBA - Dancing Queen.mp3",
                        "#EXTINF:0,ABBA - Mamma Mia",     "ABBA/ABBA - Mamma Mia.mp3",
                        "#EXTINF:0,ABBA - Waterloo",      "ABBA/ABBA - Waterloo.mp3"};
    Lines expected = {"#EXTM3U", "Einzeltitel - Sommerhit.mp3", "Zugabe - Finale.mp3"};
    expected.insert(expected.end(), abba.begin(), abba.end());
    const auto join = [](const Lines& lines) { return platform::joinTextLines({lines, false}); };
    EXPECT_EQ(readFile(party), join(expected));

    // Reopened: the first title moves down, then a title of the folder is deleted.
    openFromMainMenu("Musik-Playlists");
    highlight("Party");
    driver.pressKey(vk::Return);
    ASSERT_EQ(gMenuMode, mmPlaylist);
    EXPECT_EQ(gOpenPlaylistCount, 5);
    highlight("Einzeltitel - Sommerhit");
    driver.pressKey(kDownInPlaylistKey);
    std::swap(expected[1], expected[2]);
    EXPECT_EQ(readFile(party), join(expected));
    highlight("ABBA/ABBA - Mamma Mia");
    driver.pressKey(kDeleteKey);
    expected.erase(expected.begin() + 5, expected.begin() + 7);
    EXPECT_EQ(readFile(party), join(expected));
    EXPECT_EQ(AppDriver::currentName(), "ABBA/ABBA - Dancing Queen");

    // Renamed once Esc has cancelled a first try; the content goes with it byte for byte.
    driver.pressKey(vk::Digit0);
    ASSERT_EQ(gMenuMode, mmPlaylists);
    driver.pressKey(kEndEditingKey);
    ASSERT_FALSE(gPlaylistEditing);
    const std::string content = readFile(party);
    driver.answerDialogs({[&] { driver.pressKey(vk::Escape); },
                          [&] {
                              driver.typeText("Fête");
                              driver.pressKey(vk::Return);
                          }});
    driver.pressKey(kRenameKey);
    EXPECT_EQ(gPressedKeyText, "Umbenennung abgebrochen");
    driver.pressKey(kRenameKey);
    EXPECT_FALSE(std::filesystem::exists(party));
    EXPECT_EQ(readFile(music() + "Fête.m3u"), content);
    EXPECT_EQ(AppDriver::currentName(), "Fête");

    driver.pressKey(kDeleteKey);
    EXPECT_FALSE(std::filesystem::exists(music() + "Fête.m3u"));
    EXPECT_EQ(AppDriver::listNames(), Lines{".."});
}

TEST_F(PlaylistEndToEndTest, PlaylistsOfOtherPlayersOpenPlayAndSurviveAReorder) {
    // Windows: Windows-1252 bytes, "\" separators, CR LF; the title's name on disk is UTF-8.
    const std::string waterloo = readFile(music() + "ABBA/ABBA - Waterloo.mp3");
    testsupport::writeFile(music() + "Mädchen.mp3", waterloo);
    const std::string windows = music() + "Windows.m3u";
    testsupport::writeFile(windows, "#EXTM3U\r\n#EXTINF:215,Gr\xFC\xDF"
                                    "e - Lied\r\nM\xE4"
                                    "dchen.mp3\r\nABBA\\ABBA - Waterloo.mp3\r\n"
                                    "#EXTINF:100,Sch\xF6n\r\nfehlt.mp3\r\n");
    // Linux: UTF-8, absolute paths, LF, a comment of another player.
    const std::string queen = music() + "Queen/Queen - Hit.mp3";
    const std::string toto = music() + "Toto/Toto - Hit.mp3";
    const std::string linux = music() + "Linux.m3u8";
    testsupport::writeFile(linux, "#EXTM3U\n#EXTINF:-1,Queen - Hit\n" + queen +
                                      "\n#EXTALB:Best of\n" + toto + "\n");
    start();
    openFromMainMenu("Musik-Playlists");
    EXPECT_EQ(AppDriver::listNames(), (Lines{"..", "Linux", "Windows"}));

    highlight("Windows");
    driver.pressKey(vk::Return);
    EXPECT_EQ(gListElements->element(1)->Title(), "Grüße - Lied");
    EXPECT_EQ(gListElements->element(1)->Length(), "3:35");
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Return);
    EXPECT_EQ(driver.musicPlayer().openedPath(), music() + "Mädchen.mp3");
    highlight("fehlt");
    driver.pressKey(vk::Return);
    EXPECT_EQ(gStatusMessage, "File not found: \"fehlt.mp3");
    driver.pressKey(vk::Up);
    ASSERT_EQ(AppDriver::currentName(), "ABBA/ABBA - Waterloo");
    driver.pressKey(kDownInPlaylistKey);
    // The played title's path line keeps its bytes; the other titles keep all their lines.
    const Lines windowsLines = platform::splitLines(readFile(windows));
    ASSERT_EQ(windowsLines.size(), 5u);
    EXPECT_EQ(windowsLines[1], "M\xE4"
                               "dchen.mp3");
    EXPECT_EQ(Lines(windowsLines.begin() + 2, windowsLines.end()),
              (Lines{"#EXTINF:100,Sch\xF6n", "fehlt.mp3", "ABBA\\ABBA - Waterloo.mp3"}));

    driver.pressKey(vk::Digit0);
    highlight("Linux");
    driver.pressKey(vk::Return);
    highlight("Toto - Hit");
    driver.pressKey(vk::Return);
    EXPECT_EQ(driver.musicPlayer().openedPath(), toto);
    driver.pressKey(vk::Up);
    driver.pressKey(kDownInPlaylistKey);
    EXPECT_EQ(platform::splitLines(readFile(linux)),
              (Lines{"#EXTM3U", "#EXTALB:Best of", toto, "#EXTINF:-1,Queen - Hit", queen}));
}

} // namespace
