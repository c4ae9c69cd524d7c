#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct DirEntry {
    std::string name;
    bool isDirectory = false;
    // A name starting with "." counts as hidden.
    bool isHidden = false;
    // Bytes of a file; 0 for a folder.
    std::int64_t size = 0;
    // Last modification in local time as days since 30 Dec 1899 (the fraction is the time of
    // day), the seconds cut to an even number as file dates have always been kept.
    double fileDate = 0.0;
    // Identity of the entry's target (links followed), so that a recursive walk can tell a
    // folder it has already visited through another path.
    std::uint64_t deviceId = 0;
    std::uint64_t inodeNumber = 0;
};

enum class EntryFilter {
    // Every folder and file, hidden ones included.
    All,
    // Only regular files that are not hidden; folders are left out.
    Plain,
};

// The entries of `dir` (with or without a final "/") whose names match `mask`, without "."
// and "..". Symbolic links are followed; a link whose target is missing is left out, as are
// devices, pipes and sockets, which no listing can open as media. Sorted by name without
// regard to ASCII case, then by exact name, so every run lists alike. A folder that is missing
// or cannot be read gives an empty list.
std::vector<DirEntry> listDirectory(const std::string& dir, const std::string& mask,
                                    EntryFilter filter);

// "*" matches any run of characters, "?" one character, everything else itself without regard
// to ASCII case; "*" and "*.*" match every name, with or without a dot.
bool matchesMask(const std::string& name, const std::string& mask);

// Links followed: fileExists is true for an existing file that is not a folder.
bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
std::optional<std::int64_t> fileSize(const std::string& path);
// The last modification of a file or folder as DirEntry::fileDate gives it; empty when the
// path does not exist.
std::optional<double> fileDate(const std::string& path);

// Renames a file, refusing to replace an existing target: false (error set to the reason) when
// the target exists or the rename fails. On file systems that cannot rename atomically without
// replacing, the target is checked first and the window in between is accepted.
bool renameNoReplace(const std::string& from, const std::string& to, std::string& error);
// Removes a file (not a folder); false (error set to the reason) when it cannot.
bool removeFile(const std::string& path, std::string& error);

// A regular file opened for reading only, read at any offset without moving a file position.
// Folders, devices and pipes are refused (isOpen() is false): none of them is a media file,
// and a pipe would block the reader. Other programs may read and write the file meanwhile.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    bool isOpen() const { return m_fd >= 0; }
    // The size when the file was opened.
    std::int64_t size() const { return m_size; }
    // Up to `count` bytes from `offset`; fewer at the end, 0 past it or after a read error.
    std::size_t read(std::int64_t offset, std::uint8_t* buffer, std::size_t count) const;

private:
    int m_fd = -1;
    std::int64_t m_size = 0;
};

struct FileIdentity {
    std::uint64_t deviceId = 0;
    std::uint64_t inodeNumber = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> fileIdentity(const std::string& path);

// What a listing for a walk tells about an entry, links followed.
enum class EntryKind : std::uint8_t {
    Folder,
    File,
    // Devices, pipes, sockets and links whose target is missing.
    Other,
};

struct FastDirEntry {
    std::string name;
    EntryKind kind = EntryKind::Other;
};

struct FastDirListing {
    // Identity of the folder itself (links followed), so that a recursive walk can tell a
    // folder it has already entered through another path.
    FileIdentity identity;
    std::vector<FastDirEntry> entries;
};

// Every entry of `dir` (hidden ones included) without "." and "..", sorted as listDirectory
// sorts. Meant for walks over whole trees: the kind comes from the directory entry itself, so
// only links and entries of unknown type cost a stat. Empty optional when the folder cannot be
// opened.
std::optional<FastDirListing> listDirectoryForWalk(const std::string& dir);

// The process's working directory without a final "/" ("/" itself for the root).
std::string currentDirectory();

// The folder of the running program's executable (links resolved), without a final "/";
// empty when the system does not tell it.
std::string executableDirectory();

// A moment as local time in days since 30 Dec 1899, the fraction being the time of day.
double toDelphiDateTime(std::time_t time);
double nowDelphiDateTime();

// A path read from a text file as the file system spells it: its bytes when they name an
// existing file or folder, else the text they decode to (decodePath) when that does, else the
// bytes. A Windows-1252 settings file thus still finds folders whose names are UTF-8.
std::string existingPathSpelling(const std::string& bytes);

// A date-time of days since 30 Dec 1899 taken apart. The integer part is the day, counted
// backwards before the epoch, and the fraction's absolute value is the time of day: -1.25 is
// 29 Dec 1899, 06:00 (flooring would give 28 Dec, 18:00).
struct DelphiDateParts {
    // Days since 30 Dec 1899 in calendar order (-1 is 29 Dec 1899).
    std::int64_t day = 0;
    std::int64_t millisecondOfDay = 0;
};
// The time is rounded to milliseconds; one that rounds up to midnight belongs to the next day.
// Empty for a value that is not a number or lies millennia away, beyond any file date.
std::optional<DelphiDateParts> splitDelphiDateTime(double dateTime);

// Appends "/" unless the path already ends in one; an empty path stays empty, because an
// empty folder setting means "not configured".
std::string withTrailingSlash(std::string path);

// A path cut after its last "/": the folder with that "/" (empty when the path has none) and
// the name after it (the whole path when it has no "/").
struct FolderAndName {
    std::string folder;
    std::string name;
};
FolderAndName splitFolderAndName(std::string_view path);

} // namespace platform
