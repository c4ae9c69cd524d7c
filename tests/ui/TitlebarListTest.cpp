#include "ScreenFixture.h"

#include "app/Mainform.h"
#include "pictures/PhotoView.h"
#include "playback/Playlists.h"
#include "support/FakePlayer.h"
#include "support/TempDir.h"
#include "ui/Paint.h"
#include "ui/TitlebarList.h"

#include <SDL.h>
#include <SDL_image.h>

#include <vector>

namespace {

using namespace screentest;

using TitlebarListTest = ScreenFixture;

TEST_F(TitlebarListTest, HighlightedRowFramedRowsAndEmptyBarsBelowAShortList) {
    fillList(3);
    HightlightTitlebarIndex = 1;
    DrawTitlebarList(canvas);

    for (int row = 0; row < gIniNumberOfTitlebars; ++row) {
        const Rect b = bar(row);
        // The right end of the bar carries no text when the elements have no length.
        const int x = gTitlebarRight - 2;
        if (row == 1) {
            EXPECT_EQ(canvas.pixel(x, b.top), kHighlight) << row;
            EXPECT_EQ(canvas.pixel(x, b.top + 5), kHighlight) << row;
            EXPECT_EQ(canvas.pixel(x, b.bottom - 1), kHighlight) << row;
            EXPECT_EQ(canvas.pixel(x, b.bottom), kUntouched) << row;
        } else {
            EXPECT_EQ(canvas.pixel(x, b.top), kFrame) << row;
            EXPECT_EQ(canvas.pixel(x, b.top + 5), kBar) << row;
            EXPECT_EQ(canvas.pixel(x, b.bottom), kFrame) << row;
        }
        // The bar spans exactly from the titlebars' left to their right edge.
        EXPECT_EQ(canvas.pixel(gTitlebarLeft - 1, b.top + 5), kUntouched) << row;
        EXPECT_EQ(canvas.pixel(gTitlebarRight, b.top + 5), kUntouched) << row;
        EXPECT_NE(canvas.pixel(gTitlebarLeft, b.top + 5), kUntouched) << row;
        // Rows are 3 pixels apart; a framed row's bottom line uses the first of them.
        EXPECT_EQ(canvas.pixel(x, b.bottom + 1), kUntouched) << row;
        EXPECT_EQ(canvas.pixel(x, b.bottom + 2), kUntouched) << row;
    }
    // Elements have their number and text; the empty bars have no text at all.
    EXPECT_GT(inkOn(canvas, {gTitlebarLeft, bar(0).top + 1, gTitlebarRight, bar(0).bottom}, kBar),
              0);
    for (int row = 3; row < gIniNumberOfTitlebars; ++row) {
        const Rect inner{gTitlebarLeft, bar(row).top + 1, gTitlebarRight, bar(row).bottom};
        EXPECT_EQ(countPixelsOtherThan(canvas, inner, kBar), 0) << row;
    }
}

TEST_F(TitlebarListTest, CaptionLinesFollowTagDelimiterAndLinkRules) {
    const int big = gFontSizeTitlebarBig;
    const int small = gFontSizeTitlebarSmall;
    auto mp3 = [](const std::string& file, const std::string& title = "",
                  const std::string& artist = "", int track = 0) {
        auto element = makeElement(ListElementType::MP3, file);
        element->SetTitle(title);
        element->SetArtist(artist);
        element->SetTrackNo(track);
        return element;
    };
    auto link = [](const std::string& description) {
        auto element = makeElement(ListElementType::ProgramLink, "Editor.desktop");
        element->SetInfoText(description);
        return element;
    };
    auto folder = [](ListElementType type, const std::string& name, const std::string& year) {
        auto element = makeElement(type, name);
        element->SetFolderYear(year);
        return element;
    };
    // The element, tag display, delimiter, playing; the expected lines with their sizes (no
    // second line when its text is empty), bold, italic.
    struct Case {
        ListElementPtr element;
        bool tagOn;
        std::string delimiter;
        bool playing;
        std::string line1;
        int size1;
        std::string line2;
        int size2;
        bool bold, italic;
    };
    const std::string d = " - ";
    const Case cases[] = {
        {mp3("Artist - Song.mp3"), false, d, false, "Artist", small, "Song", big, false, false},
        {mp3("Just a song.mp3"), false, d, false, "Just a song", big, "", 0, false, false},
        {mp3("A - B - C.mp3"), false, d, false, "A", small, "B - C", big, false, false},
        {mp3("Band_Title.mp3"), false, "_", false, "Band", small, "Title", big, false, false},
        {mp3("Band_Title.mp3"), false, "", false, "Band_Title", big, "", 0, false, false},
        {mp3("Artist - Song.mp3", "T", "A", 7), false, d, false, "Artist", small, "Song", big,
         false, false},
        {mp3("Artist - Song.mp3", "T", "A", 7), true, d, false, "Titel Nr. 7   A", small, "T", big,
         false, false},
        {mp3("x.mp3", "T", "A"), true, d, false, "A", small, "T", big, false, false},
        {mp3("Artist - Song.mp3", "", "A"), true, d, false, "Artist", small, "Song", big, false,
         false},
        {mp3("Artist - Song.mp3"), false, d, true, "Artist", small, "Song", big, true, false},
        {link(""), false, d, false, "Editor", big, "", 0, false, false},
        {link("Edits text"), false, d, false, "Editor", big, "Edits text", small, false, false},
        {folder(ListElementType::MP3Dir, "Album", ""), false, d, false, "Album", big, "", 0, true,
         true},
        {folder(ListElementType::MP3Dir, "Album", "1999"), false, d, false, "Album (1999)", big, "",
         0, true, true},
        {folder(ListElementType::PhotoDir, "Urlaub", "2001"), false, d, false, "Urlaub", big, "", 0,
         true, true},
        {makeElement(ListElementType::Back, ".."), false, d, false, "..", big, "", 0, false, false},
    };
    for (const Case& c : cases) {
        const std::string what = c.element->FileName() + " / " + c.line1;
        gIniShowMP3TagInsteadOfFilename = c.tagOn;
        gIniDelimiterBetweenInterpretAndTitle = c.delimiter;
        // The title being played is found by its file name, wherever it lies.
        gPlayingTitle =
            c.playing ? makeElement(ListElementType::MP3, c.element->FileName(), "/elsewhere/")
                      : nullptr;
        const TitlebarCaption caption = BuildTitlebarCaption(*c.element);
        const std::vector<std::pair<std::string, int>> expected =
            c.line2.empty()
                ? std::vector<std::pair<std::string, int>>{{c.line1, c.size1}}
                : std::vector<std::pair<std::string, int>>{{c.line1, c.size1}, {c.line2, c.size2}};
        ASSERT_EQ(caption.lines.size(), expected.size()) << what;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(caption.lines[i].text, expected[i].first) << what;
            EXPECT_EQ(caption.lines[i].pointSize, expected[i].second) << what;
            EXPECT_EQ(caption.lines[i].bold, c.bold) << what;
            EXPECT_EQ(caption.lines[i].italic, c.italic) << what;
        }
    }
}

