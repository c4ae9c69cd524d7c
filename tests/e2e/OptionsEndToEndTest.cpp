// The options screen through the keys of a started program: change the resolution, the number
// of titlebars and the language, leave, find them in Config.ini and again after a restart.
// Leaves screenshots of the options screen in the build folder.

#include "app/AppState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "input/Menubar.h"
#include "platform/KeyMap.h"
#include "support/AppDriver.h"
#include "support/Pixels.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::AppDriver;
namespace vk = platform::vk;

void saveScreenshot(AppDriver& driver, const std::string& name) {
    EXPECT_TRUE(driver.frame().savePng(std::string(ZVN_BUILD_DIR) + "/" + name)) << name;
}

// The caption the menubar shows on the button of this command.
std::string shownCaption(const std::string& command) {
    for (int i = 0; i < gNumberOfMenuItems; ++i) {
        if (gMenubarItems[static_cast<std::size_t>(i)].Command == command)
            return gMenubarItems[static_cast<std::size_t>(i)].caption(gIniCurrentLanguage);
    }
    return "(no button " + command + ")";
}

void expectScreen(AppDriver& driver, int width, int height) {
    EXPECT_EQ(driver.form().window()->width(), width);
    EXPECT_EQ(driver.form().window()->height(), height);
    const platform::Canvas& frame = driver.frame();
    EXPECT_EQ(frame.width(), width);
    EXPECT_EQ(frame.height(), height);
    EXPECT_EQ(gStatusLineRect.bottom, height);
}

TEST(OptionsEndToEndTest, ChangedSettingsAreSavedAndComeBackAfterARestart) {
    AppDriver driver;
    // A delimiter in quotes, an unknown key and a comment: all left as they are.
    AppDriver::Settings settings;
    settings.moreDisplay = "DelimiterBetweenInterpretAndTitle=\" ~ \"\r\n; the remote\r\n"
                           "RemoteControl=Harmony 650\r\n";
    driver.createLibrary(settings);
    ASSERT_TRUE(driver.start());
    driver.pressKey('O');
    ASSERT_EQ(gMenuMode, mmOptions);
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Down);
    saveScreenshot(driver, "options-800x600.png");
    for (int i = 0; i < 6; ++i) // 1024x768 ... 1280x720, 1920x1080
        driver.pressKey(vk::Right);
    EXPECT_EQ(gPressedKeyText, "Rechts");
    expectScreen(driver, 1920, 1080);
    saveScreenshot(driver, "options-1920x1080.png");

    driver.pressKey(vk::Down);
    driver.pressKey(vk::Right); // 10 -> 12 titlebars
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Down);
    const platform::Picture german = driver.frame().snapshot();
    driver.pressKey(vk::Left); // Deutsch wraps to English
    EXPECT_EQ(shownCaption("OPTIONS"), "Back");
    // The menubar is drawn anew with the English captions; the list did not move.
    const platform::Picture english = driver.frame().snapshot();
    EXPECT_GT(testsupport::differingPixels(german, english, gMenubarRect), 0);
    EXPECT_EQ(testsupport::differingPixels(
                  german, english,
                  {gTitlebarLeft, gListTop, gTitlebarSplitLeft, gListTop + 4 * gTitlebarHeight}),
              0);

    driver.pressKey('O');
    EXPECT_EQ(gPressedKeyText, "Speichere Optionen");
    EXPECT_EQ(gMenuMode, mmMain);
    expectScreen(driver, 1920, 1080);
    EXPECT_EQ(shownCaption("EXIT"), "Exit");

    const std::string music = driver.musicRoot();
    EXPECT_EQ(testsupport::readFile(driver.programFolder() + "/Config.ini"),
              "[Options]\r\nShowDebugWindow=1\r\nMouseButtonClicksToStart=1\r\n"
              "Language=1\r\nDiashowWaitInMS=2000\r\nFadeOutVolumeTime=20\r\n"
              "SecondsUntilNextInfoScroller=40\r\n"
              "[Paths]\r\nMP3Path=" +
                  music + "\r\nFotosPath=" + driver.photoRoot() + "\r\nProgramLinksPath=" +
                  driver.programLinkRoot() + "\r\nVideoPath=" + driver.videoRoot() +
                  "\r\n[Display]\r\nScreenWidth=1920\r\nScreenHeight=1080\r\n"
                  "DelimiterBetweenInterpretAndTitle=\" ~ \"\r\n; the remote\r\n"
                  "RemoteControl=Harmony 650\r\n"
                  "NumberOfTitlebars=12\r\nNumberOfTitlebarsMainmenu=6\r\nNumberOfMenubars=10\r\n"
                  "ChangeCoverImage=1\r\nShowMP3TagInsteadOfFilename=1\r\n"
                  "SortTitlesByMP3InfoTrackNo=1\r\nShowCover2D_or_3D=2\r\n"
                  "EnableZUVENScreensaver=6000\r\nNewIconNMonth=1\r\n"
                  "[Skin]\r\nSkinName=Default\r\nAvailableSkins=Default\r\n");

    driver.stop();
    ASSERT_TRUE(driver.start());
    EXPECT_EQ(gIniNumberOfTitlebars, 12);
    EXPECT_EQ(gIniDelimiterBetweenInterpretAndTitle, " ~ ");
    expectScreen(driver, 1920, 1080);
    EXPECT_EQ(shownCaption("EXIT"), "Exit");
    driver.pressKey('O');
    EXPECT_EQ(shownCaption("OPTIONS"), "Back");
    const platform::Canvas& frame = driver.frame();
    // Twelve rows now: the last of them lies just above the end of the list.
    EXPECT_EQ(frame.pixel(gTitlebarLeft + 2, gListTop + 11 * gTitlebarHeight + 2), gColorTitlebar);
}

} // namespace
