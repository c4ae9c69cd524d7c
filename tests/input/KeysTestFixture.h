#pragma once

#include "app/AppState.h"
#include "app/Log.h"
#include "app/Mainform.h"
#include "app/MenuModes.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "config/Ratings.h"
#include "input/Dispatch.h"
#include "input/Keyboard.h"
#include "input/PressedKeyText.h"
#include "library/CoverLookup.h"
#include "library/LibraryScan.h"
#include "platform/KeyMap.h"
#include "platform/Window.h"
#include "playback/Playlists.h"
#include "playback/Video.h"
#include "support/FakePlayer.h"
#include "support/TempDir.h"
#include "ui/Editfield.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace keystest {

namespace vk = platform::vk;

// A started main window (manual clock, headless, logging on) on a program folder with:
//   Musik/Album01 .. Album30 (Album01 holds three titles), Musik/klein (lower-case titles),
//   Fotos/Urlaub/ + bild1.jpg, Videos/Serie/ + film.avi, Programme/Spiele/ + editor.desktop.
class KeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        for (int i = 1; i <= 30; ++i)
            std::filesystem::create_directories(
                folder.file((i < 10 ? "Musik/Album0" : "Musik/Album") + std::to_string(i)));
        for (const char* file :
             {"Musik/Album01/01 Eins.mp3", "Musik/Album01/02 Zwei.mp3", "Musik/Album01/03 Drei.mp3",
              "Musik/klein/alpha.mp3", "Musik/klein/beta.mp3", "Fotos/Urlaub/x.jpg",
              "Fotos/bild1.jpg", "Videos/Serie/x.avi", "Videos/film.avi", "Programme/Spiele/x"})
            testsupport::writeFile(folder.file(file), "no media");
        testsupport::writeFile(folder.file("Programme/editor.desktop"),
                               "[Desktop Entry]\nType=Application\nName=Editor\nExec=zvn-none\n");
        testsupport::linkRepositorySkins(folder.path());
        testsupport::writeFile(
            folder.file("Config.ini"),
            "[Options]\r\nShowDebugWindow=1\r\n[Paths]\r\nMP3Path=" + root("Musik") +
                "\r\nFotosPath=" + root("Fotos") + "\r\nVideoPath=" + root("Videos") +
                "\r\nProgramLinksPath=" + root("Programme") + "\r\n");
        log = std::make_unique<TDebugForm>(folder.path());
        form = std::make_unique<TMainform>(
            TMainform::Options{folder.path(), &clock, testsupport::fakePlayers(clock)});
        form->FormCreate();
        ASSERT_FALSE(form->terminated());
        form->FormShow();
        settle();
    }

    void TearDown() override {
        Editfield.Hide();
        form.reset();
        log.reset();
    }

    // A root folder as the program keeps it (ending in "/").
    std::string root(const std::string& name) const { return folder.file(name) + "/"; }
    // Runs posted work and the pending paint, so a test sees only what its own step asks for.
    void settle() { form->loop().advance(1); }
    bool logged(const std::string& text) const {
        return testsupport::readFile(folder.file("debug.txt")).find(text) != std::string::npos;
    }
    std::string currentName() const {
        const ListElementPtr element = CurrentListElement();
        return element ? element->FileName() : std::string();
    }
    void press(int key, bool shift = false, bool ctrl = false) { FormKeyDown(key, shift, ctrl); }
    // 32 rows: "..", Album01 .. Album30, klein.
    void openMusicRoot() {
        callFunction_MusicMenu();
        settle();
    }

    testsupport::TempDir folder;
    platform::SdlSession sdl;
    platform::ManualClock clock{5000};
    std::unique_ptr<TDebugForm> log;
    std::unique_ptr<TMainform> form;
};

} // namespace keystest
