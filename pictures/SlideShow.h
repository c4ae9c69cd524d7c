#pragma once

#include "pictures/DecodeAhead.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/Event.h"
#include "platform/MainLoop.h"
#include "platform/Window.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The diashow program ("Diashow.exe"): a full-screen slide show of one folder's JPEG photos,
// each fitted and centred for a pause, with its title from the folder's Diashow.dat and a soft
// cross-fade to the next. The photos repeat until Esc, Q or a click ends the show; Left and
// Right step, Space pauses.

struct SlideShowSettings {
    int width = 0;
    int height = 0;
    int pauseMs = 0;
    std::string folder; // ends in "/"
};

// "/ResX=800", "/ResY=600", "/Pause=2000", "/Dir=FOLDER", each once, names without regard to
// ASCII case; the folder may come in double quotes, as a Windows command line writes it.
// Nullopt and the reason in error for anything else.
std::optional<SlideShowSettings> ParseSlideShowArguments(const std::vector<std::string>& args,
                                                         std::string& error);
inline constexpr const char* kSlideShowUsage =
    "usage: Diashow.exe /ResX=WIDTH /ResY=HEIGHT /Pause=MILLISECONDS /Dir=FOLDER";

// The folder's JPEG photos (".jpg", ".jpeg"), in the order the folder lists them.
std::vector<std::string> SlideShowPhotos(const std::string& folder);

class SlideShow {
public:
    // One photo as the show turned to it.
    struct Shown {
        int index;
        std::string fileName;
        std::string title;
        std::int64_t atMs; // on the show's clock
    };

    // The window opens at once, at (0, 0) in the given size; time comes from `clock`.
    SlideShow(const SlideShowSettings& settings, platform::Clock& clock);
    ~SlideShow();
    SlideShow(const SlideShow&) = delete;
    SlideShow& operator=(const SlideShow&) = delete;

    // Shows the first photo. False, with the message for the user, when the folder is missing
    // or holds no photo; the show has then ended.
    bool start(std::string& message);
    // Runs the loop until the show ends.
    void run();
    void handleEvent(const platform::Event& event);

    platform::MainLoop& loop() { return m_loop; }
    platform::Window& window() { return m_window; }
    bool ended() const { return m_loop.quitRequested(); }
    bool paused() const { return m_paused; }
    int currentIndex() const { return m_index; }
    const std::vector<Shown>& shown() const { return m_shown; }
    // How long a cross-fade lasts for the show's pause.
    int fadeMs() const { return m_fadeMs; }

private:
    void showPhoto(int index);
    void step(int delta);
    void nextByTimer();
    void fadeStep();
    void paint();
    platform::Picture composeFrame(int index, const std::string& title);

    SlideShowSettings m_settings;
    platform::Clock& m_clock;
    platform::SdlSession m_sdl; // before the window and the loop, which need SDL
    platform::MainLoop m_loop;
    platform::Window m_window;
    platform::Timer m_pauseTimer;
    platform::Timer m_fadeTimer;
    JpegDecodeAhead m_decodeAhead;

    std::vector<std::string> m_photos;
    int m_index = -1;
    bool m_paused = false;
    int m_fadeMs = 0;
    std::int64_t m_fadeStart = 0;
    platform::Picture m_previousFrame; // faded out while the current one fades in
    platform::Picture m_currentFrame;
    std::vector<Shown> m_shown;
};

// The whole program: parses the arguments, runs the show on `clock` and returns the exit
// code: 0 after a show, 2 for bad arguments (message: the usage line), 1 when there is nothing
// to show (message: why).
int RunDiashow(const std::vector<std::string>& args, platform::Clock& clock, std::string& message);
