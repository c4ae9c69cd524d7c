#include "platform/KeyMap.h"

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct KeyRow {
    const char* what;
    int keycode;
    int scancode;
    int virtualKey;
};

TEST(KeyMapTest, SdlKeysMapToTheVirtualKeyCodesTheProgramUses) {
    const std::vector<KeyRow> rows = {
        {"A", SDLK_a, SDL_SCANCODE_A, 65},
        {"Z on an English keyboard", SDLK_z, SDL_SCANCODE_Z, 90},
        {"Z on a German keyboard", SDLK_z, SDL_SCANCODE_Y, 90},
        {"Y on a German keyboard", SDLK_y, SDL_SCANCODE_Z, 89},
        {"0", SDLK_0, SDL_SCANCODE_0, 48},
        {"9", SDLK_9, SDL_SCANCODE_9, 57},
        {"1 on a French keyboard", SDLK_AMPERSAND, SDL_SCANCODE_1, 49},
        {"keypad 0", SDLK_KP_0, SDL_SCANCODE_KP_0, 48},
        {"keypad 5", SDLK_KP_5, SDL_SCANCODE_KP_5, 53},
        {"keypad 9", SDLK_KP_9, SDL_SCANCODE_KP_9, 57},
        {"Backspace", SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8},
        {"Return", SDLK_RETURN, SDL_SCANCODE_RETURN, 13},
        {"keypad Enter", SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
        {"Escape", SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27},
        {"Space", SDLK_SPACE, SDL_SCANCODE_SPACE, 32},
        {"Page Up", SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, 33},
        {"Page Down", SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 34},
        {"End", SDLK_END, SDL_SCANCODE_END, 35},
        {"Home", SDLK_HOME, SDL_SCANCODE_HOME, 36},
        {"Left", SDLK_LEFT, SDL_SCANCODE_LEFT, 37},
        {"Up", SDLK_UP, SDL_SCANCODE_UP, 38},
        {"Right", SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39},
        {"Down", SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
        {"F1", SDLK_F1, SDL_SCANCODE_F1, 112},
        {"Pause", SDLK_PAUSE, SDL_SCANCODE_PAUSE, 19},
        {"+ on a German keyboard", SDLK_PLUS, SDL_SCANCODE_RIGHTBRACKET, 187},
        {"=+ on an English keyboard", SDLK_EQUALS, SDL_SCANCODE_EQUALS, 187},
        {"- on a German keyboard", SDLK_MINUS, SDL_SCANCODE_SLASH, 189},
        {"- on an English keyboard", SDLK_MINUS, SDL_SCANCODE_MINUS, 189},
        {"< left of Y on a German keyboard", SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH, 226},
        {"volume down", SDLK_VOLUMEDOWN, SDL_SCANCODE_VOLUMEDOWN, 174},
        {"volume up", SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, 175},
        {"next track", SDLK_AUDIONEXT, SDL_SCANCODE_AUDIONEXT, 176},
        {"previous track", SDLK_AUDIOPREV, SDL_SCANCODE_AUDIOPREV, 177},
        {"stop", SDLK_AUDIOSTOP, SDL_SCANCODE_AUDIOSTOP, 178},
        {"play/pause", SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY, 179},
        {"favourites", SDLK_AC_BOOKMARKS, SDL_SCANCODE_AC_BOOKMARKS, 171},
        {"media select", SDLK_MEDIASELECT, SDL_SCANCODE_MEDIASELECT, 181},
        {"My Computer", SDLK_COMPUTER, SDL_SCANCODE_COMPUTER, 182},
        {"launch 1", SDLK_APP1, SDL_SCANCODE_APP1, 182},
        {"Cyrillic letter on the A key", 0x0444, SDL_SCANCODE_A, 65},
        // Keys without a function still have their code: they count as activity.
        {"F2", SDLK_F2, SDL_SCANCODE_F2, 113},
        {"F12", SDLK_F12, SDL_SCANCODE_F12, 123},
        {"Tab", SDLK_TAB, SDL_SCANCODE_TAB, 9},
        {"Shift alone", SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 16},
        {"right Ctrl alone", SDLK_RCTRL, SDL_SCANCODE_RCTRL, 17},
        {"keypad plus", SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, 107},
        {"mute", SDLK_MUTE, SDL_SCANCODE_MUTE, 173},
        {"comma on the M key of a French keyboard", SDLK_COMMA, SDL_SCANCODE_M, 188},
        {"period", SDLK_PERIOD, SDL_SCANCODE_PERIOD, 190},
        {"German u umlaut", 0xFC, SDL_SCANCODE_LEFTBRACKET, 186},
        {"German hash key", SDLK_HASH, SDL_SCANCODE_NONUSHASH, 191},
        {"German o umlaut", 0xF6, SDL_SCANCODE_SEMICOLON, 192},
        {"German sharp s key", 0xDF, SDL_SCANCODE_MINUS, 219},
        {"German a umlaut", 0xE4, SDL_SCANCODE_APOSTROPHE, 222},
        {"Swedish a ring, by position", 0xE5, SDL_SCANCODE_LEFTBRACKET, 219},
        {"e acute on the 2 key of a French keyboard", 0xE9, SDL_SCANCODE_2, 50},
        {"a key of no known kind", 0x40000123, SDL_SCANCODE_UNKNOWN, 255},
        {"nothing", SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 255},
    };
    for (const KeyRow& row : rows)
        EXPECT_EQ(platform::virtualKeyFromSdl(row.keycode, row.scancode), row.virtualKey)
            << row.what;
}

TEST(KeyMapTest, KeysOfEventsWithoutScancodeGoByKeycode) {
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_q, SDL_SCANCODE_UNKNOWN), 81);
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_KP_3, SDL_SCANCODE_UNKNOWN), 51);
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_UNKNOWN, SDL_SCANCODE_NONUSBACKSLASH), 226);
}

TEST(KeyMapTest, ModifiersCountEitherSide) {
    struct Row {
        std::uint16_t modifiers;
        bool shift, ctrl, alt;
    };
    const std::vector<Row> rows = {
        {KMOD_NONE, false, false, false},
        {KMOD_LSHIFT, true, false, false},
        {KMOD_RSHIFT, true, false, false},
        {KMOD_LCTRL, false, true, false},
        {KMOD_RCTRL | KMOD_NUM, false, true, false},
        {KMOD_LALT, false, false, true},
        {KMOD_RALT | KMOD_LSHIFT, true, false, true},
        {KMOD_CAPS | KMOD_NUM, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.modifiers);
        EXPECT_EQ(platform::shiftDown(row.modifiers), row.shift);
        EXPECT_EQ(platform::ctrlDown(row.modifiers), row.ctrl);
        EXPECT_EQ(platform::altDown(row.modifiers), row.alt);
    }
}

} // namespace
