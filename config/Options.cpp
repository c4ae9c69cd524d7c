#include "config/Options.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/MenuModes.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "input/Menubar.h"
#include "input/PressedKeyText.h"
#include "library/CoverLookup.h"
#include "library/ElementList.h"
#include "platform/FileSystem.h"
#include "ui/TitlebarList.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// One choice of a choice row: its text and the value it stands for.
struct Choice {
    std::string text;
    int value = 0;
};

// One row of the options screen. A heading has only its caption. A choice row lists its
// choices (or, for the skins, makes them when the list is built), tells which value is in
// force and applies a chosen one; a yes/no row reads and writes its flag.
struct OptionRow {
    const char* key = "";
    std::uint8_t kind = kOptionKindNone;
    std::uint8_t group = 0;
    const char* caption = "";
    const char* description = "";
    std::vector<Choice> (*choices)() = nullptr;
    // The value in force; a value no choice stands for leaves choice 1 selected.
    int (*current)() = nullptr;
    // Puts the chosen value into force; false when it is refused (nothing changed).
    bool (*apply)(int value) = nullptr;
    bool* flag = nullptr;
};

constexpr const auto& kResolutions = kScreenResolutions;

template <std::size_t N>
std::vector<Choice> choicesOf(const std::pair<const char*, int> (&table)[N]) {
    std::vector<Choice> choices;
    for (const auto& [text, value] : table)
        choices.push_back({text, value});
    return choices;
}

std::vector<Choice> skinChoices() {
    std::vector<Choice> choices;
    for (std::size_t i = 0; i < gAvailableSkins.size(); ++i)
        choices.push_back({gAvailableSkins[i], static_cast<int>(i)});
    return choices;
}

int currentSkin() {
    for (std::size_t i = 0; i < gAvailableSkins.size(); ++i) {
        if (gAvailableSkins[i] == gIniSkinName)
            return static_cast<int>(i);
    }
    return -1;
}

// A skin that could not be shown would end the program; it is refused instead, and the skin
// in use stays.
bool applySkin(int index) {
    if (index < 0 || index >= static_cast<int>(gAvailableSkins.size()))
        return false;
    const std::string previous = gIniSkinName;
    gIniSkinName = gAvailableSkins[static_cast<std::size_t>(index)];
    for (const char* file : {"Background.jpg", "Config.ini"}) {
        const std::string path = SkinDirectory() + "/" + file;
        if (!platform::fileExists(path)) {
            LogError("Skin refused: " + path + " not found!");
            gIniSkinName = previous;
            return false;
        }
    }
    if (LoadSkin(true))
        return true;
    // A picture of the set is missing or damaged (the user has been told which): back to the
    // skin that was shown, whose pictures are still in place.
    LogError("Skin refused: Skins/" + gIniSkinName + " could not be loaded whole");
    gIniSkinName = previous;
    LoadSkin(true);
    return false;
}

std::vector<Choice> resolutionChoices() {
    std::vector<Choice> choices;
    for (std::size_t i = 0; i < std::size(kResolutions); ++i)
        choices.push_back(
            {std::to_string(kResolutions[i].width) + "x" + std::to_string(kResolutions[i].height),
             static_cast<int>(i)});
    return choices;
}

int currentResolution() {
    for (std::size_t i = 0; i < std::size(kResolutions); ++i) {
        if (kResolutions[i].width == gIniScreenWidth && kResolutions[i].height == gIniScreenHeight)
            return static_cast<int>(i);
    }
    return -1;
}

bool applyResolution(int index) {
    gIniScreenWidth = kResolutions[index].width;
    gIniScreenHeight = kResolutions[index].height;
    // The font sizes are scaled anew from the skin's values for the new width; the layout
    // follows before the next paint.
    ReadSkinDefinition();
    LoadSkin(false);
    Mainform().CoverImage.setVisible(false);
    DrawCover(gCurrentCoverFrontFileName);
    return true;
}

std::vector<Choice> titlebarChoices() {
    static const std::pair<const char*, int> kTable[] = {
        {"9", 9},   {"10", 10}, {"12", 12}, {"14", 14},
        {"16", 16}, {"18", 18}, {"20", 20}, {"22", 22},
    };
    return choicesOf(kTable);
}

bool applyTitlebars(int rows) {
    gIniNumberOfTitlebars = rows;
    LoadSkin(false);
    return true;
}

std::vector<Choice> clickChoices() {
    static const std::pair<const char*, int> kTable[] = {{"1", 1}, {"2", 2}};
    return choicesOf(kTable);
}

std::vector<Choice> languageChoices() {
    static const std::pair<const char*, int> kTable[] = {{"Deutsch", 0}, {"English", 1}};
    return choicesOf(kTable);
}

// The menubar shows the other captions at once, not only after the next change of mode.
bool applyLanguage(int language) {
    gIniCurrentLanguage = static_cast<std::int8_t>(language);
    BuildMenubar();
    return true;
}

