#pragma once

#include "app/MainformParts.h"
#include "platform/MediaPlayer.h"

#include <functional>
#include <memory>

#include <string>
#include <thread>

// The main window: adds to the parts the subsystems use the window itself, the event handlers,
// the start-up sequence and the library scan thread. Main thread only.
class RemoteControl;

class TMainform : public TMainformParts {
public:
    struct Options {
        std::string programDirectory;     // empty: the current working directory
        platform::Clock* clock = nullptr; // null: the steady clock
        // Makes the music (false) and the video player (true); null: players on libmpv.
        std::function<std::unique_ptr<platform::MediaPlayer>(bool video)> makePlayer;
        // Offers the desktop's media-player interface on the session bus (the program, not
        // the tests that run many windows in one process).
        bool offerRemoteControl = false;
    };

    explicit TMainform(const Options& options);
    ~TMainform() override;
    TMainform(const TMainform&) = delete;
    TMainform& operator=(const TMainform&) = delete;

    // Runs the start-up sequence. Afterwards terminated() tells whether the program is to end
    // before it is shown (not configured, missing skin, missing Config.ini).
    void FormCreate();
    void FormShow();
    void FormPaint();
    void paintNow() override { FormPaint(); }
    void FormClose();
    void FormDestroy();
    void handleEvent(const platform::Event& event);

    // Runs the message loop until the application is terminated.
    void run();
    // Start-up found no music root and handed over to the configuration program.
    bool notConfigured() const { return m_notConfigured; }

private:
    void runStartupSequence();
    void setUpPictureControls();
    void createPlayers();
    bool routeToDialog(const platform::Event& event);

    std::function<std::unique_ptr<platform::MediaPlayer>(bool video)> m_makePlayer;

    bool m_offerRemoteControl = false;
    std::unique_ptr<RemoteControl> m_remoteControl;
    std::jthread m_scanThread;
    bool m_notConfigured = false;
    bool m_destroyed = false;
};
