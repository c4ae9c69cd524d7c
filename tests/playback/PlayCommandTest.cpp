#include "playback/Play.h"

#include "input/KeysTestFixture.h"
#include "input/Menubar.h"
#include "playback/Players.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class PlayCommandTest : public keystest::KeysTest {
protected:
    void playRow(int row) {
        HightlightTitlebarIndex = row;
        callFunction_Play(CurrentListElement());
    }
};

TEST_F(PlayCommandTest, MainMenuEntriesEnterTheirModes) {
    const std::uint8_t modes[] = {
        mmMusic,       mmPhoto, mmVideo, mmPlaylists, mmMain /* the jukebox is not playing */,
        mmProgramLinks};
    for (int row = 0; row < 6; ++row) {
        callFunction_MainMenu();
        playRow(row);
        EXPECT_EQ(gMenuMode, modes[row]) << row;
    }
}

TEST_F(PlayCommandTest, FoldersOpenInTheirModeAndStoreThePositionOnlyWhereBackRestoresIt) {
    const struct {
        void (*enter)();
        const char* text;
        int stored;
    } cases[] = {{callFunction_MusicMenu, "Abspielen", 1},
                 {callFunction_PhotoMenu, "Anzeigen", 0},
                 {callFunction_VideoMenu, "Abspielen", 1},
                 {callFunction_ProgramMenu, "Starten", 0}};
    for (const auto& c : cases) {
        gPositionStack = TPositionStack{};
        c.enter();
        const std::string folder = gCurrentDirectory + gListElements->element(1)->FileName() + "/";
        playRow(1);
        EXPECT_EQ(gCurrentDirectory, folder);
        EXPECT_EQ(currentName(), "..");
        EXPECT_EQ(gPressedKeyText, c.text);
        EXPECT_EQ(gPositionStack.count, c.stored) << folder;
        EXPECT_TRUE(logged("gCurrentDirectory=" + folder));
    }
}

TEST_F(PlayCommandTest, ATitleQueuesItselfAndTheTitlesAfterIt) {
    openMusicRoot();
    playRow(1); // Album01: "..", 01, 02, 03
    gPlayMode = kPlayModeShuffle;
    playRow(2);
    ASSERT_EQ(gActualTitleList.count(), 2);
    EXPECT_EQ(gActualTitleList.element(0), gListElements->element(2)); // shared, not copied
    EXPECT_EQ(gActualTitleList.element(1)->FileName(), "03 Drei.mp3");
    EXPECT_EQ(gActualTitleIndex, 0);
    EXPECT_EQ(gPlayMode, kPlayModeNormal);
    for (const char* line :
         {"play title \"02 Zwei.mp3\"", "von 2 bis 4", "gActualTitleList[1] = 03 Drei.mp3"})
        EXPECT_TRUE(logged(line)) << line;
    // The chosen title is the one that plays.
    EXPECT_EQ(gMusicPlayer->mode(), platform::PlayerMode::Playing);
    EXPECT_EQ(gPlayingTitle, gListElements->element(2));
}

TEST_F(PlayCommandTest, PhotosVideosAndLinksGoToTheirRoutines) {
    const struct {
        void (*enter)();
        const char* line;
        bool opensView; // the photo leaves its list for the photo view
    } cases[] = {{callFunction_PhotoMenu, "show photo \"bild1.jpg\"", true},
                 {callFunction_VideoMenu, "play video \"film.avi\"", false},
                 {callFunction_ProgramMenu, "start program \"editor.desktop\"", false}};
    for (const auto& c : cases) {
        c.enter();
        const std::uint8_t mode = gMenuMode;
        playRow(2);
        EXPECT_TRUE(logged(c.line)) << c.line;
        EXPECT_EQ(gMenuMode, c.opensView ? mmPhotoView : mode);
    }
}

TEST_F(PlayCommandTest, APlaylistOpensAsItsOwnView) {
    callFunction_PlaylistMenu(false);
    gListElements->add("1", std::make_shared<TListElement>(ListElementType::Playlist, root("Musik"),
                                                           "Party.m3u", 0.0, 1));
    playRow(gListElements->count() - 1);
    EXPECT_EQ(gMenuMode, mmPlaylist);
    EXPECT_EQ(gOpenPlaylistName, "Party");
    EXPECT_EQ(gPositionStack.count, 1);
    EXPECT_EQ(currentName(), "..");
    EXPECT_EQ(gMenubarItems[5].Command, "DELETEFROMPLAYLIST");
}

TEST_F(PlayCommandTest, ModesWithoutActivationOnlyLogAnError) {
    for (std::uint8_t mode : {mmJukebox, mmOptions}) {
        openMusicRoot();
        gMenuMode = mode;
        gPressedKeyText.clear();
        playRow(1);
        EXPECT_EQ(gCurrentDirectory, root("Musik"));
        EXPECT_EQ(gPressedKeyText, "");
    }
    EXPECT_TRUE(logged("ERROR: callFunction_Play(): Unhandled gMenuMode"));
}

} // namespace
