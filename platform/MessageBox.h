#pragma once

#include <string>

namespace platform {

// True when no one can see a window: ZVN_HEADLESS is set (non-empty), SDL runs (or is told to
// run) its offscreen or dummy video driver, or there is no display to connect to.
bool runningHeadless();

// Shows a modal message with an OK button and logs "title: text". Headless, the message goes
// to stderr instead of a window.
void showMessageBox(const std::string& title, const std::string& text);
// The same with the error icon and the system's caption for errors ("Fehler").
void showErrorMessageBox(const std::string& text);

} // namespace platform
