#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A text file as lines of bytes. Nothing is decoded on reading: a line that the program does
// not change is written back exactly as it was read, whatever its encoding.
struct TextLines {
    std::vector<std::string> lines;
    // The file began with a UTF-8 byte-order mark; it is not part of the first line and is
    // written again in front of it.
    bool byteOrderMark = false;
};

enum class ReadStatus {
    Read,
    Missing,
    // The file is there but could not be read (no permission, a folder, an I/O error). Its
    // content is unknown, so it must not be replaced by what the program holds.
    Unreadable,
};

struct TextFileRead {
    ReadStatus status = ReadStatus::Missing;
    TextLines text;
    // Why an existing file could not be read; empty otherwise.
    std::string error;
};

// Splits text at CR LF or LF; a final line ending does not add an empty line.
std::vector<std::string> splitLines(std::string_view text);
// The lines of a file's bytes, a leading byte-order mark taken off the first line.
TextLines splitTextLines(std::string_view bytes);
// The bytes of a file holding these lines, each ended by CR LF.
std::string joinTextLines(const TextLines& text);

// Whole file as UTF-8 text (see decodeFileText); empty optional when it cannot be read.
std::optional<std::string> readTextFile(const std::string& path);
TextFileRead readTextLines(const std::string& path);
// Writes the lines, each ended by CR LF, to a temporary file beside the target and renames it
// over the target, so a crash never leaves half a file.
bool writeTextLinesAtomic(const std::string& path, const TextLines& text);
bool writeTextLinesAtomic(const std::string& path, const std::vector<std::string>& lines);
bool writeBytesAtomic(const std::string& path, std::string_view bytes);

// The name of the file that `name` is a temporary of, when `name` has the form an atomic
// rewrite gives its temporary files; nullopt for any other name.
std::optional<std::string> rewrittenNameOfTemporary(std::string_view name);
// Removes folder + name (folder empty or ending in "/") when it is the leftover of an
// interrupted rewrite: a regular file with a temporary's name that another process gave it
// (one of this process may be in the middle of its rewrite). True when it was removed.
bool removeLeftoverTemporary(const std::string& folder, std::string_view name);
// Removes the temporary files that an interrupted atomic rewrite of `path` left beside it
// (see removeLeftoverTemporary); returns their paths.
std::vector<std::string> removeLeftoverTemporaries(const std::string& path);

} // namespace platform
