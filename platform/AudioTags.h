#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Tags, playing time and embedded pictures of music files, read through TagLib. The functions
// only read: nothing is ever written into a music file. Safe to call from any thread for
// different files; a file that cannot be read, or whose tag is damaged beyond use, gives an
// empty result rather than an error.
namespace platform {

// Texts are UTF-8 whatever encoding the tag used.
struct AudioTags {
    // TagLib recognised the file and could read it; all fields are empty or 0 otherwise.
    bool valid = false;
    std::string title;
    std::string artist;
    std::string album;
    std::string genre;
    // 0 when the tag has none.
    int year = 0;
    int track = 0;
    // Playing time in milliseconds; -1 when it is not known.
    std::int64_t lengthMs = -1;
};

// The tags of `path`. For an MP3 file only its ID3v2 tag is read (the program reads the ID3v1
// tag and the frames itself); for the other formats the format's own tag (Vorbis comments,
// MP4 items, ...) and the playing time from the stream.
AudioTags readAudioTags(const std::string& path);

// The tags of an ID3v2 tag given as its bytes (header included), as read from the start of an
// MP3 file; the caller has the file open already, and opening it again would cost as much as
// the parse.
AudioTags readId3v2Tag(std::span<const std::uint8_t> tagBytes);

// A picture stored inside a music file, as its bytes.
struct EmbeddedPicture {
    // "image/jpeg", "image/png", ... as the file states it; may be empty.
    std::string mimeType;
    std::vector<std::uint8_t> data;
};

// The front cover embedded in `path` (ID3v2 APIC, FLAC picture block, Vorbis
// METADATA_BLOCK_PICTURE, MP4 "covr"), else the first picture it holds; none when the file has
// no picture or cannot be read.
std::optional<EmbeddedPicture> readEmbeddedCover(const std::string& path);

} // namespace platform
