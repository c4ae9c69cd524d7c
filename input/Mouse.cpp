#include "input/Mouse.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/MenuModes.h"
#include "config/Config.h"
#include "config/Options.h"
#include "config/Skin.h"
#include "input/Cursor.h"
#include "input/Dispatch.h"
#include "input/Keyboard.h"
#include "input/Menubar.h"
#include "input/PressedKeyText.h"
#include "library/CoverLookup.h"
#include "pictures/CoverView.h"
#include "pictures/PictureControlInput.h"
#include "playback/MusicPlayback.h"
#include "playback/Play.h"
#include "ui/Layout.h"
#include "ui/MenubarDrawing.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 3;
// Height of the zones above and below the scrollbar track that act as its arrows.
constexpr int kArrowZoneHeight = 15;
constexpr int kMediaButtonCount = 5;
// The media buttons picture reacts a little above and below its edges.
constexpr int kMediaButtonsMargin = 2;
// The picture is drawn this far right of gMediaButtonsLeft.
constexpr int kMediaButtonsOffsetX = 8;

// Where the press that the next release belongs to went: the window itself or a picture
// control lying on it. Main thread only, like everything in this file.
enum class PressTarget { None, Window, CoverImage };

struct PointerState {
    PressTarget target = PressTarget::None;
    // A left press that is not the second press of a double click: its release is a click.
    bool clickPending = false;
    // The header is being dragged; the grabbed point stays under the pointer.
    bool movingWindow = false;
    int grabX = 0;
    int grabY = 0;
};
PointerState gPointer;

bool fullWindowCoverMode() {
    return gMenuMode == mmCoverFullscreen || gMenuMode == mmCoverScreensaver;
}

void repaint() {
    Mainform().requestRepaint();
}

int listRowPitch() {
    return gMenuMode == mmMain ? gTitlebarHeightMainmenu : gTitlebarHeight;
}

int listRowsDrawn() {
    return gMenuMode == mmMain ? gNumberOfTitlebarsMainmenu : VisibleRows();
}

ListElementPtr elementOfRow(int row) {
    return gListElements ? gListElements->element(gListElementOffset + row) : nullptr;
}

// Activating an element as the Return key does: the ".." row goes back a level.
void activate(const ListElementPtr& element) {
    if (!element)
        return;
    if (element->ElementType() == ListElementType::Back)
        callFunction_Back();
    else
        callFunction_Play(element);
}

void showSelectedRow(int row) {
    LogLine("select: " + std::to_string(row));
    ShowPressedKeyText(std::to_string(row));
}

// The action of the Left and Right keys: in the options screen they step the highlighted
// option's value, elsewhere they skip in the playing title.
void leftKeyAction() {
    if (gMenuMode == mmOptions)
        ChangeOption(-1);
    else
        SkipBackward();
}

void rightKeyAction() {
    if (gMenuMode == mmOptions)
        ChangeOption(+1);
    else
        SkipForward();
}

void activateCurrentElement() {
    activate(CurrentListElement());
}

// The five parts of the media buttons picture, left to right.
constexpr std::array<void (*)(), kMediaButtonCount> kMediaButtonActions = {
    leftKeyAction, activateCurrentElement, callFunction_Pause, callFunction_Stop, rightKeyAction};

// Repeat timer of the held scrollbar arrows, with the interval that gives its direction.
void startHoldingArrow(int repeatInterval) {
    TMainformParts& form = Mainform();
    form.Timer_HoldScrollbarUpOrDown.setEnabled(false);
    form.Timer_HoldScrollbarUpOrDown.setInterval(repeatInterval);
    form.Timer_HoldScrollbarDelay.restart();
}

void stopHoldingArrow() {
    Mainform().Timer_HoldScrollbarDelay.setEnabled(false);
    Mainform().Timer_HoldScrollbarUpOrDown.setEnabled(false);
}

