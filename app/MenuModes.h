#pragma once

#include <cstdint>
#include <string>

// Every change of gMenuMode goes through here, so that what belongs to a mode (the search
// field and its saved position) ends with it, whichever way the mode is left.
void SetMenuMode(std::uint8_t mode);

// Mode entries. Each replaces the shown list, sets the menu mode and gCurrentDirectory, and
// rebuilds the menubar; the caller repaints. Main thread only.

// The six fixed entries of the main menu; gCurrentDirectory is cleared.
void callFunction_MainMenu();
// The music root.
void callFunction_MusicMenu();
// A music folder (returning from search or options); a missing trailing "/" is added.
void callFunction_MusicFolder(const std::string& folder);
// The photo root; refused with a status message when no photo root is configured.
void callFunction_PhotoMenu();
// The video root; refused with a status message when no video root is configured.
void callFunction_VideoMenu();
// The program-link root.
void callFunction_ProgramMenu();
// The playlists found by the library scan. keepRow keeps the cursor (scroll offset and
// highlighted row) that the caller has set; otherwise the list starts at its first row.
void callFunction_PlaylistMenu(bool keepRow);
// The jukebox queue; refused with "Jukebox ist leer!" unless the jukebox is playing.
void callFunction_JukeboxMenu();
// Back from the full-window photo to the photo list, which was never replaced.
void callFunction_ClosePhotoView();

// Entering the options screen: remembers the mode and the absolute list position.
void EnterPreviousModeSave();
// Leaving the options screen: rebuilds the remembered mode (the main menu when no folder is
// shown) and highlights the remembered position, as the top row when it lies below the first
// page.
void RestorePreviousMenuMode();
// Ending the screensaver: the mode before it, on the list that was never replaced.
void EndScreensaverMode();

// Ends the program through the one exit routine: logs, saves the ratings, ends the loop.
void callFunction_Exit();
