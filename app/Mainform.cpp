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
#include "pictures/CoverShow3D.h"
#include "pictures/CoverView.h"
#include "pictures/PhotoView.h"
#include "pictures/PictureControlInput.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/MpvPlayer.h"
#include "platform/Process.h"
#include "playback/MusicPlayback.h"
#include "playback/Players.h"
#include "playback/RemoteControl.h"
#include "playback/Video.h"
#include "playback/WaveVolume.h"
#include "speech/SpeechVoice.h"
#include "ui/EnterTextForm.h"
#include "ui/InfoScroller.h"
#include "ui/Layout.h"
#include "ui/Paint.h"
#include "ui/Screen.h"
#include "ui/TitleAnimation.h"
#include "ui/TitlebarList.h"

#include <algorithm>
#include <cstdint>

TMainform::TMainform(const Options& options)
    : TMainformParts(options.clock), m_makePlayer(options.makePlayer),
      m_offerRemoteControl(options.offerRemoteControl) {
    gProgramDirectory =
        options.programDirectory.empty() ? platform::currentDirectory() : options.programDirectory;
    while (gProgramDirectory.size() > 1 && gProgramDirectory.back() == '/')
        gProgramDirectory.pop_back();
    // The window as designed, at the top-left corner; the skin sizes it to the resolution.
    setWindow(std::make_unique<platform::Window>("Zuvenmedia", 1074, 695));
    setUpPictureControls();
    Timer_DelayAfterKeyPressed.setHandler(Timer_DelayAfterKeyPressedTimer);
    loop().setEventHandler([this](const platform::Event& event) { handleEvent(event); });
    // One paint per loop pass: the whole screen, or only the regions marked during the pass.
    loop().setPaintHandler([this](bool wholeWindow, std::uint32_t regions) {
        if (wholeWindow) {
            FormPaint();
        } else if (window()) {
            PaintMarkedRegions(window()->canvas(), regions);
            EnterTextForm.paint(window()->canvas());
            window()->present();
        }
    });
    Timer_HoldScrollbarDelay.setHandler(Timer_HoldScrollbarDelayTimer);
    Timer_HoldScrollbarUpOrDown.setHandler(Timer_HoldScrollbarUpOrDownTimer);
    Timer_ShowNumberOfTracksInitially.setHandler(Timer_ShowNumberOfTracksInitiallyTimer);
    Timer_ShowNumberOfTracksInitially2.setHandler(Timer_ShowNumberOfTracksInitially2Timer);
    Timer_MusicTitlePlaying.setHandler(Timer_MusicTitlePlayingTimer);
    Timer_MusicTitleOver.setHandler(Timer_MusicTitleOverTimer);
    Timer_DeleteStatusMessage.setHandler(Timer_DeleteStatusMessageTimer);
    Timer_RefreshClock.setHandler(Timer_RefreshClockTimer);
    Timer_InfoScroller.setHandler(Timer_InfoScrollerTimer);
    Timer_AnimateCurrentTitle.setHandler(Timer_AnimateCurrentTitleTimer);
}

void TMainform::createPlayers() {
    const auto make = [this](bool video) -> std::unique_ptr<platform::MediaPlayer> {
        if (m_makePlayer)
            return m_makePlayer(video);
        platform::MpvPlayerOptions options;
        options.video = video;
        options.nullAudio = platform::runningHeadless();
        if (video)
            options.onNewFrame = [] { DrawVideoPanel(); };
        std::string error;
        if (auto player = platform::createMpvPlayer(loop(), std::move(options), error))
            return player;
        const std::string name = video ? "VideoPlayer" : "MusicPlayer";
        LogError(name + " could not be created: " + error);
        return UnavailablePlayer(error);
    };
    gMusicPlayer = make(false);
    gVideoPlayer = make(true);
}

TMainform::~TMainform() {
    FormDestroy();
}

void TMainform::FormCreate() {
    window()->moveTo(0, 0);
    runStartupSequence();
}

