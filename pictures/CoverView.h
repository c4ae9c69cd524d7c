#pragma once

// True while the back cover is to be shown instead of the front cover. Main thread only.
inline bool gShowBackCover = false;
