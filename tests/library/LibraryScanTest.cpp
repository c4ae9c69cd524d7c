#include "library/LibraryScan.h"
#include "app/ResetAllState.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/Mainform.h"
#include "config/Config.h"
#include "platform/Encoding.h"
#include "playback/StatusMessage.h"
#include "support/FakePlayer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testsupport::TempDir;
using testsupport::writeFile;

std::vector<std::string> keysOf(const TFoundList& list) {
    std::vector<std::string> keys;
    for (const TFoundEntry& entry : list)
        keys.push_back(entry.Key);
    return keys;
}

std::vector<std::string> pathsOf(const TFoundList& list) {
    std::vector<std::string> paths;
    for (const TFoundEntry& entry : list)
        paths.push_back(entry.Object.Text);
    return paths;
}

std::vector<std::string> sorted(std::vector<std::string> items) {
    std::sort(items.begin(), items.end());
    return items;
}

class ScanFolderTreeTest : public ::testing::Test {
protected:
    std::string root() const { return folder.path() + "/"; }
    std::string album() const { return root() + "Artist/Album/"; }
    void file(const std::string& relative) { writeFile(folder.file(relative), "x"); }

    TempDir folder;
};

TEST_F(ScanFolderTreeTest, NamesAreMatchedBySubstringOnUpperCasedNames) {
    for (const char* name :
         {"Song.mp3", "lower.Mp3", "a.mp3.bak", ".hidden.mp3", "Best.m3u", "old.M3U8", "FRONT.jpg",
          "cd_vorn.JPG", "Frontier.jpg.txt", "back.jpg", "front.png", "notes.txt", "vorn.m3u"})
        file(std::string("Artist/Album/") + name);
    // Folders named like titles are only folders.
    file("x.mp3/inner.mp3");
    fs::create_directories(folder.file("list.m3u"));

    const LibraryScanResult found = ScanLibrary(root());

    EXPECT_EQ(sorted(keysOf(found.MP3Titles)),
              sorted({"SONG.MP3", "LOWER.MP3", "A.MP3.BAK", ".HIDDEN.MP3", "INNER.MP3"}));
    EXPECT_EQ(sorted(pathsOf(found.MP3Titles)),
              sorted({album() + "Song.mp3", album() + "lower.Mp3", album() + "a.mp3.bak",
                      album() + ".hidden.mp3", root() + "x.mp3/inner.mp3"}));
    // Playlists keep the name as found.
    EXPECT_EQ(sorted(keysOf(found.Playlists)), sorted({"Best.m3u", "old.M3U8", "vorn.m3u"}));
    EXPECT_EQ(
        sorted(pathsOf(found.FrontCovers)),
        sorted({album() + "FRONT.jpg", album() + "cd_vorn.JPG", album() + "Frontier.jpg.txt"}));
    for (const TFoundEntry& cover : found.FrontCovers)
        EXPECT_EQ(cover.Key, "Artist/Album");
}

TEST(LibraryScanSearchKey, IsTheNameAsTextUpperCased) {
    LibraryScanResult found;
    ClassifyFoundFile("/m/",
                      "M\xE4"
                      "dchen.mp3",
                      found);
    ClassifyFoundFile("/m/",
                      "\xC3\x9C"
                      "ber.mp3",
                      found);
    EXPECT_EQ(keysOf(found.MP3Titles), (std::vector<std::string>{"M\u00E4"
                                                                 "DCHEN.MP3",
                                                                 "\u00DC"
                                                                 "BER.MP3"}));
    EXPECT_EQ(pathsOf(found.MP3Titles), (std::vector<std::string>{"/m/M\xE4"
                                                                  "dchen.mp3",
                                                                  "/m/\xC3\x9C"
                                                                  "ber.mp3"}));
}

TEST_F(ScanFolderTreeTest, OrderIsDepthFirstInTheListingsNameOrder) {
    // Created in reverse, so that neither creation order nor raw directory order passes;
    // files and folders of one folder interleave by name, letter case aside.
    const std::vector<std::string> expected = {
        "a.mp3",   "B/a.mp3", "B/Z.mp3", "B/z.mp3", "c.mp3", "D/E/f.mp3",     "D/E/G.mp3",
        "D/h.mp3", "i.mp3",   "J/k.mp3", "L.mp3",   "m.mp3", "n\xc3\xa4.mp3", "\xc3\x84.mp3"};
    for (auto name = expected.rbegin(); name != expected.rend(); ++name)
        file(*name);

    std::vector<std::string> expectedPaths;
    for (const std::string& name : expected)
        expectedPaths.push_back(root() + name);
    EXPECT_EQ(pathsOf(ScanLibrary(root()).MP3Titles), expectedPaths);
}

