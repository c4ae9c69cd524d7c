#include "platform/KeyMap.h"

#include <SDL_keyboard.h>

namespace platform {

namespace {

enum class KeyMatch {
    // The physical key, whatever the layout prints on it.
    Scancode,
    // The key's character or function in the current layout.
    Keycode,
    // The physical key, for layouts whose key gives no ASCII character (Cyrillic, Greek...),
    // as the Windows key codes of such layouts go by the position on an English keyboard.
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
    {KeyMatch::Keycode, SDLK_DELETE, 46, 1},
    {KeyMatch::Keycode, SDLK_LEFT, vk::Left, 1},
    {KeyMatch::Keycode, SDLK_UP, vk::Up, 1},
    {KeyMatch::Keycode, SDLK_RIGHT, vk::Right, 1},
    {KeyMatch::Keycode, SDLK_DOWN, vk::Down, 1},
    {KeyMatch::Keycode, SDLK_F1, vk::F1, 1},
    {KeyMatch::Keycode, SDLK_PAUSE, vk::Pause, 1},
    {KeyMatch::Keycode, SDLK_VOLUMEDOWN, vk::VolumeDown, 1},
    {KeyMatch::Keycode, SDLK_VOLUMEUP, vk::VolumeUp, 1},
    {KeyMatch::Keycode, SDLK_AUDIONEXT, vk::MediaNextTrack, 1},
    {KeyMatch::Keycode, SDLK_AUDIOPREV, vk::MediaPreviousTrack, 1},
    {KeyMatch::Keycode, SDLK_AUDIOSTOP, vk::MediaStop, 1},
    {KeyMatch::Keycode, SDLK_AUDIOPLAY, vk::MediaPlayPause, 1},
    {KeyMatch::Keycode, SDLK_AC_BOOKMARKS, vk::BrowserFavorites, 1},
    {KeyMatch::Keycode, SDLK_MEDIASELECT, vk::LaunchMediaSelect, 1},
    {KeyMatch::Keycode, SDLK_COMPUTER, vk::LaunchApp1, 1},
    {KeyMatch::Keycode, SDLK_APP1, vk::LaunchApp1, 1},

    {KeyMatch::ScancodeOfNonAsciiKey, SDL_SCANCODE_A, vk::LetterA, 26},
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
    return 0;
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
