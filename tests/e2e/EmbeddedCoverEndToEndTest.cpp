#include "app/AppState.h"
#include "app/MenuModes.h"
#include "app/Program.h"
#include "library/CoverLookup.h"
#include "library/LibraryScan.h"
#include "pictures/CoverShow3D.h"
#include "pictures/CoverView.h"
#include "platform/KeyMap.h"
#include "support/AppDriver.h"
#include "support/GeneratedCovers.h"
#include "support/KeepOpenGlLoaded.h"
#include "support/Pixels.h"
#include "support/TestJpeg.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using platform::rgb;
using testsupport::AppDriver;
using testsupport::colorNear;
namespace vk = platform::vk;

constexpr platform::Color kRed = rgb(210, 30, 30);
constexpr platform::Color kBlue = rgb(30, 30, 210);
constexpr platform::Color kGreen = rgb(30, 190, 30);
constexpr platform::Color kYellow = rgb(220, 200, 20);
// Covers of 48 pixels fit the 800 × 600 layout's cover area, so they are shown centred there.
constexpr int kCoverSize = 48;

class EmbeddedCoverEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::ffmpegAvailable())
            GTEST_SKIP() << "ffmpeg is not installed";
        driver.createLibrary();
        pictures = driver.programFolder() + "/pictures/";
        std::filesystem::create_directories(pictures);
    }

    // A music folder of the library with the given titles, each carrying a cover of one colour.
    std::string addFolder(const std::string& name,
                          const std::vector<std::pair<std::string, platform::Color>>& titles,
                          bool png = false) {
        const std::string folder = driver.musicRoot() + name + "/";
        std::filesystem::create_directories(folder);
        for (const auto& [title, color] : titles) {
            const std::string picture = pictures + name + " " + title + (png ? ".png" : ".jpg");
            if (png)
                EXPECT_TRUE(testsupport::makeSolidPng(picture, kCoverSize, kCoverSize, color));
            else
                testsupport::writeSolidJpeg(picture, kCoverSize, kCoverSize, color);
            EXPECT_TRUE(testsupport::makeTitleWithPictures(folder + title, {{picture}}));
        }
        return folder;
    }

    void open(const std::string& folder) {
        callFunction_MusicFolder(folder);
        driver.pump();
    }

    platform::Color coverAreaCentre() {
        return driver.frame().pixel(gCoverRect.left + gCoverRect.width() / 2,
                                    gCoverRect.top + gCoverRect.height() / 2);
    }

    AppDriver driver;
    std::string pictures;
};

TEST_F(EmbeddedCoverEndToEndTest, AFolderWithoutCoverFileShowsTheCoverInsideItsFirstTitle) {
    // The first title in the list's order carries the cover: by name, whatever the format.
    const std::string mp3 =
        addFolder("Embedded MP3", {{"01 First.mp3", kRed}, {"02 Second.mp3", kBlue}});
    const std::string flac =
        addFolder("Embedded FLAC", {{"b.flac", kBlue}, {"a.flac", kGreen}}, /*png=*/true);
    const std::string mixed = addFolder("Embedded mixed", {{"a.flac", kGreen}, {"z.mp3", kRed}});
    // A picture file beside the titles wins over the pictures inside them.
    const std::string withFile = addFolder("With cover file", {{"01.mp3", kRed}});
    testsupport::writeSolidJpeg(withFile + "folder.jpg", kCoverSize, kCoverSize, kYellow);
    // A picture that is damaged inside its tag is no cover at all.
    const std::string damaged = addFolder("Damaged picture", {{"01.mp3", kRed}});
    ASSERT_TRUE(testsupport::damageEmbeddedJpeg(
        damaged + "01.mp3", testsupport::readFileBytes(pictures + "Damaged picture 01.mp3.jpg")));
    ASSERT_TRUE(driver.start());

    const struct {
        std::string folder;
        std::string cover; // gCurrentCoverFrontFileName
        platform::Color color;
    } rows[] = {
        {mp3, mp3 + "01 First.mp3", kRed},
        {flac, flac + "a.flac", kGreen},
        {mixed, mixed + "a.flac", kGreen},
        {withFile, withFile + "folder.jpg", kYellow},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.folder);
        open(row.folder);
        EXPECT_EQ(gCurrentCoverFrontFileName, row.cover);
        EXPECT_TRUE(colorNear(coverAreaCentre(), row.color, 12)) << std::hex << coverAreaCentre();
        EXPECT_TRUE(driver.form().CoverImage.Visible());
    }

    open(damaged);
    EXPECT_EQ(gCurrentCoverFrontFileName, "");
    EXPECT_FALSE(colorNear(coverAreaCentre(), kRed, 60));
    EXPECT_FALSE(driver.form().CoverImage.Visible());
    EXPECT_EQ(driver.logCount("Embedded cover of " + damaged + "01.mp3 not usable"), 1);

    // Full window, the same picture, centred below the header.
    open(mp3);
    driver.pressKey('C');
    ASSERT_EQ(gMenuMode, mmCoverFullscreen);
    const int top = 600 / 20 + 2;
    EXPECT_TRUE(colorNear(driver.frame().pixel(400, top + kCoverSize / 2), kRed, 12));
    driver.pressKey(vk::Down);
    EXPECT_EQ(gMenuMode, mmMusic);

    // Coming back reads nothing again: the damaged title is not reported twice.
    open(damaged);
    open(mp3);
    EXPECT_EQ(driver.logCount("Embedded cover of " + damaged + "01.mp3 not usable"), 1);
    EXPECT_TRUE(colorNear(coverAreaCentre(), kRed, 12));
}

