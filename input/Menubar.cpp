#include "input/Menubar.h"

#include "app/AppState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "platform/Encoding.h"
#include "platform/StartValues.h"
#include "playback/Playlists.h"

#include <algorithm>
#include <utility>

namespace {

const platform::StartValues kStartValues(gMenubarItems, gNumberOfMenuItems);

} // namespace

TMenuItem::TMenuItem(std::array<std::string, 5> captions, std::string command, char keyChar,
                     std::uint16_t key1, std::uint16_t key2)
    : Captions(std::move(captions)), Command(std::move(command)), KeyChar(keyChar), Key1(key1),
      Key2(key2) {}

const std::string& TMenuItem::caption(int language) const {
    static const std::string none;
    if (language < 0 || language >= static_cast<int>(Captions.size()))
        return none;
    return Captions[static_cast<std::size_t>(language)];
}

std::string TMenuItem::KeyCharText() const {
    return KeyChar == 0 ? std::string() : std::string(1, KeyChar);
}

namespace {

// Which state of the program a button depends on; the state is read when the set is built.
enum class When : std::uint8_t {
    Always,
    Editing,         // a playlist is being edited
    NotEditing,      // no playlist is being edited
    Cover2D,         // the flat fullscreen cover is configured
    Cover3D,         // anything else: the 3D cover show
    JukeboxInactive, // the queue is not played as a jukebox
};

struct ButtonRow {
    std::uint8_t mode;
    When when;
    const char* german;
    const char* english;
    const char* command;
    char keyChar;
    std::uint16_t key1;
    std::uint16_t key2;
};

// Every set of every mode, in creation order: the first row of a mode becomes button 0, which
// is drawn in the bottom slot. Rows whose condition does not hold are left out. The order
// matters to the keyboard as well, which takes the first button that matches a key.
// clang-format off
constexpr ButtonRow kButtons[] = {
    {mmMain, When::Always, "Beenden", "Exit", "EXIT", 'X', 88, 88},
    {mmMain, When::Always, "Optionen", "Options", "OPTIONS", 'O', 79, 182},
    {mmMain, When::Always, "Auswählen", "Play", "PLAY", '0', 13, 139},

    {mmMusic, When::Always, "Beenden", "Exit", "EXIT", 'X', 88, 88},
    {mmMusic, When::Always, "Optionen", "Options", "OPTIONS", 'O', 79, 182},
    {mmMusic, When::Always, "Zurück", "Back", "BACK", '0', 48, 8},
    {mmMusic, When::Editing, "In Playlist", "In Playlist", "INTOPLAYLIST", '+', 187, 0},
    {mmMusic, When::NotEditing, "In Jukebox", "In Jukebox", "JUKEBOX", '+', 187, 0},
    {mmMusic, When::Always, "Abspielen", "Play", "PLAY", '0', 13, 179},
    {mmMusic, When::Always, "Shuffle", "Shuffle", "SHUFFLE", 'H', 72, 171},
    {mmMusic, When::Always, "Info", "Info", "INFO", '0', 32, 32},
    {mmMusic, When::Always, "Suchen", "Search", "FINDTITLE", 'S', 83, 0},
    {mmMusic, When::Always, "Nächster Titel", "Next", "NEXT", 'N', 78, 176},
    {mmMusic, When::Cover2D, "Cover zeigen", "Cover 2D-View", "COVERFULLSCREEN", 'C', 67, 0},
    {mmMusic, When::Cover3D, "Cover 3D", "Cover 3D-View", "3DCOVERSHOW", 'C', 67, 0},
    {mmMusic, When::Always, "Bewertung", "Rating", "RATING", '*', 187, 0},

    {mmPhoto, When::Always, "Beenden", "Exit", "EXIT", 'X', 88, 88},
    {mmPhoto, When::Always, "Optionen", "Options", "OPTIONS", 'O', 79, 182},
    {mmPhoto, When::Always, "Zurück", "Back", "BACK", '0', 48, 8},
    {mmPhoto, When::Always, "Abspielen", "Play", "PLAY", '0', 13, 179},
    {mmPhoto, When::Always, "Info", "Info", "INFO", '0', 32, 32},
    {mmPhoto, When::Always, "Diashow", "Diashow", "DIASHOW", 'D', 68, 181},

    {mmVideo, When::Always, "Beenden", "Exit", "EXIT", 'X', 88, 88},
    {mmVideo, When::Always, "Optionen", "Options", "OPTIONS", 'O', 79, 182},
    {mmVideo, When::Always, "Zurück", "Back", "BACK", '0', 48, 8},
    {mmVideo, When::Always, "Abspielen", "Play", "PLAY", '0', 13, 179},
    {mmVideo, When::Always, "Info", "Info", "INFO", '0', 32, 32},
    {mmVideo, When::Always, "Vollbild", "Fullscreen", "FULLSCREEN_TOGGLE", 'V', 86, 0},

    {mmOptions, When::Always, "Zurück", "Back", "OPTIONS", 'O', 79, 48},

    {mmPlaylists, When::Always, "Beenden", "Exit", "EXIT", 'X', 88, 88},
    {mmPlaylists, When::Always, "Optionen", "Options", "OPTIONS", 'O', 79, 182},
    {mmPlaylists, When::Always, "Zurück", "Back", "BACK", '0', 48, 8},
    {mmPlaylists, When::Always, "Abspielen", "Play", "PLAY", '0', 13, 179},
    {mmPlaylists, When::Always, "Suchen", "Search", "FINDTITLE", 'S', 83, 0},
    {mmPlaylists, When::Always, "Nächster Titel", "Next", "NEXT", 'N', 78, 176},
    {mmPlaylists, When::Editing, "Playlist abschließen", "Confirm Playlist", "PLAYLIST_NEW", 'P', 80, 0},
    {mmPlaylists, When::NotEditing, "Playlist umbenennen", "Rename Playlist", "PLAYLIST_RENAME", 'U', 85, 0},
    {mmPlaylists, When::NotEditing, "Lösche Playlist", "Delete Playlist", "PLAYLIST_DELETE", 'L', 76, 0},
    {mmPlaylists, When::NotEditing, "Erstelle Playlist", "Create Playlist", "PLAYLIST_NEW", 'E', 69, 0},
    {mmPlaylists, When::NotEditing, "Erweitere Playlist", "Append Playlist", "PLAYLIST_OPEN", 'P', 80, 0},

    {mmPlaylist, When::Always, "Beenden", "Exit", "EXIT", 'X', 88, 88},
    {mmPlaylist, When::Always, "Optionen", "Options", "OPTIONS", 'O', 79, 182},
    {mmPlaylist, When::Always, "Zurück", "Back", "BACK", '0', 48, 8},
    {mmPlaylist, When::Always, "Abspielen", "Play", "PLAY", '0', 13, 179},
    {mmPlaylist, When::Always, "Shuffle", "Shuffle", "SHUFFLE", 'H', 72, 171},
    {mmPlaylist, When::Always, "Löschen", "Delete", "DELETEFROMPLAYLIST", 'L', 76, 0},
    {mmPlaylist, When::Always, "Playlist runter", "Playlist down", "PLAYLIST_DOWN", '-', 189, 0},
    {mmPlaylist, When::Always, "Playlist hoch", "Playlist up", "PLAYLIST_UP", '+', 187, 0},
    {mmPlaylist, When::Always, "Nächster Titel", "Next", "NEXT", 'N', 78, 176},

    {mmProgramLinks, When::Always, "Beenden", "Exit", "EXIT", 'X', 88, 88},
    {mmProgramLinks, When::Always, "Optionen", "Options", "OPTIONS", 'O', 79, 182},
    {mmProgramLinks, When::Always, "Zurück", "Back", "BACK", '0', 48, 8},
    {mmProgramLinks, When::Always, "Starten", "Start", "STARTPROGRAM", '0', 13, 179},

    {mmJukebox, When::Always, "Beenden", "Exit", "EXIT", 'X', 88, 88},
    {mmJukebox, When::Always, "Optionen", "Options", "OPTIONS", 'O', 79, 182},
    {mmJukebox, When::Always, "Zurück", "Back", "BACK", '0', 48, 8},
    {mmJukebox, When::Always, "Löschen", "Delete", "DELETEFROMJUKEBOX", 'L', 76, 0},
    {mmJukebox, When::Always, "Jukebox runter", "Jukebox down", "JUKEBOX_DOWN", '-', 189, 0},
    {mmJukebox, When::Always, "Jukebox hoch", "Jukebox up", "JUKEBOX_UP", '+', 187, 0},
    {mmJukebox, When::Always, "Info", "Info", "INFO", '0', 32, 32},
    {mmJukebox, When::Always, "Suchen", "Search", "FINDTITLE", 'S', 83, 0},
    {mmJukebox, When::Always, "Nächster Titel", "Next", "NEXT", 'N', 78, 176},

    // "Zurück" issues FINDTITLE here: it is the search command that leaves the search.
    {mmSearch, When::Always, "Zurück", "Back", "FINDTITLE", '0', 48, 182},
    {mmSearch, When::Editing, "In Playlist", "In Playlist", "INTOPLAYLIST", '+', 187, 0},
    {mmSearch, When::NotEditing, "In Jukebox", "In Jukebox", "JUKEBOX", '+', 187, 0},
    {mmSearch, When::JukeboxInactive, "Abspielen", "Play", "PLAY", '0', 13, 179},
};
// clang-format on

bool conditionHolds(When when) {
    switch (when) {
    case When::Always:
        return true;
    case When::Editing:
        return gPlaylistEditing;
    case When::NotEditing:
        return !gPlaylistEditing;
    case When::Cover2D:
        return gIniShowCover2D_or_3D == 2;
    case When::Cover3D:
        return gIniShowCover2D_or_3D != 2;
    case When::JukeboxInactive:
        return gPlayMode != kPlayModeJukebox;
    }
    return false;
}

// A key picture row: Key1, the KeyChar it requires (0 for any), the picture's name and where the
// skin keeps it. Letters and digits are ranges and are looked up separately.
struct KeyPictureRow {
    std::uint16_t key1;
    char keyChar;
    const char* name;
    platform::Picture TSkinPictures::*picture;
};

constexpr KeyPictureRow kKeyPictures[] = {
    {13, 0, "key_return", &TSkinPictures::KeyReturn},
    {32, 0, "key_space", &TSkinPictures::KeySpace},
    {39, 0, "key_right", &TSkinPictures::KeyRight},
    {187, '+', "key_+", &TSkinPictures::KeyPlus},
    {187, '*', "key_star", &TSkinPictures::KeyStar},
    {189, 0, "key_-", &TSkinPictures::KeyMinus},
    {38, 0, "key_Up", &TSkinPictures::KeyUp},
    {40, 0, "key_Down", &TSkinPictures::KeyDown},
    {45, 0, "key_-", &TSkinPictures::KeyMinus},
    {43, 0, "key_+", &TSkinPictures::KeyPlus},
};

struct KeyPictureChoice {
    std::string name;
    const platform::Picture* picture = nullptr;
};

KeyPictureChoice chooseKeyPicture(const TMenuItem& item) {
    const std::uint16_t code = item.Key1;
    if (code >= 'A' && code <= 'Z')
        return {"key_" + std::string(1, static_cast<char>(code)), &gSkin.KeyLetters[code - 'A']};
    if (code >= '0' && code <= '9')
        return {"key_" + std::string(1, static_cast<char>(code)), &gSkin.KeyDigits[code - '0']};
    for (const KeyPictureRow& row : kKeyPictures) {
        if (row.key1 == code && (row.keyChar == 0 || row.keyChar == item.KeyChar))
            return {row.name, &(gSkin.*row.picture)};
    }
    return {};
}

constexpr std::pair<std::uint16_t, const char*> kKeyTexts[] = {
    {13, "[Ret]"}, {32, "[Leer]"}, {39, "[->]"},   {187, "[+]"},
    {189, "[-]"},  {38, "[Up]"},   {40, "[Down]"},
};

// The character with the given code: the Windows-1252 character below 256, the Unicode code
// point above (never a lone surrogate, which has no UTF-8 form).
std::string characterOfCode(std::uint16_t code) {
    if (code < 256)
        return platform::cp1252ToUtf8(std::string(1, static_cast<char>(code)));
    if (code >= 0xD800 && code <= 0xDFFF)
        return "?";
    std::string text;
    if (code < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (code >> 6)));
    } else {
        text.push_back(static_cast<char>(0xE0 | (code >> 12)));
        text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    }
    text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    return text;
}

} // namespace

