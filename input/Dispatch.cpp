#include "input/Dispatch.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/MenuModes.h"
#include "config/Config.h"
#include "config/Options.h"
#include "config/Ratings.h"
#include "input/Cursor.h"
#include "input/PressedKeyText.h"
#include "library/CoverLookup.h"
#include "library/FolderListing.h"
#include "library/PathFunctions.h"
#include "library/TitleSearch.h"
#include "pictures/CoverShow3D.h"
#include "pictures/CoverView.h"
#include "pictures/PhotoView.h"
#include "platform/StartValues.h"
#include "playback/Jukebox.h"
#include "playback/MusicPlayback.h"
#include "playback/Play.h"
#include "playback/Players.h"
#include "playback/Playlists.h"
#include "playback/Video.h"
#include "ui/InfoScroller.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

const platform::StartValues kStartValues(gTwoDigitEntry, gFirstDigit);

} // namespace

namespace {

void requestRepaint() {
    Mainform().requestRepaint();
}

// ---------------------------------------------------------------------------------------------
// Command table

// What a command demands of the current element before its routine runs.
enum class Needs : std::uint8_t {
    Nothing,       // runs whatever the current element is (the routine may get none)
    ElementOrSkip, // an element of an accepted type; otherwise nothing happens
    ElementOrAsk,  // an element of an accepted type; otherwise "???" in the header
};

using TypeMask = std::uint16_t;

constexpr TypeMask typeBit(ListElementType type) {
    return static_cast<TypeMask>(1u << static_cast<unsigned>(type));
}
constexpr TypeMask kAnyType = 0xFFFF;
constexpr TypeMask kMusicTypes = typeBit(ListElementType::MP3) | typeBit(ListElementType::MP3Dir);
constexpr TypeMask kTitleType = typeBit(ListElementType::MP3);
constexpr TypeMask kPlaylistType = typeBit(ListElementType::Playlist);

struct CommandRow {
    std::string_view name;
    Needs needs;
    TypeMask accepted;
    void (*run)(const ListElementPtr& element);
};

// Activating an element: the ".." row goes back, anything else is played.
void activate(const ListElementPtr& element) {
    if (element->ElementType() == ListElementType::Back)
        callFunction_Back();
    else
        callFunction_Play(element);
}

const std::array<CommandRow, 26> kCommands = {{
    {"EXIT", Needs::Nothing, kAnyType, [](const ListElementPtr&) { callFunction_Exit(); }},
    {"OPTIONS", Needs::Nothing, kAnyType, [](const ListElementPtr&) { callFunction_Options(); }},
    {"PLAY", Needs::ElementOrSkip, kAnyType, activate},
    {"STARTPROGRAM", Needs::ElementOrSkip, kAnyType, activate},
    {"BACK", Needs::Nothing, kAnyType, [](const ListElementPtr&) { callFunction_Back(); }},
    {"JUKEBOX", Needs::ElementOrAsk, kMusicTypes,
     [](const ListElementPtr& element) {
         if (element->ElementType() == ListElementType::MP3)
             callFunction_Jukebox(element);
         else
             callFunction_JukeboxDir(element);
     }},
    {"INTOPLAYLIST", Needs::ElementOrAsk, kMusicTypes,
     [](const ListElementPtr& element) {
         if (element->ElementType() == ListElementType::MP3)
             callFunction_IntoPlaylist(element);
         else
             callFunction_IntoPlaylistDir(element);
     }},
    {"SHUFFLE", Needs::Nothing, kAnyType,
     [](const ListElementPtr&) { callFunction_Select_Shuffle(); }},
    {"INFO", Needs::ElementOrSkip, kAnyType,
     [](const ListElementPtr& element) { callFunction_Info(*element); }},
    {"FINDTITLE", Needs::Nothing, kAnyType, [](const ListElementPtr&) { ToggleTitleSearch(); }},
    {"NEXT", Needs::Nothing, kAnyType, [](const ListElementPtr&) { callFunction_NextTrack(); }},
    {"COVERFULLSCREEN", Needs::Nothing, kAnyType,
     [](const ListElementPtr&) { ShowCurrentCoverFullscreen(); }},
    {"3DCOVERSHOW", Needs::Nothing, kAnyType,
     [](const ListElementPtr&) { callFunction_3DCoverShow(); }},
    {"RATING", Needs::ElementOrSkip, kAnyType,
     [](const ListElementPtr& element) { ChangeRating(*element); }},
    {"DIASHOW", Needs::Nothing, kAnyType,
     [](const ListElementPtr&) { callDiashowFunction_StartDiashow(); }},
    {"FULLSCREEN_TOGGLE", Needs::Nothing, kAnyType,
     [](const ListElementPtr&) { ToggleVideoFullscreen(); }},
    {"PLAYLIST_NEW", Needs::Nothing, kAnyType,
     [](const ListElementPtr&) { callFunction_PlaylistNew(); }},
    {"PLAYLIST_OPEN", Needs::Nothing, kAnyType, callFunction_PlaylistOpen},
    {"PLAYLIST_RENAME", Needs::ElementOrSkip, kPlaylistType, callFunction_PlaylistRename},
    {"PLAYLIST_DELETE", Needs::ElementOrSkip, kPlaylistType, callFunction_PlaylistDelete},
    {"DELETEFROMPLAYLIST", Needs::ElementOrAsk, kTitleType, callFunction_DeleteFromPlaylist},
    {"PLAYLIST_UP", Needs::ElementOrAsk, kTitleType, callFunction_PlaylistUp},
    {"PLAYLIST_DOWN", Needs::ElementOrAsk, kTitleType, callFunction_PlaylistDown},
    {"DELETEFROMJUKEBOX", Needs::Nothing, kAnyType, callFunction_DeleteFromJukebox},
    {"JUKEBOX_UP", Needs::Nothing, kAnyType, callFunction_JukeboxUp},
    {"JUKEBOX_DOWN", Needs::Nothing, kAnyType, callFunction_JukeboxDown},
}};

bool accepts(const CommandRow& row, const ListElementPtr& element) {
    return element && (row.accepted & typeBit(element->ElementType())) != 0;
}

// ---------------------------------------------------------------------------------------------
// Back

// The folder above a folder path ending in "/": the trailing "/" and the last name are cut
// off. No result when no "/" is left to cut at.
std::optional<std::string> parentFolder(const std::string& folder) {
    if (folder.empty() || folder.back() != '/')
        return std::nullopt;
    std::string parent = FolderOfPath(std::string_view(folder).substr(0, folder.size() - 1));
    if (parent.empty())
        return std::nullopt;
    return parent;
}

// The user leaves the video folders: a running video is stopped as a user's stop, so that its
// end does not count as the natural end of the title.
void stopVideoForMainMenu() {
    if (IsPlayingOrPaused(VideoPlayerMode())) {
        gIgnoreVideoEnd = true;
        gPlayingTitle.reset();
        gVideoPlayer->stop();
    }
    HideVideoPanel();
}

// How Back leaves a subfolder of a browsing mode.
//
// Entering a subfolder stores the position in the music and the video folders, so going back
// restores it in both; the photo and program-link folders store none and start at the top row.
// Each push is thus matched by exactly one pop, and no stale position is left on the stack for
// a later Back in another mode to pick up.
struct FolderBackRule {
    std::uint8_t mode;
    const std::string* root;
    void (*list)(const std::string& folder);
    bool restoresPosition;
    void (*beforeMainMenu)();
};

const std::array<FolderBackRule, 4> kFolderBackRules = {{
    {mmMusic, &gIniRootDirectoryMusic, ListMusicFolder, true, nullptr},
    {mmPhoto, &gIniRootDirectoryPhoto, ListPhotoFolder, false, nullptr},
    {mmVideo, &gIniRootDirectoryVideo, ListVideoFolder, true, stopVideoForMainMenu},
    {mmProgramLinks, &gIniRootDirectoryProgramLinks, ListProgramLinkFolder, false, nullptr},
}};

void backInFolderMode(const FolderBackRule& rule) {
    if (gCurrentDirectory == *rule.root) {
        if (rule.beforeMainMenu)
            rule.beforeMainMenu();
        callFunction_MainMenu();
        return;
    }
    const std::optional<std::string> parent = parentFolder(gCurrentDirectory);
    if (!parent)
        return;
    gCurrentDirectory = *parent;
    LogLine("gCurrentDirectory=" + gCurrentDirectory);
    const std::string folder = gCurrentDirectory;
    rule.list(folder);
    if (rule.restoresPosition) {
        HightlightTitlebarIndex = PopListPosition();
        FitHighlightIntoView();
    } else {
        HightlightTitlebarIndex = 0;
    }
}

// Returns false for a mode without a back rule.
bool backByMode() {
    if (gMenuMode == mmMain)
        return true;
    for (const FolderBackRule& rule : kFolderBackRules) {
        if (rule.mode == gMenuMode) {
            backInFolderMode(rule);
            return true;
        }
    }
    if (gMenuMode == mmPlaylists || gMenuMode == mmJukebox) {
        callFunction_MainMenu();
        return true;
    }
    if (gMenuMode == mmPlaylist) {
        HightlightTitlebarIndex = PopListPosition();
        FitHighlightIntoView();
        callFunction_PlaylistMenu(true);
        return true;
    }
    return false;
}

} // namespace

