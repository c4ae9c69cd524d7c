#include "playback/MusicPlayback.h"

#include "app/AppState.h"
#include "app/MenuModes.h"
#include "library/Mp3TestData.h"
#include "platform/FileSystem.h"
#include "platform/KeyMap.h"
#include "playback/Players.h"
#include "playback/StatusMessage.h"
#include "playback/Video.h"
#include "support/AppDriver.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using platform::PlayerMode;
namespace vk = platform::vk;
using testsupport::AppDriver;
using testsupport::FakePlayer;

constexpr int kLeadInMs = 500;

// The program on the standard library plus an album "0 Wiedergabe" (listed first) of tagged
// titles of the given lengths, and a video folder entry "0 Film.mp4"; fake players.
class PlaybackTest : public ::testing::Test {
protected:
    void start(const std::vector<int>& seconds, const std::string& moreOptions = "") {
        AppDriver::Settings settings;
        settings.moreOptions = moreOptions;
        driver.createLibrary(settings);
        for (std::size_t i = 0; i < seconds.size(); ++i) {
            mp3test::Tag tag;
            tag.artist = "Band";
            tag.title = "Lied " + std::to_string(i + 1);
            tag.trackMarker = 0;
            tag.trackNo = static_cast<int>(i + 1);
            const mp3test::Bytes bytes = mp3test::cbrFile(
                static_cast<std::size_t>(seconds[i]) * 16000, mp3test::tagBlock(tag));
            testsupport::writeFile(titlePath(i + 1), std::string(bytes.begin(), bytes.end()));
        }
        testsupport::writeFile(driver.videoRoot() + "0 Film.mp4", "");
        ASSERT_TRUE(driver.start());
        driver.pressKey(vk::Return); // the music folders
        driver.pressKey(vk::Down);
        driver.pressKey(vk::Return); // the album
    }
    std::string titlePath(std::size_t number) const {
        return driver.musicRoot() + "0 Wiedergabe/0" + std::to_string(number) + ".mp3";
    }
    // Return on the title with this number (1 the first) of the album.
    void play(int number) {
        driver.pressKey(vk::Home);
        for (int i = 0; i < number; ++i)
            driver.pressKey(vk::Down);
        driver.pressKey(vk::Return);
    }
    void highlight(const std::string& name) {
        driver.pressKey(vk::Home);
        for (int row = 0; AppDriver::currentName() != name && row < 20; ++row)
            driver.pressKey(vk::Down);
        ASSERT_EQ(AppDriver::currentName(), name);
    }
    FakePlayer& music() { return driver.musicPlayer(); }
    FakePlayer& video() { return driver.videoPlayer(); }
    std::string playingPath() const { return gPlayingTitle ? gPlayingTitle->FullPath() : ""; }
    // Advances in steps of 100 ms until the title with this number plays; the time it took.
    std::int64_t timeUntilPlaying(std::size_t number, std::int64_t limitMs) {
        std::int64_t waited = 0;
        while (playingPath() != titlePath(number) && waited < limitMs) {
            driver.advance(100);
            waited += 100;
        }
        return waited;
    }
    // The volumes given from call `first` on, left channel only.
    std::vector<std::uint32_t> volumesFrom(std::size_t first) {
        std::vector<std::uint32_t> left;
        for (std::size_t i = first; i < music().volumes().size(); ++i)
            left.push_back(music().volumes()[i].volume & 0xFFFF);
        return left;
    }

    AppDriver driver;
};

// The calls that restarted the music after `from`: muted, played, 500 ms later stopped, full
// volume and played again.
void expectMutedLeadIn(const FakePlayer& player, std::size_t firstVolume, std::int64_t at) {
    ASSERT_GE(player.volumes().size(), firstVolume + 2);
    EXPECT_EQ(player.volumes()[firstVolume].volume, 0u);
    EXPECT_EQ(player.volumes()[firstVolume].atMs, at);
    EXPECT_EQ(player.volumes()[firstVolume + 1].volume, 0xFFFFFFFFu);
    EXPECT_EQ(player.volumes()[firstVolume + 1].atMs, at + kLeadInMs);
    std::vector<std::string> calls;
    for (const auto& call : player.calls()) {
        if (call.atMs >= at && call.what.rfind("seek", 0) != 0)
            calls.push_back(std::to_string(call.atMs - at) + " " + call.what);
    }
    const std::vector<std::string> expected = {"0 play", "500 stop", "500 play"};
    ASSERT_GE(calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(calls.end() - 3, calls.end()), expected);
}

// The fade with the configured step time, and with none.
class FadeTest : public PlaybackTest, public ::testing::WithParamInterface<int> {};