TEST_F(ScanFolderTreeTest, LinksAreFollowedButEveryFolderIsScannedOnce) {
    file("Music/a.mp3");
    file("Music/Sub/b.mp3");
    file("Elsewhere/c.mp3");
    file("target.mp3");
    // A link back to the parent, one to the folder itself, two to the same outside folder,
    // a link to a file and one whose target is missing.
    fs::create_directory_symlink("..", folder.file("Music/Sub/up"));
    fs::create_directory_symlink(".", folder.file("Music/self"));
    fs::create_directory_symlink(folder.file("Elsewhere"), folder.file("Music/Link1"));
    fs::create_directory_symlink(folder.file("Elsewhere"), folder.file("Music/Sub/Link2"));
    fs::create_symlink(folder.file("target.mp3"), folder.file("Music/linked.mp3"));
    fs::create_symlink(folder.file("missing.mp3"), folder.file("Music/broken.mp3"));

    const LibraryScanResult found = ScanLibrary(folder.file("Music"));

    EXPECT_EQ(sorted(keysOf(found.MP3Titles)), sorted({"A.MP3", "B.MP3", "C.MP3", "LINKED.MP3"}));
}

TEST_F(ScanFolderTreeTest, UnreadableOrMissingRootGivesEmptyLists) {
    // An empty root is an unconfigured one, never the working directory.
    for (const std::string& root : {folder.file("missing/"), std::string()}) {
        const LibraryScanResult found = ScanLibrary(root);
        EXPECT_TRUE(found.MP3Titles.empty() && found.Playlists.empty() && found.FrontCovers.empty())
            << root;
    }
}

TEST_F(ScanFolderTreeTest, ARequestedStopEndsTheWalk) {
    file("A/a.mp3");
    file("B/b.mp3");
    std::stop_source stop;
    int files = 0;
    const bool complete = WalkFolderTree(
        root(),
        [&](const std::string&, const std::string&) {
            ++files;
            stop.request_stop();
        },
        stop.get_token());
    EXPECT_FALSE(complete);
    EXPECT_EQ(files, 1);
}

TEST(LibraryScanPlaylistOrder, CaseAndAccentsDoNotSeparateNames) {
    struct Row {
        std::string less;
        std::string greater;
    };
    const Row rows[] = {
        {"abc.m3u", "ABD.m3u"},     {"a.m3u", "B.m3u"},
        {"Apfel.m3u", "Äpfel.m3u"}, {"Äpfel.m3u", "Birne.m3u"},
        {"oel.m3u", "Öl.m3u"},      {"A.m3u", "a.m3u"},
        {"Ärger.m3u", "Zebra.m3u"}, {"Straße.m3u", "Strasse2.m3u"},
    };
    for (const Row& row : rows) {
        EXPECT_TRUE(PlaylistNameLess(row.less, row.greater)) << row.less << " < " << row.greater;
        EXPECT_FALSE(PlaylistNameLess(row.greater, row.less)) << row.greater;
    }
    EXPECT_FALSE(PlaylistNameLess("same.m3u", "same.m3u"));
}

TEST(LibraryScanPlaylistOrder, SnapshotIsSortedEvenWhileTheListIsNot) {
    ResetLibraryLists();
    gFoundPlaylists = {
        {"zz.m3u", {"/m/zz.m3u"}}, {"Best.m3u", {"/m/a/Best.m3u"}}, {"alt.m3u", {"/m/alt.m3u"}}};
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(
        FoundPlaylistsSnapshot(),
        (Pairs{{"alt.m3u", "/m/alt.m3u"}, {"Best.m3u", "/m/a/Best.m3u"}, {"zz.m3u", "/m/zz.m3u"}}));
    EXPECT_EQ(gFoundPlaylists[0].Key, "zz.m3u");

    SortFoundPlaylists();
    EXPECT_EQ(keysOf(gFoundPlaylists), (std::vector<std::string>{"alt.m3u", "Best.m3u", "zz.m3u"}));
    ResetLibraryLists();
}

TEST(TrackCountTimers, NothingIsShownBeforeTheListsExist) {
    ResetLibraryLists();
    gStatusMessage = "unchanged";
    Timer_ShowNumberOfTracksInitiallyTimer();
    EXPECT_EQ(gStatusMessage, "unchanged");
    EXPECT_EQ(gNumberOfTracks, 0);
}

// A started main window whose music root the test fills; the scan runs on its own thread.
class LibraryScanWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        fs::create_directories(folder.file("Musik"));
        testsupport::linkRepositorySkins(folder.path());
    }
    void TearDown() override {
        form.reset();
        ResetAllState();
    }

    void start(const std::string& options = "") {
        writeFile(folder.file("Config.ini"),
                  "[Paths]\r\nMP3Path=" + folder.file("Musik") + "\r\n[Options]\r\n" + options);
        form = std::make_unique<TMainform>(
            TMainform::Options{folder.path(), &clock, testsupport::fakePlayers(clock)});
        form->FormCreate();
        ASSERT_FALSE(form->terminated());
    }

    // Runs the main loop, without moving the clock, until the scan's last batch has arrived.
    bool pumpUntilScanFinished() {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!gLibraryScanFinished) {
            if (std::chrono::steady_clock::now() > giveUp)
                return false;
            form->loop().processPending();
            std::this_thread::yield();
        }
        return true;
    }

    platform::SdlSession sdl;
    platform::ManualClock clock{5000};
    TempDir folder;
    std::unique_ptr<TMainform> form;
};

