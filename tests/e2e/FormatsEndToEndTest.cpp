// An album of mixed formats through the program with its real players (libmpv, null audio
// output), in real time.

#include "app/AppState.h"
#include "platform/KeyMap.h"
#include "playback/Players.h"
#include "playback/StatusMessage.h"
#include "support/AppDriver.h"
#include "support/GeneratedMedia.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace vk = platform::vk;
using testsupport::AppDriver;

std::string playingName() {
    return gPlayingTitle ? gPlayingTitle->FileName() : "";
}

TEST(FormatsEndToEndTest, MixedAlbumPlaysThroughInNameOrderShowingEachTitlesTags) {
    if (!testsupport::ffmpegAvailable())
        GTEST_SKIP() << "ffmpeg is not installed";
    AppDriver driver{AppDriver::Players::Real};
    driver.createLibrary();
    const std::string album = driver.musicRoot() + "0 Gemischt/";
    std::filesystem::create_directories(album);
    struct Title {
        std::string file;
        std::string title;
    };
    // Name order differs from the order of the formats, so a listing format by format shows.
    const std::vector<Title> titles = {{"1 a.ogg", "Eins"},
                                       {"2 b.mp3", "Zwei"},
                                       {"3 c.flac", "Drei"},
                                       {"4 d.m4a", "Vier"},
                                       {"5 e.opus", "Fuenf"}};
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const int track = static_cast<int>(i) + 1;
        ASSERT_TRUE(testsupport::makeToneTitle(
            album + titles[i].file, 1.2,
            testsupport::Mp3Tags{.artist = "Band", .title = titles[i].title, .track = track}, false,
            300 + 100 * track));
    }
    ASSERT_TRUE(driver.start());
    driver.pressKey(vk::Return);
    for (int row = 0; AppDriver::currentName() != "0 Gemischt" && row < 20; ++row)
        driver.pressKey(vk::Down);
    driver.pressKey(vk::Return);
    ASSERT_TRUE(driver.waitUntil([] { return gListElements->count() == 6; }));
    driver.pressKey(vk::Home);
    driver.pressKey(vk::Down);
    ASSERT_EQ(AppDriver::currentName(), "1 a");
    driver.pressKey(vk::Return);

    for (std::size_t i = 0; i < titles.size(); ++i) {
        SCOPED_TRACE(titles[i].file);
        ASSERT_TRUE(driver.waitUntil([&] { return playingName() == titles[i].file; }, 10000));
        EXPECT_EQ(gStatusMessage, " " + std::to_string(i + 1) + ". Band - " + titles[i].title);
        EXPECT_EQ(gPlayingTitleLengthText, "0:01");
    }
    ASSERT_TRUE(driver.waitUntil([] { return playingName().empty(); }, 10000));
}

} // namespace
