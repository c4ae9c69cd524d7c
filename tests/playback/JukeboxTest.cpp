#include "playback/Jukebox.h"

#include "app/AppState.h"
#include "app/MenuModes.h"
#include "app/ResetAllState.h"
#include "input/Dispatch.h"
#include "input/PressedKeyText.h"
#include "library/Mp3TestData.h"
#include "platform/FileSystem.h"
#include "platform/KeyMap.h"
#include "playback/Players.h"
#include "playback/StatusMessage.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

using testsupport::AppDriver;
using Names = std::vector<std::string>;
namespace vk = platform::vk;

constexpr int kTitleSeconds = 10;

// A tagged title of kTitleSeconds ("Band", "Lied <number>", track <number>).
void writeTitle(const std::string& path, int number) {
    mp3test::Tag tag;
    tag.artist = "Band";
    tag.title = "Lied " + std::to_string(number);
    tag.trackMarker = 0;
    tag.trackNo = number;
    const mp3test::Bytes bytes = mp3test::cbrFile(kTitleSeconds * 16000, mp3test::tagBlock(tag));
    testsupport::writeFile(path, std::string(bytes.begin(), bytes.end()));
}

Names queueNames() {
    Names names;
    for (const auto& row : gActualTitleList)
        names.push_back(row.element->FileName());
    return names;
}

Names sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

// The program on the standard library plus the album "0 Jukebox" (listed first) of tagged titles
// "01.mp3", "02.mp3", ... and its subfolder "Mehr" of titles "m01.mp3", ...; fake players. The
// test calls the jukebox routines with elements of its own, as the dispatcher would pass them.
class JukeboxTest : public ::testing::Test {
protected:
    void start(int titles, int more = 0) {
        driver.createLibrary();
        for (int i = 1; i <= titles; ++i)
            writeTitle(album() + titleName(i), i);
        for (int i = 1; i <= more; ++i)
            writeTitle(album() + "Mehr/m" + twoDigits(i) + ".mp3", 100 + i);
        ASSERT_TRUE(driver.start());
        driver.pressKey(vk::Return); // the music folders
    }
    static std::string twoDigits(int number) {
        return (number < 10 ? "0" : "") + std::to_string(number);
    }
    static std::string titleName(int number) { return twoDigits(number) + ".mp3"; }
    std::string album() const { return driver.musicRoot() + "0 Jukebox/"; }
    ListElementPtr title(int number) const {
        return std::make_shared<TListElement>(ListElementType::MP3, album(), titleName(number), 0.0,
                                              0);
    }
    ListElementPtr moreFolder() const {
        return std::make_shared<TListElement>(ListElementType::MP3Dir, album(), "Mehr", 0.0, 0);
    }
    static std::string playing() { return gPlayingTitle ? gPlayingTitle->FileName() : ""; }
    // Moves time on until `name` plays; false when it did not within two title lengths.
    bool advanceUntilPlaying(const std::string& name) {
        for (int waited = 0; playing() != name && waited < 2 * kTitleSeconds * 1000; waited += 100)
            driver.advance(100);
        return playing() == name;
    }
    int opens() {
        return static_cast<int>(
            std::count_if(driver.musicPlayer().calls().begin(), driver.musicPlayer().calls().end(),
                          [](const auto& call) { return call.what.rfind("open ", 0) == 0; }));
    }

    AppDriver driver;
};

TEST_F(JukeboxTest, FirstQueuedTitleStartsAtOnceTheNextWaitsAndEachLeavesTheQueueAtItsEnd) {
    start(3);
    const ListElementPtr first = title(1);
    callFunction_Jukebox(first);
    EXPECT_EQ(gPressedKeyText, "Titel in Jukebox...");
    EXPECT_EQ(gPlayMode, kPlayModeJukebox);
    EXPECT_EQ(gPlayingTitle, first);
    EXPECT_EQ(gStatusMessage, "[JUKEBOX] 1. Band - Lied 1");

    callFunction_Jukebox(title(2));
    EXPECT_EQ(gPlayingTitle, first) << "a second title waits";
    EXPECT_EQ(opens(), 1);
    EXPECT_EQ(queueNames(), (Names{"01.mp3", "02.mp3"}));

    ASSERT_TRUE(advanceUntilPlaying("02.mp3"));
    EXPECT_EQ(queueNames(), Names{"02.mp3"});

    // The last title ends: the queue runs empty and the jukebox stays on, so the next title
    // queued starts at once.
    driver.advance((kTitleSeconds + 2) * 1000);
    EXPECT_EQ(playing(), "");
    EXPECT_TRUE(gActualTitleList.empty());
    callFunction_Jukebox(title(3));
    EXPECT_EQ(playing(), "03.mp3");
    EXPECT_EQ(gStatusMessage, "[JUKEBOX] 3. Band - Lied 3");
}

