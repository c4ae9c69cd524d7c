#include "platform/Encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

std::string allBytes() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<char>(i));
    }
    return bytes;
}

TEST(EncodingCp1252, MapsSingleBytesToTheirCharacters) {
    struct Row {
        unsigned char byte;
        std::string utf8;
    };
    const Row rows[] = {
        {0x41, "A"},        {0x80, "\u20AC"},   {0x81, "\xC2\x81"}, {0x82, "\u201A"},
        {0x8A, "\u0160"},   {0x8D, "\xC2\x8D"}, {0x8F, "\xC2\x8F"}, {0x90, "\xC2\x90"},
        {0x96, "\u2013"},   {0x99, "\u2122"},   {0x9D, "\xC2\x9D"}, {0x9F, "\u0178"},
        {0xA0, "\xC2\xA0"}, {0xC4, "\u00C4"},   {0xDF, "\u00DF"},   {0xFF, "\u00FF"},
    };
    for (const auto& row : rows) {
        const std::string byte(1, static_cast<char>(row.byte));
        EXPECT_EQ(cp1252ToUtf8(byte), row.utf8) << "byte " << int(row.byte);
        EXPECT_EQ(utf8ToCp1252(row.utf8), byte) << "byte " << int(row.byte);
    }
}

TEST(EncodingCp1252, EveryByteSurvivesTheRoundTrip) {
    const std::string bytes = allBytes();
    const std::string text = cp1252ToUtf8(bytes);
    EXPECT_TRUE(isValidUtf8(text));
    EXPECT_EQ(utf8Length(text), 256u);
    EXPECT_EQ(utf8ToCp1252(text), bytes);
}

TEST(EncodingCp1252, CharactersOutsideTheCodePageHaveNoByte) {
    for (const std::string text : {"\u65E5\u672C", "ok \u0080", "\u20AD", "\xFF", "\xC3"}) {
        EXPECT_FALSE(utf8ToCp1252(text).has_value()) << text;
    }
}

TEST(EncodingUtf8, RecognisesWellFormedText) {
    struct Row {
        std::string bytes;
        bool valid;
    };
    const Row rows[] = {
        {"", true},
        {"M\xC3\xBCller", true},
        {"\xE6\x97\xA5\xE6\x9C\xAC", true},
        {"\xF0\x9F\x8E\xB5", true},
        {"M\xFCller", false},           // Windows-1252
        {"\xC0\x80", false},            // overlong
        {"\xED\xA0\x80", false},        // surrogate
        {"\xF4\x90\x80\x80", false},    // above U+10FFFF
        {"\xE6\x97", false},            // cut short
        {"\x80", false},                // lone continuation byte
        {"\xC3\xBC\xC3", false},        // cut short at the end
        {"\xF8\x88\x80\x80\x80", false} // five-byte form
    };
    for (const auto& row : rows) {
        EXPECT_EQ(isValidUtf8(row.bytes), row.valid) << row.bytes;
    }
}

TEST(EncodingFileText, DecodesByContent) {
    struct Row {
        std::string bytes;
        std::string text;
    };
    const Row rows[] = {
        {"M\xC3\xBCller", "M\u00FCller"},
        {"\xEF\xBB\xBFM\xC3\xBCller", "M\u00FCller"},
        {"M\xFCller \x80", "M\u00FCller \u20AC"},
        // A byte-order mark followed by bytes that are not UTF-8: all of it is Windows-1252.
        {"\xEF\xBB\xBF\xFC", "\u00EF\u00BB\u00BF\u00FC"},
        {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(decodeFileText(row.bytes), row.text) << row.bytes;
    }
}

TEST(EncodingFileText, EncodesAsCp1252WhenEverythingFits) {
    struct Row {
        std::string text;
        std::string bytes;
    };
    const Row rows[] = {
        {"M\u00FCller", "M\xFCller"},
        {"\u20AC 5", "\x80 5"},
        {"\u65E5\u672C \u00FC", "\u65E5\u672C \u00FC"}, // kept as UTF-8, nothing lost
        {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(encodeFileText(row.text), row.bytes) << row.text;
        EXPECT_EQ(decodeFileText(encodeFileText(row.text)), row.text) << row.text;
    }
}

TEST(EncodingText, CountsAndCutsCharactersNotBytes) {
    EXPECT_EQ(utf8Length("M\u00FCller \u65E5"), 8u);
    EXPECT_EQ(utf8Prefix("\u65E5\u672C", 1), "\u65E5");
    EXPECT_EQ(utf8Prefix("abc", 10), "abc");
}

TEST(EncodingText, CaseRulesTouchAsciiLettersOnly) {
    EXPECT_EQ(asciiUpper("x.mp3 \u00E4\u00DF"), "X.MP3 \u00E4\u00DF");
    EXPECT_TRUE(equalsIgnoreAsciiCase("Options", "OPTIONS"));
    EXPECT_TRUE(equalsIgnoreAsciiCase("", ""));
    EXPECT_FALSE(equalsIgnoreAsciiCase("Option", "Options"));
    EXPECT_FALSE(equalsIgnoreAsciiCase("\u00E4", "\u00C4"));
    // '@' and '`' sit next to the letters; only a-z and A-Z fold.
    EXPECT_FALSE(equalsIgnoreAsciiCase("@", "`"));
}

} // namespace
} // namespace platform
