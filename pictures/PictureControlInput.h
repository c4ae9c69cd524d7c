#pragma once

// Mouse handlers of the picture controls lying on the main window. Main thread only.

// A press on the full-window photo; x and y are relative to the control.
void ImagePhotoMouseDown(int button, int x, int y);
