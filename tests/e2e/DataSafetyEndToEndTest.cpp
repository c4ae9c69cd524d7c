// The user's data files kept whole across runs of the whole program: ratings of titles whose
// names are not plain ASCII, and a Ratings.dat the program cannot read.

#include "app/AppState.h"
#include "config/Ratings.h"
#include "library/ListElement.h"
#include "library/Mp3TestData.h"
#include "platform/KeyMap.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

using testsupport::AppDriver;
namespace vk = platform::vk;

// An old rip with its name in Windows-1252 bytes, and a title named in UTF-8.
const std::string kWindows1252Title = "M\xE4"
                                      "dchen";
const std::string kUtf8Title = "\xC3\x9C"
                               "ber";

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class DataSafetyEndToEndTest : public ::testing::Test {
protected:
    DataSafetyEndToEndTest() {
        driver.createLibrary();
        const mp3test::Bytes title = mp3test::cbrFile(4 * mp3test::kCbr128FrameLength, {});
        for (const std::string& name : {kWindows1252Title, kUtf8Title})
            testsupport::writeFile(driver.musicRoot() + name + ".mp3",
                                   std::string(title.begin(), title.end()));
    }
    ~DataSafetyEndToEndTest() override { ResetRatings(); }

    std::string ratingsPath() const { return driver.programFolder() + "/Ratings.dat"; }

    // Starts the program and opens the music root from the main menu.
    void startInMusicRoot() {
        ASSERT_TRUE(driver.start());
        driver.pressKey(vk::Return);
        ASSERT_EQ(gMenuMode, mmMusic);
        ASSERT_EQ(gCurrentDirectory, driver.musicRoot());
    }

    // Moves the highlight onto the title of that name with the cursor keys.
    void highlight(const std::string& name) {
        const auto names = AppDriver::listNames();
        const auto target =
            static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
        ASSERT_LT(target, static_cast<int>(names.size())) << name;
        while (AppDriver::currentIndex() < target)
            driver.pressKey(vk::Down);
        while (AppDriver::currentIndex() > target)
            driver.pressKey(vk::Up);
        ASSERT_EQ(AppDriver::currentName(), name);
    }

    // "*" of a German keyboard: Shift with the "+" key ("+" alone queues for the jukebox).
    void rateCurrentTitle() { driver.pressKey(vk::OemPlus, true); }

    std::string currentRating() { return LookupRating(*CurrentListElement()); }

    AppDriver driver;
};

TEST_F(DataSafetyEndToEndTest, RatingsOfNonAsciiNamesSurviveRestarts) {
    startInMusicRoot();
    for (const std::string& name : {kWindows1252Title, kUtf8Title}) {
        highlight(name);
        rateCurrentTitle();
        EXPECT_EQ(currentRating(), "*") << name;
    }
    driver.stop();

    // Each restart finds both ratings and advances them; no run adds a second line.
    for (const std::string expected : {"*", "**"}) {
        startInMusicRoot();
        for (const std::string& name : {kWindows1252Title, kUtf8Title}) {
            highlight(name);
            EXPECT_EQ(currentRating(), expected) << name;
            rateCurrentTitle();
        }
        driver.stop();
    }

    // The keys are the names' own bytes, each exactly once.
    const std::string file = testsupport::readFile(ratingsPath());
    EXPECT_EQ(countOf(file, "\r\n" + driver.musicRoot() + kWindows1252Title + "=***\r\n"), 1);
    EXPECT_EQ(countOf(file, "\r\n" + driver.musicRoot() + kUtf8Title + "=***\r\n"), 1);
    EXPECT_EQ(countOf(file, "="), 2);
}

TEST_F(DataSafetyEndToEndTest, UnreadableRatingsFileIsLeftAsItIs) {
    // A folder by that name: present, but nothing the program can read.
    std::filesystem::create_directory(ratingsPath());
    testsupport::writeFile(ratingsPath() + "/keep.txt", "the user's");
    startInMusicRoot();
    EXPECT_TRUE(driver.logHasLine("ERROR: " + ratingsPath() + " could not be read (" +
                                  std::generic_category().message(EISDIR) +
                                  "); ratings of this run are not saved, the file stays as it is"));

    // Rating works for the run, from memory.
    highlight(kUtf8Title);
    rateCurrentTitle();
    EXPECT_EQ(currentRating(), "*");
    driver.stop();

    // Exit did not try to replace it, and left nothing beside it.
    EXPECT_TRUE(driver.logHasLine("ERROR: " + ratingsPath() +
                                  " was not written: it could not be read at start-up"));
    EXPECT_EQ(driver.logCount("could not be written"), 0);
    EXPECT_EQ(testsupport::readFile(ratingsPath() + "/keep.txt"), "the user's");
    for (const auto& entry : std::filesystem::directory_iterator(driver.programFolder()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".Ratings.dat"));
}

} // namespace
