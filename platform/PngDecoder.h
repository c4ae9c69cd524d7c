#pragma once

#include "platform/Canvas.h"

#include <cstdint>
#include <span>
#include <string>

namespace platform {

// Decodes a PNG file held in memory into a picture of the canvas' format; any transparency is
// dropped. A damaged file gives an empty picture and the reason in error. A picture larger than
// a JPEG may decode to (platform/JpegDecoder.h) is refused before its pixels are allocated.
Picture decodePng(std::span<const std::uint8_t> bytes, std::string* error = nullptr);

} // namespace platform
