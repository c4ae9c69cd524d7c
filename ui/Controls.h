#pragma once

#include "platform/Canvas.h"

#include <string>

// A filled rectangle with an outline, placed on the window. Windowless: the main window
// paints it into its back buffer. Main thread.
struct TShape {
    platform::Rect Bounds;
    bool Visible = false;
    platform::Color Color = platform::rgb(128, 128, 128);

    void paint(platform::Canvas& canvas) const;
    void moveBy(int dx) {
        Bounds = {Bounds.left + dx, Bounds.top, Bounds.right + dx, Bounds.bottom};
    }
};

// A text label with a transparent background. As on every caption of the window an "&" marks
// the next character as the accelerator and is not shown; "&&" shows one "&". Main thread.
struct TLabel {
    int Left = 0;
    int Top = 0;
    std::string Caption;
    platform::FontSpec Font;
    bool Visible = false;

    // The caption as it appears on the window.
    std::string DisplayText() const;
    void paint(platform::Canvas& canvas) const;
};
