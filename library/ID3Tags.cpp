#include "library/ID3Tags.h"

#include "library/ByteSource.h"
#include "platform/Encoding.h"

#include <array>
#include <cstddef>

namespace {

// The ID3v1 genres with the Winamp extensions; a genre's number is its position. A few names
// are kept exactly as the tags written by older software spell them (67, 81, 123, 136, 140,
// 141), so genre names shown stay the same as in those programs.
constexpr std::array<std::string_view, kID3v1GenreCount> kGenreNames = {
    "Blues",             // 0
    "Classic Rock",      // 1
    "Country",           // 2
    "Dance",             // 3
    "Disco",             // 4
    "Funk",              // 5
    "Grunge",            // 6
    "Hip-Hop",           // 7
    "Jazz",              // 8
    "Metal",             // 9
    "New Age",           // 10
    "Oldies",            // 11
    "Other",             // 12
    "Pop",               // 13
    "R&B",               // 14
    "Rap",               // 15
    "Reggae",            // 16
    "Rock",              // 17
    "Techno",            // 18
    "Industrial",        // 19
    "Alternative",       // 20
    "Ska",               // 21
    "Death Metal",       // 22
    "Pranks",            // 23
    "Soundtrack",        // 24
    "Euro-Techno",       // 25
    "Ambient",           // 26
    "Trip-Hop",          // 27
    "Vocal",             // 28
    "Jazz+Funk",         // 29
    "Fusion",            // 30
    "Trance",            // 31
    "Classical",         // 32
    "Instrumental",      // 33
    "Acid",              // 34
    "House",             // 35
    "Game",              // 36
    "Sound Clip",        // 37
    "Gospel",            // 38
    "Noise",             // 39
    "AlternRock",        // 40
    "Bass",              // 41
    "Soul",              // 42
    "Punk",              // 43
    "Space",             // 44
    "Meditative",        // 45
    "Instrumental Pop",  // 46
    "Instrumental Rock", // 47
    "Ethnic",            // 48
    "Gothic",            // 49
    "Darkwave",          // 50
    "Techno-Industrial", // 51
    "Electronic",        // 52
    "Pop-Folk",          // 53
    "Eurodance",         // 54
    "Dream",             // 55
    "Southern Rock",     // 56
    "Comedy",            // 57
    "Cult",              // 58
    "Gangsta",           // 59
    "Top 40",            // 60
    "Christian Rap",     // 61
    "Pop/Funk",          // 62
    "Jungle",            // 63
    "Native American",   // 64
    "Cabaret",           // 65
    "New Wave",          // 66
    "Psychedelic",       // 67
    "Rave",              // 68
    "Showtunes",         // 69
    "Trailer",           // 70
    "Lo-Fi",             // 71
    "Tribal",            // 72
    "Acid Punk",         // 73
    "Acid Jazz",         // 74
    "Polka",             // 75
    "Retro",             // 76
    "Musical",           // 77
    "Rock & Roll",       // 78
    "Hard Rock",         // 79
    "Folk",              // 80
    "Folk/Rock",         // 81
    "National Folk",     // 82
    "Swing",             // 83
    "Fast Fusion",       // 84
    "Bebob",             // 85
    "Latin",             // 86
    "Revival",           // 87
    "Celtic",            // 88
    "Bluegrass",         // 89
    "Avantgarde",        // 90
    "Gothic Rock",       // 91
    "Progressive Rock",  // 92
    "Psychedelic Rock",  // 93
    "Symphonic Rock",    // 94
    "Slow Rock",         // 95
    "Big Band",          // 96
    "Chorus",            // 97
    "Easy Listening",    // 98
    "Acoustic",          // 99
    "Humour",            // 100
    "Speech",            // 101
    "Chanson",           // 102
    "Opera",             // 103
    "Chamber Music",     // 104
    "Sonata",            // 105
    "Symphony",          // 106
    "Booty Bass",        // 107
    "Primus",            // 108
    "Porn Groove",       // 109
    "Satire",            // 110
    "Slow Jam",          // 111
    "Club",              // 112
    "Tango",             // 113
    "Samba",             // 114
    "Folklore",          // 115
    "Ballad",            // 116
    "Power Ballad",      // 117
    "Rhythmic Soul",     // 118
    "Freestyle",         // 119
    "Duet",              // 120
    "Punk Rock",         // 121
    "Drum Solo",         // 122
    "Acapella",          // 123
    "Euro-House",        // 124
    "Dance Hall",        // 125
    "Goa",               // 126
    "Drum & Bass",       // 127
    "Club-House",        // 128
    "Hardcore",          // 129
    "Terror",            // 130
    "Indie",             // 131
    "BritPop",           // 132
    "Afro-Punk",         // 133
    "Polsk Punk",        // 134
    "Beat",              // 135
    "Christian Gangs",   // 136
    "Heavy Metal",       // 137
    "Black Metal",       // 138
    "Crossover",         // 139
    "Contemporary Ch?",  // 140
    "Cristian Rock",     // 141
    "Merengue",          // 142
    "Salsa",             // 143
    "Thrash Metal",      // 144
    "Anime",             // 145
    "JPop",              // 146
    "Synthpop",          // 147
};

// Field positions inside the 128-byte block.
struct TextField {
    std::size_t offset;
    std::size_t length;
    std::string TID3v1Tag::*member;
};
constexpr std::array<TextField, 5> kTextFields = {{
    {3, 30, &TID3v1Tag::Title},
    {33, 30, &TID3v1Tag::Artist},
    {63, 30, &TID3v1Tag::Album},
    {93, 4, &TID3v1Tag::Year},
    {97, 30, &TID3v1Tag::Comment},
}};
constexpr std::size_t kTrackMarkerOffset = 125;
constexpr std::size_t kTrackNumberOffset = 126;
constexpr std::size_t kGenreOffset = 127;

// Bytes up to the first zero, without trailing blanks and control characters.
std::string textField(std::span<const std::uint8_t> bytes) {
    std::size_t end = 0;
    while (end < bytes.size() && bytes[end] != 0)
        ++end;
    while (end > 0 && bytes[end - 1] <= 32)
        --end;
    const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), end);
    return platform::cp1252ToUtf8(raw);
}

} // namespace

std::string_view ID3v1GenreName(int genreId) {
    if (genreId < 0 || genreId >= kID3v1GenreCount)
        return {};
    return kGenreNames[static_cast<std::size_t>(genreId)];
}

TID3v1Tag TID3v1Tag::Parse(std::span<const std::uint8_t> block) {
    TID3v1Tag tag;
    if (block.size() < static_cast<std::size_t>(kID3v1TagSize) || block[0] != 'T' ||
        block[1] != 'A' || block[2] != 'G')
        return tag;

    tag.Present = true;
    for (const auto& field : kTextFields)
        tag.*field.member = textField(block.subspan(field.offset, field.length));
    if (block[kTrackMarkerOffset] == 0 && block[kTrackNumberOffset] != 0) {
        tag.NoTrackNumber = false;
        tag.TrackNo = block[kTrackNumberOffset];
    }
    tag.GenreId = block[kGenreOffset];
    tag.GenreName = std::string(ID3v1GenreName(tag.GenreId));
    return tag;
}

TID3v1Tag TID3v1Tag::ReadFromSource(ByteSource& source, std::int64_t position,
                                    std::int64_t remaining) {
    if (remaining < kID3v1TagSize)
        return {};
    std::array<std::uint8_t, kID3v1TagSize> block{};
    const std::size_t got =
        source.read(position + remaining - kID3v1TagSize, block.data(), block.size());
    return Parse(std::span<const std::uint8_t>(block.data(), got));
}
