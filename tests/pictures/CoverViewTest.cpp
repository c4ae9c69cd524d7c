#include "pictures/CoverView.h"
#include "app/AppState.h"
#include "app/MenuModes.h"
#include "app/Program.h"
#include "config/Config.h"
#include "library/CoverLookup.h"
#include "library/LibraryScan.h"
#include "platform/KeyMap.h"
#include "platform/Window.h"
#include "playback/Jukebox.h"
#include "support/AppDriver.h"
#include "support/Pixels.h"
#include "support/TestJpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using platform::rgb;
using testsupport::AppDriver;
using testsupport::colorNear;
namespace vk = platform::vk;

// 800 × 600: the cover area below the header starts at 600 / 20 + 2.
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kCoverTop = 32;
// The library's covers are 48 × 48 pixels.
constexpr int kCoverSize = 48;

class CoverViewTest : public ::testing::Test {
protected:
    void start(const std::string& moreDisplay = "") {
        AppDriver::Settings settings;
        settings.moreDisplay = moreDisplay;
        driver.createLibrary(settings);
        ASSERT_TRUE(driver.start());
        ASSERT_TRUE(driver.waitUntil([] { return gLibraryScanFinished; }));
    }

    void openFirstMusicFolder() {
        callFunction_MusicFolder(driver.musicRoot() + AppDriver::Library::musicFolders().front() +
                                 "/");
        driver.pump();
        ASSERT_FALSE(gCurrentCoverBackFileName.empty());
    }

    platform::Color pixel(int x, int y) { return driver.frame().pixel(x, y); }

    AppDriver driver;
};

// The first music folder's covers (AppDriver's library).
const platform::Color kFront = rgb(200, 15, 40);
const platform::Color kBack = rgb(40, 15, 200);

TEST_F(CoverViewTest, TheFullWindowCoverIsCentredAndTurnsEverySevenSeconds) {
    start();
    openFirstMusicFolder();
    driver.pressKey('C');
    ASSERT_EQ(gMenuMode, mmCoverFullscreen);
    // A small cover keeps its size, centred below the header.
    const int left = (kWidth - kCoverSize) / 2;
    const int middleY = kCoverTop + kCoverSize / 2;
    EXPECT_TRUE(colorNear(pixel(left + 2, middleY), kFront, 12));
    EXPECT_TRUE(colorNear(pixel(left + kCoverSize - 3, middleY), kFront, 12));
    EXPECT_FALSE(colorNear(pixel(left - 3, middleY), kFront, 40));
    EXPECT_FALSE(colorNear(pixel(left + 2, kCoverTop + kCoverSize + 3), kFront, 40));

    driver.advance(7000);
    EXPECT_TRUE(colorNear(pixel(kWidth / 2, middleY), kBack, 12));
    driver.advance(7000);
    EXPECT_TRUE(colorNear(pixel(kWidth / 2, middleY), kFront, 12));

    // Any key goes back to the list, with the small cover beside it.
    driver.pressKey(vk::Down);
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_FALSE(driver.form().CoverImage.bounds().contains(kWidth / 2, middleY));
}

TEST_F(CoverViewTest, TheCoversAlternateOnlyWithTheOptionAndABackCover) {
    struct Row {
        bool option;
        bool backCover;
        bool turns;
    };
    for (const Row row :
         {Row{true, true, true}, Row{false, true, false}, Row{true, false, false}}) {
        SCOPED_TRACE(testing::Message() << "option " << row.option << ", back " << row.backCover);
        AppDriver& d = driver;
        if (!d.running())
            start();
        openFirstMusicFolder();
        gIniChangeCoverImage = row.option;
        if (!row.backCover)
            gCurrentCoverBackFileName.clear();
        ShowCurrentCoverFullscreen();
        d.advance(7000);
        const platform::Color shown = pixel(kWidth / 2, kCoverTop + kCoverSize / 2);
        EXPECT_TRUE(colorNear(shown, row.turns ? kBack : kFront, 12)) << std::hex << shown;
        EXPECT_EQ(gMenuMode, mmCoverFullscreen);
        ShowCoverFullscreen("");
    }
}

