#pragma once

#include <cstdint>
#include <string>

namespace platform {

// One input or window event of the main window, as the main loop hands it on. Only the fields
// of the event's type are set; the others keep their defaults.
struct Event {
    enum class Type {
        KeyDown,
        KeyUp,
        TextInput,
        MouseButtonDown,
        MouseButtonUp,
        MouseMotion,
        MouseWheel,
        // The window's close button, or the system asks the program to end.
        Quit,
        // Part of the window became visible again and has to be painted.
        Exposed,
    };
    Type type = Type::Exposed;
    // Quit, Exposed: the SDL id of the window concerned; 0 when the whole program is asked to
    // end.
    std::uint32_t windowId = 0;

    // KeyDown, KeyUp: the virtual-key code (vk::) and the modifiers held with it.
    int key = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;

    // TextInput: the typed text, UTF-8.
    std::string text;

    // Mouse events: the pointer position in window pixels (for the wheel, where the pointer is
    // when the step arrives).
    int x = 0;
    int y = 0;
    // MouseButtonDown, MouseButtonUp: 1 left, 2 middle, 3 right; clicks counts the presses in
    // quick succession at one place (2 is a double click).
    int button = 0;
    int clicks = 0;
    // MouseWheel: steps, positive away from the user (up), negative towards the user.
    int wheelSteps = 0;
};

} // namespace platform
