#pragma once

// Puts every global of the program back to the value it has at start-up: the state of the
// application, the settings and the skin, the ratings, the library lists, the input, playback,
// picture and screen state, and the log's switch. Folder workers are stopped first, since they
// read that state. Main thread only, with no main window alive: the window's players, voice and
// list belong to the state reset here.
void ResetAllState();
