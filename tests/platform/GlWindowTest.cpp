#include "platform/GlWindow.h"

#include "platform/Window.h"
#include "support/KeepOpenGlLoaded.h"
#include "support/TempDir.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::GlVertex;
using platform::rgb;

constexpr std::uint32_t kRed = 0xFFFF0000; // a vertex colour that must never show

TEST(GlWindowViewport, KeepsTheFourByThreePictureCentred) {
    const struct {
        int width, height;
        platform::Rect expected;
    } rows[] = {
        {1024, 768, {0, 0, 1024, 768}},
        {1920, 1080, {240, 0, 1680, 1080}}, // 1080 * 4 / 3 = 1440 wide, bars of 240
        {1280, 1024, {0, 32, 1280, 992}},   // 1280 * 3 / 4 = 960 high, bars of 32
    };
    for (const auto& row : rows) {
        const platform::Rect shown = platform::fourByThreeViewport(row.width, row.height);
        EXPECT_EQ(shown.left, row.expected.left) << row.width << "x" << row.height;
        EXPECT_EQ(shown.top, row.expected.top) << row.width << "x" << row.height;
        EXPECT_EQ(shown.right, row.expected.right) << row.width << "x" << row.height;
        EXPECT_EQ(shown.bottom, row.expected.bottom) << row.width << "x" << row.height;
    }
}

// Mesa's software OpenGL under the offscreen video driver.
TEST(GlWindowTest, DrawsTexturedFacesAndCullsThoseTurnedCounterClockwise) {
    platform::SdlSession session;
    ASSERT_TRUE(session.ok());
    testsupport::keepOpenGlLibrariesLoaded();
    testsupport::TempDir folder;
    const std::string green = folder.file("green.bmp");
    {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 24, SDL_PIXELFORMAT_RGB24);
        ASSERT_NE(surface, nullptr);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 200, 0));
        ASSERT_EQ(SDL_SaveBMP(surface, green.c_str()), 0);
        SDL_FreeSurface(surface);
    }

    platform::GlOpenResult opened = platform::GlWindow::open("test");
    ASSERT_EQ(opened.failure, platform::GlOpenFailure::None) << opened.description;
    platform::GlWindow& window = *opened.window;
    ASSERT_GT(window.width(), 0);

    // The whole picture area, once clockwise on screen (up the left edge, then right) and once
    // counter-clockwise.
    const std::vector<GlVertex> vertices = {
        {-1, -1, 0.5f, kRed, 0, 1}, {-1, 1, 0.5f, kRed, 0, 0}, {1, 1, 0.5f, kRed, 1, 0},
        {1, 1, 0.5f, kRed, 1, 0},   {1, -1, 0.5f, kRed, 1, 1}, {-1, -1, 0.5f, kRed, 0, 1},
        {-1, -1, 0.5f, kRed, 0, 1}, {1, -1, 0.5f, kRed, 1, 1}, {1, 1, 0.5f, kRed, 1, 0},
        {1, 1, 0.5f, kRed, 1, 0},   {-1, 1, 0.5f, kRed, 0, 0}, {-1, -1, 0.5f, kRed, 0, 1},
    };
    std::string error;
    ASSERT_EQ(window.createVertexBuffer(vertices, error), platform::GlWindow::BufferFailure::None)
        << error;
    const platform::GlTexture texture = window.loadTexture(green, error);
    ASSERT_NE(texture, 0u) << error;
    EXPECT_EQ(window.loadTexture(folder.file("missing.jpg"), error), 0u);
    EXPECT_FALSE(error.empty());

    const platform::RowMatrix identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    window.setRenderStates();
    window.setProjection(identity);
    window.setViewAndWorld(identity, identity);
    const int x = window.width() / 2, y = window.height() / 2;

    window.clear();
    window.drawTriangles(texture, 6, 2);
    EXPECT_EQ(window.readPixel(x, y), rgb(0, 0, 0)) << "counter-clockwise faces are culled";
    window.drawTriangles(texture, 0, 2);
    EXPECT_EQ(window.readPixel(x, y), rgb(0, 200, 0));
    // Without a texture the face is black, not its vertex colour.
    window.drawTriangles(0, 0, 2);
    EXPECT_EQ(window.readPixel(x, y), rgb(0, 0, 0));
    window.present();
}

} // namespace
