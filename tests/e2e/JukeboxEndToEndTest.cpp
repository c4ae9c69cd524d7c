// A party on the program: a guest queues titles and a folder from the music folders into the
// jukebox and looks at the queue while the titles play one after another.

#include "app/AppState.h"
#include "input/PressedKeyText.h"
#include "library/Mp3TestData.h"
#include "platform/KeyMap.h"
#include "playback/Players.h"
#include "playback/StatusMessage.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

namespace vk = platform::vk;
using testsupport::AppDriver;
using Names = std::vector<std::string>;

constexpr int kTitleSeconds = 8;

void writeTitle(const std::string& path, const std::string& song) {
    mp3test::Tag tag;
    tag.artist = "Gast";
    tag.title = song;
    const mp3test::Bytes bytes = mp3test::cbrFile(kTitleSeconds * 16000, mp3test::tagBlock(tag));
    testsupport::writeFile(path, std::string(bytes.begin(), bytes.end()));
}

// The names of the queue as the jukebox view shows them, behind its "..".
Names queueAsShown() {
    Names names = {".."};
    for (const auto& row : gActualTitleList)
        names.push_back(row.element->Name());
    return names;
}

std::string playingName() {
    return gPlayingTitle ? gPlayingTitle->Name() : "";
}

TEST(JukeboxEndToEndTest, GuestQueuesTitlesAndAFolderSeesThemQueuedAndHearsThemInTurn) {
    AppDriver driver;
    driver.createLibrary();
    const std::string party = driver.musicRoot() + "0 Party/";
    for (const char* song : {"a", "b", "c"})
        writeTitle(party + song + ".mp3", song);
    writeTitle(party + "Zugaben/y.mp3", "y");
    writeTitle(party + "Zugaben/Live/z.mp3", "z");
    ASSERT_TRUE(driver.start());

    driver.pressKey(vk::Return); // the music folders
    driver.pressKey(vk::Down);
    driver.pressKey(vk::Return); // "..", "Zugaben", "a", "b", "c"
    driver.pressKey(vk::Down);
    for (int i = 0; i < 3; ++i) {
        driver.pressKey(vk::Down);
        driver.pressKey(vk::OemPlus);
    }
    EXPECT_EQ(playingName(), "a") << "the first title starts at once";
    EXPECT_EQ(gStatusMessage, "[JUKEBOX] Gast - a");
    EXPECT_EQ(queueAsShown(), (Names{"..", "a", "b", "c"}));
    driver.pressKey(vk::Home);
    driver.pressKey(vk::Down);
    driver.pressKey(vk::OemPlus); // the folder "Zugaben" with its subfolder
    EXPECT_EQ(gPressedKeyText, "Jukebox enthält nun 5 Titel (+2)");
    EXPECT_EQ(playingName(), "a");

    // Back to the main menu and into the jukebox view.
    driver.pressKey(vk::Escape);
    driver.pressKey(vk::Escape);
    ASSERT_EQ(gMenuMode, mmMain);
    for (int i = 0; i < 4; ++i)
        driver.pressKey(vk::Down);
    driver.pressKey(vk::Return);
    ASSERT_EQ(gMenuMode, mmJukebox);
    const Names shown = AppDriver::listNames();
    EXPECT_EQ(shown, queueAsShown());
    Names waiting(shown.begin() + 2, shown.end());
    std::sort(waiting.begin(), waiting.end());
    EXPECT_EQ(shown[1], "a");
    EXPECT_EQ(waiting, (Names{"b", "c", "y", "z"}));

    // The head plays to its end and leaves the view; the title after it plays.
    driver.advance((kTitleSeconds + 3) * 1000);
    EXPECT_EQ(playingName(), shown[2]);
    EXPECT_EQ(AppDriver::listNames(), (Names{"..", shown[2], shown[3], shown[4], shown[5]}));
    EXPECT_EQ(AppDriver::listNames(), queueAsShown());
}

} // namespace
