#include "platform/TextFile.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace platform {
namespace {

using testing::TemporaryFolder;

TEST(TextFileSplit, SplitsAtCrLfAndLf) {
    struct Row {
        std::string text;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\nc", {"a", "b", "c"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\rb\r\n", {"a\rb"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(splitLines(row.text), row.lines) << row.text;
    }
}

TEST(TextFileRoundTrip, Cp1252FileKeepsEveryByte) {
    TemporaryFolder folder;
    const std::string bytes = "[Paths]\r\nMP3Path=/m\xFCsik/\r\n"
                              "Odd=\x80\x81\x8D\x8F\x90\x9D\xA0\xFF\r\n\r\nlast\r\n";
    folder.writeBytes("Config.ini", bytes);

    const auto read = readTextLines(folder.file("Config.ini"));
    ASSERT_EQ(read.status, ReadStatus::Read);
    ASSERT_EQ(read.text.lines.size(), 5u);
    EXPECT_EQ(read.text.lines[1], "MP3Path=/m\xFCsik/");

    ASSERT_TRUE(writeTextLinesAtomic(folder.file("Config.ini"), read.text));
    EXPECT_EQ(folder.readBytes("Config.ini"), bytes);
}

TEST(TextFileRoundTrip, NameOutsideCp1252IsWrittenAsUtf8) {
    TemporaryFolder folder;
    const std::vector<std::string> lines = {"#EXTM3U", "/music/\u65E5\u672C\u8A9E.mp3",
                                            "/music/M\u00FCller.mp3"};
    ASSERT_TRUE(writeTextLinesAtomic(folder.file("list.m3u"), lines));
    EXPECT_EQ(folder.readBytes("list.m3u"), "#EXTM3U\r\n/music/\u65E5\u672C\u8A9E.mp3\r\n"
                                            "/music/M\u00FCller.mp3\r\n");
    EXPECT_EQ(readTextLines(folder.file("list.m3u")).text.lines, lines);
}

TEST(TextFileRoundTrip, MixedEncodingsAndByteOrderMarkStayAsTheyWere) {
    TemporaryFolder folder;
    // A UTF-8 line, a Windows-1252 line and a line whose Windows-1252 bytes are valid UTF-8.
    const std::string bytes = "\xEF\xBB\xBF\xC3\x9C"
                              "ber=*\r\nM\xE4"
                              "dchen=**\r\n\xC3\xA9=\r\n";
    folder.writeBytes("Ratings.dat", bytes);
    auto read = readTextLines(folder.file("Ratings.dat"));
    ASSERT_EQ(read.status, ReadStatus::Read);
    EXPECT_TRUE(read.text.byteOrderMark);
    EXPECT_EQ(read.text.lines, (std::vector<std::string>{"\xC3\x9C"
                                                         "ber=*",
                                                         "M\xE4"
                                                         "dchen=**",
                                                         "\xC3\xA9="}));
    read.text.lines.push_back("\xE4=new");
    ASSERT_TRUE(writeTextLinesAtomic(folder.file("Ratings.dat"), read.text));
    EXPECT_EQ(folder.readBytes("Ratings.dat"), bytes + "\xE4=new\r\n");
}

TEST(TextFileRead, UnreadablePathsGiveNothing) {
    TemporaryFolder folder;
    EXPECT_FALSE(readTextFile(folder.file("missing.txt")).has_value());
    EXPECT_FALSE(readTextFile(folder.path()).has_value());
    folder.writeBytes("empty.txt", "");
    EXPECT_EQ(readTextFile(folder.file("empty.txt")), "");

    // Tests run as root, so permissions cannot make a file unreadable; these can.
    std::filesystem::create_directory(folder.file("folder.dat"));
    std::filesystem::create_symlink(folder.file("loop.dat"), folder.file("loop.dat"));
    ASSERT_EQ(::mkfifo(folder.file("pipe.dat").c_str(), 0600), 0);
    struct Row {
        std::string name;
        ReadStatus status;
    };
    const Row rows[] = {
        {"missing.txt", ReadStatus::Missing}, {"no/such/folder.txt", ReadStatus::Missing},
        {"empty.txt", ReadStatus::Read},      {"folder.dat", ReadStatus::Unreadable},
        {"loop.dat", ReadStatus::Unreadable}, {"pipe.dat", ReadStatus::Unreadable}};
    for (const auto& row : rows) {
        const auto read = readTextLines(folder.file(row.name));
        EXPECT_EQ(read.status, row.status) << row.name;
        EXPECT_EQ(read.error.empty(), row.status != ReadStatus::Unreadable) << row.name;
    }
}

TEST(TextFileAtomicWrite, ReplacesTheFileAndLeavesNoTemporaryFile) {
    TemporaryFolder folder;
    folder.writeBytes("Ratings.dat", "old content that is longer than the new one");
    ASSERT_TRUE(writeBytesAtomic(folder.file("Ratings.dat"), "new"));
    EXPECT_EQ(folder.readBytes("Ratings.dat"), "new");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"Ratings.dat"});
}