TEST_F(TitlebarListTest, TwoLineRowsStartAtTheTopOfTheBar) {
    gIniShowMP3TagInsteadOfFilename = false;
    TElementList& list = ReplaceListElements();
    list.add("0", makeElement(ListElementType::MP3, "Artist - Song.mp3"));
    list.add("1", makeElement(ListElementType::MP3, "Just a song.mp3"));
    HightlightTitlebarIndex = 5;
    DrawTitlebarList(canvas);
    // The text column, upper part of the bar: the first line of a two-line row stands there,
    // a one-line row is centred below it.
    auto upperText = [&](int row) {
        const Rect b = bar(row);
        return inkOn(canvas, {gTextX, b.top + 1, gLengthX - 8, b.top + 7}, kBar);
    };
    auto lowerText = [&](int row) {
        const Rect b = bar(row);
        const int secondLine = b.top + platform::fontPixelHeight(gFontSizeTitlebarSmall) + 2;
        return inkOn(canvas, {gTextX, secondLine + 4, gLengthX - 8, b.bottom}, kBar);
    };
    EXPECT_GT(upperText(0), 0);
    EXPECT_GT(lowerText(0), 0);
    EXPECT_EQ(upperText(1), 0);
    EXPECT_GT(lowerText(1), 0);
}

