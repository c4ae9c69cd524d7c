#pragma once

#include <string>
#include <string_view>

// Path helpers over "/"-separated paths; folder paths end in "/".

// The last n folder names of a folder path joined by "/", without a leading or trailing "/"
// ("/A/B/C/" gives "C", "B/C" and "A/B/C" for n = 1, 2, 3). n is clamped to 1..3. Empty when
// the path is empty or has fewer folder names than needed ("/Covers/" for n = 2).
std::string LastFolderLevels(std::string_view folder, int n);

// The text up to and including the last "/"; empty when there is none.
std::string FolderOfPath(std::string_view path);

// The text after the last "/"; the whole path when it has none.
std::string NameOfPath(std::string_view path);
