#include "ui/CBImage.h"

#include "platform/Window.h"
#include "support/Pixels.h"
#include "support/TempDir.h"
#include "support/TestJpeg.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::Canvas;
using platform::Color;
using platform::Rect;
using platform::rgb;

constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kRed = rgb(255, 0, 0);
constexpr Color kBlue = rgb(0, 0, 255);
constexpr Color kGreen = rgb(0, 160, 0);
constexpr Color kTeal = rgb(0, 128, 128);

std::string describe(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

struct FitCase {
    int aw, ah, pw, ph;
    Rect expected;
};

TEST(FitRectTest, ShrinksWithTheAspectKeptAndNeverEnlarges) {
    const std::vector<FitCase> cases = {
        {800, 500, 1600, 1200, {0, 0, 666, 500}}, // both too big, height decides
        {800, 500, 1600, 800, {0, 0, 800, 400}},  // both too big, width decides
        {800, 600, 300, 200, {0, 0, 300, 200}},   // small pictures stay as they are
        {800, 500, 400, 1000, {0, 0, 200, 500}},  // only too high
        {800, 500, 1000, 300, {0, 0, 800, 240}},  // only too wide
        {800, 500, 800, 500, {0, 0, 800, 500}},   // exact fit
        {200, 200, 600, 300, {0, 0, 200, 100}},   // a cover in the cover area
        {100, 100, 300, 101, {0, 0, 100, 33}},    // 33.66 truncates
        {0, 500, 1600, 1200, {0, 0, 0, 0}},       // no room at all
        {800, -4, 1600, 1200, {0, 0, 0, 0}},
    };
    for (const FitCase& row : cases) {
        const Rect fitted = FitRect(row.aw, row.ah, row.pw, row.ph);
        EXPECT_TRUE(fitted == row.expected) << row.pw << "x" << row.ph << " in " << row.aw << "x"
                                            << row.ah << ": " << describe(fitted);
    }
}

struct CenterCase {
    Rect r, area, expected;
};

TEST(CenterRectTest, CentresWithTruncatingHalves) {
    const std::vector<CenterCase> cases = {
        {{0, 0, 666, 500}, {0, 0, 800, 500}, {67, 0, 733, 500}},
        {{0, 0, 300, 200}, {0, 0, 800, 600}, {250, 200, 550, 400}},
        {{0, 0, 51, 21}, {3, 3, 200, 150}, {76, 66, 127, 87}},        // odd sizes
        {{10, 10, 20, 20}, {0, 0, 100, 100}, {45, 45, 55, 55}},       // the old position is ignored
        {{0, 0, 300, 300}, {0, 0, 100, 100}, {-100, -100, 200, 200}}, // larger than the area
    };
    for (const CenterCase& row : cases) {
        const Rect centred = CenterRect(row.r, row.area);
        EXPECT_TRUE(centred == row.expected) << describe(centred);
    }
}

// A 400 x 300 canvas with the control at (50, 40), 200 x 200, painting into it at once.
class CBImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.ok());
        canvas.fillRect(Rect{0, 0, 400, 300}, kWhite);
        image.setBounds(Rect{50, 40, 250, 240});
        image.setColor(kGreen);
        image.setVisible(true);
        image.Font = platform::FontSpec{"Arial", 12, false, false, kBlack};
        image.onPaintNow = [this](TCBImage& control) {
            ++paintsNow;
            control.paint(canvas);
        };
    }

    std::string writeJpeg(const std::string& name, int width, int height, Color color) {
        const std::vector<std::uint8_t> bytes = testsupport::encodeSolidJpeg(width, height, color);
        const std::string path = folder.file(name);
        testsupport::writeFile(path, std::string(bytes.begin(), bytes.end()));
        return path;
    }

    // Canvas pixel at control coordinates.
    Color at(int x, int y) const { return canvas.pixel(50 + x, 40 + y); }

    static constexpr Rect kControl{50, 40, 250, 240};
    int countInControl(Color color) const {
        return testsupport::countPixels(canvas, kControl, color);
    }

    // Pixels outside the control that are no longer white.
    int touchedOutside() const {
        return testsupport::countOtherPixelsOutside(canvas, kControl, kWhite);
    }

    int captionHeight() {
        canvas.setFont(image.Font);
        return canvas.textHeight("Xg");
    }

    platform::SdlSession session;
    Canvas canvas{400, 300};
    testsupport::TempDir folder;
    TCBImage image;
    int paintsNow = 0;
};

