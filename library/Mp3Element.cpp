#include "library/Mp3Element.h"

#include "library/AudioInfo.h"
#include "library/ListElement.h"

#include <array>
#include <limits>

std::mutex gAudioInfoMutex;

namespace {

constexpr const char* kSeparator = "  -  ";

struct InfoLabel {
    const char* label;
    std::string TID3v1Tag::*member;
};
// The tag fields of the info text, in the order they are shown.
constexpr std::array<InfoLabel, 4> kInfoLabels = {{
    {"Interpret: ", &TID3v1Tag::Artist},
    {"Titel: ", &TID3v1Tag::Title},
    {"Album: ", &TID3v1Tag::Album},
    {"Jahr: ", &TID3v1Tag::Year},
}};

std::string infoTextOf(const std::string& fullPath, const TAudioInfo& info) {
    std::string text = "Datei: " + fullPath + kSeparator +
                       "Bitrate: " + std::to_string(info.Header.Bitrate) + " kb/s";
    for (const auto& entry : kInfoLabels) {
        const std::string& value = info.Tag.*entry.member;
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

} // namespace

std::string FormatLength(std::int64_t durationMs) {
    if (durationMs < 0)
        return "???";
    const std::int64_t seconds = durationMs / 1000;
    const std::int64_t minutes = seconds / 60;
    const std::int64_t rest = seconds % 60;
    return std::to_string(minutes) + (rest >= 10 ? ":" : ":0") + std::to_string(rest);
}

Mp3ElementInfo ReadMp3ElementInfo(const std::string& fullPath) {
    TAudioInfo audio;
    {
        const std::lock_guard lock(gAudioInfoMutex);
        if (!audio.ReadFile(fullPath))
            return {};
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
        info.trackNo = audio.Tag.TrackNo;
    }
    info.infoText = infoTextOf(fullPath, audio);
    return info;
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
