#pragma once

#include <string>

// The debug log "debug.txt". Any thread may log; a line is always written whole.
void LogLine(const std::string& text);
// An error block of five lines: empty, begin banner, "ERROR: " + text, end banner, empty.
void LogError(const std::string& text);

// Whether LogLine and LogError write; follows the ShowDebugWindow setting.
void SetLoggingEnabled(bool enabled);
bool LoggingEnabled();

// Switches logging off and drops the lines kept for a log that is not open yet, as at
// start-up. A log file that is open stays with its LogFile.
void ResetLogState();

namespace platform {

// The open log file "debug.txt" in a folder; one at a time. Opening truncates the file whether
// or not logging is on. Lines logged before the file is open are kept and written once it opens
// (when logging is on then), so the start-up's own lines are not lost.
class LogFile {
public:
    explicit LogFile(const std::string& directory);
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;
};

} // namespace platform
