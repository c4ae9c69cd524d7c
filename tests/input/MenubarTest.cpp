#include "input/Menubar.h"
#include "app/ResetAllState.h"

#include "app/AppState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "playback/Playlists.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class MenubarTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }
    void TearDown() override { ResetAllState(); }

    // The commands of the built set, separated by blanks.
    static std::string builtCommands() {
        std::string commands;
        for (int i = 0; i < gNumberOfMenuItems; ++i)
            commands += (i ? " " : "") + gMenubarItems[static_cast<std::size_t>(i)].Command;
        return commands;
    }
};

struct SetCase {
    const char* name;
    std::uint8_t mode;
    bool editing;
    int cover2DOr3D;
    std::uint8_t playMode;
    int count;
    const char* commands;
};

TEST_F(MenubarTest, EveryModeBuildsItsSetInCreationOrder) {
    // clang-format off
    const SetCase cases[] = {
        {"main", mmMain, false, 2, kPlayModeNormal, 3, "EXIT OPTIONS PLAY"},
        {"music 2D", mmMusic, false, 2, kPlayModeNormal, 11,
         "EXIT OPTIONS BACK JUKEBOX PLAY SHUFFLE INFO FINDTITLE NEXT COVERFULLSCREEN RATING"},
        {"music 3D while editing", mmMusic, true, 3, kPlayModeNormal, 11,
         "EXIT OPTIONS BACK INTOPLAYLIST PLAY SHUFFLE INFO FINDTITLE NEXT 3DCOVERSHOW RATING"},
        {"music, other cover setting", mmMusic, false, 0, kPlayModeJukebox, 11,
         "EXIT OPTIONS BACK JUKEBOX PLAY SHUFFLE INFO FINDTITLE NEXT 3DCOVERSHOW RATING"},
        {"photo", mmPhoto, true, 3, kPlayModeJukebox, 6, "EXIT OPTIONS BACK PLAY INFO DIASHOW"},
        {"video", mmVideo, false, 2, kPlayModeNormal, 6,
         "EXIT OPTIONS BACK PLAY INFO FULLSCREEN_TOGGLE"},
        {"options", mmOptions, false, 2, kPlayModeNormal, 1, "OPTIONS"},
        {"playlists", mmPlaylists, false, 2, kPlayModeNormal, 10,
         "EXIT OPTIONS BACK PLAY FINDTITLE NEXT PLAYLIST_RENAME PLAYLIST_DELETE PLAYLIST_NEW "
         "PLAYLIST_OPEN"},
        {"playlists while editing", mmPlaylists, true, 2, kPlayModeNormal, 7,
         "EXIT OPTIONS BACK PLAY FINDTITLE NEXT PLAYLIST_NEW"},
        {"playlist", mmPlaylist, true, 2, kPlayModeNormal, 9,
         "EXIT OPTIONS BACK PLAY SHUFFLE DELETEFROMPLAYLIST PLAYLIST_DOWN PLAYLIST_UP NEXT"},
        {"program links", mmProgramLinks, false, 2, kPlayModeNormal, 4,
         "EXIT OPTIONS BACK STARTPROGRAM"},
        {"jukebox", mmJukebox, false, 2, kPlayModeJukebox, 9,
         "EXIT OPTIONS BACK DELETEFROMJUKEBOX JUKEBOX_DOWN JUKEBOX_UP INFO FINDTITLE NEXT"},
        {"search", mmSearch, false, 2, kPlayModeNormal, 3, "FINDTITLE JUKEBOX PLAY"},
        {"search while editing", mmSearch, true, 2, kPlayModeShuffle, 3,
         "FINDTITLE INTOPLAYLIST PLAY"},
        {"search with active jukebox", mmSearch, false, 2, kPlayModeJukebox, 2,
         "FINDTITLE JUKEBOX"},
    };
    // clang-format on
    for (const SetCase& c : cases) {
        SCOPED_TRACE(c.name);
        gMenuMode = c.mode;
        gPlaylistEditing = c.editing;
        gIniShowCover2D_or_3D = c.cover2DOr3D;
        gPlayMode = c.playMode;
        BuildMenubar();
        EXPECT_EQ(gNumberOfMenuItems, c.count);
        EXPECT_EQ(builtCommands(), c.commands);
    }
}

struct RowCase {
    std::uint8_t mode;
    bool editing;
    int index;
    const char* german;
    const char* english;
    const char* command;
    char keyChar;
    std::uint16_t key1;
    std::uint16_t key2;
};

