#include "library/AudioInfo.h"

#include "library/ByteSource.h"
#include "library/Mp3TestData.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using mp3test::Bytes;
using mp3test::Frame;
using mp3test::kCbr128FrameLength;

TAudioInfo analyse(const Bytes& bytes) {
    SpanByteSource source(bytes);
    TAudioInfo info;
    info.Analyse(source, source.size());
    return info;
}

// A 128 kbit/s stream whose first frame starts at `offset`, one second of audio behind it.
Bytes streamAt(std::size_t offset) {
    Bytes bytes(offset + 16000, 0);
    mp3test::putHeader(bytes, offset);
    mp3test::putHeader(bytes, offset + kCbr128FrameLength);
    return bytes;
}

TEST(AudioInfoTest, ConstantBitrateLengthComesFromTheFileSize) {
    const auto info =
        analyse(mp3test::cbrFile(185 * 16000, mp3test::tagBlock({.artist = "X", .year = "1999"})));
    EXPECT_EQ(info.FirstFrameOffset, 0);
    EXPECT_TRUE(info.Header.IsValid);
    EXPECT_FALSE(info.IsVBR);
    EXPECT_TRUE(info.Tag.Present);
    EXPECT_EQ(info.Tag.Artist, "X");
    EXPECT_EQ(info.DurationMs, 185000); // the tag is not audio

    const auto untagged = analyse(mp3test::cbrFile(185 * 16000 + 15999));
    EXPECT_FALSE(untagged.Tag.Present);
    EXPECT_EQ(untagged.DurationMs, 185000); // whole seconds, truncated
}

TEST(AudioInfoTest, FindsTheFirstFrameAcrossChunkBorders) {
    struct Row {
        std::size_t offset;
        int found;
    };
    const Row rows[] = {
        {0, 0},
        {124, 124},
        {125, 125},
        {126, 126},
        {127, 127},
        {128, 128},
        {251, 251},
        {252, 252},
        {5000, 5000},
        {10292, 10292}, // the last chunk read still holds
                        // all four bytes
        {10293, -1},
        {12000, -1},
    };
    for (const auto& row : rows) {
        const auto info = analyse(streamAt(row.offset));
        EXPECT_EQ(info.FirstFrameOffset, row.found) << row.offset;
        EXPECT_EQ(info.Header.IsValid, row.found >= 0) << row.offset;
    }
}

TEST(AudioInfoTest, SkipsAReservedBitrateAndSearchesOn) {
    Bytes bytes = streamAt(90);
    mp3test::putHeader(bytes, 10, Frame{1, 3, 15, 0, false, 0});
    const auto info = analyse(bytes);
    EXPECT_EQ(info.FirstFrameOffset, 90);
    EXPECT_EQ(info.Header.Bitrate, 128);
}

TEST(AudioInfoTest, CountsFromTheStartOfTheAnalysedRange) {
    Bytes bytes(1000, 0xFF); // would all be candidates
    const Bytes stream = streamAt(20);
    bytes.insert(bytes.end(), stream.begin(), stream.end());
    SpanByteSource source(bytes);
    TAudioInfo info;
    info.Analyse(source, 1 << 30, 1000);
    EXPECT_EQ(info.FirstFrameOffset, 20);
    EXPECT_EQ(info.DurationMs, 1000);
}

TEST(AudioInfoTest, AnInvalidSuccessorInvalidatesTheFirstFrame) {
    Bytes bytes = mp3test::cbrFile(10 * 16000, mp3test::tagBlock({.title = "T"}));
    bytes[kCbr128FrameLength] = 0;
    // A Xing block is not believed behind an unconfirmed frame.
    mp3test::putXing(bytes, 0, 36, true, 1000);
    const auto info = analyse(bytes);
    EXPECT_EQ(info.FirstFrameOffset, 0);
    EXPECT_FALSE(info.Header.IsValid);
    EXPECT_FALSE(info.IsVBR);
    EXPECT_EQ(info.Tag.Title, "T");
    EXPECT_EQ(info.DurationMs, 10000); // the first frame's bit rate
}

TEST(AudioInfoTest, ASingleFrameNeedsNoSuccessor) {
    // The successor is checked only when more than its four bytes follow the frame.
    Bytes bytes(kCbr128FrameLength + 4, 0);
    mp3test::putHeader(bytes, 0);
    EXPECT_TRUE(analyse(bytes).Header.IsValid);
    bytes.push_back(0);
    EXPECT_FALSE(analyse(bytes).Header.IsValid);
}

