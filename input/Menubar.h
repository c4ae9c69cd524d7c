#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One menubar button: its captions (index 0 German, 1 English), the command it issues and
// the two key codes (Windows virtual-key codes) that trigger it; Key2 0 means none.
struct TMenuItem {
    std::array<std::string, 2> Captions;
    std::string Command;
    std::uint16_t Key1 = 0;
    std::uint16_t Key2 = 0;

    // The caption for a language index; empty for a language without one.
    const std::string& caption(int language) const {
        static const std::string empty;
        return language >= 0 && language < static_cast<int>(Captions.size())
                   ? Captions[static_cast<std::size_t>(language)]
                   : empty;
    }
};

// The buttons of the current menu mode, the first created first (main thread only).
inline std::vector<TMenuItem> gMenubarItems;

// Builds the buttons of the current menu mode into gMenubarItems.
void BuildMenubar();
