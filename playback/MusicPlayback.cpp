#include "playback/MusicPlayback.h"

#include "app/Log.h"
#include "input/PressedKeyText.h"

// Placeholders: the player control (fade-out, muted lead-in, queue advance and skips) is built
// with the music playback; until then these routines only announce themselves.

void StartMusicTitle(const ListElementPtr& /*element*/) {
    LogLine("enter StartMusicTitle()");
}

void callFunction_NextTrack() {
    LogLine("enter callFunction_NextTrack()");
    ShowPressedKeyText("Nächster Titel");
}

void callFunction_Stop() {
    LogLine("enter callFunction_Stop()");
}

void callFunction_Pause() {
    LogLine("enter callFunction_Pause()");
}

void SkipForward() {
    LogLine("enter SkipForward()");
}

void SkipBackward() {
    LogLine("enter SkipBackward()");
}
