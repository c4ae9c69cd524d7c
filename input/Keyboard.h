#pragma once

#include <string>

// While set, key and mouse input is ignored (a playlist file is being rewritten on the main
// thread). Main thread only.
inline bool gKeysLocked = false;
// Unlocks the keys and forgets where typed text goes, as at start-up.
void ResetKeyboardState();

// A key pressed on the main window: a Windows virtual-key code and the modifier state.
void FormKeyDown(int key, bool shift, bool ctrl);
// Text typed while the search field has the focus.
void FormTextInput(const std::string& text);

// Handler of Timer_DelayAfterKeyPressed (500 ms after the last key): previews the highlighted
// photo or program-link picture, or shows the information of the highlighted search result.
void Timer_DelayAfterKeyPressedTimer();