TEST_F(MenubarTest, ButtonsCarryCaptionsKeyCharAndKeyCodes) {
    const RowCase rows[] = {
        {mmMain, false, 0, "Beenden", "Exit", "EXIT", 'X', 88, 88},
        {mmMain, false, 2, "Auswählen", "Play", "PLAY", '0', 13, 139},
        {mmMusic, false, 2, "Zurück", "Back", "BACK", '0', 48, 8},
        {mmMusic, false, 3, "In Jukebox", "In Jukebox", "JUKEBOX", '+', 187, 0},
        {mmMusic, true, 3, "In Playlist", "In Playlist", "INTOPLAYLIST", '+', 187, 0},
        {mmMusic, false, 8, "Nächster Titel", "Next", "NEXT", 'N', 78, 176},
        {mmMusic, false, 9, "Cover zeigen", "Cover 2D-View", "COVERFULLSCREEN", 'C', 67, 0},
        {mmMusic, false, 10, "Bewertung", "Rating", "RATING", '*', 187, 0},
        {mmPhoto, false, 5, "Diashow", "Diashow", "DIASHOW", 'D', 68, 181},
        {mmVideo, false, 5, "Vollbild", "Fullscreen", "FULLSCREEN_TOGGLE", 'V', 86, 0},
        {mmOptions, false, 0, "Zurück", "Back", "OPTIONS", 'O', 79, 48},
        {mmPlaylists, true, 6, "Playlist abschließen", "Confirm Playlist", "PLAYLIST_NEW", 'P', 80,
         0},
        {mmPlaylists, false, 6, "Playlist umbenennen", "Rename Playlist", "PLAYLIST_RENAME", 'U',
         85, 0},
        {mmPlaylists, false, 9, "Erweitere Playlist", "Append Playlist", "PLAYLIST_OPEN", 'P', 80,
         0},
        {mmPlaylist, false, 6, "Playlist runter", "Playlist down", "PLAYLIST_DOWN", '-', 189, 0},
        {mmPlaylist, false, 7, "Playlist hoch", "Playlist up", "PLAYLIST_UP", '+', 187, 0},
        {mmProgramLinks, false, 3, "Starten", "Start", "STARTPROGRAM", '0', 13, 179},
        {mmJukebox, false, 4, "Jukebox runter", "Jukebox down", "JUKEBOX_DOWN", '-', 189, 0},
        {mmSearch, false, 0, "Zurück", "Back", "FINDTITLE", '0', 48, 182},
        {mmSearch, false, 2, "Abspielen", "Play", "PLAY", '0', 13, 179},
    };
    for (const RowCase& row : rows) {
        SCOPED_TRACE(std::string(row.command) + " in mode " + std::to_string(row.mode));
        gMenuMode = row.mode;
        gPlaylistEditing = row.editing;
        BuildMenubar();
        ASSERT_LT(row.index, gNumberOfMenuItems);
        const TMenuItem& item = gMenubarItems[static_cast<std::size_t>(row.index)];
        EXPECT_EQ(item.caption(0), row.german);
        EXPECT_EQ(item.caption(1), row.english);
        EXPECT_EQ(item.Command, row.command);
        EXPECT_EQ(item.KeyCharText(), std::string(1, row.keyChar));
        EXPECT_EQ(item.Key1, row.key1);
        EXPECT_EQ(item.Key2, row.key2);
    }
}

TEST_F(MenubarTest, CaptionOutsideTheLanguagesIsEmpty) {
    gMenuMode = mmMain;
    BuildMenubar();
    const TMenuItem& exit = gMenubarItems[0];
    for (int language : {2, 3, 4, 5, -1, 127})
        EXPECT_EQ(exit.caption(language), "") << language;
    EXPECT_EQ(TMenuItem().KeyCharText(), "");
}

TEST_F(MenubarTest, ModesWithoutASetKeepThePreviousSet) {
    gMenuMode = mmMusic;
    BuildMenubar();
    for (std::uint8_t mode : {std::uint8_t{6}, mmPhotoView, mmCoverFullscreen, mmCoverScreensaver,
                              std::uint8_t{11}, std::uint8_t{200}}) {
        gMenuMode = mode;
        BuildMenubar();
        EXPECT_EQ(gNumberOfMenuItems, 11) << int(mode);
        EXPECT_EQ(gMenubarItems[10].Command, "RATING") << int(mode);
    }
}

TEST_F(MenubarTest, SmallerSetLeavesTheSlotsAboveItUntouched) {
    gMenuMode = mmMusic;
    BuildMenubar();
    gMenuMode = mmMain;
    BuildMenubar();
    EXPECT_EQ(gNumberOfMenuItems, 3);
    EXPECT_EQ(gMenubarItems[2].Command, "PLAY");
    EXPECT_EQ(gMenubarItems[3].Command, "JUKEBOX");
}

TEST_F(MenubarTest, SettingsChangeTheSetOnlyAtTheNextBuild) {
    gMenuMode = mmMusic;
    BuildMenubar();
    gPlaylistEditing = true;
    EXPECT_EQ(gMenubarItems[3].Command, "JUKEBOX");
    BuildMenubar();
    EXPECT_EQ(gMenubarItems[3].Command, "INTOPLAYLIST");
}

