#include "platform/FileSystem.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/time.h>

#include <cmath>
#include <ctime>
#include <filesystem>

namespace platform {
namespace {

using testing::ScopedEnvironment;
using testing::TemporaryFolder;

std::vector<std::string> namesOf(const std::vector<DirEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

void setModificationTime(const std::string& path, std::time_t seconds) {
    const timeval times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimes(path.c_str(), times), 0);
}

TEST(FileSystemMask, MatchesLikeTheFindFunctions) {
    struct Row {
        std::string name;
        std::string mask;
        bool matches;
    };
    const Row rows[] = {
        {"song.mp3", "*", true},
        {"README", "*", true},
        {"README", "*.*", true},
        {".hidden", "*.*", true},
        {"song.mp3", "*.mp3", true},
        {"SONG.MP3", "*.mp3", true},
        {".mp3", "*.mp3", true},
        {"song.mp3x", "*.mp3", false},
        {"songmp3", "*.mp3", false},
        {"a.mp3.jpg", "*.mp3", false},
        {"cover.jpg", "cover.jpg", true},
        {"Cover.JPG", "cover.jpg", true},
        {"cover1.jpg", "cover?.jpg", true},
        {"cover.jpg", "cover?.jpg", false},
        {"cover\u00E4.jpg", "cover?.jpg", true},
        {"front cover.jpg", "*cover*", true},
        {"abcabd", "*abd", true},
        {"abc", "a*b*c*", true},
        {"", "*", true},
        {"x", "", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(matchesMask(row.name, row.mask), row.matches) << row.name << " ~ " << row.mask;
    }
}

class FileSystemListing : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"B.mp3", "A.MP3", "a.mp3", "c.txt", ".hidden.mp3", ".hidden.jpg", "cover.jpg"}) {
            folder.writeBytes(name, "12345");
        }
        std::filesystem::create_directory(folder.file("sub"));
        std::filesystem::create_directory(folder.file("x.mp3"));
        std::filesystem::create_directory(folder.file(".cache"));
        std::filesystem::create_directory(other.file("target"));
        other.writeBytes("target/inside.mp3", "1");
        std::filesystem::create_directory_symlink(other.file("target"), folder.file("linkdir"));
        std::filesystem::create_symlink(other.file("nowhere.mp3"), folder.file("dead.mp3"));
        std::filesystem::create_symlink(folder.file("a.mp3"), folder.file("alias.mp3"));
    }

    TemporaryFolder folder;
    TemporaryFolder other;
};

// One entry as "name", "/" for a folder, " hidden" and the size of a file.
std::vector<std::string> describe(const std::vector<DirEntry>& entries) {
    std::vector<std::string> lines;
    for (const auto& entry : entries) {
        lines.push_back(entry.name + (entry.isDirectory ? "/" : "") +
                        (entry.isHidden ? " hidden" : "") +
                        (entry.isDirectory ? "" : " " + std::to_string(entry.size)));
    }
    return lines;
}

TEST_F(FileSystemListing, FiltersAndSortsEntries) {
    struct Row {
        std::string mask;
        EntryFilter filter;
        std::vector<std::string> entries;
    };
    const Row rows[] = {
        {"*",
         EntryFilter::All,
         {".cache/ hidden", ".hidden.jpg hidden 5", ".hidden.mp3 hidden 5", "A.MP3 5", "a.mp3 5",
          "alias.mp3 5", "B.mp3 5", "c.txt 5", "cover.jpg 5", "linkdir/", "sub/", "x.mp3/"}},
        {"*.mp3", EntryFilter::Plain, {"A.MP3 5", "a.mp3 5", "alias.mp3 5", "B.mp3 5"}},
        {"*.jpg", EntryFilter::Plain, {"cover.jpg 5"}},
        {"*.jpg", EntryFilter::All, {".hidden.jpg hidden 5", "cover.jpg 5"}},
        {"*.avi", EntryFilter::All, {}},
    };
    std::string withoutSlash = folder.path();
    withoutSlash.pop_back();
    for (const auto& row : rows) {
        EXPECT_EQ(describe(listDirectory(folder.path(), row.mask, row.filter)), row.entries)
            << row.mask;
        EXPECT_EQ(describe(listDirectory(withoutSlash, row.mask, row.filter)), row.entries)
            << row.mask;
    }
}