TEST_F(TitlebarListTest, RatingStarsFilledOutlinedOrAbsent) {
    gIniShowMP3TagInsteadOfFilename = false;
    TElementList& list = ReplaceListElements();
    const char* names[] = {"Three.mp3", "Zero.mp3", "None.mp3", "Unrated.mp3"};
    for (int i = 0; i < 4; ++i)
        list.add(std::to_string(i), makeElement(ListElementType::MP3, names[i]));
    gRatings = {{"/media/Musik/Band/Three", {"***"}, ""},
                {"/media/Musik/Band/Zero", {""}, ""},
                {"/media/Musik/Band/None", {"-"}, ""}};
    HightlightTitlebarIndex = 9;
    DrawTitlebarList(canvas);

    auto ratingArea = [](int row) {
        const Rect b = bar(row);
        return Rect{gRatingX - 2, b.top + 1, gLengthX, b.bottom};
    };
    const Color white = rgb(255, 255, 255);
    // "***": filled stars over the five outlined ones.
    EXPECT_GT(countPixels(canvas, ratingArea(0), gColorRatingStars), 0);
    EXPECT_GT(countPixels(canvas, ratingArea(0), white), 0);
    // "": five outlined stars, none filled.
    EXPECT_EQ(countPixels(canvas, ratingArea(1), gColorRatingStars), 0);
    EXPECT_GT(countPixels(canvas, ratingArea(1), white), 0);
    // "-" and no entry: nothing in the rating area but the bar.
    EXPECT_EQ(countPixelsOtherThan(canvas, ratingArea(2), kBar), 0);
    EXPECT_EQ(countPixelsOtherThan(canvas, ratingArea(3), kBar), 0);

    // Filled stars lie within the outline: the three filled ones take the left part.
    const Rect area = ratingArea(0);
    int rightmostFilled = 0;
    int rightmostOutline = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (canvas.pixel(x, y) == gColorRatingStars)
                rightmostFilled = std::max(rightmostFilled, x);
            if (canvas.pixel(x, y) == white)
                rightmostOutline = std::max(rightmostOutline, x);
        }
    }
    EXPECT_LT(rightmostFilled - gRatingX, (rightmostOutline - gRatingX) * 4 / 5);
}

TEST_F(TitlebarListTest, LengthColumnAndNewIcon) {
    TElementList& list = ReplaceListElements();
    auto song = makeElement(ListElementType::MP3, "Song.mp3");
    song->SetLength("3:07");
    song->SetIsNew(true);
    list.add("0", song);
    list.add("1", makeElement(ListElementType::MP3, "Other.mp3"));
    gSkin.IconNew = platform::Picture::create(8, 8, rgb(9, 99, 199));
    HightlightTitlebarIndex = 9;
    DrawTitlebarList(canvas);
    auto lengthArea = [](int row) {
        return Rect{gLengthX, bar(row).top + 1, gTitlebarRight, bar(row).bottom};
    };
    EXPECT_GT(inkOn(canvas, lengthArea(0), kBar), 0);
    EXPECT_EQ(inkOn(canvas, lengthArea(1), kBar), 0);
    const int iconTop = bar(0).top + (gTitlebarHeight - 32) / 2 - 1;
    EXPECT_EQ(canvas.pixel(gNewIconX, iconTop), rgb(9, 99, 199));
    EXPECT_NE(canvas.pixel(gNewIconX, bar(1).top + (gTitlebarHeight - 32) / 2 - 1),
              rgb(9, 99, 199));
}