std::vector<Choice> coverChoices() {
    static const std::pair<const char*, int> kTable[] = {{"2D", 2}, {"3D", 3}};
    return choicesOf(kTable);
}

std::vector<Choice> fadeOutChoices() {
    static const std::pair<const char*, int> kTable[] = {
        {"0 ms", 0},    {"200 ms", 20},   {"500 ms", 50}, {"750 ms", 75},
        {"1 sec", 100}, {"1.5 sec", 150}, {"2 sec", 200}, {"4 sec", 400},
    };
    return choicesOf(kTable);
}

std::vector<Choice> screensaverChoices() {
    static const std::pair<const char*, int> kTable[] = {
        {"Aus", 0}, {"10 sec", 10}, {"20 sec", 20}, {"40 sec", 40}, {"1 min", 60}, {"2 min", 120},
    };
    return choicesOf(kTable);
}

std::vector<Choice> diashowChoices() {
    static const std::pair<const char*, int> kTable[] = {
        {"2,5", 2500}, {"3", 3000}, {"3,5", 3500}, {"4", 4000},
        {"5", 5000},   {"7", 7000}, {"9", 9000},   {"12", 12000},
    };
    return choicesOf(kTable);
}

// The rows of the screen, in order. The language row joins the general options: it switches
// the menubar captions (and the voice) between German and English.
const std::vector<OptionRow>& optionRows() {
    static const std::vector<OptionRow> kRows = {
        {.key = "0", .caption = "Allgemeine Optionen"},
        {.key = "IniSkinName",
         .kind = kOptionKindChoice,
         .group = 0,
         .caption = "Skin",
         .description = "Name des Skins (Bestimmt die grafische Oberfläche von ZUVEN)",
         .choices = skinChoices,
         .current = currentSkin,
         .apply = applySkin},
        {.key = "IniScreenWidth",
         .kind = kOptionKindChoice,
         .group = 0,
         .caption = "Auflösung",
         .description = "Bildschirm-Auflösung von ZUVEN",
         .choices = resolutionChoices,
         .current = currentResolution,
         .apply = applyResolution},
        {.key = "IniNumberOfTitlebars",
         .kind = kOptionKindChoice,
         .group = 0,
         .caption = "Anzahl Titelzeilen",
         .description = "Anzahl Zeilen für die Titelanzeige",
         .choices = titlebarChoices,
         .current = [] { return gIniNumberOfTitlebars; },
         .apply = applyTitlebars},
        {.key = "MouseButtonClicksToStart",
         .kind = kOptionKindChoice,
         .group = 0,
         .caption = "Start von Titeln per Einfach- oder Doppelklick?",
         .description = "Titelstart per Einfachklick=1, per Doppelklick=2",
         .choices = clickChoices,
         .current = [] { return gIniMouseButtonClicksToStart; },
         .apply =
             [](int clicks) {
                 gIniMouseButtonClicksToStart = clicks;
                 return true;
             }},
        {.key = "IniCurrentLanguage",
         .kind = kOptionKindChoice,
         .group = 0,
         .caption = "Sprache",
         .description = "Sprache der Menüleiste und der Sprachausgabe",
         .choices = languageChoices,
         .current = [] { return static_cast<int>(gIniCurrentLanguage); },
         .apply = applyLanguage},
        {.key = "MUSIC", .caption = "Musik-Optionen"},
        {.key = "IniChangeCoverImage",
         .kind = kOptionKindYesNo,
         .group = 1,
         .caption = "Cover-Ansichten wechseln (Vollbild)",
         .description = "Vollbild-Cover-Ansichten alle paar Sekunden wechseln",
         .flag = &gIniChangeCoverImage},
        {.key = "ShowCover2D_or_3D",
         .kind = kOptionKindChoice,
         .group = 1,
         .caption = "Zeige CD-Cover in 2D oder 3D",
         .description = "Vollbildansicht in 2D oder 3D (DirectX)",
         .choices = coverChoices,
         .current = [] { return gIniShowCover2D_or_3D; },
         .apply =
             [](int dimensions) {
                 gIniShowCover2D_or_3D = dimensions;
                 return true;
             }},
        {.key = "ShowMP3TagInsteadOfFilename",
         .kind = kOptionKindYesNo,
         .group = 1,
         .caption = "Zeige MP3-Tag-Informationen statt Dateinamen",
         .description = "Zeige Interpret und Titel aus MP3-Tag-Info (IDV1.1) statt Dateinamen",
         .flag = &gIniShowMP3TagInsteadOfFilename},
        {.key = "SortTitlesByMP3InfoTrackNo",
         .kind = kOptionKindYesNo,
         .group = 1,
         .caption = "Sortiere Titel nach Titelnummer",
         .description = "Sortierung nach \"TrackNo\" aus MP3-ID3-Tag. MP3-Tag-Anzeige muss dafür "
                        "aktiviert sein!",
         .flag = &gIniSortTitlesByMP3InfoTrackNo},
        {.key = "IniFadeOutVolumeTime",
         .kind = kOptionKindChoice,
         .group = 1,
         .caption = "Musik-Fadeout Zeitdauer in ms",
         .description = "Wie lange die Musik vor dem nächsten Titel oder beim Stopp ausgeblendet "
                        "wird",
         .choices = fadeOutChoices,
         .current = [] { return gIniFadeOutVolumeTime; },
         .apply =
             [](int time) {
                 gIniFadeOutVolumeTime = time;
                 return true;
             }},
        {.key = "IniEnableZUVENScreensaver",
         .kind = kOptionKindChoice,
         .group = 1,
         .caption = "Covershow-Screensaver anzeigen",
         .description = "Anzeige der Covershow nach welcher Zeitspanne Inaktivität.",
         .choices = screensaverChoices,
         .current = [] { return gIniEnableZUVENScreensaver; },
         .apply =
             [](int seconds) {
                 gIniEnableZUVENScreensaver = seconds;
                 return true;
             }},
        {.key = "PHOTO", .caption = "Foto-Optionen"},
        {.key = "IniDiashowWaitInMS",
         .kind = kOptionKindChoice,
         .group = 2,
         .caption = "Diashow-Anzeigedauer",
         .description = "Anzeigedauer eines Fotos in Sekunden",
         .choices = diashowChoices,
         .current = [] { return gIniDiashowWaitInMS; },
         .apply =
             [](int ms) {
                 gIniDiashowWaitInMS = ms;
                 return true;
             }},
    };
    return kRows;
}