TEST_F(CoverViewTest, ALargeCoverIsShrunkIntoTheWindowAndCentred) {
    start();
    openFirstMusicFolder();
    // 400 × 1200 into 800 × 568: shrunk by 1200 / 568 to 189 × 568, left (800 - 189) / 2.
    const std::string tall = driver.programFolder() + "/tall.jpg";
    testsupport::writeSolidJpeg(tall, 400, 1200, kFront);
    ShowCoverFullscreen(tall);
    driver.pump();
    const platform::Rect bounds = driver.form().CoverImage.bounds();
    EXPECT_EQ(bounds, (platform::Rect{305, kCoverTop, 305 + 189, kHeight}));
    EXPECT_TRUE(colorNear(pixel(308, 300), kFront, 12));
    EXPECT_FALSE(colorNear(pixel(300, 300), kFront, 40));

    // A folder with only a back cover shows that one; without covers there is nothing to show,
    // and a playlist stays a playlist.
    ShowCoverFullscreen("");
    gCurrentCoverFrontFileName.clear();
    ShowCurrentCoverFullscreen();
    EXPECT_EQ(gMenuMode, mmCoverFullscreen);
    EXPECT_TRUE(colorNear(pixel(kWidth / 2, kCoverTop + kCoverSize / 2), kBack, 12));
    ShowCoverFullscreen("");
    gCurrentCoverBackFileName.clear();
    gMenuMode = mmPlaylist;
    ShowCurrentCoverFullscreen();
    EXPECT_EQ(gMenuMode, mmPlaylist);
    EXPECT_EQ(gPressedKeyText, "Cover nicht verfügbar");
}

class ScreensaverTest : public CoverViewTest {
protected:
    // Three covers of their own colours in place of the library's.
    void useThreeCovers() {
        gFoundFrontCovers.clear();
        const std::vector<std::pair<std::string, platform::Color>> covers = {
            {"Oldies/Rock & Roll", rgb(220, 40, 40)},
            {"Pop/Sommer", rgb(40, 220, 40)},
            {"Jazz/Nacht", rgb(40, 40, 220)}};
        for (const auto& [key, color] : covers) {
            const std::string path =
                driver.programFolder() + "/cover" + std::to_string(colours.size()) + ".jpg";
            testsupport::writeSolidJpeg(path, kCoverSize, kCoverSize, color);
            gFoundFrontCovers.push_back({key, TMyString{path}});
            colours[path] = color;
        }
    }

    // The cover the screensaver shows, told by its colour at the cover's middle; empty while
    // the middle is outside the window.
    std::string shownCover() {
        const platform::Rect bounds = driver.form().CoverImage.bounds();
        const int x = (bounds.left + bounds.right) / 2;
        if (x < 0 || x >= kWidth)
            return {};
        const platform::Color colour = pixel(x, (bounds.top + bounds.bottom) / 2);
        for (const auto& [path, expected] : colours)
            if (colorNear(colour, expected, 12))
                return path;
        return "?";
    }

    std::map<std::string, platform::Color> colours;
};

TEST_F(ScreensaverTest, CoversSlideInPauseAndLeaveOncePerCycle) {
    start("EnableZUVENScreensaver=10\r\n");
    useThreeCovers();
    const std::vector<std::string> listBefore = AppDriver::listNames();
    driver.advance(10000);
    ASSERT_EQ(gMenuMode, mmCoverScreensaver);
    EXPECT_EQ(gPreviousMenuMode, mmMain);
    EXPECT_FALSE(platform::cursorVisible());
    EXPECT_FALSE(driver.form().Timer_Screensaver.enabled());

    // Three ticks of 10 ms: 120 pixels in from the right edge; the top centres the cover a
    // little above the middle: (600 - 48 - 32) / 2 + 32 - 30.
    driver.advance(30);
    const TCBImage& cover = driver.form().CoverImage;
    const int top = 262;
    EXPECT_EQ(cover.bounds(), (platform::Rect{680, top, 680 + kCoverSize, top + kCoverSize}));
    const std::string firstFile = shownCover();
    ASSERT_TRUE(colours.contains(firstFile)) << firstFile;
    const platform::Color colour = colours.at(firstFile);
    EXPECT_TRUE(colorNear(pixel(690, top + 20), colour, 12));
    EXPECT_FALSE(colorNear(pixel(670, top + 20), colour, 40));
    // The shadows right of and below the cover.
    EXPECT_EQ(pixel(680 + kCoverSize + 2, top + 20), rgb(128, 128, 128));
    EXPECT_EQ(pixel(700, top + kCoverSize + 2), rgb(128, 128, 128));

    // The pause in the middle; the mouse moving meanwhile changes nothing.
    driver.advance(90);
    const int pauseLeft = cover.Left();
    EXPECT_LE(pauseLeft, (kWidth - kCoverSize) / 2);
    driver.moveMouse(100, 100);
    driver.advance(5000);
    EXPECT_EQ(cover.Left(), pauseLeft);
    EXPECT_EQ(gMenuMode, mmCoverScreensaver);

    // Each cover once before any comes again.
    std::vector<std::string> shown = {firstFile};
    for (int tick = 0; tick < 3 * 700 && shown.size() < 4; ++tick) {
        driver.advance(10);
        const std::string now = shownCover();
        if (!now.empty() && now != shown.back())
            shown.push_back(now);
    }
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_TRUE(colours.contains(shown[3])) << shown[3];
    EXPECT_EQ(std::set<std::string>(shown.begin(), shown.begin() + 3).size(), 3u);
    EXPECT_EQ(driver.form().LabelCoverScreensaver1.Left, cover.Left());

    // A key only ends it: the list is shown again as it was, with the pointer.
    driver.pressKey(vk::Down);
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_EQ(AppDriver::listNames(), listBefore);
    EXPECT_EQ(HightlightTitlebarIndex, 0);
    EXPECT_TRUE(platform::cursorVisible());
    EXPECT_TRUE(driver.form().Timer_Screensaver.enabled());
    EXPECT_FALSE(cover.Visible());

    // So does a mouse button.
    driver.advance(10000);
    ASSERT_EQ(gMenuMode, mmCoverScreensaver);
    driver.click(10, kHeight - 5, 1, SDL_BUTTON_RIGHT);
    EXPECT_EQ(gMenuMode, mmMain);
}

