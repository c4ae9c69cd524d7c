// The demo library that tools/make-demo-library.sh generates, browsed by the program itself:
// the generated files must be what the listings, the MP3 reader, the cover lookup, the
// playlist reader, the JPEG decoder and the desktop-entry reader expect.

#include "app/AppState.h"
#include "library/CoverLookup.h"
#include "library/FolderInfoWorker.h"
#include "library/FolderListing.h"
#include "library/LibraryScan.h"
#include "library/Mp3Element.h"
#include "platform/JpegDecoder.h"
#include "platform/KeyMap.h"
#include "playback/Players.h"
#include "playback/StatusMessage.h"
#include "support/AppDriver.h"
#include "ui/CBImage.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testsupport::AppDriver;
namespace fs = std::filesystem;
namespace vk = platform::vk;
using Names = std::vector<std::string>;

// Runs the script with a shell command prefix (such as environment settings); its exit code.
// What it says on its error output goes to errorFile.
int runScript(const std::string& prefix, const std::string& folder, const std::string& errorFile) {
    const std::string command = prefix +
                                " /bin/bash '" ZVN_SOURCE_DIR "/tools/make-demo-library.sh' '" +
                                folder + "' >/dev/null 2>'" + errorFile + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::map<std::string, fs::file_time_type> filesBelow(const std::string& folder) {
    std::map<std::string, fs::file_time_type> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && !entry.is_symlink())
            files[entry.path().string()] = entry.last_write_time();
    return files;
}

void waitForFolderInfo(AppDriver& driver) {
    WaitForFolderInfoWorkers();
    driver.pump();
}