// JPEG colours are near, not exact.
bool isReddish(Color c) {
    return (c & 0xFF) > 200 && ((c >> 8) & 0xFF) < 60 && ((c >> 16) & 0xFF) < 60;
}
bool isBluish(Color c) {
    return (c & 0xFF) < 60 && ((c >> 8) & 0xFF) < 60 && ((c >> 16) & 0xFF) > 200;
}

TEST_F(CBImageTest, StretchedPictureIsFittedAtTheTopLeftOrCentred) {
    image.StretchRatio = true;
    image.LoadImage(writeJpeg("cover.jpg", 600, 300, kRed));
    EXPECT_EQ(paintsNow, 1);
    ASSERT_EQ(image.Picture().width(), 600);
    EXPECT_TRUE(image.ImageRect() == (Rect{0, 0, 200, 100})) << describe(image.ImageRect());
    EXPECT_TRUE(isReddish(at(0, 0)) && isReddish(at(199, 99)));
    EXPECT_EQ(countInControl(kGreen), 200 * 100); // the surround, exactly
    EXPECT_EQ(touchedOutside(), 0);

    image.CenterView = true;
    image.LoadImage(writeJpeg("small.jpg", 100, 50, kBlue));
    EXPECT_TRUE(image.ImageRect() == (Rect{50, 75, 150, 125})) << describe(image.ImageRect());
    EXPECT_TRUE(isBluish(at(50, 75)) && isBluish(at(149, 124)));
    EXPECT_EQ(countInControl(kGreen), 200 * 200 - 100 * 50);
}

TEST_F(CBImageTest, FittedJpegIsDecodedOnlyAsLargeAsItIsShown) {
    const std::string path = writeJpeg("large.jpg", 1600, 1200, kRed);
    image.StretchRatio = true;
    image.LoadImage(path);
    // An eighth (200 x 150) would have to be enlarged to the control's 200 rows; a quarter not.
    EXPECT_EQ(image.Picture().width(), 400);
    EXPECT_EQ(image.Picture().height(), 300);
    EXPECT_TRUE(image.ImageRect() == (Rect{0, 0, 200, 150})) << describe(image.ImageRect());
    EXPECT_TRUE(isReddish(at(0, 0)) && isReddish(at(199, 149)));
    image.StretchRatio = false;
    image.LoadImage(path);
    EXPECT_EQ(image.Picture().width(), 1600);
}

TEST_F(CBImageTest, NaturalSizePictureSitsInsideTheBevelAndIsClipped) {
    image.ShowFrame3D = true;
    image.BevelWidth = 3;
    image.LoadImage(writeJpeg("plain.jpg", 40, 30, kBlue));
    EXPECT_TRUE(image.ImageRect() == (Rect{3, 3, 43, 33})) << describe(image.ImageRect());
    EXPECT_TRUE(isBluish(at(3, 3)) && isBluish(at(42, 32)));
    EXPECT_EQ(at(43, 10), kGreen);
    EXPECT_EQ(at(196, 196), kGreen);
    // Light edges top and left, dark edges right and bottom, three pixels each.
    const Color light = at(0, 50), dark = at(199, 50);
    EXPECT_NE(light, dark);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(at(i, 100), light);
        EXPECT_EQ(at(100, i), light);
        EXPECT_EQ(at(199 - i, 100), dark);
        EXPECT_EQ(at(100, 199 - i), dark);
    }
    EXPECT_NE(at(3, 100), light);

    // Larger than the control, centred: it sticks out on every side and shows its middle.
    image.ShowFrame3D = false;
    image.CenterView = true;
    image.LoadImage(writeJpeg("big.jpg", 300, 260, kRed));
    EXPECT_TRUE(image.ImageRect() == (Rect{-50, -30, 250, 230}));
    EXPECT_TRUE(isReddish(at(0, 0)) && isReddish(at(199, 199)));
    EXPECT_EQ(touchedOutside(), 0);
}

