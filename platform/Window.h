#pragma once

#include "platform/Canvas.h"

#include <memory>
#include <string>

struct SDL_Window;

namespace platform {

// The one borderless window at (0, 0). Drawing goes to canvas(); present() shows the frame.
// Under SDL's offscreen or dummy video driver the same code runs headless.
class Window {
public:
    Window(const std::string& title, int width, int height);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // False when the window could not be created; drawing still works on the canvas.
    bool ok() const { return m_window != nullptr; }
    SDL_Window* handle() const { return m_window.get(); }
    Canvas& canvas() { return m_canvas; }
    void setSize(int width, int height);
    int width() const;
    int height() const;
    // Copies the whole canvas to the window.
    void present();
    // How often present() has been called; a loop pass is meant to present at most once.
    int presentCount() const { return m_presentCount; }
    void minimize();
    // Restores a minimised window and brings it in front of the others.
    void raise();
    void moveTo(int x, int y);
    void position(int& x, int& y) const;

private:
    struct WindowDeleter {
        void operator()(SDL_Window* window) const;
    };
    std::unique_ptr<SDL_Window, WindowDeleter> m_window;
    Canvas m_canvas;
    int m_presentCount = 0;
};

// The mouse pointer over the program's windows: hidden while covers are shown full screen.
void setCursorVisible(bool visible);
bool cursorVisible();

// SDL's subsystems for the lifetime of the object (video, events and timers, fonts, PNG).
// Sessions may nest and follow each other in one process: the first one starts the
// subsystems, the last one to end shuts them down. Main thread only.
class SdlSession {
public:
    SdlSession();
    ~SdlSession();
    SdlSession(const SdlSession&) = delete;
    SdlSession& operator=(const SdlSession&) = delete;
    bool ok() const { return m_ok; }

private:
    bool m_ok = false;
};

} // namespace platform