// The keyboard takes the first button whose Key1 or Key2 is the key.
std::string firstCommandForKey(std::uint16_t key) {
    for (int i = 0; i < gNumberOfMenuItems; ++i) {
        const TMenuItem& item = gMenubarItems[static_cast<std::size_t>(i)];
        if (item.Key1 == key || item.Key2 == key)
            return item.Command;
    }
    return "";
}

TEST_F(MenubarTest, KeyOrderOfTheSetsDecidesWhichCommandAKeyReaches) {
    gMenuMode = mmMusic;
    BuildMenubar();
    EXPECT_EQ(firstCommandForKey(187), "JUKEBOX");
    EXPECT_EQ(firstCommandForKey(182), "OPTIONS");

    gMenuMode = mmOptions;
    BuildMenubar();
    EXPECT_EQ(firstCommandForKey('O'), "OPTIONS");
    EXPECT_EQ(firstCommandForKey('0'), "OPTIONS");

    gMenuMode = mmSearch;
    BuildMenubar();
    EXPECT_EQ(firstCommandForKey(182), "FINDTITLE");

    gPlayMode = kPlayModeJukebox;
    BuildMenubar();
    EXPECT_EQ(firstCommandForKey(13), "");
}

// The labels of a button's key: skin picture names, texts and the pictures themselves.
using KeyLabelTest = MenubarTest;

struct KeyLabelCase {
    std::uint16_t key1;
    char keyChar;
    const char* pictureName;
    const char* text;
};

TEST_F(KeyLabelTest, PictureNamesAndTexts) {
    const KeyLabelCase cases[] = {
        {13, '0', "key_return", "[Ret]"},
        {32, '0', "key_space", "[Leer]"},
        {39, 0, "key_right", "[->]"},
        {65, 'A', "key_A", "[A]"},
        {88, 'X', "key_X", "[X]"},
        {90, 'Z', "key_Z", "[Z]"},
        {48, '0', "key_0", "[0]"},
        {57, '9', "key_9", "[9]"},
        {187, '+', "key_+", "[+]"},
        {187, '*', "key_star", "[+]"},
        {187, '-', "", "[+]"},
        {189, '-', "key_-", "[-]"},
        {38, 0, "key_Up", "[Up]"},
        {40, 0, "key_Down", "[Down]"},
        {45, 0, "key_-", "[-]"},
        {43, 0, "key_+", "[+]"},
        {64, 0, "", "[@]"},
        {91, 0, "", "[[]"},
        {47, 0, "", "[/]"},
        {179, 0, "", "[³]"},
        {139, 0, "", "[‹]"},
        {0x20AC, 0, "", "[€]"},
    };
    for (const KeyLabelCase& c : cases) {
        SCOPED_TRACE(c.key1);
        const TMenuItem item({"", "", "", "", ""}, "X", c.keyChar, c.key1, 0);
        EXPECT_EQ(KeyPictureName(item), c.pictureName);
        EXPECT_EQ(KeyLabelText(item), c.text);
    }
}

TEST_F(KeyLabelTest, PictureComesFromTheSkinWhenItIsLoaded) {
    const auto item = [](std::uint16_t key1, char keyChar) {
        return TMenuItem({"", "", "", "", ""}, "X", keyChar, key1, 0);
    };
    EXPECT_EQ(KeyPicture(item(187, '+')), nullptr);

    gSkin.KeyPlus = platform::Picture::create(4, 4);
    gSkin.KeyStar = platform::Picture::create(4, 4);
    gSkin.KeyMinus = platform::Picture::create(4, 4);
    gSkin.KeyLetters['P' - 'A'] = platform::Picture::create(4, 4);
    gSkin.KeyDigits[7] = platform::Picture::create(4, 4);
    EXPECT_EQ(KeyPicture(item(187, '+')), &gSkin.KeyPlus);
    EXPECT_EQ(KeyPicture(item(187, '*')), &gSkin.KeyStar);
    EXPECT_EQ(KeyPicture(item(43, 0)), &gSkin.KeyPlus);
    EXPECT_EQ(KeyPicture(item(45, 0)), &gSkin.KeyMinus);
    EXPECT_EQ(KeyPicture(item(189, '-')), &gSkin.KeyMinus);
    EXPECT_EQ(KeyPicture(item('P', 'P')), &gSkin.KeyLetters['P' - 'A']);
    EXPECT_EQ(KeyPicture(item('7', '7')), &gSkin.KeyDigits[7]);
    EXPECT_EQ(KeyPicture(item(187, '-')), nullptr);
    EXPECT_EQ(KeyPicture(item(176, 'N')), nullptr);
}

} // namespace
