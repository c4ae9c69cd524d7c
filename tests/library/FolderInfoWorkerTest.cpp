#include "library/FolderInfoWorker.h"

#include "app/Mainform.h"
#include "library/FolderListing.h"
#include "library/ListingTestSupport.h"
#include "platform/Window.h"
#include "support/FakePlayer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using T = ListElementType;

mp3test::Tag trackTag(int trackNo) {
    return {.title = "Titel " + std::to_string(trackNo), .trackMarker = 0, .trackNo = trackNo};
}

std::vector<int> trackNumbersOf(const TElementList& list) {
    std::vector<int> numbers;
    for (const auto& row : list) {
        if (row.element->ElementType() == T::MP3)
            numbers.push_back(row.element->TrackNo());
    }
    return numbers;
}

class FolderInfoWorkerTest : public ::testing::Test {
protected:
    // Titles a.mp3, b.mp3, ... in this order of names, with these track numbers.
    void writeTracks(const std::string& folder, const std::vector<int>& trackNumbers) {
        char name = 'a';
        for (int trackNo : trackNumbers)
            fx.writeTitle(folder + name++ + ".mp3", trackTag(trackNo));
    }

    ListingFixture fx;
};

TEST_F(FolderInfoWorkerTest, TrackPassIsOneAscendingPassOfExchanges) {
    gIniShowMP3TagInsteadOfFilename = true;
    gIniSortTitlesByMP3InfoTrackNo = true;
    writeTracks("F/", {2, 3, 4, 1});

    ListMusicFolder(fx.path("F/"));
    fx.finishFolderInfo();

    // One pass settles only some titles: 2,3,4,1 becomes 3,2,1,4, not 1,2,3,4.
    EXPECT_EQ(trackNumbersOf(*gListElements), (std::vector<int>{3, 2, 1, 4}));
    for (int i = 0; i < gListElements->count(); ++i)
        EXPECT_EQ(gListElements->key(i), std::to_string(i)) << "keys stay in place";
    EXPECT_TRUE(fx.logHasLine("count=1"));
}

TEST_F(FolderInfoWorkerTest, TrackPassStartsAfterTheFoldersAndSkipsNumbersBeyondTheList) {
    gIniShowMP3TagInsteadOfFilename = true;
    gIniSortTitlesByMP3InfoTrackNo = true;
    fx.makeFolder("F/Bonus");
    // 9 lies beyond the three titles, 0 means no number: neither moves.
    writeTracks("F/", {9, 0, 1});

    ListMusicFolder(fx.path("F/"));
    fx.finishFolderInfo();

    EXPECT_EQ(fileNamesOf(*gListElements),
              (std::vector<std::string>{"..", "Bonus", "c.mp3", "b.mp3", "a.mp3"}));
    EXPECT_EQ(trackNumbersOf(*gListElements), (std::vector<int>{1, 0, 9}));
    EXPECT_TRUE(fx.logHasLine("count=2"));
}

TEST_F(FolderInfoWorkerTest, TitlesKeepTheirOrderUnlessBothSettingsAreOn) {
    const struct {
        bool showTags;
        bool sortByTrack;
    } rows[] = {{false, true}, {true, false}, {false, false}};
    writeTracks("F/", {2, 1});
    for (const auto& row : rows) {
        gIniShowMP3TagInsteadOfFilename = row.showTags;
        gIniSortTitlesByMP3InfoTrackNo = row.sortByTrack;
        ListMusicFolder(fx.path("F/"));
        fx.finishFolderInfo();
        EXPECT_EQ(trackNumbersOf(*gListElements), (std::vector<int>{2, 1}))
            << row.showTags << row.sortByTrack;
    }
}

TEST_F(FolderInfoWorkerTest, FolderYearsComeFromTheFirstTitleOfEachFolder) {
    fx.writeTitle("F/A/b.mp3", {.title = "Zwei", .year = "2001"});
    fx.writeTitle("F/A/a.mp3", {.title = "Eins", .year = "1999"});
    fx.makeFolder("F/B/a.mp3"); // a folder named like a title is skipped
    fx.writeTitle("F/B/c.mp3", {.title = "Drei", .year = "1975"});
    fx.writeTitle("F/C/untagged.mp3");
    fx.makeFolder("F/D");

    ListMusicFolder(fx.path("F/"));
    fx.finishFolderInfo();

    ASSERT_EQ(gListElements->count(), 5);
    const std::vector<std::string> expected = {"1999", "1975", "", ""};
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(gListElements->element(i)->FolderYear(), expected[i - 1]) << i;
    EXPECT_EQ(ReadFolderYear(fx.path("F/A")), "1999") << "works without the final slash too";
}

// A music list built by hand, as the listing would, with jobs for its titles.
struct HandBuiltList {
    std::shared_ptr<TElementList> list;
    FolderInfoJobs jobs;
};