TEST(AudioInfoTest, XingFrameCountGivesTheLength) {
    struct Row {
        Frame frame;
        std::size_t frameLength;
        std::size_t xingOffset;
        bool framesFlag;
        std::uint32_t frames;
        std::int64_t durationMs;
    };
    const Row rows[] = {
        {{1, 3, 9, 0, false, 0}, 417, 36, true, 1000, 26000}, // 26.12 s
        {{1, 3, 9, 0, false, 1}, 417, 36, true, 1000, 26000}, // joint stereo
        {{1, 3, 9, 0, false, 3}, 417, 21, true, 1000, 26000}, // mono
        {{2, 3, 8, 0, false, 0}, 208, 21, true, 1000, 52000}, // 1152 samples for MPEG-2 too
        {{3, 3, 8, 0, false, 3}, 144, 13, true, 1000, 36000}, // 36 s at 32000 Hz
        {{1, 3, 9, 2, false, 0}, 576, 36, true, 125, 4000},   // 4.5 s: halves to even
        {{1, 3, 9, 2, false, 0}, 576, 36, true, 375, 14000},  // 13.5 s
        {{1, 3, 9, 0, false, 0}, 417, 36, false, 1000, 0},    // frame count not given
        {{1, 3, 9, 0, false, 0}, 417, 36, true, 0xFFFFFFFF, 112195064000},
    };
    for (const auto& row : rows) {
        Bytes bytes(200000, 0);
        mp3test::putHeader(bytes, 0, row.frame);
        mp3test::putHeader(bytes, row.frameLength, row.frame);
        mp3test::putXing(bytes, 0, row.xingOffset, row.framesFlag, row.frames);
        const auto info = analyse(bytes);
        ASSERT_TRUE(info.Header.IsValid) << row.frame.version;
        EXPECT_TRUE(info.IsVBR) << row.frame.version << " " << row.xingOffset;
        EXPECT_EQ(info.DurationMs, row.durationMs) << row.frame.version << " " << row.frames;
    }
}

TEST(AudioInfoTest, AnInfoBlockOfAConstantBitRateFileGivesTheLengthByItsFrameCount) {
    // 10 s at 128 kbit/s by the bit rate, but the frame count says 250 frames: 6.53 s.
    for (const bool framesFlag : {true, false}) {
        Bytes bytes = mp3test::cbrFile(10 * 16000);
        mp3test::putXing(bytes, 0, 36, framesFlag, 250);
        std::copy_n("Info", 4, bytes.begin() + 36);
        const auto info = analyse(bytes);
        EXPECT_FALSE(info.IsVBR);
        EXPECT_EQ(info.DurationMs, framesFlag ? 7000 : 10000) << framesFlag;
    }
}

TEST(AudioInfoTest, TagMustFollowTheFirstFrame) {
    // 100 bytes follow the frame: the last 128 bytes of the file overlap it and hold "TAG".
    Bytes bytes(kCbr128FrameLength + 100, 0);
    const Bytes block = mp3test::tagBlock({});
    std::copy(block.begin(), block.end(), bytes.end() - 128);
    mp3test::putHeader(bytes, 0);
    mp3test::putHeader(bytes, kCbr128FrameLength);
    const auto info = analyse(bytes);
    ASSERT_TRUE(info.Header.IsValid);
    EXPECT_FALSE(info.Tag.Present);
}

TEST(AudioInfoTest, WithoutAFrameTheLastCandidateDecidesTheLength) {
    struct Row {
        Bytes bytes;
        std::int64_t durationMs;
    };
    Bytes tagged(16000 - 1, 0);
    const Bytes block = mp3test::tagBlock({.title = "Nur Tag"});
    tagged.insert(tagged.end(), block.begin(), block.end());
    Bytes rejectedFree(2000, 0);
    mp3test::putHeader(rejectedFree, 500, Frame{1, 3, 0, 3, false, 0}); // reserved sample rate
    const Row rows[] = {
        {Bytes(5000, 0), 0},        // no candidate at all
        {Bytes(1000, 0xFF), -8000}, // (1000 + 1) * 8 div -1000 s
        {Bytes(123, 0xFF), 0},      // -0.992 s truncates to 0
        {rejectedFree, 0},          // rejected with the bit rate 0
        {tagged, 0},                // bit rate still 0
    };
    for (const auto& row : rows) {
        const auto info = analyse(row.bytes);
        EXPECT_EQ(info.FirstFrameOffset, -1);
        EXPECT_FALSE(info.Header.IsValid);
        EXPECT_EQ(info.DurationMs, row.durationMs) << row.bytes.size();
    }
    EXPECT_EQ(analyse(tagged).Tag.Title, "Nur Tag");

    // Tagged: the byte count is the range plus one, minus the tag.
    Bytes reserved(16000 * 3 - 1, 0xFF);
    reserved.insert(reserved.end(), block.begin(), block.end());
    EXPECT_EQ(analyse(reserved).DurationMs, -384000);
}

