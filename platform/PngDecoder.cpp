#include "platform/PngDecoder.h"

#include "platform/JpegDecoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <iterator>

namespace platform {
namespace {

constexpr std::uint32_t kMaxSide = 16384;
// The canvas keeps every picture in this format, so that drawing needs no conversion.
constexpr Uint32 kPixelFormat = SDL_PIXELFORMAT_XRGB8888;

} // namespace

Picture decodePng(std::span<const std::uint8_t> bytes, std::string* error) {
    const auto fail = [error](const std::string& reason) {
        if (error)
            *error = reason;
        return Picture();
    };
    // The signature, then the IHDR chunk: length, type, width and height (big-endian).
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    constexpr std::size_t kHeaderSize = 8 + 8 + 8;
    if (bytes.size() < kHeaderSize ||
        !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin()))
        return fail("not a PNG file");
    const auto bigEndian = [&bytes](std::size_t at) {
        return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
               (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
    };
    const std::uint32_t width = bigEndian(16), height = bigEndian(20);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        static_cast<long long>(width) * height > kMaxDecodedPixels)
        return fail("the PNG picture is too large (" + std::to_string(width) + " x " +
                    std::to_string(height) + ")");
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!stream)
        return fail(SDL_GetError());
    SurfacePtr loaded(IMG_LoadPNG_RW(stream));
    SDL_RWclose(stream);
    if (!loaded)
        return fail(IMG_GetError());
    SurfacePtr converted(SDL_ConvertSurfaceFormat(loaded.get(), kPixelFormat, 0));
    if (!converted)
        return fail(SDL_GetError());
    if (error)
        error->clear();
    SDL_SetSurfaceBlendMode(converted.get(), SDL_BLENDMODE_NONE);
    return Picture(std::move(converted));
}

} // namespace platform
