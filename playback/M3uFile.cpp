#include "playback/M3uFile.h"

#include "platform/Encoding.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <optional>
#include <string_view>

namespace {

constexpr std::string_view kHeader = "#EXTM3U";
constexpr std::string_view kInfo = "#EXTINF:";

bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && isBlankOrControl(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlankOrControl(line.back()))
        line.remove_suffix(1);
    return line;
}

bool startsWithIgnoringCase(std::string_view line, std::string_view prefix) {
    return line.size() >= prefix.size() &&
           platform::equalsIgnoreAsciiCase(line.substr(0, prefix.size()), prefix);
}

// Whole seconds of an information line's time. Other players write "-1" for an unknown time
// and fractions of seconds ("215.5"); the fraction is cut off. Empty for anything else.
std::optional<int> parseSeconds(std::string_view text) {
    text = trimmed(text);
    const std::size_t dot = text.find('.');
    if (dot != std::string_view::npos) {
        const std::string_view fraction = text.substr(dot + 1);
        if (!std::all_of(fraction.begin(), fraction.end(),
                         [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        text = text.substr(0, dot);
    }
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size())
        return std::nullopt;
    if (error == std::errc::result_out_of_range || value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(std::max<long long>(value, INT_MIN));
}

std::string withSlashes(std::string_view path) {
    std::string result(path);
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

} // namespace

bool IsM3uHeaderLine(const std::string& line) {
    return startsWithIgnoringCase(trimmed(line), kHeader);
}

std::string M3uInfoLine(int seconds, const std::string& text) {
    return std::string(kInfo) + std::to_string(seconds) + "," + text;
}

M3uPlaylist ParseM3u(const platform::TextLines& text) {
    M3uPlaylist playlist;
    playlist.byteOrderMark = text.byteOrderMark;
    std::vector<std::string> pending;
    int pendingInfo = -1;
    int pendingSeconds = 0;
    std::string pendingTitle;
    for (const std::string& raw : text.lines) {
        const std::string_view line = trimmed(raw);
        if (line.empty())
            continue;
        if (line.front() == '#') {
            if (startsWithIgnoringCase(line, kHeader) && playlist.headerLine.empty() &&
                playlist.titles.empty()) {
                playlist.headerLine = raw;
                continue;
            }
            if (!startsWithIgnoringCase(line, kHeader) && startsWithIgnoringCase(line, kInfo)) {
                const std::string_view rest = line.substr(kInfo.size());
                const std::size_t comma = rest.find(',');
                const std::optional<int> seconds = parseSeconds(rest.substr(0, comma));
                if (!seconds)
                    playlist.badInfoLines.push_back(raw);
                pendingSeconds = seconds.value_or(0);
                pendingTitle = comma == std::string_view::npos
                                   ? std::string()
                                   : platform::decodeName(rest.substr(comma + 1));
                pendingInfo = static_cast<int>(pending.size());
            }
            pending.push_back(raw);
            continue;
        }
        M3uTitle title;
        title.pathLine = raw;
        title.path = withSlashes(line);
        title.leadingLines = std::move(pending);
        title.infoLine = pendingInfo;
        title.seconds = std::max(pendingSeconds, 0);
        title.title = std::move(pendingTitle);
        playlist.titles.push_back(std::move(title));
        pending.clear();
        pendingInfo = -1;
        pendingSeconds = 0;
        pendingTitle.clear();
    }
    playlist.trailingLines = std::move(pending);
    return playlist;
}
