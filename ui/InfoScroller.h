#pragma once

#include <string>

class TListElement;

// The running info text of the status line and the 1-based position of its visible window;
// empty while no info text runs. Main thread only.
inline std::string gInfoScrollerText;
inline int gInfoScrollerPos = 1;
// Stops showing an info text, as at start-up.
void ResetInfoScroller();

// INFO: runs the element's info text through the status line from its first character.
void callFunction_Info(const TListElement& element);