void TMainform::runStartupSequence() {
    // The back buffer is the canvas: every frame is drawn off screen and then presented.
    // A start-up that cannot go on ends the program once control is back in the loop; the
    // rest of the sequence still runs on the defaults, so the exit finds everything in place.
    if (!ReadConfig())
        terminate();
    ReadRatings();

    if (gIniRootDirectoryMusic.empty()) {
        // Not configured: the configuration program takes over and this program ends.
        const std::string configProgram = ProgramFile("config.exe");
        if (!platform::startDetached(configProgram, {}, gProgramDirectory))
            LogError(configProgram + " could not be started");
        terminate();
        m_notConfigured = true;
        return;
    }

    createPlayers();
    SetWaveVolume(0xFFFFFFFFu);
    Timer_Diashow.setInterval(gIniDiashowWaitInMS);
    ApplyScreensaverTimer(*this, gIniEnableZUVENScreensaver);

    gIconHeight = 32;
    if (!LoadSkin(true))
        terminate();

    SetMenuMode(mmMain);
    HightlightTitlebarIndex = 0;
    gHighlightedMenuItem = -1;
    StartInfoScrollerCountdown();
    gScreensaverCoverShown.clear();

    m_scanThread = std::jthread([root = gIniRootDirectoryMusic, &mainLoop = loop()](
                                    std::stop_token stop) { BuildLibrary(root, mainLoop, stop); });

    BuildMenubar();

    for (platform::Timer* timer :
         {&Timer_ShowNumberOfTracksInitially, &Timer_ShowNumberOfTracksInitially2,
          &Timer_RefreshClock, &Timer_MusicTitlePlaying, &Timer_AnimateCurrentTitle,
          &Timer_InfoScroller, &Timer_ChangeCoverImage})
        timer->setEnabled(true);

    gSpeechVoice = CreateSpeechVoice();
    if (m_offerRemoteControl)
        m_remoteControl = std::make_unique<RemoteControl>(loop(), true);
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
    Timer_DiaShowShowTitle.setHandler(Timer_DiaShowShowTitleTimer);
    CoverImage.setColor(platform::rgb(128, 128, 128));
    CoverImage.StretchRatio = true;
    CoverImage.Jpeg.performance = platform::JpegOptions::Performance::BestSpeed;
    CoverImage.Jpeg.progressiveDisplay = true;
    CoverImage.onClick = CoverImageClick;
    Timer_ChangeCoverImage.setHandler(Timer_ChangeCoverImageTimer);
    Timer_Screensaver.setHandler(Timer_ScreensaverTimer);
    Timer_ScreensaverCoverShow.setHandler(Timer_ScreensaverCoverShowTimer);
    Timer_ScreensaverCoverShowWait.setHandler(Timer_ScreensaverCoverShowWaitTimer);
    // A control that must show itself at once is drawn over the back buffer and presented.
    for (TCBImage* control : {&ImagePhoto, &CoverImage}) {
        control->onPaintNow = [this](TCBImage& image) {
            if (!window())
                return;
            image.paint(window()->canvas());
            window()->present();
        };
    }
}

void TMainform::FormPaint() {
    platform::Window* shown = window();
    if (!shown)
        return;
    PaintMainScreen(shown->canvas());
    // The controls lie on top of what the window draws itself, the video panel on top of all.
    for (TCBImage* control : {&CoverImage, &ImagePhoto})
        control->paint(shown->canvas());
    CoverImageShape1.paint(shown->canvas());
    CoverImageShape2.paint(shown->canvas());
    LabelCoverScreensaver1.paint(shown->canvas());
    // The caption lies on the photo; a repaint between two photos must not lose it.
    if (gMenuMode == mmPhotoView)
        PaintPhotoCaption(shown->canvas());
    DrawVideoPanel(shown->canvas());
    EnterTextForm.paint(shown->canvas());
    shown->present();
}

void TMainform::FormClose() {
    callFunction_Exit();
}

void TMainform::FormDestroy() {
    if (m_destroyed)
        return;
    m_destroyed = true;
    // Its thread posts commands to this window's loop.
    m_remoteControl.reset();
    // The scan is told to stop and waited for, so it never outlives the lists it fills.
    if (m_scanThread.joinable()) {
        m_scanThread.request_stop();
        m_scanThread.join();
    }
    // Folder workers post to this window's loop; none may outlive it.
    StopFolderInfoWorkers();
    StopPhotoDecodeAhead();
    // The players post to this window's loop as well.
    gMusicPlayer.reset();
    gVideoPlayer.reset();
    FreeSkin();
    gListElements = std::make_shared<TElementList>();
    gSpeechVoice.reset();
}

// While the 3D cover show or the text-entry dialog is shown it is modal: it takes the keys, the
// typed text and the clicks, and the window behind it sees none of them. True when the event
// went to the dialog.
bool TMainform::routeToDialog(const platform::Event& event) {
    using Type = platform::Event::Type;
    if (TDirect3DForm* show = ActiveDirect3DForm())
        return show->handleEvent(event);
    if (!EnterTextForm.Visible())
        return false;
    switch (event.type) {
    case Type::KeyDown:
        // A key still counts as activity for the screensaver.
        if (Timer_Screensaver.enabled())
            Timer_Screensaver.restart();
        EnterTextForm.keyDown(event.key);
        return true;
    case Type::TextInput:
        EnterTextForm.textInput(event.text);
        return true;
    case Type::MouseButtonDown:
        if (event.button == 1)
            EnterTextForm.mouseDown(event.x, event.y);
        return true;
    case Type::MouseButtonUp:
    case Type::MouseMotion:
    case Type::MouseWheel:
    case Type::KeyUp:
        return true;
    case Type::Quit:
    case Type::Exposed:
        return false;
    }
    return false;
}

void TMainform::handleEvent(const platform::Event& event) {
    using Type = platform::Event::Type;
    if (routeToDialog(event))
        return;
    switch (event.type) {
    case Type::Quit:
        FormClose();
        break;
    case Type::Exposed:
        requestRepaint();
        break;
    case Type::KeyDown:
        // Every key reaches the handler, also those without a function: each one counts as
        // activity, and its text may be typed into the search field.
        FormKeyDown(event.key, event.shift, event.ctrl);
        break;
    case Type::TextInput:
        FormTextInput(event.text);
        break;
    case Type::MouseButtonDown:
        FormMouseDown(event.button, event.x, event.y, event.clicks);
        break;
    case Type::MouseButtonUp:
        FormMouseUp(event.button, event.x, event.y);
        break;
    case Type::MouseMotion:
        FormMouseMove(event.x, event.y);
        break;
    case Type::MouseWheel:
        if (event.wheelSteps != 0)
            FormMouseWheel(event.wheelSteps, event.x, event.y);
        break;
    case Type::KeyUp:
        break;
    }
}

void TMainform::run() {
    if (!terminated())
        loop().run();
}
