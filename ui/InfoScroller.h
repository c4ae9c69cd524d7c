#pragma once

#include <string>

// The running info text of the status line and the 1-based position of its visible window;
// empty while no info text runs. Main thread only.
inline std::string gInfoScrollerText;
inline int gInfoScrollerPos = 1;
