// Writes the media that the tests generate as seed files for the MP3 and JPEG harnesses:
//     FuzzSeeds MP3_FOLDER JPEG_FOLDER
// The JPEG seeds carry the two option bytes of the JPEG harness in front of the file.
#include "library/Mp3TestData.h"
#include "support/TestJpeg.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

void writeSeed(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> mp3Seed(const mp3test::Frame& frame, bool xing, bool tag) {
    using namespace mp3test;
    Bytes bytes(3 * kCbr128FrameLength, 0);
    putHeader(bytes, 0, frame);
    if (xing)
        putXing(bytes, 0, 36, true, 1234);
    putHeader(bytes, kCbr128FrameLength, frame);
    if (tag) {
        Tag fields;
        fields.title = "Waterloo";
        fields.artist = "ABBA";
        fields.year = "1974";
        fields.trackMarker = 0;
        fields.trackNo = 3;
        const Bytes block = tagBlock(fields);
        bytes.insert(bytes.end(), block.begin(), block.end());
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: FuzzSeeds MP3_FOLDER JPEG_FOLDER\n");
        return 2;
    }
    const std::string mp3Folder = argv[1];
    const std::string jpegFolder = argv[2];

    mp3test::Frame mpeg2;
    mpeg2.version = 2;
    mpeg2.bitrateIndex = 8;
    mp3test::Frame mpeg25Mono;
    mpeg25Mono.version = 3;
    mpeg25Mono.channelMode = 3;
    mp3test::Frame layer1;
    layer1.layer = 1;
    layer1.padding = true;
    mp3test::Frame freeFormat;
    freeFormat.bitrateIndex = 0;
    writeSeed(mp3Folder + "/gen-cbr-tag.mp3", mp3Seed(mp3test::kCbr128, false, true));
    writeSeed(mp3Folder + "/gen-xing.mp3", mp3Seed(mp3test::kCbr128, true, false));
    writeSeed(mp3Folder + "/gen-mpeg2-xing.mp3", mp3Seed(mpeg2, true, true));
    writeSeed(mp3Folder + "/gen-mpeg25-mono.mp3", mp3Seed(mpeg25Mono, false, false));
    writeSeed(mp3Folder + "/gen-layer1.mp3", mp3Seed(layer1, false, true));
    writeSeed(mp3Folder + "/gen-free.mp3", mp3Seed(freeFormat, false, false));

    const auto pattern = [](int x, int y) {
        return platform::rgb(static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 5),
                             static_cast<std::uint8_t>((x ^ y) * 3));
    };
    struct JpegSeed {
        const char* name;
        std::uint8_t options;
        std::uint8_t fit;
        testsupport::JpegEncoding encoding;
    };
    const std::vector<JpegSeed> jpegs = {
        {"gen-baseline", 0, 0, {}},
        {"gen-progressive-half", 1 | 32, 0, {80, true, false, false}},
        {"gen-gray-palette", 4 | 8, 0, {90, false, true, false}},
        {"gen-cmyk-eighth-fast", 3 | 16, 0, {75, false, false, true}},
        {"gen-fit", 64 | 4, 0x23, {60, true, false, false}},
    };
    for (const JpegSeed& seed : jpegs) {
        std::vector<std::uint8_t> bytes{seed.options, seed.fit};
        const std::vector<std::uint8_t> file =
            testsupport::encodeJpeg(37, 29, pattern, seed.encoding);
        bytes.insert(bytes.end(), file.begin(), file.end());
        writeSeed(jpegFolder + "/" + seed.name + ".jpg", bytes);
    }
    return 0;
}
