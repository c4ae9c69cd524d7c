#pragma once

// Mouse events of the main window, in window pixels. button: 1 left, 2 middle, 3 right.
void FormMouseDown(int button, int x, int y, int clicks);
void FormMouseUp(int button, int x, int y);
void FormMouseMove(int x, int y);
// Wheel steps: positive away from the user (up), negative towards the user (down).
void FormMouseWheel(int steps, int x, int y);
