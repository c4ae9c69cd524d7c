#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text is UTF-8 inside the program; files on disk may be Windows-1252.
namespace platform {

bool isValidUtf8(std::string_view bytes);
std::string cp1252ToUtf8(std::string_view bytes);
// Empty optional when some character has no Windows-1252 byte.
std::optional<std::string> utf8ToCp1252(std::string_view utf8);
// Decodes file bytes: UTF-8 (a byte-order mark skipped) when valid, else Windows-1252.
std::string decodeFileText(std::string_view bytes);
// Encodes text for a file: Windows-1252 when every character fits, else UTF-8.
std::string encodeFileText(std::string_view utf8);
// How a name, or a line of a text file, reads as text: valid UTF-8 as it is, anything else as
// Windows-1252. Only for drawing and comparing; the bytes themselves are what is kept and
// written back.
std::string decodeName(std::string_view bytes);
// A path read as text, every "/"-separated part decoded by itself, so that a Windows-1252 file
// name below a UTF-8 folder still reads as the letters it shows.
std::string decodePath(std::string_view bytes);
// Number of characters (code points) of UTF-8 text.
std::size_t utf8Length(std::string_view utf8);
// The first `characters` code points of UTF-8 text (all of it when it is shorter).
std::string utf8Prefix(std::string_view utf8, std::size_t characters);
// ASCII-only upper case and case-insensitive comparison, as masks and keywords use them.
std::string asciiUpper(std::string_view text);
bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b);

} // namespace platform
