#include "platform/JpegDecoder.h"

#include "platform/Log.h"

#include <array>
#include <cerrno>
#include <csetjmp>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

namespace platform {

namespace {

// Larger pictures than this per side are refused before anything is allocated: no cover or
// photo is that big, and a damaged header must not ask for gigabytes.
constexpr JDIMENSION kMaxSide = 16384;
// libjpeg's own working memory (the whole-picture coefficient buffers of progressive and
// multi-scan files, which are full-size whatever the output scale): enough for a picture of
// kMaxDecodedPixels with three full-resolution components.
constexpr long kMaxWorkingMemory = static_cast<long>(kMaxDecodedPixels) * 3 * sizeof(JCOEF);

// libjpeg reports fatal errors through error_exit, which must not return. It jumps back to
// the decoder's set-up point; only libjpeg's own C frames lie in between.
struct ErrorManager {
    jpeg_error_mgr pub; // first member: libjpeg sees only this part
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool dataEndedEarly;
};

[[noreturn]] void failDecoding(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings about recoverable damage (stray bytes between markers and the like) are common in
// files that show fine, so they are ignored. Data that ends early is a different matter: once
// the entropy-coded data runs into a marker (a real one, or the end marker libjpeg puts in
// where the file stops) while blocks are still missing, libjpeg would fill every missing row
// with grey, which takes as long as decoding a real picture of the declared size, and a
// half-grey cover is worse than none. So decoding stops there and fails like a corrupt file.
// A file that lacks only its end marker reaches its end with every block decoded and is kept.
void onMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_HIT_MARKER) {
        reinterpret_cast<ErrorManager*>(cinfo->err)->dataEndedEarly = true;
        failDecoding(cinfo);
    }
}

void discardMessage(j_common_ptr) {}

// Everything the decoding touches lives here, outside the frame that calls setjmp, so that
// nothing the jump could leave stale is kept in that frame's locals.
struct DecodeJob {
    std::span<const std::uint8_t> bytes;
    JpegOptions options;
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    std::vector<std::uint8_t> row;
    std::vector<std::uint8_t> rgb; // the result, width * 3 bytes per row
    int width = 0;
    int height = 0;
    std::string error;