void pressHeader(int x, int y) {
    switch (HeaderPartAt(x, y)) {
    case HeaderPart::HomeButton:
        gCurrentCoverFrontFileName.clear();
        callFunction_MainMenu();
        repaint();
        break;
    case HeaderPart::MinimizeIcon:
        if (Mainform().window())
            Mainform().window()->minimize();
        break;
    case HeaderPart::MouseIcon:
        gIniMouseButtonClicksToStart = gIniMouseButtonClicksToStart == 1 ? 2 : 1;
        repaint();
        break;
    case HeaderPart::Caption:
        // The borderless window has no title bar of its own; the header stands in for it.
        gPointer.movingWindow = true;
        gPointer.grabX = x;
        gPointer.grabY = y;
        break;
    case HeaderPart::None:
        break;
    }
}

void pressScrollbar(int x, int y) {
    switch (ScrollbarPartAt(x, y)) {
    case ScrollbarPart::UpArrow:
        startHoldingArrow(kHoldScrollbarUpInterval);
        CursorUp();
        repaint();
        break;
    case ScrollbarPart::DownArrow:
        startHoldingArrow(kHoldScrollbarDownInterval);
        CursorDown();
        repaint();
        break;
    case ScrollbarPart::TrackAboveThumb:
        PageUp();
        repaint();
        break;
    case ScrollbarPart::TrackBelowThumb:
        PageDown();
        repaint();
        break;
    case ScrollbarPart::Thumb:
    case ScrollbarPart::None:
        break;
    }
}

// The window's own press handling, after the picture controls have had their turn.
void windowMouseDown(int button, int x, int y) {
    if (button == kRightButton && gMenuMode == mmOptions) {
        const int row = ListRowAt(x, y);
        if (row >= 0) {
            // The highlighted option changes, wherever the pointer is; the row stays.
            showSelectedRow(row);
            ChangeOption(-1);
            repaint();
        }
        return;
    }
    if (button != kLeftButton)
        return;
    if (gHeaderBarRect.contains(x, y)) {
        pressHeader(x, y);
        return;
    }
    pressScrollbar(x, y);
}

void clickListRow(int row) {
    showSelectedRow(row);
    const ListElementPtr element = elementOfRow(row);
    if (gIniMouseButtonClicksToStart == 1) {
        if (element) {
            HightlightTitlebarIndex = row;
            activate(element);
        }
    } else if (row != HightlightTitlebarIndex) {
        if (gListElementOffset + row == 0)
            HightlightTitlebarIndex = 0;
        else if (element)
            HightlightTitlebarIndex = row;
    }
    repaint();
}

void clickMenubar(int x, int y) {
    const int item = MenuItemInSlot(MenubarSlotAt(x, y));
    if (item < 0)
        return;
    // A copy: the command may build a new set into gMenubarItems while it runs.
    const std::string command = gMenubarItems[static_cast<std::size_t>(item)].Command;
    LogLine("Menu: " + command);
    DispatchCommand(command);
    repaint();
}

bool pressesPictureControl(int button, int x, int y, bool doubleClick) {
    TMainformParts& form = Mainform();
    const TCBImage& photo = form.ImagePhoto;
    if (photo.Visible() && photo.bounds().contains(x, y)) {
        ImagePhotoMouseDown(button, x - photo.Left(), y - photo.Top());
        gPointer.target = PressTarget::None;
        return true;
    }
    const TCBImage& cover = form.CoverImage;
    if (cover.Visible() && cover.bounds().contains(x, y)) {
        // The second press of a double click makes no second click on the cover.
        gPointer.target = doubleClick ? PressTarget::None : PressTarget::CoverImage;
        return true;
    }
    return false;
}

void releaseOnCoverImage(int button, int x, int y) {
    TCBImage& cover = Mainform().CoverImage;
    if (button != kLeftButton || !cover.Visible() || !cover.bounds().contains(x, y))
        return;
    if (cover.onClick)
        cover.onClick();
}

} // namespace

