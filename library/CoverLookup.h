#pragma once

#include <optional>
#include <string>
#include <vector>

// Full paths of the current folder's cover pictures; empty when there is none. Main thread.
inline std::string gCurrentCoverFrontFileName;
inline std::string gCurrentCoverBackFileName;
// Forgets the current folder's covers.
void ResetCoverLookup();

// Picks the front cover from the JPEG names of one folder (in enumeration order) by the
// keywords in their names. The result is the name as it stands in the list.
std::optional<std::string> ChooseFrontCover(const std::vector<std::string>& names);
// Picks the back cover; no result for fewer than two names.
std::optional<std::string> ChooseBackCover(const std::vector<std::string>& names);