TEST(TextFileAtomicWrite, KeepsPermissionsOfTheReplacedFile) {
    TemporaryFolder folder;
    folder.writeBytes("Config.ini", "x");
    ASSERT_EQ(::chmod(folder.file("Config.ini").c_str(), 0640), 0);
    ASSERT_TRUE(writeBytesAtomic(folder.file("Config.ini"), "y"));
    struct stat info {};
    ASSERT_EQ(::stat(folder.file("Config.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(TextFileAtomicWrite, WritesThroughASymbolicLink) {
    TemporaryFolder folder;
    folder.writeBytes("real.ini", "old");
    std::filesystem::create_symlink(folder.file("real.ini"), folder.file("link.ini"));
    ASSERT_TRUE(writeBytesAtomic(folder.file("link.ini"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.ini")));
    EXPECT_EQ(folder.readBytes("real.ini"), "new");
}

TEST(TextFileAtomicWrite, LeftoversOfAnInterruptedRewriteAreRemoved) {
    TemporaryFolder folder;
    const std::vector<std::string> leftovers = {".Ratings.dat.tmp-4242-0", ".Ratings.dat.tmp-17-3"};
    // The last one is this process's own: it may be in the middle of a rewrite.
    const std::vector<std::string> kept = {"Ratings.dat",
                                           ".Ratings.dat.tmp-x-1",
                                           ".Ratings.dat.tmp-12",
                                           ".Config.ini.tmp-1-1",
                                           "Ratings.dat.tmp-1-1",
                                           ".ratings.dat.tmp-1-1",
                                           ".Ratings.dat.tmp-" + std::to_string(::getpid()) + "-7"};
    for (const auto& name : leftovers) {
        folder.writeBytes(name, "half");
    }
    for (const auto& name : kept) {
        folder.writeBytes(name, "keep");
    }
    std::filesystem::create_directory(folder.file(".Ratings.dat.tmp-5-5"));

    auto removed = removeLeftoverTemporaries(folder.file("Ratings.dat"));
    std::sort(removed.begin(), removed.end());
    EXPECT_EQ(removed,
              (std::vector<std::string>{folder.file(leftovers[1]), folder.file(leftovers[0])}));
    for (const auto& name : leftovers) {
        EXPECT_FALSE(std::filesystem::exists(folder.file(name))) << name;
    }
    for (const auto& name : kept) {
        EXPECT_TRUE(std::filesystem::exists(folder.file(name))) << name;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.file(".Ratings.dat.tmp-5-5")));
}

TEST(TextFileAtomicWrite, FailsWhenTheFolderIsMissing) {
    TemporaryFolder folder;
    EXPECT_FALSE(writeBytesAtomic(folder.file("no/such/file.txt"), "x"));
    EXPECT_FALSE(writeTextLinesAtomic(folder.file("no/such/file.txt"), {"x"}));
    EXPECT_FALSE(writeBytesAtomic("", "x"));
}

} // namespace
} // namespace platform
