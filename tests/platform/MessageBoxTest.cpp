#include "platform/MessageBox.h"

#include "app/Log.h"
#include "platform/Window.h"

#include "TemporaryFolder.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using platform::testing::ScopedEnvironment;

TEST(MessageBoxTest, HeadlessMessageGoesToStderrAndTheLog) {
    platform::testing::TemporaryFolder folder;
    ScopedEnvironment headless("ZVN_HEADLESS", "1");
    SetLoggingEnabled(true);
    {
        TDebugForm log(folder.path());
        testing::internal::CaptureStderr();
        platform::showMessageBox("Fehler", "Config.ini nicht gefunden!");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fehler: Config.ini nicht gefunden!\n");
    }
    SetLoggingEnabled(false);
    // Lines logged before the file opened come first; the message is the last line.
    const std::string log = folder.readBytes("debug.txt");
    const std::string line = "Fehler: Config.ini nicht gefunden!\r\n";
    ASSERT_GE(log.size(), line.size());
    EXPECT_EQ(log.substr(log.size() - line.size()), line);
}

TEST(MessageBoxTest, HeadlessIsDecidedByFlagDriverAndDisplay) {
    using Value = std::optional<std::string>;
    struct Row {
        Value zvnHeadless, videoDriver, display, waylandDisplay;
        bool headless;
    };
    const std::vector<Row> rows = {
        {"1", "x11", ":0", std::nullopt, true},
        {"", "offscreen", ":0", std::nullopt, true},
        {std::nullopt, "dummy", ":0", std::nullopt, true},
        {std::nullopt, "x11", std::nullopt, std::nullopt, true},
        {std::nullopt, "x11", "", "", true},
        {std::nullopt, "x11", ":0", std::nullopt, false},
        {std::nullopt, std::nullopt, std::nullopt, "wayland-0", false},
        {"", "wayland", std::nullopt, "wayland-0", false},
    };
    ASSERT_EQ(SDL_GetCurrentVideoDriver(), nullptr);
    for (const Row& row : rows) {
        ScopedEnvironment flag("ZVN_HEADLESS", row.zvnHeadless);
        ScopedEnvironment driver("SDL_VIDEODRIVER", row.videoDriver);
        ScopedEnvironment display("DISPLAY", row.display);
        ScopedEnvironment wayland("WAYLAND_DISPLAY", row.waylandDisplay);
        EXPECT_EQ(platform::runningHeadless(), row.headless)
            << row.zvnHeadless.value_or("-") << " " << row.videoDriver.value_or("-") << " "
            << row.display.value_or("-") << " " << row.waylandDisplay.value_or("-");
    }
}

TEST(MessageBoxTest, RunningOffscreenDriverIsHeadlessWhateverTheDisplay) {
    ScopedEnvironment flag("ZVN_HEADLESS", std::nullopt);
    ScopedEnvironment driver("SDL_VIDEODRIVER", "offscreen");
    ScopedEnvironment display("DISPLAY", ":0");
    platform::SdlSession session;
    ASSERT_TRUE(session.ok());
    ScopedEnvironment otherDriver("SDL_VIDEODRIVER", "x11");
    EXPECT_TRUE(platform::runningHeadless());
    testing::internal::CaptureStderr();
    platform::showMessageBox("Hinweis", "Zuvenmedia läuft bereits.");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Hinweis: Zuvenmedia läuft bereits.\n");
}

} // namespace
