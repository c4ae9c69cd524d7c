#include "ui/EnterTextForm.h"

#include "app/MainformParts.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "platform/KeyMap.h"

namespace {

constexpr int kMargin = 12;
constexpr int kButtonTop = 64;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 8;
constexpr int kCaptionPoints = 9;
constexpr int kButtonPoints = 10;
constexpr platform::Color kFrameColor = platform::rgb(0, 0, 0);
constexpr platform::Color kTextColor = platform::rgb(255, 255, 255);

void frameRect(platform::Canvas& canvas, const platform::Rect& rect, platform::Color color) {
    canvas.line(rect.left, rect.top, rect.right - 1, rect.top, color);
    canvas.line(rect.left, rect.bottom - 1, rect.right - 1, rect.bottom - 1, color);
    canvas.line(rect.left, rect.top, rect.left, rect.bottom - 1, color);
    canvas.line(rect.right - 1, rect.top, rect.right - 1, rect.bottom - 1, color);
}

void centredText(platform::Canvas& canvas, const platform::Rect& rect, const std::string& text,
                 int points, bool bold) {
    canvas.setTextBackground(true);
    canvas.setFont(platform::FontSpec{gFontName, points, bold, false, kTextColor});
    const int x = rect.left + (rect.width() - canvas.textWidth(text)) / 2;
    const int y = rect.top + (rect.height() - canvas.textHeight(text)) / 2;
    canvas.textRect(rect, x, y, text);
}

void paintButton(platform::Canvas& canvas, const platform::Rect& rect, const std::string& caption,
                 bool isDefault) {
    canvas.fillRect(rect, gColorTitlebar);
    frameRect(canvas, rect, kTextColor);
    // The default button carries a second frame, as Return presses it.
    if (isDefault)
        frameRect(canvas, {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1},
                  kTextColor);
    centredText(canvas, rect, caption, kButtonPoints, isDefault);
}

} // namespace

platform::Rect TEnterTextForm::bounds() const {
    const int width = kClientWidth + 2 * kBorder;
    const int height = kClientHeight + kCaptionHeight + 2 * kBorder;
    const int left = (gIniScreenWidth - width) / 2;
    const int top = (gIniScreenHeight - height) / 2;
    return {left, top, left + width, top + height};
}

platform::Rect TEnterTextForm::clientArea() const {
    const platform::Rect outer = bounds();
    const int top = outer.top + kBorder + kCaptionHeight;
    return {outer.left + kBorder, top, outer.right - kBorder, top + kClientHeight};
}

platform::Rect TEnterTextForm::cancelButton() const {
    const platform::Rect client = clientArea();
    const int width = (kClientWidth - 2 * kMargin - kButtonGap) / 2;
    const int top = client.top + kButtonTop;
    return {client.left + kMargin, top, client.left + kMargin + width, top + kButtonHeight};
}

platform::Rect TEnterTextForm::okButton() const {
    const platform::Rect cancel = cancelButton();
    const int left = cancel.right + kButtonGap;
    return {left, cancel.top, left + cancel.width(), cancel.bottom};
}

void TEnterTextForm::placeEditField() {
    const platform::Rect client = clientArea();
    const int top = client.top + kMargin + 4;
    m_edit.setBounds(
        {client.left + kMargin, top, client.right - kMargin, top + TEditfield::kHeight});
}

bool TEnterTextForm::ShowModal() {
    if (m_visible)
        return false;
    m_finished = false;
    m_accepted = false;
    m_visible = true;
    placeEditField();
    m_edit.setColor(gColorTitlebarHighlight);
    m_edit.Show();
    m_edit.SetFocus();
    Mainform().requestRepaint();
    Mainform().loop().runModal([this] { return m_finished; });
    m_edit.Hide();
    m_visible = false;
    Mainform().requestRepaint();
    return m_finished && m_accepted;
}

void TEnterTextForm::finish(bool accepted) {
    if (!m_visible)
        return;
    m_accepted = accepted;
    m_finished = true;
}

void TEnterTextForm::keyDown(int virtualKey) {
    if (virtualKey == platform::vk::Return)
        accept();
    else if (virtualKey == platform::vk::Escape)
        cancel();
    else
        m_edit.keyDown(virtualKey);
}

void TEnterTextForm::textInput(const std::string& utf8) {
    m_edit.textInput(utf8);
}

void TEnterTextForm::mouseDown(int x, int y) {
    if (okButton().contains(x, y))
        accept();
    else if (cancelButton().contains(x, y))
        cancel();
}

void TEnterTextForm::paint(platform::Canvas& canvas) const {
    if (!m_visible)
        return;
    const platform::Rect outer = bounds();
    canvas.fillRect(outer, kFrameColor);
    const platform::Rect caption{outer.left + kBorder, outer.top + kBorder, outer.right - kBorder,
                                 outer.top + kBorder + kCaptionHeight};
    canvas.fillRect(caption, gColorTitlebar);
    centredText(canvas, caption, kCaption, kCaptionPoints, true);
    canvas.fillRect(clientArea(), gColorMenubar);
    m_edit.paint(canvas);
    paintButton(canvas, cancelButton(), "Abbrechen", false);
    paintButton(canvas, okButton(), "OK", true);
}

void ResetEnterTextForm() {
    EnterTextForm = TEnterTextForm{};
}
