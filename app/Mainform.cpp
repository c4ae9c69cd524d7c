#include "app/Mainform.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MenuModes.h"
#include "app/Program.h"
#include "config/Config.h"
#include "config/Ratings.h"
#include "config/Skin.h"
#include "input/Keyboard.h"
#include "input/Menubar.h"
#include "input/Mouse.h"
#include "library/FolderInfoWorker.h"
#include "library/LibraryScan.h"
#include "pictures/PictureControlInput.h"
#include "platform/FileSystem.h"
#include "platform/KeyMap.h"
#include "platform/Process.h"
#include "playback/WaveVolume.h"
#include "speech/SpeechVoice.h"
#include "ui/Layout.h"
#include "ui/Paint.h"
#include "ui/Screen.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>

namespace {
TMainform* gMainform = nullptr;
} // namespace

TMainform& Mainform() {
    return *gMainform;
}
bool MainformExists() {
    return gMainform != nullptr;
}

void ApplyScreensaverTimer(TMainform& form, int seconds) {
    if (seconds <= 0) {
        form.Timer_Screensaver.setEnabled(false);
        return;
    }
    // Seconds come from Config.ini and the options screen; in milliseconds they may leave the
    // int range, and the longest interval a timer holds is as good as "never".
    const std::int64_t ms = std::int64_t{seconds} * 1000;
    constexpr std::int64_t kLongest = std::numeric_limits<int>::max();
    if (ms > kLongest)
        LogLine("Timer_Screensaver: " + std::to_string(seconds) + " s is too long, using " +
                std::to_string(kLongest) + " ms");
    form.Timer_Screensaver.setInterval(static_cast<int>(std::min(ms, kLongest)));
    form.Timer_Screensaver.setEnabled(true);
}

TMainform::TMainform(const Options& options)
    : m_steadyClock(options.clock ? nullptr : std::make_unique<platform::SteadyClock>()),
      m_clock(options.clock ? options.clock : m_steadyClock.get()), m_loop(*m_clock),
      Timer_DeleteStatusMessage(m_loop, "Timer_DeleteStatusMessage", 4000, true),
      Timer_MusicTitleOver(m_loop, "Timer_MusicTitleOver", 1500, false),
      Timer_MusicTitlePlaying(m_loop, "Timer_MusicTitlePlaying", 1000, true),
      Timer_DiaShowShowTitle(m_loop, "Timer_DiaShowShowTitle", 50, false),
      Timer_Diashow(m_loop, "Timer_Diashow", 1000, false),
      Timer_DelayAfterKeyPressed(m_loop, "Timer_DelayAfterKeyPressed", 500, false),
      Timer_AnimateCurrentTitle(m_loop, "Timer_AnimateCurrentTitle", 100, true),
      Timer_InfoScroller(m_loop, "Timer_InfoScroller", 100, true),
      Timer_ShowNumberOfTracksInitially(m_loop, "Timer_ShowNumberOfTracksInitially", 100, false),
      Timer_ShowNumberOfTracksInitially2(m_loop, "Timer_ShowNumberOfTracksInitially2", 10000,
                                         false),
      Timer_RefreshClock(m_loop, "Timer_RefreshClock", 20000, false),
      Timer_ChangeCoverImage(m_loop, "Timer_ChangeCoverImage", 7000, false),
      Timer_ShowPressedKey(m_loop, "Timer_ShowPressedKey", 1000, false),
      Timer_ScreensaverCoverShow(m_loop, "Timer_ScreensaverCoverShow", 10, false),
      Timer_ScreensaverCoverShowWait(m_loop, "Timer_ScreensaverCoverShowWait", 5500, false),
      Timer_Screensaver(m_loop, "Timer_Screensaver", 2000, true),
      Timer_HoldScrollbarUpOrDown(m_loop, "Timer_HoldScrollbarUpOrDown", 100, false),
      Timer_HoldScrollbarDelay(m_loop, "Timer_HoldScrollbarDelay", 250, false) {
    gProgramDirectory =
        options.programDirectory.empty() ? platform::currentDirectory() : options.programDirectory;
    while (gProgramDirectory.size() > 1 && gProgramDirectory.back() == '/')
        gProgramDirectory.pop_back();
    gMainform = this;
    // The window as designed, at the top-left corner; the skin sizes it to the resolution.
    m_window = std::make_unique<platform::Window>("Zuvenmedia", 1074, 695);
    setUpPictureControls();
    Timer_DelayAfterKeyPressed.setHandler(Timer_DelayAfterKeyPressedTimer);
    m_loop.setEventHandler([this](const SDL_Event& event) { handleEvent(event); });
    // One paint per loop pass: the whole screen, or only the regions marked during the pass.
    m_loop.setPaintHandler([this](bool wholeWindow, std::uint32_t regions) {
        if (wholeWindow) {
            FormPaint();
        } else if (m_window) {
            PaintMarkedRegions(m_window->canvas(), regions);
            m_window->present();
        }
    });
    Timer_HoldScrollbarDelay.setHandler(Timer_HoldScrollbarDelayTimer);
    Timer_HoldScrollbarUpOrDown.setHandler(Timer_HoldScrollbarUpOrDownTimer);
    Timer_ShowNumberOfTracksInitially.setHandler(Timer_ShowNumberOfTracksInitiallyTimer);
    Timer_ShowNumberOfTracksInitially2.setHandler(Timer_ShowNumberOfTracksInitially2Timer);
}

