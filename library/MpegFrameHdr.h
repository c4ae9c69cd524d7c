#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// One MPEG audio frame header (MPEG-1, MPEG-2 and MPEG-2.5, layers 1 to 3).
// A plain value: any thread may use its own copy.
class TMpegFrameHdr {
public:
    // The four header bytes as read.
    std::array<std::uint8_t, 4> HeaderBytes{};
    bool IsValid = false;
    // 1 MPEG-1, 2 MPEG-2, 3 MPEG-2.5, 0 reserved.
    std::int32_t Version = 0;
    // kbit/s; 0 for a free-format stream, -1 for a reserved index or an unknown version/layer.
    std::int32_t Bitrate = 0;
    // Hz; -1 for a reserved index or an unknown version.
    std::int32_t SampleRate = 0;
    // Bytes of the whole frame, header included; 0 without a sample rate.
    std::int32_t FrameLength = 0;

    // Takes the header from the first four of `available` bytes and returns IsValid. With fewer
    // than four bytes it returns false and leaves every field as it was.
    bool Decode(const std::uint8_t* bytes, std::size_t available);

    // Position of the first frame header in the first `count` bytes of `buffer`, or -1. Every
    // position with a frame sync is decoded into this object, so after a failed search it holds
    // the last rejected candidate.
    int FindFrame(const std::uint8_t* buffer, std::size_t count);

    // 1 to 3; 0 for the reserved layer.
    int Layer() const;
    bool HasPadding() const { return (HeaderBytes[2] & 0x02) != 0; }
    // Bytes the padding bit adds: a layer 1 slot is four bytes long.
    int PaddingSize() const;
    // 0 stereo, 1 joint stereo, 2 dual channel, 3 mono.
    int ChannelMode() const { return HeaderBytes[3] >> 6; }
    bool IsMono() const { return ChannelMode() == 3; }
    std::int64_t BitsPerSecond() const { return static_cast<std::int64_t>(Bitrate) * 1000; }
};
