#include "library/LibraryScan.h"

#include "app/Log.h"
#include "app/MainformParts.h"
#include "library/MusicFormats.h"
#include "library/PathFunctions.h"
#include "platform/Encoding.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "playback/StatusMessage.h"
#include "ui/StatusLine.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <iterator>
#include <unordered_set>

namespace {

struct IdentityHash {
    std::size_t operator()(const platform::FileIdentity& id) const {
        return std::hash<std::uint64_t>{}(id.inodeNumber ^ (id.deviceId << 32 | id.deviceId >> 32));
    }
};

class FolderWalker {
public:
    using VisitFile = std::function<void(const std::string&, const std::string&)>;

    FolderWalker(const VisitFile& visitFile, std::stop_token stop,
                 const std::function<void()>& afterFolder)
        : m_visitFile(visitFile), m_stop(std::move(stop)), m_afterFolder(afterFolder) {}

    // `folder` ends in "/".
    bool walk(const std::string& folder) {
        if (m_stop.stop_requested())
            return false;
        const auto listing = platform::listDirectoryForWalk(folder);
        if (!listing)
            return true;
        if (!m_visited.insert(listing->identity).second)
            return true;
        for (const platform::FastDirEntry& entry : listing->entries) {
            if (entry.kind == platform::EntryKind::Folder) {
                if (!walk(folder + entry.name + '/'))
                    return false;
            } else if (entry.kind == platform::EntryKind::File) {
                m_visitFile(folder, entry.name);
            }
        }
        if (m_afterFolder)
            m_afterFolder();
        return true;
    }

private:
    const VisitFile& m_visitFile;
    std::stop_token m_stop;
    const std::function<void()>& m_afterFolder;
    std::unordered_set<platform::FileIdentity, IdentityHash> m_visited;
};

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// The upper-cased extension of each title mask (".MP3", ".FLAC", ...). A name is a title when
// its upper-cased text contains one of them anywhere.
const std::vector<std::string>& titleMarkers() {
    static const std::vector<std::string> markers = [] {
        std::vector<std::string> result;
        for (const std::string_view mask : kMusicTitleMasks)
            result.push_back(platform::asciiUpper(std::string(mask.substr(1))));
        return result;
    }();
    return markers;
}

bool containsTitleMarker(const std::string& upperName) {
    return std::any_of(
        titleMarkers().begin(), titleMarkers().end(),
        [&upperName](const std::string& marker) { return contains(upperName, marker); });
}

void appendList(TFoundList& target, TFoundList&& batch) {
    target.insert(target.end(), std::make_move_iterator(batch.begin()),
                  std::make_move_iterator(batch.end()));
}

void appendToMainLists(LibraryScanResult&& batch) {
    appendList(gFoundMP3Titles, std::move(batch.MP3Titles));
    appendList(gFoundPlaylists, std::move(batch.Playlists));
    appendList(gFoundFrontCovers, std::move(batch.FrontCovers));
}

// A batch goes to the main thread after this many files, or after this much time, so the
// count display follows the scan without a post for every file.
constexpr std::size_t kFilesPerBatch = 2000;
constexpr std::chrono::milliseconds kBatchInterval{100};

// Collects what the scan thread finds and posts it in batches. Scan thread only.
class BatchPublisher {
public:
    explicit BatchPublisher(platform::MainLoop& mainLoop) : m_mainLoop(mainLoop) {}

    void fileVisited(const std::string& folder, const std::string& name) {
        ClassifyFoundFile(folder, name, m_pending);
        ++m_filesSinceFlush;
    }

    void folderDone() {
        if (m_filesSinceFlush >= kFilesPerBatch ||
            std::chrono::steady_clock::now() - m_lastFlush >= kBatchInterval)
            flush();
    }

    void finish() {
        count(m_pending);
        m_mainLoop.post([batch = std::move(m_pending)]() mutable {
            appendToMainLists(std::move(batch));
            SortFoundPlaylists();
            gLibraryScanFinished = true;
        });
        m_pending = {};
    }

