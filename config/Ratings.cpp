#include "config/Ratings.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/Program.h"
#include "input/PressedKeyText.h"
#include "library/ListElement.h"
#include "platform/Encoding.h"
#include "platform/Profile.h"
#include "platform/TextFile.h"

#include <array>
#include <utility>

namespace {

const std::string kSeparator(41, '-');

// The rating cycle, one step per row; a value not listed stays as it is.
constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kRatingCycle{{
    {"-", ""},
    {"", "*"},
    {"*", "**"},
    {"**", "***"},
    {"***", "****"},
    {"****", "*****"},
    {"*****", "-"},
}};

// Upper-case letters of Windows-1252 outside Latin-1 and their lower-case partners.
constexpr std::array<std::pair<char32_t, char32_t>, 4> kExtraCaseFolds{{
    {0x0152, 0x0153}, // Œ œ
    {0x0160, 0x0161}, // Š š
    {0x017D, 0x017E}, // Ž ž
    {0x0178, 0x00FF}, // Ÿ ÿ
}};

// A byte that is not part of valid UTF-8 decodes to a value beyond Unicode, so that it never
// matches a real character.
constexpr char32_t kInvalidByteBase = 0x110000;

char32_t decodeNext(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return kInvalidByteBase + lead;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kInvalidByteBase + lead;
        }
        value = (value << 6) | (next & 0x3F);
    }
    pos += length;
    return value;
}

char32_t foldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    // À..Þ without the multiplication sign ×.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    for (const auto& [upper, lower] : kExtraCaseFolds) {
        if (c == upper)
            return lower;
    }
    return c;
}

// What start-up learnt about Ratings.dat itself. Main thread only; reset by ReadRatings and
// ResetRatings.
struct RatingsFileState {
    // The file was there but could not be read: it is never replaced during this run, since
    // its content is unknown.
    bool unreadable = false;
    bool byteOrderMark = false;
};
RatingsFileState gRatingsFile;

// The text without its last character: a whole UTF-8 sequence, or one Windows-1252 byte.
std::string withoutLastCharacter(std::string_view text) {
    if (text.empty())
        return {};
    if (!platform::isValidUtf8(text))
        return std::string(text.substr(0, text.size() - 1));
    std::size_t end = text.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end));
}

std::string ratingsPath() {
    return gProgramDirectory + "/Ratings.dat";
}

template <typename List> auto findFirst(List& ratings, std::string_view key) {
    decltype(ratings.data()) found = nullptr;
    for (auto& item : ratings) {
        if (SameRatingKey(item.Key, key)) {
            found = &item;
            break;
        }
    }
    return found;
}

} // namespace

TRatingList ParseRatings(const std::vector<std::string>& lines) {
    TRatingList ratings;
    for (const auto& line : lines) {
        if (line.empty() || line.front() == '#')
            continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            ratings.push_back({"", {withoutLastCharacter(line)}, line});
        else
            ratings.push_back({line.substr(0, equals), {line.substr(equals + 1)}, {}});
    }
    return ratings;
}

std::vector<std::string> FormatRatings(const TRatingList& ratings) {
    std::vector<std::string> lines{std::string(kRatingsHeader), ""};
    for (const auto& item : ratings) {
        if (!item.UnparsedLine.empty())
            lines.push_back(item.UnparsedLine);
        else if (item.Value.Text != "-")
            lines.push_back(item.Key + "=" + item.Value.Text);
    }
    return lines;
}

bool SameRatingKey(std::string_view rawA, std::string_view rawB) {
    if (rawA == rawB)
        return true;
    const std::string a = platform::decodePath(rawA);
    const std::string b = platform::decodePath(rawB);
    std::size_t posA = 0;
    std::size_t posB = 0;
    while (posA < a.size() && posB < b.size()) {
        if (foldCase(decodeNext(a, posA)) != foldCase(decodeNext(b, posB)))
            return false;
    }
    return posA == a.size() && posB == b.size();
}

TRatingItem* FindRating(TRatingList& ratings, std::string_view key) {
    return findFirst(ratings, key);
}

const TRatingItem* FindRating(const TRatingList& ratings, std::string_view key) {
    return findFirst(ratings, key);
}

std::string NextRatingValue(const std::string& value) {
    for (const auto& [from, to] : kRatingCycle) {
        if (value == from)
            return std::string(to);
    }
    return value;
}

std::string RatingKey(const TListElement& element) {
    return element.Dir() + element.Name();
}

void ResetRatings() {
    gRatings.clear();
    gRatingsFile = {};
}

void ReadRatings() {
    LogLine("Reading Ratings.dat...");
    LogLine(kSeparator);
    ResetRatings();
    const std::string path = ratingsPath();
    for (const auto& leftover : platform::removeLeftoverTemporaries(path))
        LogLine("Removed the leftover of an interrupted rewrite: " + leftover);
    auto read = platform::readTextLines(path);
    if (read.status == platform::ReadStatus::Missing) {
        LogError(path + " not found!");
        return;
    }
    if (read.status == platform::ReadStatus::Unreadable) {
        gRatingsFile.unreadable = true;
        LogError(path + " could not be read (" + read.error +
                 "); ratings of this run are not saved, the file stays as it is");
        return;
    }
    gRatingsFile.byteOrderMark = read.text.byteOrderMark;
    gRatings = ParseRatings(read.text.lines);
    LogLine(kSeparator);
}

void WriteRatings() {
    LogLine("Writing Ratings.dat...");
    LogLine(kSeparator);
    const std::string path = ratingsPath();
    if (gRatingsFile.unreadable) {
        LogError(path + " was not written: it could not be read at start-up");
        LogLine(kSeparator);
        return;
    }
    // The old file stays whole when the new one cannot be written; the user learns of it in
    // the log rather than not at all.
    if (!platform::writeTextLinesAtomic(
            path, platform::TextLines{FormatRatings(gRatings), gRatingsFile.byteOrderMark}))
        LogError(path + " could not be written!");
    LogLine(kSeparator);
}

void ChangeRating(const TListElement& element) {
    if (element.FullPath() == ".." || gMenuMode != mmMusic)
        return;
    ShowPressedKeyText("Bewertung ändern");
    const std::string key = RatingKey(element);
    if (auto* item = FindRating(gRatings, key))
        item->Value.Text = NextRatingValue(item->Value.Text);
    else
        gRatings.push_back({key, {"*"}, {}});
}

std::string LookupRating(const TListElement& element) {
    const auto* item = FindRating(gRatings, RatingKey(element));
    return item != nullptr ? item->Value.Text : "-";
}

std::string ReadDiashowTitle(const std::string& folder, const std::string& photoName) {
    std::string title;
    LogLine("Reading Diashow.dat...");
    LogLine(kSeparator);
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += "Diashow.dat";
    const auto profile = platform::Profile::load(path);
    if (!profile.exists()) {
        LogError(path + " not found!");
        return title;
    }
    title = profile.readString("Diashow", photoName, "");
    LogLine("result_title=" + title);
    LogLine(kSeparator);
    return title;
}