TEST_F(TitlebarListTest, FolderHeaderTextPerMode) {
    struct Row {
        std::uint8_t mode;
        bool editing;
        std::string expected;
    };
    gCurrentDirectory = "/media/Musik/Rock/Band/";
    gEditPlaylistFileName = "Party.m3u";
    gOpenPlaylistName = "Sommer";
    gOpenPlaylistCount = 12;
    const Row rows[] = {
        {mmMusic, false, "Rock/Band"},
        {mmPhoto, false, "Rock/Band"},
        {mmJukebox, false, "JUKEBOX..."},
        {mmPlaylists, false, "PLAYLISTS"},
        {mmPlaylists, true, "PLAYLIST in Bearbeitung: Party.m3u"},
        {mmPlaylist, true, "Sommer [12]"},
    };
    for (const Row& row : rows) {
        gMenuMode = row.mode;
        gPlaylistEditing = row.editing;
        EXPECT_EQ(FolderHeaderText(), row.expected) << int(row.mode);
    }
}

TEST(TitlebarListFolderNames, LastTwoOrWhatThereIs) {
    const std::pair<std::string, std::string> rows[] = {
        {"/media/Musik/Rock/Band/", "Rock/Band"},
        {"/Musik/Rock/", "Musik/Rock"},
        {"/Musik/", "Musik"},
        {"/", ""},
        {"", ""},
        {"relative/folder/", "relative/folder"},
    };
    for (const auto& [folder, expected] : rows)
        EXPECT_EQ(LastTwoFolderNames(folder), expected) << folder;
}

TEST_F(TitlebarListTest, FolderHeaderLineIsDrawnAboveTheList) {
    fillList(2);
    DrawTitlebarList(canvas);
    const Rect line{gFolderNameX, gFolderNameY, gTitlebarRight,
                    gFolderNameY + platform::fontPixelHeight(gFontSizeFolderName)};
    EXPECT_GT(inkOn(canvas, line, kBackground), 0);
    // Drawing the list again gives the same pixels: the line's background is put back first,
    // so the smoothed letters do not grow darker with each drawing.
    const platform::Picture first = canvas.snapshot();
    DrawTitlebarList(canvas);
    EXPECT_EQ(differingPixels(canvas, first, line), 0);
}

using ScrollbarTest = ScreenFixture;

TEST_F(ScrollbarTest, ShownOnlyForMoreElementsThanRows) {
    const Rect& t = gScrollbarRect;
    fillList(10);
    DrawScrollbar(canvas);
    EXPECT_EQ(
        countPixelsOtherThan(canvas, {t.left, t.top - 15, t.right, t.bottom + 15}, kUntouched), 0);
    fillList(11);
    DrawScrollbar(canvas);
    EXPECT_EQ(canvas.pixel(t.left, t.top + 1), kTrack);
    EXPECT_EQ(canvas.pixel(t.right - 1, t.bottom - 1), kTrack);
    EXPECT_EQ(canvas.pixel(t.right, t.top + 1), kUntouched);
}

TEST_F(ScrollbarTest, ThumbRunsFromTheTopToTheBottomOfTheTrack) {
    const Rect& t = gScrollbarRect;
    const int usable = t.height() - 2;
    struct Row {
        int count;
        int offset;
        bool atTop;
    };
    const Row rows[] = {{11, 0, true},   {11, 1, false},  {57, 0, true},
                        {57, 47, false}, {1000, 0, true}, {1000, 990, false}};
    for (const Row& row : rows) {
        canvas.fillRect({0, 0, 800, 600}, kUntouched);
        fillList(row.count);
        gListElementOffset = row.offset;
        DrawScrollbar(canvas);
        const int length = countPixels(canvas, {t.left + 1, t.top, t.left + 2, t.bottom}, kThumb);
        EXPECT_GE(length, 1) << row.count;
        EXPECT_NEAR(length, usable * 10.0 / row.count, 0.5) << row.count;
        const int x = t.left + 1;
        if (row.atTop) {
            EXPECT_EQ(canvas.pixel(x, t.top), kTrack) << row.count;
            EXPECT_EQ(canvas.pixel(x, t.top + 1), kThumb) << row.count;
        } else {
            EXPECT_EQ(canvas.pixel(x, t.bottom - 2), kThumb) << row.count;
            EXPECT_EQ(canvas.pixel(x, t.bottom - 1), kTrack) << row.count;
        }
        // The thumb leaves the track's outer columns.
        EXPECT_EQ(countPixels(canvas, {t.left, t.top, t.left + 1, t.bottom}, kThumb), 0);
        EXPECT_EQ(countPixels(canvas, {t.right - 1, t.top, t.right, t.bottom}, kThumb), 0);
    }
}