const OptionRow* rowOfKey(const std::string& key) {
    for (const OptionRow& row : optionRows()) {
        if (key == row.key)
            return &row;
    }
    return nullptr;
}

ListElementPtr makeElement(const OptionRow& row) {
    if (row.kind == kOptionKindNone)
        return std::make_shared<TListElement>(ListElementType::OptionGroup, "", row.caption, 0.0,
                                              0);
    auto element = std::make_shared<TListElement>(ListElementType::Option, "", "", 0.0, 0);
    if (row.kind == kOptionKindYesNo) {
        element->SetYesNoOption(row.group, row.key, row.caption, row.description);
        element->SetOptionValue(*row.flag ? 1 : 0);
        return element;
    }
    const std::vector<Choice> choices = row.choices();
    std::vector<std::string> texts;
    for (const Choice& choice : choices)
        texts.push_back(choice.text);
    element->SetChoiceOption(row.group, row.key, std::move(texts), static_cast<int>(choices.size()),
                             row.description, row.caption);
    const int inForce = row.current();
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].value == inForce) {
            element->SetOptionValue(static_cast<int>(i) + 1);
            break;
        }
    }
    return element;
}

void changeChoice(TListElement& element, const OptionRow& row, int step) {
    const int count = element.OptionChoiceCount();
    if (count <= 0)
        return;
    int value = element.OptionValue() + step;
    if (value > count)
        value = 1;
    if (value <= 0)
        value = count;
    const int previous = element.OptionValue();
    element.SetOptionValue(value);
    LogLine("new optionValue:" + element.choice(value));
    const std::vector<Choice> choices = row.choices();
    if (value > static_cast<int>(choices.size()) ||
        !row.apply(choices[static_cast<std::size_t>(value - 1)].value)) {
        element.SetOptionValue(previous);
        ShowPressedKeyText("Fehler!");
    }
}

} // namespace

void callFunction_Options() {
    LogLine("enter callFunction_Options()");
    if (gMenuMode == mmOptions) {
        ShowPressedKeyText("Speichere Optionen");
        WriteConfig();
        RestorePreviousMenuMode();
    } else {
        EnterPreviousModeSave();
        SetMenuMode(mmOptions);
        ShowPressedKeyText("Optionen");
        gListElementOffset = 0;
        HightlightTitlebarIndex = 0;
        BuildOptionsList();
        BuildMenubar();
    }
    Mainform().requestRepaint();
}

void BuildOptionsList() {
    LogLine("enter BuildOptionsList()");
    TElementList& list = ReplaceListElements();
    gListElementOffset = 0;
    for (const OptionRow& row : optionRows())
        list.add(row.key, makeElement(row));
}

void ChangeOption(int step) {
    const ListElementPtr element = CurrentListElement();
    if (!element)
        return;
    LogLine("OptionName: " + element->OptionKey());
    const OptionRow* row = rowOfKey(element->OptionKey());
    if (element->ElementType() != ListElementType::Option || row == nullptr) {
        // A heading, or a row of another list that the options screen does not own.
        if (element->ElementType() == ListElementType::OptionGroup)
            ShowPressedKeyText("???");
        return;
    }
    if (row->kind == kOptionKindYesNo) {
        element->SetOptionValue(element->OptionValue() != 0 ? 0 : 1);
        *row->flag = element->OptionValue() == 1;
        return;
    }
    changeChoice(*element, *row, step);
}