    std::size_t titles() const { return m_titles; }
    std::size_t playlists() const { return m_playlists; }
    std::size_t covers() const { return m_covers; }

private:
    void flush() {
        m_filesSinceFlush = 0;
        m_lastFlush = std::chrono::steady_clock::now();
        if (m_pending.MP3Titles.empty() && m_pending.Playlists.empty() &&
            m_pending.FrontCovers.empty())
            return;
        count(m_pending);
        m_mainLoop.post(
            [batch = std::move(m_pending)]() mutable { appendToMainLists(std::move(batch)); });
        m_pending = {};
    }

    void count(const LibraryScanResult& batch) {
        m_titles += batch.MP3Titles.size();
        m_playlists += batch.Playlists.size();
        m_covers += batch.FrontCovers.size();
    }

    platform::MainLoop& m_mainLoop;
    LibraryScanResult m_pending;
    std::size_t m_filesSinceFlush = 0;
    std::chrono::steady_clock::time_point m_lastFlush = std::chrono::steady_clock::now();
    std::size_t m_titles = 0;
    std::size_t m_playlists = 0;
    std::size_t m_covers = 0;
};

// Lower-case base letters of U+00C0 to U+00FF; an empty text keeps the character (the
// multiplication and division signs).
constexpr std::array<std::string_view, 64> kLatin1Folding = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",
};

// The text as the playlist order compares it: ASCII letters lower-cased, accented Latin
// letters replaced by their base letters.
std::string sortFolded(const std::string& text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 'A' && byte <= 'Z') {
            folded += static_cast<char>(byte + ('a' - 'A'));
        } else if (byte == 0xC3 && i + 1 < text.size() &&
                   (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
            const std::string_view base =
                kLatin1Folding[static_cast<unsigned char>(text[i + 1]) & 0x3F];
            if (base.empty())
                folded.append(text, i, 2);
            else
                folded += base;
            ++i;
        } else {
            folded += static_cast<char>(byte);
        }
    }
    return folded;
}

// The scan at start-up is where a playlist's rewrite that a crash interrupted gets cleaned up:
// it visits every playlist of the library anyway, and the leftover would otherwise stay
// forever beside a playlist that is never written again.
void removePlaylistLeftover(const std::string& folder, const std::string& name) {
    const auto rewritten = platform::rewrittenNameOfTemporary(name);
    if (!rewritten || !contains(platform::asciiUpper(platform::decodeName(*rewritten)), ".M3U") ||
        !platform::removeLeftoverTemporary(folder, name))
        return;
    LogLine("Removed the leftover of an interrupted rewrite: " + folder + name);
}

} // namespace

bool WalkFolderTree(
    const std::string& folder,
    const std::function<void(const std::string& folder, const std::string& name)>& visitFile,
    std::stop_token stop, const std::function<void()>& afterFolder) {
    // An empty path is an unconfigured root, not the working directory.
    if (folder.empty())
        return !stop.stop_requested();
    FolderWalker walker(visitFile, std::move(stop), afterFolder);
    return walker.walk(platform::withTrailingSlash(folder));
}

bool IsMP3TitleName(const std::string& name) {
    return containsTitleMarker(platform::asciiUpper(platform::decodeName(name)));
}

void ClassifyFoundFile(const std::string& folder, const std::string& name,
                       LibraryScanResult& result) {
    // A playlist's rewrite in progress (or a crashed one) is not a playlist of its own.
    if (platform::rewrittenNameOfTemporary(name))
        return;
    // Search words are typed text; a Windows-1252 name must match them by its letters.
    std::string upper = platform::asciiUpper(platform::decodeName(name));
    if (contains(upper, ".M3U"))
        result.Playlists.push_back({name, TMyString{folder + name}});
    if (contains(upper, ".JPG") && (contains(upper, "FRONT") || contains(upper, "VORN")))
        result.FrontCovers.push_back({LastFolderLevels(folder, 2), TMyString{folder + name}});
    if (containsTitleMarker(upper))
        result.MP3Titles.push_back({std::move(upper), TMyString{folder + name}});
}