TEST(AudioInfoTest, AnalyseForgetsThePreviousFile) {
    TAudioInfo info;
    const Bytes first = mp3test::cbrFile(16000 * 4, mp3test::tagBlock({.title = "Alt"}));
    SpanByteSource firstSource(first);
    info.Analyse(firstSource, firstSource.size());
    ASSERT_EQ(info.Header.Bitrate, 128);

    const Bytes zeros(3000, 0);
    SpanByteSource zeroSource(zeros);
    info.Analyse(zeroSource, zeroSource.size());
    EXPECT_EQ(info.Header.Bitrate, 0);
    EXPECT_FALSE(info.Tag.Present);
    EXPECT_EQ(info.Tag.Title, "");
    EXPECT_EQ(info.DurationMs, 0);
}

TEST(AudioInfoTest, ReadFileFillsTheFileFieldsOrStaysReset) {
    testsupport::TempDir dir;
    const Bytes bytes = mp3test::cbrFile(16000 * 7 + 5, mp3test::tagBlock({.title = "Datei"}));
    const std::string path = dir.file("a b.mp3");
    testsupport::writeFile(path, std::string(bytes.begin(), bytes.end()));

    TAudioInfo info;
    ASSERT_TRUE(info.ReadFile(path));
    EXPECT_EQ(info.FileSize, static_cast<std::int64_t>(bytes.size()));
    EXPECT_EQ(info.DurationMs, 7000);
    EXPECT_EQ(info.Tag.Title, "Datei");
    EXPECT_NE(info.FileAge, -1);
    EXPECT_EQ(info.FileAttributes, 0);

    // A pipe named like a title must not block the reader waiting for a writer.
    ASSERT_EQ(::mkfifo(dir.file("pipe.mp3").c_str(), 0600), 0);
    for (const std::string& name :
         {dir.file("fehlt.mp3"), std::string(" \t "), dir.path(), dir.file("pipe.mp3")}) {
        EXPECT_FALSE(info.ReadFile(name)) << name;
        EXPECT_EQ(info.FileSize, -1);
        EXPECT_EQ(info.FileAge, -1);
        EXPECT_EQ(info.FirstFrameOffset, -1);
        EXPECT_FALSE(info.Tag.Present);
        EXPECT_EQ(info.DurationMs, 0);
    }
}

TEST(AudioInfoTest, RoundHalfEven) {
    struct Row {
        std::int64_t numerator, denominator, result;
    };
    const Row rows[] = {
        {9, 2, 4},
        {11, 2, 6},
        {7, 2, 4},
        {10, 4, 2},
        {1, 3, 0},
        {2, 3, 1},
        {-9, 2, -4},
        {-11, 2, -6},
        {-2, 3, -1},
        {0, 5, 0},
        {1152000, 22050, 52},
    };
    for (const auto& row : rows)
        EXPECT_EQ(RoundHalfEven(row.numerator, row.denominator), row.result)
            << row.numerator << "/" << row.denominator;
}

TEST(AudioInfoTest, PackDosDateTime) {
    struct Row {
        double dateTime;
        std::int32_t packed;
    };
    const Row rows[] = {
        {29221.0, 0x00210000},                   // 1 Jan 1980 0:00:00
        {45366.0 + 49530.0 / 86400, 0x586F6DAF}, // 15 Mar 2024 13:45:30
        {45366.0 + 49531.0 / 86400, 0x586F6DAF}, // odd seconds round down to two-second steps
        {75971.0 + 86398.0 / 86400, -6307971},   // 31 Dec 2107 23:59:58
        {29220.99, -1},                          // before 1980
        {75972.0, -1},                           // 2108
    };
    for (const auto& row : rows)
        EXPECT_EQ(PackDosDateTime(row.dateTime), row.packed) << row.dateTime;
}

} // namespace
