#pragma once

// A screen size the program offers, in pixels.
struct ScreenResolution {
    int width;
    int height;
};

// The resolutions to choose from (the options screen and the first-run set-up): the classic
// ones first, then the wide screens of today.
inline constexpr ScreenResolution kScreenResolutions[] = {
    {800, 600},   {1024, 768}, {1152, 864},  {1280, 1024},
    {1600, 1200}, {1280, 720}, {1920, 1080}, {3840, 2160},
};

// OPTIONS: enters the options screen, or leaves it (saving Config.ini) back to the mode it was
// entered from. Main thread only.
void callFunction_Options();
// Fills gListElements with the rows of the options screen.
void BuildOptionsList();
// Steps the highlighted option's value by +1 or -1. The caller repaints.
void ChangeOption(int step);
