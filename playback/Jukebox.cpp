#include "playback/Jukebox.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "input/Cursor.h"
#include "input/Menubar.h"
#include "input/PressedKeyText.h"
#include "library/LibraryScan.h"
#include "platform/FileSystem.h"
#include "playback/Play.h"
#include "playback/Players.h"
#include "ui/TitlebarList.h"

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

// The generator behind Random. Main thread only; empty until its first use.
std::optional<std::mt19937> gRandomGenerator;

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool musicPlaying() {
    return MusicPlayerMode() == platform::PlayerMode::Playing;
}

void logQueue(const std::string& prefix) {
    for (int i = 0; i < gActualTitleList.count(); ++i)
        LogLine(prefix + "gActualTitleList[" + std::to_string(i) +
                "] = " + gActualTitleList.element(i)->FileName());
}

// Discards whatever queue there was; a title that is playing (not merely paused) stays as the
// jukebox's head and plays on. Returns whether it did.
bool startJukebox() {
    LogLine("initializing jukebox...\"");
    gActualTitleList = TElementList();
    // The head is entry 0 from now on; an index left from a normal queue would make the end of
    // the head look like the end of the queue.
    gActualTitleIndex = 0;
    bool headKept = false;
    // During a start's muted lead-in the player plays before the title is registered.
    if (musicPlaying() && gPlayingTitle) {
        LogLine("put actual title " + quoted(gPlayingTitle->FileName()) + " in jukebox");
        gActualTitleList.add("", gPlayingTitle);
        headKept = true;
    }
    gPlayMode = kPlayModeJukebox;
    BuildMenubar();
    return headKept;
}

// Puts the queue's own entries into a random order; with keepHead entry 0 keeps its place. Each
// draw takes one of the positions not drawn yet, so every order is equally likely, and a title
// queued twice (one element in two entries) takes part twice.
void reorderQueueRandomly(bool keepHead) {
    std::vector<ListElementPtr> candidates;
    for (const TElementList::Row& row : gActualTitleList) {
        row.element->SetShufflePicked(false);
        candidates.push_back(row.element);
    }
    LogLine("tmpTitleList.count=" + std::to_string(candidates.size()));
    gActualTitleList = TElementList();
    auto take = [&candidates](std::size_t index) {
        candidates[index]->SetShufflePicked(true);
        gActualTitleList.add("", candidates[index]);
        candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(index));
    };
    if (keepHead && !candidates.empty())
        take(0);
    while (!candidates.empty())
        take(static_cast<std::size_t>(Random(static_cast<int>(candidates.size()))));
}

// The queue position of a title of the jukebox view, -1 when it is not queued. The highlighted
// row shows its own entry, so two queued files of the same name are told apart there; any other
// element is looked up by its file name.
int findQueuedTitle(const ListElementPtr& element) {
    if (!element)
        return -1;
    if (gMenuMode == mmJukebox) {
        const int shown = gListElementOffset + HightlightTitlebarIndex - 1;
        if (shown >= 0 && gActualTitleList.element(shown) == element)
            return shown;
    }
    for (int i = 0; i < gActualTitleList.count(); ++i) {
        if (gActualTitleList.element(i)->FileName() == element->FileName())
            return i;
    }
    return -1;
}

// Exchanges queue entries `entry` and `entry` + 1 and the view rows that show them.
void swapWithNext(int entry) {
    gActualTitleList.exchangeElements(entry, entry + 1);
    if (gMenuMode == mmJukebox)
        gListElements->exchangeElements(entry + 1, entry + 2);
}

// Moves the highlight along with a moved or deleted row of the jukebox view, and shows it.
void followInView(void (*moveCursor)()) {
    if (gMenuMode != mmJukebox)
        return;
    moveCursor();
    DrawTitlebarList();
}

} // namespace

int Random(int n) {
    if (n < 1)
        return 0;
    if (!gRandomGenerator)
        gRandomGenerator.emplace(std::random_device{}());
    return std::uniform_int_distribution<int>(0, n - 1)(*gRandomGenerator);
}

void SeedRandom(std::uint32_t seed) {
    gRandomGenerator.emplace(seed);
}

void ResetRandom() {
    gRandomGenerator.reset();
}

void CollectMP3Files(const std::string& folder) {
    WalkFolderTree(folder, [](const std::string& where, const std::string& name) {
        if (!IsMP3TitleName(name))
            return;
        const double date = platform::fileDate(where + name).value_or(0.0);
        gActualTitleList.add(
            "", std::make_shared<TListElement>(ListElementType::MP3, where, name, date, 0));
    });
}

