#include "ui/Paint.h"

#include "platform/Canvas.h"

void PaintMainScreen(platform::Canvas& canvas) {
    // The window's own light grey until the skin's screen is drawn.
    canvas.fillRect({0, 0, canvas.width(), canvas.height()}, platform::rgb(193, 193, 193));
}
