#include "library/ProgramLinks.h"

#include "library/ListingTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

class ProgramLinkTest : public ::testing::Test {
protected:
    std::string entry(const std::string& name, const std::string& text) {
        fx.writeFile(name, text);
        return fx.path(name);
    }

    ListingFixture fx;
};

TEST_F(ProgramLinkTest, ReadsTheEntrysFields) {
    const std::string path =
        entry("spiel.desktop", "[Desktop Entry]\nType=Application\nName=Spiel\n"
                               "Comment=Ein Spiel für alle\nExec=/bin/sh -c \"exit 0\" --x\n"
                               "Path=/tmp\nIcon=spiel-icon\n");
    ShellLinkInfo info;
    info.Description = "stale";
    ASSERT_TRUE(ReadShellLink(path, info));
    EXPECT_EQ(info.Description, "Ein Spiel für alle");
    EXPECT_EQ(info.Path, "/bin/sh");
    EXPECT_EQ(info.Arguments, "-c exit 0 --x");
    EXPECT_EQ(info.WorkingDirectory, "/tmp");
    EXPECT_EQ(info.IconLocation, "spiel-icon");
}

TEST_F(ProgramLinkTest, UnreadableEntriesFailAndLeaveNothingBehind) {
    const struct {
        const char* name;
        const char* text;
    } rows[] = {
        {"garbage.desktop", "no entry at all"},
        {"missing.desktop",
         "[Desktop Entry]\nType=Application\nName=M\nComment=C\nExec=/nonexistent/bin\n"},
        {"nourl.desktop", "[Desktop Entry]\nType=Link\nName=U\nComment=C\n"},
        {"othergroup.desktop", "[Other]\nType=Link\nName=U\nComment=C\nURL=http://x/\n"},
    };
    for (const auto& row : rows) {
        ShellLinkInfo info;
        info.Description = "stale";
        EXPECT_FALSE(ReadShellLink(entry(row.name, row.text), info)) << row.name;
        EXPECT_EQ(info.Description, "") << row.name;
    }
    ShellLinkInfo info;
    EXPECT_FALSE(ReadShellLink(fx.path("absent.desktop"), info));
}

TEST_F(ProgramLinkTest, AWebLinkIsReadAndOpensItsAddress) {
    // No handler is registered for this scheme, so the desktop's attempt fails visibly in the
    // log instead of opening a browser during the test.
    const std::string url = "x-zvn-unhandled://seite/";
    const std::string path = entry("web.desktop", "[Desktop Entry]\nType=Link\nName=Web\n"
                                                  "Comment=Zur Webseite\nURL=" +
                                                      url + "\n");
    ShellLinkInfo info;
    ASSERT_TRUE(ReadShellLink(path, info));
    EXPECT_EQ(info.Description, "Zur Webseite");
    EXPECT_EQ(info.Path, url);

    StartProgram(path);
    EXPECT_TRUE(fx.logHasLine("Starting program \"" + path + "\"..."));
    EXPECT_TRUE(fx.logContains("ERROR: Program link \"" + path + "\" could not be started: "));
    EXPECT_FALSE(fx.logContains("cannot be read"));
}

// The started program runs on its own; its trace appears a little later.
bool waitForFile(const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!std::filesystem::exists(path)) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

TEST_F(ProgramLinkTest, StartingLaunchesTheEntryItselfAndLogsIt) {
    const std::string marker = fx.path("started");
    // The entry's own working folder applies: the program writes its marker relative to it.
    const std::string path = entry("touch.desktop", "[Desktop Entry]\nType=Application\n"
                                                    "Name=T\nExec=/usr/bin/touch started\n"
                                                    "Path=" +
                                                        fx.root + "\n");
    StartProgram(path);
    EXPECT_TRUE(fx.logHasLine("Starting program \"" + path + "\"..."));
    EXPECT_TRUE(waitForFile(marker));
}

TEST_F(ProgramLinkTest, AFailedStartIsLoggedAndTheProgramGoesOn) {
    const std::string path = entry("broken.desktop", "nothing to start");
    StartProgram(path);
    EXPECT_TRUE(fx.logHasLine("Starting program \"" + path + "\"..."));
    EXPECT_TRUE(fx.logHasLine("-------------BEGIN ERROR----------------"));
}

} // namespace
