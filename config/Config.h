#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The settings of Config.ini in the program directory. Every Part reads these variables
// directly; they are written by ReadConfig at start-up and by the options screen. Main thread
// only: the library scan and the folder workers are handed copies of what they need.

// [Options]
// Which caption of a menubar item is drawn (index into the item's caption texts).
inline std::int8_t gIniCurrentLanguage = 0;
// Logging on or off; also decides whether the debug window is shown.
inline bool gIniShowDebugWindow = false;
// Display time of one photo in the diashow program, in milliseconds.
inline int gIniDiashowWaitInMS = 2000;
// Wait after each of the ten fade-out steps, in milliseconds.
inline int gIniFadeOutVolumeTime = 20;
// Pause between two texts of the info scroller, in seconds.
inline int gIniSecondsUntilNextInfoScroller = 40;
// 1: a single click on a titlebar activates it; 2: a double click is needed.
inline int gIniMouseButtonClicksToStart = 1;

// [Paths] Every non-empty folder ends in "/". An empty music root means "not configured".
inline std::string gIniRootDirectoryMusic;
// The three defaults below are the user's XDG folders, filled by ResetConfigDefaults and
// ReadConfig (they depend on the environment, so they are not computed at static init).
inline std::string gIniRootDirectoryPhoto;
inline std::string gIniRootDirectoryProgramLinks;
inline std::string gIniRootDirectoryVideo;

// [Display]
inline int gIniScreenWidth = 800;
inline int gIniScreenHeight = 600;
// Menubar slots; the skin's value replaces the one read here.
inline int gNumberOfMenubars = 10;
// Rows of every list but the main menu.
inline int gIniNumberOfTitlebars = 10;
// Rows of the main menu; the skin's value replaces the one read here.
inline int gNumberOfTitlebarsMainmenu = 8;
inline bool gIniChangeCoverImage = true;
inline bool gIniShowMP3TagInsteadOfFilename = true;
inline bool gIniSortTitlesByMP3InfoTrackNo = true;
// 2: flat full-screen cover; 3: the 3D cover show.
inline int gIniShowCover2D_or_3D = 2;
// Put between interpret and title; never written back by WriteConfig.
inline std::string gIniDelimiterBetweenInterpretAndTitle = " - ";
// Idle seconds until the screensaver starts; 0 or less turns it off.
inline int gIniEnableZUVENScreensaver = 6000;
// A file younger than this many months is marked new.
inline int gIniNewIconNMonth = 1;

// [Skin]
inline std::string gIniSkinName = "Default";
// Comma-separated skin names offered on the options screen; never written back.
inline std::string gIniAvailableSkinsStr = "Default";
// gIniAvailableSkinsStr split by SplitAvailableSkins.
inline std::vector<std::string> gAvailableSkins{"Default"};

// Sets every setting to its default (the XDG folders for photos, program links and videos).
void ResetConfigDefaults();

// Reads gProgramDirectory + "/Config.ini" into the settings. A missing or unreadable file is
// reported and every setting keeps its default; then the result is false and the caller ends
// the program.
bool ReadConfig();

// Writes the settings back into Config.ini (keys not written here stay as they are), then
// applies the diashow interval and the screensaver delay to the main window's timers.
void WriteConfig();

// Splits a comma-separated list; every entry is trimmed of blanks. A trailing comma yields an
// empty last entry; an empty text yields one empty entry.
std::vector<std::string> SplitAvailableSkins(const std::string& text);

// The layout divides by the row and slot counts, so values below 1 are replaced by 1.
// Logs the replacement under the given name.
int ClampAtLeastOne(const char* name, int value);
// value kept within lowest ... highest; a replacement is logged under the given name.
int ClampToRange(const char* name, int value, int lowest, int highest);

// Upper limits of numbers read from Config.ini and the skin definition, far beyond any real
// setting; they keep the layout and timer arithmetic inside the int range.
inline constexpr int kMaxRowsOrSlots = 100;
inline constexpr int kMaxScreenWidth = 7680;
inline constexpr int kMaxScreenHeight = 4320;
// The screensaver delay in milliseconds must fit a timer interval.
inline constexpr int kMaxScreensaverSeconds = 2147483;
