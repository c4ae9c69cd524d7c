#pragma once

#include <cstdint>

namespace platform {

// Windows virtual-key codes of the keys the program reacts to.
namespace vk {
constexpr int Back = 8;
constexpr int Return = 13;
constexpr int Pause = 19;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Digit0 = 48;  // '0' to '9' are 48 to 57
constexpr int LetterA = 65; // 'A' to 'Z' are 65 to 90
constexpr int F1 = 112;
constexpr int BrowserFavorites = 171;
constexpr int VolumeDown = 174;
constexpr int VolumeUp = 175;
constexpr int MediaNextTrack = 176;
constexpr int MediaPreviousTrack = 177;
constexpr int MediaStop = 178;
constexpr int MediaPlayPause = 179;
constexpr int LaunchMediaSelect = 181;
constexpr int LaunchApp1 = 182;
constexpr int OemPlus = 187;
constexpr int OemMinus = 189;
constexpr int Oem102 = 226; // the extra key left of Y/Z on European keyboards
} // namespace vk

// The virtual-key code of an SDL key event (its SDL_Keycode and SDL_Scancode), 0 for a key
// the program does not use. Letters follow what the layout prints on the key, so "Z" is 90 on
// a German and on an English keyboard; digits, the keypad and the extra European key go by
// position.
int virtualKeyFromSdl(int sdlKeycode, int sdlScancode);

// The modifier tests of a key event's SDL modifier state (either side's key counts).
bool shiftDown(std::uint16_t modifiers);
bool ctrlDown(std::uint16_t modifiers);
bool altDown(std::uint16_t modifiers);

} // namespace platform