// The count display runs on the same started window.
class TrackCountWindowTest : public LibraryScanWindowTest {};

TEST_F(LibraryScanWindowTest, FoundListsArriveOnTheMainThreadInScanOrder) {
    // More files than one batch carries, so the lists arrive in several parts.
    for (int i = 0; i < 2600; ++i) {
        const std::string sub = "Musik/A" + std::to_string(i % 7) + "/B" + std::to_string(i % 5);
        writeFile(folder.file(sub + "/t" + std::to_string(i) + ".mp3"), "");
    }
    for (const char* name : {"zulu.m3u", "Alpha.m3u", "mike.m3u"})
        writeFile(folder.file(std::string("Musik/A1/") + name), "");
    writeFile(folder.file("Musik/A2/B3/Front.jpg"), "");
    const LibraryScanResult expected = ScanLibrary(folder.file("Musik"));

    SetLoggingEnabled(true);
    TDebugForm log(folder.path());
    start("ShowDebugWindow=1\r\n");
    ASSERT_TRUE(pumpUntilScanFinished());

    EXPECT_TRUE(gFoundListsCreated);
    EXPECT_EQ(pathsOf(gFoundMP3Titles), pathsOf(expected.MP3Titles));
    EXPECT_EQ(keysOf(gFoundMP3Titles), keysOf(expected.MP3Titles));
    EXPECT_EQ(keysOf(gFoundPlaylists),
              (std::vector<std::string>{"Alpha.m3u", "mike.m3u", "zulu.m3u"}));
    ASSERT_EQ(gFoundFrontCovers.size(), 1u);
    EXPECT_EQ(gFoundFrontCovers[0].Key, "A2/B3");

    form.reset(); // joins the scan thread, whose log lines then are complete
    const std::string text =
        platform::decodeFileText(testsupport::readFile(folder.file("debug.txt")));
    const std::string dashes(31, '-');
    EXPECT_NE(text.find(dashes +
                        "\r\nfound 2600 mp3-titles\r\nfound 3 m3u-playlists\r\n"
                        "found 1 Front-Covers\r\n" +
                        dashes + "\r\n"),
              std::string::npos)
        << text;
}

TEST_F(TrackCountWindowTest, CountsAreShownUntilTheTitleCountIsStable) {
    start();
    ASSERT_TRUE(pumpUntilScanFinished());
    ASSERT_TRUE(gFoundMP3Titles.empty());
    // The scan found nothing; the test plays the growing library.
    for (int i = 0; i < 5; ++i)
        gFoundMP3Titles.push_back({"T.MP3", {"/m/t.mp3"}});
    gFoundPlaylists.push_back({"p.m3u", {"/m/p.m3u"}});

    form->loop().advance(100);
    EXPECT_EQ(gStatusMessage, "5 Musiktitel und 1 Playlists gefunden...");
    EXPECT_EQ(gNumberOfTracks, 5);
    EXPECT_EQ(gNumberOfPlaylists, 1);

    // First 10-second tick: 5 against 0, the display goes on.
    form->loop().advance(9900);
    EXPECT_TRUE(form->Timer_ShowNumberOfTracksInitially.enabled());
    EXPECT_EQ(gNumberOfTracksBefore, 5);

    gFoundMP3Titles.push_back({"U.MP3", {"/m/u.mp3"}});
    form->loop().advance(10000);
    EXPECT_EQ(gStatusMessage, "6 Musiktitel und 1 Playlists gefunden...");
    EXPECT_TRUE(form->Timer_ShowNumberOfTracksInitially2.enabled());

    // Unchanged since the last tick: both timers stop, the message stays until it is cleared.
    form->loop().advance(10000);
    EXPECT_FALSE(form->Timer_ShowNumberOfTracksInitially.enabled());
    EXPECT_FALSE(form->Timer_ShowNumberOfTracksInitially2.enabled());
    gFoundMP3Titles.push_back({"V.MP3", {"/m/v.mp3"}});
    form->loop().advance(200);
    EXPECT_EQ(gNumberOfTracks, 6);
}

TEST_F(TrackCountWindowTest, AnEmptyLibraryStopsTheDisplayAtTheFirstTick) {
    start();
    ASSERT_TRUE(pumpUntilScanFinished());
    form->loop().advance(100);
    EXPECT_EQ(gStatusMessage, "0 Musiktitel und 0 Playlists gefunden...");
    form->loop().advance(9899);
    EXPECT_TRUE(form->Timer_ShowNumberOfTracksInitially2.enabled());
    form->loop().advance(1);
    EXPECT_FALSE(form->Timer_ShowNumberOfTracksInitially.enabled());
    EXPECT_FALSE(form->Timer_ShowNumberOfTracksInitially2.enabled());
}

} // namespace
