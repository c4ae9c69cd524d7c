#include "input/Mouse.h"

void FormMouseDown(int /*button*/, int /*x*/, int /*y*/, int /*clicks*/) {}
void FormMouseUp(int /*button*/, int /*x*/, int /*y*/) {}
void FormMouseMove(int /*x*/, int /*y*/) {}
void FormMouseWheel(int /*steps*/, int /*x*/, int /*y*/) {}
