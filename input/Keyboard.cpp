#include "input/Keyboard.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/MenuModes.h"
#include "config/Options.h"
#include "config/Ratings.h"
#include "input/Cursor.h"
#include "input/Dispatch.h"
#include "input/Menubar.h"
#include "input/PressedKeyText.h"
#include "library/CoverLookup.h"
#include "library/Mp3Element.h"
#include "pictures/CoverView.h"
#include "pictures/PhotoView.h"
#include "platform/FileSystem.h"
#include "platform/KeyMap.h"
#include "platform/StartValues.h"
#include "playback/MusicPlayback.h"
#include "playback/Video.h"
#include "speech/SpokenMenu.h"
#include "ui/Editfield.h"
#include "ui/InfoScroller.h"
#include "ui/MenubarDrawing.h"
#include "ui/TitlebarList.h"

#include <array>
#include <cstdint>

namespace {

namespace vk = platform::vk;

// Text typed with a key belongs to the control that had the focus when the key went down: a
// key that opens the search does not type its own letter into the new field.
bool gTextGoesToField = false;

const platform::StartValues kStartValues(gKeysLocked, gTextGoesToField);

// ---------------------------------------------------------------------------------------------
// Full-window modes take every key first.

struct PhotoKeyRow {
    int key;
    void (*run)();
};

const std::array<PhotoKeyRow, 8> kPhotoViewKeys = {{
    {vk::PageUp, callDiashowFunction_PreviousPhoto},
    {vk::Left, callDiashowFunction_PreviousPhoto},
    {vk::Up, callDiashowFunction_PreviousPhoto},
    {'P', callDiashowFunction_PreviousPhoto},
    {vk::PageDown, callDiashowFunction_NextPhoto},
    {vk::Right, callDiashowFunction_NextPhoto},
    {vk::Down, callDiashowFunction_NextPhoto},
    {'N', callDiashowFunction_NextPhoto},
}};

bool isModifierKey(int key) {
    return key == vk::Shift || key == vk::Control || key == vk::Alt;
}

// True when a full-window mode took the key.
bool fullWindowModeTakesKey(int key) {
    if (LeaveFullWindowCover())
        return true;
    // Shift, Ctrl or Alt alone only begins a combination (Ctrl+S stops the video): these modes
    // wait for the key that completes it.
    if (isModifierKey(key) && (VideoFillsWindow() || gMenuMode == mmPhotoView))
        return true;
    // A video filling the window keeps only seeking and Ctrl+S; any other key shrinks it.
    if (VideoFillsWindow() && key != vk::Left && key != vk::Right && key != 'S') {
        ToggleVideoFullscreen();
        return true;
    }
    if (gMenuMode == mmPhotoView) {
        for (const PhotoKeyRow& row : kPhotoViewKeys) {
            if (row.key == key) {
                row.run();
                return true;
            }
        }
        callFunction_ClosePhotoView();
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Shift and Ctrl combinations: every matching row runs, in table order.

enum class Modifier : std::uint8_t { Shift, Ctrl };

struct ModifiedKeyRow {
    int firstKey;
    int lastKey;
    Modifier modifier;
    void (*run)(int key);
};

void armTwoDigitEntry(int /*key*/) {
    gTwoDigitEntry = true;
    ShowPressedKeyText("__");
    gFirstDigit = -1;
}

void goToMainMenu(int /*key*/) {
    gCurrentCoverFrontFileName.clear();
    callFunction_MainMenu();
}

void rateCurrentElement(int /*key*/) {
    if (const ListElementPtr element = CurrentListElement())
        ChangeRating(*element);
}

const std::array<ModifiedKeyRow, 6> kModifiedKeys = {{
    {vk::OemMinus, vk::OemMinus, Modifier::Shift, armTwoDigitEntry},
    {vk::Oem102, vk::Oem102, Modifier::Shift, armTwoDigitEntry},
    {'S', 'S', Modifier::Ctrl, [](int) { callFunction_Stop(); }},
    {vk::Home, vk::Home, Modifier::Ctrl, goToMainMenu},
    // The "*" key of German layouts.
    {vk::OemPlus, vk::OemPlus, Modifier::Shift, rateCurrentElement},
    {vk::LetterA, vk::LetterZ, Modifier::Shift, JumpToLetter},
}};

void runModifiedKeys(int key, bool shift, bool ctrl) {
    for (const ModifiedKeyRow& row : kModifiedKeys) {
        const bool held = row.modifier == Modifier::Shift ? shift : ctrl;
        if (held && key >= row.firstKey && key <= row.lastKey)
            row.run(key);
    }
}

// ---------------------------------------------------------------------------------------------
// Keys without Shift and Ctrl: the menubar first, then the fixed keys.

// The first button of the current set with the key as Key1 or Key2, button 0 first; also the
// buttons that are not drawn. True when a command was dispatched.
bool dispatchMenubarKey(int key) {
    for (int i = 0; i < gNumberOfMenuItems; ++i) {
        const TMenuItem& item = gMenubarItems[static_cast<std::size_t>(i)];
        if (item.Key1 == key || (item.Key2 != 0 && item.Key2 == key)) {
            // The set may be rebuilt by the command; its name is taken before.
            const std::string command = item.Command;
            DispatchCommand(command);
            return true;
        }
    }
    return false;
}

struct FixedKeyRow {
    int firstKey;
    int lastKey;
    void (*run)(int key);
};

void leftKey(int /*key*/) {
    if (gMenuMode == mmOptions) {
        ShowPressedKeyText("Links");
        ChangeOption(-1);
    } else {
        SkipBackward();
    }
}

void rightKey(int /*key*/) {
    if (gMenuMode == mmOptions) {
        ShowPressedKeyText("Rechts");
        ChangeOption(+1);
    } else {
        SkipForward();
    }
}

// "0" (and Escape) selects only as a digit of an armed two-digit entry.
void zeroKey(int /*key*/) {
    if (gTwoDigitEntry)
        SelectByNumber(0);
}

const std::array<FixedKeyRow, 15> kFixedKeys = {{
    {vk::Pause, vk::Pause, [](int) { callFunction_Pause(); }},
    {vk::MediaPlayPause, vk::MediaPlayPause, [](int) { callFunction_Pause(); }},
    {vk::PageUp, vk::PageUp, [](int) { PageUp(); }},
    {vk::PageDown, vk::PageDown, [](int) { PageDown(); }},
    {vk::End, vk::End, [](int) { CursorEnd(); }},
    {vk::Home, vk::Home, [](int) { CursorHome(); }},
    {vk::Left, vk::Left, leftKey},
    {vk::Up, vk::Up, [](int) { CursorUp(); }},
    {vk::Right, vk::Right, rightKey},
    {vk::Down, vk::Down, [](int) { CursorDown(); }},
    {vk::Digit0, vk::Digit0, zeroKey},
    {vk::Digit1, vk::Digit9, [](int key) { SelectByNumber(key - vk::Digit0); }},
    {vk::F1, vk::F1, [](int) { SpeakCurrentMenu(); }},
    // The volume keys of a multimedia keyboard move the cursor.
    {vk::VolumeDown, vk::VolumeDown, [](int) { CursorDown(); }},
    {vk::VolumeUp, vk::VolumeUp, [](int) { CursorUp(); }},
}};

void runPlainKey(int key) {
    bool handled = false;
    if (!(key == vk::Digit0 && gTwoDigitEntry))
        handled = dispatchMenubarKey(key);
    // Left and Right move the search field's caret instead of seeking.
    if (gMenuMode == mmSearch && (key == vk::Left || key == vk::Right))
        handled = true;
    if (handled)
        return;
    for (const FixedKeyRow& row : kFixedKeys) {
        if (key >= row.firstKey && key <= row.lastKey) {
            row.run(key);
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Repaint after a key: row and page moves redraw only the list and the scrollbar, except in
// the main menu (whose clock line shares the list area) and the options screen.

bool isRowMoveKey(int key) {
    return key == vk::PageUp || key == vk::PageDown || key == vk::Up || key == vk::Down;
}

void repaintAfterKey(int key) {
    if (isRowMoveKey(key) && gMenuMode == mmPlaylists)
        DrawMenubar(false); // its last button shows only for playlists in the music root
    if (isRowMoveKey(key) && gMenuMode != mmOptions && gMenuMode != mmMain) {
        DrawTitlebarList();
        DrawScrollbar();
        return;
    }
    Mainform().requestRepaint();
}

// ---------------------------------------------------------------------------------------------
// Previews once the keys rest.

// Shows a picture in the cover area; the full paint loads it into the hidden cover control.
void previewInCoverArea(const std::string& picture) {
    gCurrentCoverFrontFileName = picture;
    Mainform().CoverImage.setVisible(false);
    Mainform().requestRepaint();
}

void previewPhoto(const ListElementPtr& element) {
    // Folders and ".." have no picture to show.
    if (element->ElementType() != ListElementType::Photo)
        return;
    previewInCoverArea(element->FullPath());
}

void previewProgramLinkPicture(const ListElementPtr& element) {
    if (element->FullPath() == "..")
        return;
    const std::string picture = element->Dir() + element->Name() + ".jpg";
    // A link without a picture clears the previous link's picture instead of showing an
    // empty frame.
    previewInCoverArea(platform::fileExists(picture) ? picture : std::string());
}

void showSearchResultInfo(const ListElementPtr& element) {
    if (element->FileName() == "..")
        return;
    FillMP3Element(*element);
    callFunction_Info(*element);
}

struct PreviewRow {
    std::uint8_t mode;
    void (*preview)(const ListElementPtr& element);
};

const std::array<PreviewRow, 3> kPreviews = {{
    {mmPhoto, previewPhoto},
    {mmProgramLinks, previewProgramLinkPicture},
    {mmSearch, showSearchResultInfo},
}};

} // namespace

void FormKeyDown(int key, bool shift, bool ctrl) {
    platform::Timer& screensaver = Mainform().Timer_Screensaver;
    if (screensaver.enabled())
        screensaver.restart();
    // From here on Escape and "0" are the same key.
    if (key == vk::Escape)
        key = vk::Digit0;
    if (gKeysLocked) {
        gTextGoesToField = false;
        return;
    }
    Mainform().Timer_DelayAfterKeyPressed.restart();
    LogLine("KeyDown: " + std::to_string(key));

    // The search field sees every key too (Backspace, Delete, caret keys); the window's own
    // handling below goes on whatever the field did with it.
    gTextGoesToField = Editfield.Visible();
    if (gTextGoesToField)
        Editfield.keyDown(key);

    if (fullWindowModeTakesKey(key))
        return;
    if (shift || ctrl)
        runModifiedKeys(key, shift, ctrl);
    else
        runPlainKey(key);
    repaintAfterKey(key);
}

void FormTextInput(const std::string& text) {
    if (gKeysLocked || !gTextGoesToField || !Editfield.Visible())
        return;
    Editfield.textInput(text);
}

void Timer_DelayAfterKeyPressedTimer() {
    Mainform().Timer_DelayAfterKeyPressed.setEnabled(false);
    const ListElementPtr element = CurrentListElement();
    if (!element)
        return;
    for (const PreviewRow& row : kPreviews) {
        if (row.mode == gMenuMode) {
            row.preview(element);
            return;
        }
    }
}

void ResetKeyboardState() {
    kStartValues.restore();
}
