#include "library/ListElement.h"

#include <gtest/gtest.h>

namespace {

using T = ListElementType;

TEST(ListElementTest, FolderGetsOneTrailingSeparatorUnlessEmpty) {
    struct Row {
        const char* folder;
        const char* stored;
    };
    const Row rows[] = {
        {"", ""},
        {"/home/user/Musik", "/home/user/Musik/"},
        {"/home/user/Musik/", "/home/user/Musik/"},
    };
    for (const auto& row : rows) {
        const TListElement element(T::MP3, row.folder, "Song.mp3", 0.0, 1);
        EXPECT_EQ(element.Dir(), row.stored) << row.folder;
        EXPECT_EQ(element.FullPath(), std::string(row.stored) + "Song.mp3") << row.folder;
    }
}

TEST(ListElementTest, NameDropsTheLastExtensionOnlyForFileTypesThatHideIt) {
    struct Row {
        ListElementType type;
        const char* fileName;
        const char* name;
    };
    const Row rows[] = {
        {T::MP3, "a.b.mp3", "a.b"},
        {T::MP3, "Film.Teil1.mp3", "Film.Teil1"},
        {T::MP3, "ohneEndung", "ohneEndung"},
        {T::MP3, ".mp3", ""},
        {T::Photo, "Urlaub.jpg", "Urlaub"},
        {T::ProgramLink, "Spiel.desktop", "Spiel"},
        {T::Video, "Film.Teil1.avi", "Film.Teil1.avi"},
        {T::MP3Dir, "Ordner.mp3", "Ordner.mp3"},
    };
    for (const auto& row : rows) {
        const TListElement element(row.type, "/m/", row.fileName, 0.0, 0);
        EXPECT_EQ(element.Name(), row.name) << row.fileName;
        EXPECT_EQ(element.FileName(), row.fileName);
    }
}

TEST(ListElementTest, BrokenLengthsReadAsUnknown) {
    struct Row {
        const char* set;
        const char* read;
    };
    const Row rows[] = {
        {"-1:05", "???"}, {"-", "???"}, {"", ""}, {"3:05", "3:05"}, {"1:-5", "1:-5"},
    };
    TListElement element(T::MP3, "/m/", "x.mp3", 45000.5, 1);
    EXPECT_DOUBLE_EQ(element.FileDate(), 45000.5);
    EXPECT_EQ(element.Length(), "");
    EXPECT_FALSE(element.IsNew());
    for (const auto& row : rows) {
        element.SetLength(row.set);
        EXPECT_EQ(element.Length(), row.read) << row.set;
    }
    element.SetLengthSeconds(-7);
    EXPECT_EQ(element.LengthSeconds(), 0);
    element.SetLengthSeconds(185);
    EXPECT_EQ(element.LengthSeconds(), 185);
}

// Type traits of all thirteen values: folder or not, and the debug name Describe begins with.
TEST(ListElementTest, FolderTypesAndDebugNames) {
    struct Row {
        ListElementType type;
        bool folder;
        const char* debugName;
    };
    const Row rows[] = {
        {T::Back, false, "ListElementType: Back"},
        {T::MP3Dir, true, "ListElementType: MP3Dir"},
        {T::PhotoDir, true, "ListElementType: PhotoDir"},
        {T::PlaylistDir, true, "ListElementType: PlaylistDir"},
        {T::MP3, false, "ListElementType: MP3"},
        {T::Photo, false, "ListElementType: Photo"},
        {T::Playlist, false, "ListElementType: Playlist"},
        {T::Option, false, ""},
        {T::OptionGroup, false, ""},
        {T::ProgramDir, true, ""},
        {T::ProgramLink, false, ""},
        {T::VideoDir, true, "ListElementType: VideoDir"},
        {T::Video, false, "ListElementType: Video"},
    };
    for (const auto& row : rows) {
        const TListElement element(row.type, "", "n", 0.0, 2);
        EXPECT_EQ(element.IsFolder(), row.folder) << static_cast<int>(row.type);
        EXPECT_EQ(element.Describe(),
                  std::string(row.debugName) + " ; Index:2 ; FileName:n ; " + "Dir: ; Length: ; ")
            << static_cast<int>(row.type);
    }
}

TEST(ListElementTest, DescribeOfATitleEndsWithABlank) {
    TListElement element(T::MP3, "/Musik", "Song.mp3", 0.0, 3);
    element.SetLength("3:05");
    EXPECT_EQ(element.Describe(),
              "ListElementType: MP3 ; Index:3 ; FileName:Song.mp3 ; Dir:/Musik/ ; Length:3:05 ; ");
}

TEST(ListElementTest, OptionRowsStartUnsetOrOnTheFirstChoice) {
    TListElement yesNo(T::Option, "", "", 0.0, 0);
    EXPECT_EQ(yesNo.OptionKind(), kOptionKindNone);
    yesNo.SetYesNoOption(1, "IniChangeCoverImage", "Cover wechseln", "Wechselt die Ansicht");
    EXPECT_EQ(yesNo.OptionKind(), kOptionKindYesNo);
    EXPECT_EQ(yesNo.OptionGroupNo(), 1);
    EXPECT_EQ(yesNo.OptionKey(), "IniChangeCoverImage");
    EXPECT_EQ(yesNo.OptionCaption(), "Cover wechseln");
    EXPECT_EQ(yesNo.OptionDescription(), "Wechselt die Ansicht");
    EXPECT_EQ(yesNo.OptionValue(), -1);

    TListElement choice(T::Option, "", "", 0.0, 0);
    choice.SetChoiceOption(0, "IniNumberOfTitlebars", {"9", "10", "12", "", "", "", "", ""}, 3,
                           "Anzahl Zeilen", "Titelzeilen");
    EXPECT_EQ(choice.OptionKind(), kOptionKindChoice);
    EXPECT_EQ(choice.OptionCaption(), "Titelzeilen");
    EXPECT_EQ(choice.OptionDescription(), "Anzahl Zeilen");
    EXPECT_EQ(choice.OptionValue(), 1);
    EXPECT_EQ(choice.OptionChoiceCount(), 3);
    EXPECT_EQ(choice.choice(1), "9");
    EXPECT_EQ(choice.choice(3), "12");
    EXPECT_EQ(choice.choice(0), ""); // numbers outside 1..8 have no slot
    EXPECT_EQ(choice.choice(9), "");

    // More choices than slots would let the screen step onto texts that do not exist.
    choice.SetChoiceOption(0, "IniSkinName", {"a", "b", "c", "d", "e", "f", "g", "h"}, 12, "",
                           "Skin");
    EXPECT_EQ(choice.OptionChoiceCount(), kOptionChoiceSlots);
}

TEST(ListElementTest, LastCharPosIsOneBasedOrMinusOne) {
    struct Row {
        const char* text;
        char ch;
        int position;
    };
    const Row rows[] = {
        {"a.b.c", '.', 4}, {"abc", '.', -1},  {"", '.', -1},
        {".x", '.', 1},    {"/a/b/", '/', 5}, {"/a/b", '/', 3},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LastCharPos(row.text, row.ch), row.position) << row.text;
}

} // namespace
