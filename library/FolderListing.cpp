#include "library/FolderListing.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "config/Config.h"
#include "library/CoverLookup.h"
#include "library/FolderInfoWorker.h"
#include "library/LibraryScan.h"
#include "library/MusicFormats.h"
#include "library/PathFunctions.h"
#include "library/ProgramLinks.h"
#include "pictures/CoverView.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>

namespace {

using platform::DirEntry;
using platform::EntryFilter;

constexpr int kChangeCoverIntervalMs = 7000;

// Every browsing list starts with the ".." row under the key "0".
TElementList& startListWithBackElement() {
    TElementList& list = ReplaceListElements();
    list.add("0", std::make_shared<TListElement>(ListElementType::Back, "", "..", 0.0, 0));
    return list;
}

// How one browsing mode turns a folder into rows: its subfolders first, then the files of each
// mask in turn, in the order the enumeration delivers them.
struct FolderListingKind {
    ListElementType folderType;
    ListElementType fileType;
    std::vector<std::string_view> fileMasks;
    EntryFilter fileFilter;
    // Photos and program links show their dates; the other kinds carry none.
    bool keepsDates;
    // The files of all masks together in name order rather than mask after mask: an album
    // of mixed formats plays in the order of its file names.
    bool masksTogether = false;
};

const FolderListingKind kMusicListing{ListElementType::MP3Dir,
                                      ListElementType::MP3,
                                      {kMusicTitleMasks.begin(), kMusicTitleMasks.end()},
                                      EntryFilter::All,
                                      false,
                                      true};
const FolderListingKind kPhotoListing{
    ListElementType::PhotoDir, ListElementType::Photo, {"*.jpg"}, EntryFilter::Plain, true};
const FolderListingKind kProgramLinkListing{ListElementType::ProgramDir,
                                            ListElementType::ProgramLink,
                                            {"*.desktop"},
                                            EntryFilter::Plain,
                                            true};
const FolderListingKind kVideoListing{
    ListElementType::VideoDir,
    ListElementType::Video,
    // Today's containers after the classic three.
    {"*.mpg", "*.mpe", "*.avi", "*.mp4", "*.mkv", "*.webm", "*.mov", "*.m4v"},
    EntryFilter::Plain,
    false};

using RowHook = std::function<void(TListElement& element, const DirEntry& entry)>;

// Builds the new list for `folder`: "..", then the rows of `kind` keyed and indexed 1, 2, ...
// The hooks see every row as it is added.
TElementList& listFolder(const std::string& folder, const FolderListingKind& kind,
                         const RowHook& onFolder = {}, const RowHook& onFile = {}) {
    TElementList& list = startListWithBackElement();
    int counter = 0;
    const auto addRow = [&](ListElementType type, const DirEntry& entry, const RowHook& hook) {
        ++counter;
        auto element = std::make_shared<TListElement>(
            type, folder, entry.name, kind.keepsDates ? entry.fileDate : 0.0, counter);
        if (hook)
            hook(*element, entry);
        list.add(std::to_string(counter), std::move(element));
    };
    const std::vector<DirEntry> everything = platform::listDirectory(folder, "*", EntryFilter::All);
    for (const auto& entry : everything) {
        if (entry.isDirectory)
            addRow(kind.folderType, entry, onFolder);
    }
    if (kind.masksTogether) {
        // Every entry fitting a mask, a folder named like a title included, as a listing by
        // that mask would give it.
        for (const auto& entry : everything) {
            if (std::any_of(kind.fileMasks.begin(), kind.fileMasks.end(),
                            [&entry](std::string_view mask) {
                                return platform::matchesMask(entry.name, std::string(mask));
                            }))
                addRow(kind.fileType, entry, onFile);
        }
        return list;
    }
    for (const std::string_view mask : kind.fileMasks) {
        for (const auto& entry :
             platform::listDirectory(folder, std::string(mask), kind.fileFilter))
            addRow(kind.fileType, entry, onFile);
    }
    return list;
}

std::vector<std::string> jpegNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : platform::listDirectory(folder, "*.jpg", EntryFilter::Plain))
        names.push_back(entry.name);
    return names;
}

std::string coverPath(const std::string& folder, const std::optional<std::string>& name) {
    return name && !name->empty() ? folder + *name : std::string();
}

void hideCoverImage() {
    Mainform().CoverImage.setVisible(false);
}

// The front cover of a new folder is shown first, for a full interval.
void restartCoverAlternation() {
    gShowBackCover = false;
    platform::Timer& timer = Mainform().Timer_ChangeCoverImage;
    timer.setInterval(kChangeCoverIntervalMs);
    timer.restart();
}

