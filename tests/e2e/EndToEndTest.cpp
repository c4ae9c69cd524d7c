// The whole program, started headless on a library of its own and driven only through input
// events: keys and mouse clicks as SDL delivers them.

#include "app/AppState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "platform/KeyMap.h"
#include "support/AppDriver.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::AppDriver;
namespace vk = platform::vk;
using Library = AppDriver::Library;

// ".." followed by the names of the folders and then of the files, as a listing shows them.
std::vector<std::string> folderList(const std::vector<std::string>& folders,
                                    const std::vector<std::string>& files) {
    std::vector<std::string> names{".."};
    names.insert(names.end(), folders.begin(), folders.end());
    for (const std::string& file : files)
        names.push_back(file.substr(0, file.rfind('.')));
    return names;
}

std::vector<std::string> musicRootList() {
    return folderList(Library::musicFolders(), Library::musicRootTitles());
}

std::vector<std::string> mainMenuList() {
    return {"Musik", "Fotos", "Videos", "Musik-Playlists", "Musik-Jukebox", "Programme/Spiele"};
}

int indexOf(const std::vector<std::string>& names, const std::string& name) {
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (names[index] == name)
            return static_cast<int>(index);
    }
    return -1;
}

class EndToEndTest : public ::testing::Test {
protected:
    void start(int clicksToStart = 1) {
        AppDriver::Settings settings;
        settings.mouseButtonClicksToStart = clicksToStart;
        driver.createLibrary(settings);
        ASSERT_TRUE(driver.start());
        ASSERT_EQ(gMenuMode, mmMain);
        ASSERT_EQ(AppDriver::listNames(), mainMenuList());
    }

    void pressDown(int times) {
        for (int i = 0; i < times; ++i)
            driver.pressKey(vk::Down);
    }

    void expectMainMenu() {
        EXPECT_EQ(gMenuMode, mmMain);
        EXPECT_TRUE(gCurrentDirectory.empty());
        EXPECT_EQ(AppDriver::listNames(), mainMenuList());
    }

    AppDriver driver;
};

TEST_F(EndToEndTest, KeyboardWalkThroughMusicPhotosAndProgramLinks) {
    start();

    // Return on "Musik" opens the music root.
    driver.pressKey(vk::Return);
    ASSERT_EQ(gMenuMode, mmMusic);
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot());
    EXPECT_EQ(AppDriver::listNames(), musicRootList());

    // Into the third folder and back: the same row is highlighted again.
    pressDown(3);
    const std::string folder = Library::musicFolders()[2];
    ASSERT_EQ(AppDriver::currentName(), folder);
    driver.pressKey(vk::Return);
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot() + folder + "/");
    EXPECT_EQ(AppDriver::listNames(), folderList({}, {folder + " - Hit.mp3"}));
    driver.pressKey(vk::Escape);
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot());
    EXPECT_EQ(AppDriver::currentIndex(), 3);
    EXPECT_EQ(AppDriver::currentName(), folder);

    // Shift with a letter jumps to the first name beginning with it.
    driver.pressKey('Q', true);
    EXPECT_EQ(AppDriver::currentName(), "Queen");
    EXPECT_EQ(gPressedKeyText, "--> Q");
    driver.pressKey('Z', true);
    EXPECT_EQ(AppDriver::currentName(), "Zappa");
    EXPECT_EQ(AppDriver::currentIndex(), indexOf(musicRootList(), "Zappa"));
    // Back from a folder entered after the jump lands on it again, even off the first page.
    driver.pressKey(vk::Return);
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot() + "Zappa/");
    driver.pressKey(vk::Back);
    EXPECT_EQ(AppDriver::currentName(), "Zappa");

    // Ctrl+Home returns to the main menu from anywhere.
    driver.pressKey(vk::Home, false, true);
    expectMainMenu();

    // "Fotos": the photo root with its folders and photos.
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Return);
    ASSERT_EQ(gMenuMode, mmPhoto);
    EXPECT_EQ(gCurrentDirectory, driver.photoRoot());
    EXPECT_EQ(AppDriver::listNames(),
              folderList(Library::photoFolders(), Library::photosOfPhotoRoot()));
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Return);
    EXPECT_EQ(gCurrentDirectory, driver.photoRoot() + Library::photoFolders()[0] + "/");
    driver.pressKey(vk::Home, false, true);
    expectMainMenu();

    // "Programme/Spiele": the program links and their folder.
    pressDown(5);
    ASSERT_EQ(AppDriver::currentName(), "Programme/Spiele");
    driver.pressKey(vk::Return);
    ASSERT_EQ(gMenuMode, mmProgramLinks);
    EXPECT_EQ(gCurrentDirectory, driver.programLinkRoot());
    const std::vector<std::string> names = AppDriver::listNames();
    ASSERT_EQ(names.size(), 1 + Library::programFolders().size() + Library::programLinks().size());
    EXPECT_EQ(names[1], Library::programFolders()[0]);
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Return);
    EXPECT_EQ(gCurrentDirectory, driver.programLinkRoot() + Library::programFolders()[0] + "/");
    driver.pressKey(vk::Escape);
    EXPECT_EQ(gCurrentDirectory, driver.programLinkRoot());
    driver.pressKey(vk::Escape);
    expectMainMenu();

    // The debug log traces the walk.
    EXPECT_TRUE(driver.logHasLine("KeyDown: 13"));
    EXPECT_TRUE(driver.logHasLine("KeyDown: 40"));
    EXPECT_TRUE(driver.logHasLine("enter callFunction_Play()"));
    EXPECT_TRUE(driver.logHasLine("gCurrentDirectory=" + driver.musicRoot()));
    EXPECT_TRUE(driver.logHasLine("gCurrentDirectory=" + driver.photoRoot()));
    EXPECT_TRUE(driver.logHasLine("gCurrentDirectory=" + driver.programLinkRoot()));
}