using MainMenuDrawTest = ScreenFixture;

TEST_F(MainMenuDrawTest, RowsWithNumbersIconsAndTheClockLine) {
    gMenuMode = mmMain;
    gCurrentDirectory.clear();
    TElementList& list = ReplaceListElements();
    for (const char* name : {"Musik", "Fotos", "Videos"})
        list.add(name, makeElement(ListElementType::MP3Dir, name, ""));
    gSkin.IconMainmenuMusic = platform::Picture::create(10, 40, rgb(1, 100, 1));
    gSkin.IconMainmenuPhoto = platform::Picture::create(10, 40, rgb(2, 100, 2));
    gSkin.IconMainmenuVideo = platform::Picture::create(10, 40, rgb(3, 100, 3));
    HightlightTitlebarIndex = 2;
    DrawTitlebarList(canvas); // the main menu's own variant

    const int pitch = gTitlebarHeightMainmenu;
    const Color icons[] = {rgb(1, 100, 1), rgb(2, 100, 2), rgb(3, 100, 3)};
    for (int i = 0; i < gNumberOfTitlebarsMainmenu; ++i) {
        const int top = gListTop + i * pitch;
        const int bottom = gListTop + (i + 1) * pitch - 3;
        EXPECT_EQ(canvas.pixel(gTitlebarRight - 2, top + 5), i == 2 ? kHighlight : kBar) << i;
        EXPECT_EQ(canvas.pixel(gTitlebarRight - 2, bottom), i == 2 ? kUntouched : kFrame) << i;
        if (i < 3) {
            const int iconY = top + (pitch - 40) / 2 - 2;
            EXPECT_EQ(canvas.pixel(gIconX + 24, iconY), icons[i]) << i;
            EXPECT_GT(inkOn(canvas, {gTextX + 100, top + 1, gTitlebarRight - 9, bottom},
                            i == 2 ? kHighlight : kBar),
                      0)
                << i;
        } else {
            EXPECT_EQ(countPixelsOtherThan(canvas, {gTitlebarLeft, top + 1, gTitlebarRight, bottom},
                                           kBar),
                      0)
                << i;
        }
    }
    // The clock line ends at the right edge of the titlebars.
    const int lineBottom = gFolderNameY + platform::fontPixelHeight(gFontSizeFolderName);
    EXPECT_GT(inkOn(canvas, {gTitlebarRight - 120, gFolderNameY, gTitlebarRight, lineBottom},
                    kBackground),
              0);
    EXPECT_EQ(
        countPixelsOtherThan(canvas, {gTitlebarRight, gFolderNameY, 800, lineBottom}, kUntouched),
        0);
}

TEST(ClockLineFormat, GermanNamesAndFixedSpacing) {
    struct Row {
        int year, month, day, weekday, hour, minute;
        std::string expected;
    };
    const Row rows[] = {
        {2026, 12, 8, 2, 3, 12, "Dienstag, 8. Dezember 2026    03:12 "},
        {2023, 1, 1, 0, 23, 5, "Sonntag, 1. Januar 2023    23:05 "},
        {2020, 2, 29, 6, 0, 0, "Samstag, 29. Februar 2020    00:00 "},
        {2024, 3, 14, 4, 9, 59, "Donnerstag, 14. März 2024    09:59 "},
    };
    for (const Row& row : rows) {
        std::tm time{};
        time.tm_year = row.year - 1900;
        time.tm_mon = row.month - 1;
        time.tm_mday = row.day;
        time.tm_wday = row.weekday;
        time.tm_hour = row.hour;
        time.tm_min = row.minute;
        EXPECT_EQ(FormatClockLine(time), row.expected);
    }
}

