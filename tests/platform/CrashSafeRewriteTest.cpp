// A process killed at any moment while it rewrites the user's files leaves each of them whole:
// byte for byte what it held before the rewrite or after it. A child process forked from a
// started program rewrites a playlist, Ratings.dat and Config.ini (through the program and
// through the set-up program's writing) in a loop between two known contents and is killed
// with SIGKILL after a random delay, a few hundred times. The next start then leaves no
// temporary file of the rewrites behind.

#include "app/AppState.h"
#include "app/MenuModes.h"
#include "app/Program.h"
#include "config/Config.h"
#include "config/FirstRunSetup.h"
#include "config/Ratings.h"
#include "library/LibraryScan.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "platform/UniqueFd.h"
#include "playback/Playlists.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using testsupport::AppDriver;
using testsupport::readFile;
using Clock = std::chrono::steady_clock;

constexpr int kKills = 300;
// Forking a started program and waiting for the file system's syncs takes its time on a busy
// machine; the kills stop early rather than let the test grow past this.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::chrono::seconds kKillTime{45};
#else
constexpr std::chrono::seconds kKillTime{15};
#endif

TRatingList ratings(const std::string& folder, int count) {
    TRatingList list;
    for (int i = 0; i < count; ++i)
        list.push_back({folder + "Titel " + std::to_string(i), {std::string(i % 6, '*')}, {}});
    return list;
}

// Parity 0 gives every file its first content, parity 1 its second.
void rewriteEverything(int parity, const ListElementPtr& title, const TRatingList& few,
                       const TRatingList& many) {
    // Config.ini: the program's own writing and the set-up program's take turns.
    if (parity == 0) {
        gIniCurrentLanguage = 0;
        WriteConfig();
    } else {
        ConfigOptions options;
        options.language = 1;
        std::string message;
        WriteConfigOptions(options, gProgramDirectory + "/Config.ini", message);
    }
    // The second content is far longer, so a cut-off write could not pass for the first.
    gRatings = parity == 0 ? few : many;
    WriteRatings();
    // The title moves between the first two rows; a child that finds it in place already
    // writes the playlist as it stands.
    const bool moved = gListElements->element(1) != title;
    if (parity == 1 && !moved)
        callFunction_PlaylistDown(title);
    else if (parity == 0 && moved)
        callFunction_PlaylistUp(title);
    else
        RewriteOpenPlaylist();
}

// The child: reports that it runs, then one byte per completed round of rewrites, until it
// is killed. It never returns into the test.
[[noreturn]] void rewriteUntilKilled(int reportFd, int firstParity,
                                     const std::function<void(int)>& rewrite) {
    ::alarm(60); // a child whose test died ends by itself
    if (::write(reportFd, "r", 1) != 1)
        ::_exit(2);
    for (int round = firstParity;; ++round) {
        rewrite(round % 2);
        // The pipe may be full; the count is a lower bound then.
        if (::write(reportFd, "+", 1) != 1) {
        }
    }
}

struct RewrittenFile {
    std::string path;
    std::string first;
    std::string second;
    int seenFirst = 0;
    int seenSecond = 0;
};

std::vector<std::string> temporariesIn(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (platform::rewrittenNameOfTemporary(name))
            found.push_back(name);
    }
    return found;
}

