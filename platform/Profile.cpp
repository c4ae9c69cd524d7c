#include "platform/Profile.h"

#include "platform/Encoding.h"
#include "platform/TextFile.h"

#include <cstdint>
#include <limits>

namespace platform {

namespace {

constexpr std::size_t kMaxValueCharacters = 2047;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

// The name of a "[Name]" line, or empty optional when the line opens no section.
std::optional<std::string_view> sectionNameOf(std::string_view line) {
    const std::string_view trimmed = trimBlanks(line);
    if (!trimmed.starts_with('[')) {
        return std::nullopt;
    }
    const std::size_t close = trimmed.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return trimBlanks(trimmed.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

// The key and raw value of a "key=value" line; comments and lines without "=" give none.
std::optional<KeyLine> keyLineOf(std::string_view line) {
    const std::string_view trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';') {
        return std::nullopt;
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view key = trimBlanks(trimmed.substr(0, equals));
    if (key.empty()) {
        return std::nullopt;
    }
    return KeyLine{key, trimBlanks(trimmed.substr(equals + 1))};
}

// Section and key names of a file written by another program may be Windows-1252 bytes while
// the program asks in UTF-8 (a photo's name as key), or the other way round.
bool sameName(std::string_view a, std::string_view b) {
    return equalsIgnoreAsciiCase(a, b) || equalsIgnoreAsciiCase(decodeName(a), decodeName(b));
}

// The first `characters` characters of a value, counted as the value decodes.
std::string valuePrefix(std::string_view value, std::size_t characters) {
    if (isValidUtf8(value)) {
        return utf8Prefix(value, characters);
    }
    return std::string(value.substr(0, characters));
}

// The value of a line without its quotes, as readValue gives it.
std::string_view unquotedValue(std::string_view value) {
    if (value.size() >= 2 && isQuote(value.front()) && value.front() == value.back()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Lines [begin, end) of the first section of that name: begin is the line after its header.
struct SectionRange {
    std::size_t header;
    std::size_t begin;
    std::size_t end;
};

std::optional<SectionRange> findSection(const std::vector<std::string>& lines,
                                        std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionNameOf(lines[i]);
        if (!name || !sameName(*name, section)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() && !sectionNameOf(lines[end])) {
            ++end;
        }
        return SectionRange{i, i + 1, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKeyLine(const std::vector<std::string>& lines,
                                       const SectionRange& range, std::string_view key) {
    for (std::size_t i = range.begin; i < range.end; ++i) {
        const auto keyLine = keyLineOf(lines[i]);
        if (keyLine && sameName(keyLine->key, key)) {
            return i;
        }
    }
    return std::nullopt;
}

// The stored form of a value that reads back exactly as given: a value that would lose
// blanks at its ends or a pair of enclosing quotes on reading is put in double quotes, and
// line breaks, which would split the line, become blanks.
std::string storedValue(const std::string& value) {
    std::string flat = value;
    for (char& c : flat) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    const bool loosesBlanks = !flat.empty() && (isBlank(flat.front()) || isBlank(flat.back()));
    const bool loosesQuotes =
        flat.size() >= 2 && isQuote(flat.front()) && flat.front() == flat.back();
    if (loosesBlanks || loosesQuotes) {
        return "\"" + flat + "\"";
    }
    return flat;
}

std::optional<std::uint32_t> parseDigits(std::string_view digits, std::uint32_t base,
                                         std::uint64_t limit) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > limit) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace

std::optional<int> parseProfileInteger(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    if (text.starts_with("0x") || text.starts_with("0X") || text.starts_with('$')) {
        // Hexadecimal gives the 32 bits as written: $FFFFFFFF is -1.
        const auto bits = parseDigits(text.substr(text.front() == '$' ? 1 : 2), 16, 0xFFFFFFFFu);
        if (!bits) {
            return std::nullopt;
        }
        value = static_cast<std::int32_t>(*bits);
    } else {
        const std::uint64_t limit =
            static_cast<std::uint64_t>(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
        const auto magnitude = parseDigits(text, 10, limit);
        if (!magnitude) {
            return std::nullopt;
        }
        value = *magnitude;
    }
    if (negative) {
        value = -value;
    }
    return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

Profile Profile::fromText(std::string_view bytes) {
    Profile profile;
    TextLines text = splitTextLines(bytes);
    profile.m_lines = std::move(text.lines);
    profile.m_byteOrderMark = text.byteOrderMark;
    profile.m_status = ReadStatus::Read;
    return profile;
}

Profile Profile::load(const std::string& path) {
    TextFileRead read = readTextLines(path);
    Profile profile;
    profile.m_lines = std::move(read.text.lines);
    profile.m_byteOrderMark = read.text.byteOrderMark;
    profile.m_status = read.status;
    profile.m_readError = std::move(read.error);
    return profile;
}

std::optional<std::string> Profile::readValue(std::string_view section,
                                              std::string_view key) const {
    const auto range = findSection(m_lines, section);
    if (!range) {
        return std::nullopt;
    }
    const auto index = findKeyLine(m_lines, *range, key);
    if (!index) {
        return std::nullopt;
    }
    return valuePrefix(unquotedValue(keyLineOf(m_lines[*index])->value), kMaxValueCharacters);
}

std::string Profile::readString(std::string_view section, std::string_view key,
                                const std::string& defaultValue) const {
    return readValue(section, key).value_or(defaultValue);
}

int Profile::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    const auto value = readValue(section, key);
    if (!value) {
        return defaultValue;
    }
    return parseProfileInteger(*value).value_or(defaultValue);
}

bool Profile::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    const auto value = readValue(section, key);
    if (!value) {
        return defaultValue;
    }
    const auto number = parseProfileInteger(*value);
    return number ? *number != 0 : defaultValue;
}

void Profile::writeString(std::string_view section, std::string_view key,
                          const std::string& value) {
    const std::string line = std::string(key) + "=" + storedValue(value);
    const auto range = findSection(m_lines, section);
    if (!range) {
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(line);
        return;
    }
    if (const auto index = findKeyLine(m_lines, *range, key)) {
        // A value that already reads as the new one keeps its line, spelling and encoding.
        const auto current = readValue(section, key);
        if (current && (*current == value || decodePath(*current) == decodePath(value))) {
            return;
        }
        m_lines[*index] = line;
        return;
    }
    // A new key follows the section's last line that is not blank, so blank lines that
    // separate it from the next section stay where they are.
    std::size_t insertAt = range->end;
    while (insertAt > range->begin && trimBlanks(m_lines[insertAt - 1]).empty()) {
        --insertAt;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
}

void Profile::writeInteger(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}

void Profile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

std::string Profile::text() const {
    return joinTextLines(TextLines{m_lines, m_byteOrderMark});
}

bool Profile::save(const std::string& path) const {
    if (unreadable()) {
        return false;
    }
    return writeBytesAtomic(path, text());
}

} // namespace platform
