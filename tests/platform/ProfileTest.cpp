#include "platform/Profile.h"

#include "TemporaryFolder.h"
#include "platform/Encoding.h"
#include "support/RandomBytes.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <map>
#include <random>
#include <set>

namespace platform {
namespace {

using testing::TemporaryFolder;

TEST(ProfileRead, ValuesFollowTheFormatRules) {
    const Profile profile = Profile::fromText("Loose=1\r\n"
                                              "; a comment\r\n"
                                              "[Display]\r\n"
                                              "  Delimiter = \" - \"  \r\n"
                                              "Single='quoted'\r\n"
                                              "Unbalanced=\"open\r\n"
                                              "Mixed=\"x'\r\n"
                                              "Doubled=\"\"two\"\"\r\n"
                                              "Empty=\r\n"
                                              "Padded =   value with  blanks   \r\n"
                                              ";Commented=yes\r\n"
                                              "Equals=a=b\r\n"
                                              "NoEquals\r\n"
                                              "dup=first\r\n"
                                              "DUP=second\r\n"
                                              "[ Paths ]\r\n"
                                              "MP3Path=/music/\r\n");
    struct Row {
        std::string section;
        std::string key;
        std::optional<std::string> value;
    };
    const Row rows[] = {
        {"Display", "Delimiter", " - "},
        {"display", "DELIMITER", " - "},
        {"Display", "Single", "quoted"},
        {"Display", "Unbalanced", "\"open"},
        {"Display", "Mixed", "\"x'"},
        {"Display", "Doubled", "\"two\""},
        {"Display", "Empty", ""},
        {"Display", "Padded", "value with  blanks"},
        {"Display", "Commented", std::nullopt},
        {"Display", "Equals", "a=b"},
        {"Display", "NoEquals", std::nullopt},
        {"Display", "Dup", "first"},
        {"Display", "MP3Path", std::nullopt},
        {"Paths", "mp3path", "/music/"},
        {"Options", "Loose", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(profile.readValue(row.section, row.key), row.value)
            << "[" << row.section << "] " << row.key;
    }
}

TEST(ProfileRead, OnlyTheFirstOfDuplicateSectionsCounts) {
    const Profile profile = Profile::fromText("[A]\nx=1\n[B]\ny=2\n[a]\nx=3\nz=4\n");
    EXPECT_EQ(profile.readValue("A", "x"), "1");
    EXPECT_EQ(profile.readValue("A", "z"), std::nullopt);
    EXPECT_EQ(profile.readValue("B", "y"), "2");
}

TEST(ProfileRead, ValuesAreCutAt2047Characters) {
    std::string longValue;
    for (int i = 0; i < 3000; ++i) {
        longValue += "\u00E4";
    }
    const Profile profile = Profile::fromText("[S]\nLong=" + longValue + "\nShort=\u00E4\u00E4\n");
    const auto value = profile.readValue("S", "Long");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->size(), 2047u * 2);
    EXPECT_EQ(profile.readValue("S", "Short"), "\u00E4\u00E4");
}

TEST(ProfileInteger, ParsesDecimalAndHexadecimal) {
    struct Row {
        std::string text;
        std::optional<int> value;
    };
    const Row rows[] = {
        {"42", 42},
        {"-12", -12},
        {"+7", 7},
        {"007", 7},
        {"0x1F", 31},
        {"$1F", 31},
        {"0xff", 255},
        {"$abcdef", 0xABCDEF},
        {"0XaB", 171},
        {"-$10", -16},
        {"$7FFFFFFF", INT_MAX},
        {"$FFFFFFFF", -1},
        {"0x80000000", INT_MIN},
        {"-2147483648", INT_MIN},
        {" 5 ", 5},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$100000000", std::nullopt},
        {"", std::nullopt},
        {"12abc", std::nullopt},
        {"1.5", std::nullopt},
        {"0x", std::nullopt},
        {"$", std::nullopt},
        {"--1", std::nullopt},
        {"x1F", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(parseProfileInteger(row.text), row.value) << "'" << row.text << "'";
    }
}

TEST(ProfileInteger, ReadsNumbersOrTheDefault) {
    const Profile profile = Profile::fromText("[D]\nHex=$1F\nQuoted='0x10'\nWord=many\nEmpty=\n");
    EXPECT_EQ(profile.readInteger("D", "Hex", 7), 31);
    EXPECT_EQ(profile.readInteger("D", "Quoted", 7), 16);
    EXPECT_EQ(profile.readInteger("D", "Word", 7), 7);
    EXPECT_EQ(profile.readInteger("D", "Empty", 7), 7);
    EXPECT_EQ(profile.readInteger("D", "Absent", -3), -3);
    // An empty text is a value; only an absent key gives the default text.
    EXPECT_EQ(profile.readString("D", "Empty", "dflt"), "");
    EXPECT_EQ(profile.readString("D", "Absent", "dflt"), "dflt");
    EXPECT_EQ(profile.readString("E", "Hex", "dflt"), "dflt");
}

TEST(ProfileBool, AnyNumberButZeroIsTrue) {
    struct Row {
        std::string value;
        bool whenDefaultFalse;
        bool whenDefaultTrue;
    };
    const Row rows[] = {
        {"0", false, false},  {"1", true, true},    {"2", true, true},     {"-1", true, true},
        {"$0", false, false}, {"0x10", true, true}, {"true", false, true}, {"", false, true},
    };
    for (const auto& row : rows) {
        const Profile profile = Profile::fromText("[O]\nFlag=" + row.value + "\n");
        EXPECT_EQ(profile.readBool("O", "Flag", false), row.whenDefaultFalse) << row.value;
        EXPECT_EQ(profile.readBool("O", "Flag", true), row.whenDefaultTrue) << row.value;
    }
    const Profile empty = Profile::fromText("");
    EXPECT_TRUE(empty.readBool("O", "Flag", true));
    EXPECT_FALSE(empty.readBool("O", "Flag", false));
}

TEST(ProfileWrite, ChangesTheFirstMatchingLineInPlace) {
    Profile profile = Profile::fromText("; settings\n"
                                        "[options]\n"
                                        "showdebugwindow=2\n"
                                        "Unknown=keep me\n"
                                        "ShowDebugWindow=0\n"
                                        "[Display]\n"
                                        "ScreenWidth = 800\n");
    EXPECT_TRUE(profile.readBool("Options", "ShowDebugWindow", false));
    profile.writeBool("Options", "ShowDebugWindow",
                      profile.readBool("Options", "ShowDebugWindow", false));
    profile.writeInteger("DISPLAY", "ScreenWidth", 1024);
    const std::vector<std::string> expected = {
        "; settings",        "[options]", "ShowDebugWindow=1", "Unknown=keep me",
        "ShowDebugWindow=0", "[Display]", "ScreenWidth=1024"};
    EXPECT_EQ(profile.lines(), expected);
}

TEST(ProfileWrite, NewKeysGoToTheEndOfTheirSection) {
    Profile profile = Profile::fromText("top line\n"
                                        "[Paths]\n"
                                        "MP3Path=/m/\n"
                                        "\n"
                                        "\n"
                                        "[Skin]\n"
                                        "SkinName=Night\n");
    profile.writeString("paths", "VideoPath", "/v/");
    profile.writeString("Skin", "AvailableSkins", "Default,Night");
    profile.writeInteger("Options", "Language", -1);
    const std::vector<std::string> expected = {
        "top line",
        "[Paths]",
        "MP3Path=/m/",
        "VideoPath=/v/",
        "",
        "",
        "[Skin]",
        "SkinName=Night",
        "AvailableSkins=Default,Night",
        "[Options]",
        "Language=-1",
    };
    EXPECT_EQ(profile.lines(), expected);
    EXPECT_EQ(profile.readInteger("OPTIONS", "language", 0), -1);
}

TEST(ProfileWrite, WrittenTextsReadBackUnchanged) {
    const std::string values[] = {" - ", "plain", "", "'quoted'", "\"both\"", "a\"", " x"};
    for (const auto& value : values) {
        Profile profile;
        profile.writeString("Display", "Delimiter", value);
        EXPECT_EQ(profile.readValue("Display", "Delimiter"), value) << "'" << value << "'";
    }
    Profile profile;
    profile.writeString("Display", "Delimiter", " - ");
    EXPECT_EQ(profile.lines().back(), "Delimiter=\" - \"");
    profile.writeString("Display", "Broken", "one\r\ntwo");
    EXPECT_EQ(profile.lines().size(), 3u);
}

TEST(ProfileFile, SaveAndLoadKeepEveryLineAsItsBytes) {
    TemporaryFolder folder;
    const std::string original = "\xEF\xBB\xBF[Paths]\r\nMP3Path=/M\xFCsik/\r\n; note\r\n"
                                 "Other = \" \xC3\xA9 \"\r\n[Diashow]\r\nB\xE4r=Am See\r\n";
    folder.writeBytes("Config.ini", original);

    Profile profile = Profile::load(folder.file("Config.ini"));
    ASSERT_TRUE(profile.exists());
    EXPECT_EQ(profile.readString("Paths", "MP3Path", ""), "/M\xFCsik/");
    // Names compare as the text they read as, whatever the encoding on either side.
    EXPECT_EQ(profile.readString("Diashow", "b\u00E4r", ""), "Am See");
    // Values that read as what is written keep their lines: spelling, blanks and quotes.
    profile.writeString("Paths", "MP3Path", "/M\u00FCsik/");
    profile.writeString("Paths", "Other", " \u00E9 ");
    ASSERT_TRUE(profile.save(folder.file("Config.ini")));
    EXPECT_EQ(folder.readBytes("Config.ini"), original);

    profile.writeString("Paths", "VideoPath", "/\u6620\u753B/");
    ASSERT_TRUE(profile.save(folder.file("Config.ini")));
    EXPECT_EQ(folder.readBytes("Config.ini"),
              "\xEF\xBB\xBF[Paths]\r\nMP3Path=/M\xFCsik/\r\n; note\r\nOther = \" \xC3\xA9 \"\r\n"
              "VideoPath=/\u6620\u753B/\r\n[Diashow]\r\nB\xE4r=Am See\r\n");
    EXPECT_EQ(profile.text(), folder.readBytes("Config.ini"));
    EXPECT_EQ(Profile::load(folder.file("Config.ini")).readString("paths", "videopath", ""),
              "/\u6620\u753B/");
}

TEST(ProfileFile, RandomKeysAndValuesReadBackAsTheirBytes) {
    std::mt19937 random(8);
    TemporaryFolder folder;
    for (int round = 0; round < 40; ++round) {
        Profile profile = Profile::fromText(round % 2 == 0 ? "\xEF\xBB\xBF" : "");
        std::map<std::string, std::string> expected; // by [section] and key
        std::set<std::string> seenKeys;
        for (int i = 0; i < 20; ++i) {
            const std::string section = "S" + std::to_string(i % 3);
            const std::string key = testsupport::randomBytes(random, 4);
            const std::string value = testsupport::randomBytes(random, 8);
            // A key must survive the line format: not empty, no "=", no blanks at its ends,
            // not a comment or a section; and keys of a section that read alike are one key.
            const std::string_view blanks = " \t";
            if (key.empty() || key.find('=') != std::string::npos ||
                blanks.find(key.front()) != std::string_view::npos ||
                blanks.find(key.back()) != std::string_view::npos || key.front() == ';' ||
                key.front() == '[' ||
                !seenKeys.insert(section + "/" + asciiUpper(decodeName(key))).second) {
                continue;
            }
            profile.writeString(section, key, value);
            expected["[" + section + "]" + key] = value;
        }
        ASSERT_TRUE(profile.save(folder.file("random.ini")));
        const std::string written = folder.readBytes("random.ini");
        EXPECT_EQ(written.starts_with("\xEF\xBB\xBF"), round % 2 == 0);

        const Profile reread = Profile::load(folder.file("random.ini"));
        for (const auto& [name, value] : expected) {
            const auto close = name.find(']');
            EXPECT_EQ(reread.readValue(name.substr(1, close - 1), name.substr(close + 1)), value)
                << "round " << round << ": " << name;
        }
        ASSERT_TRUE(reread.save(folder.file("random.ini")));
        EXPECT_EQ(folder.readBytes("random.ini"), written) << "round " << round;
    }
}

TEST(ProfileFile, UnreadableFileIsNeverReplaced) {
    TemporaryFolder folder;
    std::filesystem::create_symlink(folder.file("Config.ini"), folder.file("Config.ini"));
    Profile profile = Profile::load(folder.file("Config.ini"));
    EXPECT_FALSE(profile.exists());
    EXPECT_TRUE(profile.unreadable());
    EXPECT_FALSE(profile.readError().empty());
    profile.writeString("Paths", "MP3Path", "/m/");
    EXPECT_FALSE(profile.save(folder.file("Config.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("Config.ini")));
}

TEST(ProfileFile, MissingFileGivesAnEmptyProfile) {
    TemporaryFolder folder;
    const Profile profile = Profile::load(folder.file("Config.ini"));
    EXPECT_FALSE(profile.exists());
    EXPECT_TRUE(profile.lines().empty());
    EXPECT_EQ(profile.readInteger("Display", "ScreenWidth", 800), 800);
}

} // namespace
} // namespace platform
