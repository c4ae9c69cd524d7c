#pragma once

#include "platform/Canvas.h"

#include <ctime>
#include <string>
#include <vector>

class TListElement;

// Each drawing routine with a canvas draws into it (the full paint and tests). The list and
// the scrollbar without a canvas have their region of the window redrawn at the end of this
// loop pass; the cover and the photo caption without a canvas draw and present at once.
// Main thread only.

// The rows of gListElements and the folder header line; in the main menu DrawMainMenu.
void DrawTitlebarList(platform::Canvas& canvas);
void DrawTitlebarList();
// The main menu's rows followed by the clock line.
void DrawMainMenu(platform::Canvas& canvas);
// The scrollbar beside the list; nothing while every element fits into the titlebars.
void DrawScrollbar(platform::Canvas& canvas);
void DrawScrollbar();
// The cover area: the cover picture control, or the empty-cover picture in the music folders.
void DrawCover(platform::Canvas& canvas, const std::string& fileName);
void DrawCover(const std::string& fileName);
// The caption and title of the photo being viewed (repaints the window first).
void DrawPhotoCaption();
// The caption alone, over the photo, with the title it showed last: part of every paint of the
// photo view.
void PaintPhotoCaption(platform::Canvas& canvas);
// The date and time line above the main menu, from the program's clock.
void DrawClockLine(platform::Canvas& canvas);
// Handler of Timer_RefreshClock: keeps the clock line of the main menu current.
void Timer_RefreshClockTimer();

// "Dienstag, 8. Dezember 2026    03:12 " for the given local time.
std::string FormatClockLine(const std::tm& time);
// "8. Dez 2026, 03:12" for a file date in days since 30 Dec 1899 (the fraction is the time).
std::string FormatPhotoDate(double fileDate);

// One text line of a titlebar with its font.
struct TitlebarCaptionLine {
    std::string text;
    int pointSize = 0;
    bool bold = false;
    bool italic = false;
};
// The one or two text lines of a titlebar; two lines put the first one in the upper part of
// the bar and the second one below it.
struct TitlebarCaption {
    std::vector<TitlebarCaptionLine> lines;
};
// The text lines of an element as the list shows them: the tag's artist and title, the file
// name split at the configured delimiter, a program link's description, a folder's year.
// Bold for the title being played, bold italic for folders.
TitlebarCaption BuildTitlebarCaption(const TListElement& element);

// The text above the list for the current mode and folder.
std::string FolderHeaderText();
// The last two folder names of a folder path ending in "/", joined by "/"; a folder with only
// one name gives that name, the root gives the empty text.
std::string LastTwoFolderNames(const std::string& folder);

// Where the cover control goes within the cover area for a picture of the given size: the
// whole area when the picture fits (the control then centres it), otherwise the area shrunk to
// the picture's aspect from its top-left corner.
platform::Rect ShrunkCoverRect(const platform::Rect& area, int pictureWidth, int pictureHeight);
