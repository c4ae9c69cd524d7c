#include "platform/MpvPlayer.h"

#include "platform/Window.h"
#include "support/GeneratedMedia.h"
#include "support/Pixels.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace {

using platform::PlayerMode;

// mpv plays in real time on its own threads; the tests wait for what it reports, never for a
// fixed time.
class MpvPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::ffmpegAvailable())
            GTEST_SKIP() << "ffmpeg is not installed: no media to play";
    }

    std::unique_ptr<platform::MpvPlayer> makePlayer(bool video) {
        platform::MpvPlayerOptions options;
        options.video = video;
        options.nullAudio = true;
        options.onNewFrame = [this] { ++newFrames; };
        std::string error;
        auto player = platform::MpvPlayer::create(loop, std::move(options), error);
        EXPECT_TRUE(player) << error;
        return player;
    }

    std::string makeTone(const std::string& name, double seconds) {
        const std::string path = dir.file(name);
        EXPECT_TRUE(testsupport::makeToneMp3(path, seconds));
        return path;
    }

    template <typename Condition> bool pumpUntil(Condition done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            loop.processPending();
            std::this_thread::yield();
        }
        return true;
    }

    platform::SdlSession sdl;
    platform::ManualClock clock{0};
    platform::MainLoop loop{clock};
    testsupport::TempDir dir;
    int newFrames = 0;
};

TEST_F(MpvPlayerTest, MusicPlayerRunsAFileThroughEveryModeToItsEndAndRewinds) {
    auto player = makePlayer(false);
    ASSERT_TRUE(player);
    EXPECT_EQ(player->mode(), PlayerMode::NotReady);
    ASSERT_TRUE(player->open(makeTone("tone.mp3", 2)));
    EXPECT_EQ(player->mode(), PlayerMode::Stopped);
    EXPECT_NEAR(player->lengthMs(), 2000, 100);
    EXPECT_EQ(player->positionMs(), 0);
    EXPECT_EQ(player->lastErrorCode(), 0);

    player->play();
    EXPECT_EQ(player->mode(), PlayerMode::Playing);
    ASSERT_TRUE(pumpUntil([&] { return player->positionMs() >= 300; }));
    player->pause();
    EXPECT_EQ(player->mode(), PlayerMode::Paused);
    player->resume();
    EXPECT_EQ(player->mode(), PlayerMode::Playing);
    ASSERT_TRUE(pumpUntil([&] { return player->positionMs() >= 500; }));

    player->stop();
    EXPECT_EQ(player->mode(), PlayerMode::Stopped);
    const std::int64_t stoppedAt = player->positionMs();
    EXPECT_GE(stoppedAt, 500); // no rewind
    player->resume();          // only a paused file resumes
    EXPECT_EQ(player->mode(), PlayerMode::Stopped);

    player->seek(1500);
    EXPECT_EQ(player->positionMs(), 1500);
    EXPECT_EQ(player->mode(), PlayerMode::Stopped);
    player->play();
    ASSERT_TRUE(pumpUntil([&] { return player->audioStarted(); }));
    EXPECT_GE(player->positionMs(), 1480);
    EXPECT_LT(player->positionMs(), 1900);

    // Played to its end, the file stays loaded and reports stopped at its end.
    ASSERT_TRUE(pumpUntil([&] { return player->mode() == PlayerMode::Stopped; }));
    EXPECT_NEAR(player->positionMs(), player->lengthMs(), 100);
    player->play();
    EXPECT_EQ(player->mode(), PlayerMode::Playing);
    EXPECT_LT(player->positionMs(), 300);
    ASSERT_TRUE(pumpUntil([&] { return player->audioStarted(); }));
    EXPECT_LT(player->positionMs(), 1500);

    player->close();
    EXPECT_EQ(player->mode(), PlayerMode::NotReady);
    EXPECT_EQ(player->lengthMs(), 0);
}