TEST_F(CBImageTest, CheckedRepaintsOnlyTheSurroundInTheCheckColour) {
    image.StretchRatio = true;
    image.CheckColor = kTeal;
    image.LoadImage(writeJpeg("cover.jpg", 600, 300, kRed));
    // Marks the picture's area: a surround paint must leave it alone.
    canvas.fillRect(Rect{50, 40, 250, 140}, kBlack);
    const int before = paintsNow;
    image.setChecked(true);
    EXPECT_EQ(paintsNow, before + 1);
    EXPECT_EQ(at(100, 150), kTeal);
    EXPECT_EQ(at(100, 50), kBlack);
    EXPECT_EQ(countInControl(kTeal), 200 * 100);
    image.setChecked(true); // unchanged: no paint
    EXPECT_EQ(paintsNow, before + 1);
    image.setChecked(false);
    EXPECT_EQ(at(100, 150), kGreen);
}

TEST_F(CBImageTest, SettersPaintOnlyOnAChange) {
    image.setColor(kGreen);
    EXPECT_EQ(paintsNow, 0);
    image.setColor(kTeal);
    EXPECT_EQ(paintsNow, 1);
    image.setCaption("");
    EXPECT_EQ(paintsNow, 1);
    image.setCaption("Titel");
    EXPECT_EQ(paintsNow, 2);
    // A hidden control does not paint.
    image.setVisible(false);
    image.setColor(kRed);
    image.setChecked(true);
    EXPECT_EQ(paintsNow, 2);
    EXPECT_EQ(image.Color(), kRed);
    EXPECT_TRUE(image.Checked());
    image.ShowEmptyLabel = true;
    image.paint(canvas);
    image.PaintSurround(canvas);
    EXPECT_EQ(countInControl(kWhite), 200 * 200);
}

TEST_F(CBImageTest, MissingFileEmptiesThePictureAndShowsTheEmptyLabel) {
    image.StretchRatio = true;
    image.LoadImage(writeJpeg("cover.jpg", 600, 300, kRed));
    canvas.fillRect(Rect{0, 0, 400, 300}, kWhite);
    image.ShowEmptyLabel = true;
    image.LoadImage(folder.file("missing.jpg"));
    EXPECT_TRUE(image.Picture().empty());
    // The label is drawn centred without filling the background.
    canvas.setFont(image.Font);
    const int w = canvas.textWidth("Empty"), h = canvas.textHeight("Empty");
    const Rect label{(200 - w) / 2, (200 - h) / 2, (200 - w) / 2 + w, (200 - h) / 2 + h};
    int ink = 0, elsewhere = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (at(x, y) != kWhite)
                (label.contains(x, y) ? ink : elsewhere)++;
        }
    }
    EXPECT_GT(ink, 20);
    EXPECT_EQ(elsewhere, 0);
}

TEST_F(CBImageTest, PictureTypeFollowsTheExtension) {
    const std::vector<std::uint8_t> valid = testsupport::encodeSolidJpeg(64, 32, kRed);
    const std::string jpeg(valid.begin(), valid.end());
    platform::Picture bmp = platform::Picture::create(12, 8, kBlue);
    ASSERT_EQ(SDL_SaveBMP(bmp.surface(), folder.file("icon.Bmp").c_str()), 0);
    const std::vector<std::pair<std::string, int>> cases = {
        {"COVER.JPG", 64}, {"cover.jpeg", 64}, {"icon.Bmp", 12},
        {"cut.jpg", 0},    {"noise.jpeg", 0},  {"empty.jpg", 0},
        {"cover.png", 0},  {"noise.bmp", 0},   {"missing.jpg", 0},
    };
    testsupport::writeFile(folder.file("COVER.JPG"), jpeg);
    testsupport::writeFile(folder.file("cover.jpeg"), jpeg);
    testsupport::writeFile(folder.file("cut.jpg"), jpeg.substr(0, jpeg.size() / 2));
    testsupport::writeFile(folder.file("noise.jpeg"), std::string(500, '\x7f'));
    testsupport::writeFile(folder.file("empty.jpg"), "");
    testsupport::writeFile(folder.file("cover.png"), jpeg);
    testsupport::writeFile(folder.file("noise.bmp"), "BM garbage");
    for (const auto& [name, width] : cases) {
        SCOPED_TRACE(name);
        image.LoadImage(writeJpeg("good.jpg", 10, 10, kRed));
        image.LoadImage(folder.file(name));
        EXPECT_EQ(image.Picture().width(), width);
    }
    // The control's decoding options reach the decoder.
    image.Jpeg.scale = platform::JpegOptions::Scale::Quarter;
    image.LoadImage(folder.file("COVER.JPG"));
    EXPECT_EQ(image.Picture().width(), 16);
}

