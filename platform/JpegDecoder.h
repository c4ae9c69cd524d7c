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
};

// Decodes a JPEG from memory. A corrupt or truncated file (one that ends before its last
// scan) gives an empty picture and the reason in error (never a crash, never an exit of the
// process); pictures larger than 16384 pixels per side are refused. CMYK files are converted.
Picture decodeJpeg(std::span<const std::uint8_t> bytes, const JpegOptions& options,
                   std::string* error = nullptr);
// Reads and decodes a file; an empty picture when it cannot be read or decoded, which is
// logged.
Picture loadJpegFile(const std::string& path, const JpegOptions& options = {},
                     std::string* error = nullptr);

} // namespace platform
