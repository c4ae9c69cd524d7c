#include "app/MenuModes.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/Mainform.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "input/PressedKeyText.h"
#include "platform/Encoding.h"
#include "playback/StatusMessage.h"
#include "support/FakePlayer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

using T = ListElementType;

class MenuModesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        gIniNumberOfTitlebars = 10;
        gIniRootDirectoryMusic = "/home/u/Musik/";
        gIniRootDirectoryPhoto = "/home/u/Bilder/";
        gIniRootDirectoryVideo = "/home/u/Videos/";
        gIniRootDirectoryProgramLinks = "/home/u/Desktop/";
        SetLoggingEnabled(true);
        m_debug = std::make_unique<TDebugForm>(m_logFolder.path());
    }
    void TearDown() override {
        m_debug.reset();
        ResetAllState();
    }

    // True when the lines follow each other in the log, whole lines each.
    bool logHasSequence(const std::vector<std::string>& lines) const {
        std::string needle = "\r\n";
        for (const auto& line : lines)
            needle += line + "\r\n";
        const std::string bytes = testsupport::readFile(m_logFolder.file("debug.txt"));
        return ("\r\n" + platform::decodeFileText(bytes)).find(needle) != std::string::npos;
    }

    static ListElementPtr title(const std::string& fileName) {
        return std::make_shared<TListElement>(T::MP3, "/home/u/Musik/", fileName, 0.0, 0);
    }

    testsupport::TempDir m_logFolder;
    std::unique_ptr<TDebugForm> m_debug;
    // The main window's timers and controls, without a window.
    platform::ManualClock m_partsClock{0};
    TMainformParts m_parts{&m_partsClock};
};

TEST_F(MenuModesTest, MainMenuHasSixFixedEntriesAndNoFolder) {
    gMenuMode = mmMusic;
    gCurrentDirectory = "/home/u/Musik/";
    gListElementOffset = 3;
    HightlightTitlebarIndex = 4;

    callFunction_MainMenu();

    struct Row {
        const char* key;
        const char* caption;
        ListElementType type;
        int index;
    };
    const Row rows[] = {
        {"1", "Musik", T::MP3Dir, 1},
        {"2", "Fotos", T::PhotoDir, 2},
        {"3", "Videos", T::VideoDir, 3},
        {"4", "Musik-Playlists", T::PlaylistDir, 4},
        {"5", "Musik-Jukebox", T::PlaylistDir, 5},
        {"6", "Programme/Spiele", T::ProgramDir, 6},
    };
    ASSERT_EQ(gListElements->count(), 6);
    for (int i = 0; i < 6; ++i) {
        const auto& row = rows[i];
        const auto element = gListElements->element(i);
        EXPECT_EQ(gListElements->key(i), row.key);
        EXPECT_EQ(element->FileName(), row.caption);
        EXPECT_EQ(element->ElementType(), row.type);
        EXPECT_EQ(element->Index(), row.index);
    }
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_EQ(gCurrentDirectory, "");
    EXPECT_EQ(gListElementOffset, 0);
    EXPECT_EQ(HightlightTitlebarIndex, 0);
    EXPECT_TRUE(logHasSequence({"enter callFunction_MainMenu()"}));
}