void callFunction_Jukebox(const ListElementPtr& element) {
    if (!element)
        return;
    ShowPressedKeyText("Titel in Jukebox...");
    LogLine("enter callFunction_Jukebox()");
    LogLine(element->FileName());
    if (gPlayMode != kPlayModeJukebox)
        startJukebox();
    gPlayMode = kPlayModeJukebox;
    LogLine("put title " + quoted(element->FileName()) + " in jukebox");
    gActualTitleList.add("", element);
    logQueue("JUKEBOX: ");
    // The first title queued while nothing plays starts at once; later ones wait.
    if (gActualTitleList.count() == 1) {
        gActualTitleIndex = 0;
        if (!musicPlaying())
            PlayTitleNumber();
    }
}

void callFunction_JukeboxDir(const ListElementPtr& folder) {
    if (!folder)
        return;
    ShowPressedKeyText("Verzeichnis zu Jukebox hinzufügen...");
    LogLine("enter callFunction_JukeboxDir()");
    LogLine(folder->FileName());
    bool keepHead = false;
    if (gPlayMode != kPlayModeJukebox)
        keepHead = startJukebox();
    else
        keepHead = musicPlaying();
    const int before = gActualTitleList.count();
    gPlayMode = kPlayModeJukebox;
    CollectMP3Files(folder->FullPath());
    LogLine("gActualTitleList.count=" + std::to_string(gActualTitleList.count()));
    const int added = gActualTitleList.count() - before;
    // Everything waiting, the titles queued before included, is mixed anew; only the title
    // that plays keeps its place.
    reorderQueueRandomly(keepHead);
    logQueue("");
    gActualTitleIndex = 0;
    if (!musicPlaying() && !gActualTitleList.empty())
        PlayTitleNumber();
    ShowPressedKeyText("Jukebox enthält nun " + std::to_string(gActualTitleList.count()) +
                       " Titel (+" + std::to_string(added) + ")");
}

void callFunction_Select_Shuffle() {
    ShowPressedKeyText("Shuffle");
    LogLine("enter callFunction_Select_Shuffle()");
    gPlayMode = kPlayModeShuffle;
    // The jukebox ends here; its menubar set goes with it.
    BuildMenubar();
    gActualTitleList = TElementList();
    if (gMenuMode == mmPlaylist) {
        // The playlist's titles; a folder opened from the playlist lists folders too, and those
        // cannot be played as titles.
        for (int i = 1; i < gListElements->count(); ++i) {
            const ListElementPtr element = gListElements->element(i);
            if (!element->IsFolder() && element->ElementType() != ListElementType::Back)
                gActualTitleList.add("", element);
        }
    } else {
        CollectMP3Files(gCurrentDirectory);
    }
    reorderQueueRandomly(false);
    logQueue("");
    gActualTitleIndex = 0;
    if (!gActualTitleList.empty())
        PlayTitleNumber();
}

void callFunction_DeleteFromJukebox(const ListElementPtr& element) {
    LogLine("enter callFunction_DeleteFromJukebox()");
    if (!element)
        return;
    LogLine("delete title " + quoted(element->FileName()) + " from jukebox");
    ShowPressedKeyText("Lösche aus Jukebox");
    const int entry = findQueuedTitle(element);
    if (entry == 0) {
        ShowPressedKeyText("Fehler!");
        return;
    }
    if (entry < 0)
        return;
    gActualTitleList.remove(entry);
    if (gMenuMode == mmJukebox)
        gListElements->remove(entry + 1);
    followInView(CursorUp);
}

void callFunction_JukeboxDown(const ListElementPtr& element) {
    LogLine("enter callFunction_JukeboxDown()");
    const int entry = findQueuedTitle(element);
    if (entry == 0) {
        ShowPressedKeyText("Fehler!");
        return;
    }
    if (entry < 0 || entry >= gActualTitleList.count() - 1)
        return;
    swapWithNext(entry);
    followInView(CursorDown);
}

void callFunction_JukeboxUp(const ListElementPtr& element) {
    LogLine("enter callFunction_JukeboxUp()");
    // The head plays and the entry behind it cannot pass it; a title not queued is refused too.
    const int entry = findQueuedTitle(element);
    if (entry <= 1) {
        ShowPressedKeyText("Fehler!");
        return;
    }
    swapWithNext(entry - 1);
    followInView(CursorUp);
}
