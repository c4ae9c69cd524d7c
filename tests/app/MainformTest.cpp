#include "app/Mainform.h"
#include "app/AppState.h"
#include "app/Program.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "support/FakePlayer.h"
#include "support/TempDir.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

class MainformTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        std::filesystem::create_directories(folder.file("Musik"));
        testsupport::linkRepositorySkins(folder.path());
    }

    std::unique_ptr<TMainform> start(const std::string& extraDisplay = "") {
        writeFile(folder.file("Config.ini"), "[Paths]\r\nMP3Path=" + folder.file("Musik") +
                                                 "\r\n[Display]\r\n" + extraDisplay);
        auto form = std::make_unique<TMainform>(
            TMainform::Options{folder.path(), &clock, testsupport::fakePlayers(clock)});
        form->FormCreate();
        return form;
    }

    platform::SdlSession sdl;
    platform::ManualClock clock{5000};
    TempDir folder;
};

TEST_F(MainformTest, StartupLeavesTimersAsDesignedOrEnabled) {
    auto form = start();
    ASSERT_FALSE(form->terminated());
    struct Row {
        platform::Timer& timer;
        int interval;
        bool enabled;
    };
    const Row rows[] = {
        {form->Timer_DeleteStatusMessage, 4000, true},
        {form->Timer_MusicTitleOver, 1500, false},
        {form->Timer_MusicTitlePlaying, 1000, true},
        {form->Timer_DiaShowShowTitle, 50, false},
        {form->Timer_Diashow, 2000, false}, // the configured diashow wait, never enabled
        {form->Timer_DelayAfterKeyPressed, 500, false},
        {form->Timer_AnimateCurrentTitle, 100, true},
        {form->Timer_InfoScroller, 100, true},
        {form->Timer_ShowNumberOfTracksInitially, 100, true},
        {form->Timer_ShowNumberOfTracksInitially2, 10000, true},
        {form->Timer_RefreshClock, 20000, true},
        {form->Timer_ChangeCoverImage, 7000, true},
        {form->Timer_ShowPressedKey, 1000, false},
        {form->Timer_ScreensaverCoverShow, 10, false},
        {form->Timer_ScreensaverCoverShowWait, 5500, false},
        {form->Timer_Screensaver, 6000 * 1000, true},
        {form->Timer_HoldScrollbarUpOrDown, 100, false},
        {form->Timer_HoldScrollbarDelay, 250, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.timer.interval(), row.interval) << row.timer.name();
        EXPECT_EQ(row.timer.enabled(), row.enabled) << row.timer.name();
    }
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_EQ(gHighlightedMenuItem, -1);
}

TEST_F(MainformTest, ScreensaverDelayOfZeroOrLessDisablesItsTimer) {
    for (const char* value : {"0", "-5"}) {
        auto form = start(std::string("EnableZUVENScreensaver=") + value + "\r\n");
        EXPECT_FALSE(form->Timer_Screensaver.enabled()) << value;
    }
    auto form = start("EnableZUVENScreensaver=30\r\n");
    EXPECT_TRUE(form->Timer_Screensaver.enabled());
    EXPECT_EQ(form->Timer_Screensaver.interval(), 30000);
}

TEST_F(MainformTest, FontScaleFollowsConfiguredWidth) {
    auto form = start("ScreenWidth=1100\r\nScreenHeight=800\r\n");
    EXPECT_FLOAT_EQ(gFontScale, 0.8f);
    EXPECT_EQ(form->window()->width(), 1100);
    EXPECT_EQ(form->window()->height(), 800);
}

TEST_F(MainformTest, ShowingTheWindowBuildsTheMainMenu) {
    auto form = start();
    EXPECT_EQ(gListElements->count(), 0);
    form->FormShow();
    ASSERT_TRUE(gListElements);
    EXPECT_EQ(gListElements->count(), 6);
    EXPECT_TRUE(gCurrentDirectory.empty());
}

TEST_F(MainformTest, ClosingTheWindowExitsAndWritesRatings) {
    auto form = start();
    form->FormShow();
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
    form->loop().advance(10);
    EXPECT_TRUE(form->terminated());
    EXPECT_NE(readFile(folder.file("Ratings.dat")).find("# maximum rating is 5/5"),
              std::string::npos);
}

TEST_F(MainformTest, UnconfiguredMusicRootEndsWithoutRatings) {
    writeFile(folder.file("Config.ini"), "[Paths]\r\nMP3Path=\r\n");
    TMainform form(TMainform::Options{folder.path(), &clock, testsupport::fakePlayers(clock)});
    form.FormCreate();
    EXPECT_TRUE(form.terminated());
    EXPECT_TRUE(form.notConfigured());
    form.FormShow();
    form.FormDestroy();
    EXPECT_FALSE(std::filesystem::exists(folder.file("Ratings.dat")));
}

TEST(FontScale, ThresholdsOverrideInOrder) {
    const std::pair<int, float> rows[] = {{640, 0.5f},   {799, 0.5f},   {800, 0.6f},  {999, 0.6f},
                                          {1000, 0.75f}, {1099, 0.75f}, {1100, 0.8f}, {1199, 0.8f},
                                          {1200, 1.0f},  {1600, 1.0f}};
    for (const auto& [width, scale] : rows)
        EXPECT_FLOAT_EQ(ComputeFontScale(width), scale) << width;
}

} // namespace
