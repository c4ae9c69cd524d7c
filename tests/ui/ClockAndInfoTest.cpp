// The three timed behaviours of the screen: the info texts that run through the status line
// while music plays, the swinging icon of the playing title and the main menu's clock.

#include "ui/InfoScroller.h"

#include "app/AppState.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "library/FolderInfoWorker.h"
#include "library/LibraryScan.h"
#include "platform/Encoding.h"
#include "platform/KeyMap.h"
#include "playback/MusicPlayback.h"
#include "playback/Players.h"
#include "playback/StatusMessage.h"
#include "support/AppDriver.h"
#include "support/Pixels.h"
#include "ui/Layout.h"
#include "ui/StatusLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace vk = platform::vk;
using testsupport::AppDriver;
using testsupport::differingPixels;

const std::string kPrefix = "        ...";

ListElementPtr title(int number, int seconds) {
    auto element = std::make_shared<TListElement>(
        ListElementType::MP3, "/m/Band/", "Titel " + std::to_string(number) + ".mp3", 0.0, number);
    element->SetArtist("Band");
    element->SetTitle("Lied " + std::to_string(number));
    element->SetLengthSeconds(seconds);
    return element;
}

TEST(InfoTextTest, ChoosesQueueAndLibraryTextsByDrawAndKind) {
    struct Row {
        int r;
        std::vector<int> queueSeconds; // one title per entry
        int playing;
        int kind;
        bool showTags;
        std::string expected; // after the prefix; empty: the running text stays as it was
        int kindAfter;
    };
    const std::vector<int> five(5, 60);
    const Row rows[] = {
        {0, five, 2, 1, true, "Es befinden sich noch 2 weitere Titel in der Playlist", 2},
        {7, five, 3, 1, true, "Es befindet sich noch 1 weiterer Titel in der Playlist", 2},
        {9, five, 4, 1, true, "Keine weiteren Titel in der Playlist!", 2},
        {11, {60, 60, 60, 185, 240}, 2, 2, true, "Restliche Spielzeit der Playlist: 7:05", 0},
        {1, {100, 3000, 547}, 0, 2, true, "Restliche Spielzeit der Playlist: 59:07", 0},
        {2, {100, 1800, 1860}, 0, 2, true, "Restliche Spielzeit der Playlist: 61:00", 0},
        {6, five, 4, 2, true, "Keine weiteren Titel in der Playlist!", 0},
        {8, five, 0, 0, true, "Nächster Titel: Band - Lied 2", 1},
        {10, five, 0, 0, false, "Nächster Titel: Titel 2", 1},
        {0, five, 4, 0, true, "Keine weiteren Titel in der Playlist!", 1},
        {0, {}, 0, 0, true, "", 1},
        {0, {}, 0, 2, true, "", 0},
        {3, five, 0, 1, true, "Insgesamt befinden sich 3 Musiktitel in der Bibliothek", 1},
        {4, {}, 0, 2, true, "Insgesamt befinden sich 3 Musiktitel in der Bibliothek", 2},
        {5, five, 0, 0, true, "Insgesamt befinden sich 2 Playlists in der Bibliothek", 0},
    };
    for (const Row& row : rows) {
        ResetAllState();
        for (const char* name : {"A.MP3", "B.MP3", "C.MP3"})
            gFoundMP3Titles.push_back({name, {std::string("/m/") + name}});
        for (const char* name : {"a.m3u", "b.m3u"})
            gFoundPlaylists.push_back({name, {std::string("/m/") + name}});
        for (std::size_t i = 0; i < row.queueSeconds.size(); ++i)
            gActualTitleList.add(std::to_string(i),
                                 title(static_cast<int>(i) + 1, row.queueSeconds[i]));
        gActualTitleIndex = row.playing;
        gInfoTextKind = row.kind;
        gIniShowMP3TagInsteadOfFilename = row.showTags;
        gIniSecondsUntilNextInfoScroller = 40;
        gSecondsUntilNextInfo = 0;
        gInfoScrollerPos = 17;

        ChooseInfoText(row.r);

        const std::string expected = row.expected.empty() ? "" : kPrefix + row.expected;
        EXPECT_EQ(gInfoScrollerText, expected) << "r " << row.r << ", kind " << row.kind;
        EXPECT_EQ(gInfoTextKind, row.kindAfter) << "r " << row.r << ", kind " << row.kind;
        EXPECT_EQ(gInfoScrollerPos, 0);
        EXPECT_EQ(gSecondsUntilNextInfo, 40);
    }
    ResetAllState();
}

// The program with every title of the first music folder lasting ten minutes.
class ClockAndInfoEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        driver.createLibrary();
        for (const std::string& name : AppDriver::Library::titlesOfFirstMusicFolder())
            titlePaths.push_back(firstFolder() + name);
        ASSERT_TRUE(driver.start());
        for (const std::string& path : titlePaths)
            driver.musicPlayer().setLength(path, 600'000);
    }
    std::string firstFolder() const {
        return driver.musicRoot() + AppDriver::Library::musicFolders()[0] + "/";
    }
    // From the main menu into music folder `folder` (0 the first).
    void enterMusicFolder(int folder) {
        driver.pressKey(vk::Return);
        for (int i = 0; i <= folder; ++i)
            driver.pressKey(vk::Down);
        driver.pressKey(vk::Return);
    }
    platform::Picture screen() { return driver.form().window()->canvas().snapshot(); }

    AppDriver driver;
    std::vector<std::string> titlePaths;
};

