#include "platform/Canvas.h"
#include "platform/Window.h"

#include "TemporaryFolder.h"
#include "support/Pixels.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::Canvas;
using platform::Color;
using platform::Picture;
using platform::Rect;
using platform::rgb;

constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kRed = rgb(255, 0, 0);
constexpr Color kBlue = rgb(0, 0, 255);
constexpr Color kGreen = rgb(0, 160, 0);

using testsupport::countPixels;

using testsupport::countOtherPixelsOutside;

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.ok());
        canvas.fillRect(Rect{0, 0, canvas.width(), canvas.height()}, kWhite);
    }

    void useFont(const std::string& name, int points, Color color, bool bold = false) {
        platform::FontSpec font;
        font.name = name;
        font.pointSize = points;
        font.color = color;
        font.bold = bold;
        canvas.setFont(font);
    }

    platform::SdlSession session;
    Canvas canvas{160, 100};
};

TEST_F(CanvasTest, FillRectCoversLeftAndTopButNotRightAndBottom) {
    canvas.fillRect(Rect{10, 20, 30, 25}, kRed);
    EXPECT_EQ(countPixels(canvas, Rect{10, 20, 30, 25}, kRed), 20 * 5);
    EXPECT_EQ(countOtherPixelsOutside(canvas, Rect{10, 20, 30, 25}, kWhite), 0);
}

TEST_F(CanvasTest, FillRectClipsAndIgnoresInvertedRectangles) {
    canvas.fillRect(Rect{150, 90, 400, 300}, kRed);
    canvas.fillRect(Rect{50, 50, 40, 60}, kBlue);
    EXPECT_EQ(countPixels(canvas, Rect{150, 90, 160, 100}, kRed), 100);
    EXPECT_EQ(countOtherPixelsOutside(canvas, Rect{150, 90, 160, 100}, kWhite), 0);
}

TEST_F(CanvasTest, ColoursKeepRedInTheLowByte) {
    canvas.fillRect(Rect{0, 0, 1, 1}, 2678000); // red 240, green 220, blue 40
    EXPECT_EQ(canvas.pixel(0, 0), rgb(240, 220, 40));
    EXPECT_EQ(canvas.pixel(-1, 0), platform::kInvalidColor);
    EXPECT_EQ(canvas.pixel(0, 100), platform::kInvalidColor);
}

TEST_F(CanvasTest, LineLeavesOutItsEndPoint) {
    struct Row {
        int x1, y1, x2, y2;
        int pixels;
    };
    const std::vector<Row> rows = {
        {10, 10, 20, 10, 10}, // rightwards
        {20, 10, 10, 10, 10}, // leftwards
        {5, 5, 5, 15, 10},    // downwards
        {5, 15, 5, 5, 10},    // upwards
        {0, 0, 10, 10, 10},   // diagonal
        {30, 30, 30, 30, 0},  // a point draws nothing
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.x1 << "," << row.y1 << " -> " << row.x2 << "," << row.y2);
        canvas.fillRect(Rect{0, 0, canvas.width(), canvas.height()}, kWhite);
        canvas.line(row.x1, row.y1, row.x2, row.y2, kBlack);
        EXPECT_EQ(countPixels(canvas, Rect{0, 0, canvas.width(), canvas.height()}, kBlack),
                  row.pixels);
        if (row.pixels > 0) {
            EXPECT_EQ(canvas.pixel(row.x1, row.y1), kBlack);
            EXPECT_EQ(canvas.pixel(row.x2, row.y2), kWhite);
        }
    }
}

TEST_F(CanvasTest, LineReachingFarOutsideDrawsItsVisiblePart) {
    canvas.line(-1000000, 50, 1000000, 50, kBlack);
    EXPECT_EQ(countPixels(canvas, Rect{0, 50, canvas.width(), 51}, kBlack), canvas.width());
}

TEST_F(CanvasTest, TextDrawsInItsColourOnlyInsideItsExtent) {
    useFont("Arial", 12, kBlue);
    canvas.textOut(10, 20, "Hallo Welt");
    const Rect extent{10, 20, 10 + canvas.textWidth("Hallo Welt"),
                      20 + canvas.textHeight("Hallo Welt")};
    EXPECT_GT(extent.width(), 30);
    EXPECT_GT(countPixels(canvas, extent, kBlue), 20);
    EXPECT_EQ(countOtherPixelsOutside(canvas, extent, kWhite), 0);
}

