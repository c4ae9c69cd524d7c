#include "platform/AudioTags.h"
#include "support/GeneratedCovers.h"
#include "support/TempDir.h"
#include "support/TestJpeg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using testsupport::EmbeddedPictureFile;

TEST(EmbeddedCoverTest, EachFormatGivesItsFrontCoverAndDamagedFilesGiveNone) {
    if (!testsupport::ffmpegAvailable())
        GTEST_SKIP() << "ffmpeg is not installed";
    testsupport::TempDir folder;
    const std::string front = folder.file("front.jpg");
    const std::string back = folder.file("back.jpg");
    const std::string png = folder.file("front.png");
    testsupport::writeSolidJpeg(front, 24, 24, platform::rgb(200, 20, 20));
    testsupport::writeSolidJpeg(back, 24, 24, platform::rgb(20, 20, 200));
    ASSERT_TRUE(testsupport::makeSolidPng(png, 24, 24, platform::rgb(20, 200, 20)));

    struct Row {
        std::string name;
        std::vector<EmbeddedPictureFile> pictures;
        // The file whose bytes come back; empty for no cover.
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"one.mp3", {{front}}, front},
        // The front cover wins over a picture stored before it.
        {"two.mp3", {{back, false}, {png}}, png},
        {"only back.mp3", {{back, false}}, back},
        {"one.flac", {{png}}, png},
        {"two.flac", {{back, false}, {front}}, front},
        {"one.m4a", {{front}}, front},
        {"one.ogg", {{front}}, front},
        {"one.opus", {{png}}, png},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = folder.file(row.name);
        ASSERT_TRUE(testsupport::makeTitleWithPictures(path, row.pictures));
        const std::optional<platform::EmbeddedPicture> cover = platform::readEmbeddedCover(path);
        ASSERT_TRUE(cover.has_value());
        EXPECT_EQ(cover->data, testsupport::readFileBytes(row.expected));
    }

    // No cover, and no crash: titles without a picture, files that are not what their name
    // says, a tag whose sizes lie, a file that is not there.
    ASSERT_TRUE(testsupport::makeToneMp3(folder.file("plain.mp3"), 1.0));
    testsupport::writeFileBytes(folder.file("noise.flac"), std::vector<std::uint8_t>(4096, 0xA5));
    testsupport::writeFileBytes(folder.file("noise.m4a"), std::vector<std::uint8_t>(4096, 0x5A));
    std::vector<std::uint8_t> lying = {'I', 'D', '3', 3,   0,    0,    0x7F, 0x7F, 0x7F, 0x7F,
                                       'A', 'P', 'I', 'C', 0x7F, 0xFF, 0xFF, 0xFF, 0,    0};
    lying.resize(2048, 0xFF);
    testsupport::writeFileBytes(folder.file("lying.mp3"), lying);
    std::vector<std::uint8_t> cut = testsupport::readFileBytes(folder.file("one.flac"));
    cut.resize(60);
    testsupport::writeFileBytes(folder.file("cut.flac"), cut);
    for (const char* name : {"plain.mp3", "noise.flac", "noise.m4a", "lying.mp3", "cut.flac",
                             "missing.ogg", "front.jpg"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(platform::readEmbeddedCover(folder.file(name)).has_value());
    }
}

} // namespace