// The shown music list, handed to a folder-information worker as titles and subfolders.
FolderInfoJobs folderInfoJobsOf(const std::shared_ptr<TElementList>& list) {
    FolderInfoJobs jobs;
    jobs.list = list;
    jobs.generation = NextFolderInfoGeneration();
    for (const auto& row : *list) {
        if (!row.element)
            continue;
        if (row.element->ElementType() == ListElementType::MP3)
            jobs.titles.push_back({row.element, row.element->FullPath()});
        else if (row.element->ElementType() == ListElementType::MP3Dir)
            jobs.folders.push_back({row.element, row.element->FullPath() + "/"});
    }
    return jobs;
}

} // namespace

bool IsNewFolder(double folderDate, double now, int months) {
    using namespace std::chrono;
    const auto writtenAt = platform::splitDelphiDateTime(folderDate);
    const auto current = platform::splitDelphiDateTime(now);
    // Nonsense from a broken file system is never new.
    if (!writtenAt || !current)
        return false;
    months = std::clamp(months, -12'000, 12'000);
    constexpr sys_days epoch = sys_days{year{1899} / December / 30};
    const year_month_day written{epoch + days{writtenAt->day}};
    const year_month shiftedMonth =
        year_month{written.year(), written.month()} + std::chrono::months{months};
    const day lastDay =
        year_month_day_last{shiftedMonth.year(), month_day_last{shiftedMonth.month()}}.day();
    const year_month_day limit{shiftedMonth.year(), shiftedMonth.month(),
                               std::min(written.day(), lastDay)};
    // Compared as (day, time of day): before the epoch the raw values do not run in calendar
    // order.
    const std::int64_t limitDay = (sys_days{limit} - epoch).count();
    return std::pair{current->day, current->millisecondOfDay} <
           std::pair{limitDay, writtenAt->millisecondOfDay};
}

void ListMusicFolder(const std::string& folder) {
    // In the music root itself nothing is marked new: everything there would be.
    const bool marksNew = folder != gIniRootDirectoryMusic;
    const double now = platform::nowDelphiDateTime();
    listFolder(folder, kMusicListing, [&](TListElement& element, const DirEntry& entry) {
        if (marksNew)
            element.SetIsNew(IsNewFolder(entry.fileDate, now, gIniNewIconNMonth));
    });

    gCurrentCoverFrontFileName.clear();
    gCurrentCoverBackFileName.clear();
    const std::vector<std::string> names = jpegNames(folder);
    restartCoverAlternation();
    gCurrentCoverFrontFileName = coverPath(folder, ChooseFrontCover(names));
    gCurrentCoverBackFileName = coverPath(folder, ChooseBackCover(names));
    if (names.empty())
        gCurrentCoverFrontFileName = EmbeddedFrontCover(folder);
    LogLine("gCurrentCoverFrontFileName=" + gCurrentCoverFrontFileName);
    LogLine("gCurrentCoverBackFileName=" + gCurrentCoverBackFileName);
    hideCoverImage();

    StartFolderInfoWorker(folderInfoJobsOf(gListElements));
}

void ListPhotoFolder(const std::string& folder) {
    listFolder(folder, kPhotoListing);
}

void ListProgramLinkFolder(const std::string& folder) {
    listFolder(folder, kProgramLinkListing, {}, [](TListElement& element, const DirEntry&) {
        // An entry that cannot be read is still listed, just without its description.
        ShellLinkInfo info;
        if (ReadShellLink(element.FullPath(), info))
            element.SetInfoText(info.Description);
    });
}

void ListVideoFolder(const std::string& folder) {
    listFolder(folder, kVideoListing);
    gCurrentCoverFrontFileName.clear();
    const auto jpegs = platform::listDirectory(folder, "*.jpg", EntryFilter::Plain);
    if (!jpegs.empty())
        gCurrentCoverFrontFileName = folder + jpegs.front().name;
    LogLine("gCurrentCoverFrontFileName=" + gCurrentCoverFrontFileName);
    hideCoverImage();
}

bool ListPlaylists() {
    TElementList& list = startListWithBackElement();
    const auto playlists = FoundPlaylistsSnapshot();
    for (std::size_t i = 0; i < playlists.size(); ++i) {
        const auto& [fileName, fullPath] = playlists[i];
        const std::string dir = FolderOfPath(fullPath);
        if (dir.empty())
            return false;
        const std::string number = std::to_string(i);
        // The log shows the folder without its final "/".
        LogLine("Playlist " + number + ": Dir=" + dir.substr(0, dir.size() - 1) +
                " ; Filename=" + fileName);
        list.add(number, std::make_shared<TListElement>(ListElementType::Playlist, dir, fileName,
                                                        0.0, static_cast<int>(i)));
    }
    return true;
}

void ListJukebox() {
    TElementList& list = startListWithBackElement();
    int position = 0;
    for (const auto& row : gActualTitleList)
        list.add(std::to_string(position++), row.element);
}
