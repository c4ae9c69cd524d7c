#include "platform/Window.h"

#include "TemporaryFolder.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

using platform::Rect;
using platform::rgb;

// The colour at (x, y) of what the window shows.
platform::Color shownPixel(SDL_Window* window, int x, int y) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface)
        return platform::kInvalidColor;
    SDL_Surface* copy = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGB24, 0);
    if (!copy)
        return platform::kInvalidColor;
    const Uint8* at = static_cast<const Uint8*>(copy->pixels) + y * copy->pitch + x * 3;
    const platform::Color color = rgb(at[0], at[1], at[2]);
    SDL_FreeSurface(copy);
    return color;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.ok()); }
    platform::SdlSession session;
};

TEST_F(WindowTest, PresentShowsTheCanvas) {
    platform::Window window("zuvenmedia", 320, 200);
    ASSERT_TRUE(window.ok());
    EXPECT_EQ(window.width(), 320);
    EXPECT_EQ(window.height(), 200);
    EXPECT_EQ(window.canvas().width(), 320);
    EXPECT_TRUE(SDL_GetWindowFlags(window.handle()) & SDL_WINDOW_BORDERLESS);

    window.canvas().fillRect(Rect{0, 0, 320, 200}, rgb(10, 20, 30));
    window.canvas().fillRect(Rect{300, 180, 320, 200}, rgb(200, 100, 50));
    window.present();
    EXPECT_EQ(shownPixel(window.handle(), 0, 0), rgb(10, 20, 30));
    EXPECT_EQ(shownPixel(window.handle(), 319, 199), rgb(200, 100, 50));
}

TEST_F(WindowTest, SetSizeResizesWindowAndCanvas) {
    platform::Window window("zuvenmedia", 320, 200);
    window.setSize(640, 480);
    EXPECT_EQ(window.width(), 640);
    EXPECT_EQ(window.canvas().height(), 480);
    int width = 0, height = 0;
    SDL_GetWindowSize(window.handle(), &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);

    window.canvas().fillRect(Rect{600, 450, 640, 480}, rgb(1, 2, 3));
    window.present();
    EXPECT_EQ(shownPixel(window.handle(), 639, 479), rgb(1, 2, 3));
}

TEST_F(WindowTest, StartsAtTheOriginAndMoves) {
    platform::Window window("zuvenmedia", 100, 100);
    int x = -1, y = -1;
    window.position(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    window.moveTo(30, 40);
    window.position(x, y);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 40);
    window.minimize();
    window.present();
}

TEST(WindowSessionTest, WindowsCanBeMadeInSessionAfterSession) {
    for (int round = 0; round < 3; ++round) {
        platform::SdlSession session;
        ASSERT_TRUE(session.ok());
        platform::Window window("zuvenmedia", 64, 48);
        ASSERT_TRUE(window.ok());
        window.canvas().fillRect(Rect{0, 0, 64, 48}, rgb(0, 0, 0));
        window.canvas().setFont(platform::FontSpec{"Arial", 10, false, false, rgb(255, 255, 255)});
        window.canvas().textOut(2, 2, "Test");
        window.present();
        EXPECT_GT(window.canvas().textWidth("Test"), 0);
    }
}

TEST(WindowSessionTest, WindowWithoutVideoReportsFailureAndStillDraws) {
    platform::testing::ScopedEnvironment driver("SDL_VIDEODRIVER", "no-such-driver");
    platform::Window window("zuvenmedia", 50, 40);
    EXPECT_FALSE(window.ok());
    window.canvas().fillRect(Rect{0, 0, 50, 40}, rgb(9, 9, 9));
    window.present();
    window.setSize(60, 40);
    EXPECT_EQ(window.width(), 60);
    EXPECT_EQ(window.canvas().pixel(0, 0), rgb(9, 9, 9));
}

} // namespace
