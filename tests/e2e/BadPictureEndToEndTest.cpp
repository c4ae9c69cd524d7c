// Damaged and hostile pictures met while browsing: the program goes on, shows no picture for
// them and says why in its log.

#include "app/AppState.h"
#include "app/Mainform.h"
#include "library/CoverLookup.h"
#include "platform/KeyMap.h"
#include "support/AppDriver.h"
#include "support/TestJpeg.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using testsupport::AppDriver;
namespace vk = platform::vk;
using Library = AppDriver::Library;

// A few hundred bytes of valid JPEG whose frame header claims 16384 x 16384 pixels.
std::string oversizedJpeg() {
    std::vector<std::uint8_t> bytes = testsupport::encodeSolidJpeg(8, 8, platform::rgb(0, 0, 255));
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = bytes[i + 7] = 0x40; // 0x4000 = 16384
            bytes[i + 6] = bytes[i + 8] = 0x00;
            break;
        }
    }
    return std::string(bytes.begin(), bytes.end());
}

void enterMusicFolder(AppDriver& driver, const std::string& name) {
    const std::vector<std::string> names = AppDriver::listNames();
    const auto found = std::find(names.begin(), names.end(), name);
    ASSERT_NE(found, names.end()) << name;
    driver.pressKey(vk::Home);
    for (auto row = names.begin(); row != found; ++row)
        driver.pressKey(vk::Down);
    ASSERT_EQ(AppDriver::currentName(), name);
    driver.pressKey(vk::Return);
    driver.frame();
}

TEST(BadPictureEndToEndTest, OversizedCoverIsRefusedWithoutDecodingItsClaimedSize) {
    AppDriver driver;
    driver.createLibrary();
    const std::string folder = driver.musicRoot() + "Zerbrochen/";
    std::filesystem::create_directories(folder);
    const std::string cover = folder + "front.jpg";
    std::ofstream(cover, std::ios::binary) << oversizedJpeg();
    ASSERT_LT(std::filesystem::file_size(cover), 1000u);
    const std::string firstFolder = Library::musicFolders().front();
    std::filesystem::copy_file(driver.musicRoot() + firstFolder + "/" +
                                   Library::titlesOfFirstMusicFolder().front(),
                               folder + "Lied.mp3");
    ASSERT_TRUE(driver.start());

    driver.pressKey(vk::Return); // Musik
    ASSERT_EQ(gMenuMode, mmMusic);
    // A sound cover first, so that an empty picture below means the refusal.
    enterMusicFolder(driver, firstFolder);
    EXPECT_FALSE(driver.form().CoverImage.Picture().empty());
    driver.pressKey(vk::Home);
    driver.pressKey(vk::Return); // ".."

    enterMusicFolder(driver, "Zerbrochen");
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_EQ(gCurrentDirectory, folder);
    EXPECT_EQ(AppDriver::listNames().size(), 2u);
    EXPECT_EQ(gCurrentCoverFrontFileName, cover);
    EXPECT_TRUE(driver.form().CoverImage.Picture().empty());

    // Decoded at an eighth for the small cover area, and stopped where the data ends instead
    // of filling 2048 grey rows.
    const std::string log = driver.log();
    const std::string refusal = cover + ": JPEG picture not loaded: data ends early, at row ";
    const std::size_t at = log.find(refusal);
    ASSERT_NE(at, std::string::npos) << log;
    const std::string rest = log.substr(at + refusal.size());
    EXPECT_LT(std::stoi(rest), 16);
    EXPECT_EQ(rest.find(" of 2048 "), rest.find(' '));

    // The program goes on as usual.
    driver.pressKey(vk::Down);
    EXPECT_EQ(AppDriver::currentName(), AppDriver::listNames().back());
}

} // namespace