HandBuiltList handBuiltList(const ListingFixture& fx) {
    fx.writeTitle("F/a.mp3", trackTag(1));
    HandBuiltList built;
    TElementList& list = ReplaceListElements();
    built.list = gListElements;
    list.add("0", std::make_shared<TListElement>(T::Back, "", "..", 0.0, 0));
    auto title = std::make_shared<TListElement>(T::MP3, fx.path("F/"), "a.mp3", 0.0, 1);
    list.add("1", title);
    built.jobs.list = built.list;
    built.jobs.generation = NextFolderInfoGeneration();
    built.jobs.titles.push_back({title, title->FullPath()});
    return built;
}

TEST_F(FolderInfoWorkerTest, ResultsOfAReplacedListOrAnOlderGenerationAreDropped) {
    HandBuiltList built = handBuiltList(fx);
    const auto results = FillMusicFolderInfo(built.jobs, {});
    ASSERT_TRUE(results);
    ASSERT_EQ(results->titles.size(), 1u);
    EXPECT_EQ(results->titles[0].length, "0:03");
    const ListElementPtr title = built.jobs.titles[0].element;

    // Another mode keeps the list alive elsewhere but no longer shows it.
    ReplaceListElements();
    EXPECT_FALSE(ApplyFolderInfoResults(built.jobs, *results));
    EXPECT_EQ(title->Length(), "");

    // The same list shown again, but a newer listing has started meanwhile.
    gListElements = built.list;
    NextFolderInfoGeneration();
    EXPECT_FALSE(ApplyFolderInfoResults(built.jobs, *results));
    EXPECT_EQ(title->Length(), "");
}

TEST_F(FolderInfoWorkerTest, WorkerGivesUpWhenStoppedOrWhenItsListIsDropped) {
    HandBuiltList built = handBuiltList(fx);
    std::stop_source stopped;
    stopped.request_stop();
    EXPECT_FALSE(FillMusicFolderInfo(built.jobs, stopped.get_token()));

    built.list.reset();
    ReplaceListElements();
    EXPECT_FALSE(FillMusicFolderInfo(built.jobs, {}));
}

// The worker on its own thread, with the main window's loop carrying its results back.
class FolderInfoThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::linkRepositorySkins(program.path());
        testsupport::writeFile(program.file("Config.ini"),
                               "[Paths]\r\nMP3Path=" + fx.root +
                                   "\r\n[Options]\r\nShowDebugWindow=1\r\n");
        form = std::make_unique<TMainform>(
            TMainform::Options{program.path(), &clock, testsupport::fakePlayers(clock)});
        form->FormCreate();
        ASSERT_FALSE(form->terminated());
    }
    void TearDown() override { form.reset(); }

    // Runs the loop until `done` holds; the worker reads in real time, so the wait is bounded
    // by a generous deadline rather than a count of passes.
    template <typename Condition> bool pumpUntil(Condition done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            form->loop().processPending();
            std::this_thread::yield();
        }
        return true;
    }

    ListingFixture fx;
    platform::SdlSession sdl;
    platform::ManualClock clock{5000};
    testsupport::TempDir program;
    std::unique_ptr<TMainform> form;
};

TEST_F(FolderInfoThreadTest, ResultsArriveThroughTheLoopAndAskForARepaint) {
    fx.writeTitle("F/a.mp3", trackTag(1));
    fx.writeTitle("F/Sub/x.mp3", {.title = "X", .year = "1984"});
    form->CoverImage.setVisible(true);
    form->Timer_ChangeCoverImage.setEnabled(false);

    ListMusicFolder(fx.path("F/"));
    EXPECT_FALSE(form->CoverImage.Visible());
    EXPECT_TRUE(form->Timer_ChangeCoverImage.enabled());
    EXPECT_EQ(form->Timer_ChangeCoverImage.interval(), 7000);

    const ListElementPtr title = gListElements->element(2);
    const ListElementPtr folder = gListElements->element(1);
    ASSERT_TRUE(pumpUntil([&] { return !title->Length().empty(); }));
    EXPECT_EQ(title->TrackNo(), 1);
    EXPECT_EQ(folder->FolderYear(), "1984");
    EXPECT_TRUE(fx.logHasLine("count=2"));
}

TEST_F(FolderInfoThreadTest, LeavingTheFolderDropsTheOldWorkersResults) {
    for (int i = 0; i < 40; ++i)
        fx.writeTitle("Old/t" + std::to_string(100 + i) + ".mp3", trackTag(1));
    fx.makeFolder("Old/Sub");
    fx.writeTitle("New/n.mp3", trackTag(2));

    ListMusicFolder(fx.path("Old/"));
    const std::shared_ptr<const TElementList> oldList = gListElements;
    ListMusicFolder(fx.path("New/"));
    const ListElementPtr newTitle = gListElements->element(1);

    ASSERT_TRUE(pumpUntil([&] { return !newTitle->Length().empty(); }));
    // Whatever the old worker did before it noticed, nothing of it reached its elements.
    StopFolderInfoWorkers();
    form->loop().processPending();
    for (const auto& row : *oldList)
        EXPECT_EQ(row.element->Length(), "") << row.element->FileName();
    EXPECT_EQ(newTitle->TrackNo(), 2);
    // The stopped worker has still logged where its titles begin.
    EXPECT_TRUE(fx.logHasLine("count=2"));
    EXPECT_TRUE(fx.logHasLine("count=1"));
}

} // namespace
