#include "platform/SingleInstance.h"

#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace platform {

namespace {

std::string lockDirectory() {
    for (const char* variable : {"ZVN_LOCK_DIR", "XDG_RUNTIME_DIR"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0' && directoryExists(value)) {
            return withTrailingSlash(value);
        }
    }
    std::error_code error;
    const auto temporary = std::filesystem::temp_directory_path(error);
    return withTrailingSlash(error ? std::string("/tmp") : temporary.string());
}

} // namespace

SingleInstanceLock::SingleInstanceLock(const std::string& name)
    : m_path(lockDirectory() + name + "-" + std::to_string(::getuid()) + ".lock") {
    // O_CLOEXEC: a program started from here must not inherit the lock, or a new copy of this
    // program started after this one has ended would still find it held.
    m_fd.reset(::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!m_fd.valid()) {
        m_errorText = "cannot open lock file " + m_path + ": " + std::strerror(errno);
        m_acquired = true;
        return;
    }
    int result = 0;
    while ((result = ::flock(m_fd.get(), LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (result == 0) {
        m_acquired = true;
        return;
    }
    if (errno == EWOULDBLOCK) {
        m_errorText = "lock " + m_path + " is already held";
    } else {
        m_errorText = "cannot lock " + m_path + ": " + std::strerror(errno);
        m_acquired = true;
    }
    m_fd.reset();
}

} // namespace platform
