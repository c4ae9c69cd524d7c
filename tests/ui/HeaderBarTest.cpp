#include "ui/HeaderBar.h"

#include "DrawingFixture.h"
#include "input/PressedKeyText.h"

#include <gtest/gtest.h>

namespace {

using platform::Color;
using platform::Picture;
using platform::Rect;
using platform::rgb;
using testsupport::kWhite;

constexpr Color kBar = rgb(10, 20, 120);
constexpr Color kMouse1 = rgb(0, 200, 0);
constexpr Color kMouse2 = rgb(230, 0, 0);
constexpr Color kMinimize = rgb(250, 250, 0);
constexpr Color kLogo = rgb(0, 240, 240);
constexpr Color kText = rgb(255, 128, 0);

class HeaderBarTest : public testsupport::DrawingFixture {
protected:
    void SetUp() override {
        DrawingFixture::SetUp();
        gColorHeaderBar = kBar;
        gFontColorHeaderBar = kText;
        gFontSizeHeaderBar = 12;
        gSkin.IconMouse1 = Picture::create(20, 10, kMouse1);
        gSkin.IconMouse2 = Picture::create(12, 6, kMouse2);
    }
};

TEST_F(HeaderBarTest, FillsTheBarAcrossTheTopOnly) {
    DrawHeaderBar(canvas);
    const int barHeight = 600 / 20;
    EXPECT_EQ(canvas.pixel(0, 0), kBar);
    EXPECT_EQ(canvas.pixel(400, barHeight - 1), kBar);
    EXPECT_EQ(canvas.pixel(799, barHeight - 1), kBar);
    EXPECT_EQ(canvas.pixel(400, barHeight), kWhite);
}

TEST_F(HeaderBarTest, MouseIconFollowsTheClicksSettingAtIconMouse1sPlace) {
    // IconMouse1 is 20 x 10: x = 768 - 20 - 6, y = (30 - 10) div 2.
    const int x = gTitlebarRight - 20 - 6;
    const int y = (30 - 10) / 2;

    gIniMouseButtonClicksToStart = 1;
    DrawHeaderBar(canvas);
    EXPECT_EQ(countPixels(Rect{x, y, x + 20, y + 10}, kMouse1), 200);

    gIniMouseButtonClicksToStart = 2;
    DrawHeaderBar(canvas);
    EXPECT_EQ(countPixels(Rect{x, y, x + 12, y + 6}, kMouse2), 12 * 6);
    EXPECT_EQ(countPixels(Rect{0, 0, 800, 30}, kMouse2), 12 * 6);
    EXPECT_EQ(countPixels(Rect{0, 0, 800, 30}, kMouse1), 0);

    gIniMouseButtonClicksToStart = 3;
    DrawHeaderBar(canvas);
    EXPECT_EQ(countPixels(Rect{0, 0, 800, 30}, kMouse1), 0);
    EXPECT_EQ(countPixels(Rect{0, 0, 800, 30}, kMouse2), 0);
}

TEST_F(HeaderBarTest, LogoLeavesOutSilverAndMinimizeIconIsCopiedWhole) {
    gSkin.ZVN = Picture::create(16, 10, platform::kSilver);
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 10; ++y)
            gSkin.ZVN.setPixel(x, y, kLogo);
    }
    gSkin.IconMinimize = Picture::create(14, 8, platform::kSilver);
    gSkin.IconMinimize.setPixel(0, 0, kMinimize);

    DrawHeaderBar(canvas);
    // ZVN at (1, (30 - 10) div 2): its silver half shows the bar.
    EXPECT_EQ(canvas.pixel(1, 10), kLogo);
    EXPECT_EQ(canvas.pixel(8, 10), kLogo);
    EXPECT_EQ(canvas.pixel(9, 10), kBar);
    // IconMinimize at (gTitlebarRight, (30 - 8) div 2), silver included.
    EXPECT_EQ(canvas.pixel(gTitlebarRight, 11), kMinimize);
    EXPECT_EQ(canvas.pixel(gTitlebarRight + 13, 18), platform::kSilver);
    EXPECT_EQ(canvas.pixel(gTitlebarRight + 14, 18), kBar);
}

TEST_F(HeaderBarTest, PressedKeyTextEndsTwoMouseIconWidthsLeftOfTheTitlebarEnd) {
    gPressedKeyText = "Abspielen";
    DrawHeaderBar(canvas);

    const int end = gTitlebarRight - 2 * 20;
    platform::FontSpec font{gFontName, gFontSizeHeaderBar, false, false, kText};
    canvas.setFont(font);
    const int width = canvas.textWidth(gPressedKeyText);
    ASSERT_GT(width, 20);
    EXPECT_GT(countPixels(Rect{end - width, 0, end, 30}, kText), 0);
    EXPECT_EQ(countPixels(Rect{0, 0, end - width, 30}, kText), 0);
    EXPECT_EQ(countPixels(Rect{end, 0, 800, 30}, kText), 0);
}

TEST_F(HeaderBarTest, NoTextWithoutPressedKeyText) {
    DrawHeaderBar(canvas);
    EXPECT_EQ(countPixels(Rect{0, 0, 800, 30}, kText), 0);
}

TEST_F(HeaderBarTest, PhotoViewDrawsNothing) {
    gMenuMode = mmPhotoView;
    gPressedKeyText = "Weiter";
    DrawHeaderBar(canvas);
    EXPECT_EQ(countPixels(Rect{0, 0, 800, 30}, kWhite), 800 * 30);
}

} // namespace
