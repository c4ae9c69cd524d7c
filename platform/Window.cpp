#include "platform/Window.h"

#include "platform/Fonts.h"
#include "platform/Log.h"
#include "platform/MessageBox.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>

namespace platform {

namespace {

constexpr Uint32 kSubsystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER;

// Main thread only.
int gSessionCount = 0;
bool gSessionOk = false;

} // namespace

void Window::WindowDeleter::operator()(SDL_Window* window) const {
    SDL_DestroyWindow(window);
}

Window::Window(const std::string& title, int width, int height)
    : m_window(SDL_CreateWindow(title.c_str(), 0, 0, std::max(width, 1), std::max(height, 1),
                                SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN)),
      m_canvas(width, height) {
    if (!m_window)
        LogError(std::string("The window cannot be created: ") + SDL_GetError());
}

Window::~Window() {
    // The next window may have another size; its fonts open as it draws.
    closeOpenFonts();
}

void Window::setSize(int width, int height) {
    if (width != m_canvas.width() || height != m_canvas.height())
        closeOpenFonts();
    if (m_window)
        SDL_SetWindowSize(m_window.get(), std::max(width, 1), std::max(height, 1));
    m_canvas.resize(width, height);
}

int Window::width() const {
    return m_canvas.width();
}

int Window::height() const {
    return m_canvas.height();
}

void Window::present() {
    ++m_presentCount;
    if (!m_window || !m_canvas.surface())
        return;
    // The window surface is fetched every time: SDL replaces it when the window's size changes.
    SDL_Surface* target = SDL_GetWindowSurface(m_window.get());
    if (!target)
        return;
    SDL_BlitSurface(m_canvas.surface(), nullptr, target, nullptr);
    SDL_UpdateWindowSurface(m_window.get());
}

void Window::minimize() {
    if (m_window)
        SDL_MinimizeWindow(m_window.get());
}

void Window::raise() {
    if (!m_window)
        return;
    SDL_RestoreWindow(m_window.get());
    SDL_RaiseWindow(m_window.get());
}

void Window::moveTo(int x, int y) {
    if (m_window)
        SDL_SetWindowPosition(m_window.get(), x, y);
}

void Window::position(int& x, int& y) const {
    x = 0;
    y = 0;
    if (m_window)
        SDL_GetWindowPosition(m_window.get(), &x, &y);
}

void setCursorVisible(bool visible) {
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

bool cursorVisible() {
    return !SDL_WasInit(SDL_INIT_VIDEO) || SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
}

SdlSession::SdlSession() {
    if (gSessionCount++ == 0) {
        // Headless, a window's frames only go to memory. SDL would otherwise present them
        // through an OpenGL renderer where the driver has one (offscreen), loading Mesa for
        // every window; the environment variable of the hint still overrides this.
        if (runningHeadless())
            SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
        gSessionOk = SDL_Init(kSubsystems) == 0;
        if (!gSessionOk)
            LogError(std::string("SDL cannot start: ") + SDL_GetError());
        if (TTF_Init() != 0) {
            LogError(std::string("The font library cannot start: ") + TTF_GetError());
            gSessionOk = false;
        }
        // Without PNG support only screenshots are lost; the program runs on.
        if ((IMG_Init(IMG_INIT_PNG) & IMG_INIT_PNG) == 0)
            LogLine(std::string("PNG support is not available: ") + IMG_GetError());
    }
    m_ok = gSessionOk;
}

SdlSession::~SdlSession() {
    if (--gSessionCount > 0)
        return;
    // Open fonts belong to the font library and must be closed before it goes.
    clearFontCache();
    if (TTF_WasInit() > 0)
        TTF_Quit();
    IMG_Quit();
    SDL_Quit();
    gSessionOk = false;
}

} // namespace platform