TEST_F(CanvasTest, TextRectDrawsNothingOutsideTheClipRectangle) {
    useFont("Arial", 12, kBlack);
    const Rect clip{10, 10, 40, 18};
    canvas.textRect(clip, 10, 10, "Ein langer Titel, der nicht passt");
    EXPECT_GT(countPixels(canvas, clip, kBlack), 0);
    EXPECT_EQ(countOtherPixelsOutside(canvas, clip, kWhite), 0);
}

TEST_F(CanvasTest, FilledTextBackgroundCoversTheTextCell) {
    useFont("Arial", 10, kBlack);
    canvas.setTextBackground(false, kGreen);
    canvas.textOut(10, 10, "Hm");
    const Rect cell{10, 10, 10 + canvas.textWidth("Hm"), 10 + canvas.textHeight("Hm")};
    // The lowest line of the cell lies below the baseline of letters without descenders.
    EXPECT_EQ(
        countPixels(canvas, Rect{cell.left, cell.bottom - 1, cell.right, cell.bottom}, kGreen),
        cell.width());
    EXPECT_GT(countPixels(canvas, cell, kBlack), 0);
    EXPECT_EQ(countOtherPixelsOutside(canvas, cell, kWhite), 0);
}

TEST_F(CanvasTest, FilledTextBackgroundOfTextRectCoversTheClipRectangle) {
    useFont("Arial", 10, kBlack);
    canvas.setTextBackground(false, kGreen);
    const Rect clip{5, 5, 120, 60};
    canvas.textRect(clip, 5, 5, "i");
    EXPECT_EQ(canvas.pixel(119, 59), kGreen);
    EXPECT_EQ(canvas.pixel(120, 59), kWhite);
    canvas.setTextBackground(true);
    canvas.fillRect(clip, kWhite);
    canvas.textRect(clip, 5, 5, "i");
    EXPECT_EQ(countPixels(canvas, clip, kGreen), 0);
}

TEST_F(CanvasTest, FontSizeZeroMeansEightPoints) {
    useFont("Arial", 8, kBlack);
    const int eightPoints = canvas.textHeight("X");
    useFont("Arial", 0, kBlack);
    EXPECT_EQ(canvas.textHeight("X"), eightPoints);
    useFont("Arial", 20, kBlack);
    EXPECT_GT(canvas.textHeight("X"), eightPoints);
}

TEST_F(CanvasTest, FontPixelHeightIsPointsAtNinetySixDpiRounded) {
    const std::vector<std::pair<int, int>> rows = {
        {0, 11},  {-4, 11}, {8, 11},  {9, 12},      {10, 13},
        {11, 15}, {12, 16}, {20, 27}, {1000, 1333}, {2147483647, 1333}};
    for (const auto& [points, pixels] : rows)
        EXPECT_EQ(platform::fontPixelHeight(points), pixels) << points << " points";
}

TEST_F(CanvasTest, TextExtentFollowsStyleAndCharacters) {
    useFont("Arial", 14, kBlack);
    const int regular = canvas.textWidth("Hallo Welt");
    EXPECT_EQ(canvas.textWidth(""), 0);
    // UTF-8 text: "ü" is one glyph, not two.
    EXPECT_NEAR(canvas.textWidth("\xC3\xBC"), canvas.textWidth("u"), 1);
    // A Windows-1252 name is drawn as the letters it stands for.
    EXPECT_EQ(canvas.textWidth("M\xE4"
                               "dchen \x80"),
              canvas.textWidth("M\u00E4"
                               "dchen \u20AC"));
    canvas.textOut(0, 0,
                   "M\xE4"
                   "dchen \x80");
    const int drawn = countPixels(canvas, Rect{0, 0, canvas.width(), canvas.height()}, kBlack);
    canvas.fillRect(Rect{0, 0, canvas.width(), canvas.height()}, kWhite);
    canvas.textOut(0, 0,
                   "M\u00E4"
                   "dchen \u20AC");
    EXPECT_EQ(countPixels(canvas, Rect{0, 0, canvas.width(), canvas.height()}, kBlack), drawn);
    useFont("Arial", 14, kBlack, true);
    EXPECT_GT(canvas.textWidth("Hallo Welt"), regular);
}

