// Photos of the photo root viewed one by one with their titles, and the folder handed to the
// slide show program.

#include "app/AppState.h"
#include "config/Skin.h"
#include "pictures/PhotoView.h"
#include "platform/KeyMap.h"
#include "support/AppDriver.h"
#include "support/TestJpeg.h"
#include "ui/Layout.h"

#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace vk = platform::vk;
using platform::Color;
using platform::rgb;
using testsupport::AppDriver;

constexpr Color kRed = rgb(220, 30, 30);
constexpr Color kGreen = rgb(30, 200, 60);
constexpr Color kBlue = rgb(30, 60, 220);

using testsupport::writeSolidJpeg;

bool near(Color actual, Color expected) {
    return testsupport::colorNear(actual, expected, 12);
}

// What the window shows now, without painting it again.
const platform::Canvas& screen(AppDriver& driver) {
    return driver.form().window()->canvas();
}

// The rightmost column of the title area holding the title's colour; -1 when none does.
int titleRightEdge(AppDriver& driver) {
    const platform::Canvas& canvas = screen(driver);
    for (int x = gPhotoTitleRect.right - 1; x >= gPhotoTitleRect.left; --x)
        for (int y = gPhotoTitleRect.top; y < gPhotoTitleRect.bottom; ++y)
            if (canvas.pixel(x, y) == gFontColorPhotoTitle)
                return x;
    return -1;
}

class PhotoEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppDriver::Settings settings;
        settings.moreOptions = "DiashowWaitInMS=3500\r\n";
        driver.createLibrary(settings);
        // The photo root: "..", two folders, then three photos of different sizes.
        const std::string root = driver.photoRoot();
        writeSolidJpeg(root + "Sonnenuntergang.jpg", 1600, 1200, kRed);
        writeSolidJpeg(root + "Strand.jpg", 400, 300, kGreen);
        writeSolidJpeg(root + "Zoo.jpg", 1200, 900, kBlue);
        testsupport::writeFile(root + "Diashow.dat",
                               "[Diashow]\r\nStrand=Am Strand\r\nzoo=Im Zoo\r\n");
        ASSERT_TRUE(driver.start());
        driver.pressKey(vk::Down);
        driver.pressKey(vk::Return);
        ASSERT_EQ(gMenuMode, mmPhoto);
    }

    // Opens the photo in list row `row` (0 the ".." row).
    void openRow(int row) {
        driver.pressKey(vk::Home);
        for (int i = 0; i < row; ++i)
            driver.pressKey(vk::Down);
        driver.pressKey(vk::Return);
    }

    AppDriver driver;
};

TEST_F(PhotoEndToEndTest, StepsThroughThePhotosWithTheirTitlesAndBackToTheList) {
    openRow(4);
    ASSERT_EQ(gMenuMode, mmPhotoView);
    EXPECT_EQ(gDiashowPhotoList.count(), 3);
    EXPECT_EQ(gDiashowPhotoIndex, 1) << "the second photo behind two folders";
    EXPECT_TRUE(driver.logHasLine("show photo \"Strand.jpg\""));
    EXPECT_TRUE(driver.form().ImagePhoto.Visible());
    // A small photo keeps its size at the top-left corner; its centre comes from the photo.
    EXPECT_TRUE(near(screen(driver).pixel(200, 150), kGreen));
    EXPECT_EQ(gCurrentPhotoTitle, "Am Strand");
    EXPECT_EQ(titleRightEdge(driver), -1) << "the title shown before, none, for 50 ms";
    driver.advance(50);
    const int strandTitleEdge = titleRightEdge(driver);
    EXPECT_GT(strandTitleEdge, gPhotoTitleRect.left);

    // Next: the caption keeps the old title for 50 ms, then shows the new one.
    driver.pressKey(vk::Right);
    EXPECT_EQ(gDiashowPhotoIndex, 2);
    EXPECT_TRUE(near(screen(driver).pixel(400, 300), kBlue)) << "fitted to the whole window";
    EXPECT_EQ(titleRightEdge(driver), strandTitleEdge);
    driver.advance(49);
    EXPECT_EQ(titleRightEdge(driver), strandTitleEdge);
    driver.advance(1);
    EXPECT_EQ(gCurrentPhotoTitle, "Im Zoo");
    EXPECT_NE(titleRightEdge(driver), strandTitleEdge);
    EXPECT_GT(titleRightEdge(driver), gPhotoTitleRect.left);

    // Next on the last photo returns to the list as it was.
    driver.pressKey('N');
    EXPECT_EQ(gMenuMode, mmPhoto);
    EXPECT_FALSE(driver.form().ImagePhoto.Visible());
    EXPECT_EQ(AppDriver::currentName(), "Strand");
    EXPECT_EQ(gDiashowPhotoList.count(), 3) << "the photo list outlives the view";

    // Previous on the first photo returns as well; a 1600 x 1200 photo fills the window.
    openRow(4);
    driver.pressKey(vk::PageUp);
    EXPECT_EQ(gDiashowPhotoIndex, 0);
    EXPECT_TRUE(near(screen(driver).pixel(400, 300), kRed));
    EXPECT_TRUE(near(screen(driver).pixel(799, 599), kRed));
    EXPECT_EQ(gCurrentPhotoTitle, "") << "no title for this photo";
    driver.pressKey('P');
    EXPECT_EQ(gMenuMode, mmPhoto);

    // The left button steps on, the right button leaves; any other key leaves too.
    openRow(3);
    driver.click(400, 300);
    EXPECT_EQ(gDiashowPhotoIndex, 1);
    driver.click(400, 300, 1, SDL_BUTTON_RIGHT);
    EXPECT_EQ(gMenuMode, mmPhoto);
    openRow(5);
    driver.pressKey('X');
    EXPECT_EQ(gMenuMode, mmPhoto);
    driver.advance(100);
    EXPECT_EQ(gMenuMode, mmPhoto);
}

TEST_F(PhotoEndToEndTest, DiashowStartsTheSlideShowProgramWithItsArgumentVector) {
    // A stand-in for the slide show that writes where it runs and what it was given.
    const std::string program = driver.programFolder() + "/Diashow.exe";
    testsupport::writeFile(program, "#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$@\" > args.tmp\n"
                                    "mv args.tmp args.txt\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    openRow(2); // the folder "Urlaub"
    ASSERT_EQ(gCurrentDirectory, driver.photoRoot() + "Urlaub/");

    driver.pressKey('D');
    EXPECT_EQ(gMenuMode, mmPhoto);
    const std::string written = driver.programFolder() + "/args.txt";
    ASSERT_TRUE(driver.waitUntil([&] { return std::filesystem::exists(written); }));
    std::ifstream file(written);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    EXPECT_EQ(lines,
              (std::vector<std::string>{driver.programFolder(), "/ResX=800", "/ResY=600",
                                        "/Pause=3500", "/Dir=" + driver.photoRoot() + "Urlaub/"}));
    EXPECT_TRUE(driver.logHasLine("enter callDiashowFunction_StartDiashow()"));
}

} // namespace
