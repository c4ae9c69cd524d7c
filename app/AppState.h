#pragma once

#include "library/ElementList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// The menu mode selects the list shown, the menubar, what input does and what is painted.
// The values 6, 11 and 13 are never entered; the numbering keeps their gaps.
constexpr std::uint8_t mmMain = 0;
constexpr std::uint8_t mmMusic = 1;
constexpr std::uint8_t mmPhoto = 2;
constexpr std::uint8_t mmVideo = 3;
constexpr std::uint8_t mmOptions = 4;
constexpr std::uint8_t mmPlaylists = 5;
constexpr std::uint8_t mmPlaylist = 7;
constexpr std::uint8_t mmProgramLinks = 8;
constexpr std::uint8_t mmJukebox = 9;
constexpr std::uint8_t mmSearch = 10;
constexpr std::uint8_t mmPhotoView = 12;
constexpr std::uint8_t mmCoverFullscreen = 14;
constexpr std::uint8_t mmCoverScreensaver = 15;

// Play modes of the queue.
constexpr std::uint8_t kPlayModeNormal = 0;
constexpr std::uint8_t kPlayModeShuffle = 1;
constexpr std::uint8_t kPlayModeJukebox = 2;

// Saved absolute list positions for returning to a parent list.
struct TPositionStack {
    static constexpr int kCapacity = 39;
    std::array<std::int32_t, kCapacity> positions{};
    int count = 0;
};

// All of the state below is main thread only. No worker reads it: a folder-information worker
// is handed copies of what it reads, and the main thread drops its results once their list is
// no longer the one shown.

inline std::uint8_t gMenuMode = mmMain;
// The mode saved on entering the options screen or the screensaver.
inline std::uint8_t gPreviousMenuMode = mmMain;
// The folder shown, ending in "/"; empty in the main menu.
inline std::string gCurrentDirectory;
// The list shown as titlebars; never null. Replaced as a whole on every mode or folder entry
// (ReplaceListElements); a worker holding the old list keeps it alive until it lets go.
inline std::shared_ptr<TElementList> gListElements = std::make_shared<TElementList>();
// Index in gListElements of the element in the top titlebar; >= 0.
inline std::int32_t gListElementOffset = 0;
// Highlighted row counted from the top titlebar; 0 <= value < VisibleRows().
inline std::int32_t HightlightTitlebarIndex = 0;
inline TPositionStack gPositionStack;
// Menubar button under the mouse, -1 for none.
inline std::int32_t gHighlightedMenuItem = -1;

// The play queue (keys empty); it refers to elements of the lists they came from.
inline TElementList gActualTitleList;
// Index in gActualTitleList of the title playing or last started.
inline std::int32_t gActualTitleIndex = 0;
// kPlayModeNormal, kPlayModeShuffle or kPlayModeJukebox.
inline std::uint8_t gPlayMode = kPlayModeNormal;

// Number of titlebars of every list; at least 1 so that the cursor arithmetic stays defined.
int VisibleRows();

// The element at gListElementOffset + HightlightTitlebarIndex, nullptr when there is none.
ListElementPtr CurrentListElement();

// Drops the shown list for a new empty one and scrolls to its top.
TElementList& ReplaceListElements();

// Stores index unless 39 positions are stored already (then it is dropped).
void PushListPosition(std::int32_t index);
// The top position, removed; 0 when none is stored.
std::int32_t PopListPosition();

// After an absolute index was put into HightlightTitlebarIndex: scrolls so that it is in view
// (in the bottom row when it lies below the first page) and clamps row and offset.
void FitHighlightIntoView();

// Puts every value above back to its start-up state, with a new empty list.
void ResetApplicationState();
