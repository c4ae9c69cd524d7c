#include "library/TitleSearch.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/MenuModes.h"
#include "config/Config.h"
#include "input/Menubar.h"
#include "input/PressedKeyText.h"
#include "library/LibraryScan.h"
#include "library/PathFunctions.h"
#include "platform/Canvas.h"
#include "platform/Encoding.h"
#include "ui/Editfield.h"
#include "ui/Layout.h"
#include "ui/Screen.h"

#include <memory>

namespace {

const std::string kPrompt = "Suchbegriff... (mind. 3 Zeichen)";
constexpr std::size_t kMinimumSearchCharacters = 3;
constexpr platform::Color kSearchingColor = 255;

// The field's lower edge lies just below the top of the folder-name line.
constexpr int kFieldOverlap = 3;

// Characters the field never receives: they keep their command meaning (play, jukebox or
// playlist, leave the search).
constexpr char32_t kCommandCharacters[] = {U'\r', U'+', U'0'};

void requestRepaint() {
    Mainform().requestRepaint();
}

std::string_view trimmed(std::string_view text) {
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Splits off the text before the first blank; `rest` becomes the trimmed text after it.
// False (and nothing changed) when there is no blank.
bool splitAtBlank(std::string_view& rest, std::string& word) {
    const std::size_t blank = rest.find(' ');
    if (blank == std::string_view::npos)
        return false;
    word = std::string(rest.substr(0, blank));
    rest = trimmed(rest.substr(blank + 1));
    return true;
}

bool containsWord(std::string_view key, const std::string& word) {
    return !word.empty() && key.find(word) != std::string_view::npos;
}

void placeEditfield() {
    const int top = gFolderNameY - TEditfield::kHeight + kFieldOverlap;
    Editfield.setBounds({gTitlebarLeft, top, gTitlebarRight, top + TEditfield::kHeight});
}

// The field is repainted at once, so its colour shows while the search runs.
void showEditfieldColor(platform::Color color) {
    Editfield.setColor(color);
    RedrawOnScreen([](platform::Canvas& canvas) { Editfield.paint(canvas); });
}

} // namespace

TSearchWords SplitSearchWords(std::string_view upperText) {
    TSearchWords words;
    std::string_view rest = upperText;
    splitAtBlank(rest, words.Word1);
    words.Word2 = std::string(rest);
    if (splitAtBlank(rest, words.Word2))
        words.Word3 = std::string(rest);
    words.Rest = std::string(rest);
    return words;
}

bool IsSearchHit(std::string_view key, const TSearchWords& words) {
    if (!words.Word1.empty() && !words.Word2.empty() && !words.Word3.empty())
        return containsWord(key, words.Word1) && containsWord(key, words.Word2) &&
               containsWord(key, words.Word3);
    if (!words.Word1.empty() && !words.Word2.empty())
        return containsWord(key, words.Word1) && containsWord(key, words.Word2);
    return containsWord(key, words.Word1) || containsWord(key, words.Rest);
}

void SearchTitles(const std::string& upperText) {
    TElementList& results = ReplaceListElements();
    HightlightTitlebarIndex = 0;
    LogLine("Search for track containing \"" + upperText + "\"");
    const TSearchWords words = SplitSearchWords(upperText);
    showEditfieldColor(kSearchingColor);
    int count = 0;
    for (const TFoundEntry& title : gFoundMP3Titles) {
        if (!IsSearchHit(title.Key, words))
            continue;
        ++count;
        const std::string& path = title.Object.Text;
        auto element = std::make_shared<TListElement>(ListElementType::MP3, FolderOfPath(path),
                                                      NameOfPath(path), 0.0, count);
        // Thousands of hits are possible; their lines are only built when they are written.
        if (LoggingEnabled())
            LogLine("found title \"" + element->FileName() + "\"");
        results.add(std::to_string(count), std::move(element));
    }
    requestRepaint();
    showEditfieldColor(TEditfield::kDefaultColor);
    LogLine(std::to_string(count) + " titles found");
}

void ToggleTitleSearch() {
    Editfield.onKeyPress = EditfieldKeyPress;
    Editfield.onChange = EditfieldChange;
    if (gMenuMode != mmSearch) {
        ShowPressedKeyText("Suchmodus");
        SetMenuMode(mmSearch);
        PushListPosition(gListElementOffset + HightlightTitlebarIndex);
        ReplaceListElements();
        BuildMenubar();
        placeEditfield();
        // Setting the prompt is itself a change, so one search for its words runs here.
        Editfield.setText(kPrompt);
        Editfield.Show();
        Editfield.SetFocus();
        return;
    }
    ShowPressedKeyText("Suchmodus verlassen");
    // The search is entered only from lists below the music root; should the folder be
    // unknown, the root is shown rather than the working directory. Entering the folder ends
    // the search mode: the field goes and the saved position is dropped (TitleSearchModeChanged).
    const std::string folder =
        gCurrentDirectory.empty() ? gIniRootDirectoryMusic : gCurrentDirectory;
    callFunction_MusicFolder(folder);
    requestRepaint();
}

void TitleSearchModeChanged(std::uint8_t previous, std::uint8_t mode) {
    if (mode == mmSearch) {
        // Entering, or back from the screensaver, whose return keeps the results and the text.
        Editfield.Show();
        Editfield.SetFocus();
        return;
    }
    if (previous != mmSearch)
        return;
    Editfield.Hide();
    if (mode != mmCoverScreensaver)
        PopListPosition(); // the popped position is not used: the search starts a new list
}

bool EditfieldKeyPress(char32_t character) {
    LogLine("EditfieldKeyPress...");
    for (const char32_t command : kCommandCharacters) {
        if (character == command)
            return false;
    }
    return true;
}

void EditfieldChange() {
    if (gMenuMode != mmSearch)
        return;
    const std::string text = Editfield.Text();
    const std::string upper = platform::asciiUpper(text);
    if (platform::utf8Length(upper) < kMinimumSearchCharacters) {
        ReplaceListElements();
        HightlightTitlebarIndex = 0;
        requestRepaint();
        return;
    }
    if (text.ends_with('+')) {
        Editfield.setText(text.substr(0, text.size() - 1));
        return;
    }
    SearchTitles(upper);
}
