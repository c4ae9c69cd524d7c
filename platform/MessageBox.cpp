#include "platform/MessageBox.h"

#include "platform/Log.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace platform {

namespace {

constexpr std::string_view kHeadlessDrivers[] = {"offscreen", "dummy"};

bool isHeadlessDriver(const char* driver) {
    if (!driver)
        return false;
    for (std::string_view name : kHeadlessDrivers) {
        if (SDL_strcasecmp(driver, name.data()) == 0)
            return true;
    }
    return false;
}

bool hasValue(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

} // namespace

bool runningHeadless() {
    if (hasValue("ZVN_HEADLESS"))
        return true;
    if (const char* driver = SDL_GetCurrentVideoDriver())
        return isHeadlessDriver(driver);
    // Video is not started (yet): judge by what it would start with.
    if (isHeadlessDriver(std::getenv("SDL_VIDEODRIVER")))
        return true;
    return !hasValue("DISPLAY") && !hasValue("WAYLAND_DISPLAY");
}

namespace {

void showBox(Uint32 icon, const std::string& title, const std::string& text) {
    const std::string line = title + ": " + text;
    LogLine(line);
    // Parented to the focused window, so that the box is not hidden behind a full-screen one.
    if (!runningHeadless() &&
        SDL_ShowSimpleMessageBox(icon, title.c_str(), text.c_str(), SDL_GetKeyboardFocus()) == 0)
        return;
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

} // namespace

void showMessageBox(const std::string& title, const std::string& text) {
    showBox(SDL_MESSAGEBOX_INFORMATION, title, text);
}

void showErrorMessageBox(const std::string& text) {
    showBox(SDL_MESSAGEBOX_ERROR, "Fehler", text);
}

} // namespace platform
