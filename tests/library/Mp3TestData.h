#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// Builders for MP3 byte images: frame headers, Xing frames and ID3v1 tag blocks.
namespace mp3test {

using Bytes = std::vector<std::uint8_t>;

struct Frame {
    int version = 1; // 1 MPEG-1, 2 MPEG-2, 3 MPEG-2.5, 0 reserved
    int layer = 3;   // 1 to 3, 0 reserved
    int bitrateIndex = 9;
    int sampleRateIndex = 0;
    bool padding = false;
    int channelMode = 0; // 3 mono
};

// MPEG-1 layer 3, 128 kbit/s, 44100 Hz: 417 bytes a frame, 16000 bytes a second.
constexpr Frame kCbr128;
constexpr std::size_t kCbr128FrameLength = 417;

inline std::array<std::uint8_t, 4> header(const Frame& f) {
    static constexpr int kVersionBits[] = {1, 3, 2, 0};
    static constexpr int kLayerBits[] = {0, 3, 2, 1};
    return {
        0xFF,
        static_cast<std::uint8_t>(0xE1 | kVersionBits[f.version] << 3 | kLayerBits[f.layer] << 1),
        static_cast<std::uint8_t>(f.bitrateIndex << 4 | f.sampleRateIndex << 2 |
                                  (f.padding ? 2 : 0)),
        static_cast<std::uint8_t>(f.channelMode << 6)};
}

inline void put(Bytes& bytes, std::size_t at, const std::uint8_t* data, std::size_t count) {
    if (bytes.size() < at + count)
        bytes.resize(at + count);
    std::memcpy(bytes.data() + at, data, count);
}

inline void putHeader(Bytes& bytes, std::size_t at, const Frame& f = kCbr128) {
    const auto h = header(f);
    put(bytes, at, h.data(), h.size());
}

// A Xing block `xingOffset` bytes behind a frame header at `at`.
inline void putXing(Bytes& bytes, std::size_t at, std::size_t xingOffset, bool framesFlag,
                    std::uint32_t frames) {
    // Flags other than the frame count are set too: only bit 0 of the last flag byte counts.
    std::uint8_t block[12] = {'X', 'i', 'n', 'g', 0, 0, 0, 0x0E};
    if (framesFlag)
        block[7] |= 0x01;
    for (int i = 0; i < 4; ++i)
        block[8 + i] = static_cast<std::uint8_t>(frames >> (24 - 8 * i));
    put(bytes, at + xingOffset, block, sizeof block);
}

struct Tag {
    // Raw bytes of the text fields, at most as long as the field.
    std::string title{};
    std::string artist{};
    std::string album{};
    std::string year{};
    std::string comment{};
    int trackMarker = -1; // byte 125 when set
    int trackNo = -1;     // byte 126 when set
    int genre = 12;
};

inline Bytes tagBlock(const Tag& t) {
    Bytes block(128, 0);
    const auto field = [&](std::size_t at, const std::string& text) {
        std::memcpy(block.data() + at, text.data(), text.size());
    };
    field(0, "TAG");
    field(3, t.title);
    field(33, t.artist);
    field(63, t.album);
    field(93, t.year);
    field(97, t.comment);
    if (t.trackMarker >= 0)
        block[125] = static_cast<std::uint8_t>(t.trackMarker);
    if (t.trackNo >= 0)
        block[126] = static_cast<std::uint8_t>(t.trackNo);
    block[127] = static_cast<std::uint8_t>(t.genre);
    return block;
}

// A constant-bitrate 128 kbit/s file of `audioBytes` bytes (two frame headers, then silence),
// followed by `tag` when it is not empty.
inline Bytes cbrFile(std::size_t audioBytes, const Bytes& tag = {}) {
    Bytes bytes(audioBytes, 0);
    putHeader(bytes, 0);
    putHeader(bytes, kCbr128FrameLength);
    bytes.insert(bytes.end(), tag.begin(), tag.end());
    return bytes;
}

} // namespace mp3test
