#pragma once

#include <optional>
#include <string>

namespace platform {

// What a freedesktop desktop entry says about itself, read through the desktop's own library.
struct DesktopEntry {
    enum class Type { Application, Link };
    Type type = Type::Application;
    // Application: the program of the Exec line and the arguments after it, joined by blanks
    // (empty when the line cannot be split like a command line); the Path key.
    std::string executable;
    std::string arguments;
    std::string workingDirectory;
    // Link: the address it points to; never empty.
    std::string url;
    // The Comment in the user's language where the entry has one.
    std::string comment;
    // Application: the Icon key as written.
    std::string icon;
};

// Reads an application entry, or a web link entry (Type=Link) that names a URL. Empty when the
// file is missing, is no desktop entry, or is an application whose program does not exist.
std::optional<DesktopEntry> readDesktopEntry(const std::string& path);

// Whether a start succeeded; when not, the desktop's reason (may be empty).
struct StartResult {
    bool started = false;
    std::string error;
};

// Launches the application entry itself, so its own working folder and settings apply; the
// program runs on its own and is never waited for.
StartResult launchDesktopEntry(const std::string& path);
// Opens an address with whatever the desktop uses for it.
StartResult openUri(const std::string& uri);

} // namespace platform
