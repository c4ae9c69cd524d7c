#pragma once

#include "platform/Log.h"

#include <string>

// The debug window: owns the log file for the lifetime of the main window.
class TDebugForm {
public:
    explicit TDebugForm(const std::string& directory) : m_file(directory) {}

private:
    platform::LogFile m_file;
};
