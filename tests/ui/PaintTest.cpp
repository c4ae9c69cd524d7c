#include "ScreenFixture.h"

#include "pictures/CoverView.h"
#include "ui/Paint.h"

namespace {

using namespace screentest;

class PaintTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        fillList(12); // enough for the scrollbar
        gSkin.CDCoverEmpty = platform::Picture::create(4, 4, kEmptyCover);
    }

    // A point of the first titlebar clear of its text, and one of the scrollbar track.
    Color listPixel() const { return canvas.pixel(gTitlebarRight - 2, bar(0).top + 5); }
    Color scrollbarPixel() const {
        return canvas.pixel(gScrollbarRect.left, gScrollbarRect.bottom - 1);
    }
    Color coverPixel() const { return canvas.pixel(gCoverRect.left + 5, gCoverRect.top + 5); }

    static constexpr Color kEmptyCover = rgb(7, 77, 177);
};

TEST_F(PaintTest, MusicFolderShowsEveryPart) {
    PaintMainScreen(canvas);
    EXPECT_EQ(canvas.pixel(gTitlebarLeft - 5, gListTop + 20), kBackground);
    EXPECT_EQ(listPixel(), kHighlight);
    EXPECT_EQ(canvas.pixel(gTitlebarRight - 2, bar(1).top + 5), kBar);
    EXPECT_EQ(scrollbarPixel(), kTrack);
    EXPECT_EQ(coverPixel(), kEmptyCover);
}

TEST_F(PaintTest, ModesStopPaintingAtTheirStep) {
    struct Row {
        std::uint8_t mode;
        bool background, list, scrollbar;
    };
    const Row rows[] = {
        {mmPhotoView, false, false, false},
        {mmCoverFullscreen, true, false, false},
        {mmCoverScreensaver, true, false, false},
        {mmOptions, true, true, true}, // the options rows in place of the list
        {mmVideo, true, true, true},
        {mmPlaylist, true, true, true},
    };
    for (const Row& row : rows) {
        canvas.fillRect({0, 0, 800, 600}, kUntouched);
        gMenuMode = row.mode;
        PaintMainScreen(canvas);
        const int mode = row.mode;
        EXPECT_EQ(canvas.pixel(gTitlebarLeft - 5, gListTop + 20) == kBackground, row.background)
            << mode;
        EXPECT_EQ(listPixel() == kHighlight, row.list) << mode;
        EXPECT_EQ(scrollbarPixel() == kTrack, row.scrollbar) << mode;
        // The empty cover belongs to the music folders only.
        EXPECT_NE(coverPixel(), kEmptyCover) << mode;
    }
}

TEST_F(PaintTest, BackgroundIsStretchedOverTheWholeScreen) {
    platform::Picture background = platform::Picture::create(2, 2, rgb(10, 10, 10));
    background.setPixel(1, 1, rgb(90, 90, 90));
    gSkin.Background = std::move(background);
    gMenuMode = mmCoverFullscreen; // background and header bar only
    PaintMainScreen(canvas);
    EXPECT_EQ(canvas.pixel(5, 590), rgb(10, 10, 10));
    EXPECT_EQ(canvas.pixel(795, 595), rgb(90, 90, 90));
    EXPECT_EQ(canvas.pixel(795, 40), rgb(10, 10, 10));
}

TEST_F(PaintTest, CoverNameFollowsTheBackCoverFlag) {
    // Only an empty name gives the empty cover, so the picture tells which name was used.
    gCurrentCoverFrontFileName = "";
    gCurrentCoverBackFileName = "/media/Musik/Band/back.jpg";
    gShowBackCover = false;
    PaintMainScreen(canvas);
    EXPECT_EQ(coverPixel(), kEmptyCover);
    canvas.fillRect({0, 0, 800, 600}, kUntouched);
    gShowBackCover = true;
    PaintMainScreen(canvas);
    EXPECT_NE(coverPixel(), kEmptyCover);
    gShowBackCover = false;
}

TEST_F(PaintTest, RestoringARegionPutsTheStretchedBackgroundBack) {
    platform::Picture background = platform::Picture::create(2, 2, rgb(10, 10, 10));
    background.setPixel(1, 0, rgb(90, 90, 90));
    gSkin.Background = std::move(background);
    gMenuMode = mmCoverFullscreen;
    PaintMainScreen(canvas);
    const Rect region{350, 100, 450, 140};
    const platform::Picture before = canvas.snapshot();
    canvas.fillRect(region, kUntouched);
    RestoreBackground(canvas, region);
    const Rect withBorder{region.left - 1, region.top - 1, region.right + 1, region.bottom + 1};
    EXPECT_EQ(testsupport::differingPixels(canvas, before, withBorder), 0);
    // A new background picture replaces the kept one.
    gSkin.Background = platform::Picture::create(2, 2, rgb(33, 33, 33));
    RestoreBackground(canvas, {0, 0, 10, 10});
    EXPECT_EQ(canvas.pixel(5, 5), rgb(33, 33, 33));
}

} // namespace