TEST(CrashSafeRewrite, KilledRewritesLeaveOldOrNewContentAndTheNextStartCleansUp) {
    AppDriver driver;
    driver.createLibrary();
    const std::string playlistName = "Absturz.m3u";
    const std::string playlistPath = driver.musicRoot() + playlistName;
    {
        std::string playlist = "#EXTM3U\r\n";
        for (const std::string& name : AppDriver::Library::musicRootTitles())
            playlist += name + "\r\n";
        testsupport::writeFile(playlistPath, playlist);
    }
    ASSERT_TRUE(driver.start());
    ASSERT_TRUE(driver.waitUntil([] { return gLibraryScanFinished; }));
    const auto playlists = FoundPlaylistsSnapshot();
    SetMenuMode(mmPlaylist);
    ReadPlaylist(std::make_shared<TListElement>(ListElementType::Playlist, driver.musicRoot(),
                                                playlistName, 0.0, 1));
    ASSERT_GE(gListElements->count(), 3);
    const ListElementPtr title = gListElements->element(1);
    // Children must not write into the shared debug log.
    gIniShowDebugWindow = false;
    const TRatingList few = ratings(driver.musicRoot(), 3);
    const TRatingList many = ratings(driver.musicRoot(), 3000);
    const auto rewrite = [&](int parity) { rewriteEverything(parity, title, few, many); };

    std::vector<RewrittenFile> files(3);
    files[0].path = driver.programFolder() + "/Config.ini";
    files[1].path = driver.programFolder() + "/Ratings.dat";
    files[2].path = playlistPath;
    // Both contents as the program writes them, and that the alternation returns to the first
    // exactly; a round's time sets the range of the delays.
    const auto firstRound = Clock::now();
    rewrite(1);
    rewrite(0);
    for (auto& file : files)
        file.first = readFile(file.path);
    rewrite(1);
    for (auto& file : files)
        file.second = readFile(file.path);
    rewrite(0);
    const auto roundTime = (Clock::now() - firstRound) / 4;
    for (const auto& file : files) {
        ASSERT_EQ(readFile(file.path), file.first) << file.path;
        ASSERT_NE(file.first, file.second) << file.path;
        ASSERT_FALSE(file.first.empty()) << file.path;
    }

    std::mt19937 random(15);
    // A child may write slower than this process did (its first writes copy the pages it
    // shares with it, and the machine may be busy): a kill that came before the child finished
    // a single round widens the range, one after many rounds narrows it again, so the kills
    // keep falling within the first rounds.
    std::int64_t longestUs = std::max<std::int64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(roundTime * 2).count(), 1);
    const auto caughtInBothStates = [&files] {
        return std::all_of(files.begin(), files.end(), [](const RewrittenFile& file) {
            return file.seenFirst > 0 && file.seenSecond > 0;
        });
    };
    const auto started = Clock::now();
    int rounds = 0;
    int kills = 0;
    for (; (kills < kKills || !caughtInBothStates()) && Clock::now() - started < kKillTime;
         ++kills) {
        const int roundsBefore = rounds;
        const int firstParity = static_cast<int>(random() % 2);
        int ends[2];
        ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
        platform::UniqueFd readEnd(ends[0]);
        platform::UniqueFd writeEnd(ends[1]);
        ::fcntl(writeEnd.get(), F_SETFL, O_NONBLOCK);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            rewriteUntilKilled(writeEnd.get(), firstParity, rewrite);
        writeEnd.reset();
        char report = 0;
        const bool running = ::read(readEnd.get(), &report, 1) == 1;
        if (running)
            std::this_thread::sleep_for(std::chrono::microseconds(
                std::uniform_int_distribution<std::int64_t>(0, longestUs)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(running);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the rewriting child ended on its own, status " << status;
        while (::read(readEnd.get(), &report, 1) == 1)
            ++rounds;
        if (rounds == roundsBefore)
            longestUs = std::min<std::int64_t>(longestUs * 2, 1'000'000);
        else if (rounds - roundsBefore > 4)
            longestUs = std::max<std::int64_t>(longestUs / 2, 1);

        for (auto& file : files) {
            const std::string bytes = readFile(file.path);
            file.seenFirst += bytes == file.first;
            file.seenSecond += bytes == file.second;
            ASSERT_TRUE(bytes == file.first || bytes == file.second)
                << file.path << " after kill " << kills << " holds " << bytes.size() << " bytes";
        }
    }
    const auto seconds = std::chrono::duration<double>(Clock::now() - started).count();
    std::cout << kills << " kills in " << seconds << " s, " << rounds
              << " completed rounds of rewrites\n";
    // Each file was caught in both states: the children did rewrite them.
    for (const auto& file : files) {
        EXPECT_GT(file.seenFirst, 0) << file.path;
        EXPECT_GT(file.seenSecond, 0) << file.path;
    }

    // Whatever the kills left, plus a leftover of each file from a process long gone.
    const std::string gone = std::to_string(::getpid() + 1);
    for (const auto& file : files) {
        const auto [folder, name] = platform::splitFolderAndName(file.path);
        testsupport::writeFile(folder + "." + name + ".tmp-" + gone + "-0", "half");
    }
    driver.stop();
    ASSERT_TRUE(driver.start());
    ASSERT_TRUE(driver.waitUntil([] { return gLibraryScanFinished; }));
    EXPECT_EQ(temporariesIn(driver.programFolder()), std::vector<std::string>{});
    EXPECT_EQ(temporariesIn(driver.musicRoot()), std::vector<std::string>{});
    // A leftover beside a playlist was not taken for a playlist of its own.
    EXPECT_EQ(FoundPlaylistsSnapshot(), playlists);
    driver.stop();
    ResetRatings();
}

} // namespace
