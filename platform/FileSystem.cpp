#include "platform/FileSystem.h"

#include "platform/Encoding.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <system_error>

namespace platform {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

constexpr double kSecondsPerDay = 86400.0;

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Length in bytes of the UTF-8 character starting at `pos`, so that "?" stands for one
// character rather than one byte.
std::size_t characterLength(const std::string& text, std::size_t pos) {
    std::size_t end = pos + 1;
    while (end < text.size() && isContinuationByte(text[end])) {
        ++end;
    }
    return end - pos;
}

// Iterative wildcard match with one backtracking point for the last "*" seen.
bool wildcardMatch(const std::string& name, const std::string& mask) {
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::string::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = ++m;
            starName = n;
        } else if (m < mask.size() && mask[m] == '?') {
            n += characterLength(name, n);
            ++m;
        } else if (m < mask.size() && asciiLower(mask[m]) == asciiLower(name[n])) {
            ++n;
            ++m;
        } else if (starMask != std::string::npos) {
            starName += characterLength(name, starName);
            n = starName;
            m = starMask;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') {
        ++m;
    }
    return m == mask.size();
}

// Bytes compare as unsigned so that names beyond ASCII sort after it on every processor, not
// only where char happens to be unsigned.
bool nameLess(const std::string& a, const std::string& b) {
    const auto folded = [](char x, char y) {
        return static_cast<unsigned char>(asciiLower(x)) <
               static_cast<unsigned char>(asciiLower(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded)) {
        return true;
    }
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded)) {
        return false;
    }
    return a < b;
}

bool lessByName(const DirEntry& a, const DirEntry& b) {
    return nameLess(a.name, b.name);
}

// Days from 1 Jan 1970 to a civil date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    using namespace std::chrono;
    return sys_days{std::chrono::year{static_cast<int>(year)} / std::chrono::month{month} /
                    std::chrono::day{day}}
        .time_since_epoch()
        .count();
}

// 30 Dec 1899 lies this many days before 1 Jan 1970.
constexpr std::int64_t kDelphiEpochOffsetDays = 25569;

double delphiDateTimeOf(const std::tm& local, double secondsOfDay) {
    const std::int64_t days =
        daysFromCivil(local.tm_year + 1900LL, static_cast<unsigned>(local.tm_mon + 1),
                      static_cast<unsigned>(local.tm_mday)) +
        kDelphiEpochOffsetDays;
    const double fraction = secondsOfDay / kSecondsPerDay;
    // Before the epoch the day counts down while the time of day is still added positively:
    // -1.25 is 29 Dec 1899, 06:00.
    return days < 0 ? static_cast<double>(days) - fraction : static_cast<double>(days) + fraction;
}

std::optional<std::tm> localTimeOf(std::time_t time) {
    std::tm local{};
    if (::localtime_r(&time, &local) == nullptr) {
        return std::nullopt;
    }
    return local;
}

double fileDateOf(std::time_t modified) {
    const auto local = localTimeOf(modified);
    if (!local) {
        return 0.0;
    }
    const int evenSeconds = local->tm_sec & ~1;
    return delphiDateTimeOf(*local, local->tm_hour * 3600.0 + local->tm_min * 60.0 + evenSeconds);
}

std::optional<struct stat> statFollowingLinks(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info;
}

} // namespace

bool matchesMask(const std::string& name, const std::string& mask) {
    if (mask == "*" || mask == "*.*") {
        return true;
    }
    return wildcardMatch(name, mask);
}

std::vector<DirEntry> listDirectory(const std::string& dir, const std::string& mask,
                                    EntryFilter filter) {
    std::vector<DirEntry> entries;
    const std::string folder = withTrailingSlash(dir.empty() ? "." : dir);
    DirHandle handle(::opendir(folder.c_str()));
    if (!handle) {
        return entries;
    }
    while (const dirent* raw = ::readdir(handle.get())) {
        const std::string name = raw->d_name;
        if (name == "." || name == ".." || !matchesMask(name, mask)) {
            continue;
        }
        const auto info = statFollowingLinks(folder + name);
        if (!info) {
            continue;
        }
        const bool isDirectory = S_ISDIR(info->st_mode);
        if (!isDirectory && !S_ISREG(info->st_mode)) {
            continue;
        }
        DirEntry entry;
        entry.name = name;
        entry.isDirectory = isDirectory;
        entry.isHidden = name.starts_with('.');
        if (filter == EntryFilter::Plain && (entry.isDirectory || entry.isHidden)) {
            continue;
        }
        entry.size = isDirectory ? 0 : static_cast<std::int64_t>(info->st_size);
        entry.fileDate = fileDateOf(info->st_mtime);
        entry.deviceId = static_cast<std::uint64_t>(info->st_dev);
        entry.inodeNumber = static_cast<std::uint64_t>(info->st_ino);
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), lessByName);
    return entries;
}

bool fileExists(const std::string& path) {
    const auto info = statFollowingLinks(path);
    return info && !S_ISDIR(info->st_mode);
}

bool directoryExists(const std::string& path) {
    const auto info = statFollowingLinks(path);
    return info && S_ISDIR(info->st_mode);
}

bool renameNoReplace(const std::string& from, const std::string& to, std::string& error) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) {
        error = std::generic_category().message(errno);
        return false;
    }
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) {
        error = std::generic_category().message(EEXIST);
        return false;
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
        error = std::generic_category().message(errno);
        return false;
    }
    return true;
}

bool removeFile(const std::string& path, std::string& error) {
    const auto info = statFollowingLinks(path);
    if (info && S_ISDIR(info->st_mode)) {
        error = std::generic_category().message(EISDIR);
        return false;
    }
    if (::unlink(path.c_str()) != 0) {
        error = std::generic_category().message(errno);
        return false;
    }
    return true;
}