TEST_F(FileSystemListing, FollowsSymbolicLinksIntoFolders) {
    EXPECT_EQ(namesOf(listDirectory(folder.file("linkdir"), "*.mp3", EntryFilter::Plain)),
              std::vector<std::string>{"inside.mp3"});
    EXPECT_EQ(fileIdentity(folder.file("linkdir")), fileIdentity(other.file("target")));
    EXPECT_NE(fileIdentity(folder.file("sub")), fileIdentity(other.file("target")));
    const auto listed = listDirectory(folder.path(), "linkdir", EntryFilter::All);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].inodeNumber, fileIdentity(other.file("target"))->inodeNumber);
}

TEST(FileSystemListingErrors, MissingFolderGivesAnEmptyList) {
    TemporaryFolder folder;
    EXPECT_TRUE(listDirectory(folder.file("missing/"), "*", EntryFilter::All).empty());
    folder.writeBytes("file", "x");
    EXPECT_TRUE(listDirectory(folder.file("file"), "*", EntryFilter::All).empty());
    EXPECT_EQ(namesOf(listDirectory(folder.path(), "*", EntryFilter::Plain)),
              std::vector<std::string>{"file"});
}

// Sets the process's time zone for one test and restores the previous one.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const std::string& zone) : m_environment(std::in_place, "TZ", zone) {
        ::tzset();
    }
    ~ScopedTimeZone() {
        m_environment.reset();
        ::tzset();
    }

private:
    std::optional<ScopedEnvironment> m_environment;
};

TEST(FileSystemDates, ConvertsToDaysSince1899InLocalTime) {
    struct Row {
        std::time_t time;
        double days;
    };
    const Row rows[] = {
        {0, 25569.0},                 // 1 Jan 1970
        {946728000, 36526.5},         // 1 Jan 2000, 12:00
        {951825600, 36585.5},         // 29 Feb 2000, 12:00
        {-2209161600 + 21600, 0.25},  // 30 Dec 1899, 06:00
        {-2209161600 - 64800, -1.25}, // 29 Dec 1899, 06:00
    };
    {
        ScopedTimeZone utc("UTC0");
        for (const auto& row : rows) {
            EXPECT_NEAR(toDelphiDateTime(row.time), row.days, 1e-9) << row.time;
        }
    }
    {
        ScopedTimeZone oneHourEast("CET-1");
        EXPECT_NEAR(toDelphiDateTime(946728000), 36526.5 + 1.0 / 24, 1e-9);
    }
}

TEST(FileSystemDates, FileDatesDropTheOddSecond) {
    TemporaryFolder folder;
    folder.writeBytes("odd.mp3", "");
    folder.writeBytes("even.mp3", "");
    setModificationTime(folder.file("odd.mp3"), 1700000001);
    setModificationTime(folder.file("even.mp3"), 1700000000);
    const auto entries = listDirectory(folder.path(), "*", EntryFilter::All);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "even.mp3");
    EXPECT_DOUBLE_EQ(entries[0].fileDate, toDelphiDateTime(1700000000));
    EXPECT_DOUBLE_EQ(entries[1].fileDate, toDelphiDateTime(1700000000));
}

TEST(FileSystemQueries, TellFilesFromFolders) {
    TemporaryFolder folder;
    folder.writeBytes("song.mp3", "abc");
    std::filesystem::create_directory(folder.file("dir"));
    EXPECT_TRUE(fileExists(folder.file("song.mp3")));
    EXPECT_FALSE(fileExists(folder.file("dir")));
    EXPECT_FALSE(fileExists(folder.file("none")));
    EXPECT_TRUE(directoryExists(folder.file("dir")));
    EXPECT_TRUE(directoryExists(folder.file("dir/")));
    EXPECT_FALSE(directoryExists(folder.file("song.mp3")));
    EXPECT_EQ(fileSize(folder.file("song.mp3")), 3);
    EXPECT_EQ(fileSize(folder.file("dir")), std::nullopt);
    EXPECT_EQ(fileSize(folder.file("none")), std::nullopt);
}

TEST(FileSystemPaths, TrailingSlashAndCurrentDirectory) {
    EXPECT_EQ(withTrailingSlash(""), "");
    EXPECT_EQ(withTrailingSlash("/music"), "/music/");
    EXPECT_EQ(withTrailingSlash("/music/"), "/music/");
    EXPECT_EQ(withTrailingSlash("/"), "/");

    const std::string current = currentDirectory();
    EXPECT_EQ(current, std::filesystem::current_path().string());
    EXPECT_TRUE(current == "/" || current.back() != '/');
}

} // namespace
} // namespace platform