TMainform::~TMainform() {
    FormDestroy();
    gMainform = nullptr;
}

void TMainform::FormCreate() {
    m_window->moveTo(0, 0);
    runStartupSequence();
}

void TMainform::runStartupSequence() {
    // The back buffer is the canvas: every frame is drawn off screen and then presented.
    ReadConfig();
    ReadRatings();
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    if (gIniRootDirectoryMusic.empty()) {
        // Not configured: the configuration program takes over and this program ends.
        const std::string configProgram = gProgramDirectory + "/config.exe";
        if (!platform::startDetached(configProgram, {}, gProgramDirectory))
            LogError(configProgram + " could not be started");
        terminate();
        m_notConfigured = true;
        return;
    }

    SetWaveVolume(0xFFFFFFFFu);
    Timer_Diashow.setInterval(gIniDiashowWaitInMS);
    ApplyScreensaverTimer(*this, gIniEnableZUVENScreensaver);

    gIconHeight = 32;
    LoadSkin(true);

    SetMenuMode(mmMain);
    HightlightTitlebarIndex = 0;
    gHighlightedMenuItem = -1;
    gScreensaverCoverShown.fill(0);

    m_scanThread = std::jthread(
        [root = gIniRootDirectoryMusic](std::stop_token stop) { BuildLibrary(root, stop); });

    BuildMenubar();

    for (platform::Timer* timer :
         {&Timer_ShowNumberOfTracksInitially, &Timer_ShowNumberOfTracksInitially2,
          &Timer_RefreshClock, &Timer_MusicTitlePlaying, &Timer_AnimateCurrentTitle,
          &Timer_InfoScroller, &Timer_ChangeCoverImage})
        timer->setEnabled(true);

    gSpeechVoice = CreateSpeechVoice();
}

void TMainform::FormShow() {
    if (terminated())
        return;
    callFunction_MainMenu();
    requestRepaint();
}

void TMainform::setUpPictureControls() {
    ImagePhoto.StretchRatio = true;
    ImagePhoto.JPEGSmoothing = true;
    ImagePhoto.JPEGCompressionQuality = 100;
    ImagePhoto.CheckColor = platform::rgb(0, 128, 128);
    ImagePhoto.Font = platform::FontSpec{"MS Sans Serif", 12, false, false, 0};
    CoverImage.setColor(platform::rgb(128, 128, 128));
    CoverImage.StretchRatio = true;
    CoverImage.Jpeg.performance = platform::JpegOptions::Performance::BestSpeed;
    CoverImage.Jpeg.progressiveDisplay = true;
    CoverImage.onClick = CoverImageClick;
    // A control that must show itself at once is drawn over the back buffer and presented.
    for (TCBImage* control : {&ImagePhoto, &CoverImage}) {
        control->onPaintNow = [this](TCBImage& image) {
            if (!m_window)
                return;
            image.paint(m_window->canvas());
            m_window->present();
        };
    }
}

void TMainform::FormPaint() {
    if (!m_window)
        return;
    PaintMainScreen(m_window->canvas());
    // The controls lie on top of what the window draws itself.
    for (TCBImage* control : {&CoverImage, &ImagePhoto})
        control->paint(m_window->canvas());
    m_window->present();
}

void TMainform::FormClose() {
    callFunction_Exit();
}

void TMainform::FormDestroy() {
    if (m_destroyed)
        return;
    m_destroyed = true;
    // The scan is told to stop and waited for, so it never outlives the lists it fills.
    if (m_scanThread.joinable()) {
        m_scanThread.request_stop();
        m_scanThread.join();
    }
    // Folder workers post to this window's loop; none may outlive it.
    StopFolderInfoWorkers();
    FreeSkin();
    gListElements = std::make_shared<TElementList>();
    gSpeechVoice.reset();
}

void TMainform::handleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        FormClose();
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE)
            FormClose();
        else if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
            requestRepaint();
        break;
    case SDL_KEYDOWN: {
        // Every key reaches the handler, also those without a function: each one counts as
        // activity, and its text may be typed into the search field.
        const int key =
            platform::virtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.scancode);
        FormKeyDown(key, platform::shiftDown(event.key.keysym.mod),
                    platform::ctrlDown(event.key.keysym.mod));
        break;
    }
    case SDL_TEXTINPUT:
        FormTextInput(event.text.text);
        break;
    case SDL_MOUSEBUTTONDOWN:
        FormMouseDown(event.button.button, event.button.x, event.button.y, event.button.clicks);
        break;
    case SDL_MOUSEBUTTONUP:
        FormMouseUp(event.button.button, event.button.x, event.button.y);
        break;
    case SDL_MOUSEMOTION:
        FormMouseMove(event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEWHEEL: {
        int x = 0;
        int y = 0;
        SDL_GetMouseState(&x, &y);
        const int steps =
            event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        if (steps != 0)
            FormMouseWheel(steps, x, y);
        break;
    }
    default:
        break;
    }
}

void TMainform::run() {
    if (!terminated())
        m_loop.run();
}

void callFunction_Exit() {
    LogLine("enter callFunction_Exit()");
    WriteRatings();
    if (MainformExists())
        Mainform().terminate();
}
