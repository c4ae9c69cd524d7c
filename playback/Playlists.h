#pragma once

#include <string>

// Playlist editing and the open playlist. Main thread only.
inline bool gPlaylistEditing = false;
inline std::string gEditPlaylistFileName;
inline std::string gOpenPlaylistName;
inline int gOpenPlaylistCount = 0;
