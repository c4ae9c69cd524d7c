#include "ui/TitlebarList.h"

#include "app/AppState.h"
#include "app/MainformParts.h"
#include "config/Config.h"
#include "config/Ratings.h"
#include "config/Skin.h"
#include "library/ListElement.h"
#include "library/PathFunctions.h"
#include "pictures/PhotoView.h"
#include "platform/FileSystem.h"
#include "playback/Players.h"
#include "playback/Playlists.h"
#include "ui/Layout.h"
#include "ui/Paint.h"
#include "ui/Screen.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

namespace {

using platform::Canvas;
using platform::Color;
using platform::FontSpec;
using platform::Picture;
using platform::Rect;

constexpr Color kWhite = platform::rgb(255, 255, 255);
constexpr Color kBlack = platform::rgb(0, 0, 0);

// German names, kept here because installed locales vary from machine to machine.
constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
constexpr std::array<std::string_view, 12> kMonthNames = {
    "Januar", "Februar", "März",      "April",   "Mai",      "Juni",
    "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
constexpr std::array<std::string_view, 12> kShortMonthNames = {
    "Jan", "Feb", "Mrz", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

// The list icon of each element type; the other types ("..", program links, options) have none.
struct TypeIcon {
    ListElementType type;
    Picture TSkinPictures::*picture;
};
constexpr TypeIcon kTypeIcons[] = {
    {ListElementType::MP3Dir, &TSkinPictures::IconFolderMusic},
    {ListElementType::PhotoDir, &TSkinPictures::IconFolderPhoto},
    {ListElementType::PlaylistDir, &TSkinPictures::IconFolderPlaylist},
    {ListElementType::MP3, &TSkinPictures::IconMusic},
    {ListElementType::Photo, &TSkinPictures::IconPhoto},
    {ListElementType::Playlist, &TSkinPictures::IconPlaylist},
    {ListElementType::ProgramDir, &TSkinPictures::IconFolder},
    {ListElementType::VideoDir, &TSkinPictures::IconFolderVideo},
    {ListElementType::Video, &TSkinPictures::IconVideo},
};

// The main menu's icons by screen row; further rows have none.
constexpr Picture TSkinPictures::*kMainMenuIcons[] = {
    &TSkinPictures::IconMainmenuMusic,   &TSkinPictures::IconMainmenuPhoto,
    &TSkinPictures::IconMainmenuVideo,   &TSkinPictures::IconMainmenuPlaylist,
    &TSkinPictures::IconMainmenuJukebox, &TSkinPictures::IconMainmenuProgramLinks,
};

// One screen row of a list with row pitch `pitch`.
struct RowGeometry {
    int index = 0;
    int pitch = 1;
    int top = 0;       // T(i)
    int barBottom = 0; // B(i): the bars are 3 pixels apart

    // y of text of pixel height h centred in the row.
    int centredY(int h) const { return top + (pitch - h) / 2; }
};

RowGeometry rowAt(int index, int pitch) {
    return {index, pitch, gListTop + index * pitch, gListTop + (index + 1) * pitch - 3};
}

FontSpec listFont(int pointSize, bool bold = false, bool italic = false) {
    return FontSpec{gFontName, pointSize, bold, italic, gFontColorTitlebarBig};
}

// The line above the list, where the folder name or the clock stands.
Rect headerLineRect() {
    return {gTitlebarLeft, gFolderNameY, gTitlebarRight, gListTop};
}

void drawBar(Canvas& canvas, const RowGeometry& row) {
    const Rect bar{gTitlebarLeft, row.top, gTitlebarRight, row.barBottom};
    if (row.index == HightlightTitlebarIndex) {
        canvas.fillRect(bar, gColorTitlebarHighlight);
        return;
    }
    canvas.fillRect(bar, gColorTitlebar);
    canvas.line(gTitlebarLeft, row.top, gTitlebarRight, row.top, gColorTitlebarFrame);
    canvas.line(gTitlebarLeft, row.barBottom, gTitlebarRight, row.barBottom, gColorTitlebarFrame);
}

bool isPlaying(const TListElement& element) {
    return gPlayingTitle && element.FileName() == gPlayingTitle->FileName();
}

void drawCaption(Canvas& canvas, const RowGeometry& row, const TitlebarCaption& caption) {
    const int right = gLengthX - 8;
    auto useFont = [&canvas](const TitlebarCaptionLine& line) {
        canvas.setFont(listFont(line.pointSize, line.bold, line.italic));
    };
    if (caption.lines.size() == 1) {
        const TitlebarCaptionLine& line = caption.lines.front();
        const int y = row.centredY(platform::fontPixelHeight(line.pointSize));
        useFont(line);
        canvas.textRect({gTextX, y, right, row.barBottom}, gTextX, y, line.text);
        return;
    }
    if (caption.lines.size() != 2)
        return;
    const TitlebarCaptionLine& first = caption.lines[0];
    const TitlebarCaptionLine& second = caption.lines[1];
    const int h1 = platform::fontPixelHeight(first.pointSize);
    useFont(first);
    canvas.textRect({gTextX, row.top + 1, right, row.top + row.pitch - h1 / 2}, gTextX, row.top + 1,
                    first.text);
    const int y2 = row.top + h1 + 2;
    useFont(second);
    canvas.textRect({gTextX, y2, right, row.barBottom}, gTextX, y2, second.text);
}

// Five outlined stars (a light and a dark copy beside one in the bar colour), then the
// element's own stars filled over them.
void drawRatingStars(Canvas& canvas, const RowGeometry& row, const TListElement& element) {
    const std::string rating = LookupRating(element);
    if (rating == "-")
        return;
    static const std::string kAllStars = "*****";
    const int pointSize = RoundHalfEven(gFontSizeTitlebarBig * 1.9);
    const int y = row.centredY(platform::fontPixelHeight(pointSize));
    struct Layer {
        int dx, dy;
        Color color;
        const std::string& text;
    };
    const Layer layers[] = {
        {-1, -1, kWhite, kAllStars},
        {2, 1, kBlack, kAllStars},
        {0, 0, gColorTitlebar, kAllStars},
        {0, 0, gColorRatingStars, rating},
    };
    for (const Layer& layer : layers) {
        canvas.setFont(FontSpec{"Arial Narrow", pointSize, true, false, layer.color});
        canvas.textOut(gRatingX + layer.dx, y + layer.dy, layer.text);
    }
}

void drawRow(Canvas& canvas, const RowGeometry& row, int listIndex, const TListElement& element) {
    const bool bold = isPlaying(element);
    const int smallHeight = platform::fontPixelHeight(gFontSizeTitlebarSmall);
    canvas.setFont(listFont(gFontSizeTitlebarSmall, bold));
    canvas.textOut(gNumberX, row.centredY(smallHeight), std::to_string(listIndex));

    for (const TypeIcon& icon : kTypeIcons) {
        if (icon.type == element.ElementType()) {
            canvas.drawTransparent(gIconX, row.top + (row.pitch - gIconHeight) / 2 - 2,
                                   gSkin.*icon.picture);
            break;
        }
    }

    drawCaption(canvas, row, BuildTitlebarCaption(element));
    drawRatingStars(canvas, row, element);

    const int bigHeight = platform::fontPixelHeight(gFontSizeTitlebarBig);
    const int y = row.centredY(bigHeight);
    canvas.setFont(listFont(gFontSizeTitlebarBig));
    canvas.textRect({gLengthX, y, gTitlebarRight, row.barBottom}, gLengthX, y, element.Length());

    if (element.IsNew())
        canvas.drawTransparent(gNewIconX, row.top + (row.pitch - gIconHeight) / 2 - 1,
                               gSkin.IconNew);
}

// False in the modes that fill the whole window with a photo or a cover.
bool listOnScreen() {
    return gMenuMode != mmPhotoView && gMenuMode != mmCoverFullscreen &&
           gMenuMode != mmCoverScreensaver;
}

void drawFolderHeaderLine(Canvas& canvas) {
    canvas.setFont(FontSpec{gFontName, gFontSizeFolderName, true, false, gFontColorFolderName});
    canvas.textOut(gFolderNameX, gFolderNameY, FolderHeaderText());
}

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

// The civil date of a day counted from 1 January 1970 (proleptic Gregorian calendar).
void civilFromDays(std::int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

} // namespace

TitlebarCaption BuildTitlebarCaption(const TListElement& element) {
    const bool bold = isPlaying(element);
    const int big = gFontSizeTitlebarBig;
    const int small = gFontSizeTitlebarSmall;
    const std::string& name = element.Name();
    TitlebarCaption caption;
    auto twoLines = [&](std::string first, int firstSize, std::string second, int secondSize) {
        caption.lines = {{std::move(first), firstSize, bold, false},
                         {std::move(second), secondSize, bold, false}};
        return caption;
    };

    switch (element.ElementType()) {
    case ListElementType::MP3: {
        if (gIniShowMP3TagInsteadOfFilename && !element.Title().empty()) {
            std::string first;
            if (element.TrackNo() > 0)
                first = "Titel Nr. " + std::to_string(element.TrackNo()) + "   ";
            return twoLines(first + element.Artist(), small, element.Title(), big);
        }
        // An empty delimiter would split every name before its first character.
        const std::string& delimiter = gIniDelimiterBetweenInterpretAndTitle;
        const std::size_t at = delimiter.empty() ? std::string::npos : name.find(delimiter);
        if (at != std::string::npos) {
            const std::string interpret = NameOfPath(std::string_view(name).substr(0, at));
            return twoLines(interpret, small, name.substr(at + delimiter.size()), big);
        }
        break;
    }
    case ListElementType::ProgramLink:
        if (!element.InfoText().empty())
            return twoLines(name, big, element.InfoText(), small);
        break;
    default:
        break;
    }

    std::string text = name;
    if (element.ElementType() == ListElementType::MP3Dir && !element.FolderYear().empty())
        text += " (" + element.FolderYear() + ")";
    if (element.IsFolder())
        caption.lines = {{std::move(text), big, true, true}};
    else
        caption.lines = {{std::move(text), big, bold, false}};
    return caption;
}

std::string LastTwoFolderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < folder.size()) {
        std::size_t end = folder.find('/', start);
        if (end == std::string::npos)
            end = folder.size();
        if (end > start)
            names.push_back(folder.substr(start, end - start));
        start = end + 1;
    }
    if (names.empty())
        return {};
    if (names.size() == 1)
        return names.back();
    return names[names.size() - 2] + "/" + names.back();
}

std::string FolderHeaderText() {
    struct ModeText {
        std::uint8_t mode;
        std::string (*text)();
    };
    static const ModeText kModeTexts[] = {
        {mmJukebox, [] { return std::string("JUKEBOX..."); }},
        {mmPlaylists,
         [] {
             return gPlaylistEditing ? "PLAYLIST in Bearbeitung: " + gEditPlaylistFileName
                                     : std::string("PLAYLISTS");
         }},
        {mmPlaylist,
         [] { return gOpenPlaylistName + " [" + std::to_string(gOpenPlaylistCount) + "]"; }},
    };
    for (const ModeText& row : kModeTexts) {
        if (row.mode == gMenuMode)
            return row.text();
    }
    return LastTwoFolderNames(gCurrentDirectory);
}

void DrawTitlebarList(Canvas& canvas) {
    if (gMenuMode == mmMain) {
        DrawMainMenu(canvas);
        return;
    }
    canvas.setTextBackground(true);
    const int rows = gIniNumberOfTitlebars;
    for (int i = 0; i < rows; ++i) {
        const RowGeometry row = rowAt(i, gTitlebarHeight);
        drawBar(canvas, row);
        const int n = gListElementOffset + i;
        if (const ListElementPtr element = gListElements->element(n))
            drawRow(canvas, row, n, *element);
    }
    RestoreBackground(canvas, headerLineRect());
    drawFolderHeaderLine(canvas);
}

void DrawTitlebarList() {
    // Playback redraws the list when the title changes, whatever is on screen; the options
    // screen and the full-window views must not get the list drawn over them.
    if (!listOnScreen() || gMenuMode == mmOptions)
        return;
    MarkForRepaint(ScreenRegion::TitlebarList);
}

void DrawMainMenu(Canvas& canvas) {
    const int pitch = gTitlebarHeightMainmenu;
    const int iconHeight = gSkin.IconMainmenuMusic.height();
    const int smallHeight = platform::fontPixelHeight(gFontSizeTitlebarSmall);
    const int bigHeight = platform::fontPixelHeight(gFontSizeTitlebarBig);
    canvas.setTextBackground(true);
    for (int i = 0; i < gNumberOfTitlebarsMainmenu; ++i) {
        const RowGeometry row = rowAt(i, pitch);
        drawBar(canvas, row);
        const int n = gListElementOffset + i;
        const ListElementPtr element = gListElements->element(n);
        if (!element)
            continue;
        canvas.setFont(listFont(gFontSizeTitlebarSmall));
        canvas.textOut(gNumberX + 20, row.centredY(smallHeight), std::to_string(n + 1));
        if (i < static_cast<int>(std::size(kMainMenuIcons)))
            canvas.drawTransparent(gIconX + 24, row.top + (pitch - iconHeight) / 2 - 2,
                                   gSkin.*kMainMenuIcons[i]);
        const bool folder = element->IsFolder();
        canvas.setFont(listFont(gFontSizeTitlebarBig, folder, folder));
        const int y = row.centredY(bigHeight);
        canvas.textRect({gTextX + 100, y, gTitlebarRight - 9, row.barBottom}, gTextX + 100, y,
                        element->Name());
    }
    RestoreBackground(canvas, headerLineRect());
    DrawClockLine(canvas);
}

std::string FormatClockLine(const std::tm& time) {
    const std::string_view weekday = kWeekdayNames[static_cast<std::size_t>(time.tm_wday) % 7];
    const std::string_view month = kMonthNames[static_cast<std::size_t>(time.tm_mon) % 12];
    char year[16];
    std::snprintf(year, sizeof year, "%04d", time.tm_year + 1900);
    return std::string(weekday) + ", " + std::to_string(time.tm_mday) + ". " + std::string(month) +
           " " + year + "    " + twoDigits(time.tm_hour) + ":" + twoDigits(time.tm_min) + " ";
}

std::string FormatPhotoDate(double fileDate) {
    const std::optional<platform::DelphiDateParts> parts = platform::splitDelphiDateTime(fileDate);
    if (!parts)
        return {};
    constexpr std::int64_t kDaysFrom1899To1970 = 25569;
    int year = 0, month = 1, day = 1;
    civilFromDays(parts->day - kDaysFrom1899To1970, year, month, day);
    const int hour = static_cast<int>(parts->millisecondOfDay / 3600000);
    const int minute = static_cast<int>(parts->millisecondOfDay / 60000 % 60);
    char yearText[16];
    std::snprintf(yearText, sizeof yearText, "%04d", year);
    return std::to_string(day) + ". " + std::string(kShortMonthNames[month - 1]) + " " + yearText +
           ", " + twoDigits(hour) + ":" + twoDigits(minute);
}

void DrawClockLine(Canvas& canvas) {
    // The program's clock, so that a test's manual clock decides what the line shows.
    const std::int64_t now =
        MainformExists() ? Mainform().clock().wallClockMs() : platform::SteadyClock().wallClockMs();
    const std::string text = FormatClockLine(platform::localTimeOfWallClock(now));
    canvas.setTextBackground(true);
    canvas.setFont(FontSpec{gFontName, gFontSizeFolderName, true, true, gFontColorFolderName});
    canvas.textOut(gTitlebarRight - canvas.textWidth(text), gFolderNameY, text);
}

void Timer_RefreshClockTimer() {
    // The clock line stands only above the main menu.
    if (gMenuMode == mmMain)
        Mainform().requestRepaint();
}

void DrawScrollbar(Canvas& canvas) {
    const int count = gListElements->count();
    const int rows = std::max(1, gIniNumberOfTitlebars);
    if (count <= rows)
        return;
    const Rect& track = gScrollbarRect;
    const int SL = track.left, ST = track.top, SR = track.right, SB = track.bottom;
    canvas.fillRect(track, gColorScrollbarBack);

    const int usable = SB - ST - 2;
    const int length = RoundHalfEven(static_cast<double>(usable) * rows / count);
    // An offset beyond the last page (a list that shrank under the cursor) keeps the thumb in
    // the track.
    const int position = std::clamp(
        RoundHalfEven(static_cast<double>(usable - length) / (count - rows) * gListElementOffset),
        0, std::max(0, usable - length));
    canvas.fillRect({SL + 1, ST + 1 + position, SR - 1, ST + 1 + position + length},
                    gColorScrollbar);

    // The arrows: three steps narrowing away from the track, outlined in the track colour.
    // Each row: inset from both sides, then top and bottom relative to the track edge.
    struct Step {
        int inset, top, bottom;
        bool fill;
    };
    static constexpr Step kUpArrow[] = {
        {4, -15, -11, false}, {2, -10, -6, false}, {0, -5, -1, false},
        {5, -14, -12, true},  {3, -9, -7, true},   {1, -4, -2, true},
    };
    static constexpr Step kDownArrow[] = {
        {4, 11, 15, false}, {2, 6, 10, false}, {0, 1, 5, false},
        {5, 12, 14, true},  {3, 7, 9, true},   {1, 2, 4, true},
    };
    for (const Step& step : kUpArrow)
        canvas.fillRect({SL + step.inset, ST + step.top, SR - step.inset, ST + step.bottom},
                        step.fill ? gColorScrollbar : gColorScrollbarBack);
    for (const Step& step : kDownArrow)
        canvas.fillRect({SL + step.inset, SB + step.top, SR - step.inset, SB + step.bottom},
                        step.fill ? gColorScrollbar : gColorScrollbarBack);
}

void DrawScrollbar() {
    if (!listOnScreen())
        return;
    MarkForRepaint(ScreenRegion::Scrollbar);
}

Rect ShrunkCoverRect(const Rect& area, int pictureWidth, int pictureHeight) {
    const int width = area.width();
    const int height = area.height();
    if (width <= 0 || height <= 0 || (pictureWidth <= width && pictureHeight <= height))
        return area;
    const double fx = pictureWidth > width ? static_cast<double>(pictureWidth) / width : 1.0;
    const double fy = pictureHeight > height ? static_cast<double>(pictureHeight) / height : 1.0;
    const double factor = std::max(fx, fy);
    return {area.left, area.top, area.left + RoundHalfEven(pictureWidth / factor),
            area.top + RoundHalfEven(pictureHeight / factor)};
}

void DrawCover(Canvas& canvas, const std::string& fileName) {
    if (gMenuMode == mmPhotoView)
        return;
    TCBImage& cover = Mainform().CoverImage;
    if (fileName.empty()) {
        if (cover.Visible()) {
            cover.setVisible(false);
            RestoreBackground(canvas, cover.bounds());
        }
        if (gMenuMode == mmMusic)
            canvas.stretchDrawTransparent(gCoverRect, gSkin.CDCoverEmpty);
        return;
    }
    // A visible cover stays as it is; callers hide it to have a new one loaded.
    if (cover.Visible())
        return;
    cover.setBounds(gCoverRect);
    cover.LoadImage(fileName);
    const int pictureWidth = cover.Picture().width();
    const int pictureHeight = cover.Picture().height();
    const bool fits = pictureWidth <= gCoverRect.width() && pictureHeight <= gCoverRect.height();
    cover.CenterView = fits;
    if (!fits)
        cover.setBounds(ShrunkCoverRect(gCoverRect, pictureWidth, pictureHeight));
    cover.setVisible(true);
}

void DrawCover(const std::string& fileName) {
    RedrawOnScreen([&fileName](Canvas& canvas) {
        DrawCover(canvas, fileName);
        // The control lies on top of the window's own drawing.
        if (Mainform().CoverImage.Visible())
            Mainform().CoverImage.paint(canvas);
    });
}

void PaintPhotoCaption(Canvas& canvas) {
    const TCBImage& image = Mainform().ImagePhoto;
    canvas.setTextBackground(true);
    canvas.drawTransparent(0, 0, gSkin.PhotoNameBar);
    canvas.drawTransparent(image.Left(), image.Top(), gSkin.PhotoNameBar);
    if (const ListElementPtr photo = gDiashowPhotoList.element(gDiashowPhotoIndex)) {
        canvas.setFont(FontSpec{gFontName, gFontSizePhotoName, false, false, gFontColorPhotoName});
        canvas.textRect(gPhotoNameRect, gPhotoNameRect.left, gPhotoNameRect.top,
                        photo->Name() + " (" + FormatPhotoDate(photo->FileDate()) + ")");
    }
    if (gCaptionPhotoTitle.empty())
        return;
    const Rect& title = gPhotoTitleRect;
    const Rect shifted{title.left + 1, title.top + 1, title.right + 1, title.bottom + 1};
    canvas.setFont(
        FontSpec{gFontName, gFontSizePhotoTitle, false, false, gFontColorPhotoTitleLight});
    canvas.textRect(shifted, shifted.left, shifted.top, gCaptionPhotoTitle);
    canvas.setFont(FontSpec{gFontName, gFontSizePhotoTitle, false, false, gFontColorPhotoTitle});
    canvas.textRect(title, title.left, title.top, gCaptionPhotoTitle);
}

void DrawPhotoCaption() {
    gCaptionPhotoTitle = gCurrentPhotoTitle;
    Mainform().paintNow();
    RedrawOnScreen([](Canvas& canvas) { PaintPhotoCaption(canvas); });
}