int ListRowAt(int x, int y) {
    if (x < gTitlebarLeft || x >= gTitlebarRight || y < gListTop || y >= gListBottom)
        return -1;
    const int row = (y - gListTop) / std::max(1, listRowPitch());
    // The strip left below the last row when the height does not divide evenly is no row.
    return row < listRowsDrawn() ? row : -1;
}

ScrollbarPart ScrollbarPartAt(int x, int y) {
    const platform::Rect& bar = gScrollbarRect;
    // The bar is one pixel wider on each side than the strict interior of its track.
    if (x <= bar.left - 1 || x >= bar.right + 1)
        return ScrollbarPart::None;
    if (y >= bar.top - kArrowZoneHeight && y < bar.top)
        return ScrollbarPart::UpArrow;
    if (y >= bar.bottom && y < bar.bottom + kArrowZoneHeight)
        return ScrollbarPart::DownArrow;
    if (y < bar.top || y >= bar.bottom)
        return ScrollbarPart::None;

    const int count = gListElements ? gListElements->count() : 0;
    const int rows = VisibleRows();
    if (count <= rows)
        return ScrollbarPart::Thumb;
    const int track = bar.bottom - bar.top - 2;
    const int thumb = RoundHalfEven(static_cast<double>(rows) / count * track);
    const int thumbTop =
        bar.top + 1 +
        RoundHalfEven(static_cast<double>(track - thumb) / (count - rows) * gListElementOffset);
    if (y < thumbTop)
        return ScrollbarPart::TrackAboveThumb;
    if (y >= thumbTop + thumb)
        return ScrollbarPart::TrackBelowThumb;
    return ScrollbarPart::Thumb;
}

HeaderPart HeaderPartAt(int x, int y) {
    if (!gHeaderBarRect.contains(x, y))
        return HeaderPart::None;
    if (x < gIniScreenWidth / 2)
        return HeaderPart::HomeButton;
    const int barHeight = gHeaderBarRect.height();
    const auto onIcon = [&](const platform::Picture& icon, int left) {
        const int top = (barHeight - icon.height()) / 2;
        return x >= left && x < left + icon.width() && y >= top && y < top + icon.height();
    };
    if (onIcon(gSkin.IconMinimize, gTitlebarRight))
        return HeaderPart::MinimizeIcon;
    // Both mouse icons take the place of IconMouse1.
    if (onIcon(gSkin.IconMouse1, gTitlebarRight - 6 - gSkin.IconMouse1.width()))
        return HeaderPart::MouseIcon;
    return HeaderPart::Caption;
}

int MenubarSlotAt(int x, int y) {
    if (!gMenubarRect.contains(x, y))
        return -1;
    const int slot = (y - gMenubarRect.top) / std::max(1, gMenubarHeight);
    return slot < gNumberOfMenubars ? slot : -1;
}

int MediaButtonAt(int x, int y) {
    const platform::Picture& picture = gSkin.MediaPlayerButtons;
    const int left = gMediaButtonsLeft + kMediaButtonsOffsetX;
    const int width = picture.width();
    if (width <= 0 || x < left || x >= left + width)
        return -1;
    if (y < gMediaButtonsY - kMediaButtonsMargin ||
        y >= gMediaButtonsY + picture.height() + kMediaButtonsMargin)
        return -1;
    return (x - left) * kMediaButtonCount / width;
}

void FormMouseDown(int button, int x, int y, int clicks) {
    const bool doubleClick = clicks > 0 && clicks % 2 == 0;
    gPointer.clickPending = false;
    if (pressesPictureControl(button, x, y, doubleClick))
        return;
    gPointer.target = PressTarget::Window;
    if (gKeysLocked)
        return;
    // The release of a press that leaves the cover is no click on whatever the list screen
    // shows under the pointer (a click that wakes the screensaver must not press "Beenden").
    if (LeaveFullWindowCover())
        return;
    windowMouseDown(button, x, y);
    if (button != kLeftButton)
        return;
    if (doubleClick)
        FormDblClick(x, y);
    else
        gPointer.clickPending = true;
}