std::optional<std::int64_t> fileSize(const std::string& path) {
    const auto info = statFollowingLinks(path);
    if (!info || S_ISDIR(info->st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(info->st_size);
}

std::optional<double> fileDate(const std::string& path) {
    const auto info = statFollowingLinks(path);
    if (!info) {
        return std::nullopt;
    }
    return fileDateOf(info->st_mtime);
}

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
    // Not blocking on open: opening a pipe for reading would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return;
    }
    m_fd = fd;
    m_size = static_cast<std::int64_t>(status.st_size);
}

ReadOnlyFile::~ReadOnlyFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

std::size_t ReadOnlyFile::read(std::int64_t offset, std::uint8_t* buffer, std::size_t count) const {
    std::size_t done = 0;
    while (m_fd >= 0 && offset >= 0 && done < count) {
        const ssize_t got = ::pread(m_fd, buffer + done, count - done,
                                    static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    const auto info = statFollowingLinks(path);
    if (!info) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(info->st_dev),
                        static_cast<std::uint64_t>(info->st_ino)};
}

namespace {

EntryKind kindOfMode(mode_t mode) {
    if (S_ISDIR(mode))
        return EntryKind::Folder;
    if (S_ISREG(mode))
        return EntryKind::File;
    return EntryKind::Other;
}

// The kind from the directory entry's type; a link, or a file system that does not fill in
// the type, needs a stat of the target.
EntryKind kindOfEntry(int folderFd, const dirent& raw) {
    switch (raw.d_type) {
    case DT_DIR:
        return EntryKind::Folder;
    case DT_REG:
        return EntryKind::File;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return EntryKind::Other;
    }
    struct stat info {};
    if (::fstatat(folderFd, raw.d_name, &info, 0) != 0)
        return EntryKind::Other;
    return kindOfMode(info.st_mode);
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

} // namespace

std::optional<FastDirListing> listDirectoryForWalk(const std::string& dir) {
    DirHandle handle(::opendir(dir.empty() ? "." : dir.c_str()));
    if (!handle)
        return std::nullopt;
    const int folderFd = ::dirfd(handle.get());
    struct stat self {};
    if (::fstat(folderFd, &self) != 0)
        return std::nullopt;
    FastDirListing listing;
    listing.identity = FileIdentity{static_cast<std::uint64_t>(self.st_dev),
                                    static_cast<std::uint64_t>(self.st_ino)};
    while (const dirent* raw = ::readdir(handle.get())) {
        if (isDotOrDotDot(raw->d_name))
            continue;
        listing.entries.push_back(FastDirEntry{raw->d_name, kindOfEntry(folderFd, *raw)});
    }
    std::sort(
        listing.entries.begin(), listing.entries.end(),
        [](const FastDirEntry& a, const FastDirEntry& b) { return nameLess(a.name, b.name); });
    return listing;
}

std::string executableDirectory() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return executable.parent_path().string();
}

std::string currentDirectory() {
    std::string buffer(256, '\0');
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr) {
            buffer.resize(buffer.find('\0'));
            break;
        }
        if (errno != ERANGE) {
            return ".";
        }
        buffer.resize(buffer.size() * 2);
    }
    while (buffer.size() > 1 && buffer.back() == '/') {
        buffer.pop_back();
    }
    return buffer;
}

double toDelphiDateTime(std::time_t time) {
    const auto local = localTimeOf(time);
    if (!local) {
        return 0.0;
    }
    return delphiDateTimeOf(*local, local->tm_hour * 3600.0 + local->tm_min * 60.0 + local->tm_sec);
}

double nowDelphiDateTime() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto wholeSeconds = floor<seconds>(now);
    const auto local = localTimeOf(system_clock::to_time_t(wholeSeconds));
    if (!local) {
        return 0.0;
    }
    const auto milliseconds = duration_cast<std::chrono::milliseconds>(now - wholeSeconds).count();
    return delphiDateTimeOf(*local, local->tm_hour * 3600.0 + local->tm_min * 60.0 + local->tm_sec +
                                        static_cast<double>(milliseconds) / 1000.0);
}

std::string existingPathSpelling(const std::string& bytes) {
    struct stat info {};
    if (bytes.empty() || ::stat(bytes.c_str(), &info) == 0) {
        return bytes;
    }
    std::string decoded = decodePath(bytes);
    if (decoded != bytes && ::stat(decoded.c_str(), &info) == 0) {
        return decoded;
    }
    return bytes;
}

std::optional<DelphiDateParts> splitDelphiDateTime(double dateTime) {
    // About 8,000 years either way; the calendar arithmetic of the callers stays far from
    // overflowing.
    constexpr double kDayRange = 3'000'000.0;
    if (!(std::abs(dateTime) < kDayRange)) {
        return std::nullopt;
    }
    constexpr std::int64_t kMillisecondsPerDay = 86'400'000;
    const double wholeDays = std::trunc(dateTime);
    DelphiDateParts parts{static_cast<std::int64_t>(wholeDays),
                          std::llround(std::abs(dateTime - wholeDays) * kMillisecondsPerDay)};
    if (parts.millisecondOfDay >= kMillisecondsPerDay) {
        parts.millisecondOfDay -= kMillisecondsPerDay;
        ++parts.day;
    }
    return parts;
}

std::string withTrailingSlash(std::string path) {
    if (!path.empty() && path.back() != '/') {
        path.push_back('/');
    }
    return path;
}

FolderAndName splitFolderAndName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {"", std::string(path)};
    return {std::string(path.substr(0, slash + 1)), std::string(path.substr(slash + 1))};
}

} // namespace platform
