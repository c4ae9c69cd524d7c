#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class ByteSource;

// Size of an ID3v1 tag block at the end of an MP3 file.
constexpr std::int64_t kID3v1TagSize = 128;
// Characters of the title field; a longer title is cut there.
constexpr std::size_t kID3v1TitleLength = 30;
// Genre numbers 0 to kID3v1GenreCount-1 have a name.
constexpr int kID3v1GenreCount = 148;

// The ID3v1 / ID3v1.1 tag of an MP3 file. A plain value: any thread may use its own copy.
// Texts are UTF-8, converted from the tag's Windows-1252 bytes.
class TID3v1Tag {
public:
    bool Present = false;
    // True unless the tag is ID3v1.1 with a track number other than 0.
    bool NoTrackNumber = true;
    std::string Title;
    std::string Artist;
    std::string Album;
    std::int32_t TrackNo = 0;
    std::string Comment;
    std::string Year;
    // 0 to 255 as stored in the tag.
    std::int32_t GenreId = 0;
    // Empty for numbers without a name.
    std::string GenreName;

    // Decodes a tag block. Without at least 128 bytes beginning with "TAG" the result is an
    // absent tag with empty fields.
    static TID3v1Tag Parse(std::span<const std::uint8_t> block);

    // The tag in the last 128 of the `remaining` bytes that follow `position` in `source`;
    // absent when fewer than 128 bytes remain or they cannot be read.
    static TID3v1Tag ReadFromSource(ByteSource& source, std::int64_t position,
                                    std::int64_t remaining);
};

// Name of a genre number; empty for numbers without a name.
std::string_view ID3v1GenreName(int genreId);
