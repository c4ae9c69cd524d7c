// The media-player interface's commands and state, without the bus: the program's routines on
// fake players and the manual clock.

#include "playback/RemoteControl.h"
#include "app/AppState.h"
#include "platform/Mpris.h"
#include "playback/Players.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using platform::MprisCommand;
using Kind = platform::MprisCommand::Kind;
using testsupport::AppDriver;

std::string playingName() {
    return gPlayingTitle ? gPlayingTitle->FileName() : "";
}

TEST(RemoteControlTest, CommandsRunTheProgramsRoutinesAndTheStateFollows) {
    AppDriver driver;
    driver.createLibrary();
    ASSERT_TRUE(driver.start());
    RemoteControl remote(driver.form().loop(), false);
    const auto run = [&](Kind kind, std::int64_t microseconds = 0, std::string argument = {}) {
        remote.run(MprisCommand{kind, microseconds, std::move(argument)});
        driver.pump();
    };
    const auto& titles = AppDriver::Library::titlesOfFirstMusicFolder();
    const std::string folder =
        driver.musicRoot() + AppDriver::Library::musicFolders().front() + "/";

    EXPECT_FALSE(OpenTitleFile(folder + "Fehlt.mp3"));
    EXPECT_EQ(remote.state().playbackStatus, "Stopped");
    EXPECT_FALSE(remote.state().canPlay); // the main menu has no title to start

    // Opened from outside its folder: its folder is shown and the titles after it are queued.
    ASSERT_TRUE(OpenTitleFile(folder + titles[1]));
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_EQ(AppDriver::currentName(), gPlayingTitle->Name());
    EXPECT_EQ(playingName(), titles[1]);
    EXPECT_EQ(gActualTitleList.count(), static_cast<int>(titles.size()) - 1);
    platform::MprisState state = remote.state();
    EXPECT_EQ(state.playbackStatus, "Playing");
    EXPECT_EQ(state.title, "Mamma Mia");
    EXPECT_EQ(state.artist, "ABBA");
    EXPECT_EQ(state.url, platform::fileUri(folder + titles[1]));
    EXPECT_FALSE(state.artUrl.empty()); // the folder has a front cover
    EXPECT_TRUE(state.canGoNext);
    EXPECT_FALSE(state.canGoPrevious);
    const std::string firstTrack = state.trackId;

    run(Kind::PlayPause);
    EXPECT_EQ(remote.state().playbackStatus, "Paused");
    run(Kind::Pause); // only pauses what plays: does not continue
    EXPECT_EQ(remote.state().playbackStatus, "Paused");
    run(Kind::Play);
    EXPECT_EQ(remote.state().playbackStatus, "Playing");

    run(Kind::Next);
    EXPECT_EQ(playingName(), titles[2]);
    EXPECT_NE(remote.state().trackId, firstTrack);
    EXPECT_FALSE(remote.state().canGoNext);
    EXPECT_TRUE(remote.state().canGoPrevious);
    run(Kind::Previous);
    EXPECT_EQ(playingName(), titles[1]);

    // A position for another title is ignored; the current one's is taken.
    run(Kind::SetPosition, 20'000'000, firstTrack);
    EXPECT_LT(driver.musicPlayer().positionMs(), 10'000);
    run(Kind::SetPosition, 20'000'000, remote.state().trackId);
    EXPECT_GE(driver.musicPlayer().positionMs(), 20'000);
    run(Kind::Seek, -5'000'000);
    EXPECT_GE(driver.musicPlayer().positionMs(), 15'000);
    EXPECT_LT(driver.musicPlayer().positionMs(), 20'000);

    run(Kind::Stop);
    state = remote.state();
    EXPECT_EQ(state.playbackStatus, "Stopped");
    EXPECT_TRUE(state.trackId.empty());
    // With nothing playing, PlayPause starts the highlighted title.
    EXPECT_TRUE(state.canPlay);
    run(Kind::PlayPause);
    EXPECT_EQ(playingName(), titles[1]);
    EXPECT_EQ(remote.state().playbackStatus, "Playing");
}

TEST(RemoteControlTest, FileUrisCarryThePathsBytes) {
    struct Row {
        std::string path;
        std::string uri;
    };
    const Row rows[] = {
        {"/m/A b.mp3", "file:///m/A%20b.mp3"},
        {"/m/M\xc3\xa4"
         "dchen.mp3",
         "file:///m/M%C3%A4dchen.mp3"},
        {"/m/M\xe4"
         "dchen.mp3",
         "file:///m/M%E4dchen.mp3"}, // a Windows-1252 name
        {"/m/50%.mp3", "file:///m/50%25.mp3"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(platform::fileUri(row.path), row.uri);
        EXPECT_EQ(platform::pathOfFileUri(row.uri), row.path);
    }
    EXPECT_EQ(platform::pathOfFileUri("file://localhost/m/a.mp3"), "/m/a.mp3");
    for (const char* refused : {"http://host/a.mp3", "file://other/a.mp3", "a.mp3", "file:///%zz"})
        EXPECT_EQ(platform::pathOfFileUri(refused), std::nullopt) << refused;
    EXPECT_EQ(platform::fileUri("relative.mp3"), "");
}

} // namespace