    DecodeJob(std::span<const std::uint8_t> input, const JpegOptions& decodeOptions)
        : bytes(input), options(decodeOptions) {}
    DecodeJob(const DecodeJob&) = delete;
    DecodeJob& operator=(const DecodeJob&) = delete;
    // Safe also when creation failed half-way: the struct starts zeroed.
    ~DecodeJob() { jpeg_destroy_decompress(&cinfo); }
};

constexpr std::array<int, 4> kScaleDenominators = {1, 2, 4, 8}; // by JpegOptions::Scale

std::uint8_t luminance(int red, int green, int blue) {
    return static_cast<std::uint8_t>((red * 299 + green * 587 + blue * 114 + 500) / 1000);
}

// Turns one pixel's output components into red, green and blue.
void toRgb(const jpeg_decompress_struct& cinfo, bool grayscale, const std::uint8_t* components,
           std::uint8_t* out) {
    switch (cinfo.out_color_space) {
    case JCS_GRAYSCALE:
        out[0] = out[1] = out[2] = components[0];
        return;
    case JCS_CMYK: {
        // Adobe's files store the inks inverted, which is what nearly every CMYK JPEG is.
        const bool inverted = cinfo.saw_Adobe_marker;
        const int c = inverted ? components[0] : 255 - components[0];
        const int m = inverted ? components[1] : 255 - components[1];
        const int y = inverted ? components[2] : 255 - components[2];
        const int k = inverted ? components[3] : 255 - components[3];
        const int red = (c * k + 127) / 255, green = (m * k + 127) / 255,
                  blue = (y * k + 127) / 255;
        if (grayscale) {
            out[0] = out[1] = out[2] = luminance(red, green, blue);
        } else {
            out[0] = static_cast<std::uint8_t>(red);
            out[1] = static_cast<std::uint8_t>(green);
            out[2] = static_cast<std::uint8_t>(blue);
        }
        return;
    }
    default:
        out[0] = components[0];
        out[1] = components[1];
        out[2] = components[2];
        return;
    }
}

void applyOptions(DecodeJob& job) {
    jpeg_decompress_struct& cinfo = job.cinfo;
    const JpegOptions& options = job.options;
    cinfo.scale_num = 1;
    cinfo.scale_denom =
        static_cast<unsigned>(kScaleDenominators[static_cast<std::size_t>(options.scale)]);
    if (options.fitWidth > 0 && options.fitHeight > 0) {
        const auto fitWidth = static_cast<JDIMENSION>(options.fitWidth);
        const auto fitHeight = static_cast<JDIMENSION>(options.fitHeight);
        for (const int denominator : kScaleDenominators) {
            const auto candidate = static_cast<unsigned>(denominator);
            if (candidate <= cinfo.scale_denom)
                continue;
            // libjpeg rounds scaled sides up; its own arithmetic decides.
            const unsigned previous = cinfo.scale_denom;
            cinfo.scale_denom = candidate;
            jpeg_calc_output_dimensions(&cinfo);
            if (cinfo.output_width < fitWidth || cinfo.output_height < fitHeight) {
                cinfo.scale_denom = previous;
                break;
            }
        }
    }

    const bool inks = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    if (inks)
        cinfo.out_color_space = JCS_CMYK; // libjpeg cannot convert inks; toRgb does
    else if (options.grayscale)
        cinfo.out_color_space = JCS_GRAYSCALE;
    else
        cinfo.out_color_space = JCS_RGB;

    if (options.performance == JpegOptions::Performance::BestSpeed) {
        cinfo.dct_method = JDCT_IFAST;
        cinfo.do_fancy_upsampling = FALSE;
        cinfo.two_pass_quantize = FALSE;
        cinfo.dither_mode = JDITHER_ORDERED;
    } else {
        cinfo.dct_method = JDCT_ISLOW;
    }

    if (options.pixelFormat == JpegOptions::PixelFormat::Palette8) {
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = 256;
    }
}

std::string sizeText(JDIMENSION width, JDIMENSION height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// Runs libjpeg over job.bytes; false with job.error set when libjpeg gives up or the picture
// is refused. The progressive display option needs no buffered-image mode: the picture is
// shown once it is complete.
bool runDecode(DecodeJob& job) {
    jpeg_decompress_struct& cinfo = job.cinfo;
    cinfo.err = jpeg_std_error(&job.errors.pub);
    job.errors.pub.error_exit = failDecoding;
    job.errors.pub.emit_message = onMessage;
    job.errors.pub.output_message = discardMessage;
    if (setjmp(job.errors.jump)) {
        if (job.errors.dataEndedEarly)
            job.error = "data ends early, at row " + std::to_string(cinfo.output_scanline) +
                        " of " + std::to_string(cinfo.output_height) + " (" + job.errors.message +
                        ")";
        else if (job.errors.pub.msg_code == JERR_NO_BACKING_STORE)
            job.error = "picture too large: " + sizeText(cinfo.image_width, cinfo.image_height) +
                        " needs more than " + std::to_string(kMaxWorkingMemory >> 20) +
                        " MB to decode";
        else
            job.error = job.errors.message;
        return false;
    }
    jpeg_create_decompress(&cinfo);
    // Without a limit libjpeg takes whatever its coefficient buffers need; with one, a buffer
    // that does not fit fails (there is no backing store) instead of being allocated.
    cinfo.mem->max_memory_to_use = kMaxWorkingMemory;
    jpeg_mem_src(&cinfo, job.bytes.data(), static_cast<unsigned long>(job.bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width > kMaxSide || cinfo.image_height > kMaxSide) {
        job.error = "picture too large: " + sizeText(cinfo.image_width, cinfo.image_height);
        return false;
    }
    applyOptions(job);
    jpeg_calc_output_dimensions(&cinfo);
    const long long pixels =
        static_cast<long long>(cinfo.output_width) * static_cast<long long>(cinfo.output_height);
    if (pixels > kMaxDecodedPixels) {
        job.error = "picture too large: " + sizeText(cinfo.image_width, cinfo.image_height) +
                    " would decode to " + sizeText(cinfo.output_width, cinfo.output_height) +
                    ", more than " + std::to_string(kMaxDecodedPixels >> 20) + " megapixels";
        return false;
    }
    jpeg_start_decompress(&cinfo);

    job.width = static_cast<int>(cinfo.output_width);
    job.height = static_cast<int>(cinfo.output_height);
    const std::size_t components = static_cast<std::size_t>(cinfo.output_components);
    const std::size_t width = cinfo.output_width;
    job.row.resize(width * components);
    // Rows are appended as they are decoded: a file whose data ends early has touched only the
    // memory of the rows it really holds.
    job.rgb.reserve(width * 3 * cinfo.output_height);

    // With a palette every pixel is an index into cinfo.colormap; the palette's entries are
    // turned into colours once.
    std::array<std::array<std::uint8_t, 3>, 256> palette{};
    const bool indexed = cinfo.quantize_colors && cinfo.colormap != nullptr;
    if (indexed) {
        for (int entry = 0; entry < cinfo.actual_number_of_colors && entry < 256; ++entry) {
            std::array<std::uint8_t, 4> inks{};
            for (int c = 0; c < cinfo.out_color_components && c < 4; ++c)
                inks[static_cast<std::size_t>(c)] = cinfo.colormap[c][entry];
            toRgb(cinfo, job.options.grayscale, inks.data(),
                  palette[static_cast<std::size_t>(entry)].data());
        }
    }

    while (cinfo.output_scanline < cinfo.output_height) {
        const std::size_t y = cinfo.output_scanline;
        JSAMPROW rowPointer = job.row.data();
        jpeg_read_scanlines(&cinfo, &rowPointer, 1);
        job.rgb.resize((y + 1) * width * 3);
        std::uint8_t* out = job.rgb.data() + y * width * 3;
        for (std::size_t x = 0; x < width; ++x, out += 3) {
            if (indexed) {
                const auto& colour = palette[job.row[x]];
                out[0] = colour[0];
                out[1] = colour[1];
                out[2] = colour[2];
            } else {
                toRgb(cinfo, job.options.grayscale, job.row.data() + x * components, out);
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

Picture decodeJpeg(std::span<const std::uint8_t> bytes, const JpegOptions& options,
                   std::string* error) {
    DecodeJob job(bytes, options);
    bool decoded = false;
    try {
        decoded = runDecode(job);
    } catch (const std::bad_alloc&) {
        job.error = "out of memory";
    }
    Picture picture;
    if (decoded) {
        picture = Picture::fromRgb24(job.width, job.height, job.rgb.data(), job.width * 3);
        if (picture.empty())
            job.error = "no picture could be made of " + std::to_string(job.width) + " x " +
                        std::to_string(job.height) + " pixels";
    }
    if (error)
        *error = picture.empty() ? job.error : std::string();
    return picture;
}

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole file, or no value and the system's reason when it cannot be opened or read (a
// folder, for instance). Plain stdio reports read errors as results, where file streams may
// throw them.
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path,
                                                       std::string& reason) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        reason = std::strerror(errno);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[64 * 1024];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.insert(bytes.end(), chunk, chunk + count);
    if (std::ferror(file.get())) {
        reason = std::strerror(errno);
        return std::nullopt;
    }
    return bytes;
}

} // namespace

Picture loadJpegFile(const std::string& path, const JpegOptions& options, std::string* error) {
    std::string reason;
    Picture picture;
    std::string readError;
    if (const auto bytes = readWholeFile(path, readError))
        picture = decodeJpeg(*bytes, options, &reason);
    else
        reason = "cannot be read: " + readError;
    if (picture.empty())
        LogError(path + ": JPEG picture not loaded: " + reason);
    if (error)
        *error = reason;
    return picture;
}

} // namespace platform
