#pragma once

#include "platform/Canvas.h"
#include "support/GeneratedMedia.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Music titles with pictures inside, made by ffmpeg at test time.
namespace testsupport {

inline std::vector<std::uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A PNG of one colour.
inline bool makeSolidPng(const std::string& path, int width, int height, platform::Color color) {
    char hex[7];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF,
                  (color >> 16) & 0xFF);
    return runFfmpeg("-f lavfi -i " +
                     shellQuoted("color=c=0x" + std::string(hex) + ":s=" + std::to_string(width) +
                                 "x" + std::to_string(height)) +
                     " -frames:v 1 " + shellQuoted(path));
}

struct EmbeddedPictureFile {
    std::string path;  // a JPEG or PNG file
    bool front = true; // else the back cover
};

// A one-second tone as a title of the format its extension names (".mp3", ".flac", ".m4a",
// ".ogg", ".opus") with the pictures inside, in this order: ID3v2.3 APIC frames, FLAC picture
// blocks, MP4 "covr" items, or Vorbis comments METADATA_BLOCK_PICTURE (Ogg takes one picture).
inline bool makeTitleWithPictures(const std::string& path,
                                  const std::vector<EmbeddedPictureFile>& pictures) {
    const auto hasExtension = [&](const char* extension) { return path.ends_with(extension); };
    std::string arguments = "-f lavfi -i " + shellQuoted("sine=frequency=440:duration=1");
    if (hasExtension(".ogg") || hasExtension(".opus")) {
        // ffmpeg cannot put a picture stream into Ogg: the comment carries a FLAC picture block,
        // base64-encoded.
        const EmbeddedPictureFile& picture = pictures.at(0);
        const std::vector<std::uint8_t> data = readFileBytes(picture.path);
        const std::string mime = picture.path.ends_with(".png") ? "image/png" : "image/jpeg";
        std::vector<std::uint8_t> block;
        const auto put32 = [&block](std::uint32_t value) {
            for (int shift = 24; shift >= 0; shift -= 8)
                block.push_back(static_cast<std::uint8_t>(value >> shift));
        };
        put32(picture.front ? 3 : 4);
        put32(static_cast<std::uint32_t>(mime.size()));
        block.insert(block.end(), mime.begin(), mime.end());
        for (int field = 0; field < 5; ++field) // description, width, height, depth, colours
            put32(0);
        put32(static_cast<std::uint32_t>(data.size()));
        block.insert(block.end(), data.begin(), data.end());
        static constexpr char kDigits[] =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        std::string base64;
        for (std::size_t i = 0; i < block.size(); i += 3) {
            const std::size_t left = block.size() - i;
            const std::uint32_t group = (std::uint32_t{block[i]} << 16) |
                                        (left > 1 ? std::uint32_t{block[i + 1]} << 8 : 0) |
                                        (left > 2 ? std::uint32_t{block[i + 2]} : 0);
            base64 += kDigits[(group >> 18) & 63];
            base64 += kDigits[(group >> 12) & 63];
            base64 += left > 1 ? kDigits[(group >> 6) & 63] : '=';
            base64 += left > 2 ? kDigits[group & 63] : '=';
        }
        arguments += std::string(" -c:a ") + (hasExtension(".ogg") ? "libvorbis" : "libopus") +
                     " -metadata METADATA_BLOCK_PICTURE=" + base64;
        return runFfmpeg(arguments + " " + shellQuoted(path));
    }
    for (const EmbeddedPictureFile& picture : pictures)
        arguments += " -i " + shellQuoted(picture.path);
    arguments += " -map 0:a";
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const std::string stream = std::to_string(i);
        arguments += " -map " + std::to_string(i + 1) + ":v -metadata:s:v:" + stream + " comment=" +
                     shellQuoted(pictures[i].front ? "Cover (front)" : "Cover (back)") +
                     " -disposition:v:" + stream + " attached_pic";
    }
    arguments += " -c:v copy -c:a ";
    if (hasExtension(".mp3"))
        arguments += "libmp3lame -b:a 64k -id3v2_version 3";
    else if (hasExtension(".flac"))
        arguments += "flac";
    else
        arguments += "aac";
    return runFfmpeg(arguments + " " + shellQuoted(path));
}

// The picture stored inside `title` damaged in place: the JPEG keeps its first and last two bytes
// (start and end marker) and everything between is zeroed, so that the tag around it stays
// intact. False when the JPEG is not found in the file.
inline bool damageEmbeddedJpeg(const std::string& title, const std::vector<std::uint8_t>& jpeg) {
    std::vector<std::uint8_t> bytes = readFileBytes(title);
    const auto at = std::search(bytes.begin(), bytes.end(), jpeg.begin(), jpeg.end());
    if (at == bytes.end() || jpeg.size() < 8)
        return false;
    std::fill(at + 2, at + static_cast<std::ptrdiff_t>(jpeg.size()) - 2, std::uint8_t{0});
    writeFileBytes(title, bytes);
    return true;
}

} // namespace testsupport
