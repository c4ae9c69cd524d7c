#include "library/MpegFrameHdr.h"

#include "library/Mp3TestData.h"

#include <gtest/gtest.h>

namespace {

using mp3test::Frame;

TEST(MpegFrameHdrTest, DecodesVersionLayerRatesAndFrameLength) {
    struct Row {
        Frame frame;
        bool valid;
        int version, layer, bitrate, sampleRate, frameLength;
    };
    const Row rows[] = {
        {{1, 3, 9, 0, false, 0}, true, 1, 3, 128, 44100, 417},
        {{1, 3, 9, 0, true, 0}, true, 1, 3, 128, 44100, 418},
        {{1, 3, 14, 2, false, 0}, true, 1, 3, 320, 32000, 1440},
        {{1, 2, 9, 1, false, 0}, true, 1, 2, 160, 48000, 480},
        {{1, 1, 14, 2, false, 0}, true, 1, 1, 448, 32000, 672},
        {{1, 1, 1, 0, true, 0}, true, 1, 1, 32, 44100, 38}, // 34 + a four-byte slot
        {{2, 1, 9, 1, true, 0}, true, 2, 1, 144, 24000, 148},
        {{2, 2, 14, 2, false, 0}, true, 2, 2, 160, 16000, 720},
        {{2, 3, 8, 0, false, 0}, true, 2, 3, 64, 22050, 208},
        {{3, 3, 8, 1, false, 0}, true, 3, 3, 64, 16000, 288},
        {{3, 3, 1, 2, true, 0}, true, 3, 3, 8, 8000, 73},
        {{3, 1, 1, 0, false, 0}, true, 3, 1, 32, 32000, 24},
        // Free format passes; its length is unknown.
        {{1, 3, 0, 0, false, 0}, true, 1, 3, 0, 44100, 0},
        // Reserved values.
        {{1, 3, 15, 0, false, 0}, false, 1, 3, -1, 44100, -3},
        {{0, 3, 9, 0, false, 0}, false, 0, 3, -1, -1, 0},
        {{1, 0, 9, 0, false, 0}, false, 1, 0, -1, 44100, 0},
        {{2, 3, 9, 3, false, 0}, false, 2, 3, 80, -1, 0},
    };
    for (const auto& row : rows) {
        const auto bytes = mp3test::header(row.frame);
        TMpegFrameHdr header;
        EXPECT_EQ(header.Decode(bytes.data(), bytes.size()), row.valid)
            << row.frame.version << "/" << row.frame.layer << "/" << row.frame.bitrateIndex;
        EXPECT_EQ(header.IsValid, row.valid);
        EXPECT_EQ(header.Version, row.version);
        EXPECT_EQ(header.Layer(), row.layer);
        EXPECT_EQ(header.Bitrate, row.bitrate);
        EXPECT_EQ(header.SampleRate, row.sampleRate);
        EXPECT_EQ(header.FrameLength, row.frameLength) << row.frame.bitrateIndex;
        EXPECT_EQ(header.HeaderBytes, bytes);
    }
}

TEST(MpegFrameHdrTest, NeedsTheFrameSyncAndFourBytes) {
    TMpegFrameHdr header;
    const std::uint8_t noSync[] = {0xFF, 0xDB, 0x90, 0x00};
    EXPECT_FALSE(header.Decode(noSync, 4));
    const std::uint8_t noLeadByte[] = {0xFE, 0xFB, 0x90, 0x00};
    EXPECT_FALSE(header.Decode(noLeadByte, 4));
    EXPECT_EQ(header.Bitrate, 128); // decoded all the same

    const auto good = mp3test::header(mp3test::kCbr128);
    ASSERT_TRUE(header.Decode(good.data(), 4));
    const std::uint8_t other[] = {0xFF, 0xFB, 0x00, 0x00};
    EXPECT_FALSE(header.Decode(other, 3));
    EXPECT_TRUE(header.IsValid);
    EXPECT_EQ(header.Bitrate, 128);
    EXPECT_EQ(header.HeaderBytes, good);
}

TEST(MpegFrameHdrTest, FindFrameSkipsRejectedCandidates) {
    mp3test::Bytes bytes(64, 0);
    TMpegFrameHdr header;
    EXPECT_EQ(header.FindFrame(bytes.data(), bytes.size()), -1);
    EXPECT_EQ(header.Version, 0); // no candidate: nothing decoded

    mp3test::putHeader(bytes, 5, Frame{1, 3, 15, 0, false, 0}); // reserved bit rate
    bytes[20] = 0xFF;                                           // no sync behind it
    bytes[21] = 0x10;
    mp3test::putHeader(bytes, 30);
    EXPECT_EQ(header.FindFrame(bytes.data(), bytes.size()), 30);
    EXPECT_EQ(header.Bitrate, 128);
    // The header must lie completely inside the count.
    EXPECT_EQ(header.FindFrame(bytes.data(), 33), -1);
    EXPECT_EQ(header.Bitrate, -1); // the last candidate that was decoded
    EXPECT_EQ(header.FindFrame(bytes.data(), 34), 30);
}

} // namespace
