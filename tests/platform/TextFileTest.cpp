#include "platform/TextFile.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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

    const auto lines = readTextLines(folder.file("Config.ini"));
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 5u);
    EXPECT_EQ((*lines)[1], "MP3Path=/m\u00FCsik/");

    ASSERT_TRUE(writeTextLinesAtomic(folder.file("Config.ini"), *lines));
    EXPECT_EQ(folder.readBytes("Config.ini"), bytes);
}

TEST(TextFileRoundTrip, NameOutsideCp1252IsWrittenAsUtf8) {
    TemporaryFolder folder;
    const std::vector<std::string> lines = {"#EXTM3U", "/music/\u65E5\u672C\u8A9E.mp3",
                                            "/music/M\u00FCller.mp3"};
    ASSERT_TRUE(writeTextLinesAtomic(folder.file("list.m3u"), lines));
    EXPECT_EQ(folder.readBytes("list.m3u"), "#EXTM3U\r\n/music/\u65E5\u672C\u8A9E.mp3\r\n"
                                            "/music/M\u00FCller.mp3\r\n");
    EXPECT_EQ(readTextLines(folder.file("list.m3u")), lines);
}

TEST(TextFileRead, UnreadablePathsGiveNothing) {
    TemporaryFolder folder;
    EXPECT_FALSE(readTextFile(folder.file("missing.txt")).has_value());
    EXPECT_FALSE(readTextFile(folder.path()).has_value());
    folder.writeBytes("empty.txt", "");
    EXPECT_EQ(readTextFile(folder.file("empty.txt")), "");
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

TEST(TextFileAtomicWrite, FailsWhenTheFolderIsMissing) {
    TemporaryFolder folder;
    EXPECT_FALSE(writeBytesAtomic(folder.file("no/such/file.txt"), "x"));
    EXPECT_FALSE(writeTextLinesAtomic(folder.file("no/such/file.txt"), {"x"}));
    EXPECT_FALSE(writeBytesAtomic("", "x"));
}

} // namespace
} // namespace platform