TEST_F(MenuModesTest, RootEntriesSetModeFolderAndLogTheirRoot) {
    struct Row {
        void (*enter)();
        const char* routine;
        std::uint8_t mode;
        const std::string* root;
        const char* rootName;
    };
    const Row rows[] = {
        {callFunction_MusicMenu, "callFunction_MusicMenu", mmMusic, &gIniRootDirectoryMusic,
         "gIniRootDirectoryMusic"},
        {callFunction_PhotoMenu, "callFunction_PhotoMenu", mmPhoto, &gIniRootDirectoryPhoto,
         "gIniRootDirectoryPhoto"},
        {callFunction_VideoMenu, "callFunction_VideoMenu", mmVideo, &gIniRootDirectoryVideo,
         "gIniRootDirectoryVideo"},
        {callFunction_ProgramMenu, "callFunction_ProgramMenu", mmProgramLinks,
         &gIniRootDirectoryProgramLinks, "gIniRootDirectoryProgramLinks"},
    };
    for (const auto& row : rows) {
        callFunction_MainMenu();
        HightlightTitlebarIndex = 3;
        row.enter();
        EXPECT_EQ(gMenuMode, row.mode) << row.routine;
        EXPECT_EQ(gCurrentDirectory, *row.root) << row.routine;
        EXPECT_EQ(HightlightTitlebarIndex, 0) << row.routine;
        EXPECT_EQ(gListElementOffset, 0) << row.routine;
        ASSERT_GE(gListElements->count(), 1) << row.routine;
        EXPECT_EQ(gListElements->element(0)->ElementType(), T::Back) << row.routine;
        EXPECT_EQ(gListElements->key(0), "0") << row.routine;
        EXPECT_TRUE(logHasSequence({std::string("enter ") + row.routine + "()",
                                    std::string(row.rootName) + "=" + *row.root,
                                    "gCurrentDirectory=" + *row.root}))
            << row.routine;
    }
}

TEST_F(MenuModesTest, UnconfiguredPhotoOrVideoRootKeepsTheMode) {
    struct Row {
        void (*enter)();
        std::string* root;
        const char* logText;
        const char* statusText;
    };
    const Row rows[] = {
        {callFunction_PhotoMenu, &gIniRootDirectoryPhoto,
         "ERROR: Kein Verzeichnis für Photos konfiguriert! Bitte Config.exe erneut starten...",
         "Kein Photo-Verzeichnis konfiguriert! Bitte Config.exe erneut starten..."},
        {callFunction_VideoMenu, &gIniRootDirectoryVideo,
         "ERROR: Kein Video-Verzeichnis konfiguriert! Bitte Config.exe erneut starten...",
         "Kein Video-Verzeichnis konfiguriert! Bitte Config.exe erneut starten..."},
    };
    for (const auto& row : rows) {
        for (const char* root : {"", "/"}) {
            callFunction_MainMenu();
            HightlightTitlebarIndex = 2;
            const auto shownList = gListElements;
            gStatusMessage.clear();
            *row.root = root;

            row.enter();

            EXPECT_EQ(gMenuMode, mmMain) << row.statusText << root;
            EXPECT_EQ(gListElements, shownList);
            EXPECT_EQ(gCurrentDirectory, "");
            EXPECT_EQ(HightlightTitlebarIndex, 2);
            EXPECT_EQ(gStatusMessage, row.statusText);
            EXPECT_TRUE(logHasSequence({"-------------BEGIN ERROR----------------", row.logText}));
        }
    }
}

TEST_F(MenuModesTest, JukeboxListSharesTheQueuedElements) {
    gPlayMode = kPlayModeJukebox;
    gActualTitleList.add("", title("a.mp3"));
    gActualTitleList.add("", title("b.mp3"));

    callFunction_JukeboxMenu();

    EXPECT_EQ(gMenuMode, mmJukebox);
    EXPECT_EQ(gCurrentDirectory, gIniRootDirectoryMusic);
    ASSERT_EQ(gListElements->count(), 3);
    EXPECT_EQ(gListElements->element(0)->ElementType(), T::Back);
    EXPECT_EQ(gListElements->element(1), gActualTitleList.element(0));
    EXPECT_EQ(gListElements->element(2), gActualTitleList.element(1));
    EXPECT_EQ(gListElements->key(0), "0");
    EXPECT_EQ(gListElements->key(1), "0");
    EXPECT_EQ(gListElements->key(2), "1");
}

TEST_F(MenuModesTest, PlaylistMenuResetsOrKeepsTheCursor) {
    gListElementOffset = 16;
    HightlightTitlebarIndex = 9;
    callFunction_PlaylistMenu(true);
    EXPECT_EQ(gMenuMode, mmPlaylists);
    EXPECT_EQ(gCurrentDirectory, gIniRootDirectoryMusic);
    // The row the caller restored stays on the element it was on, not on the first page.
    EXPECT_EQ(gListElementOffset, 16);
    EXPECT_EQ(HightlightTitlebarIndex, 9);

    callFunction_PlaylistMenu(false);
    EXPECT_EQ(gListElementOffset, 0);
    EXPECT_EQ(HightlightTitlebarIndex, 0);
    EXPECT_TRUE(logHasSequence({"enter callFunction_PlaylistMenu()"}));
}

