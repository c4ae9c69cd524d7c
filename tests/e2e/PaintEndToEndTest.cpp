// What one loop pass paints: one present per pass, and partial redraws that leave the screen
// as a full paint would draw it. Driven through SDL events on a started program.

#include "app/AppState.h"
#include "config/Config.h"
#include "library/FolderInfoWorker.h"
#include "library/LibraryScan.h"
#include "platform/KeyMap.h"
#include "support/AppDriver.h"
#include "support/Pixels.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using testsupport::AppDriver;
namespace vk = platform::vk;
using testsupport::differingPixels;

TEST(PaintEndToEndTest, ACursorKeyPresentsOnceAndItsRegionsMatchAFullPaint) {
    ResetLibraryLists();
    AppDriver driver;
    driver.createLibrary();
    ASSERT_TRUE(driver.start());
    ASSERT_TRUE(driver.waitUntil([] { return gLibraryScanFinished; }));

    // Each row starts from the main menu (Ctrl+Home) and reaches its mode by the given keys.
    const struct {
        std::uint8_t mode;
        std::vector<int> keysToReach;
        int key;
    } rows[] = {
        {mmMain, {}, vk::Down},                                              // the whole window
        {mmMusic, {vk::Return}, vk::Down},                                   // the list, scrollbar
        {mmMusic, {vk::Return}, vk::PageDown},                               //
        {mmPlaylists, {vk::Down, vk::Down, vk::Down, vk::Return}, vk::Down}, // and the menubar
    };
    for (const auto& row : rows) {
        driver.pressKey(vk::Home, false, true);
        for (int key : row.keysToReach)
            driver.pressKey(key);
        driver.advance(2000); // the pressed-key text goes
        ASSERT_EQ(gMenuMode, row.mode);
        // A folder worker's result arriving in the key-up pass would rightly present again.
        StopFolderInfoWorkers();
        driver.pump();
        const int before = driver.presents();
        driver.pressKey(row.key);
        EXPECT_EQ(driver.presents() - before, 1) << int(row.mode) << " key " << row.key;

        const platform::Picture shown = driver.form().window()->canvas().snapshot();
        const platform::Canvas& painted = driver.frame();
        // The bars, the scrollbar and the menubar look as a full paint draws them. (The gaps
        // between the bars are left out: a bar that gets the highlight keeps the frame line
        // below it until the next full paint.)
        const bool mainMenu = gMenuMode == mmMain;
        const int pitch = mainMenu ? gTitlebarHeightMainmenu : gTitlebarHeight;
        const int bars = mainMenu ? gNumberOfTitlebarsMainmenu : gIniNumberOfTitlebars;
        const platform::Rect& track = gScrollbarRect;
        int differing =
            differingPixels(shown, painted, gMenubarRect) +
            differingPixels(shown, painted,
                            {track.left, track.top - 15, track.right, track.bottom + 15});
        for (int bar = 0; bar < bars; ++bar)
            differing += differingPixels(shown, painted,
                                         {gTitlebarLeft, gListTop + bar * pitch, gTitlebarRight,
                                          gListTop + (bar + 1) * pitch - 3});
        EXPECT_EQ(differing, 0) << int(row.mode) << " key " << row.key;
    }
}

} // namespace
