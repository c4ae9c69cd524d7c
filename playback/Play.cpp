#include "playback/Play.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/MenuModes.h"
#include "input/Dispatch.h"
#include "input/Menubar.h"
#include "input/PressedKeyText.h"
#include "library/FolderListing.h"
#include "library/ProgramLinks.h"
#include "pictures/PhotoView.h"
#include "playback/MusicPlayback.h"
#include "playback/Playlists.h"
#include "playback/Video.h"

#include <array>
#include <cstdint>
#include <string>

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The main menu's entries choose their mode by the element's index number.
struct MainMenuTarget {
    int index;
    void (*enter)();
};

const std::array<MainMenuTarget, 6> kMainMenuTargets = {{
    {1, callFunction_MusicMenu},
    {2, callFunction_PhotoMenu},
    {3, callFunction_VideoMenu},
    {4, [] { callFunction_PlaylistMenu(false); }},
    {5, callFunction_JukeboxMenu},
    {6, callFunction_ProgramMenu},
}};

void playMainMenuEntry(const ListElementPtr& element) {
    for (const MainMenuTarget& target : kMainMenuTargets) {
        if (target.index == element->Index()) {
            target.enter();
            return;
        }
    }
}

// Opens a subfolder of the current folder in the same mode. pushPosition stores where the user
// was, for Back to return there.
void openFolder(const ListElementPtr& folder, void (*list)(const std::string&), bool pushPosition) {
    gCurrentDirectory += folder->FileName() + "/";
    if (pushPosition)
        PushListPosition(gListElementOffset + HightlightTitlebarIndex);
    LogLine("gCurrentDirectory=" + gCurrentDirectory);
    const std::string shown = gCurrentDirectory;
    list(shown);
    HightlightTitlebarIndex = 0;
    BuildMenubar();
}

// Normal start: the titles from the current row to the end of the list become the queue.
// Folders are listed before titles, so the queue holds only titles.
void startTitlesFromCurrentRow(const ListElementPtr& element) {
    LogLine("play title " + quoted(element->FileName()));
    gPlayMode = kPlayModeNormal;
    // Buttons that only apply while the jukebox is off come back with the normal play.
    BuildMenubar();
    const int first = gListElementOffset + HightlightTitlebarIndex;
    const int count = gListElements->count();
    gActualTitleList = TElementList();
    LogLine("von " + std::to_string(first) + " bis " + std::to_string(count));
    for (int i = first; i < count; ++i) {
        const ListElementPtr queued = gListElements->element(i);
        LogLine("gActualTitleList[" + std::to_string(i - first) + "] = " + queued->FileName());
        gActualTitleList.add("", queued);
    }
    gActualTitleIndex = 0;
    PlayTitleNumber();
}

void openPlaylist(const ListElementPtr& playlist) {
    SetMenuMode(mmPlaylist);
    PushListPosition(gListElementOffset + HightlightTitlebarIndex);
    ReadPlaylist(playlist);
    HightlightTitlebarIndex = 0;
    BuildMenubar();
}

void playVideo(const ListElementPtr& element) {
    LogLine("play video " + quoted(element->FileName()));
    const ListElementPtr current = CurrentListElement();
    StartVideoTitle(current ? current : element);
}

void startProgramLink(const ListElementPtr& element) {
    LogLine("start program " + quoted(element->FileName()));
    const ListElementPtr current = CurrentListElement();
    StartProgram((current ? current : element)->FullPath());
}

// What activating an element does in a browsing mode: the element type that opens (a folder,
// or a playlist) and what any other element does.
struct PlayRule {
    std::uint8_t mode;
    const char* pressedKeyText;
    ListElementType opens;
    void (*open)(const ListElementPtr&);
    void (*other)(const ListElementPtr&); // null: nothing
};

void openMusicFolder(const ListElementPtr& folder) {
    openFolder(folder, ListMusicFolder, true);
}
void openPhotoFolder(const ListElementPtr& folder) {
    openFolder(folder, ListPhotoFolder, false);
}
void openVideoFolder(const ListElementPtr& folder) {
    openFolder(folder, ListVideoFolder, true);
}
void openProgramLinkFolder(const ListElementPtr& folder) {
    openFolder(folder, ListProgramLinkFolder, false);
}

const std::array<PlayRule, 7> kPlayRules = {{
    {mmMusic, "Abspielen", ListElementType::MP3Dir, openMusicFolder, startTitlesFromCurrentRow},
    {mmPlaylist, "Abspielen", ListElementType::MP3Dir, openMusicFolder, startTitlesFromCurrentRow},
    {mmSearch, "Abspielen", ListElementType::MP3Dir, openMusicFolder, startTitlesFromCurrentRow},
    {mmPhoto, "Anzeigen", ListElementType::PhotoDir, openPhotoFolder, OpenPhotoView},
    {mmVideo, "Abspielen", ListElementType::VideoDir, openVideoFolder, playVideo},
    {mmPlaylists, "Playlist", ListElementType::Playlist, openPlaylist, nullptr},
    {mmProgramLinks, "Starten", ListElementType::ProgramDir, openProgramLinkFolder,
     startProgramLink},
}};

} // namespace

void callFunction_Play(const ListElementPtr& element) {
    LogLine("enter callFunction_Play()");
    if (!element)
        return;
    LogLine(element->FileName());
    if (element->ElementType() == ListElementType::Back) {
        callFunction_Back();
        return;
    }
    if (gMenuMode == mmMain) {
        playMainMenuEntry(element);
        Mainform().requestRepaint();
        return;
    }
    for (const PlayRule& rule : kPlayRules) {
        if (rule.mode != gMenuMode)
            continue;
        ShowPressedKeyText(rule.pressedKeyText);
        if (element->ElementType() == rule.opens)
            rule.open(element);
        else if (rule.other)
            rule.other(element);
        Mainform().requestRepaint();
        return;
    }
    LogError("callFunction_Play(): Unhandled gMenuMode");
}

void PlayTitleNumber() {
    const ListElementPtr element = gActualTitleList.element(gActualTitleIndex);
    if (!element)
        return;
    LogLine("play title no. " + std::to_string(gActualTitleIndex) +
            " of actualTitleList: " + quoted(element->Describe()) + ".");
    StartMusicTitle(element);
}