TEST(DemoLibraryTest, RefusesClearlyWithoutFfmpegAndCreatesNothing) {
    testsupport::TempDir temp;
    const std::string folder = temp.file("demo");
    EXPECT_EQ(runScript("PATH=/nonexistent", folder, temp.file("err")), 1);
    EXPECT_NE(testsupport::readFile(temp.file("err")).find("ffmpeg is not installed"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(folder));
}

TEST(DemoLibraryTest, GeneratedLibraryListsTitlesTagsCoversPlaylistPhotosVideosAndLinks) {
    if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ffmpeg is not installed";
    // The program's own players: the demo's titles really play.
    AppDriver driver{AppDriver::Players::Real};
    const std::string folder = driver.programFolder();
    const testsupport::TempDir scratch;
    ASSERT_EQ(runScript("ZVN_DEMO_QUICK=1", folder, scratch.file("err")), 0)
        << testsupport::readFile(scratch.file("err"));

    // A second run keeps every file, the user's own too, and only replaces what is missing.
    const auto firstRun = filesBelow(folder);
    testsupport::writeFile(driver.musicRoot() + "Eigene Notizen.txt", "mine");
    fs::remove(driver.photoRoot() + "Urlaub/Strand.jpg");
    ASSERT_EQ(runScript("ZVN_DEMO_QUICK=1", folder, scratch.file("err")), 0);
    auto secondRun = filesBelow(folder);
    EXPECT_EQ(testsupport::readFile(driver.musicRoot() + "Eigene Notizen.txt"), "mine");
    secondRun.erase(driver.musicRoot() + "Eigene Notizen.txt");
    ASSERT_EQ(secondRun.size(), firstRun.size());
    for (const auto& [path, time] : firstRun) {
        if (path.find("Strand.jpg") == std::string::npos) {
            EXPECT_EQ(secondRun.at(path), time) << path;
        }
    }

    // The program starts on the script's Config.ini.
    ASSERT_TRUE(driver.start());
    ASSERT_TRUE(driver.waitUntil([] { return gLibraryScanFinished; }));

    // The playlist is found; its path lines (CR LF ended) name titles of two albums.
    for (int key : {vk::Down, vk::Down, vk::Down, vk::Return})
        driver.pressKey(key);
    ASSERT_EQ(gMenuMode, mmPlaylists);
    EXPECT_EQ(AppDriver::listNames(), (Names{"..", "Lieblingslieder"}));
    std::istringstream playlist(testsupport::readFile(driver.musicRoot() + "Lieblingslieder.m3u"));
    std::set<std::string> albums;
    int titles = 0;
    for (std::string line; std::getline(playlist, line);) {
        ASSERT_TRUE(line.ends_with('\r'));
        line.pop_back();
        if (line.starts_with('#'))
            continue;
        ++titles;
        EXPECT_TRUE(fs::is_regular_file(driver.musicRoot() + line)) << line;
        albums.insert(line.substr(0, line.find('/')));
    }
    EXPECT_EQ(titles, 4);
    EXPECT_EQ(albums.size(), 2u);
    driver.pressKey(vk::Escape);
    ASSERT_EQ(gMenuMode, mmMain);

    // The albums, with the year of their first title; the untagged one has none.
    driver.pressKey(vk::Return);
    ASSERT_EQ(gMenuMode, mmMusic);
    waitForFolderInfo(driver);
    EXPECT_EQ(AppDriver::listNames(),
              (Names{"..", "Demo Band - Erstes Album", "Demo Band - Zweites Album",
                     "Klangwerk - Akkorde", "Straßenmusik (ohne Tags)"}));
    Names years;
    for (int row = 1; row < gListElements->count(); ++row)
        years.push_back(gListElements->element(row)->FolderYear());
    EXPECT_EQ(years, (Names{"2019", "2021", "2023", ""}));

    // The first album: its titles with their tags, and both covers, the front one shown.
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Return);
    waitForFolderInfo(driver);
    const std::string album = driver.musicRoot() + "Demo Band - Erstes Album/";
    ASSERT_EQ(gCurrentDirectory, album);
    EXPECT_EQ(AppDriver::listNames(), (Names{"..", "01 - Morgenlicht", "02 - Wellenreiter",
                                             "03 - Abendrot", "04 - Sternenstaub"}));
    const ListElementPtr third = gListElements->element(3);
    EXPECT_EQ(third->Artist(), "Demo Band");
    EXPECT_EQ(third->Title(), "Abendrot");
    EXPECT_EQ(third->TrackNo(), 3);
    EXPECT_EQ(third->Length(), "0:03");
    EXPECT_NE(third->InfoText().find("Jahr: 2019"), std::string::npos) << third->InfoText();
    EXPECT_EQ(gCurrentCoverFrontFileName, album + "cover_front.jpg");
    EXPECT_EQ(gCurrentCoverBackFileName, album + "cover_back.jpg");
    driver.frame();
    EXPECT_FALSE(driver.form().CoverImage.Picture().empty());
    for (int key : {vk::Down, vk::Down, vk::Down, vk::Return})
        driver.pressKey(key);
    EXPECT_EQ(gMusicPlayer->mode(), platform::PlayerMode::Playing);
    EXPECT_EQ(gPlayingTitle, third);
    EXPECT_EQ(gStatusMessage, " 3. Demo Band - Abendrot");

    // Every title reads as a three-second MP3; only the untagged album has no titles in tags.
    // Every picture decodes; the photos keep the sizes they were made in.
    titles = 0;
    for (const auto& [path, time] : secondRun) {
        if (path.ends_with(".mp3")) {
            ++titles;
            const Mp3ElementInfo info = ReadMp3ElementInfo(path);
            EXPECT_EQ(info.length, "0:03") << path;
            EXPECT_EQ(info.title.empty(), path.find("(ohne Tags)") != std::string::npos) << path;
        } else if (path.ends_with(".jpg")) {
            EXPECT_FALSE(platform::loadJpegFile(path).empty()) << path;
        }
    }
    EXPECT_EQ(titles, 13);
    const platform::Picture beach =
        platform::loadJpegFile(driver.photoRoot() + "Urlaub/Strand.jpg");
    EXPECT_EQ(beach.width(), 1600);
    EXPECT_EQ(beach.height(), 1200);

    // Both kinds of video are listed, and the folder's picture is their cover.
    ListVideoFolder(driver.videoRoot());
    const Names videos = AppDriver::listNames();
    EXPECT_NE(std::find(videos.begin(), videos.end(), "Farbbalken.avi"), videos.end());
    EXPECT_NE(std::find(videos.begin(), videos.end(), "Testbild.mp4"), videos.end());
    EXPECT_EQ(gCurrentCoverFrontFileName, driver.videoRoot() + "Kino.jpg");

    // Both desktop entries are read, with their comments as the second caption line.
    ListProgramLinkFolder(driver.programLinkRoot());
    ASSERT_EQ(AppDriver::listNames(), (Names{"..", "Beispielprogramm", "Debian im Netz"}));
    EXPECT_NE(gListElements->element(1)->InfoText(), "");
    EXPECT_NE(gListElements->element(2)->InfoText(), "");
}

} // namespace