void FormMouseUp(int button, int x, int y) {
    const PressTarget target = gPointer.target;
    const bool click = button == kLeftButton && gPointer.clickPending && !gPointer.movingWindow;
    if (button == kLeftButton) {
        gPointer.target = PressTarget::None;
        gPointer.clickPending = false;
        gPointer.movingWindow = false;
    }
    // A release anywhere ends the repetition of a held scrollbar arrow.
    stopHoldingArrow();
    if (target == PressTarget::CoverImage)
        releaseOnCoverImage(button, x, y);
    else if (click)
        FormClick(x, y);
}

void FormClick(int x, int y) {
    if (fullWindowCoverMode())
        return;
    const int row = ListRowAt(x, y);
    if (row >= 0) {
        clickListRow(row);
        if (gMenuMode == mmOptions) {
            showSelectedRow(row);
            ChangeOption(+1);
            repaint();
        }
        return;
    }
    if (MenubarSlotAt(x, y) >= 0) {
        clickMenubar(x, y);
        return;
    }
    const int mediaButton = MediaButtonAt(x, y);
    if (mediaButton >= 0) {
        kMediaButtonActions[static_cast<std::size_t>(mediaButton)]();
        repaint();
    }
}

void FormDblClick(int x, int y) {
    if (gIniMouseButtonClicksToStart == 2) {
        const int row = ListRowAt(x, y);
        if (row >= 0) {
            showSelectedRow(row);
            if (const ListElementPtr element = elementOfRow(row)) {
                HightlightTitlebarIndex = row;
                activate(element);
            }
            repaint();
        }
    }
    if (gHeaderBarRect.contains(x, y)) {
        gPointer.movingWindow = false;
        if (Mainform().window())
            Mainform().window()->moveTo(0, 0);
    }
}

void FormMouseMove(int x, int y) {
    TMainformParts& form = Mainform();
    if (form.Timer_Screensaver.enabled()) {
        // Moving the mouse is activity: the idle time counts anew.
        form.Timer_Screensaver.restart();
    }
    if (gPointer.movingWindow && form.window()) {
        int windowX = 0;
        int windowY = 0;
        form.window()->position(windowX, windowY);
        form.window()->moveTo(windowX + x - gPointer.grabX, windowY + y - gPointer.grabY);
        return;
    }
    if (gMenuMode == mmCoverScreensaver)
        return;
    const bool overMenubar = x >= gMenubarRect.left && x < gMenubarRect.right &&
                             y >= gMenubarRect.top && gMenubarHeight > 0;
    const int slot = overMenubar ? (y - gMenubarRect.top) / gMenubarHeight : -1;
    gHighlightedMenuItem = MenuItemInSlot(slot) >= 0 ? slot : -1;
    DrawMenubar(true);
}

void FormMouseWheel(int steps, int /*x*/, int /*y*/) {
    for (; steps > 0; --steps)
        FormMouseWheelUp();
    for (; steps < 0; ++steps)
        FormMouseWheelDown();
}

void FormMouseWheelDown() {
    if (gKeysLocked)
        return;
    PageDown();
    repaint();
}

void FormMouseWheelUp() {
    // Ignored while locked like every other input, although the lock is only ever held while
    // a playlist file is written on the main thread.
    if (gKeysLocked)
        return;
    PageUp();
    repaint();
}

void Timer_HoldScrollbarDelayTimer() {
    TMainformParts& form = Mainform();
    form.Timer_HoldScrollbarDelay.setEnabled(false);
    form.Timer_HoldScrollbarUpOrDown.setEnabled(true);
}

void Timer_HoldScrollbarUpOrDownTimer() {
    if (Mainform().Timer_HoldScrollbarUpOrDown.interval() == kHoldScrollbarUpInterval)
        CursorUp();
    else
        CursorDown();
    repaint();
}

void ResetMouseState() {
    gPointer = PointerState{};
}
