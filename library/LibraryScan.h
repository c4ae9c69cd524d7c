#pragma once

#include "library/MyString.h"
#include "platform/MainLoop.h"

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

// One row of a found-list: its key and the full path of the file.
struct TFoundEntry {
    std::string Key;
    TMyString Object;
};
using TFoundList = std::vector<TFoundEntry>;

// The library below the music root. Main thread only: the scan thread never touches these; it
// posts what it found in batches to the main loop, which appends them here, so readers see a
// growing, partial library until gLibraryScanFinished.
//
// Key: the file name upper-cased (ASCII letters). Scan order; never sorted.
inline TFoundList gFoundMP3Titles;
// Key: the file name as found. Sorted (PlaylistNameLess) once the scan has finished; kept up
// to date by the playlist operations.
inline TFoundList gFoundPlaylists;
// Key: the last two folder names of the picture's folder (LastFolderLevels). Scan order.
inline TFoundList gFoundFrontCovers;
// Set when the scan has started, that is when the lists above exist for the count display.
inline bool gFoundListsCreated = false;
// Set when the last batch of the scan has arrived and the playlists are sorted.
inline bool gLibraryScanFinished = false;

// The counts sampled by the count timers. Main thread only.
inline std::int32_t gNumberOfTracks = 0;
inline std::int32_t gNumberOfTracksBefore = 0;
inline std::int32_t gNumberOfPlaylists = 0;

// What one scan found, in scan order (the playlists unsorted).
struct LibraryScanResult {
    TFoundList MP3Titles;
    TFoundList Playlists;
    TFoundList FrontCovers;
};

// Visits every file below `folder` depth-first, each folder's entries (files and subfolders
// together) in the listings' name order, so the order is the same on every machine; hidden entries
// are included and links are followed, but a folder reached a second time (through a link) is not
// entered again, so a link loop ends. visitFile gets the folder (ending in "/") and the file name;
// afterFolder runs after each folder's own entries. Returns false when stop was requested before
// the walk ended. A folder that cannot be read adds nothing.
bool WalkFolderTree(
    const std::string& folder,
    const std::function<void(const std::string& folder, const std::string& name)>& visitFile,
    std::stop_token stop = {}, const std::function<void()>& afterFolder = {});

// Whether a file counts as a music title (element type MP3): its upper-cased name (as text)
// contains ".MP3", or the extension of another mask of kMusicTitleMasks (".FLAC", ".OGG", ...),
// anywhere, so "song.mp3.bak" counts too.
bool IsMP3TitleName(const std::string& name);

// Adds the matches of one file to `result`: a title when IsMP3TitleName holds, a playlist when it
// contains ".M3U", a front cover when it contains ".JPG" and "FRONT" or "VORN". One file may count
// several times.
void ClassifyFoundFile(const std::string& folder, const std::string& name,
                       LibraryScanResult& result);

// Appends everything below `folder` to `result`; false when stopped early.
bool ScanFolderTree(const std::string& folder, LibraryScanResult& result,
                    std::stop_token stop = {});

// The whole scan on the calling thread, for callers without a main loop (tools, tests).
LibraryScanResult ScanLibrary(const std::string& musicRoot, std::stop_token stop = {});

// Body of the scan thread started at start-up: walks the music root once, hands what it finds
// to the main thread in batches through `mainLoop`, and logs the totals. Returns early, without
// logging, when stop is requested (the program is ending).
void BuildLibrary(const std::string& musicRoot, platform::MainLoop& mainLoop, std::stop_token stop);

// The order of the playlists: by name without regard to letter case (accented Latin letters
// next to their base letters), then by exact name.
bool PlaylistNameLess(const std::string& a, const std::string& b);
// Sorts gFoundPlaylists by key (stable).
void SortFoundPlaylists();
// The playlists known now as (file name, full path), sorted as gFoundPlaylists is once the
// scan has finished (a partial list while it runs is sorted too). Main thread only.
std::vector<std::pair<std::string, std::string>> FoundPlaylistsSnapshot();

// Handler of Timer_ShowNumberOfTracksInitially (100 ms): once the lists exist, samples the
// counts and shows them in the status line.
void Timer_ShowNumberOfTracksInitiallyTimer();
// Handler of Timer_ShowNumberOfTracksInitially2 (10000 ms): stops both count timers at the
// first tick whose title count equals that of the previous tick (the first tick compares
// against 0).
void Timer_ShowNumberOfTracksInitially2Timer();

// Empties the found-lists and the counts (tests).
void ResetLibraryLists();