TEST(TitlebarListPhotoDate, DayMonthYearAndTimeBeforeAndAfterTheEpoch) {
    const std::pair<double, std::string> rows[] = {
        {36526.0, "1. Jan 2000, 00:00"},
        {45000.5, "15. Mrz 2023, 12:00"},
        {36526.75 + 5.0 / 1440, "1. Jan 2000, 18:05"},
        {36526.9999999999, "2. Jan 2000, 00:00"},
        {2.0, "1. Jan 1900, 00:00"},
        // Before 30 Dec 1899 the day counts back and the fraction's size is the time of day.
        {-0.5, "30. Dez 1899, 12:00"},
        {-1.25, "29. Dez 1899, 06:00"},
        {-2.75, "28. Dez 1899, 18:00"},
        {-36522.0 - 18.5 / 24, "1. Jan 1800, 18:30"},
        {-1.9999999999, "30. Dez 1899, 00:00"},
        {1e300, ""},
    };
    for (const auto& [date, expected] : rows)
        EXPECT_EQ(FormatPhotoDate(date), expected) << date;
}

TEST(TitlebarListCoverSize, ShrinksToTheAspectFromTheTopLeftCorner) {
    struct Row {
        int width, height;
        Rect expected;
    };
    const Rect area{2, 32, 202, 232};
    const Row rows[] = {
        {600, 300, {2, 32, 202, 132}},
        {300, 600, {2, 32, 102, 232}},
        {400, 400, {2, 32, 202, 232}},
        {200, 200, area},
        {150, 100, area},
        {0, 0, area},
        {201, 100, {2, 32, 202, 132}},
        {500, 333, {2, 32, 202, 165}},
    };
    for (const Row& row : rows) {
        const Rect r = ShrunkCoverRect(area, row.width, row.height);
        EXPECT_EQ(r.left, row.expected.left) << row.width << "x" << row.height;
        EXPECT_EQ(r.top, row.expected.top) << row.width << "x" << row.height;
        EXPECT_EQ(r.right, row.expected.right) << row.width << "x" << row.height;
        EXPECT_EQ(r.bottom, row.expected.bottom) << row.width << "x" << row.height;
    }
}

// The cover control on a window whose cover area is 200 x 200 pixels.
class TitlebarListCoverTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        form = std::make_unique<TMainform>(
            TMainform::Options{folder.path(), &clock, testsupport::fakePlayers(clock)});
        gIniScreenWidth = 792;
        gIniScreenHeight = 600;
        ComputeScreenLayout();
        ASSERT_EQ(gCoverRect.width(), 200);
        ASSERT_EQ(gCoverRect.height(), 200);
    }

    std::string writeJpeg(const std::string& name, int width, int height) {
        platform::Picture picture = platform::Picture::create(width, height, rgb(200, 30, 30));
        const std::string path = folder.file(name);
        EXPECT_EQ(IMG_SaveJPG(picture.surface(), path.c_str(), 90), 0) << IMG_GetError();
        return path;
    }

    testsupport::TempDir folder;
    platform::ManualClock clock{1000};
    std::unique_ptr<TMainform> form;
};

TEST_F(TitlebarListCoverTest, ControlShrinksToTheLoadedPictureUntilHidden) {
    struct Case {
        const char* file;
        int width, height;
        bool centred;
        int controlWidth, controlHeight;
    };
    const Case cases[] = {
        {"wide.jpg", 600, 300, false, 200, 100},
        {"small.jpg", 120, 80, true, 200, 200}, // fits: the whole area, centred
        {"tall.jpg", 100, 400, false, 50, 200},
    };
    for (const Case& c : cases) {
        form->CoverImage.setVisible(false);
        DrawCover(canvas, writeJpeg(c.file, c.width, c.height));
        const TCBImage& cover = form->CoverImage;
        EXPECT_TRUE(cover.Visible()) << c.file;
        EXPECT_EQ(cover.CenterView, c.centred) << c.file;
        EXPECT_EQ(cover.Left(), gCoverRect.left) << c.file;
        EXPECT_EQ(cover.Top(), gCoverRect.top) << c.file;
        EXPECT_EQ(cover.Width(), c.controlWidth) << c.file;
        EXPECT_EQ(cover.Height(), c.controlHeight) << c.file;
    }
    // A visible cover stays as it is.
    DrawCover(canvas, folder.file("wide.jpg"));
    EXPECT_EQ(form->CoverImage.Width(), 50);
}