TEST_F(ScreensaverTest, EndedDuringThePauseNothingOfItRunsOn) {
    start("EnableZUVENScreensaver=10\r\n");
    useThreeCovers();
    driver.advance(10000 + 120);
    ASSERT_EQ(gMenuMode, mmCoverScreensaver);
    ASSERT_TRUE(driver.form().Timer_ScreensaverCoverShowWait.enabled());
    driver.pressKey(vk::Down);
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_FALSE(driver.form().Timer_ScreensaverCoverShowWait.enabled());
    EXPECT_FALSE(driver.form().Timer_ScreensaverCoverShow.enabled());
}

TEST_F(ScreensaverTest, TheCaptionShowsItsAmpersand) {
    start();
    useThreeCovers();
    // Within one cycle the "Rock & Roll" cover comes.
    const TLabel& caption = driver.form().LabelCoverScreensaver1;
    for (int i = 0; i < 3 && caption.DisplayText() != "Oldies/Rock & Roll"; ++i)
        CoverShow(true);
    EXPECT_EQ(caption.DisplayText(), "Oldies/Rock & Roll");
    EXPECT_EQ(caption.Top, kHeight / 80 + driver.form().CoverImage.Top() + kCoverSize);
    EXPECT_TRUE(caption.Visible);
}

TEST_F(ScreensaverTest, ItStartsOnlyOverTheListScreens) {
    start();
    useThreeCovers();
    for (const std::uint8_t mode :
         {mmPhoto, mmVideo, mmProgramLinks, mmSearch, mmOptions, mmPhotoView, mmCoverFullscreen}) {
        SCOPED_TRACE(static_cast<int>(mode));
        gMenuMode = mode;
        Timer_ScreensaverTimer();
        EXPECT_EQ(gMenuMode, mode);
        EXPECT_TRUE(driver.form().Timer_Screensaver.enabled());
    }
    gMenuMode = mmJukebox;
    Timer_ScreensaverTimer();
    EXPECT_EQ(gMenuMode, mmCoverScreensaver);
    EXPECT_EQ(gPreviousMenuMode, mmJukebox);
}

TEST_F(ScreensaverTest, EveryCoverOncePerCycleAlsoBeyondTenThousand) {
    start();
    gFoundFrontCovers.assign(10003, TFoundEntry{"A/B", TMyString{"x.jpg"}});
    SeedRandom(3);
    std::vector<bool> seen(gFoundFrontCovers.size(), false);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        const int index = ChooseScreensaverCover();
        ASSERT_FALSE(seen[static_cast<std::size_t>(index)]) << "cover " << index << " twice";
        seen[static_cast<std::size_t>(index)] = true;
    }
    // A new cycle begins with one cover shown.
    ChooseScreensaverCover();
    EXPECT_EQ(std::count(gScreensaverCoverShown.begin(), gScreensaverCoverShown.end(), true), 1);
}

} // namespace
