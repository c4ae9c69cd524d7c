#pragma once

#include "library/ElementList.h"
#include "library/Mp3Element.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

// The folder-information worker of a music folder listing. The listing hands it the titles and
// subfolders of the list it has just built; the worker only reads files, and the main thread
// applies what it read to that list, provided the list is still the one shown.

// One title of the list: its element and the file to read.
struct FolderInfoTitleJob {
    ListElementPtr element;
    std::string fullPath;
};

// One subfolder of the list: its element and the folder (ending in "/") whose first title
// gives the folder's year.
struct FolderInfoFolderJob {
    ListElementPtr element;
    std::string folderPath;
};

// Everything a worker needs, built on the main thread. The elements are only carried along
// for the main thread; the worker never touches them.
struct FolderInfoJobs {
    // The list the jobs were built from; the worker stops once it is dropped.
    std::weak_ptr<const TElementList> list;
    // NextFolderInfoGeneration() of the listing that built the jobs.
    std::uint64_t generation = 0;
    std::vector<FolderInfoTitleJob> titles;
    std::vector<FolderInfoFolderJob> folders;
};

// What the worker read, in the order of the jobs.
struct FolderInfoResults {
    std::vector<Mp3ElementInfo> titles;
    std::vector<std::string> folderYears;
};

// Starts a new generation of folder information: results of every older one are dropped.
// Main thread.
std::uint64_t NextFolderInfoGeneration();
std::uint64_t CurrentFolderInfoGeneration();

// The worker body: reads the MP3 information of every title, then the year of every folder.
// Before each file it checks whether it is still wanted (stop requested or the list dropped)
// and gives up without a result when not. Any thread; reads files only.
std::optional<FolderInfoResults> FillMusicFolderInfo(const FolderInfoJobs& jobs,
                                                     std::stop_token stop);

// The year of the first title (by name) of a folder;
// empty when the folder holds no title or its first title has no year. Any thread.
std::string ReadFolderYear(const std::string& folderPath);

// Main thread: applies results to the list they belong to. Fills the titles, orders them by track
// number when the settings ask for it, sets the folder years and asks for a repaint. False,
// changing nothing, when the results are stale (another listing or mode has replaced the list
// meanwhile).
bool ApplyFolderInfoResults(const FolderInfoJobs& jobs, const FolderInfoResults& results);

// Main thread: logs the position of the first title of the jobs' list ("count=..."), asks the
// workers of older listings to stop and starts a worker for `jobs`; its
// results come back through the main window's loop.
void StartFolderInfoWorker(FolderInfoJobs jobs);

// Main thread: waits until every worker has finished reading, without stopping it, so that
// their results are waiting in the loop's queue. For callers that need the information before
// they go on.
void WaitForFolderInfoWorkers();

// Main thread: stops every worker and waits for it to end. The main window calls it before
// it goes, so no worker outlives the loop it posts to.
void StopFolderInfoWorkers();

// Main thread: stops every worker and starts the generations from the beginning again.
void ResetFolderInfoWorkers();
