#pragma once

#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/Program.h"
#include "app/ResetAllState.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

// A fresh program directory with the debug log switched on, removed afterwards.
class ProgramDirectoryFixture {
public:
    ProgramDirectoryFixture() {
        ResetAllState();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zvn-config-XXXXXX").string();
        // Without its own folder a test would write into the working directory.
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        m_dir = pattern;
        gProgramDirectory = m_dir;
        m_log = std::make_unique<TDebugForm>(m_dir);
        SetLoggingEnabled(true);
    }
    ~ProgramDirectoryFixture() {
        m_log.reset();
        SetLoggingEnabled(false);
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    ProgramDirectoryFixture(const ProgramDirectoryFixture&) = delete;
    ProgramDirectoryFixture& operator=(const ProgramDirectoryFixture&) = delete;

    const std::string& dir() const { return m_dir; }

    void writeFile(const std::string& name, const std::string& bytes) const {
        std::ofstream out(m_dir + "/" + name, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string readFile(const std::string& name) const {
        std::ifstream in(m_dir + "/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> readLines(const std::string& name) const {
        return platform::splitLines(readFile(name));
    }
    std::vector<std::string> logLines() const { return readLines("debug.txt"); }

private:
    std::string m_dir;
    std::unique_ptr<TDebugForm> m_log;
    // The main window's timers and controls, without a window.
    platform::ManualClock m_clock{0};
    TMainformParts m_parts{&m_clock};
};

// Joins lines with CR LF, each line ended, as the program writes its files.
inline std::string crlfText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

// True when `expected` occurs in `lines` as consecutive lines.
inline bool containsSequence(const std::vector<std::string>& lines,
                             const std::vector<std::string>& expected) {
    return std::search(lines.begin(), lines.end(), expected.begin(), expected.end()) != lines.end();
}
