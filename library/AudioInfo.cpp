#include "library/AudioInfo.h"

#include "library/ByteSource.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace {

// The first frame is looked for in pieces of this size; the last bytes of a piece are kept in
// front of the next one so that a header crossing the border is still seen.
constexpr std::size_t kSearchChunk = 128;
constexpr std::size_t kSearchCarry = 4;

// A Xing header sits behind the side information of the first frame, whose size depends on
// the version and on whether the stream is mono: [MPEG-1 ? 0 : 1][mono ? 1 : 0].
constexpr std::array<std::array<std::int64_t, 2>, 2> kXingOffset = {{
    {36, 21},
    {21, 13},
}};
constexpr std::size_t kXingBlockSize = 12;
constexpr std::uint8_t kXingFramesFlag = 0x01;
// Samples per frame, the same factor for every version. An MPEG-2/2.5 layer 3 frame holds only
// 576 samples, so such VBR files read twice as long as they play.
constexpr std::int64_t kSamplesPerFrame = 1152;

// An ID3v2 tag in front of the frames: "ID3", version, revision, flags, then the size of what
// follows the 10-byte header as four 7-bit bytes; a footer of 10 more bytes when flagged.
constexpr std::size_t kID3v2HeaderSize = 10;
constexpr std::uint8_t kID3v2FooterFlag = 0x10;

std::int64_t id3v2SizeAt(ByteSource& source, std::int64_t position) {
    std::array<std::uint8_t, kID3v2HeaderSize> header{};
    if (source.read(position, header.data(), header.size()) != header.size() ||
        std::memcmp(header.data(), "ID3", 3) != 0 || header[3] == 0xFF || header[4] == 0xFF)
        return 0;
    std::int64_t size = 0;
    for (std::size_t i = 6; i < kID3v2HeaderSize; ++i) {
        if (header[i] >= 0x80)
            return 0;
        size = (size << 7) | header[i];
    }
    size += kID3v2HeaderSize;
    if ((header[5] & kID3v2FooterFlag) != 0)
        size += kID3v2HeaderSize;
    return size;
}

std::int64_t xingOffsetOf(const TMpegFrameHdr& header) {
    return kXingOffset[header.Version == 1 ? 0 : 1][header.IsMono() ? 1 : 0];
}

bool isBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

std::int32_t fileAgeOf(const std::string& name) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(name, error);
    if (error)
        return -1;
    const auto systemTime = std::chrono::file_clock::to_sys(written);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(systemTime));
    return PackDosDateTime(platform::toDelphiDateTime(seconds));
}

} // namespace

std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {
        remainder += denominator;
        --quotient;
    }
    const std::int64_t twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && (quotient & 1) != 0))
        ++quotient;
    return quotient;
}

std::int32_t PackDosDateTime(double delphiDateTime) {
    using namespace std::chrono;
    if (!std::isfinite(delphiDateTime))
        return -1;
    auto dayNumber = static_cast<std::int64_t>(std::floor(delphiDateTime));
    auto secondOfDay = static_cast<std::int64_t>(
        std::llround((delphiDateTime - std::floor(delphiDateTime)) * 86400.0));
    if (secondOfDay >= 86400) {
        secondOfDay -= 86400;
        ++dayNumber;
    }
    constexpr std::int64_t kDaysToYear1980 = 29221; // 30 Dec 1899 to 1 Jan 1980
    constexpr std::int64_t kDaysToYear2108 = 75972; // 30 Dec 1899 to 1 Jan 2108
    if (dayNumber < kDaysToYear1980 || dayNumber >= kDaysToYear2108)
        return -1;
    const year_month_day date{sys_days{1899y / December / 30} + days{dayNumber}};
    const auto year = static_cast<std::uint32_t>(static_cast<int>(date.year()) - 1980);
    const auto month = static_cast<std::uint32_t>(static_cast<unsigned>(date.month()));
    const auto day = static_cast<std::uint32_t>(static_cast<unsigned>(date.day()));
    const auto hour = static_cast<std::uint32_t>(secondOfDay / 3600);
    const auto minute = static_cast<std::uint32_t>(secondOfDay / 60 % 60);
    const auto second = static_cast<std::uint32_t>(secondOfDay % 60);
    const std::uint32_t packed =
        (year << 25) | (month << 21) | (day << 16) | (hour << 11) | (minute << 5) | (second / 2);
    return static_cast<std::int32_t>(packed);
}

void TAudioInfo::Reset() {
    Header = TMpegFrameHdr{};
    FirstFrameOffset = -1;
    IsVBR = false;
    Tag = TID3v1Tag{};
    DurationMs = 0;
    ID3v2Size = 0;
    ID3v2Tag.clear();
    FileSize = -1;
    FileAge = -1;
    FileAttributes = 0;
}

