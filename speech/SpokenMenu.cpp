#include "speech/SpokenMenu.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "config/Config.h"
#include "platform/Encoding.h"
#include "speech/SpeechVoice.h"

#include <string_view>

namespace {

// Every call first cuts off what is still being spoken; the texts are markup.
constexpr int kSpeakAndReturn = kSpeakAsync | kSpeakPurgeBeforeSpeak | kSpeakIsMarkup;
constexpr int kSpeakAndWait = kSpeakPurgeBeforeSpeak | kSpeakIsMarkup;

struct MenuPhrase {
    std::uint8_t mode;
    const char* phrase;
};

// Spelled for an English voice to say the German menu names.
constexpr MenuPhrase kMenuPhrases[] = {
    {mmMain, "main menu"},         {mmPhoto, "photoa hhmenu"}, {mmVideo, "veedeo hhmenu"},
    {mmOptions, "options hhmenu"}, {mmJukebox, "jukebox"},     {mmSearch, "search"},
};

// Names and tags are plain text, but the voice reads markup: a "&" or "<" in a name would
// otherwise be taken for markup and the name be skipped or cut.
std::string markupText(std::string_view text) {
    std::string escaped;
    for (const char ch : text) {
        switch (ch) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        default:
            escaped += ch;
        }
    }
    return escaped;
}

struct TitlePhrases {
    std::string track; // said first, and waited for; empty only cuts off what is being said
    std::string title;
};

// The title without its artist, and its track announcement. `position` is the element's place
// in the list, ".." counting as 0.
TitlePhrases titlePhrases(const TListElement& element, int position) {
    if (gIniShowMP3TagInsteadOfFilename && !element.Title().empty()) {
        return {element.TrackNo() > 0 ? "Track " + std::to_string(element.TrackNo()) : "",
                platform::decodeName(element.Title())};
    }
    const std::string name = platform::decodeName(element.Name());
    const std::string delimiter = platform::decodeName(gIniDelimiterBetweenInterpretAndTitle);
    const std::size_t at = delimiter.empty() ? std::string::npos : name.find(delimiter);
    if (at == std::string::npos)
        return {"", name};
    return {"Track " + std::to_string(position), name.substr(at + delimiter.size())};
}

void speakHighlightedElement(SpeechVoice& voice) {
    const ListElementPtr element = CurrentListElement();
    if (!element)
        return;
    if (element->Name() == "..") {
        voice.Speak("beck", kSpeakAndReturn);
        return;
    }
    if (element->ElementType() == ListElementType::MP3Dir) {
        // The second call cuts the first off and the third says the name again: it is heard
        // once, from its start.
        const std::string name = markupText(platform::decodeName(element->Name()));
        voice.Speak(name, kSpeakAndReturn);
        voice.Speak("", kSpeakAndWait);
        voice.Speak(name, kSpeakAndReturn);
        return;
    }
    const TitlePhrases phrases =
        titlePhrases(*element, gListElementOffset + HightlightTitlebarIndex);
    voice.Speak(markupText(phrases.track), kSpeakAndWait);
    voice.Speak(markupText(phrases.title), kSpeakAndReturn);
}

} // namespace

void SpeakCurrentMenu() {
    LogLine("enter SpeakCurrentMenu()");
    if (!gSpeechVoice)
        return;
    if (gMenuMode == mmMusic) {
        speakHighlightedElement(*gSpeechVoice);
        return;
    }
    for (const MenuPhrase& row : kMenuPhrases) {
        if (row.mode == gMenuMode) {
            gSpeechVoice->Speak(row.phrase, kSpeakAndReturn);
            return;
        }
    }
}
