#pragma once

#include <stop_token>
#include <string>

// Walks the music root once on the scan thread and collects the library's titles, playlists
// and front covers. Returns early when stop is requested (the program is ending).
void BuildLibrary(const std::string& musicRoot, std::stop_token stop);
