// Keys the program gives no function, typing into the search field, and leaving the search,
// driven through SDL events on a started program.

#include "app/AppState.h"
#include "library/LibraryScan.h"
#include "platform/KeyMap.h"
#include "support/AppDriver.h"
#include "support/TempDir.h"
#include "ui/Editfield.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::AppDriver;
namespace vk = platform::vk;

const std::string kUmlautTitle = "Nena - Über sieben Brücken.mp3";

class KeysAndSearchEndToEndTest : public ::testing::Test {
protected:
    void start() {
        ResetLibraryLists(); // a finished scan of an earlier test would end the wait at once
        driver.createLibrary();
        testsupport::writeFile(driver.musicRoot() + kUmlautTitle, "no sound");
        ASSERT_TRUE(driver.start());
        ASSERT_TRUE(driver.waitUntil([] { return gLibraryScanFinished; }));
    }
    // The field belongs to the process, not to the driver's program.
    void TearDown() override { Editfield.Hide(); }

    // A key that types a character: its key-down, then the text SDL sends for it.
    void type(int virtualKey, const std::string& text) {
        driver.pressKey(virtualKey);
        driver.typeText(text);
    }

    void openSearchInMusicRoot() {
        driver.pressKey(vk::Return); // "Musik"
        ASSERT_EQ(gMenuMode, mmMusic);
        driver.pressKey('S');
        ASSERT_EQ(gMenuMode, mmSearch);
        ASSERT_TRUE(Editfield.Visible());
        ASSERT_TRUE(Editfield.Focused());
    }

    AppDriver driver;
};

TEST_F(KeysAndSearchEndToEndTest, KeysWithoutAFunctionCountAndEveryCharacterIsTyped) {
    start();
    platform::Timer& screensaver = driver.form().Timer_Screensaver;
    ASSERT_TRUE(screensaver.enabled());
    const struct {
        const char* what;
        SDL_Keycode keycode;
        SDL_Scancode scancode;
        const char* logLine;
    } keys[] = {
        {"F5", SDLK_F5, SDL_SCANCODE_F5, "KeyDown: 116"},
        {"Tab", SDLK_TAB, SDL_SCANCODE_TAB, "KeyDown: 9"},
        {"German a umlaut", 0xE4, SDL_SCANCODE_APOSTROPHE, "KeyDown: 222"},
    };
    for (const auto& key : keys) {
        driver.advance(1000);
        driver.pressSdlKey(key.keycode, key.scancode);
        EXPECT_TRUE(driver.logHasLine(key.logLine)) << key.what;
        EXPECT_EQ(screensaver.deadline(), driver.clock().nowMs() + screensaver.interval())
            << key.what;
    }
    EXPECT_EQ(gMenuMode, mmMain);

    openSearchInMusicRoot();
    type(vk::OemPeriod, ".");
    type('M', "m");
    type('P', "p");
    type('3', "3");
    EXPECT_EQ(Editfield.Text(), ".mp3");
    EXPECT_TRUE(driver.logHasLine("Search for track containing \".MP3\""));
    EXPECT_EQ(AppDriver::listNames().size(), gFoundMP3Titles.size());

    for (int i = 0; i < 4; ++i)
        driver.pressKey(vk::Back);
    // The umlaut reaches the search word: "BRüC" is found in "Brücken" only.
    type('B', "b");
    type('R', "r");
    driver.pressSdlKey(0xFC, SDL_SCANCODE_LEFTBRACKET); // a German keyboard's "ü"
    driver.typeText("ü");
    type('C', "c");
    EXPECT_EQ(Editfield.Text(), "brüc");
    ASSERT_EQ(AppDriver::listNames().size(), 1U);
    EXPECT_EQ(CurrentListElement()->FileName(), kUmlautTitle);
}

TEST_F(KeysAndSearchEndToEndTest, LeavingTheSearchAnyWayTakesTheFieldAndItsPositionAlong) {
    start();
    driver.pressKey(vk::Return); // "Musik"
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Return); // the first folder: one position saved
    const int savedPositions = gPositionStack.count;
    ASSERT_EQ(savedPositions, 1);
    driver.pressKey(vk::Home, false, true); // back to the main menu, the position stays

    openSearchInMusicRoot();
    EXPECT_EQ(gPositionStack.count, savedPositions + 1);
    driver.pressKey(vk::Home, false, true);
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_FALSE(Editfield.Visible());
    EXPECT_FALSE(Editfield.Focused());
    EXPECT_EQ(gPositionStack.count, savedPositions);
    const std::string text = Editfield.Text();
    type('1', "1");
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_EQ(Editfield.Text(), text);

    driver.pressKey(vk::Home, false, true);
    openSearchInMusicRoot();
    driver.click(driver.headerHome());
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_FALSE(Editfield.Visible());
    EXPECT_EQ(gPositionStack.count, savedPositions);

    // Its own key leaves it once, too.
    openSearchInMusicRoot();
    driver.pressKey(vk::Escape);
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_FALSE(Editfield.Visible());
    EXPECT_EQ(gPositionStack.count, savedPositions);
}

} // namespace
