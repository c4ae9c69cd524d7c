#include "input/Dispatch.h"

#include "input/KeysTestFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using keystest::KeysTest;

class BackTest : public KeysTest {};

TEST_F(BackTest, RestoresTheParentPositionInTheBottomRow) {
    openMusicRoot();
    gListElementOffset = 20;
    HightlightTitlebarIndex = 5;
    ASSERT_EQ(currentName(), "Album25");
    DispatchCommand("PLAY");
    ASSERT_EQ(gCurrentDirectory, root("Musik") + "Album25/");
    DispatchCommand("BACK");
    EXPECT_EQ(gCurrentDirectory, root("Musik"));
    EXPECT_EQ(gListElementOffset, 16);
    EXPECT_EQ(HightlightTitlebarIndex, 9);
    EXPECT_EQ(currentName(), "Album25");
    EXPECT_EQ(gPressedKeyText, "Zurück");
    // PLAY on ".." goes back the same way.
    DispatchCommand("PLAY");
    HightlightTitlebarIndex = 0;
    DispatchCommand("PLAY");
    EXPECT_EQ(currentName(), "Album25");
}

TEST_F(BackTest, AtARootOrFromTheQueuesGoesToTheMainMenu) {
    for (void (*enter)() : {callFunction_MusicMenu, callFunction_PhotoMenu, callFunction_VideoMenu,
                            callFunction_ProgramMenu, +[] { callFunction_PlaylistMenu(false); }}) {
        enter();
        gCurrentCoverFrontFileName = "/cover.jpg";
        DispatchCommand("BACK");
        EXPECT_EQ(gMenuMode, mmMain);
        EXPECT_TRUE(gCurrentCoverFrontFileName.empty());
    }
}

// Photo and program-link folders store no position and return to the top row; video folders
// store one and return to it, as the music folders do.
TEST_F(BackTest, SubfoldersRestoreThePositionOnlyWhereTheyStoredOne) {
    const struct {
        void (*enter)();
        int expectedRow;
    } cases[] = {
        {callFunction_PhotoMenu, 0}, {callFunction_ProgramMenu, 0}, {callFunction_VideoMenu, 1}};
    for (const auto& c : cases) {
        c.enter();
        HightlightTitlebarIndex = 1;
        DispatchCommand("PLAY");
        DispatchCommand("BACK");
        EXPECT_EQ(HightlightTitlebarIndex, c.expectedRow);
        EXPECT_EQ(gPositionStack.count, 0);
    }
}

TEST_F(BackTest, FromAPlaylistToThePlaylistsAtTheStoredRow) {
    PushListPosition(12);
    gMenuMode = mmPlaylist;
    DispatchCommand("BACK");
    EXPECT_EQ(gMenuMode, mmPlaylists);
    EXPECT_EQ(gListElementOffset, 3);
    EXPECT_EQ(HightlightTitlebarIndex, 9);
}

TEST_F(BackTest, ModesWithoutAParentLevelOnlyLog) {
    gMenuMode = mmSearch;
    gListElementOffset = 2;
    DispatchCommand("BACK");
    EXPECT_EQ(gMenuMode, mmSearch);
    EXPECT_EQ(gListElementOffset, 2);
    EXPECT_TRUE(logged("ERROR: callFunction_Back(): Unhandled gMenuMode 10"));
    // A folder whose parent cannot be cut off stays as it is.
    gMenuMode = mmMusic;
    gCurrentDirectory = "/";
    DispatchCommand("BACK");
    EXPECT_EQ(gCurrentDirectory, "/");
}

class DispatchTest : public KeysTest {};

TEST_F(DispatchTest, UnsuitableElementsGetQuestionMarksOrNothing) {
    const struct {
        const char* command;
        const char* text; // on the ".." row
    } rows[] = {{"JUKEBOX", "???"},
                {"INTOPLAYLIST", "???"},
                {"DELETEFROMPLAYLIST", "???"},
                {"PLAYLIST_UP", "???"},
                {"PLAYLIST_DOWN", "???"},
                {"PLAYLIST_RENAME", ""},
                {"PLAYLIST_DELETE", ""},
                {"play", ""}};
    openMusicRoot();
    for (const auto& row : rows) {
        gPressedKeyText.clear();
        DispatchCommand(row.command);
        EXPECT_EQ(gPressedKeyText, row.text) << row.command;
    }
    EXPECT_FALSE(logged("enter callFunction_Playlist"));
    EXPECT_EQ(gMenuMode, mmMusic);
    // An empty list has no element at all.
    ReplaceListElements();
    DispatchCommand("RATING");
    EXPECT_EQ(gPressedKeyText, "");
    DispatchCommand("JUKEBOX");
    EXPECT_EQ(gPressedKeyText, "???");
}

class SelectByNumberTest : public KeysTest {};

TEST_F(SelectByNumberTest, ListsNumberTheirTitlesFromOne) {
    openMusicRoot();
    gTwoDigitEntry = true;
    SelectByNumber(2);
    EXPECT_EQ(gPressedKeyText, "2_");
    SelectByNumber(7);
    EXPECT_EQ(gCurrentDirectory, root("Musik") + "Album27/");
    EXPECT_TRUE(logged("gListElementOffset:22"));
    EXPECT_FALSE(gTwoDigitEntry);
}

TEST_F(SelectByNumberTest, SelectListIndexScrollsIntoViewAndClampsAtTheEnd) {
    openMusicRoot();       // 32 rows
    gMenuMode = mmJukebox; // activating only logs here
    const int cases[][3] = {{30, 22, 8}, {32, 22, 8}, {2, 0, 2}, {20, 15, 5}};
    for (const auto& c : cases) {
        SelectListIndex(c[0]);
        EXPECT_EQ(gListElementOffset, c[1]) << c[0];
        EXPECT_EQ(HightlightTitlebarIndex, c[2]) << c[0];
    }
}

} // namespace
