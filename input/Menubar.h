#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace platform {
class Picture;
}

// One menubar button: its captions (index 0 German, 1 English, 2 to 4 empty), the command it
// issues, the character printed on its key and the two key codes (Windows virtual-key codes)
// that trigger it; Key2 0 means none.
struct TMenuItem {
    TMenuItem() = default;
    TMenuItem(std::array<std::string, 5> captions, std::string command, char keyChar,
              std::uint16_t key1, std::uint16_t key2);

    std::array<std::string, 5> Captions;
    std::string Command;
    // Only tells apart the two labels of key code 187 ("+" and "*").
    char KeyChar = 0;
    std::uint16_t Key1 = 0;
    std::uint16_t Key2 = 0;

    // The caption for a language index; empty for an index outside the captions.
    const std::string& caption(int language) const;
    // KeyChar as a one-character string (empty for the character 0).
    std::string KeyCharText() const;
};

inline constexpr int kMenubarItemCapacity = 11;

// The buttons of the current menu mode, index 0 the first created; slots from
// gNumberOfMenuItems on keep whatever an earlier set left there. Main thread only.
inline std::array<TMenuItem, kMenubarItemCapacity> gMenubarItems;
// Number of buttons of the current set (0 before the first build). Main thread only.
inline int gNumberOfMenuItems = 0;

// Builds the set of the current menu mode (gMenuMode) into gMenubarItems. The set depends on
// gPlaylistEditing, gIniShowCover2D_or_3D and gPlayMode as they are now. Modes without a set
// (above mmSearch) leave the previous set in place.
void BuildMenubar();

// Name of the skin picture (without ".bmp") that labels the button's key, "" for none.
std::string KeyPictureName(const TMenuItem& item);
// The text label of the button's key, used when the skin turns key pictures off ("[Ret]").
std::string KeyLabelText(const TMenuItem& item);
// The skin's key picture of the button; nullptr when the key has none or it is not loaded.
const platform::Picture* KeyPicture(const TMenuItem& item);

// The index in gMenubarItems of the button shown in the slot, -1 for an empty slot. The
// buttons fill the bottom slots, button 0 the lowest; a button without a command is not shown,
// nor is the last button of the playlists list while it does not apply (it is then not
// clickable either), nor any button in the full-window modes, which show no menubar.
int MenuItemInSlot(int slot);

// Empties the menubar, as before the first build.
void ResetMenubar();