TEST_F(TitlebarListCoverTest, NoCoverShowsTheEmptyCoverOnlyInMusicFolders) {
    gSkin.CDCoverEmpty = platform::Picture::create(20, 20, rgb(7, 77, 177));
    DrawCover(canvas, writeJpeg("wide.jpg", 600, 300));
    ASSERT_TRUE(form->CoverImage.Visible());

    gMenuMode = mmMusic;
    DrawCover(canvas, "");
    EXPECT_FALSE(form->CoverImage.Visible());
    EXPECT_EQ(countPixels(canvas, gCoverRect, rgb(7, 77, 177)), 200 * 200);

    gMenuMode = mmVideo;
    canvas.fillRect({0, 0, 800, 600}, kUntouched);
    DrawCover(canvas, "");
    EXPECT_EQ(countPixels(canvas, gCoverRect, rgb(7, 77, 177)), 0);
}

TEST_F(TitlebarListCoverTest, HidingTheCoverPutsTheBackgroundBack) {
    DrawBackground(canvas);
    DrawCover(canvas, writeJpeg("wide.jpg", 600, 300));
    form->CoverImage.paint(canvas);
    ASSERT_GT(countPixelsOtherThan(canvas, {2, 32, 202, 132}, kBackground), 0);
    gMenuMode = mmVideo;
    DrawCover(canvas, "");
    EXPECT_EQ(countPixelsOtherThan(canvas, gCoverRect, kBackground), 0);
}

TEST_F(TitlebarListCoverTest, PhotoCaptionOverTheNameBar) {
    gMenuMode = mmPhotoView;
    gSkin.PhotoNameBar = platform::Picture::create(450, 30, rgb(40, 40, 90));
    gFontSizePhotoName = 12;
    gFontColorPhotoName = rgb(255, 255, 0);
    gFontSizePhotoTitle = 20;
    gFontColorPhotoTitle = rgb(250, 250, 250);
    gFontColorPhotoTitleLight = rgb(10, 10, 10);
    gDiashowPhotoList.add("0", std::make_shared<TListElement>(ListElementType::Photo, "/fotos/",
                                                              "Strand.jpg", 45000.5, 0));
    gDiashowPhotoIndex = 0;
    gCurrentPhotoTitle = "Am Meer";
    DrawPhotoCaption();
    const Canvas& screen = form->window()->canvas();
    EXPECT_EQ(screen.pixel(445, 25), rgb(40, 40, 90));
    EXPECT_GT(countPixelsOtherThan(screen, gPhotoNameRect, rgb(40, 40, 90)), 0);
    EXPECT_EQ(countPixelsOtherThan(screen, {440, 5, 450, 28}, rgb(40, 40, 90)), 0);
    EXPECT_GT(countPixels(screen, gPhotoTitleRect, rgb(250, 250, 250)), 0);
    EXPECT_GT(countPixels(screen, gPhotoTitleRect, rgb(10, 10, 10)), 0);
}

TEST_F(TitlebarListCoverTest, WindowRedrawsLeaveFullWindowViewsAndOptionsAlone) {
    fillList(20);
    Canvas& screen = form->window()->canvas();
    const Rect list{gTitlebarLeft, gListTop, gScrollbarRect.right, gListBottom};
    for (std::uint8_t mode : {mmPhotoView, mmCoverFullscreen, mmCoverScreensaver, mmOptions}) {
        gMenuMode = mode;
        screen.fillRect({0, 0, screen.width(), screen.height()}, kUntouched);
        DrawTitlebarList();
        if (mode != mmOptions)
            DrawScrollbar();
        form->loop().processPending();
        EXPECT_EQ(countPixelsOtherThan(screen, list, kUntouched), 0) << int(mode);
    }
    gMenuMode = mmMusic;
    DrawTitlebarList();
    DrawScrollbar();
    form->loop().processPending();
    EXPECT_EQ(screen.pixel(gTitlebarRight - 2, gListTop + 5), kHighlight);
    EXPECT_EQ(screen.pixel(gScrollbarRect.left, gScrollbarRect.bottom - 1), kTrack);
}

} // namespace
