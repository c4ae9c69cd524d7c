#include "library/FolderListing.h"

#include "library/CoverLookup.h"
#include "library/LibraryScan.h"
#include "library/ListingTestSupport.h"
#include "pictures/CoverView.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

namespace {

using T = ListElementType;
using Names = std::vector<std::string>;

struct ExpectedRow {
    const char* key;
    const char* fileName;
    ListElementType type;
    int index;
};

void expectRows(const TElementList& list, const std::vector<ExpectedRow>& rows,
                const std::string& dir) {
    ASSERT_EQ(list.count(), static_cast<int>(rows.size()))
        << testing::PrintToString(fileNamesOf(list));
    for (int i = 0; i < list.count(); ++i) {
        const ExpectedRow& row = rows[static_cast<std::size_t>(i)];
        const ListElementPtr element = list.element(i);
        ASSERT_TRUE(element) << i;
        EXPECT_EQ(list.key(i), row.key) << i;
        EXPECT_EQ(element->FileName(), row.fileName) << i;
        EXPECT_EQ(element->ElementType(), row.type) << i;
        EXPECT_EQ(element->Index(), row.index) << i;
        EXPECT_EQ(element->Dir(), i == 0 ? "" : dir) << i;
    }
}

class FolderListingTest : public ::testing::Test {
protected:
    ListingFixture fx;
};

TEST_F(FolderListingTest, MusicKeysAndIndexesCountFoldersAndTitlesTogether) {
    for (const char* name : {"C", "A", "B"})
        fx.makeFolder(std::string("Album/") + name);
    fx.writeTitle("Album/y.mp3");
    fx.writeTitle("Album/x.mp3");
    fx.writeFile("Album/notes.txt");
    gListElementOffset = 7;

    ListMusicFolder(fx.path("Album/"));
    fx.finishFolderInfo();

    expectRows(*gListElements,
               {{"0", "..", T::Back, 0},
                {"1", "A", T::MP3Dir, 1},
                {"2", "B", T::MP3Dir, 2},
                {"3", "C", T::MP3Dir, 3},
                {"4", "x.mp3", T::MP3, 4},
                {"5", "y.mp3", T::MP3, 5}},
               fx.path("Album/"));
    EXPECT_EQ(gListElementOffset, 0);
    EXPECT_TRUE(fx.logHasLine("count=4"));
    // The titles were read: the 3-second files show their length.
    EXPECT_EQ(gListElements->element(4)->Length(), "0:03");
    EXPECT_EQ(gListElements->element(1)->FileDate(), 0.0);
}

TEST_F(FolderListingTest, EmptyOrMissingMusicFolderShowsOnlyTheBackRow) {
    fx.makeFolder("Empty");
    for (const std::string& folder : {fx.path("Empty/"), fx.path("Missing/")}) {
        ListMusicFolder(folder);
        expectRows(*gListElements, {{"0", "..", T::Back, 0}}, folder);
    }
    EXPECT_TRUE(fx.logHasLine("count=1"));
}

TEST_F(FolderListingTest, MusicMasksIgnoreCaseAndIncludeHiddenTitlesAndFoldersNamedLikeTitles) {
    fx.writeTitle("F/x.MP3");
    fx.writeTitle("F/.hidden.mp3");
    fx.makeFolder("F/z.mp3");
    fx.writeFile("F/y.mp3.bak");

    ListMusicFolder(fx.path("F/"));
    fx.finishFolderInfo();

    expectRows(*gListElements,
               {{"0", "..", T::Back, 0},
                {"1", "z.mp3", T::MP3Dir, 1},
                {"2", ".hidden.mp3", T::MP3, 2},
                {"3", "x.MP3", T::MP3, 3},
                {"4", "z.mp3", T::MP3, 4}},
               fx.path("F/"));
    // The folder read as a title is no title: it stays without a length, and the listing
    // does not fail on it.
    EXPECT_EQ(gListElements->element(4)->Length(), "");
    EXPECT_EQ(gListElements->element(3)->Length(), "0:03");
}

TEST_F(FolderListingTest, MusicFolderChoosesItsCoversFromVisibleJpegs) {
    gCurrentCoverFrontFileName = "stale";
    gCurrentCoverBackFileName = "stale";
    gShowBackCover = true;
    fx.writeFile("F/back.jpg");
    fx.writeFile("F/front.jpg");
    fx.writeFile("F/.secret_front.jpg");
    fx.writeTitle("F/a.mp3");

    ListMusicFolder(fx.path("F/"));

    EXPECT_EQ(gCurrentCoverFrontFileName, fx.path("F/front.jpg"));
    EXPECT_EQ(gCurrentCoverBackFileName, fx.path("F/back.jpg"));
    EXPECT_FALSE(gShowBackCover);
    EXPECT_TRUE(fx.logHasLine("gCurrentCoverFrontFileName=" + fx.path("F/front.jpg")));
    EXPECT_TRUE(fx.logHasLine("gCurrentCoverBackFileName=" + fx.path("F/back.jpg")));

    // Only a hidden picture: no covers at all.
    fx.writeFile("G/.hidden_front.jpg");
    ListMusicFolder(fx.path("G/"));
    EXPECT_EQ(gCurrentCoverFrontFileName, "");
    EXPECT_EQ(gCurrentCoverBackFileName, "");
    EXPECT_TRUE(fx.logHasLine("gCurrentCoverFrontFileName="));
}

TEST_F(FolderListingTest, NewMarkFollowsFolderAgeButNeverInTheMusicRoot) {
    gIniNewIconNMonth = 1;
    for (const char* name : {"Artist/Fresh", "Artist/Old", "Recent"})
        fx.makeFolder(name);
    fx.age("Artist/Old", 62);

    ListMusicFolder(fx.path("Artist/"));
    ASSERT_EQ(fileNamesOf(*gListElements), (Names{"..", "Fresh", "Old"}));
    EXPECT_TRUE(gListElements->element(1)->IsNew());
    EXPECT_FALSE(gListElements->element(2)->IsNew());

    ListMusicFolder(fx.root);
    ASSERT_EQ(fileNamesOf(*gListElements), (Names{"..", "Artist", "Recent"}));
    EXPECT_FALSE(gListElements->element(1)->IsNew());
    EXPECT_FALSE(gListElements->element(2)->IsNew());
}

// Days since 30 December 1899 of a calendar date with a time of day in hours; before the epoch
// the time of day is the size of the (negative) fraction.
double dateOf(int y, unsigned m, unsigned d, double hours = 0.0) {
    using namespace std::chrono;
    const sys_days day{year{y} / month{m} / std::chrono::day{d}};
    const sys_days epoch{year{1899} / December / 30};
    const auto days = static_cast<double>((day - epoch).count());
    return days < 0 ? days - hours / 24.0 : days + hours / 24.0;
}

TEST(IsNewFolderTest, AddsCalendarMonthsWithTheDayClipped) {
    struct Row {
        double written;
        double now;
        int months;
        bool isNew;
    };
    const Row rows[] = {
        // 31 January + 1 month is the last day of February, at the same time of day.
        {dateOf(2023, 1, 31, 12), dateOf(2023, 2, 28, 11.9), 1, true},
        {dateOf(2023, 1, 31, 12), dateOf(2023, 2, 28, 12), 1, false},
        {dateOf(2024, 1, 31, 12), dateOf(2024, 2, 29, 11.9), 1, true},
        {dateOf(2024, 1, 31, 12), dateOf(2024, 2, 29, 12), 1, false},
        // 31 March + 1 month is 30 April, not 1 May.
        {dateOf(2023, 3, 31), dateOf(2023, 4, 30), 1, false},
        // Calendar months, not 30-day blocks.
        {dateOf(2023, 1, 15), dateOf(2023, 2, 15), 1, false},
        // Across the turn of the year.
        {dateOf(2022, 11, 30), dateOf(2023, 2, 28), 3, false},
        // No months: only a folder dated in the future is new.
        {dateOf(2023, 5, 2), dateOf(2023, 5, 1), 0, true},
        // Before 1900 too, also across the epoch.
        {dateOf(1899, 1, 15, 6), dateOf(1899, 2, 15, 5), 1, true},
        {dateOf(1899, 1, 15, 6), dateOf(1899, 2, 15, 6), 1, false},
        {dateOf(1899, 12, 1, 6), dateOf(1900, 1, 1, 5), 1, true},
        {dateOf(1899, 12, 29, 18), dateOf(1899, 12, 29, 12), 0, true},
        // Nonsense from a broken file system or setting is never new.
        {1e300, dateOf(2023, 5, 1), 1, false},
        {dateOf(2023, 5, 1), dateOf(2023, 5, 1), 1'000'000'000, true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IsNewFolder(row.written, row.now, row.months), row.isNew)
            << row.written << " " << row.now << " " << row.months;
}

TEST_F(FolderListingTest, PhotoFolderListsVisibleJpegsWithDatesAndLeavesCoversAlone) {
    gCurrentCoverFrontFileName = "kept";
    fx.makeFolder("P/Urlaub");
    fx.writeFile("P/b.JPG");
    fx.writeFile("P/a.jpg");
    fx.writeFile("P/.hidden.jpg");
    fx.writeFile("P/c.png");

    ListPhotoFolder(fx.path("P/"));

    expectRows(*gListElements,
               {{"0", "..", T::Back, 0},
                {"1", "Urlaub", T::PhotoDir, 1},
                {"2", "a.jpg", T::Photo, 2},
                {"3", "b.JPG", T::Photo, 3}},
               fx.path("P/"));
    const double now = platform::nowDelphiDateTime();
    for (int i = 1; i < 4; ++i)
        EXPECT_NEAR(gListElements->element(i)->FileDate(), now, 1.0) << i;
    EXPECT_EQ(gCurrentCoverFrontFileName, "kept");
}

TEST_F(FolderListingTest, VideoFolderListsTheClassicTypesFirstAndTakesTheFirstJpegAsCover) {
    gCurrentCoverBackFileName = "kept";
    fx.makeFolder("V/Serie");
    for (const char* name : {"a.avi", "b.mpe", "c.mpg", "d.MPG", "e.mp4", ".f.mpg", "g.webm",
                             "h.MKV", "i.mov", "j.m4v", "k.wmv"})
        fx.writeFile(std::string("V/") + name);
    fx.writeFile("V/.0.jpg");
    fx.writeFile("V/z.jpg");
    fx.writeFile("V/m.jpg");

    ListVideoFolder(fx.path("V/"));

    expectRows(*gListElements,
               {{"0", "..", T::Back, 0},
                {"1", "Serie", T::VideoDir, 1},
                {"2", "c.mpg", T::Video, 2},
                {"3", "d.MPG", T::Video, 3},
                {"4", "b.mpe", T::Video, 4},
                {"5", "a.avi", T::Video, 5},
                {"6", "e.mp4", T::Video, 6},
                {"7", "h.MKV", T::Video, 7},
                {"8", "g.webm", T::Video, 8},
                {"9", "i.mov", T::Video, 9},
                {"10", "j.m4v", T::Video, 10}},
               fx.path("V/"));
    EXPECT_EQ(gListElements->element(2)->FileDate(), 0.0);
    EXPECT_EQ(gCurrentCoverFrontFileName, fx.path("V/m.jpg"));
    EXPECT_EQ(gCurrentCoverBackFileName, "kept");
    EXPECT_TRUE(fx.logHasLine("gCurrentCoverFrontFileName=" + fx.path("V/m.jpg")));

    ListVideoFolder(fx.path("V/Serie/"));
    EXPECT_EQ(gCurrentCoverFrontFileName, "");
}

TEST_F(FolderListingTest, ProgramLinkFolderShowsEntriesWithTheirComments) {
    fx.makeFolder("L/Spiele");
    fx.writeFile("L/editor.desktop", "[Desktop Entry]\nType=Application\nName=Editor\n"
                                     "Comment=Texte schreiben\nExec=/bin/sh\n");
    fx.writeFile("L/bare.desktop", "[Desktop Entry]\nType=Application\nName=Bare\nExec=/bin/sh\n");
    // Unreadable entries are listed without a description, and the listing goes on after them.
    fx.writeFile("L/broken.desktop", "this is no desktop entry");
    fx.writeFile("L/cmissing.desktop", "[Desktop Entry]\nType=Application\nName=Gone\n"
                                       "Comment=Fehlt\nExec=/nonexistent/program\n");
    fx.writeFile("L/.hidden.desktop", "[Desktop Entry]\nType=Application\nName=H\nExec=/bin/sh\n");
    fx.writeFile("L/readme.txt");
    fx.writeFile("L/web.desktop", "[Desktop Entry]\nType=Link\nName=Web\n"
                                  "Comment=Zur Webseite\nURL=https://example.org/\n");

    ListProgramLinkFolder(fx.path("L/"));

    expectRows(*gListElements,
               {{"0", "..", T::Back, 0},
                {"1", "Spiele", T::ProgramDir, 1},
                {"2", "bare.desktop", T::ProgramLink, 2},
                {"3", "broken.desktop", T::ProgramLink, 3},
                {"4", "cmissing.desktop", T::ProgramLink, 4},
                {"5", "editor.desktop", T::ProgramLink, 5},
                {"6", "web.desktop", T::ProgramLink, 6}},
               fx.path("L/"));
    const TElementList& list = *gListElements;
    EXPECT_EQ(list.element(5)->Name(), "editor");
    EXPECT_EQ(list.element(5)->InfoText(), "Texte schreiben");
    EXPECT_EQ(list.element(6)->InfoText(), "Zur Webseite");
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(list.element(i)->InfoText(), "") << i;
    EXPECT_NEAR(list.element(1)->FileDate(), platform::nowDelphiDateTime(), 1.0);
    EXPECT_NEAR(list.element(5)->FileDate(), platform::nowDelphiDateTime(), 1.0);
}

class FolderListingPlaylistsTest : public FolderListingTest {
protected:
    void SetUp() override { ResetLibraryLists(); }
    void TearDown() override { ResetLibraryLists(); }
};

TEST_F(FolderListingPlaylistsTest, PlaylistsAreKeyedAndIndexedFromZeroAfterTheBackRow) {
    gFoundPlaylists = {{"Party.m3u", {"/m/Pop/Party.m3u"}}, {"Ruhe.M3U", {"/m/Ruhe.M3U"}}};
    gListElementOffset = 5;

    ASSERT_TRUE(ListPlaylists());

    const TElementList& list = *gListElements;
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.key(0), "0");
    EXPECT_EQ(list.element(0)->ElementType(), T::Back);
    const struct {
        const char* key;
        const char* fileName;
        const char* dir;
        int index;
    } rows[] = {{"0", "Party.m3u", "/m/Pop/", 0}, {"1", "Ruhe.M3U", "/m/", 1}};
    for (int i = 0; i < 2; ++i) {
        const ListElementPtr element = list.element(i + 1);
        EXPECT_EQ(list.key(i + 1), rows[i].key);
        EXPECT_EQ(element->ElementType(), T::Playlist);
        EXPECT_EQ(element->FileName(), rows[i].fileName);
        EXPECT_EQ(element->Dir(), rows[i].dir);
        EXPECT_EQ(element->Index(), rows[i].index);
    }
    EXPECT_EQ(gListElementOffset, 0);
    EXPECT_TRUE(fx.logHasLine("Playlist 0: Dir=/m/Pop ; Filename=Party.m3u"));
    EXPECT_TRUE(fx.logHasLine("Playlist 1: Dir=/m ; Filename=Ruhe.M3U"));
}

TEST_F(FolderListingPlaylistsTest, APathWithoutFolderEndsTheBuildingWithWhatWasAdded) {
    gFoundPlaylists = {{"a.m3u", {"/m/a.m3u"}}, {"b.m3u", {"b.m3u"}}, {"c.m3u", {"/m/c.m3u"}}};

    EXPECT_FALSE(ListPlaylists());

    EXPECT_EQ(fileNamesOf(*gListElements), (Names{"..", "a.m3u"}));
}

TEST_F(FolderListingTest, JukeboxListSharesTheQueuedElements) {
    const auto first = std::make_shared<TListElement>(T::MP3, "/m/", "a.mp3", 0.0, 3);
    const auto second = std::make_shared<TListElement>(T::MP3, "/m/", "b.mp3", 0.0, 9);
    gActualTitleList.add("", first);
    gActualTitleList.add("", second);

    ListJukebox();

    const TElementList& list = *gListElements;
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.element(0)->ElementType(), T::Back);
    EXPECT_EQ(list.element(1), first);
    EXPECT_EQ(list.element(2), second);
    EXPECT_EQ(list.key(1), "0");
    EXPECT_EQ(list.key(2), "1");
}

} // namespace
