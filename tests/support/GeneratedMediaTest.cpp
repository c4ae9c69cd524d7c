#include "support/GeneratedMedia.h"

#include "library/AudioInfo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// The program's own MP3 reader sees what the helper promises: length and an ID3v1.1 tag.
TEST(GeneratedMediaTest, ToneMp3CarriesItsTagsAndLengthThroughTheShell) {
    if (!testsupport::ffmpegAvailable())
        GTEST_SKIP() << "ffmpeg is not installed";
    testsupport::TempDir dir;
    const std::string tagged = dir.file("it's $HOME `x`.mp3");
    ASSERT_TRUE(testsupport::makeToneMp3(
        tagged, 3, testsupport::Mp3Tags{"Guns 'n' $Roses", "Title \"One\"", "Album", 7, "1984"}));
    TAudioInfo info;
    ASSERT_TRUE(info.ReadFile(tagged));
    EXPECT_EQ(info.DurationMs, 3000);
    EXPECT_TRUE(info.Tag.Present);
    EXPECT_EQ(info.Tag.Artist, "Guns 'n' $Roses");
    EXPECT_EQ(info.Tag.Title, "Title \"One\"");
    EXPECT_EQ(info.Tag.Album, "Album");
    EXPECT_EQ(info.Tag.TrackNo, 7);
    EXPECT_EQ(info.Tag.Year, "1984");

    const std::string plain = dir.file("plain.mp3");
    ASSERT_TRUE(testsupport::makeToneMp3(plain, 1));
    ASSERT_TRUE(info.ReadFile(plain));
    EXPECT_FALSE(info.Tag.Present);
    EXPECT_EQ(info.FirstFrameOffset, 0); // no ID3v2 tag in front
}

} // namespace