// A normal queue plays its third title when the jukebox starts: that title plays on as the
// head, the rest of the old queue is gone, and the queued title or folder follows it.
TEST_F(JukeboxTest, JukeboxStartedWhileANormalQueuePlaysKeepsThePlayingTitleAsItsHead) {
    start(4, 1);
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Return); // the album: "..", "Mehr", "01", ...
    for (const bool addFolder : {false, true}) {
        SCOPED_TRACE(addFolder ? "folder" : "title");
        driver.pressKey(vk::Home);
        driver.pressKey(vk::Down);
        driver.pressKey(vk::Down);
        driver.pressKey(vk::Return);
        driver.pressKey('N');
        driver.pressKey('N');
        ASSERT_EQ(gPlayMode, kPlayModeNormal);
        ASSERT_EQ(playing(), "03.mp3");
        ASSERT_EQ(gActualTitleIndex, 2);
        const int opened = opens();

        if (addFolder)
            callFunction_JukeboxDir(moreFolder());
        else
            callFunction_Jukebox(title(1));
        const std::string next = addFolder ? "m01.mp3" : "01.mp3";
        EXPECT_EQ(queueNames(), (Names{"03.mp3", next}));
        EXPECT_EQ(opens(), opened) << "the head plays on";
        ASSERT_TRUE(advanceUntilPlaying(next));
        EXPECT_EQ(queueNames(), Names{next});
    }
}

TEST_F(JukeboxTest, AFolderIsShuffledTogetherWithTheWaitingTitlesBehindThePlayingHead) {
    start(4, 10);
    callFunction_Jukebox(title(1));
    for (int i = 2; i <= 4; ++i)
        callFunction_Jukebox(title(i));
    const int opened = opens();
    SeedRandom(7);
    callFunction_JukeboxDir(moreFolder());
    EXPECT_EQ(gPressedKeyText, "Jukebox enthält nun 14 Titel (+10)");
    EXPECT_EQ(playing(), "01.mp3");
    EXPECT_EQ(opens(), opened);
    const Names queue = queueNames();
    ASSERT_EQ(queue.size(), 14u);
    EXPECT_EQ(queue[0], "01.mp3");
    Names expected = {"02.mp3", "03.mp3", "04.mp3"};
    for (int i = 1; i <= 10; ++i)
        expected.push_back("m" + twoDigits(i) + ".mp3");
    EXPECT_EQ(sorted(Names(queue.begin() + 1, queue.end())), expected);
    EXPECT_NE(Names(queue.begin() + 1, queue.begin() + 4), (Names{"02.mp3", "03.mp3", "04.mp3"}))
        << "the waiting titles are mixed in";

    // The same title queued twice takes part twice, and a folder without titles adds nothing.
    callFunction_Jukebox(gActualTitleList.element(5));
    callFunction_JukeboxDir(std::make_shared<TListElement>(
        ListElementType::MP3Dir, driver.programFolder(), "Musik", 0.0, 0)); // the whole library
    EXPECT_GT(gActualTitleList.count(), 15);
    callFunction_JukeboxDir(std::make_shared<TListElement>(ListElementType::MP3Dir,
                                                           driver.photoRoot(), "Urlaub", 0.0, 0));
    EXPECT_EQ(gActualTitleList.element(0)->FileName(), "01.mp3");
    EXPECT_EQ(gPressedKeyText,
              "Jukebox enthält nun " + std::to_string(gActualTitleList.count()) + " Titel (+0)");
}

TEST(CollectMP3FilesTest, CollectsEveryTitleOfTheTreeDepthFirstInNameOrderOnce) {
    ResetAllState();
    testsupport::TempDir dir;
    const std::string root = dir.path() + "/";
    for (const char* name : {"b.mp3", "A/z.mp3", "A/B/song.mp3.bak", "A/.hidden/h.Mp3", "C/x.MP3",
                             "C/cover.jpg", "notes.txt", "a.mp3"})
        testsupport::writeFile(root + name, "");
    std::filesystem::create_directory_symlink(root + "A", root + "C/loop");
    gActualTitleList.add("", std::make_shared<TListElement>(ListElementType::MP3, "/", "q.mp3", 0.0,
                                                            3)); // stays in front

    CollectMP3Files(dir.path());

    const struct {
        std::string dir;
        const char* fileName;
    } expected[] = {{"/", "q.mp3"},
                    {root + "A/.hidden/", "h.Mp3"},
                    {root + "A/B/", "song.mp3.bak"},
                    {root + "A/", "z.mp3"},
                    {root, "a.mp3"},
                    {root, "b.mp3"},
                    {root + "C/", "x.MP3"}};
    ASSERT_EQ(gActualTitleList.count(), static_cast<int>(std::size(expected)));
    for (int i = 1; i < gActualTitleList.count(); ++i) {
        const ListElementPtr element = gActualTitleList.element(i);
        EXPECT_EQ(element->Dir(), expected[i].dir) << i;
        EXPECT_EQ(element->FileName(), expected[i].fileName) << i;
        EXPECT_EQ(element->ElementType(), ListElementType::MP3) << i;
        EXPECT_EQ(element->Index(), 0) << i;
        EXPECT_GT(element->FileDate(), 40000.0) << i; // the file's own date, after 2009
    }
    ResetAllState();
}

