#include "library/ProgramLinks.h"

#include "app/Log.h"
#include "platform/DesktopEntry.h"

#include <optional>

bool ReadShellLink(const std::string& linkPath, ShellLinkInfo& info) {
    info = ShellLinkInfo{};
    const std::optional<platform::DesktopEntry> entry = platform::readDesktopEntry(linkPath);
    if (!entry)
        return false;
    if (entry->type == platform::DesktopEntry::Type::Link) {
        info.Path = entry->url;
        info.Description = entry->comment;
        return true;
    }
    info.Path = entry->executable;
    info.Arguments = entry->arguments;
    info.Description = entry->comment;
    info.WorkingDirectory = entry->workingDirectory;
    info.IconLocation = entry->icon;
    return true;
}

void StartProgram(const std::string& linkPath) {
    LogLine("Starting program \"" + linkPath + "\"...");
    const std::optional<platform::DesktopEntry> entry = platform::readDesktopEntry(linkPath);
    if (!entry) {
        LogError("Program link \"" + linkPath + "\" cannot be read");
        return;
    }
    // A web link opens in whatever the desktop uses for its address.
    const platform::StartResult result = entry->type == platform::DesktopEntry::Type::Link
                                             ? platform::openUri(entry->url)
                                             : platform::launchDesktopEntry(linkPath);
    if (!result.started)
        LogError("Program link \"" + linkPath + "\" could not be started: " + result.error);
}
