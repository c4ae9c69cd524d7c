#include "playback/Jukebox.h"

#include "app/Log.h"
#include "input/PressedKeyText.h"

// Placeholders: the jukebox queue and the shuffle are built with the queue handling; until then
// these commands only announce themselves and show their header text.

void callFunction_Jukebox(const ListElementPtr& /*element*/) {
    LogLine("enter callFunction_Jukebox()");
    ShowPressedKeyText("Titel in Jukebox...");
}

void callFunction_JukeboxDir(const ListElementPtr& /*folder*/) {
    LogLine("enter callFunction_JukeboxDir()");
    ShowPressedKeyText("Verzeichnis zu Jukebox hinzufügen...");
}

void callFunction_Select_Shuffle() {
    LogLine("enter callFunction_Select_Shuffle()");
    ShowPressedKeyText("Shuffle");
}

void callFunction_DeleteFromJukebox(const ListElementPtr& /*element*/) {
    LogLine("enter callFunction_DeleteFromJukebox()");
    ShowPressedKeyText("Lösche aus Jukebox");
}

void callFunction_JukeboxUp(const ListElementPtr& /*element*/) {
    LogLine("enter callFunction_JukeboxUp()");
}

void callFunction_JukeboxDown(const ListElementPtr& /*element*/) {
    LogLine("enter callFunction_JukeboxDown()");
}
