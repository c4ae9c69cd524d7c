#pragma once

// OPTIONS: enters the options screen, or leaves it (saving Config.ini) back to the mode it was
// entered from. Main thread only.
void callFunction_Options();
// Fills gListElements with the rows of the options screen.
void BuildOptionsList();
// Steps the highlighted option's value by +1 or -1. The caller repaints.
void ChangeOption(int step);
