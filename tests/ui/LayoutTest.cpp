#include "ui/Layout.h"
#include "app/Mainform.h"
#include "app/Program.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

namespace {

using platform::Rect;

void expectRect(const Rect& actual, const Rect& expected, const char* name) {
    EXPECT_EQ(actual.left, expected.left) << name;
    EXPECT_EQ(actual.top, expected.top) << name;
    EXPECT_EQ(actual.right, expected.right) << name;
    EXPECT_EQ(actual.bottom, expected.bottom) << name;
}

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        gSkin.MediaPlayerButtons = platform::Picture();
        // Pixel heights 16 (header), 12 (status line) and 20 (folder line).
        gFontSizeHeaderBar = 12;
        gFontSizeStatusbar = 9;
        gFontSizeFolderName = 15;
    }

    // The main window's timers and controls, without a window.
    platform::ManualClock m_partsClock{0};
    TMainformParts m_parts{&m_partsClock};
};

TEST(LayoutRounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, int> rows[] = {{0.5, 0},    {1.5, 2},      {2.5, 2},   {3.5, 4},
                                           {-0.5, 0},   {-1.5, -2},    {-2.5, -2}, {2.4999, 2},
                                           {2.5001, 3}, {203.99, 204}, {-3.6, -4}, {7.0, 7}};
    for (const auto& [value, expected] : rows)
        EXPECT_EQ(RoundHalfEven(value), expected) << value;
}

TEST_F(LayoutTest, SmallestScreenWithTenTitlebars) {
    gIniScreenWidth = 800;
    gIniScreenHeight = 600;
    gIniNumberOfTitlebars = 10;
    gNumberOfTitlebarsMainmenu = 8;
    gNumberOfMenubars = 10;
    ComputeScreenLayout();

    EXPECT_EQ(gLeftColumnWidth, 204);
    expectRect(gHeaderBarRect, {0, 0, 800, 30}, "header bar");
    expectRect(gStatusLineRect, {0, 570, 800, 600}, "status line");
    EXPECT_EQ(gStatusTop, 570);
    EXPECT_EQ(gTitlebarLeft, 220);
    EXPECT_EQ(gTitlebarRight, 768);
    EXPECT_EQ(gListBottom, 560);
    EXPECT_EQ(gScrollbarRect.left, 776);
    EXPECT_EQ(gScrollbarRect.right, 788);

    const std::pair<int, int> values[] = {
        {gHeaderTextY, 7},
        {gFolderNameX, 220},
        {gFolderNameY, 46},
        {gFolderNameBottom, 66},
        {gStatusTextX, 10},
        {gStatusTextY, 579},
        {gProgressX, 677},
        {gMediaButtonsLeft, 657},
        {gMediaButtonsY, 585},
        {gTitlebarSplitLeft, 656},
        {gTitlebarSplitRight, 660},
        {gListTop, 81},
        {gTitlebarHeight, 47},
        {gTitlebarHeightMainmenu, 59},
        {gNumberX, 222},
        {gIconX, 248},
        {gTextX, 286},
        {gLengthX, 707},
        {gRatingX, 645},
        {gNewIconX, 718},
        {gOptionValueX, 670},
        {gMenubarHeight, 32},
        {gMenubarCaptionX, 44},
        {gMenubarIconSize, 19},
    };
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(values[i].first, values[i].second) << "value " << i;
    expectRect(gScrollbarRect, {776, 81, 788, 550}, "scrollbar");
    expectRect(gCoverRect, {2, 32, 204, 232}, "cover");
    expectRect(gMenubarRect, {0, 234, 204, 559}, "menubar");
    expectRect(gPhotoNameRect, {10, 5, 440, 28}, "photo name");
    expectRect(gPhotoTitleRect, {20, 560, 780, 598}, "photo title");
    EXPECT_FLOAT_EQ(gFontScale, 0.6f);
}

TEST_F(LayoutTest, LargeScreenTakesTheMediaButtonsIntoAccount) {
    gIniScreenWidth = 1280;
    gIniScreenHeight = 1024;
    gIniNumberOfTitlebars = 12;
    gNumberOfTitlebarsMainmenu = 8;
    gNumberOfMenubars = 10;
    gSkin.MediaPlayerButtons = platform::Picture::create(100, 20);
    ComputeScreenLayout();

    const std::pair<int, int> values[] = {
        {gLeftColumnWidth, 326},
        {gHeaderTextY, 17},
        {gFolderNameX, 351},
        {gFolderNameY, 79},
        {gFolderNameBottom, 99},
        {gStatusTop, 973},
        {gStatusTextX, 16},
        {gStatusTextY, 992},
        {gProgressX, 1083},
        {gMediaButtonsLeft, 963},
        {gMediaButtonsY, 988},
        {gTitlebarLeft, 351},
        {gTitlebarRight, 1229},
        {gTitlebarSplitLeft, 1051},
        {gTitlebarSplitRight, 1055},
        {gListTop, 125},
        {gListBottom, 956},
        {gTitlebarHeight, 69},
        {gTitlebarHeightMainmenu, 103},
        {gNumberX, 353},
        {gIconX, 396},
        {gTextX, 457},
        {gLengthX, 1131},
        {gRatingX, 1032},
        {gNewIconX, 1149},
        {gOptionValueX, 1071},
        {gMenubarHeight, 55},
        {gMenubarCaptionX, 71},
        {gMenubarIconSize, 32},
    };
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(values[i].first, values[i].second) << "value " << i;
    expectRect(gHeaderBarRect, {0, 0, 1280, 51}, "header bar");
    expectRect(gStatusLineRect, {0, 973, 1280, 1024}, "status line");
    expectRect(gScrollbarRect, {1237, 125, 1249, 946}, "scrollbar");
    expectRect(gCoverRect, {2, 53, 326, 394}, "cover");
    expectRect(gMenubarRect, {0, 396, 326, 954}, "menubar");
    expectRect(gPhotoTitleRect, {20, 956, 1260, 1022}, "photo title");
    EXPECT_FLOAT_EQ(gFontScale, 1.0f);
}

TEST_F(LayoutTest, SizesTheWindowToTheResolution) {
    platform::SdlSession sdl;
    ASSERT_TRUE(sdl.ok());
    TMainform form(TMainform::Options{});
    gIniScreenWidth = 1024;
    gIniScreenHeight = 768;
    ComputeScreenLayout();
    EXPECT_EQ(form.window()->width(), 1024);
    EXPECT_EQ(form.window()->height(), 768);
    EXPECT_EQ(form.window()->canvas().width(), 1024);
    EXPECT_FLOAT_EQ(gFontScale, 0.75f);
}

} // namespace
