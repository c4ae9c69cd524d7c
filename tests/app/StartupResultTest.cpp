// The readers of Config.ini and of the skin report what they could not read; the start-up
// decides from that whether the program can be shown.

#include "app/MainformParts.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void replaceInFile(const std::string& path, const std::string& from, const std::string& to) {
    std::string text = readText(path);
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

TEST(StartupResult, AMissingSkinEndsTheStartAndAWholeOneShowsTheProgram) {
    const struct {
        const char* skinName;
        bool shown;
    } rows[] = {{"Default", true}, {"NoSuchSkin", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.skinName);
        testsupport::AppDriver driver;
        driver.createLibrary();
        replaceInFile(driver.programFolder() + "/Config.ini", "SkinName=Default",
                      std::string("SkinName=") + row.skinName);
        EXPECT_EQ(driver.start(), row.shown);
        EXPECT_EQ(driver.running(), row.shown);
        driver.stop();
    }
}

TEST(StartupResult, PartsWithoutAWindowAreCurrentWhileTheyLiveAndGiveWayToTheProgram) {
    platform::ManualClock clock{0};
    {
        TMainformParts outer(&clock);
        ASSERT_TRUE(MainformExists());
        EXPECT_EQ(&Mainform(), &outer);
        EXPECT_EQ(Mainform().window(), nullptr);
        {
            testsupport::AppDriver driver;
            driver.createLibrary();
            ASSERT_TRUE(driver.start());
            EXPECT_EQ(&Mainform(), &driver.form());
            driver.stop();
        }
        // The program's window is gone; the parts around it are current again.
        EXPECT_EQ(&Mainform(), &outer);
    }
    EXPECT_FALSE(MainformExists());
}

} // namespace
