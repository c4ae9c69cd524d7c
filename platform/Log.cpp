#include "platform/Log.h"

#include "platform/Encoding.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Pending lines are bounded so that a log that never opens cannot grow without end.
constexpr std::size_t kMaxPendingLines = 20000;

std::atomic<bool> gLoggingEnabled{false};
std::mutex gLogMutex; // guards everything below
std::unique_ptr<std::FILE, FileCloser> gDebugFile;
bool gDebugFileOpened = false;
std::vector<std::string> gPendingLines;

void writeLocked(const std::string& text) {
    if (!gDebugFile) {
        if (!gDebugFileOpened && gPendingLines.size() < kMaxPendingLines)
            gPendingLines.push_back(text);
        return;
    }
    std::string bytes = platform::encodeFileText(text);
    bytes += "\r\n";
    // Errors of the log file are ignored: the line is lost and the program goes on.
    std::fwrite(bytes.data(), 1, bytes.size(), gDebugFile.get());
    std::fflush(gDebugFile.get());
}

} // namespace

void SetLoggingEnabled(bool enabled) {
    gLoggingEnabled = enabled;
}
bool LoggingEnabled() {
    return gLoggingEnabled;
}

void LogLine(const std::string& text) {
    std::lock_guard lock(gLogMutex);
    if (!gDebugFileOpened) {
        // Before the file exists the setting may not be read yet; decide when it opens.
        writeLocked(text);
        return;
    }
    if (gLoggingEnabled)
        writeLocked(text);
}

void LogError(const std::string& text) {
    std::lock_guard lock(gLogMutex);
    if (gDebugFileOpened && !gLoggingEnabled)
        return;
    writeLocked("");
    writeLocked("-------------BEGIN ERROR----------------");
    writeLocked("ERROR: " + text);
    writeLocked("--------------END ERROR-----------------");
    writeLocked("");
}

namespace platform {

LogFile::LogFile(const std::string& directory) {
    std::lock_guard lock(gLogMutex);
    gDebugFile.reset(std::fopen((directory + "/debug.txt").c_str(), "wb"));
    gDebugFileOpened = true;
    std::vector<std::string> pending;
    pending.swap(gPendingLines);
    if (gLoggingEnabled) {
        for (const auto& line : pending)
            writeLocked(line);
    }
}

LogFile::~LogFile() {
    std::lock_guard lock(gLogMutex);
    gDebugFile.reset();
    gDebugFileOpened = false;
    gPendingLines.clear();
}

} // namespace platform

void ResetLogState() {
    std::lock_guard lock(gLogMutex);
    gLoggingEnabled = false;
    gPendingLines.clear();
}
