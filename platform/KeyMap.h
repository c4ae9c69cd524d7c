#pragma once

#include <cstdint>

namespace platform {

// Windows virtual-key codes. Every key has one, so that every key counts as activity and is
// logged, even those the program gives no function.
namespace vk {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Alt = 18;
constexpr int Pause = 19;
constexpr int CapsLock = 20;
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
constexpr int PrintScreen = 44;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int Digit0 = 48; // '0' to '9' are 48 to 57
constexpr int Digit1 = 49;
constexpr int Digit9 = 57;
constexpr int LetterA = 65; // 'A' to 'Z' are 65 to 90
constexpr int LetterZ = 90;
constexpr int LeftWindows = 91;
constexpr int RightWindows = 92;
constexpr int Apps = 93;
// The keypad's operator keys.
constexpr int Multiply = 106;
constexpr int Add = 107;
constexpr int Subtract = 109;
constexpr int Decimal = 110;
constexpr int Divide = 111;
constexpr int F1 = 112; // F1 to F12 are 112 to 123
constexpr int NumLock = 144;
constexpr int ScrollLock = 145;
constexpr int BrowserFavorites = 171;
constexpr int VolumeMute = 173;
constexpr int VolumeDown = 174;
constexpr int VolumeUp = 175;
constexpr int MediaNextTrack = 176;
constexpr int MediaPreviousTrack = 177;
constexpr int MediaStop = 178;
constexpr int MediaPlayPause = 179;
constexpr int LaunchMediaSelect = 181;
constexpr int LaunchApp1 = 182;
// Punctuation keys: the code goes with the character, as the layout prints it. The comments
// name the character on an English and on a German keyboard.
constexpr int Oem1 = 186; // ";"  "ü"
constexpr int OemPlus = 187;
constexpr int OemComma = 188;
constexpr int OemMinus = 189;
constexpr int OemPeriod = 190;
constexpr int Oem2 = 191;   // "/"  "#"
constexpr int Oem3 = 192;   // "`"  "ö"
constexpr int Oem4 = 219;   // "["  "ß"
constexpr int Oem5 = 220;   // "\"  "^"
constexpr int Oem6 = 221;   // "]"  "´"
constexpr int Oem7 = 222;   // "'"  "ä"
constexpr int Oem102 = 226; // the extra key left of Y/Z on European keyboards
// Any key the table does not know (F13 and above, rarer media keys, keys SDL cannot name): no
// menubar set and no fixed key uses this code, so such a key only counts as activity.
constexpr int Unassigned = 255;
} // namespace vk

// The virtual-key code of an SDL key event (its SDL_Keycode and SDL_Scancode); never 0, a key
// missing from the table is vk::Unassigned. Letters follow what the layout prints on the key,
// so "Z" is 90 on a German and on an English keyboard; digits, the keypad and the extra
// European key go by position, as do punctuation keys whose character the table does not know.
int virtualKeyFromSdl(int sdlKeycode, int sdlScancode);

// The modifier tests of a key event's SDL modifier state (either side's key counts).
bool shiftDown(std::uint16_t modifiers);
bool ctrlDown(std::uint16_t modifiers);
bool altDown(std::uint16_t modifiers);

} // namespace platform
