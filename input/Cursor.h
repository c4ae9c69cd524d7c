#pragma once

// Moving the highlighted row through gListElements, scrolling the list as needed.
void CursorDown();
void CursorUp();
void CursorHome();
void CursorEnd();
void PageUp();
void PageDown();
// Moves to the next element whose name starts with the letter (a virtual-key code 65..90).
void JumpToLetter(int letterKey);
