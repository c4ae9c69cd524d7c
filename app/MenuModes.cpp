#include "app/MenuModes.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "config/Config.h"
#include "config/Ratings.h"
#include "input/Menubar.h"
#include "input/PressedKeyText.h"
#include "library/FolderListing.h"
#include "library/TitleSearch.h"
#include "playback/StatusMessage.h"
#include "ui/StatusLine.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

struct MainMenuEntry {
    const char* key;
    const char* caption;
    ListElementType type;
    int index; // activating the entry selects its mode by this number
};

constexpr std::array<MainMenuEntry, 6> kMainMenuEntries = {{
    {"1", "Musik", ListElementType::MP3Dir, 1},
    {"2", "Fotos", ListElementType::PhotoDir, 2},
    {"3", "Videos", ListElementType::VideoDir, 3},
    {"4", "Musik-Playlists", ListElementType::PlaylistDir, 4},
    {"5", "Musik-Jukebox", ListElementType::PlaylistDir, 5},
    {"6", "Programme/Spiele", ListElementType::ProgramDir, 6},
}};

// A browsing mode entered at its configured root folder.
struct RootFolderMode {
    const char* routine;
    std::uint8_t mode;
    const char* rootName; // logged with the root's value
    const std::string* root;
    void (*list)(const std::string& folder);
    // Roots that may be left unconfigured: the texts of the refusal; null for no guard.
    const char* missingRootLog;
    const char* missingRootStatus;
};

const RootFolderMode kMusicMode{"callFunction_MusicMenu",
                                mmMusic,
                                "gIniRootDirectoryMusic",
                                &gIniRootDirectoryMusic,
                                ListMusicFolder,
                                nullptr,
                                nullptr};
const RootFolderMode kPhotoMode{
    "callFunction_PhotoMenu",
    mmPhoto,
    "gIniRootDirectoryPhoto",
    &gIniRootDirectoryPhoto,
    ListPhotoFolder,
    "Kein Verzeichnis für Photos konfiguriert! Bitte Config.exe erneut starten...",
    "Kein Photo-Verzeichnis konfiguriert! Bitte Config.exe erneut starten..."};
const RootFolderMode kVideoMode{
    "callFunction_VideoMenu",
    mmVideo,
    "gIniRootDirectoryVideo",
    &gIniRootDirectoryVideo,
    ListVideoFolder,
    "Kein Video-Verzeichnis konfiguriert! Bitte Config.exe erneut starten...",
    "Kein Video-Verzeichnis konfiguriert! Bitte Config.exe erneut starten..."};
const RootFolderMode kProgramLinkMode{"callFunction_ProgramMenu",
                                      mmProgramLinks,
                                      "gIniRootDirectoryProgramLinks",
                                      &gIniRootDirectoryProgramLinks,
                                      ListProgramLinkFolder,
                                      nullptr,
                                      nullptr};

void logEnter(const char* routine) {
    LogLine(std::string("enter ") + routine + "()");
}

// The start-up display of the track count would overwrite the refusal at once.
void stopTrackCountTimers() {
    Mainform().Timer_ShowNumberOfTracksInitially.setEnabled(false);
    Mainform().Timer_ShowNumberOfTracksInitially2.setEnabled(false);
}

void enterRootFolderMode(const RootFolderMode& entry) {
    logEnter(entry.routine);
    const std::string& root = *entry.root;
    // A root of at most one character is an unconfigured one ("" or a bare separator).
    if (entry.missingRootLog != nullptr && root.size() <= 1) {
        LogError(entry.missingRootLog);
        stopTrackCountTimers();
        SetStatusMessage(entry.missingRootStatus);
        DrawStatusLine();
        return;
    }
    SetMenuMode(entry.mode);
    gCurrentDirectory = root;
    LogLine(std::string(entry.rootName) + "=" + root);
    LogLine("gCurrentDirectory=" + gCurrentDirectory);
    const std::string folder = gCurrentDirectory;
    entry.list(folder);
    HightlightTitlebarIndex = 0;
    BuildMenubar();
}

// How leaving the options screen rebuilds the mode it was entered from.
struct RestoreRule {
    std::uint8_t mode;
    void (*rebuild)();
};

const std::array<RestoreRule, 7> kRestoreRules = {{
    {mmMusic,
     [] {
         const std::string folder = gCurrentDirectory;
         callFunction_MusicFolder(folder);
     }},
    {mmPhoto, callFunction_PhotoMenu},
    {mmVideo, callFunction_VideoMenu},
    {mmProgramLinks, callFunction_ProgramMenu},
    // A playlist's titles are left for the list of playlists.
    {mmPlaylists, [] { callFunction_PlaylistMenu(true); }},
    {mmPlaylist, [] { callFunction_PlaylistMenu(true); }},
    {mmJukebox, callFunction_JukeboxMenu},
}};

