// The JPEG loader with every decoding option: the first two bytes choose the options and the
// size to fit, the rest is the file.
#include "FuzzSupport.h"

#include "platform/JpegDecoder.h"

#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzzsupport::check;
    using platform::JpegOptions;
    fuzzsupport::InputReader input(data, size);
    const std::uint8_t choice = input.byte();
    const std::uint8_t fit = input.byte();
    JpegOptions options;
    options.scale = static_cast<JpegOptions::Scale>(choice & 3);
    options.pixelFormat =
        (choice & 4) ? JpegOptions::PixelFormat::Palette8 : JpegOptions::PixelFormat::Rgb24;
    options.grayscale = (choice & 8) != 0;
    options.performance =
        (choice & 16) ? JpegOptions::Performance::BestSpeed : JpegOptions::Performance::BestQuality;
    options.progressiveDisplay = (choice & 32) != 0;
    if (choice & 64) {
        options.fitWidth = (fit & 15) * 8;
        options.fitHeight = (fit >> 4) * 8;
    }
    const std::string_view file = input.rest();
    std::string error;
    const platform::Picture picture = platform::decodeJpeg(
        std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()), options,
        &error);
    if (picture.empty()) {
        check(!error.empty(), "a picture that is not decoded has a reason");
    } else {
        check(picture.width() > 0 && picture.height() > 0, "a decoded picture has pixels");
        check(static_cast<long long>(picture.width()) * picture.height() <=
                  platform::kMaxDecodedPixels,
              "no picture over the pixel limit");
        (void)picture.pixel(picture.width() - 1, picture.height() - 1);
    }
    return 0;
}
