#pragma once

#include "platform/Canvas.h"

#include <cstdint>
#include <span>
#include <string>

namespace platform {

// How a JPEG is decoded: output scale, 24-bit colour or an 8-bit palette, grayscale output,
// fast or accurate DCT. progressiveDisplay is kept for the picture control's owner: decoding
// always delivers the finished picture, so a progressive file is shown once, complete.
// An 8-bit palette is reduced to 256 colours and handed back as RGB pixels of those colours.
struct JpegOptions {
    enum class PixelFormat { Rgb24, Palette8 } pixelFormat = PixelFormat::Rgb24;
    enum class Scale { Full, Half, Quarter, Eighth } scale = Scale::Full;
    bool grayscale = false;
    enum class Performance { BestQuality, BestSpeed } performance = Performance::BestQuality;
    bool progressiveDisplay = false;
    // The size the picture is shown at, when both are positive: decoding then picks the
    // smallest of libjpeg's scales (down to an eighth, never less reduced than `scale`) whose
    // picture still covers fitWidth x fitHeight, so it is still only ever shrunk when drawn.
    int fitWidth = 0;
    int fitHeight = 0;

    bool operator==(const JpegOptions&) const = default;
};

// No picture is decoded to more pixels than this (after scaling): a damaged or hostile header
// must not make the program ask for gigabytes.
inline constexpr long long kMaxDecodedPixels = 64LL * 1024 * 1024;

// Decodes a JPEG from memory. A corrupt or truncated file (one whose data ends before its
// last row) gives an empty picture and the reason in error (never a crash, never an exit of
// the process). Refused before their pixels are allocated: pictures larger than 16384 pixels
// per side, and pictures that would decode to more than kMaxDecodedPixels or need more
// working memory than a picture of that size. CMYK files are converted.
Picture decodeJpeg(std::span<const std::uint8_t> bytes, const JpegOptions& options,
                   std::string* error = nullptr);
// Reads and decodes a file; an empty picture when it cannot be read or decoded, which is
// logged.
Picture loadJpegFile(const std::string& path, const JpegOptions& options = {},
                     std::string* error = nullptr);

} // namespace platform
