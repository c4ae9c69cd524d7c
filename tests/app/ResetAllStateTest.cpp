#include "app/ResetAllState.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/Program.h"
#include "config/Config.h"
#include "config/Ratings.h"
#include "config/Skin.h"
#include "input/Dispatch.h"
#include "input/Keyboard.h"
#include "input/Menubar.h"
#include "library/CoverLookup.h"
#include "library/LibraryScan.h"
#include "pictures/CoverView.h"
#include "pictures/PhotoView.h"
#include "platform/KeyMap.h"
#include "platform/StartValues.h"
#include "playback/Players.h"
#include "playback/Playlists.h"
#include "playback/StatusMessage.h"
#include "playback/Video.h"
#include "playback/WaveVolume.h"
#include "support/AppDriver.h"
#include "ui/Editfield.h"
#include "ui/InfoScroller.h"
#include "ui/Layout.h"
#include "ui/MenubarDrawing.h"
#include "ui/TitleAnimation.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

std::string text(const std::string& value) {
    return value;
}
std::string text(bool value) {
    return value ? "true" : "false";
}
template <typename Number> std::string text(Number value) {
    return std::to_string(value);
}
std::string text(const platform::Rect& rect) {
    return text(rect.left) + "," + text(rect.top) + "," + text(rect.right) + "," +
           text(rect.bottom);
}

// At least one global of every owner, by name, as text.
std::map<std::string, std::string> globalsNow() {
    std::map<std::string, std::string> values;
#define ZVN_ROW(expression) values[#expression] = text(expression)
    ZVN_ROW(gMenuMode);
    ZVN_ROW(gCurrentDirectory);
    ZVN_ROW(gListElements->count());
    ZVN_ROW(gPositionStack.count);
    ZVN_ROW(gPressedKeyText);
    ZVN_ROW(gActualTitleList.count());
    ZVN_ROW(gProgramDirectory);
    ZVN_ROW(gFontScale);
    ZVN_ROW(LoggingEnabled());
    ZVN_ROW(gIniRootDirectoryMusic);
    ZVN_ROW(gIniScreenWidth);
    ZVN_ROW(gColorTitlebar);
    ZVN_ROW(gFontSizeHeaderBar);
    ZVN_ROW(gSkin.Background.empty());
    ZVN_ROW(gRatings.size());
    ZVN_ROW(gFoundMP3Titles.size());
    ZVN_ROW(gLibraryScanFinished);
    ZVN_ROW(gCurrentCoverFrontFileName);
    ZVN_ROW(gNumberOfMenuItems);
    ZVN_ROW(gMenubarItems[0].Command);
    ZVN_ROW(gTwoDigitEntry);
    ZVN_ROW(gKeysLocked);
    ZVN_ROW(gPlaylistEditing);
    ZVN_ROW(gOpenPlaylistName);
    ZVN_ROW(gStatusMessage);
    ZVN_ROW(gVideoPanelVisible);
    ZVN_ROW(gWaveVolume);
    ZVN_ROW(gPlayingTitle != nullptr);
    ZVN_ROW(gSecondsPlayed);
    ZVN_ROW(gShowBackCover);
    ZVN_ROW(gDiashowPhotoIndex);
    ZVN_ROW(gListTop);
    ZVN_ROW(gCoverRect);
    ZVN_ROW(gInfoScrollerText);
    ZVN_ROW(gSecondsUntilNextInfo);
    ZVN_ROW(gInfoTextKind);
    ZVN_ROW(gTitleAnimationStep);
    ZVN_ROW(gDrawnMenuHighlight);
    ZVN_ROW(Editfield.Visible());
    ZVN_ROW(Editfield.Text());
#undef ZVN_ROW
    return values;
}

TEST(StartValuesTest, RestoresWhatTheGlobalsHeldWhenItWasMade) {
    int number = 7;
    std::string name = "Default";
    platform::Rect rect{1, 2, 3, 4};
    const platform::StartValues start(number, name, rect);
    number = -1;
    name = "Night";
    rect = {};
    start.restore();
    EXPECT_EQ(number, 7);
    EXPECT_EQ(name, "Default");
    EXPECT_EQ(text(rect), "1,2,3,4");
}

// A whole run of the program, and what its user did, is undone: the next test, or the next
// start of the driver, begins as a fresh process would.
TEST(ResetAllStateTest, NothingOfAnEarlierRunRemains) {
    ResetAllState();
    const auto fresh = globalsNow();
    {
        testsupport::AppDriver driver;
        driver.createLibrary();
        ASSERT_TRUE(driver.start());
        driver.pressKey(platform::vk::Return); // into the music root
        driver.pressKey(platform::vk::Down);
        driver.pressKey(platform::vk::Return); // into its first folder
        ASSERT_EQ(gMenuMode, mmMusic);
        // What a run may leave behind but the library alone does not reach.
        gPlaylistEditing = true;
        gOpenPlaylistName = "Party";
        gKeysLocked = true;
        gTwoDigitEntry = true;
        gRatings.push_back({"/m/a.mp3", "*", ""});
        gShowBackCover = true;
        gDiashowPhotoIndex = 3;
        gVideoPanelVisible = true;
        gWaveVolume = 0x8000;
        gSecondsPlayed = 12;
        gInfoScrollerText = "Info";
        gInfoTextKind = 0;
        gTitleAnimationStep = 5;
        Editfield.setText("abc");
        Editfield.Show();
        SetStatusMessage("Meldung");
        driver.stop();
    }
    ResetAllState();
    EXPECT_EQ(globalsNow(), fresh);
}

} // namespace
