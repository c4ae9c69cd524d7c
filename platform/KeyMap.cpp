#include "platform/KeyMap.h"

#include <SDL_keyboard.h>

namespace platform {

namespace {

enum class KeyMatch {
    // The physical key, whatever the layout prints on it.
    Scancode,
    // The key's character or function in the current layout.
    Keycode,
    // The physical key, for keys whose character is not ASCII and not in the table (letters
    // of Cyrillic or Greek layouts, punctuation of other European layouts): such keys take
    // the code of the same position on an English keyboard, as under Windows.
    ScancodeOfNonAsciiKey,
};

// count consecutive SDL codes from first map to consecutive key codes from virtualKey.
struct KeyRow {
    KeyMatch match;
    int first;
    int virtualKey;
    int count;
};

// Rows are tried by match kind in the order of the enumeration, each kind top to bottom.
constexpr KeyRow kKeyRows[] = {
    {KeyMatch::Scancode, SDL_SCANCODE_1, vk::Digit0 + 1, 9},
    {KeyMatch::Scancode, SDL_SCANCODE_0, vk::Digit0, 1},
    // Remote controls send keypad digits; they count as the digits.
    {KeyMatch::Scancode, SDL_SCANCODE_KP_1, vk::Digit0 + 1, 9},
    {KeyMatch::Scancode, SDL_SCANCODE_KP_0, vk::Digit0, 1},
    {KeyMatch::Scancode, SDL_SCANCODE_KP_ENTER, vk::Return, 1},
    {KeyMatch::Scancode, SDL_SCANCODE_NONUSBACKSLASH, vk::Oem102, 1},

    {KeyMatch::Keycode, SDLK_a, vk::LetterA, 26},
    {KeyMatch::Keycode, SDLK_0, vk::Digit0, 10},
    {KeyMatch::Keycode, SDLK_KP_1, vk::Digit0 + 1, 9},
    {KeyMatch::Keycode, SDLK_KP_0, vk::Digit0, 1},
    // The "+" key: "+" on German keyboards (Shift gives "*"), "=" on English ones.
    {KeyMatch::Keycode, SDLK_PLUS, vk::OemPlus, 1},
    {KeyMatch::Keycode, SDLK_EQUALS, vk::OemPlus, 1},
    {KeyMatch::Keycode, SDLK_MINUS, vk::OemMinus, 1},
    {KeyMatch::Keycode, SDLK_COMMA, vk::OemComma, 1},
    {KeyMatch::Keycode, SDLK_PERIOD, vk::OemPeriod, 1},
    {KeyMatch::Keycode, SDLK_SEMICOLON, vk::Oem1, 1},
    {KeyMatch::Keycode, SDLK_SLASH, vk::Oem2, 1},
    {KeyMatch::Keycode, SDLK_BACKQUOTE, vk::Oem3, 1},
    {KeyMatch::Keycode, SDLK_LEFTBRACKET, vk::Oem4, 1},
    {KeyMatch::Keycode, SDLK_BACKSLASH, vk::Oem5, 1},
    {KeyMatch::Keycode, SDLK_RIGHTBRACKET, vk::Oem6, 1},
    {KeyMatch::Keycode, SDLK_QUOTE, vk::Oem7, 1},
    // The German layout's own keys; SDL names them by their character.
    {KeyMatch::Keycode, U'ü', vk::Oem1, 1},
    {KeyMatch::Keycode, SDLK_HASH, vk::Oem2, 1},
    {KeyMatch::Keycode, U'ö', vk::Oem3, 1},
    {KeyMatch::Keycode, U'ß', vk::Oem4, 1},
    {KeyMatch::Keycode, SDLK_CARET, vk::Oem5, 1},
    {KeyMatch::Keycode, U'´', vk::Oem6, 1},
    {KeyMatch::Keycode, U'ä', vk::Oem7, 1},
    {KeyMatch::Keycode, SDLK_BACKSPACE, vk::Back, 1},
    {KeyMatch::Keycode, SDLK_RETURN, vk::Return, 1},
    {KeyMatch::Keycode, SDLK_RETURN2, vk::Return, 1},
    {KeyMatch::Keycode, SDLK_KP_ENTER, vk::Return, 1},
    {KeyMatch::Keycode, SDLK_ESCAPE, vk::Escape, 1},
    {KeyMatch::Keycode, SDLK_SPACE, vk::Space, 1},
    {KeyMatch::Keycode, SDLK_PAGEUP, vk::PageUp, 1},
    {KeyMatch::Keycode, SDLK_PAGEDOWN, vk::PageDown, 1},
    {KeyMatch::Keycode, SDLK_END, vk::End, 1},
    {KeyMatch::Keycode, SDLK_HOME, vk::Home, 1},
    {KeyMatch::Keycode, SDLK_DELETE, vk::Delete, 1},
    {KeyMatch::Keycode, SDLK_INSERT, vk::Insert, 1},
    {KeyMatch::Keycode, SDLK_TAB, vk::Tab, 1},
    {KeyMatch::Keycode, SDLK_LSHIFT, vk::Shift, 1},
    {KeyMatch::Keycode, SDLK_RSHIFT, vk::Shift, 1},
    {KeyMatch::Keycode, SDLK_LCTRL, vk::Control, 1},
    {KeyMatch::Keycode, SDLK_RCTRL, vk::Control, 1},
    {KeyMatch::Keycode, SDLK_LALT, vk::Alt, 1},
    {KeyMatch::Keycode, SDLK_RALT, vk::Alt, 1},
    {KeyMatch::Keycode, SDLK_LGUI, vk::LeftWindows, 1},
    {KeyMatch::Keycode, SDLK_RGUI, vk::RightWindows, 1},
    {KeyMatch::Keycode, SDLK_APPLICATION, vk::Apps, 1},
    {KeyMatch::Keycode, SDLK_CAPSLOCK, vk::CapsLock, 1},
    {KeyMatch::Keycode, SDLK_NUMLOCKCLEAR, vk::NumLock, 1},
    {KeyMatch::Keycode, SDLK_SCROLLLOCK, vk::ScrollLock, 1},
    {KeyMatch::Keycode, SDLK_PRINTSCREEN, vk::PrintScreen, 1},
    {KeyMatch::Keycode, SDLK_KP_MULTIPLY, vk::Multiply, 1},
    {KeyMatch::Keycode, SDLK_KP_PLUS, vk::Add, 1},
    {KeyMatch::Keycode, SDLK_KP_MINUS, vk::Subtract, 1},
    {KeyMatch::Keycode, SDLK_KP_PERIOD, vk::Decimal, 1},
    {KeyMatch::Keycode, SDLK_KP_COMMA, vk::Decimal, 1},
    {KeyMatch::Keycode, SDLK_KP_DIVIDE, vk::Divide, 1},
    {KeyMatch::Keycode, SDLK_LEFT, vk::Left, 1},
    {KeyMatch::Keycode, SDLK_UP, vk::Up, 1},
    {KeyMatch::Keycode, SDLK_RIGHT, vk::Right, 1},
    {KeyMatch::Keycode, SDLK_DOWN, vk::Down, 1},
    {KeyMatch::Keycode, SDLK_F1, vk::F1, 12},
    {KeyMatch::Keycode, SDLK_PAUSE, vk::Pause, 1},
    {KeyMatch::Keycode, SDLK_VOLUMEDOWN, vk::VolumeDown, 1},
    {KeyMatch::Keycode, SDLK_VOLUMEUP, vk::VolumeUp, 1},
    {KeyMatch::Keycode, SDLK_MUTE, vk::VolumeMute, 1},
    {KeyMatch::Keycode, SDLK_AUDIONEXT, vk::MediaNextTrack, 1},
    {KeyMatch::Keycode, SDLK_AUDIOPREV, vk::MediaPreviousTrack, 1},
    {KeyMatch::Keycode, SDLK_AUDIOSTOP, vk::MediaStop, 1},
    {KeyMatch::Keycode, SDLK_AUDIOPLAY, vk::MediaPlayPause, 1},
    {KeyMatch::Keycode, SDLK_AC_BOOKMARKS, vk::BrowserFavorites, 1},
    {KeyMatch::Keycode, SDLK_MEDIASELECT, vk::LaunchMediaSelect, 1},
    {KeyMatch::Keycode, SDLK_COMPUTER, vk::LaunchApp1, 1},
    {KeyMatch::Keycode, SDLK_APP1, vk::LaunchApp1, 1},

    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_A, vk::LetterA, 26},
    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_MINUS, vk::OemMinus, 1},
    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_EQUALS, vk::OemPlus, 1},
    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_LEFTBRACKET, vk::Oem4, 1},
    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_RIGHTBRACKET, vk::Oem6, 1},
    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_BACKSLASH, vk::Oem5, 1},
    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_NONUSHASH, vk::Oem5, 1},
    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_SEMICOLON, vk::Oem1, 1},
    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_APOSTROPHE, vk::Oem7, 1},
    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_GRAVE, vk::Oem3, 1},
    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_COMMA, vk::OemComma, 1},
    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_PERIOD, vk::OemPeriod, 1},
    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_SLASH, vk::Oem2, 1},
};

constexpr KeyMatch kMatchOrder[] = {KeyMatch::Scancode, KeyMatch::Keycode,
                                    KeyMatch::ScancodeOfNonAsciiKey};

bool isAscii(int keycode) {
    return keycode > 0 && keycode < 128;
}

} // namespace

int virtualKeyFromSdl(int sdlKeycode, int sdlScancode) {
    for (KeyMatch match : kMatchOrder) {
        if (match == KeyMatch::ScancodeOfNonAsciiKey && isAscii(sdlKeycode))
            continue;
        const int code = match == KeyMatch::Keycode ? sdlKeycode : sdlScancode;
        if (code == 0)
            continue;
        for (const KeyRow& row : kKeyRows) {
            if (row.match == match && code >= row.first && code < row.first + row.count)
                return row.virtualKey + (code - row.first);
        }
    }
    return vk::Unassigned;
}

bool shiftDown(std::uint16_t modifiers) {
    return (modifiers & KMOD_SHIFT) != 0;
}

bool ctrlDown(std::uint16_t modifiers) {
    return (modifiers & KMOD_CTRL) != 0;
}

bool altDown(std::uint16_t modifiers) {
    return (modifiers & KMOD_ALT) != 0;
}

} // namespace platform