void rebuildPreviousMode() {
    if (gCurrentDirectory.empty()) {
        callFunction_MainMenu();
        return;
    }
    for (const auto& rule : kRestoreRules) {
        if (rule.mode == gPreviousMenuMode) {
            rule.rebuild();
            return;
        }
    }
    callFunction_MainMenu();
}

} // namespace

void SetMenuMode(std::uint8_t mode) {
    const std::uint8_t previous = gMenuMode;
    gMenuMode = mode;
    if (previous != mode)
        TitleSearchModeChanged(previous, mode);
}

void callFunction_MainMenu() {
    logEnter("callFunction_MainMenu");
    SetMenuMode(mmMain);
    TElementList& list = ReplaceListElements();
    for (const auto& entry : kMainMenuEntries)
        list.add(entry.key,
                 std::make_shared<TListElement>(entry.type, "", entry.caption, 0.0, entry.index));
    HightlightTitlebarIndex = 0;
    gCurrentDirectory.clear();
    BuildMenubar();
}

void callFunction_MusicMenu() {
    enterRootFolderMode(kMusicMode);
}

void callFunction_MusicFolder(const std::string& folder) {
    logEnter("callFunction_MusicFolder");
    SetMenuMode(mmMusic);
    gCurrentDirectory = folder;
    if (!gCurrentDirectory.empty() && gCurrentDirectory.back() != '/')
        gCurrentDirectory += '/';
    LogLine("gCurrentDirectory=" + gCurrentDirectory);
    const std::string shown = gCurrentDirectory;
    ListMusicFolder(shown);
    HightlightTitlebarIndex = 0;
    BuildMenubar();
}

void callFunction_PhotoMenu() {
    enterRootFolderMode(kPhotoMode);
}

void callFunction_VideoMenu() {
    enterRootFolderMode(kVideoMode);
}

void callFunction_ProgramMenu() {
    enterRootFolderMode(kProgramLinkMode);
}

void callFunction_PlaylistMenu(bool keepRow) {
    logEnter("callFunction_PlaylistMenu");
    // Back from a playlist's titles positions the cursor before calling; the new list would
    // otherwise show that row on the first page, on a different playlist.
    const std::int32_t keptOffset = gListElementOffset;
    const std::int32_t keptRow = HightlightTitlebarIndex;
    SetMenuMode(mmPlaylists);
    gCurrentDirectory = gIniRootDirectoryMusic;
    if (!ListPlaylists())
        return;
    if (keepRow) {
        gListElementOffset = keptOffset;
        HightlightTitlebarIndex = keptRow;
    } else {
        gListElementOffset = 0;
        HightlightTitlebarIndex = 0;
    }
    BuildMenubar();
}

void callFunction_JukeboxMenu() {
    logEnter("callFunction_JukeboxMenu");
    if (gPlayMode != kPlayModeJukebox) {
        LogLine("JUKEBOX ist leer!");
        ShowPressedKeyText("Jukebox ist leer!");
        return;
    }
    SetMenuMode(mmJukebox);
    gCurrentDirectory = gIniRootDirectoryMusic;
    ListJukebox();
    HightlightTitlebarIndex = 0;
    BuildMenubar();
}

// The folder list comes back as it was; the photo list stays until the next photo is opened.
void callFunction_ClosePhotoView() {
    logEnter("callFunction_ClosePhotoView");
    Mainform().ImagePhoto.setVisible(false);
    Mainform().Timer_DiaShowShowTitle.setEnabled(false);
    SetMenuMode(mmPhoto);
    Mainform().requestRepaint();
}

void EnterPreviousModeSave() {
    gPreviousMenuMode = gMenuMode;
    PushListPosition(gListElementOffset + HightlightTitlebarIndex);
}

void RestorePreviousMenuMode() {
    rebuildPreviousMode();
    // A refused entry (the jukebox no longer active) would leave the options screen showing.
    if (gMenuMode == mmOptions)
        callFunction_MainMenu();
    std::int32_t position = PopListPosition();
    // The list is built anew and may have become shorter meanwhile (a playlist deleted, a
    // folder emptied): the position must name one of its elements.
    const std::int32_t count = gListElements ? gListElements->count() : 0;
    position = std::clamp(position, 0, std::max(count - 1, 0));
    if (position >= VisibleRows()) {
        gListElementOffset = position;
        HightlightTitlebarIndex = 0;
    } else {
        gListElementOffset = 0;
        HightlightTitlebarIndex = position;
    }
}

void EndScreensaverMode() {
    SetMenuMode(gPreviousMenuMode);
    if (gCurrentDirectory.empty())
        callFunction_MainMenu();
    Mainform().requestRepaint();
}

void callFunction_Exit() {
    logEnter("callFunction_Exit");
    WriteRatings();
    Mainform().terminate();
}
