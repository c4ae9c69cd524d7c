#include "platform/TextFile.h"

#include "platform/Encoding.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

namespace platform {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

struct ByteRead {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
    std::string error;
};

ByteRead unreadable(std::string error) {
    return ByteRead{ReadStatus::Unreadable, {}, std::move(error)};
}

std::string errorText(int error) {
    return std::generic_category().message(error);
}

ByteRead readAllBytes(const std::string& path) {
    // Not blocking: a pipe by that name must not stall the program; it is refused below.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            return ByteRead{};
        }
        return unreadable(errorText(error));
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return unreadable(errorText(errno));
    }
    if (S_ISDIR(info.st_mode)) {
        return unreadable(errorText(EISDIR));
    }
    if (!S_ISREG(info.st_mode)) {
        return unreadable("not a regular file");
    }
    ByteRead result{ReadStatus::Read, {}, {}};
    result.bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return unreadable(errorText(errno));
        }
        if (got == 0) {
            return result;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// A symbolic link to the file is kept: the new content replaces the file it points to.
std::string resolveWriteTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) {
            return resolved;
        }
    }
    return path;
}

// Temporary files are named "." + name + ".tmp-" + process id + "-" + counter.
std::string temporaryPrefix(const std::string& name) {
    return "." + name + ".tmp-";
}

std::string temporaryNameBeside(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    const auto [folder, name] = splitFolderAndName(target);
    return folder + temporaryPrefix(name) + std::to_string(::getpid()) + "-" +
           std::to_string(counter.fetch_add(1));
}

bool allDigits(std::string_view digits) {
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
}

struct TemporaryNameParts {
    std::string_view rewrittenName;
    std::string_view processId;
};

// Splits a name made by temporaryNameBeside; nullopt for any other name. The last ".tmp-"
// counts, so a file whose own name holds ".tmp-" still has its temporaries recognised.
std::optional<TemporaryNameParts> splitTemporaryName(std::string_view candidate) {
    constexpr std::string_view kMarker = ".tmp-";
    const auto marker = candidate.rfind(kMarker);
    if (!candidate.starts_with('.') || marker == std::string_view::npos || marker < 2) {
        return std::nullopt;
    }
    const std::string_view rest = candidate.substr(marker + kMarker.size());
    const auto dash = rest.find('-');
    if (dash == std::string_view::npos || !allDigits(rest.substr(0, dash)) ||
        !allDigits(rest.substr(dash + 1))) {
        return std::nullopt;
    }
    return TemporaryNameParts{candidate.substr(1, marker - 1), rest.substr(0, dash)};
}

// A rename is only durable once the folder holding the new entry is on disk. Some file
// systems cannot sync a folder; the file itself is complete either way, so that is no error.
void syncFolder(const std::string& folder) {
    const std::string path = folder.empty() ? "." : folder;
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        ::fsync(fd.get());
    }
}

} // namespace

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        std::size_t end = newline;
        if (end > start && text[end - 1] == '\r') {
            --end;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = newline + 1;
    }
    return lines;
}

TextLines splitTextLines(std::string_view bytes) {
    TextLines text;
    if (bytes.starts_with(kByteOrderMark)) {
        text.byteOrderMark = true;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    text.lines = splitLines(bytes);
    return text;
}

std::string joinTextLines(const TextLines& text) {
    std::string bytes;
    if (text.byteOrderMark) {
        bytes += kByteOrderMark;
    }
    for (const auto& line : text.lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<std::string> readTextFile(const std::string& path) {
    auto read = readAllBytes(path);
    if (read.status != ReadStatus::Read) {
        return std::nullopt;
    }
    return decodeFileText(read.bytes);
}

TextFileRead readTextLines(const std::string& path) {
    auto read = readAllBytes(path);
    TextFileRead result{read.status, {}, std::move(read.error)};
    if (read.status == ReadStatus::Read) {
        result.text = splitTextLines(read.bytes);
    }
    return result;
}

bool writeTextLinesAtomic(const std::string& path, const TextLines& text) {
    return writeBytesAtomic(path, joinTextLines(text));
}

bool writeTextLinesAtomic(const std::string& path, const std::vector<std::string>& lines) {
    return writeTextLinesAtomic(path, TextLines{lines, false});
}

bool writeBytesAtomic(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return false;
    }
    const std::string target = resolveWriteTarget(path);
    // A leftover of a crashed earlier run may hold the name; the next name is then taken.
    std::string temporary;
    UniqueFd fd;
    for (int attempt = 0; attempt < 100 && !fd.valid(); ++attempt) {
        temporary = temporaryNameBeside(target);
        fd.reset(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!fd.valid() && errno != EEXIST) {
            return false;
        }
    }
    if (!fd.valid()) {
        return false;
    }
    // A rewritten file keeps the permissions the user gave it.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        ::fchmod(fd.get(), existing.st_mode & 07777);
    }
    // The data must be on disk before the rename makes it the file; otherwise a crash right
    // after the rename could leave an empty file in place of the old one.
    const bool written = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.close();
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(splitFolderAndName(target).folder);
    return true;
}

std::optional<std::string> rewrittenNameOfTemporary(std::string_view name) {
    const auto parts = splitTemporaryName(name);
    if (!parts) {
        return std::nullopt;
    }
    return std::string(parts->rewrittenName);
}

bool removeLeftoverTemporary(const std::string& folder, std::string_view name) {
    const auto parts = splitTemporaryName(name);
    // A temporary named by this process may be one it is writing right now.
    if (!parts || parts->processId == std::to_string(::getpid())) {
        return false;
    }
    const std::string path = folder + std::string(name);
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::unlink(path.c_str()) == 0;
}

std::vector<std::string> removeLeftoverTemporaries(const std::string& path) {
    std::vector<std::string> removed;
    if (path.empty()) {
        return removed;
    }
    const auto [folder, name] = splitFolderAndName(resolveWriteTarget(path));
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                                  ::closedir);
    if (!dir) {
        return removed;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        if (rewrittenNameOfTemporary(entry->d_name) == name &&
            removeLeftoverTemporary(folder, entry->d_name)) {
            removed.push_back(folder + entry->d_name);
        }
    }
    return removed;
}

} // namespace platform