// The shuffle plays every title of its source once, in an order that differs with the seed.
TEST_F(JukeboxTest, ShuffleIsAPermutationOfTheFolderTreeOrOfTheOpenPlaylist) {
    start(3, 2);
    callFunction_MusicFolder(album());
    const Names tree = {"01.mp3", "02.mp3", "03.mp3", "m01.mp3", "m02.mp3"};
    std::set<std::string> firsts;
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        SeedRandom(seed);
        callFunction_Select_Shuffle();
        ASSERT_EQ(sorted(queueNames()), tree) << seed;
        EXPECT_EQ(playing(), queueNames()[0]);
        firsts.insert(queueNames()[0]);
    }
    EXPECT_EQ(firsts.size(), tree.size()) << "every title comes first for some seed";
    EXPECT_EQ(gPlayMode, kPlayModeShuffle);
    EXPECT_EQ(gPressedKeyText, "Shuffle");
    EXPECT_EQ(gStatusMessage.rfind("[SHUFFLE] ", 0), 0u) << gStatusMessage;

    // An open playlist of one title: that title plays; a folder row is not a title.
    SetMenuMode(mmPlaylist);
    TElementList& list = ReplaceListElements();
    list.add("0", std::make_shared<TListElement>(ListElementType::Back, "", "..", 0.0, 0));
    list.add("1", std::make_shared<TListElement>(ListElementType::MP3Dir, album(), "Mehr", 0.0, 1));
    list.add("2", title(2));
    callFunction_Select_Shuffle();
    EXPECT_EQ(queueNames(), Names{"02.mp3"});
    EXPECT_EQ(gPlayingTitle, list.element(2));

    // The main menu has no current folder: nothing is collected and the title plays on.
    callFunction_MainMenu();
    callFunction_Select_Shuffle();
    EXPECT_TRUE(gActualTitleList.empty());
    EXPECT_EQ(playing(), "02.mp3");
}

// The jukebox view's operations on a queue "01" (the head), "02", "03", "04": which row is
// highlighted, the header text, and the queue and cursor row afterwards. View and queue stay
// in step.
TEST_F(JukeboxTest, ViewOperationsMoveAndDeleteWaitingTitlesAndRefuseTheHead) {
    start(4);
    const struct {
        const char* command;
        int row;
        const char* text;
        Names queue;
        int rowAfter;
    } rows[] = {
        {"DELETEFROMJUKEBOX", 1, "Fehler!", {"01", "02", "03", "04"}, 1},
        {"JUKEBOX_UP", 2, "Fehler!", {"01", "02", "03", "04"}, 2},
        {"JUKEBOX_UP", 0, "Fehler!", {"01", "02", "03", "04"}, 0},
        {"JUKEBOX_DOWN", 1, "Fehler!", {"01", "02", "03", "04"}, 1},
        {"JUKEBOX_DOWN", 4, "", {"01", "02", "03", "04"}, 4},
        {"JUKEBOX_DOWN", 2, "", {"01", "03", "02", "04"}, 3},
        {"JUKEBOX_UP", 4, "", {"01", "02", "04", "03"}, 3},
        {"DELETEFROMJUKEBOX", 3, "Lösche aus Jukebox", {"01", "02", "04"}, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.command) + " on row " + std::to_string(row.row));
        gActualTitleList = TElementList();
        for (int i = 1; i <= 4; ++i)
            gActualTitleList.add("", title(i));
        gPlayMode = kPlayModeJukebox;
        callFunction_JukeboxMenu();
        HightlightTitlebarIndex = row.row;
        gPressedKeyText.clear();
        DispatchCommand(row.command);
        EXPECT_EQ(gPressedKeyText, row.text);
        Names queue;
        for (const std::string& name : queueNames())
            queue.push_back(name.substr(0, 2));
        EXPECT_EQ(queue, row.queue);
        Names shown = {".."};
        shown.insert(shown.end(), row.queue.begin(), row.queue.end());
        EXPECT_EQ(AppDriver::listNames(), shown);
        EXPECT_EQ(HightlightTitlebarIndex, row.rowAfter);
    }

    // Two queued files of one name from different folders: the highlighted one is meant.
    const ListElementPtr other =
        std::make_shared<TListElement>(ListElementType::MP3, driver.musicRoot(), "02.mp3", 0.0, 0);
    gActualTitleList.add("", other);
    callFunction_JukeboxMenu();
    HightlightTitlebarIndex = 4;
    DispatchCommand("DELETEFROMJUKEBOX");
    Names paths;
    for (const auto& queued : gActualTitleList)
        paths.push_back(queued.element->FullPath());
    EXPECT_EQ(paths, (Names{album() + "01.mp3", album() + "02.mp3", album() + "04.mp3"}));
    EXPECT_EQ(gListElements->element(2), gActualTitleList.element(1));
}

} // namespace
