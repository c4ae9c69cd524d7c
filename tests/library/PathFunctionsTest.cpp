#include "library/PathFunctions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PathFunctions, LastFolderLevelsJoinsTheLastNamesOrGivesNothing) {
    struct Row {
        std::string folder;
        int n;
        std::string expected;
    };
    const Row rows[] = {
        {"/D/A/B/C/", 1, "C"},
        {"/D/A/B/C/", 2, "B/C"},
        {"/D/A/B/C/", 3, "A/B/C"},
        // n outside 1..3 is clamped.
        {"/D/A/B/C/", 0, "C"},
        {"/D/A/B/C/", -7, "C"},
        {"/D/A/B/C/", 4, "A/B/C"},
        {"/D/A/B/C/", 99, "A/B/C"},
        // Too few folder names: no result.
        {"/Covers/", 2, ""},
        {"/", 1, ""},
        {"/", 2, ""},
        {"/A/B/", 3, ""},
        {"", 1, ""},
        // Exactly enough names.
        {"/A/B/", 2, "A/B"},
        {"/Musik/Artist/Album/", 2, "Artist/Album"},
        // Doubled separators and a missing final "/" do not add or hide names.
        {"/Musik//Artist/Album", 2, "Artist/Album"},
        {"/Musik/Artist/Album/", 1, "Album"},
        // Names are kept as they are, blanks and non-ASCII letters included.
        {"/M/Die Ärzte/Best Of/", 2, "Die Ärzte/Best Of"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LastFolderLevels(row.folder, row.n), row.expected)
            << row.folder << " n=" << row.n;
}

TEST(PathFunctions, FolderAndNameSplitAtTheLastSeparator) {
    struct Row {
        std::string path;
        std::string folder;
        std::string name;
    };
    const Row rows[] = {
        {"/Musik/Artist/Song.mp3", "/Musik/Artist/", "Song.mp3"},
        {"/Musik/Artist/", "/Musik/Artist/", ""},
        {"Song.mp3", "", "Song.mp3"},
        {"/Song.mp3", "/", "Song.mp3"},
        {"", "", ""},
        {"/a.b/c d.e.mp3", "/a.b/", "c d.e.mp3"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FolderOfPath(row.path), row.folder) << row.path;
        EXPECT_EQ(NameOfPath(row.path), row.name) << row.path;
        // Both halves together give the path back.
        EXPECT_EQ(FolderOfPath(row.path) + NameOfPath(row.path), row.path);
    }
}

} // namespace