bool TAudioInfo::ReadFile(const std::string& name,
                          const std::function<bool(const TAudioInfo&)>& keepID3v2) {
    Reset();
    if (isBlank(name))
        return false;
    FileByteSource source(name);
    if (!source.isOpen())
        return false;
    Analyse(source, source.size());
    if (ID3v2Size > 0 && keepID3v2 && keepID3v2(*this)) {
        ID3v2Tag.resize(static_cast<std::size_t>(ID3v2Size));
        ID3v2Tag.resize(source.read(0, ID3v2Tag.data(), ID3v2Tag.size()));
    }
    FileSize = source.size();
    FileAge = fileAgeOf(name);
    FileAttributes = 0;
    return true;
}

void TAudioInfo::Analyse(ByteSource& source, std::int64_t count, std::int64_t start) {
    Reset();
    const std::int64_t limit = std::max<std::int64_t>(0, std::min(count, source.size() - start));

    // The first frame follows an ID3v2 tag; such a tag may hold pictures far larger than the
    // search range, and its text could hold a frame's sync pattern. A tag that claims more
    // than the file holds is damaged, and the search starts at the beginning as without one.
    ID3v2Size = id3v2SizeAt(source, start);
    if (ID3v2Size >= limit)
        ID3v2Size = 0;
    std::array<std::uint8_t, kSearchChunk> buffer{};
    std::int64_t consumed = ID3v2Size;
    std::size_t carry = 0;
    while (consumed - ID3v2Size < SearchLimit && consumed < limit) {
        auto chunk = static_cast<std::int64_t>(kSearchChunk - carry);
        if (consumed + chunk >= limit)
            chunk = limit - consumed;
        const std::size_t got =
            source.read(start + consumed, buffer.data() + carry, static_cast<std::size_t>(chunk));
        const int position = Header.FindFrame(buffer.data(), carry + got);
        if (position >= 0) {
            FirstFrameOffset =
                static_cast<std::int32_t>(position + consumed - static_cast<std::int64_t>(carry));
            break;
        }
        if (got < static_cast<std::size_t>(chunk))
            break; // the source ended early
        consumed += chunk;
        carry = kSearchCarry;
        std::memmove(buffer.data(), buffer.data() + kSearchChunk - kSearchCarry, kSearchCarry);
    }

    // A real frame is followed by another one; a sync pattern in other data usually is not.
    if (Header.IsValid) {
        const std::int64_t next = std::int64_t{FirstFrameOffset} + Header.FrameLength;
        if (next + 4 < limit) {
            std::array<std::uint8_t, 4> bytes{};
            const std::size_t got = source.read(start + next, bytes.data(), bytes.size());
            TMpegFrameHdr successor;
            Header.IsValid = successor.Decode(bytes.data(), got);
        }
    }

    // The length comes from a frame count rather than from the bit rate.
    bool countedFrames = false;
    if (Header.IsValid) {
        const std::int64_t xing = FirstFrameOffset + xingOffsetOf(Header);
        std::array<std::uint8_t, kXingBlockSize> block{};
        if (xing + static_cast<std::int64_t>(kXingBlockSize) < limit &&
            source.read(start + xing, block.data(), block.size()) == block.size()) {
            const bool framesGiven = (block[7] & kXingFramesFlag) != 0;
            IsVBR = std::memcmp(block.data(), "Xing", 4) == 0;
            // Encoders write the same block as "Info" into constant-bitrate files, in a first
            // frame that may have another bit rate than the rest; its count is exact there too.
            const bool info = std::memcmp(block.data(), "Info", 4) == 0 && framesGiven;
            if (IsVBR || info) {
                countedFrames = true;
                std::int64_t frames = 0;
                if (framesGiven)
                    frames = (std::int64_t{block[8]} << 24) | (std::int64_t{block[9]} << 16) |
                             (std::int64_t{block[10]} << 8) | std::int64_t{block[11]};
                DurationMs =
                    Header.SampleRate > 0
                        ? RoundHalfEven(kSamplesPerFrame * frames, Header.SampleRate) * 1000
                        : 0;
            }
        }
    }

    const std::int64_t tagStart =
        Header.IsValid ? std::int64_t{FirstFrameOffset} + Header.FrameLength : 0;
    Tag = TID3v1Tag::ReadFromSource(source, start + tagStart, limit - tagStart);

    if (!countedFrames) {
        // Without a frame, FirstFrameOffset -1 counts one byte more than the range holds and the
        // bit rate is that of the last rejected candidate; a reserved bit rate (-1) gives a
        // negative time, which is shown as unknown.
        std::int64_t bytes = limit - FirstFrameOffset;
        if (Tag.Present)
            bytes -= kID3v1TagSize;
        const std::int64_t bitsPerSecond = Header.BitsPerSecond();
        DurationMs = bitsPerSecond != 0 ? bytes * 8 / bitsPerSecond * 1000 : 0;
    }
}
