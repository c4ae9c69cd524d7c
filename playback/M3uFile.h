#pragma once

#include "platform/TextFile.h"

#include <string>
#include <vector>

// One title of a playlist file as it was read. Every line keeps its bytes, so that a rewrite
// gives back unchanged what the user did not change.
struct M3uTitle {
    // The path line as it stands in the file.
    std::string pathLine;
    // The path as the program uses it: trimmed, with "\" read as "/". Relative to the folder
    // of the playlist unless it begins with "/".
    std::string path;
    // The lines between the previous title and this one, in file order: its information line
    // and the comments other players write (kept with their title when it moves).
    std::vector<std::string> leadingLines;
    // Position in leadingLines of the "#EXTINF:" line that gave the values below; -1 for none.
    int infoLine = -1;
    // Playing time from the information line when it is above 0, else 0.
    int seconds = 0;
    // The text after the first comma of the information line, as text; empty for none.
    std::string title;
};

struct M3uPlaylist {
    std::vector<M3uTitle> titles;
    // The first "#EXTM3U" line before the first title; empty when there is none.
    std::string headerLine;
    // Lines after the last title.
    std::vector<std::string> trailingLines;
    bool byteOrderMark = false;
    // Information lines whose playing time is not a number; they count as 0 seconds.
    std::vector<std::string> badInfoLines;
};

// Reads the lines of a playlist file: lines are trimmed (blanks and control characters at both
// ends) and empty ones skipped; "#EXTM3U" and other "#" lines are not titles; an "#EXTINF:"
// line gives its time and text to the next title only.
M3uPlaylist ParseM3u(const platform::TextLines& text);

// Whether a line (trimmed) is the header "#EXTM3U", in any letter case.
bool IsM3uHeaderLine(const std::string& line);

// The information line "#EXTINF:" + seconds + "," + text.
std::string M3uInfoLine(int seconds, const std::string& text);
