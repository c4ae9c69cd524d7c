#pragma once

#include "platform/Canvas.h"
#include "platform/JpegDecoder.h"

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

// A music folder without a picture file shows the front cover embedded in its first title.
// Such a cover goes by the title's own path wherever a cover's file name goes (the current
// covers, the screensaver's list): the picture control and the 3D show tell it by the name's
// music extension and take the picture out of the title. Nothing is ever written beside the
// music. Main thread only.

// The path of `folder`'s first title (the first in the music list's order)
// when that title carries a picture that decodes; empty otherwise. A title is read once while
// its folder stays among the recently asked ones. A folder found with a cover is added to
// gFoundFrontCovers, so that the screensaver shows it too.
std::string EmbeddedFrontCover(const std::string& folder);
// Whether a cover of this name is the picture embedded in a music title.
bool IsEmbeddedCoverName(const std::string& fileName);
// The picture embedded in the title, decoded (JPEG with the options, PNG as it is); empty, with
// the reason in error, when it has none or it does not decode.
platform::Picture DecodeEmbeddedCover(const std::string& titlePath,
                                      const platform::JpegOptions& options,
                                      std::string* error = nullptr);
