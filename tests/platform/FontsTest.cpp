#include "platform/Fonts.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using platform::FontSpec;

std::string fileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

TEST(CanvasFontTest, WindowsFontNamesResolveToTheirLiberationFiles) {
    struct Row {
        const char* name;
        bool bold;
        bool italic;
        const char* file;
    };
    const std::vector<Row> rows = {
        {"Arial", false, false, "LiberationSans-Regular.ttf"},
        {"Arial", true, false, "LiberationSans-Bold.ttf"},
        {"Arial", false, true, "LiberationSans-Italic.ttf"},
        {"Arial", true, true, "LiberationSans-BoldItalic.ttf"},
        {"Arial Narrow", true, false, "LiberationSansNarrow-Bold.ttf"},
        {"Courier New", false, false, "LiberationMono-Regular.ttf"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.name << " bold " << row.bold << " italic " << row.italic);
        const platform::ResolvedFont font = platform::resolveFont(row.name, row.bold, row.italic);
        EXPECT_EQ(fileName(font.file), row.file);
        // The files have their own styled faces; nothing is emboldened or slanted by hand.
        EXPECT_FALSE(font.syntheticBold);
        EXPECT_FALSE(font.syntheticItalic);
    }
}

TEST(CanvasFontTest, UnknownFamilyStillGivesAFile) {
    EXPECT_FALSE(platform::resolveFont("No Such Font Family", false, false).file.empty());
}

TEST(CanvasFontTest, OpenFontsAreSharedPerFileSizeAndStyle) {
    platform::SdlSession session;
    ASSERT_TRUE(session.ok());
    FontSpec regular;
    regular.pointSize = 12;
    FontSpec sameButColoured = regular;
    sameButColoured.color = 0xFF;
    FontSpec bigger = regular;
    bigger.pointSize = 20;
    FontSpec bold = regular;
    bold.bold = true;

    TTF_Font* font = platform::cachedFont(regular);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(platform::cachedFont(sameButColoured), font);
    EXPECT_NE(platform::cachedFont(bigger), font);
    EXPECT_NE(platform::cachedFont(bold), font);
    EXPECT_GT(TTF_FontHeight(platform::cachedFont(bigger)), TTF_FontHeight(font));
}

TEST(CanvasFontTest, NoFontsWithoutASessionAndSessionsCanFollowEachOther) {
    for (int round = 0; round < 3; ++round) {
        {
            platform::SdlSession session;
            ASSERT_TRUE(session.ok());
            {
                platform::SdlSession nested;
                EXPECT_TRUE(nested.ok());
            }
            // The inner session's end leaves the outer one working.
            EXPECT_NE(platform::cachedFont(FontSpec{}), nullptr);
        }
        EXPECT_EQ(platform::cachedFont(FontSpec{}), nullptr);
    }
}

// A screen that changes its size again and again (the options screen's resolutions) must not
// leave the fonts of every size it had open: the cache would only ever grow.
TEST(CanvasFontTest, ResizingTheWindowClosesTheFontsOfTheOldSize) {
    platform::SdlSession session;
    ASSERT_TRUE(session.ok());
    platform::Window window("fonts", 640, 480);
    for (int width = 640; width <= 1920; width += 160) {
        window.setSize(width, width * 3 / 4);
        // Three fonts scaled with the screen, as the list, header and status line use them.
        for (int part = 1; part <= 3; ++part) {
            FontSpec font;
            font.pointSize = width / 80 + part * 4;
            window.canvas().setFont(font);
            window.canvas().textOut(0, 0, "Abc");
        }
        EXPECT_EQ(platform::openFontCount(), 3u) << "width " << width;
    }
    // The same size again keeps what is open.
    window.setSize(1920, 1440);
    EXPECT_EQ(platform::openFontCount(), 3u);
}

} // namespace