TEST_F(MpvPlayerTest, FailedOpenCarriesMpvsErrorAndLeavesNothingOpen) {
    auto player = makePlayer(false);
    ASSERT_TRUE(player);
    testsupport::writeFile(dir.file("notes.mp3"), std::string(4000, '\x01'));
    struct Row {
        std::string path;
        std::string errorText;
    };
    const Row rows[] = {
        {dir.file("missing.mp3"), "loading failed"},
        {dir.file("notes.mp3"), "unrecognized file format"},
    };
    const std::string good = makeTone("good.mp3", 1);
    for (const Row& row : rows) {
        ASSERT_TRUE(player->open(good));
        EXPECT_FALSE(player->open(row.path)) << row.path;
        EXPECT_NE(player->lastErrorCode(), 0) << row.path;
        EXPECT_EQ(player->lastErrorText(), row.errorText) << row.path;
        // The file open before is closed as well.
        EXPECT_EQ(player->mode(), PlayerMode::NotReady) << row.path;
        player->play();
        EXPECT_EQ(player->mode(), PlayerMode::NotReady) << row.path;
    }
    ASSERT_TRUE(player->open(good));
    EXPECT_EQ(player->lastErrorCode(), 0);
    EXPECT_EQ(player->lastErrorText(), "");
}

TEST_F(MpvPlayerTest, VolumeFollowsTheLouderChannelLinearly) {
    auto player = makePlayer(false);
    ASSERT_TRUE(player);
    struct Row {
        std::uint32_t volume;
        double percent;
    };
    const Row rows[] = {{0xFFFFFFFF, 100},      {0, 0},
                        {0x0000FFFF, 100},      {0xFFFF0000, 100},
                        {0x00008000, 50.00076}, {0xC0004000, 75.00114}};
    for (const Row& row : rows) {
        player->setVolume(row.volume);
        EXPECT_NEAR(player->volumePercent(), row.percent, 0.001) << std::hex << row.volume;
    }
}

TEST_F(MpvPlayerTest, VideoPlayerDrawsItsPictureLetterboxedIntoTheAreaAndKeepsIt) {
    auto music = makePlayer(false);
    auto video = makePlayer(true);
    ASSERT_TRUE(music && video);
    const platform::Color old = platform::rgb(1, 2, 3);
    platform::Canvas canvas(320, 240);
    canvas.fillRect({0, 0, 320, 240}, old);
    // 4:3 into 2:1: the picture is 133 pixels wide in the middle, black bars left and right.
    const platform::Rect area{40, 20, 240, 120};
    const platform::Rect picture{40 + 34, 20, 240 - 34, 120};
    EXPECT_FALSE(video->drawFrame(canvas, area));

    const std::string path = dir.file("clip.mp4");
    ASSERT_TRUE(testsupport::makeVideo(path, 1));
    ASSERT_TRUE(music->open(makeTone("tone.mp3", 1)));
    music->play();
    EXPECT_FALSE(music->drawFrame(canvas, area));
    ASSERT_TRUE(video->open(path));
    video->play();
    ASSERT_TRUE(pumpUntil([&] { return newFrames >= 3; }));

    auto expectPicture = [&](const char* when) {
        canvas.fillRect({0, 0, 320, 240}, old);
        ASSERT_TRUE(video->drawFrame(canvas, area)) << when;
        EXPECT_EQ(testsupport::countPixels(canvas, picture, old), 0) << when;
        EXPECT_GT(testsupport::countPixelsOtherThan(canvas, picture, 0), 5000) << when;
        EXPECT_EQ(canvas.pixel(area.left + 5, 70), 0u) << when;
        EXPECT_EQ(canvas.pixel(area.right - 5, 70), 0u) << when;
        EXPECT_EQ(testsupport::countOtherPixelsOutside(canvas, area, old), 0) << when;
    };
    expectPicture("playing");
    video->stop();
    expectPicture("stopped");
    video->play();
    ASSERT_TRUE(pumpUntil([&] { return video->mode() == PlayerMode::Stopped; }));
    expectPicture("ended");
    video->close();
    EXPECT_FALSE(video->drawFrame(canvas, area));
}

TEST_F(MpvPlayerTest, WorkQueuedByADestroyedPlayerDoesNothing) {
    const std::string tone = makeTone("tone.mp3", 1);
    const std::string clip = dir.file("clip.mpg");
    ASSERT_TRUE(testsupport::makeVideo(clip, 1));
    for (bool videoPlayer : {false, true}) {
        auto player = makePlayer(videoPlayer);
        ASSERT_TRUE(player);
        // Loading wakes the loop for every event mpv reports; none of that work has run yet.
        ASSERT_TRUE(player->open(videoPlayer ? clip : tone));
        player->play();
        player.reset();
        for (int pass = 0; pass < 50; ++pass)
            loop.processPending();
    }
    EXPECT_EQ(newFrames, 0);
}

} // namespace