TEST_P(FadeTest, StartsFadeTheOldTitleOutAndMuteTheFirstHalfSecond) {
    const int fadeMs = GetParam();
    {
        start({30, 30}, "FadeOutVolumeTime=" + std::to_string(fadeMs) + "\r\n");
        const std::int64_t first = driver.clock().nowMs();
        play(1);
        expectMutedLeadIn(music(), 1, first);
        EXPECT_EQ(gStatusMessage, " 1. Band - Lied 1");

        driver.advance(3000);
        const std::size_t before = music().volumes().size();
        const std::int64_t fadeStart = driver.clock().nowMs();
        play(2);
        // Ten steps down, fadeMs apart, a stop, full volume, then the new title's lead-in.
        const std::vector<std::uint32_t> expected = {
            58982, 52429, 45876, 39323, 32770, 26217, 19664, 13111, 6558, 5, 0xFFFF, 0, 0xFFFF};
        EXPECT_EQ(volumesFrom(before), expected);
        for (int step = 0; step < 10; ++step)
            EXPECT_EQ(music().volumes()[before + step].atMs, fadeStart + step * fadeMs);
        expectMutedLeadIn(music(), before + 11, fadeStart + 10 * fadeMs);
        EXPECT_EQ(music().openedPath(), titlePath(2));
    }
}

INSTANTIATE_TEST_SUITE_P(StepTimes, FadeTest, ::testing::Values(20, 0));

TEST_F(PlaybackTest, PauseContinueAndSkipsRestartMutedWithinTheirBoundaries) {
    start({30});
    play(1);
    driver.advance(4500); // 5 s played
    driver.pressKey(vk::Pause);
    EXPECT_EQ(music().mode(), PlayerMode::Paused);
    const int counted = gSecondsPlayed;
    EXPECT_GE(counted, 4);
    driver.advance(5000);
    EXPECT_EQ(gSecondsPlayed, counted) << "a paused title does not count";
    std::size_t before = music().volumes().size();
    driver.pressKey(vk::Pause);
    expectMutedLeadIn(music(), before, driver.clock().nowMs() - kLeadInMs);
    EXPECT_TRUE(driver.logHasLine("continue mp3-title"));

    // Forward: 10 s further, with the ratio logged and the seconds recomputed.
    const std::int64_t position = music().positionMs();
    before = music().volumes().size();
    driver.pressKey(vk::Right);
    EXPECT_GE(music().positionMs(), position + 10000);
    expectMutedLeadIn(music(), before, driver.clock().nowMs() - kLeadInMs);
    EXPECT_EQ(driver.logCount("musicOver:"), 1);
    EXPECT_EQ(gSecondsPlayed, static_cast<int>(std::nearbyint((position + 10000) / 1000.0)));

    // 5 s before the end nothing moves; 5 s after a start Left goes back to 0.
    driver.advance(25000 - music().positionMs());
    const std::int64_t nearEnd = music().positionMs();
    driver.pressKey(vk::Right);
    EXPECT_EQ(music().positionMs(), nearEnd);
    play(1);
    driver.advance(4500);
    driver.pressKey(vk::Left);
    EXPECT_EQ(gSecondsPlayed, 0);
    EXPECT_LE(music().positionMs(), kLeadInMs);
}

TEST_F(PlaybackTest, TitlesFollowOneAnotherAndTheCounterStopsAtTheLength) {
    start({3, 4, 5});
    // The player runs on after the length the header gives.
    music().setLength(titlePath(1), 6000);
    play(1);
    driver.advance(6000 - kLeadInMs);
    EXPECT_EQ(gSecondsPlayed, 3);
    EXPECT_EQ(music().mode(), PlayerMode::Stopped);
    // Noticed by the next poll, within 1.5 s, and the next title starts.
    EXPECT_LE(timeUntilPlaying(2, 3000), 1500);

    // NEXT on the last title: the title plays on, the message is cleared.
    driver.pressKey(vk::MediaNextTrack);
    EXPECT_EQ(playingPath(), titlePath(3));
    driver.pressKey(vk::MediaNextTrack);
    EXPECT_EQ(gPressedKeyText, "Playlist/Jukebox leer");
    EXPECT_EQ(playingPath(), titlePath(3));
    EXPECT_EQ(music().mode(), PlayerMode::Playing);
    EXPECT_EQ(gStatusMessage, "");
    EXPECT_EQ(gActualTitleIndex, 2);
}

TEST_F(PlaybackTest, AVanishedTitleHaltsANaturalEndButNotANext) {
    start({3, 3, 3});
    play(1);
    std::filesystem::remove(titlePath(2));
    driver.advance(3000);
    driver.advance(1500);
    EXPECT_EQ(gStatusMessage, "File not found: \"02.mp3");
    EXPECT_TRUE(driver.logHasLine("ERROR: File not found: \"" + titlePath(2)));
    driver.advance(10000);
    EXPECT_EQ(gPlayingTitle, nullptr) << "the queue stops at the missing title";
    EXPECT_EQ(music().openedPath(), titlePath(1));

    // Reached by NEXT while music plays, the poll finds the faded-out player and goes on.
    play(1);
    driver.pressKey(vk::MediaNextTrack);
    EXPECT_EQ(gStatusMessage, "File not found: \"02.mp3");
    EXPECT_LE(timeUntilPlaying(3, 3000), 1500);
}