TEST_F(CBImageTest, ImageNameLoadsOrClears) {
    const std::string path = writeJpeg("cover.jpg", 30, 20, kRed);
    image.setImageName(path);
    EXPECT_EQ(image.ImageName(), path);
    EXPECT_EQ(image.Picture().width(), 30);

    image.setImageName(folder.file("missing.jpg"));
    EXPECT_TRUE(image.Picture().empty());
    EXPECT_TRUE(image.ImageName().empty()); // clearing forgets the name
    EXPECT_TRUE(image.ImageRect() == Rect{});
    EXPECT_EQ(countInControl(kGreen), 200 * 200);
}

TEST_F(CBImageTest, CaptionTakesItsLineBelowThePicture) {
    image.StretchRatio = true;
    image.CheckColor = kTeal;
    image.setCaption("Eins");
    image.LoadImage(writeJpeg("tall.jpg", 200, 400, kRed));
    const int h = captionHeight();
    EXPECT_TRUE(image.ImageRect() == (Rect{0, 0, (200 - h) / 2, 200 - h}));
    // The caption's line ends one pixel (the bevel width) above the bottom edge: ink on the
    // brush colour, which after a change of text is the check colour.
    const auto inkAndBrush = [&](Color brush) {
        int ink = 0, background = 0;
        for (int y = 200 - h - 1; y < 199; ++y) {
            for (int x = (200 - h) / 2; x < 200; ++x)
                (at(x, y) == brush ? background : ink)++;
        }
        return std::pair{ink, background};
    };
    EXPECT_GT(inkAndBrush(kGreen).first, 20);
    canvas.fillRect(Rect{50, 40, 50 + (200 - h) / 2, 40 + 200 - h}, kBlack); // the picture
    image.setChecked(true);
    image.setCaption("Zwei");
    EXPECT_EQ(at(10, 10), kBlack); // surround paints only
    const auto [ink, teal] = inkAndBrush(kTeal);
    EXPECT_GT(ink, 20);
    EXPECT_GT(teal, 100);
    EXPECT_EQ(touchedOutside(), 0);
}

TEST_F(CBImageTest, LongCaptionIsCutToWhatFitsPlusOneCharacter) {
    canvas.setFont(image.Font);
    const std::string caption = "Ein sehr langer Titel, der nicht in die Zeile passt";
    const int room = canvas.textWidth("Ein sehr lang") + 1;
    const std::string cut = FitCaption(canvas, caption, room);
    ASSERT_LT(cut.size(), caption.size());
    EXPECT_EQ(caption.rfind(cut, 0), 0u);
    EXPECT_GE(canvas.textWidth(cut), room);
    EXPECT_LT(canvas.textWidth(cut.substr(0, cut.size() - 1)), room);

    EXPECT_EQ(FitCaption(canvas, "Kurz", room), "Kurz");
    EXPECT_EQ(FitCaption(canvas, caption, canvas.textWidth(caption)), caption);

    // Characters, not bytes, and at most 255 of them.
    std::string umlauts;
    for (int i = 0; i < 300; ++i)
        umlauts += "\xC3\xA4";
    EXPECT_EQ(FitCaption(canvas, umlauts, canvas.textWidth(umlauts) - 1).size(), 255u * 2);
    EXPECT_EQ(FitCaption(canvas, umlauts, canvas.textWidth("\xC3\xA4") * 3).size() % 2, 0u);
}

} // namespace