TEST_F(MenuModesTest, LeavingOptionsRestoresThePositionByTheRowRule) {
    struct Row {
        int offset; // before entering the options
        int row;
        int offsetAfter;
        int rowAfter;
    };
    const Row rows[] = {
        {0, 9, 0, 9},  // p = R - 1: on the first page
        {7, 3, 10, 0}, // p = R: the restored element becomes the top row
        {30, 5, 35, 0},
        {0, 0, 0, 0},
    };
    // A folder long enough for every saved position: ".." and 45 subfolders.
    testsupport::TempDir rock;
    for (int i = 0; i < 45; ++i)
        std::filesystem::create_directory(rock.file("Album " + std::to_string(100 + i)));
    for (const auto& row : rows) {
        callFunction_MusicFolder(rock.path());
        gListElementOffset = row.offset;
        HightlightTitlebarIndex = row.row;
        EnterPreviousModeSave();
        gMenuMode = mmOptions;
        ReplaceListElements();
        gListElementOffset = 4; // the options list scrolled
        HightlightTitlebarIndex = 2;

        RestorePreviousMenuMode();

        EXPECT_EQ(gPreviousMenuMode, mmMusic);
        EXPECT_EQ(gMenuMode, mmMusic);
        EXPECT_EQ(gCurrentDirectory, rock.path() + "/");
        EXPECT_EQ(gListElementOffset, row.offsetAfter) << row.offset << "+" << row.row;
        EXPECT_EQ(HightlightTitlebarIndex, row.rowAfter) << row.offset << "+" << row.row;
        EXPECT_EQ(gPositionStack.count, 0);
    }
}

TEST_F(MenuModesTest, LeavingOptionsEnteredFromTheMainMenuRebuildsIt) {
    callFunction_MainMenu();
    HightlightTitlebarIndex = 2;
    EnterPreviousModeSave();
    gMenuMode = mmOptions;
    ReplaceListElements();

    RestorePreviousMenuMode();

    EXPECT_EQ(gMenuMode, mmMain);
    ASSERT_EQ(gListElements->count(), 6);
    EXPECT_EQ(HightlightTitlebarIndex, 2);
    EXPECT_EQ(CurrentListElement()->FileName(), "Videos");
}

TEST_F(MenuModesTest, LeavingOptionsForAListThatBecameShorterStaysOnItsLastElement) {
    // Saved on the 9th row of a longer list (a playlist was deleted meanwhile, say); the main
    // menu built anew has six entries.
    callFunction_MainMenu();
    HightlightTitlebarIndex = 8;
    EnterPreviousModeSave();
    gMenuMode = mmOptions;
    ReplaceListElements();

    RestorePreviousMenuMode();

    EXPECT_EQ(gListElementOffset + HightlightTitlebarIndex, 5);
    ASSERT_NE(CurrentListElement(), nullptr);
}

TEST_F(MenuModesTest, LeavingOptionsRebuildsTheSavedModeByItsEntry) {
    struct Row {
        std::uint8_t saved;
        std::string folder;
        std::uint8_t restored;
        std::string folderAfter;
    };
    const Row rows[] = {
        // A playlist's titles are left for the list of playlists.
        {mmPlaylist, "/home/u/Musik/", mmPlaylists, "/home/u/Musik/"},
        // Photo and program-link subfolders return to their root.
        {mmPhoto, "/home/u/Bilder/2020/", mmPhoto, "/home/u/Bilder/"},
        {mmProgramLinks, "/home/u/Desktop/Spiele/", mmProgramLinks, "/home/u/Desktop/"},
    };
    for (const auto& row : rows) {
        gMenuMode = row.saved;
        gCurrentDirectory = row.folder;
        EnterPreviousModeSave();
        gMenuMode = mmOptions;
        RestorePreviousMenuMode();
        EXPECT_EQ(gMenuMode, row.restored) << int(row.saved);
        EXPECT_EQ(gCurrentDirectory, row.folderAfter) << int(row.saved);
    }
}