TEST_F(EmbeddedCoverEndToEndTest, TheScreensaverAndThe3DShowUseTheEmbeddedCover) {
    const std::string folder = addFolder("Embedded M4A", {{"01.m4a", kBlue}});
    ASSERT_TRUE(driver.start());
    ASSERT_TRUE(driver.waitUntil([] { return gLibraryScanFinished; }));
    open(folder);
    ASSERT_EQ(gCurrentCoverFrontFileName, folder + "01.m4a");

    // The folder has joined the screensaver's covers, under its last two folder names.
    const auto entry =
        std::find_if(gFoundFrontCovers.begin(), gFoundFrontCovers.end(),
                     [&](const TFoundEntry& e) { return e.Object.Text == folder + "01.m4a"; });
    ASSERT_NE(entry, gFoundFrontCovers.end());
    EXPECT_EQ(entry->Key, "Musik/Embedded M4A");
    // Every other cover counts as shown, so the screensaver takes this one next.
    gScreensaverCoverShown.assign(gFoundFrontCovers.size(), true);
    gScreensaverCoverShown[static_cast<std::size_t>(entry - gFoundFrontCovers.begin())] = false;
    gPreviousMenuMode = gMenuMode;
    CoverShow(true);
    ASSERT_EQ(gMenuMode, mmCoverScreensaver);
    const platform::Picture& shown = driver.form().CoverImage.Picture();
    ASSERT_EQ(shown.width(), kCoverSize);
    EXPECT_TRUE(colorNear(shown.pixel(kCoverSize / 2, kCoverSize / 2), kBlue, 12));
    driver.pressKey(vk::Down);
    EXPECT_EQ(gMenuMode, mmMusic);

    testsupport::keepOpenGlLibrariesLoaded();
    bool shownIn3D = false;
    driver.answerDialogs({[&] {
        TDirect3DForm* show = ActiveDirect3DForm();
        ASSERT_NE(show, nullptr);
        ASSERT_NE(show->Device(), nullptr);
        EXPECT_EQ(show->FrontFile, folder + "01.m4a");
        show->SetAngles(0, 0, 0);
        show->DrawScene();
        const platform::GlWindow& window = *show->Device();
        const platform::Color centre = window.readPixel(window.width() / 2, window.height() / 2);
        EXPECT_TRUE(colorNear(centre, kBlue, 16)) << std::hex << centre;
        shownIn3D = true;
        driver.pressKey(vk::Escape);
    }});
    callFunction_3DCoverShow();
    EXPECT_TRUE(shownIn3D);
}

} // namespace