TEST_F(ClockAndInfoEndToEndTest, InfoTextsRunOneCharacterPerStepAndStartEveryFortySecondsPlayed) {
    // The text part of the status line, left of the progress.
    const platform::Rect statusText{0, gStatusTop, std::min(gProgressX, gMediaButtonsLeft - 6),
                                    gStatusLineRect.bottom};
    const auto showsStatusMessageOnly = [&] {
        platform::Canvas expected(gIniScreenWidth, gIniScreenHeight);
        const std::string running = std::exchange(gInfoScrollerText, "");
        DrawStatusText(expected);
        gInfoScrollerText = running;
        return differingPixels(driver.form().window()->canvas(), expected, statusText) == 0;
    };

    // 61 characters run for 6.1 seconds, one step every 100 ms; then the status message is back.
    SetStatusMessage("Meldung");
    gInfoScrollerText = std::string(60, 'x') + "ü";
    gInfoScrollerPos = 0;
    driver.advance(6000);
    EXPECT_EQ(platform::utf8Length(gInfoScrollerText), 61u);
    EXPECT_GE(gInfoScrollerPos, 60);
    EXPECT_FALSE(showsStatusMessageOnly());
    driver.advance(200);
    EXPECT_EQ(gInfoScrollerText, "");
    EXPECT_TRUE(showsStatusMessageOnly());

    // Nothing plays yet, so no text comes by itself.
    driver.advance(60'000);
    EXPECT_EQ(gInfoScrollerText, "");

    enterMusicFolder(0);
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Return);
    ASSERT_TRUE(gPlayingTitle);
    // The title lasts ten minutes on the player, so time played is time passed.
    const std::int64_t start = driver.clock().nowMs();
    const auto playedMs = [&] { return driver.clock().nowMs() - start; };
    const auto playUntilAText = [&] {
        for (int step = 0; step < 1500 && gInfoScrollerText.empty(); ++step)
            driver.advance(100);
        return playedMs();
    };
    const std::int64_t first = playUntilAText();
    EXPECT_GT(first, 39'000);
    EXPECT_LE(first, 40'000);
    EXPECT_EQ(gInfoScrollerText.rfind(kPrefix, 0), 0u) << gInfoScrollerText;

    // Paused seconds do not count: the next text comes 40 seconds of playing later.
    driver.advance(first + 35'000 - playedMs());
    EXPECT_EQ(gInfoScrollerText, "");
    callFunction_Pause();
    driver.advance(30'000);
    EXPECT_EQ(gInfoScrollerText, "");
    callFunction_Pause();
    EXPECT_NEAR(playUntilAText() - first, 70'000, 600);
}

TEST_F(ClockAndInfoEndToEndTest, PlayingTitlesIconSwingsOnlyInItsFolderOverItsRowsColour) {
    enterMusicFolder(0);
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Return);
    ASSERT_TRUE(gPlayingTitle);
    const int row = 1; // the first title, below ".."
    ASSERT_EQ(HightlightTitlebarIndex, row);
    const int top = gListTop + row * gTitlebarHeight;
    const platform::Rect iconArea{gIconX - 5, top + 1, gIconX + 37, top + gTitlebarHeight - 3};
    const platform::Rect list{gTitlebarLeft, gListTop, gTitlebarRight,
                              gListTop + gIniNumberOfTitlebars * gTitlebarHeight};

    // Every step moves the icon; the erased area keeps the highlight.
    driver.advance(300);
    platform::Picture previous = screen();
    for (int step = 1; step <= 12; ++step) {
        driver.advance(100);
        platform::Picture now = screen();
        EXPECT_GT(differingPixels(previous, now, iconArea), 0) << "step " << step;
        previous = std::move(now);
    }
    EXPECT_EQ(previous.pixel(iconArea.left, iconArea.top), gColorTitlebarHighlight);
    EXPECT_EQ(previous.pixel(iconArea.right - 1, iconArea.bottom - 1), gColorTitlebarHighlight);

    // Away from the playing row, the area takes the colour of an ordinary bar.
    driver.pressKey(vk::Down);
    driver.advance(100);
    EXPECT_EQ(screen().pixel(iconArea.left, iconArea.top), gColorTitlebar);

    // In another folder nothing moves.
    driver.pressKey(vk::Escape);
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Return);
    ASSERT_NE(gCurrentDirectory, firstFolder());
    // The folder's information arrives from a worker in real time; the comparison below must
    // see the list after it, or a slow run counts its late rows as movement.
    WaitForFolderInfoWorkers();
    driver.advance(100);
    const platform::Picture still = screen();
    driver.advance(500);
    EXPECT_EQ(differingPixels(still, screen(), list), 0);

    // Back in the playing title's folder it moves at once.
    driver.pressKey(vk::Escape);
    driver.pressKey(vk::Home);
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Return);
    ASSERT_EQ(gCurrentDirectory, firstFolder());
    const platform::Picture resting = driver.frame().snapshot();
    driver.advance(100);
    EXPECT_GT(differingPixels(resting, screen(), iconArea), 0);
}

TEST_F(ClockAndInfoEndToEndTest, MainMenuClockFollowsTheMinuteWithinTwentySeconds) {
    ASSERT_EQ(gMenuMode, mmMain);
    const platform::Rect clockLine{gTitlebarLeft, gFolderNameY, gTitlebarRight, gListTop};
    // One second before a minute ends (time zones differ from UTC by whole minutes).
    driver.clock().setWallClockMs(platform::ManualClock::kDefaultWallClockMs + 10 * 60'000 - 1000);
    const platform::Picture before = driver.frame().snapshot();
    driver.advance(21'000);
    const platform::Picture after = screen();
    EXPECT_GT(differingPixels(before, after, clockLine), 0);
    EXPECT_EQ(differingPixels(after, driver.frame(), clockLine), 0) << "shows the current time";
}

} // namespace
