#pragma once

#include "platform/Canvas.h"

#include <array>
#include <string>

// The active skin: its definition values and its picture set. Main thread only.

// [General] (the row and slot counts go into gNumberOfTitlebarsMainmenu and gNumberOfMenubars)
inline bool gShowMenuIcons = true;

// [Colors] red in the low byte.
inline platform::Color gColorTitlebarHighlight = 2678000;
inline platform::Color gColorTitlebar = 0;
inline platform::Color gColorTitlebarFrame = 2678000;
inline platform::Color gColorLines = 2678000;
inline platform::Color gColorMenubar = 2678000;
inline platform::Color gColorMenubarHighlight = 2678000;
inline platform::Color gColorHeaderBar = 2678000;
inline platform::Color gColorStatusBar = 2678000;
inline platform::Color gColorScrollbarBack = 2678000;
inline platform::Color gColorScrollbar = 2678000;

// [Fonts] sizes in points, already multiplied by gFontScale; 0 selects the default height.
inline std::string gFontName = "Arial";
inline int gFontSizeHeaderBar = 0;
inline platform::Color gFontColorHeaderBar = 0;
inline int gFontSizeTitlebarBig = 0;
inline platform::Color gFontColorTitlebarBig = 0;
inline int gFontSizeTitlebarSmall = 0;
inline platform::Color gFontColorTitlebarSmall = 0;
inline int gFontSizeStatusbar = 0;
inline platform::Color gFontColorStatusbar = 0;
inline int gFontSizeFolderName = 0;
inline platform::Color gFontColorFolderName = 0;
inline int gFontSizeMenubar = 0;
inline platform::Color gFontColorMenubar = 0;
inline int gFontSizeMenubarIcon = 0;
inline platform::Color gFontColorMenubarShadow = 0;
inline platform::Color gFontColorMenubarIcon = 0;
inline int gFontSizePhotoName = 0;
inline platform::Color gFontColorPhotoName = 0;
inline int gFontSizePhotoTitle = 0;
inline platform::Color gFontColorPhotoTitle = 0;
inline platform::Color gFontColorPhotoTitleLight = 0;

// The picture set, loaded as a whole by LoadSkin.
struct TSkinPictures {
    platform::Picture Background; // Background.jpg
    platform::Picture CDCoverEmpty;
    platform::Picture ZVN;
    platform::Picture KeyEmpty;
    // key_A … key_Z and key_0 … key_9, indexed by the character code.
    std::array<platform::Picture, 26> KeyLetters;
    std::array<platform::Picture, 10> KeyDigits;
    platform::Picture KeyPlus, KeyStar, KeyMinus, KeyUp, KeyDown, KeyPos1, KeyF1, KeyPageUp,
        KeyPageDown, KeyReturn, KeySpace, KeyRight, KeyLeftOrRight;
    platform::Picture IconFolder, IconFolderPlaylist, IconFolderMusic, IconFolderPhoto,
        IconFolderVideo, IconPlaylist, IconMusic, IconPhoto, IconVideo;
    platform::Picture IconOptiongroupGeneral, IconOptiongroupMusic, IconOptiongroupPhoto;
    platform::Picture PhotoNameBar, MediaPlayerButtons;
    platform::Picture IconMainmenuMusic, IconMainmenuPhoto, IconMainmenuVideo, IconMainmenuJukebox,
        IconMainmenuPlaylist, IconMainmenuProgramLinks;
    platform::Picture IconNew, IconMinimize, IconMouse1, IconMouse2;
};
inline TSkinPictures gSkin;

// The skin folder "Skins/" + gIniSkinName (no trailing "/"): the user's own in gProgramDirectory,
// else the installed one beside the executable (ProgramFile).
std::string SkinDirectory();

// Reads the skin definition into the variables above and scales the font sizes. False when the
// definition is missing (reported; the variables keep their defaults).
bool ReadSkinDefinition();
// Tests the background picture; with withPictures reads the definition and loads the whole
// picture set; then sizes the window and computes the layout. A missing or unreadable picture
// ends the load with a message naming the file. False when any part of the skin is missing or
// unreadable: the program cannot be shown, and the caller ends it.
bool LoadSkin(bool withPictures);
// Frees the skin's pictures (the window is being destroyed).
void FreeSkin();
// Resets every value above to its default (tests).
void ResetSkinDefaults();
// size × scale, rounded to the nearest integer, halves to the even neighbour.
int ScaleFontSize(int size, float scale);
