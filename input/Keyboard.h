#pragma once

#include <string>

// A key pressed on the main window: a Windows virtual-key code and the modifier state.
void FormKeyDown(int key, bool shift, bool ctrl);
// Text typed while the search field has the focus.
void FormTextInput(const std::string& text);
