#include "ui/Controls.h"

void TShape::paint(platform::Canvas& canvas) const {
    if (Visible && !Bounds.isEmpty())
        canvas.fillRect(Bounds, Color);
}

std::string TLabel::DisplayText() const {
    std::string text;
    text.reserve(Caption.size());
    for (std::size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] != '&') {
            text += Caption[i];
        } else if (i + 1 < Caption.size() && Caption[i + 1] == '&') {
            text += '&';
            ++i;
        }
    }
    return text;
}

void TLabel::paint(platform::Canvas& canvas) const {
    if (!Visible || Caption.empty())
        return;
    canvas.setTextBackground(true);
    canvas.setFont(Font);
    canvas.textOut(Left, Top, DisplayText());
}
