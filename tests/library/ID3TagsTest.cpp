#include "library/ID3Tags.h"

#include "library/ByteSource.h"
#include "library/Mp3TestData.h"

#include <gtest/gtest.h>

namespace {

using mp3test::Bytes;
using mp3test::tagBlock;

TID3v1Tag parse(const Bytes& block) {
    return TID3v1Tag::Parse(block);
}

TEST(ID3v1TagTest, ReadsEveryFieldOfAVersion11Tag) {
    const auto tag = parse(tagBlock({.title = "Song",
                                     .artist = "Band",
                                     .album = "Platte",
                                     .year = "1999",
                                     .comment = "twenty-eight characters here",
                                     .trackMarker = 0,
                                     .trackNo = 7,
                                     .genre = 17}));
    ASSERT_TRUE(tag.Present);
    EXPECT_EQ(tag.Title, "Song");
    EXPECT_EQ(tag.Artist, "Band");
    EXPECT_EQ(tag.Album, "Platte");
    EXPECT_EQ(tag.Year, "1999");
    EXPECT_EQ(tag.Comment, "twenty-eight characters here"); // cut at byte 125
    EXPECT_EQ(tag.TrackNo, 7);
    EXPECT_FALSE(tag.NoTrackNumber);
    EXPECT_EQ(tag.GenreId, 17);
    EXPECT_EQ(tag.GenreName, "Rock");
}

TEST(ID3v1TagTest, TrackNumberNeedsAZeroBeforeIt) {
    struct Row {
        std::string comment;
        int marker, track;
        int trackNo;
        std::string readComment;
    };
    const Row rows[] = {
        {"", 0, 0, 0, ""},
        {"", 0, 255, 255, ""},
        {std::string(28, 'c'), 'x', 7, 0, std::string(28, 'c') + "x"},
        {std::string(30, 'c'), -1, -1, 0, std::string(30, 'c')},
    };
    for (const auto& row : rows) {
        const auto tag = parse(
            tagBlock({.comment = row.comment, .trackMarker = row.marker, .trackNo = row.track}));
        EXPECT_EQ(tag.TrackNo, row.trackNo) << row.track;
        EXPECT_EQ(tag.NoTrackNumber, row.trackNo == 0);
        EXPECT_EQ(tag.Comment, row.readComment);
    }
}

TEST(ID3v1TagTest, TextFieldsEndAtZeroAndLoseTrailingBlanks) {
    struct Row {
        std::string raw;
        std::string text;
    };
    const Row rows[] = {
        {std::string(30, ' '), ""},
        {std::string("Abc\0\0", 5), "Abc"},
        {std::string("Ab\0cd", 5), "Ab"},
        {"  Abc \t\x01 \x1f", "  Abc"},
        {std::string(30, 'x'), std::string(30, 'x')},
        {"M\xfchle \x80", "M\xc3\xbchle \xe2\x82\xac"}, // Windows-1252 to UTF-8
    };
    for (const auto& row : rows) {
        const auto tag = parse(tagBlock({.title = row.raw, .artist = row.raw}));
        EXPECT_EQ(tag.Title, row.text) << row.raw;
        EXPECT_EQ(tag.Artist, row.text) << row.raw;
    }
}

TEST(ID3v1TagTest, GenreNames) {
    struct Row {
        int genre;
        const char* name;
    };
    const Row rows[] = {
        {0, "Blues"},
        {17, "Rock"},
        {67, "Psychedelic"},
        {79, "Hard Rock"},
        {80, "Folk"},
        {81, "Folk/Rock"},
        {123, "Acapella"},
        {136, "Christian Gangs"},
        {140, "Contemporary Ch?"},
        {141, "Cristian Rock"},
        {147, "Synthpop"},
        {148, ""},
        {255, ""},
    };
    for (const auto& row : rows) {
        const auto tag = parse(tagBlock({.genre = row.genre}));
        EXPECT_EQ(tag.GenreId, row.genre);
        EXPECT_EQ(tag.GenreName, row.name) << row.genre;
    }
    for (int genre = 0; genre < kID3v1GenreCount; ++genre)
        EXPECT_FALSE(ID3v1GenreName(genre).empty()) << genre;
}

TEST(ID3v1TagTest, AbsentWithoutAFullBlockStartingWithTAG) {
    Bytes block = tagBlock({.title = "Song", .trackMarker = 0, .trackNo = 3});
    EXPECT_TRUE(parse(block).Present);

    Bytes lower = block;
    lower[0] = 't';
    Bytes shortBlock(block.begin(), block.end() - 1);
    for (const auto& bytes : {lower, shortBlock, Bytes{}}) {
        const auto tag = parse(bytes);
        EXPECT_FALSE(tag.Present);
        EXPECT_EQ(tag.Title, "");
        EXPECT_EQ(tag.TrackNo, 0);
        EXPECT_EQ(tag.GenreName, "");
    }
}

TEST(ID3v1TagTest, ReadFromSourceTakesTheLast128BytesOfTheRange) {
    Bytes bytes(50, 0);
    const auto block = tagBlock({.title = "Range"});
    bytes.insert(bytes.end(), block.begin(), block.end());
    bytes.resize(bytes.size() + 20, 0);
    SpanByteSource source(bytes);

    EXPECT_EQ(TID3v1Tag::ReadFromSource(source, 10, 168).Title, "Range");
    EXPECT_FALSE(TID3v1Tag::ReadFromSource(source, 10, 169).Present);
    EXPECT_FALSE(TID3v1Tag::ReadFromSource(source, 50, 127).Present);
    EXPECT_TRUE(TID3v1Tag::ReadFromSource(source, 50, 128).Present);
    // A range running past the end of the source finds no block.
    EXPECT_FALSE(TID3v1Tag::ReadFromSource(source, 100, 200).Present);
}

} // namespace
