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
// Highlights element `index` of gListElements with the list scrolled to show it in the middle
// row, or the first or last page when it lies near an end. Logs the chosen offset.
void ScrollToMiddle(int index);