void BuildMenubar() {
    bool modeHasSet = false;
    for (const ButtonRow& row : kButtons)
        modeHasSet = modeHasSet || row.mode == gMenuMode;
    if (!modeHasSet)
        return;

    int count = 0;
    for (const ButtonRow& row : kButtons) {
        if (row.mode != gMenuMode || !conditionHolds(row.when) || count >= kMenubarItemCapacity)
            continue;
        gMenubarItems[static_cast<std::size_t>(count)] = TMenuItem(
            {row.german, row.english, "", "", ""}, row.command, row.keyChar, row.key1, row.key2);
        ++count;
    }
    gNumberOfMenuItems = count;
}

std::string KeyPictureName(const TMenuItem& item) {
    return chooseKeyPicture(item).name;
}

const platform::Picture* KeyPicture(const TMenuItem& item) {
    const platform::Picture* picture = chooseKeyPicture(item).picture;
    return picture && !picture->empty() ? picture : nullptr;
}

std::string KeyLabelText(const TMenuItem& item) {
    for (const auto& [code, text] : kKeyTexts) {
        if (code == item.Key1)
            return text;
    }
    return "[" + characterOfCode(item.Key1) + "]";
}

int MenuItemInSlot(int slot) {
    const int slots = gNumberOfMenubars;
    if (slot < 0 || slot >= slots || gMenuMode > mmSearch)
        return -1;
    int shown = std::clamp(gNumberOfMenuItems, 0, kMenubarItemCapacity);
    if (gMenuMode == mmPlaylists) {
        // Appending to (or confirming) a playlist only applies to the playlists in the music
        // root; elsewhere the last button is neither drawn nor clickable.
        const ListElementPtr current = CurrentListElement();
        if (!current || current->Dir() != gIniRootDirectoryMusic)
            shown = std::max(shown - 1, 0);
    }
    const int item = slots - 1 - slot;
    if (item >= shown)
        return -1;
    return gMenubarItems[static_cast<std::size_t>(item)].Command.empty() ? -1 : item;
}

void ResetMenubar() {
    kStartValues.restore();
}