TEST_F(EndToEndTest, PagingKeysScrollTheMusicRoot) {
    start();
    driver.pressKey(vk::Return);
    ASSERT_EQ(gMenuMode, mmMusic);
    const int count = static_cast<int>(musicRootList().size());
    ASSERT_GT(count, gIniNumberOfTitlebars);

    driver.pressKey(vk::End);
    EXPECT_EQ(AppDriver::currentIndex(), count - 1);
    EXPECT_EQ(gListElementOffset, count - gIniNumberOfTitlebars);
    driver.pressKey(vk::Home);
    EXPECT_EQ(AppDriver::currentIndex(), 0);
    driver.pressKey(vk::PageDown);
    EXPECT_EQ(gListElementOffset, gIniNumberOfTitlebars / 2);
    driver.pressKey(vk::PageUp);
    EXPECT_EQ(gListElementOffset, 0);
}

TEST_F(EndToEndTest, MouseWalkWithSingleClicks) {
    start(1);

    driver.click(driver.rowCenter(0));
    ASSERT_EQ(gMenuMode, mmMusic);
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot());

    // A click on a folder opens it; a click on ".." goes back to the same row.
    const std::string folder = Library::musicFolders()[2];
    driver.click(driver.rowCenter(3));
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot() + folder + "/");
    driver.click(driver.rowCenter(0));
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot());
    EXPECT_EQ(AppDriver::currentName(), folder);

    // The wheel scrolls half a page; a folder further down is opened from its new row and the
    // menubar's "Zurück" brings the highlight back to it.
    driver.wheel(-1);
    ASSERT_EQ(gListElementOffset, 5);
    const int queen = indexOf(musicRootList(), "Queen");
    driver.click(driver.rowCenter(queen - gListElementOffset));
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot() + "Queen/");
    const std::optional<int> back = driver.menubarSlotOf("BACK");
    ASSERT_TRUE(back.has_value());
    driver.click(driver.menubarSlotCenter(*back));
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot());
    EXPECT_EQ(AppDriver::currentName(), "Queen");
    EXPECT_TRUE(driver.logHasLine("Menu: BACK"));

    // The left half of the header is the home button.
    driver.click(driver.headerHome());
    expectMainMenu();

    driver.click(driver.rowCenter(1));
    ASSERT_EQ(gMenuMode, mmPhoto);
    EXPECT_EQ(gCurrentDirectory, driver.photoRoot());
    driver.click(driver.menubarSlotCenter(*driver.menubarSlotOf("BACK")));
    expectMainMenu();

    driver.click(driver.rowCenter(5));
    ASSERT_EQ(gMenuMode, mmProgramLinks);
    EXPECT_EQ(gCurrentDirectory, driver.programLinkRoot());
    driver.click(driver.rowCenter(1));
    EXPECT_EQ(gCurrentDirectory, driver.programLinkRoot() + Library::programFolders()[0] + "/");
    driver.click(driver.headerHome());
    expectMainMenu();

    EXPECT_TRUE(driver.logHasLine("select: 3"));
    EXPECT_TRUE(driver.logHasLine("enter callFunction_Play()"));
    EXPECT_TRUE(driver.logHasLine("gCurrentDirectory=" + driver.musicRoot()));
    EXPECT_EQ(driver.logCount("KeyDown: "), 0);
}

TEST_F(EndToEndTest, MouseWalkWithDoubleClicks) {
    start(2);
    // One click only highlights.
    driver.click(driver.rowCenter(1));
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_EQ(AppDriver::currentName(), "Fotos");
    driver.click(driver.rowCenter(0), 2);
    ASSERT_EQ(gMenuMode, mmMusic);

    driver.click(driver.rowCenter(3));
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot());
    EXPECT_EQ(HightlightTitlebarIndex, 3);
    driver.click(driver.rowCenter(3), 2);
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot() + Library::musicFolders()[2] + "/");
    driver.click(driver.rowCenter(0), 2);
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot());
    EXPECT_EQ(AppDriver::currentIndex(), 3);
}

TEST_F(EndToEndTest, MouseIconSwitchesFromSingleToDoubleClicks) {
    start(1);
    const int x = gTitlebarRight - 6 - gSkin.IconMouse1.width() / 2;
    driver.click(x, gHeaderBarRect.height() / 2);
    ASSERT_EQ(gIniMouseButtonClicksToStart, 2);
    driver.click(driver.rowCenter(0));
    EXPECT_EQ(gMenuMode, mmMain);
    driver.click(driver.rowCenter(0), 2);
    EXPECT_EQ(gMenuMode, mmMusic);
}

TEST_F(EndToEndTest, ScreenShowsTheHighlightedRowAfterKeys) {
    start();
    driver.pressKey(vk::Return);
    pressDown(2);
    const platform::Canvas& canvas = driver.frame();
    const auto rowColour = [&](int row) {
        return canvas.pixel(gTitlebarLeft + 1, gListTop + row * gTitlebarHeight + 1);
    };
    EXPECT_EQ(rowColour(2), gColorTitlebarHighlight);
    EXPECT_NE(rowColour(1), gColorTitlebarHighlight);
    EXPECT_NE(rowColour(3), gColorTitlebarHighlight);
}

TEST_F(EndToEndTest, ClosingTheWindowEndsTheProgram) {
    start();
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
    driver.pump();
    EXPECT_TRUE(driver.form().terminated());
    EXPECT_TRUE(driver.logHasLine("enter callFunction_Exit()"));
}

} // namespace
