#pragma once

#include "platform/TextFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A profile (INI) file: "[Section]" lines open sections, "key=value" lines give values.
// Section and key names match without regard to ASCII case, both sides decoded as names are
// (valid UTF-8 as UTF-8, else Windows-1252); the first of duplicate keys wins. Values are the
// bytes of the file. Writing changes values in place, appends new keys to their section and
// new sections at the end, and keeps every other line (unknown keys, comments, a value that
// already reads as the one written) byte for byte.
class Profile {
public:
    static Profile fromText(std::string_view bytes);
    // A missing or unreadable file gives an empty profile whose exists() is false.
    static Profile load(const std::string& path);

    bool exists() const { return m_status == ReadStatus::Read; }
    // The file is there but could not be read; save() then refuses to replace it.
    bool unreadable() const { return m_status == ReadStatus::Unreadable; }
    // Why the file could not be read; empty unless unreadable().
    const std::string& readError() const { return m_readError; }

    // The value's bytes: blanks around it dropped, one pair of enclosing double or single
    // quotes removed, at most 2047 characters. Empty optional when the key is absent.
    std::optional<std::string> readValue(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           const std::string& defaultValue) const;
    // Decimal, or hexadecimal with "0x", "0X" or "$"; anything else gives the default.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // An integer: 0 is false, any other number true; not a number gives the default.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    void writeString(std::string_view section, std::string_view key, const std::string& value);
    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeBool(std::string_view section, std::string_view key, bool value);

    std::vector<std::string> lines() const { return m_lines; }
    // The bytes save() writes: the lines, each ended by CR LF, behind the byte-order mark the
    // file began with.
    std::string text() const;
    // Atomic rewrite (temporary file and rename); the lines are written as they are held, a
    // byte-order mark the file began with included. False, writing nothing, for a profile
    // loaded from an unreadable file.
    bool save(const std::string& path) const;

private:
    std::vector<std::string> m_lines;
    bool m_byteOrderMark = false;
    ReadStatus m_status = ReadStatus::Missing;
    std::string m_readError;
};

// Parses an integer the way profile values are read; empty optional when it is not a number.
std::optional<int> parseProfileInteger(std::string_view text);

} // namespace platform