void DispatchCommand(const std::string& command) {
    for (const CommandRow& row : kCommands) {
        if (row.name != command)
            continue;
        const ListElementPtr element = CurrentListElement();
        if (row.needs != Needs::Nothing && !accepts(row, element)) {
            if (row.needs == Needs::ElementOrAsk)
                ShowPressedKeyText("???");
            return;
        }
        row.run(element);
        return;
    }
}

void callFunction_Back() {
    LogLine("enter callFunction_Back()");
    ShowPressedKeyText("Zurück");
    gCurrentCoverFrontFileName.clear();
    gCurrentCoverBackFileName.clear();
    if (!backByMode()) {
        LogError("callFunction_Back(): Unhandled gMenuMode " + std::to_string(gMenuMode));
        return;
    }
    requestRepaint();
}

void SelectByNumber(int digit) {
    if (gMenuMode == mmSearch)
        return;
    int number = digit;
    if (gTwoDigitEntry) {
        if (gFirstDigit == -1) {
            gFirstDigit = digit;
            ShowPressedKeyText(std::to_string(digit) + "_");
            return;
        }
        number = gFirstDigit * 10 + digit;
        gTwoDigitEntry = false;
        gFirstDigit = -1;
    }
    ShowPressedKeyText(std::to_string(number));
    // The main menu counts its entries from 1; the other lists have ".." as element 0, so
    // their titles are numbered from 1 as they stand.
    SelectListIndex(gMenuMode == mmMain ? number - 1 : number);
}

void SelectListIndex(int index) {
    const int count = gListElements ? gListElements->count() : 0;
    LogLine("titleIndex:" + std::to_string(index));
    LogLine("gListElements.count:" + std::to_string(count));
    if (index < 0 || index > count - 1)
        return;
    ScrollToMiddle(index);
    callFunction_Play(CurrentListElement());
}

void ResetDispatchState() {
    kStartValues.restore();
}
