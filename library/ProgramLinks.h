#pragma once

#include <string>

// What the program-link listing reads from one launcher (a desktop entry).
struct ShellLinkInfo {
    std::string Path;
    std::string Arguments;
    std::string Description;
    std::string WorkingDirectory;
    std::string IconLocation;
    int IconIndex = 0;
    int ShowCommand = 0;
    int HotKey = 0;
};

// Reads a link file: an application entry, or a web link entry (Type=Link), whose URL becomes
// the Path. False when it cannot be read (it is then listed without a description).
bool ReadShellLink(const std::string& linkPath, ShellLinkInfo& info);
// Starts the link file itself (not the target read from it); a web link opens its URL with the
// desktop's default handler. Logs the start, and a failure as an error block.
void StartProgram(const std::string& linkPath);