TEST_F(PlaybackTest, StopFadesEvenWhenPausedAndAStopDuringTheLeadInHolds) {
    start({30});
    play(1);
    driver.pressKey(vk::Pause);
    const std::size_t before = music().volumes().size();
    driver.pressKey('S', false, true);
    EXPECT_EQ(volumesFrom(before).size(), 11u) << "ten steps and full volume";
    EXPECT_EQ(music().mode(), PlayerMode::Stopped);
    EXPECT_EQ(gStatusMessage, "");
    EXPECT_EQ(gPlayingTitle, nullptr);
    driver.advance(3000);
    EXPECT_EQ(music().mode(), PlayerMode::Stopped) << "a user's stop is no end of a title";

    // A stop handled while the lead-in waits: the title does not start again afterwards.
    driver.pressKey(vk::Home);
    driver.pressKey(vk::Down);
    driver.form().loop().post([] { callFunction_Stop(); });
    driver.pressKey(vk::Return);
    EXPECT_EQ(music().mode(), PlayerMode::Stopped);
    EXPECT_EQ(music().volume(), 0xFFFFFFFFu);
}

TEST_F(PlaybackTest, AnUnplayableTitleShowsThePlayersErrorAndNothingPlays) {
    start({3});
    music().failOpen(titlePath(1), "unrecognized file format");
    testing::internal::CaptureStderr();
    play(1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("unrecognized file format"),
              std::string::npos);
    EXPECT_TRUE(driver.logHasLine("ERROR: MusicPlayer.Error=unrecognized file format"));
    EXPECT_EQ(gPlayingTitle, nullptr);
    EXPECT_FALSE(driver.form().Timer_MusicTitleOver.enabled());
}

TEST_F(PlaybackTest, VideoAndMusicExcludeEachOtherAndTheVideoShowsInItsPanel) {
    start({30, 30});
    play(1);
    driver.advance(2000);

    // The video: music stops at once, no fade; the panel on the cover area shows the picture.
    callFunction_VideoMenu();
    highlight("0 Film.mp4");
    const std::size_t volumesBefore = music().volumes().size();
    driver.pressKey(vk::Return);
    EXPECT_EQ(music().mode(), PlayerMode::Stopped);
    EXPECT_EQ(music().volumes().size(), volumesBefore);
    EXPECT_EQ(video().mode(), PlayerMode::Playing);
    EXPECT_EQ(gStatusMessage, "0 Film.mp4");
    // The length comes from the player: the fake plays a video for a minute.
    EXPECT_EQ(gProgressText, "0:00 / 1:00");
    const platform::Rect cover = gCoverRect;
    EXPECT_EQ(driver.frame().pixel(cover.left + 5, cover.top + 5), FakePlayer::kPictureColor);
    EXPECT_NE(driver.frame().pixel(gTitlebarLeft + 5, gListTop + 5), FakePlayer::kPictureColor);
    driver.advance(3000);
    EXPECT_EQ(music().mode(), PlayerMode::Stopped) << "the music stopped for a video stays";

    // Full window and back by a key; then full window until the video ends.
    ToggleVideoFullscreen();
    EXPECT_TRUE(VideoFillsWindow());
    EXPECT_EQ(driver.frame().pixel(gTitlebarLeft + 5, gListTop + 5), FakePlayer::kPictureColor);
    driver.pressKey(vk::Down); // any key but Left, Right and S gives the window back
    EXPECT_FALSE(VideoFillsWindow());
    ToggleVideoFullscreen();
    driver.advance(60000);
    EXPECT_LE(gSecondsPlayed, 60);
    driver.advance(1500);
    EXPECT_FALSE(gVideoPanelVisible);
    EXPECT_EQ(gPlayingTitle, nullptr);
    EXPECT_NE(driver.frame().pixel(gTitlebarLeft + 5, gListTop + 5), FakePlayer::kPictureColor);

    // Music while a video plays in the cover area: the video stops, its last picture stays.
    driver.pressKey(vk::Return);
    ASSERT_EQ(video().mode(), PlayerMode::Playing);
    callFunction_MusicMenu();
    highlight("0 Wiedergabe");
    driver.pressKey(vk::Return);
    play(2);
    EXPECT_EQ(video().mode(), PlayerMode::Stopped);
    EXPECT_TRUE(gVideoPanelVisible);
    EXPECT_EQ(driver.frame().pixel(cover.left + 5, cover.top + 5), FakePlayer::kPictureColor);
    driver.advance(3000);
    EXPECT_EQ(playingPath(), titlePath(2)) << "the stopped video is no end of a title";
}

TEST_F(PlaybackTest, TheToggleWithoutAVideoOnlyLogs) {
    start({3});
    ToggleVideoFullscreen();
    EXPECT_TRUE(driver.logHasLine("Toggle Fullscreen"));
    EXPECT_FALSE(gVideoPanelFullscreen);
    EXPECT_FALSE(gVideoPanelVisible);
}

} // namespace
