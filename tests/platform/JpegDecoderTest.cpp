#include "platform/JpegDecoder.h"

#include "TemporaryFolder.h"
#include "support/TestJpeg.h"

#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

using platform::Color;
using platform::JpegOptions;
using platform::Picture;
using platform::rgb;
using testsupport::JpegEncoding;

constexpr Color kRed = rgb(255, 0, 0);
constexpr Color kBlue = rgb(0, 0, 255);
constexpr Color kRedAsGrey = rgb(76, 76, 76); // red's luminance

// JPEG is lossy: colours are compared within a tolerance per channel.
bool near(Color actual, Color expected, int tolerance = 24) {
    return testsupport::colorNear(actual, expected, tolerance);
}

bool isGrey(Color c) {
    return (c & 0xFF) == ((c >> 8) & 0xFF) && ((c >> 8) & 0xFF) == ((c >> 16) & 0xFF);
}

// Left half red, right half blue.
std::vector<std::uint8_t> twoColourJpeg(int width, int height, const JpegEncoding& encoding = {}) {
    return testsupport::encodeJpeg(
        width, height, [width](int x, int) { return x < width / 2 ? kRed : kBlue; }, encoding);
}

JpegOptions withScale(JpegOptions::Scale scale) {
    JpegOptions options;
    options.scale = scale;
    return options;
}

struct DecodeCase {
    const char* what;
    JpegEncoding encoding;
    JpegOptions options;
    int width, height; // of a 65 x 49 source: libjpeg rounds scaled sizes up
    Color left, right;
};

TEST(JpegDecoderTest, DecodesEveryKindOfFileWithEveryOption) {
    const JpegEncoding plain, progressive{95, true, false, false};
    const JpegEncoding oneComponent{95, false, true, false}, cmyk{95, false, false, true};
    const JpegOptions full, grey{.grayscale = true};
    const JpegOptions fast{.performance = JpegOptions::Performance::BestSpeed};
    const JpegOptions palette{.pixelFormat = JpegOptions::PixelFormat::Palette8};
    const std::vector<DecodeCase> cases = {
        {"full size", plain, full, 65, 49, kRed, kBlue},
        {"half", plain, withScale(JpegOptions::Scale::Half), 33, 25, kRed, kBlue},
        {"quarter", plain, withScale(JpegOptions::Scale::Quarter), 17, 13, kRed, kBlue},
        {"eighth", plain, withScale(JpegOptions::Scale::Eighth), 9, 7, kRed, kBlue},
        {"grayscale", plain, grey, 65, 49, kRedAsGrey, rgb(29, 29, 29)},
        {"best speed", plain, fast, 65, 49, kRed, kBlue},
        {"palette", plain, palette, 65, 49, kRed, kBlue},
        {"progressive", progressive, full, 65, 49, kRed, kBlue},
        {"one component", oneComponent, full, 65, 49, rgb(0, 0, 0), rgb(0, 0, 0)},
        {"Adobe CMYK", cmyk, full, 65, 49, kRed, kBlue},
        {"CMYK as grey", cmyk, grey, 65, 49, kRedAsGrey, rgb(29, 29, 29)},
        {"CMYK with palette", cmyk, palette, 65, 49, kRed, kBlue},
    };
    for (const DecodeCase& row : cases) {
        SCOPED_TRACE(row.what);
        std::string error = "not cleared";
        const Picture picture =
            platform::decodeJpeg(twoColourJpeg(65, 49, row.encoding), row.options, &error);
        ASSERT_FALSE(picture.empty()) << error;
        EXPECT_TRUE(error.empty());
        EXPECT_EQ(picture.width(), row.width);
        EXPECT_EQ(picture.height(), row.height);
        EXPECT_TRUE(near(picture.pixel(1, row.height / 2), row.left));
        EXPECT_TRUE(near(picture.pixel(row.width - 2, row.height / 2), row.right));
        if (row.options.grayscale) {
            EXPECT_TRUE(isGrey(picture.pixel(row.width / 2, 3)));
        }
    }
}

TEST(JpegDecoderTest, PaletteHasAtMost256CloseColours) {
    // A smooth gradient has far more than 256 colours before quantisation.
    const auto gradient = [](int x, int y) { return rgb(x * 2, y * 4, 255 - x * 2); };
    const std::vector<std::uint8_t> bytes = testsupport::encodeJpeg(128, 64, gradient);
    for (auto performance :
         {JpegOptions::Performance::BestQuality, JpegOptions::Performance::BestSpeed}) {
        const JpegOptions options{.pixelFormat = JpegOptions::PixelFormat::Palette8,
                                  .performance = performance};
        const Picture picture = platform::decodeJpeg(bytes, options);
        ASSERT_FALSE(picture.empty());
        std::set<Color> colours;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                colours.insert(picture.pixel(x, y));
        }
        EXPECT_LE(colours.size(), 256u);
        EXPECT_GT(colours.size(), 16u);
        EXPECT_TRUE(near(picture.pixel(64, 32), gradient(64, 32), 48));
    }
}

// A valid file whose (baseline or progressive) frame header declares another size.
std::vector<std::uint8_t> withDeclaredSize(std::vector<std::uint8_t> bytes, int width, int height) {
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) {
            bytes[i + 5] = static_cast<std::uint8_t>(height >> 8);
            bytes[i + 6] = static_cast<std::uint8_t>(height & 0xFF);
            bytes[i + 7] = static_cast<std::uint8_t>(width >> 8);
            bytes[i + 8] = static_cast<std::uint8_t>(width & 0xFF);
            break;
        }
    }
    return bytes;
}