TEST_F(CanvasTest, UnknownFontNameFallsBackToAnotherFont) {
    useFont("No Such Font Family", 12, kBlack);
    canvas.textOut(0, 0, "Xx");
    EXPECT_GT(countPixels(canvas, Rect{0, 0, canvas.width(), canvas.height()}, kBlack), 0);
}

TEST_F(CanvasTest, NothingToDrawOnOrWithIsIgnored) {
    Canvas empty(0, 0);
    empty.textOut(0, 0, "x");
    empty.fillRect(Rect{0, 0, 5, 5}, kRed);
    empty.stretchDraw(Rect{0, 0, 5, 5}, Picture::create(2, 2, kRed));
    canvas.stretchDraw(Rect{0, 0, 10, 10}, Picture());
    canvas.drawTransparent(0, 0, Picture());
    EXPECT_EQ(countOtherPixelsOutside(canvas, Rect{}, kWhite), 0);
    EXPECT_EQ(empty.width(), 0);
    EXPECT_EQ(empty.pixel(0, 0), platform::kInvalidColor);
    EXPECT_FALSE(empty.savePng("/tmp/never-written.png"));
}

Picture silverFramedRedPicture() {
    // 4 x 4: silver border, red 2 x 2 centre
    Picture picture = Picture::create(4, 4, platform::kSilver);
    for (int y = 1; y < 3; ++y) {
        for (int x = 1; x < 3; ++x)
            picture.setPixel(x, y, kRed);
    }
    return picture;
}

TEST_F(CanvasTest, DrawTransparentLeavesOutSilverPixels) {
    canvas.drawTransparent(10, 10, silverFramedRedPicture());
    EXPECT_EQ(countPixels(canvas, Rect{11, 11, 13, 13}, kRed), 4);
    EXPECT_EQ(countOtherPixelsOutside(canvas, Rect{11, 11, 13, 13}, kWhite), 0);
}

TEST_F(CanvasTest, DrawTransparentWithAnotherKeyColourDrawsSilver) {
    Picture picture = silverFramedRedPicture();
    canvas.drawTransparent(10, 10, picture, kRed);
    EXPECT_EQ(countPixels(canvas, Rect{10, 10, 14, 14}, platform::kSilver), 12);
    EXPECT_EQ(countPixels(canvas, Rect{0, 0, canvas.width(), canvas.height()}, kRed), 0);
}

TEST_F(CanvasTest, StretchDrawTransparentScalesAndLeavesOutSilver) {
    canvas.stretchDrawTransparent(Rect{20, 20, 28, 28}, silverFramedRedPicture());
    EXPECT_EQ(countPixels(canvas, Rect{22, 22, 26, 26}, kRed), 16);
    EXPECT_EQ(countOtherPixelsOutside(canvas, Rect{22, 22, 26, 26}, kWhite), 0);
}

TEST_F(CanvasTest, PlainDrawCopiesEveryPixel) {
    canvas.draw(-2, -2, silverFramedRedPicture());
    EXPECT_EQ(canvas.pixel(0, 0), kRed);
    EXPECT_EQ(canvas.pixel(1, 1), platform::kSilver);
    EXPECT_EQ(canvas.pixel(2, 2), kWhite);
}

TEST_F(CanvasTest, StretchDrawFillsExactlyTheDestination) {
    struct Row {
        Rect dest;
        Rect visible;
    };
    const std::vector<Row> rows = {
        {Rect{10, 10, 50, 30}, Rect{10, 10, 50, 30}},         // enlarged
        {Rect{10, 10, 12, 11}, Rect{10, 10, 12, 11}},         // shrunk
        {Rect{-30, 80, 40, 140}, Rect{0, 80, 40, 100}},       // sticking out
        {Rect{-100, -100, 4000, 4000}, Rect{0, 0, 160, 100}}, // larger than the canvas
    };
    const Picture picture = Picture::create(5, 3, kBlue);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.dest.left << "," << row.dest.top << ","
                                        << row.dest.right << "," << row.dest.bottom);
        canvas.fillRect(Rect{0, 0, canvas.width(), canvas.height()}, kWhite);
        canvas.stretchDraw(row.dest, picture);
        EXPECT_EQ(countPixels(canvas, row.visible, kBlue),
                  row.visible.width() * row.visible.height());
        EXPECT_EQ(countOtherPixelsOutside(canvas, row.visible, kWhite), 0);
    }
}

