#include "ui/InfoScroller.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "config/Config.h"
#include "input/PressedKeyText.h"
#include "library/LibraryScan.h"
#include "library/ListElement.h"
#include "platform/Encoding.h"
#include "platform/StartValues.h"
#include "playback/Jukebox.h"
#include "ui/StatusLine.h"

#include <optional>

namespace {

const platform::StartValues kStartValues(gInfoScrollerText, gInfoScrollerPos, gSecondsUntilNextInfo,
                                         gInfoTextKind);

// Blanks first, so that the text runs in from the right part of the window.
constexpr const char* kInfoPrefix = "        ...";
constexpr const char* kNoMoreTitles = "Keine weiteren Titel in der Playlist!";

// Names and tags may be Windows-1252 bytes; the running text is UTF-8 throughout.
std::string asText(const std::string& bytes) {
    return platform::decodeName(bytes);
}

std::string nextTitleText(const TListElement& next) {
    if (gIniShowMP3TagInsteadOfFilename && !next.Title().empty())
        return "Nächster Titel: " + asText(next.Artist()) + " - " + asText(next.Title());
    return "Nächster Titel: " + asText(next.Name());
}

std::string titlesLeftText(int left) {
    if (left == 1)
        return "Es befindet sich noch 1 weiterer Titel in der Playlist";
    return "Es befinden sich noch " + std::to_string(left) + " weitere Titel in der Playlist";
}

std::string playingTimeLeftText() {
    int seconds = 0;
    for (int i = gActualTitleIndex + 1; i < gActualTitleList.count(); ++i)
        if (const ListElementPtr element = gActualTitleList.element(i))
            seconds += element->LengthSeconds();
    const int secondsOfMinute = seconds % 60;
    // Long queues stay in minutes: 61:00, not 1:01:00.
    return "Restliche Spielzeit der Playlist: " + std::to_string(seconds / 60) + ":" +
           (secondsOfMinute < 10 ? "0" : "") + std::to_string(secondsOfMinute);
}

// The text about the play queue of the given kind; none while the queue is empty.
std::optional<std::string> queueText(int kind) {
    if (gActualTitleList.empty())
        return std::nullopt;
    const int left = gActualTitleList.count() - gActualTitleIndex - 1;
    if (left <= 0)
        return kNoMoreTitles;
    switch (kind) {
    case 0:
        if (const ListElementPtr next = gActualTitleList.element(gActualTitleIndex + 1))
            return nextTitleText(*next);
        return std::nullopt;
    case 1:
        return titlesLeftText(left);
    default:
        return playingTimeLeftText();
    }
}

} // namespace

void callFunction_Info(const TListElement& element) {
    ShowPressedKeyText("Info");
    LogLine("select title " + element.Describe() + ".");
    gInfoScrollerText = element.InfoText();
    // The scroller's timer steps to the first character at its next tick.
    gInfoScrollerPos = 0;
}

void ResetInfoScroller() {
    kStartValues.restore();
}

void StartInfoScrollerCountdown() {
    gSecondsUntilNextInfo = gIniSecondsUntilNextInfoScroller;
    gInfoTextKind = 2;
}

void CountDownToNextInfoText() {
    if (gSecondsUntilNextInfo > 0)
        --gSecondsUntilNextInfo;
    if (gSecondsUntilNextInfo == 0)
        ChooseInfoText();
}

void ChooseInfoText(int r) {
    gSecondsUntilNextInfo = gIniSecondsUntilNextInfoScroller;
    const std::string prefix = kInfoPrefix;
    if (r == 3 || r == 4) {
        gInfoScrollerText = prefix + "Insgesamt befinden sich " +
                            std::to_string(gFoundMP3Titles.size()) +
                            " Musiktitel in der Bibliothek";
    } else if (r == 5) {
        gInfoScrollerText = prefix + "Insgesamt befinden sich " +
                            std::to_string(gFoundPlaylists.size()) + " Playlists in der Bibliothek";
    } else {
        if (const std::optional<std::string> text = queueText(gInfoTextKind))
            gInfoScrollerText = prefix + *text;
        gInfoTextKind = gInfoTextKind >= 2 ? 0 : gInfoTextKind + 1;
    }
    gInfoScrollerPos = 0;
}

void ChooseInfoText() {
    ChooseInfoText(Random(12));
}

void Timer_InfoScrollerTimer() {
    if (gInfoScrollerText.empty())
        return;
    ++gInfoScrollerPos;
    // Positions count characters, and the texts hold umlauts.
    if (static_cast<std::size_t>(gInfoScrollerPos) > platform::utf8Length(gInfoScrollerText))
        gInfoScrollerText.clear();
    DrawStatusText();
}
