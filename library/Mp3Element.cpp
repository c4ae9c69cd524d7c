#include "library/Mp3Element.h"

#include "library/AudioInfo.h"
#include "library/ListElement.h"
#include "library/MusicFormats.h"
#include "platform/AudioTags.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

std::mutex gAudioInfoMutex;

namespace {

constexpr const char* kSeparator = "  -  ";

struct InfoLabel {
    const char* label;
    std::string Mp3ElementInfo::*member;
};
// The tag fields of the info text, in the order they are shown.
constexpr std::array<InfoLabel, 4> kInfoLabels = {{
    {"Interpret: ", &Mp3ElementInfo::artist},
    {"Titel: ", &Mp3ElementInfo::title},
    {"Album: ", &Mp3ElementInfo::album},
    {"Jahr: ", &Mp3ElementInfo::year},
}};

// The bit rate is known for MP3 files only; the other formats show none.
std::string infoTextOf(const std::string& fullPath, const Mp3ElementInfo& info,
                       std::optional<int> bitrate) {
    std::string text = "Datei: " + fullPath;
    if (bitrate)
        text += kSeparator + std::string("Bitrate: ") + std::to_string(*bitrate) + " kb/s";
    for (const auto& entry : kInfoLabels) {
        const std::string& value = info.*entry.member;
        if (!value.empty())
            text += kSeparator + std::string(entry.label) + value;
    }
    return text;
}

int clampToInt(std::int64_t value) {
    constexpr std::int64_t low = std::numeric_limits<int>::min();
    constexpr std::int64_t high = std::numeric_limits<int>::max();
    return static_cast<int>(value < low ? low : (value > high ? high : value));
}

std::size_t characterCount(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// Whether the file is one of the titles read through the tag reader rather than as MP3. A
// name that fits no mask (a playlist may name any file) is read as MP3, as it always was.
bool isTagReaderFormat(const std::string& fullPath) {
    const std::string name = fullPath.substr(fullPath.rfind('/') + 1);
    return IsMusicTitleFile(name) && !platform::matchesMask(name, std::string(kMusicTitleMasks[0]));
}

// Whether the ID3v2 tag could add anything to the ID3v1 tag: a field the ID3v1 tag leaves
// empty, or a title that may have been cut at the 30 characters ID3v1 holds. Only then are
// the tag's bytes read, so a library of ID3v1 titles costs what it always did.
bool id3v2CanAdd(const TAudioInfo& audio) {
    if (audio.ID3v2Size == 0)
        return false;
    const TID3v1Tag& tag = audio.Tag;
    return !tag.Present || tag.Title.empty() || tag.Artist.empty() || tag.Album.empty() ||
           tag.Year.empty() || tag.TrackNo == 0 || tag.GenreName.empty() ||
           characterCount(tag.Title) == kID3v1TitleLength;
}

void fillEmpty(std::string& field, const std::string& value) {
    if (field.empty())
        field = value;
}

// The ID3v1 values stay; the ID3v2 tag fills what they leave empty and completes a title that
// ID3v1 cut short.
void mergeId3v2(Mp3ElementInfo& info, const platform::AudioTags& v2) {
    if (characterCount(info.title) == kID3v1TitleLength && v2.title.size() > info.title.size() &&
        v2.title.starts_with(info.title))
        info.title = v2.title;
    fillEmpty(info.title, v2.title);
    fillEmpty(info.artist, v2.artist);
    fillEmpty(info.album, v2.album);
    fillEmpty(info.genre, v2.genre);
    if (v2.year > 0)
        fillEmpty(info.year, std::to_string(v2.year));
    if (info.trackNo == 0)
        info.trackNo = v2.track;
}

Mp3ElementInfo readMp3File(const std::string& fullPath) {
    TAudioInfo audio;
    platform::AudioTags v2;
    {
        const std::lock_guard lock(gAudioInfoMutex);
        if (!audio.ReadFile(fullPath, id3v2CanAdd))
            return {};
        if (!audio.ID3v2Tag.empty())
            v2 = platform::readId3v2Tag(audio.ID3v2Tag);
    }
    Mp3ElementInfo info;
    info.readable = true;
    info.length = FormatLength(audio.DurationMs);
    // The minutes and seconds of the length text taken together; negative for a broken header.
    info.lengthSeconds = clampToInt(audio.DurationMs / 1000);
    if (audio.Tag.Present) {
        info.artist = audio.Tag.Artist;
        info.title = audio.Tag.Title;
        info.album = audio.Tag.Album;
        info.comment = audio.Tag.Comment;
        info.year = audio.Tag.Year;
        info.genre = audio.Tag.GenreName;
        info.trackNo = audio.Tag.TrackNo;
    }
    if (v2.valid)
        mergeId3v2(info, v2);
    info.infoText = infoTextOf(fullPath, info, audio.Header.Bitrate);
    return info;
}

Mp3ElementInfo readTagReaderFile(const std::string& fullPath) {
    platform::AudioTags tags;
    {
        const std::lock_guard lock(gAudioInfoMutex);
        if (!platform::fileExists(fullPath))
            return {};
        tags = platform::readAudioTags(fullPath);
    }
    // A file the tag reader cannot make sense of still lists under its name, its length
    // unknown.
    Mp3ElementInfo info;
    info.readable = true;
    info.length = FormatLength(tags.lengthMs);
    info.lengthSeconds = tags.lengthMs < 0 ? 0 : clampToInt(tags.lengthMs / 1000);
    info.artist = tags.artist;
    info.title = tags.title;
    info.album = tags.album;
    info.genre = tags.genre;
    info.year = tags.year > 0 ? std::to_string(tags.year) : std::string();
    info.trackNo = tags.track;
    info.infoText = infoTextOf(fullPath, info, std::nullopt);
    return info;
}

} // namespace

std::string FormatLength(std::int64_t durationMs) {
    if (durationMs < 0)
        return "???";
    const std::int64_t seconds = durationMs / 1000;
    const std::int64_t minutes = seconds / 60;
    const std::int64_t rest = seconds % 60;
    return std::to_string(minutes) + (rest >= 10 ? ":" : ":0") + std::to_string(rest);
}

bool IsMusicTitleFile(const std::string& name) {
    return std::any_of(
        kMusicTitleMasks.begin(), kMusicTitleMasks.end(),
        [&name](std::string_view mask) { return platform::matchesMask(name, std::string(mask)); });
}

Mp3ElementInfo ReadMp3ElementInfo(const std::string& fullPath) {
    return isTagReaderFormat(fullPath) ? readTagReaderFile(fullPath) : readMp3File(fullPath);
}

void ApplyMp3ElementInfo(TListElement& element, const Mp3ElementInfo& info) {
    element.SetLength(info.length);
    element.SetLengthSeconds(info.lengthSeconds);
    element.SetArtist(info.artist);
    element.SetTitle(info.title);
    element.SetTrackNo(info.trackNo);
    element.SetComment(info.comment);
    element.SetInfoText(info.infoText);
}

void FillMP3Element(TListElement& element) {
    ApplyMp3ElementInfo(element, ReadMp3ElementInfo(element.FullPath()));
}
