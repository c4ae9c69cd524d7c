#pragma once

#include "platform/UniqueFd.h"

#include <string>

namespace platform {

// A lock that only one process of the user can hold at a time: an exclusive flock on the
// file "<name>-<uid>.lock" in $ZVN_LOCK_DIR, else $XDG_RUNTIME_DIR, else the temporary
// folder. The lock ends with the object or with the process, however it ends, and is not
// passed on to programs the process starts.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const std::string& name);

    // False only when another holder has the lock. When the lock file cannot be created at
    // all the program is not kept from running: the lock counts as acquired and
    // errorText() says why it is not held.
    bool acquired() const { return m_acquired; }
    const std::string& errorText() const { return m_errorText; }
    const std::string& lockFilePath() const { return m_path; }

private:
    UniqueFd m_fd;
    std::string m_path;
    std::string m_errorText;
    bool m_acquired = false;
};

} // namespace platform