bool ScanFolderTree(const std::string& folder, LibraryScanResult& result, std::stop_token stop) {
    return WalkFolderTree(
        folder,
        [&result](const std::string& where, const std::string& name) {
            ClassifyFoundFile(where, name, result);
        },
        std::move(stop));
}

LibraryScanResult ScanLibrary(const std::string& musicRoot, std::stop_token stop) {
    LibraryScanResult result;
    ScanFolderTree(musicRoot, result, std::move(stop));
    return result;
}

void BuildLibrary(const std::string& musicRoot, platform::MainLoop& mainLoop,
                  std::stop_token stop) {
    mainLoop.post([] {
        gFoundMP3Titles.clear();
        gFoundPlaylists.clear();
        gFoundFrontCovers.clear();
        gLibraryScanFinished = false;
        gFoundListsCreated = true;
    });
    BatchPublisher publisher(mainLoop);
    const bool complete = WalkFolderTree(
        musicRoot,
        [&publisher](const std::string& folder, const std::string& name) {
            removePlaylistLeftover(folder, name);
            publisher.fileVisited(folder, name);
        },
        stop, [&publisher] { publisher.folderDone(); });
    if (!complete)
        return;
    publisher.finish();
    const std::string dashes(31, '-');
    LogLine(dashes);
    LogLine("found " + std::to_string(publisher.titles()) + " mp3-titles");
    LogLine("found " + std::to_string(publisher.playlists()) + " m3u-playlists");
    LogLine("found " + std::to_string(publisher.covers()) + " Front-Covers");
    LogLine(dashes);
}

bool PlaylistNameLess(const std::string& a, const std::string& b) {
    const std::string foldedA = sortFolded(a);
    const std::string foldedB = sortFolded(b);
    if (foldedA != foldedB)
        return foldedA < foldedB;
    return a < b;
}

void SortFoundPlaylists() {
    std::stable_sort(
        gFoundPlaylists.begin(), gFoundPlaylists.end(),
        [](const TFoundEntry& a, const TFoundEntry& b) { return PlaylistNameLess(a.Key, b.Key); });
}

std::vector<std::pair<std::string, std::string>> FoundPlaylistsSnapshot() {
    std::vector<std::pair<std::string, std::string>> snapshot;
    snapshot.reserve(gFoundPlaylists.size());
    for (const TFoundEntry& entry : gFoundPlaylists)
        snapshot.emplace_back(entry.Key, entry.Object.Text);
    std::stable_sort(snapshot.begin(), snapshot.end(), [](const auto& a, const auto& b) {
        return PlaylistNameLess(a.first, b.first);
    });
    return snapshot;
}

void Timer_ShowNumberOfTracksInitiallyTimer() {
    if (!gFoundListsCreated)
        return;
    gNumberOfTracks = static_cast<std::int32_t>(gFoundMP3Titles.size());
    gNumberOfPlaylists = static_cast<std::int32_t>(gFoundPlaylists.size());
    SetStatusMessage(std::to_string(gNumberOfTracks) + " Musiktitel und " +
                     std::to_string(gNumberOfPlaylists) + " Playlists gefunden...");
    DrawStatusLine();
}

void Timer_ShowNumberOfTracksInitially2Timer() {
    if (gNumberOfTracks == gNumberOfTracksBefore) {
        Mainform().Timer_ShowNumberOfTracksInitially.setEnabled(false);
        Mainform().Timer_ShowNumberOfTracksInitially2.setEnabled(false);
    }
    gNumberOfTracksBefore = gNumberOfTracks;
}

void ResetLibraryLists() {
    gFoundMP3Titles.clear();
    gFoundPlaylists.clear();
    gFoundFrontCovers.clear();
    gFoundListsCreated = false;
    gLibraryScanFinished = false;
    gNumberOfTracks = 0;
    gNumberOfTracksBefore = 0;
    gNumberOfPlaylists = 0;
}
