#pragma once

#include "platform/Canvas.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace testsupport {

struct JpegEncoding {
    int quality = 95;
    bool progressive = false;
    // One-component file; the pixels' green value is taken as the grey level.
    bool grayscale = false;
    // Four-component Adobe file with inverted inks, as image editors write CMYK.
    bool cmyk = false;
};

// Encodes a picture given pixel by pixel as a JPEG file in memory. Only for valid input: an
// encoder error aborts the test program.
inline std::vector<std::uint8_t> encodeJpeg(int width, int height,
                                            const std::function<platform::Color(int, int)>& at,
                                            const JpegEncoding& encoding = {}) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = encoding.grayscale ? 1 : encoding.cmyk ? 4 : 3;
    cinfo.in_color_space = encoding.grayscale ? JCS_GRAYSCALE : encoding.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, encoding.quality, TRUE);
    if (encoding.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width * cinfo.input_components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        JSAMPLE* out = row.data();
        for (int x = 0; x < width; ++x) {
            const platform::Color color = at(x, y);
            const int red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
            if (encoding.grayscale) {
                *out++ = static_cast<JSAMPLE>(green);
            } else if (encoding.cmyk) {
                // Black is taken out first. Inverted inks: each stored value is the share of
                // light a channel lets through, so red = stored cyan * stored black / 255.
                const int brightest = std::max({red, green, blue});
                const auto through = [&](int value) {
                    return brightest == 0 ? 255 : value * 255 / brightest;
                };
                *out++ = static_cast<JSAMPLE>(through(red));
                *out++ = static_cast<JSAMPLE>(through(green));
                *out++ = static_cast<JSAMPLE>(through(blue));
                *out++ = static_cast<JSAMPLE>(brightest);
            } else {
                *out++ = static_cast<JSAMPLE>(red);
                *out++ = static_cast<JSAMPLE>(green);
                *out++ = static_cast<JSAMPLE>(blue);
            }
        }
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&cinfo, &rowPointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

// A picture of one colour.
inline std::vector<std::uint8_t> encodeSolidJpeg(int width, int height, platform::Color color,
                                                 const JpegEncoding& encoding = {}) {
    return encodeJpeg(
        width, height, [color](int, int) { return color; }, encoding);
}

// Writes a picture of one colour as a JPEG file.
inline void writeSolidJpeg(const std::string& path, int width, int height, platform::Color color) {
    const std::vector<std::uint8_t> bytes = encodeSolidJpeg(width, height, color);
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}

} // namespace testsupport