TEST_F(MenuModesTest, LeavingOptionsForAnEmptiedJukeboxShowsTheMainMenu) {
    gPlayMode = kPlayModeJukebox;
    callFunction_JukeboxMenu();
    EnterPreviousModeSave();
    gMenuMode = mmOptions;
    gPlayMode = kPlayModeNormal;

    RestorePreviousMenuMode();

    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_EQ(gListElements->count(), 6);
}

TEST_F(MenuModesTest, EndingTheScreensaverInTheMainMenuRebuildsIt) {
    gPreviousMenuMode = mmMain;
    gMenuMode = mmCoverScreensaver;
    gCurrentDirectory.clear();

    EndScreensaverMode();

    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_EQ(gListElements->count(), 6);
}

// The same refusals with a main window: its timers are what the user sees change.
class MenuModesWindowTest : public MenuModesTest {
protected:
    void SetUp() override {
        MenuModesTest::SetUp();
        m_form = std::make_unique<TMainform>(
            TMainform::Options{m_formFolder.path(), &m_clock, testsupport::fakePlayers(m_clock)});
    }
    void TearDown() override {
        m_form.reset();
        MenuModesTest::TearDown();
    }

    platform::SdlSession m_sdl;
    platform::ManualClock m_clock{1000};
    testsupport::TempDir m_formFolder;
    std::unique_ptr<TMainform> m_form;
};

TEST_F(MenuModesWindowTest, RefusedPhotoMenuStopsTheTrackCountAndRestartsTheMessageTimer) {
    gIniRootDirectoryPhoto.clear();
    m_form->loop().advance(3000);
    m_form->Timer_ShowNumberOfTracksInitially.setEnabled(true);
    m_form->Timer_ShowNumberOfTracksInitially2.setEnabled(true);
    const auto deadlineBefore = m_form->Timer_DeleteStatusMessage.deadline();

    callFunction_PhotoMenu();

    EXPECT_FALSE(m_form->Timer_ShowNumberOfTracksInitially.enabled());
    EXPECT_FALSE(m_form->Timer_ShowNumberOfTracksInitially2.enabled());
    EXPECT_TRUE(m_form->Timer_DeleteStatusMessage.enabled());
    EXPECT_EQ(m_form->Timer_DeleteStatusMessage.deadline(), m_clock.nowMs() + 4000);
    EXPECT_NE(m_form->Timer_DeleteStatusMessage.deadline(), deadlineBefore);
    EXPECT_EQ(gStatusMessage,
              "Kein Photo-Verzeichnis konfiguriert! Bitte Config.exe erneut starten...");
}

TEST_F(MenuModesWindowTest, InactiveJukeboxIsRefusedWithAHeaderTextForItsTime) {
    callFunction_MainMenu();
    HightlightTitlebarIndex = 4;
    gPlayMode = kPlayModeShuffle;
    const auto shownList = gListElements;
    callFunction_JukeboxMenu();
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_EQ(gListElements, shownList);
    EXPECT_EQ(HightlightTitlebarIndex, 4);
    EXPECT_TRUE(logHasSequence({"enter callFunction_JukeboxMenu()", "JUKEBOX ist leer!"}));
    EXPECT_EQ(gPressedKeyText, "Jukebox ist leer!");
    EXPECT_TRUE(m_form->Timer_ShowPressedKey.enabled());
    EXPECT_EQ(m_form->Timer_ShowPressedKey.interval(), 1500);

    // A second refusal 1000 ms later starts the 1500 ms anew.
    m_form->loop().advance(1000);
    callFunction_JukeboxMenu();
    m_form->loop().advance(1000);
    EXPECT_EQ(gPressedKeyText, "Jukebox ist leer!");
    m_form->loop().advance(500);
    EXPECT_EQ(gPressedKeyText, "");
    EXPECT_FALSE(m_form->Timer_ShowPressedKey.enabled());
}

} // namespace
