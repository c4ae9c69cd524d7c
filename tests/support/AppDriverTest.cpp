#include "support/AppDriver.h"

#include "app/AppState.h"
#include "config/Config.h"
#include "platform/KeyMap.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testsupport::AppDriver;
namespace vk = platform::vk;

TEST(TestDriver, EveryKeyOfTheKeyTableHasSdlCodesThatMapBack) {
    platform::SdlSession sdl;
    std::vector<int> keys = {vk::Back,
                             vk::Return,
                             vk::Pause,
                             vk::Escape,
                             vk::Space,
                             vk::PageUp,
                             vk::PageDown,
                             vk::End,
                             vk::Home,
                             vk::Left,
                             vk::Up,
                             vk::Right,
                             vk::Down,
                             vk::F1,
                             vk::BrowserFavorites,
                             vk::VolumeDown,
                             vk::VolumeUp,
                             vk::MediaNextTrack,
                             vk::MediaPreviousTrack,
                             vk::MediaStop,
                             vk::MediaPlayPause,
                             vk::LaunchMediaSelect,
                             vk::LaunchApp1,
                             vk::OemPlus,
                             vk::OemMinus,
                             vk::Oem102,
                             vk::Tab,
                             vk::Shift,
                             vk::Control,
                             vk::F1 + 11,
                             vk::OemPeriod,
                             vk::Oem7};
    for (int digit = 0; digit < 10; ++digit)
        keys.push_back(vk::Digit0 + digit);
    for (int letter = 0; letter < 26; ++letter)
        keys.push_back(vk::LetterA + letter);
    for (const int key : keys) {
        const auto codes = testsupport::sdlKeyFor(key);
        ASSERT_TRUE(codes.has_value()) << key;
        EXPECT_EQ(platform::virtualKeyFromSdl(codes->keycode, codes->scancode), key) << key;
    }
    EXPECT_FALSE(testsupport::sdlKeyFor(0x7F).has_value());
}

TEST(TestDriver, LibraryHoldsTaggedTitlesCoversPhotosVideosAndLinks) {
    AppDriver driver;
    driver.createLibrary();
    namespace fs = std::filesystem;
    for (const std::string& folder : AppDriver::Library::musicFolders()) {
        EXPECT_TRUE(fs::exists(driver.musicRoot() + folder + "/" + folder + "_front.jpg"));
        EXPECT_TRUE(fs::exists(driver.musicRoot() + folder + "/" + folder + "_back.jpg"));
    }
    const std::string firstTitle = driver.musicRoot() + AppDriver::Library::musicFolders()[0] +
                                   "/" + AppDriver::Library::titlesOfFirstMusicFolder()[0];
    const std::string bytes = testsupport::readFile(firstTitle);
    ASSERT_GT(bytes.size(), 128u);
    EXPECT_EQ(bytes.substr(bytes.size() - 128, 3), "TAG");
    EXPECT_EQ(bytes.substr(bytes.size() - 128 + 33, 4), "ABBA");
    for (const std::string& photo : AppDriver::Library::photosOfPhotoRoot()) {
        const std::string jpeg = testsupport::readFile(driver.photoRoot() + photo);
        ASSERT_GE(jpeg.size(), 2u);
        EXPECT_EQ(static_cast<unsigned char>(jpeg[0]), 0xFF);
        EXPECT_EQ(static_cast<unsigned char>(jpeg[1]), 0xD8);
    }
    for (const std::string& video : AppDriver::Library::videosOfVideoRoot())
        EXPECT_TRUE(fs::exists(driver.videoRoot() + video));
    for (const std::string& link : AppDriver::Library::programLinks()) {
        const std::string entry =
            testsupport::readFile(driver.programLinkRoot() + link + ".desktop");
        EXPECT_NE(entry.find("Name=" + link + "\n"), std::string::npos);
        EXPECT_NE(entry.find("Exec=/bin/true"), std::string::npos);
    }
    EXPECT_TRUE(fs::exists(driver.programFolder() + "/Skins/Default/Config.ini"));
}

TEST(TestDriver, StartsOnTheLibraryWithLoggingOn) {
    AppDriver driver;
    AppDriver::Settings settings;
    settings.mouseButtonClicksToStart = 2;
    driver.createLibrary(settings);
    ASSERT_TRUE(driver.start());
    EXPECT_EQ(gIniRootDirectoryMusic, driver.musicRoot());
    EXPECT_EQ(gIniRootDirectoryPhoto, driver.photoRoot());
    EXPECT_EQ(gIniRootDirectoryVideo, driver.videoRoot());
    EXPECT_EQ(gIniRootDirectoryProgramLinks, driver.programLinkRoot());
    EXPECT_EQ(gIniMouseButtonClicksToStart, 2);
    EXPECT_EQ(driver.form().window()->width(), 800);
    EXPECT_TRUE(driver.logHasLine("gIniShowDebugWindow=true"));
    EXPECT_TRUE(driver.logHasLine("enter callFunction_MainMenu()"));
    EXPECT_EQ(gListElements->count(), 6);
}

TEST(TestDriver, StartFailsWithoutConfiguration) {
    AppDriver driver;
    EXPECT_FALSE(driver.start());
    EXPECT_FALSE(driver.running());
}

TEST(TestDriver, PressedKeysReachTheKeyHandlerWithTheirModifiers) {
    AppDriver driver;
    driver.createLibrary();
    ASSERT_TRUE(driver.start());
    driver.pressKey(vk::Down);
    EXPECT_TRUE(driver.logHasLine("KeyDown: 40"));
    EXPECT_EQ(HightlightTitlebarIndex, 1);
    // Ctrl+Home goes home; Home alone would only move the cursor.
    driver.pressKey(vk::Return);
    ASSERT_NE(gMenuMode, mmMain);
    driver.pressKey(vk::Home, false, true);
    EXPECT_EQ(gMenuMode, mmMain);
}

TEST(TestDriver, AdvanceFiresTimersOnTheManualClock) {
    AppDriver driver;
    driver.createLibrary();
    ASSERT_TRUE(driver.start());
    int fired = 0;
    driver.form().Timer_HoldScrollbarDelay.setHandler([&fired] { ++fired; });
    driver.form().Timer_HoldScrollbarDelay.setEnabled(true);
    const std::int64_t before = driver.clock().nowMs();
    driver.advance(1000);
    EXPECT_EQ(driver.clock().nowMs(), before + 1000);
    EXPECT_EQ(fired, 4); // every 250 ms
}

TEST(TestDriver, PositionsFollowTheLayout) {
    AppDriver driver;
    driver.createLibrary();
    ASSERT_TRUE(driver.start());
    // 800 x 600: the list runs from x 220 to 768.
    EXPECT_EQ(driver.rowCenter(0).x, (220 + 768) / 2);
    ASSERT_EQ(gMenuMode, mmMain);
    const SDL_Point first = driver.rowCenter(0);
    const SDL_Point second = driver.rowCenter(1);
    EXPECT_EQ(second.y - first.y, gTitlebarHeightMainmenu);
    EXPECT_EQ(driver.menubarSlotOf("EXIT"), 9);
    EXPECT_EQ(driver.menubarSlotOf("PLAY"), 7);
    EXPECT_FALSE(driver.menubarSlotOf("BACK").has_value());
}

} // namespace
