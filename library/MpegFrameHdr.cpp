#include "library/MpegFrameHdr.h"

namespace {

// Indexed by bits 4-3 of the second header byte.
constexpr std::array<std::int32_t, 4> kVersionByBits = {3, 0, 2, 1};

// Rows: MPEG-1 layer 1, 2, 3; MPEG-2/2.5 layer 1; MPEG-2/2.5 layers 2 and 3.
// Index 0 is a free-format stream, index 15 is reserved.
constexpr std::array<std::array<std::int32_t, 16>, 5> kBitrateTable = {{
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, -1},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, -1},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, -1},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, -1},
}};

// Indexed by version (1 to 3) and bits 3-2 of the third header byte.
constexpr std::array<std::array<std::int32_t, 4>, 4> kSampleRateTable = {{
    {-1, -1, -1, -1},
    {44100, 48000, 32000, -1},
    {22050, 24000, 16000, -1},
    {32000, 16000, 8000, -1},
}};

// Frame length factor by [MPEG-1 ? 0 : 1][layer]; the reserved layer has none.
constexpr std::array<std::array<std::int64_t, 4>, 2> kFrameFactor = {{
    {0, 48, 144, 144},
    {0, 24, 72, 72},
}};

int bitrateRow(std::int32_t version, int layer) {
    if (version == 1)
        return layer - 1;
    return layer == 1 ? 3 : 4;
}

} // namespace

int TMpegFrameHdr::Layer() const {
    const int bits = (HeaderBytes[1] >> 1) & 0x03;
    return (4 - bits) % 4;
}

int TMpegFrameHdr::PaddingSize() const {
    if (!HasPadding())
        return 0;
    return Layer() == 1 ? 4 : 1;
}

bool TMpegFrameHdr::Decode(const std::uint8_t* bytes, std::size_t available) {
    if (bytes == nullptr || available < 4)
        return false;
    for (std::size_t i = 0; i < HeaderBytes.size(); ++i)
        HeaderBytes[i] = bytes[i];

    Version = kVersionByBits[(HeaderBytes[1] >> 3) & 0x03];
    const int layer = Layer();
    const int bitrateIndex = HeaderBytes[2] >> 4;
    const int sampleRateIndex = (HeaderBytes[2] >> 2) & 0x03;

    Bitrate =
        (Version == 0 || layer == 0)
            ? -1
            : kBitrateTable[static_cast<std::size_t>(bitrateRow(Version, layer))][bitrateIndex];
    SampleRate = kSampleRateTable[static_cast<std::size_t>(Version)][sampleRateIndex];

    if (SampleRate <= 0) {
        FrameLength = 0;
    } else {
        const std::int64_t factor = kFrameFactor[Version == 1 ? 0 : 1][layer];
        FrameLength =
            static_cast<std::int32_t>(BitsPerSecond() * factor / SampleRate) + PaddingSize();
    }

    const bool sync = HeaderBytes[0] == 0xFF && (HeaderBytes[1] & 0xE0) == 0xE0;
    IsValid = sync && Version != 0 && layer != 0 && Bitrate != -1 && SampleRate != -1;
    return IsValid;
}

int TMpegFrameHdr::FindFrame(const std::uint8_t* buffer, std::size_t count) {
    if (buffer == nullptr || count < 4)
        return -1;
    for (std::size_t i = 0; i + 4 <= count; ++i) {
        if (buffer[i] == 0xFF && buffer[i + 1] >= 0xE0 && Decode(buffer + i, count - i))
            return static_cast<int>(i);
    }
    return -1;
}