TEST_F(CanvasTest, StretchDrawKeepsTheCornersOfThePicture) {
    Picture picture = Picture::create(2, 2, kRed);
    picture.setPixel(1, 1, kBlue);
    canvas.stretchDraw(Rect{0, 0, 40, 40}, picture);
    EXPECT_EQ(canvas.pixel(0, 0), kRed);
    EXPECT_EQ(canvas.pixel(39, 39), kBlue);
}

TEST_F(CanvasTest, ResizeKeepsWhatWasDrawn) {
    canvas.fillRect(Rect{0, 0, 10, 10}, kRed);
    canvas.resize(300, 50);
    EXPECT_EQ(canvas.width(), 300);
    EXPECT_EQ(canvas.height(), 50);
    EXPECT_EQ(canvas.pixel(9, 9), kRed);
    EXPECT_EQ(canvas.pixel(299, 49), kBlack);
}

TEST_F(CanvasTest, SavedPngReadsBackWithTheSamePixels) {
    platform::testing::TemporaryFolder folder;
    canvas.fillRect(Rect{3, 4, 5, 6}, rgb(12, 34, 56));
    ASSERT_TRUE(canvas.savePng(folder.file("screen.png")));
    platform::SurfacePtr loaded(IMG_Load(folder.file("screen.png").c_str()));
    ASSERT_TRUE(loaded) << IMG_GetError();
    EXPECT_EQ(loaded->w, canvas.width());
    EXPECT_EQ(loaded->h, canvas.height());
    Picture picture(std::move(loaded));
    EXPECT_EQ(picture.pixel(3, 4), rgb(12, 34, 56));
    EXPECT_EQ(picture.pixel(0, 0), kWhite);
    EXPECT_FALSE(canvas.savePng(folder.file("missing/screen.png")));
}

TEST_F(CanvasTest, LoadBmpReadsABitmapAndRejectsOtherFiles) {
    platform::testing::TemporaryFolder folder;
    Picture original = silverFramedRedPicture();
    ASSERT_EQ(SDL_SaveBMP(original.surface(), folder.file("icon.bmp").c_str()), 0);
    folder.writeBytes("broken.bmp", "BM not really a bitmap");

    Picture loaded = Picture::loadBmp(folder.file("icon.bmp"));
    ASSERT_FALSE(loaded.empty());
    EXPECT_EQ(loaded.width(), 4);
    EXPECT_EQ(loaded.pixel(0, 0), platform::kSilver);
    EXPECT_EQ(loaded.pixel(2, 2), kRed);
    EXPECT_TRUE(Picture::loadBmp(folder.file("broken.bmp")).empty());
    EXPECT_TRUE(Picture::loadBmp(folder.file("absent.bmp")).empty());
    EXPECT_EQ(Picture().width(), 0);
}

TEST_F(CanvasTest, PictureFromRgbBytesKeepsTheChannelOrder) {
    const std::uint8_t bytes[] = {255, 0, 0,   0, 255, 0, 0, 0, // row 0 and padding
                                  0,   0, 255, 1, 2,   3, 0, 0};
    Picture picture = Picture::fromRgb24(2, 2, bytes, 8);
    ASSERT_FALSE(picture.empty());
    EXPECT_EQ(picture.pixel(0, 0), kRed);
    EXPECT_EQ(picture.pixel(1, 0), rgb(0, 255, 0));
    EXPECT_EQ(picture.pixel(0, 1), kBlue);
    EXPECT_EQ(picture.pixel(1, 1), rgb(1, 2, 3));
    EXPECT_TRUE(Picture::fromRgb24(2, 2, bytes, 5).empty());
}

} // namespace
