#pragma once

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "library/FolderInfoWorker.h"
#include "library/Mp3TestData.h"
#include "platform/Encoding.h"
#include "support/TempDir.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A music, photo or video folder built by a test, with the debug log switched on so that the
// listing's log lines can be checked. The main window's parts (without a window) carry the
// folder-information results back.
class ListingFixture {
public:
    ListingFixture() {
        ResetAllState();
        m_log = std::make_unique<TDebugForm>(m_logFolder.path());
        SetLoggingEnabled(true);
        root = folder.path() + "/";
        gIniRootDirectoryMusic = root;
    }
    ~ListingFixture() {
        m_log.reset();
        ResetAllState();
    }
    ListingFixture(const ListingFixture&) = delete;
    ListingFixture& operator=(const ListingFixture&) = delete;

    // Lets the folder-information workers finish and applies what they read.
    void finishFolderInfo() {
        WaitForFolderInfoWorkers();
        parts.loop().processPending();
    }

    // Path of `relative` below the test folder; a folder path when it ends in "/".
    std::string path(const std::string& relative) const { return root + relative; }

    void makeFolder(const std::string& relative) const {
        std::filesystem::create_directories(path(relative));
    }
    void writeFile(const std::string& relative, const std::string& bytes = "x") const {
        testsupport::writeFile(path(relative), bytes);
    }
    // A 3-second title, tagged when `tag` has a title or year.
    void writeTitle(const std::string& relative, const mp3test::Tag& tag = {}) const {
        const bool tagged = !tag.title.empty() || !tag.year.empty() || tag.trackNo >= 0;
        const mp3test::Bytes bytes =
            mp3test::cbrFile(3 * 16000, tagged ? mp3test::tagBlock(tag) : mp3test::Bytes{});
        writeFile(relative, std::string(bytes.begin(), bytes.end()));
    }
    // Moves the last-write time of an entry `daysAgo` days into the past.
    void age(const std::string& relative, int daysAgo) const {
        std::filesystem::last_write_time(path(relative),
                                         std::filesystem::file_time_type::clock::now() -
                                             std::chrono::hours(24) * daysAgo);
    }

    // True when `line` is a whole line of the log.
    bool logHasLine(const std::string& line) const {
        const std::string bytes = testsupport::readFile(m_logFolder.file("debug.txt"));
        return ("\r\n" + platform::decodeFileText(bytes)).find("\r\n" + line + "\r\n") !=
               std::string::npos;
    }

    // True when `text` appears anywhere in the log.
    bool logContains(const std::string& text) const {
        const std::string bytes = testsupport::readFile(m_logFolder.file("debug.txt"));
        return platform::decodeFileText(bytes).find(text) != std::string::npos;
    }

    platform::ManualClock clock{0};
    TMainformParts parts{&clock};
    testsupport::TempDir folder;
    std::string root;

private:
    testsupport::TempDir m_logFolder;
    std::unique_ptr<TDebugForm> m_log;
};

// The file names of the list's rows, in order.
inline std::vector<std::string> fileNamesOf(const TElementList& list) {
    std::vector<std::string> names;
    for (const auto& row : list)
        names.push_back(row.element ? row.element->FileName() : std::string("<null>"));
    return names;
}
