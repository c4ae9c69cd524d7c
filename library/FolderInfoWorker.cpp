#include "library/FolderInfoWorker.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "config/Config.h"
#include "platform/FileSystem.h"

#include <atomic>
#include <thread>
#include <utility>

namespace {

// Main thread only: the generation whose results are still wanted.
std::uint64_t gFolderInfoGeneration = 0;

// A running or finished worker. `finished` is set by the worker as its last action, so the
// main thread can join it without waiting.
struct WorkerSlot {
    std::jthread thread;
    std::shared_ptr<std::atomic<bool>> finished;
};

// Main thread only.
std::vector<WorkerSlot>& workers() {
    static std::vector<WorkerSlot> slots;
    return slots;
}

bool stillWanted(const FolderInfoJobs& jobs, const std::stop_token& stop) {
    return !stop.stop_requested() && !jobs.list.expired();
}

// Position of the first title: the folders come first, after the ".." row.
int firstTitlePosition(const TElementList& list) {
    int first = 1;
    for (int i = 1; i < list.count(); ++i) {
        const ListElementPtr element = list.element(i);
        if (element && element->ElementType() != ListElementType::MP3)
            ++first;
    }
    return first;
}

// One ascending pass that moves each title to the position its track number names. The row
// that arrives at a position is not looked at again, so the pass orders completely only when
// every exchange happens to settle a title; titles whose number lies beyond the list stay.
void orderByTrackNumber(TElementList& list, int first) {
    const int count = list.count();
    for (int i = first; i < count; ++i) {
        const ListElementPtr element = list.element(i);
        if (!element || element->ElementType() != ListElementType::MP3)
            continue;
        const int trackNo = element->TrackNo();
        if (trackNo <= 0)
            continue;
        const int target = first + trackNo - 1;
        if (target <= count - 1)
            list.exchangeElements(i, target);
    }
}

void reapFinishedWorkers() {
    auto& slots = workers();
    std::erase_if(slots, [](WorkerSlot& slot) {
        if (!slot.finished->load())
            return false;
        slot.thread.join();
        return true;
    });
}

} // namespace

std::uint64_t NextFolderInfoGeneration() {
    return ++gFolderInfoGeneration;
}

std::uint64_t CurrentFolderInfoGeneration() {
    return gFolderInfoGeneration;
}

std::string ReadFolderYear(const std::string& folderPath) {
    for (const auto& entry : platform::listDirectory(folderPath, "*", platform::EntryFilter::All)) {
        // A folder that happens to be named like a title is no title to read.
        if (entry.isDirectory || !IsMusicTitleFile(entry.name))
            continue;
        return ReadMp3ElementInfo(platform::withTrailingSlash(folderPath) + entry.name).year;
    }
    return {};
}

std::optional<FolderInfoResults> FillMusicFolderInfo(const FolderInfoJobs& jobs,
                                                     std::stop_token stop) {
    FolderInfoResults results;
    results.titles.reserve(jobs.titles.size());
    for (const auto& job : jobs.titles) {
        if (!stillWanted(jobs, stop))
            return std::nullopt;
        results.titles.push_back(ReadMp3ElementInfo(job.fullPath));
    }
    results.folderYears.reserve(jobs.folders.size());
    for (const auto& job : jobs.folders) {
        if (!stillWanted(jobs, stop))
            return std::nullopt;
        results.folderYears.push_back(ReadFolderYear(job.folderPath));
    }
    return results;
}

bool ApplyFolderInfoResults(const FolderInfoJobs& jobs, const FolderInfoResults& results) {
    if (jobs.generation != gFolderInfoGeneration)
        return false;
    const std::shared_ptr<const TElementList> list = jobs.list.lock();
    if (!list || list != gListElements)
        return false;
    // The shown list is the one the jobs were built from; it is ours to change here.
    TElementList& shown = *gListElements;

    const int first = firstTitlePosition(shown);

    for (std::size_t i = 0; i < jobs.titles.size() && i < results.titles.size(); ++i)
        ApplyMp3ElementInfo(*jobs.titles[i].element, results.titles[i]);

    if (gIniShowMP3TagInsteadOfFilename && gIniSortTitlesByMP3InfoTrackNo)
        orderByTrackNumber(shown, first);

    for (std::size_t i = 0; i < jobs.folders.size() && i < results.folderYears.size(); ++i)
        jobs.folders[i].element->SetFolderYear(results.folderYears[i]);

    Mainform().requestRepaint();
    return true;
}

void StartFolderInfoWorker(FolderInfoJobs jobs) {
    // Logged before any reading, so a worker that is stopped early still leaves its line.
    if (const std::shared_ptr<const TElementList> list = jobs.list.lock())
        LogLine("count=" + std::to_string(firstTitlePosition(*list)));
    auto shared = std::make_shared<const FolderInfoJobs>(std::move(jobs));
    for (auto& slot : workers())
        slot.thread.request_stop();
    reapFinishedWorkers();

    platform::MainLoop* loop = &Mainform().loop();
    auto finished = std::make_shared<std::atomic<bool>>(false);
    std::jthread thread([shared, loop, finished](std::stop_token stop) {
        auto results = FillMusicFolderInfo(*shared, stop);
        // A stopped worker posts nothing; the main thread would drop it anyway.
        if (results && !stop.stop_requested()) {
            loop->post([shared, results = std::move(*results)] {
                ApplyFolderInfoResults(*shared, results);
            });
        }
        finished->store(true);
    });
    workers().push_back(WorkerSlot{std::move(thread), std::move(finished)});
}

void WaitForFolderInfoWorkers() {
    for (auto& slot : workers())
        slot.thread.join();
    workers().clear();
}

void StopFolderInfoWorkers() {
    auto& slots = workers();
    for (auto& slot : slots)
        slot.thread.request_stop();
    for (auto& slot : slots)
        slot.thread.join();
    slots.clear();
}

void ResetFolderInfoWorkers() {
    StopFolderInfoWorkers();
    gFolderInfoGeneration = 0;
}
