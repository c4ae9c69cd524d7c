#pragma once

#include <string>

namespace platform {
class Canvas;
}
class TListElement;

// The rows of the options screen (gListElements holds them) and its header line with the
// version; the full paint draws it in place of the titlebar list. Main thread only.
void DrawOptionsList(platform::Canvas& canvas);

// The line above the options list.
inline constexpr const char* kOptionsHeaderText = "OPTIONS  [Version V1.1]";

// The value an option row shows: its selected choice, or "Ja" / "Nein".
std::string OptionValueText(const TListElement& option);
