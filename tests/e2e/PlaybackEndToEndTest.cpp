// The program with its real players (libmpv, null audio output) on real media made by ffmpeg,
// in real time: what a user does first with it.

#include "app/AppState.h"
#include "app/MenuModes.h"
#include "config/Skin.h"
#include "platform/KeyMap.h"
#include "playback/Players.h"
#include "playback/StatusMessage.h"
#include "playback/Video.h"
#include "support/AppDriver.h"
#include "support/GeneratedMedia.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using platform::PlayerMode;
namespace vk = platform::vk;
using testsupport::AppDriver;

class PlaybackEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::ffmpegAvailable())
            GTEST_SKIP() << "ffmpeg is not installed";
        driver.createLibrary();
    }
    static std::string currentFileName() {
        const ListElementPtr current = gListElements->element(AppDriver::currentIndex());
        return current ? current->FileName() : "";
    }
    void highlight(const std::string& fileName) {
        driver.pressKey(vk::Home);
        for (int row = 0; currentFileName() != fileName && row < 20; ++row)
            driver.pressKey(vk::Down);
        ASSERT_EQ(currentFileName(), fileName);
    }
    static std::string playingName() { return gPlayingTitle ? gPlayingTitle->FileName() : ""; }
    // The pixels of a rectangle of the shown screen, row by row.
    std::vector<platform::Color> pixels(const platform::Rect& area) {
        const platform::Canvas& frame = driver.frame();
        std::vector<platform::Color> result;
        for (int y = area.top; y < area.bottom; y += 2)
            for (int x = area.left; x < area.right; x += 2)
                result.push_back(frame.pixel(x, y));
        return result;
    }

    AppDriver driver{AppDriver::Players::Real};
};

TEST_F(PlaybackEndToEndTest, TitlesPlayOneAfterAnotherAndFollowTheKeysAndButtons) {
    const std::string album = driver.musicRoot() + "0 Echt/";
    std::filesystem::create_directories(album);
    ASSERT_TRUE(testsupport::makeToneMp3(album + "01.mp3", 1.5,
                                         testsupport::Mp3Tags{.artist = "Band", .title = "Eins"}));
    ASSERT_TRUE(testsupport::makeToneMp3(
        album + "02.mp3", 30, testsupport::Mp3Tags{.artist = "Band", .title = "Zwei"}, 660));
    ASSERT_TRUE(driver.start());
    driver.pressKey(vk::Return);
    highlight("0 Echt");
    driver.pressKey(vk::Return);
    highlight("01.mp3");
    driver.pressKey(vk::Return);

    EXPECT_EQ(playingName(), "01.mp3");
    EXPECT_EQ(gMusicPlayer->mode(), PlayerMode::Playing);
    EXPECT_EQ(gStatusMessage, " Band - Eins");
    // The short title ends by itself and the next one follows; its seconds count.
    ASSERT_TRUE(driver.waitUntil([] { return playingName() == "02.mp3"; }, 10000));
    EXPECT_EQ(gStatusMessage, " Band - Zwei");
    ASSERT_TRUE(driver.waitUntil([] { return gSecondsPlayed >= 1; }, 5000));

    // Pause shows "PAUSE - " before the message; the status text changes with it.
    const platform::Rect statusText{gStatusTextX, gStatusTop, gMediaButtonsLeft - 6,
                                    gStatusLineRect.bottom};
    const auto playingText = pixels(statusText);
    driver.pressKey(vk::Pause);
    EXPECT_EQ(gMusicPlayer->mode(), PlayerMode::Paused);
    EXPECT_NE(pixels(statusText), playingText);
    const int counted = gSecondsPlayed;
    driver.pressKey(vk::Pause);
    EXPECT_EQ(gMusicPlayer->mode(), PlayerMode::Playing);
    EXPECT_EQ(pixels(statusText), playingText);
    EXPECT_GE(gSecondsPlayed, counted);

    // NEXT on the last title leaves it playing.
    driver.pressKey(vk::MediaNextTrack);
    EXPECT_EQ(gPressedKeyText, "Playlist/Jukebox leer");
    EXPECT_EQ(gMusicPlayer->mode(), PlayerMode::Playing);

    // The stop button of the status line.
    const int width = gSkin.MediaPlayerButtons.width();
    driver.click(gMediaButtonsLeft + 8 + width * 7 / 10,
                 gMediaButtonsY + gSkin.MediaPlayerButtons.height() / 2);
    EXPECT_EQ(gMusicPlayer->mode(), PlayerMode::Stopped);
    EXPECT_EQ(playingName(), "");
}

TEST_F(PlaybackEndToEndTest, AVideoPlaysInTheCoverAreaAndFullWindowUntilItEnds) {
    ASSERT_TRUE(testsupport::makeVideo(driver.videoRoot() + "0 Clip.mp4", 2.5));
    ASSERT_TRUE(driver.start());
    callFunction_VideoMenu();
    highlight("0 Clip.mp4");
    const platform::Rect cover = gCoverRect;
    // The menubar, which a starting video leaves as it is (the list marks the playing row).
    const platform::Rect list = gMenubarRect;
    const auto coverBefore = pixels(cover);
    const auto listBefore = pixels(list);

    driver.pressKey(vk::Return);
    ASSERT_EQ(gVideoPlayer->mode(), PlayerMode::Playing);
    EXPECT_EQ(gStatusMessage, "0 Clip.mp4");
    EXPECT_EQ(gPlayingTitleSeconds, 2);
    // A picture arrives in the cover area; the menubar below it stays as it was.
    ASSERT_TRUE(driver.waitUntil([&] { return pixels(cover) != coverBefore; }, 5000));
    EXPECT_EQ(pixels(list), listBefore);

    ToggleVideoFullscreen();
    ASSERT_TRUE(driver.waitUntil([&] { return pixels(list) != listBefore; }, 5000));
    // At its end the full-window video gives the screen back.
    ASSERT_TRUE(driver.waitUntil([] { return !gVideoPanelVisible; }, 10000));
    EXPECT_EQ(pixels(list), listBefore);
    EXPECT_EQ(playingName(), "");
}

} // namespace