std::vector<std::uint8_t> firstBytes(const std::vector<std::uint8_t>& bytes, std::size_t count) {
    return std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(count));
}

TEST(JpegDecoderTest, BrokenInputGivesEmptyPictureAndReason) {
    const std::vector<std::uint8_t> valid = twoColourJpeg(64, 48);
    const std::vector<std::uint8_t> progressive =
        twoColourJpeg(64, 48, JpegEncoding{95, true, false, false});
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
        {"empty", {}},
        {"garbage", std::vector<std::uint8_t>(300, 0x5A)},
        {"start marker only", {0xFF, 0xD8}},
        {"cut in the header", firstBytes(valid, 40)},
        {"cut in the scan", firstBytes(valid, valid.size() - 200)},
        {"progressive cut", firstBytes(progressive, progressive.size() / 2)},
        {"too wide", withDeclaredSize(valid, 20000, 48)},
        {"too high", withDeclaredSize(valid, 64, 16385)},
        {"zero width", withDeclaredSize(valid, 0, 48)},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        std::string error;
        EXPECT_TRUE(platform::decodeJpeg(bytes, {}, &error).empty());
        EXPECT_FALSE(error.empty());
    }
    // Only the end marker missing: every row is there, so the picture is shown.
    EXPECT_EQ(platform::decodeJpeg(firstBytes(valid, valid.size() - 2), {}).width(), 64);
    // The size guard leaves the largest allowed side alone.
    EXPECT_EQ(platform::decodeJpeg(testsupport::encodeSolidJpeg(16384, 8, kBlue), {}).width(),
              16384);
}

TEST(JpegDecoderTest, HugeDeclaredSizesAreRefusedOrStopWhereTheDataEnds) {
    // A few hundred bytes that claim 16384 x 16384 pixels: decoded in full they would take
    // gigabytes and minutes of grey rows.
    const std::vector<std::uint8_t> small = testsupport::encodeSolidJpeg(8, 8, kBlue);
    const std::vector<std::uint8_t> huge = withDeclaredSize(small, 16384, 16384);
    const std::vector<std::uint8_t> progressiveHuge = withDeclaredSize(
        testsupport::encodeSolidJpeg(8, 8, kBlue, JpegEncoding{95, true, false, false}), 16384,
        16384);
    const JpegOptions cover{.fitWidth = 200, .fitHeight = 200};
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        JpegOptions options;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"full size is over the pixel limit", huge, {}, "would decode to 16384 x 16384"},
        {"an eighth is allowed but the data ends", huge, cover, "data ends early, at row "},
        {"short file claiming 4096 x 4096",
         withDeclaredSize(small, 4096, 4096),
         {},
         "data ends early"},
        {"progressive needs full-size buffers", progressiveHuge, cover, "MB to decode"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        std::string error;
        EXPECT_TRUE(platform::decodeJpeg(row.bytes, row.options, &error).empty());
        EXPECT_NE(error.find(row.reason), std::string::npos) << error;
    }
}

TEST(JpegDecoderTest, FitSizeDecodesAtTheSmallestScaleThatStillCoversIt) {
    const std::vector<std::uint8_t> bytes = twoColourJpeg(640, 480);
    struct Case {
        JpegOptions options;
        int width, height;
    };
    const std::vector<Case> cases = {
        {{}, 640, 480},
        {{.fitWidth = 320, .fitHeight = 240}, 320, 240},
        {{.fitWidth = 321, .fitHeight = 100}, 640, 480},
        {{.fitWidth = 100, .fitHeight = 100}, 160, 120},
        {{.fitWidth = 80, .fitHeight = 1}, 80, 60},
        {{.fitWidth = 1000, .fitHeight = 0}, 640, 480},
        {{.scale = JpegOptions::Scale::Half, .fitWidth = 1000, .fitHeight = 1000}, 320, 240},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(std::to_string(row.options.fitWidth) + " x " +
                     std::to_string(row.options.fitHeight));
        const Picture picture = platform::decodeJpeg(bytes, row.options);
        EXPECT_EQ(picture.width(), row.width);
        EXPECT_EQ(picture.height(), row.height);
    }
}

TEST(JpegDecoderTest, LoadsFilesAndReportsUnreadableOnes) {
    platform::testing::TemporaryFolder folder;
    const std::vector<std::uint8_t> bytes = twoColourJpeg(20, 10);
    folder.writeBytes("ok.jpg", std::string(bytes.begin(), bytes.end()));
    folder.writeBytes("empty.jpg", "");

    std::string error;
    EXPECT_EQ(platform::loadJpegFile(folder.file("ok.jpg"), {}, &error).width(), 20);
    EXPECT_TRUE(error.empty());
    for (const std::string& path :
         {folder.file("empty.jpg"), folder.file("missing.jpg"), folder.path()}) {
        SCOPED_TRACE(path);
        error.clear();
        EXPECT_TRUE(platform::loadJpegFile(path, {}, &error).empty());
        EXPECT_FALSE(error.empty());
    }
    // The system's reason tells a missing file from a damaged one.
    platform::loadJpegFile(folder.file("missing.jpg"), {}, &error);
    EXPECT_EQ(error, "cannot be read: No such file or directory");
}

} // namespace
