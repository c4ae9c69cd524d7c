#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Splits text at CR LF or LF; a final line ending does not add an empty line.
std::vector<std::string> splitLines(std::string_view text);
// Whole file as UTF-8 text (see decodeFileText); empty optional when it cannot be read.
std::optional<std::string> readTextFile(const std::string& path);
std::optional<std::vector<std::string>> readTextLines(const std::string& path);
// Writes the lines, each ended by CR LF, encoded by encodeFileText, to a temporary file beside
// the target and renames it over the target, so a crash never leaves half a file.
bool writeTextLinesAtomic(const std::string& path, const std::vector<std::string>& lines);
bool writeBytesAtomic(const std::string& path, std::string_view bytes);

} // namespace platform
