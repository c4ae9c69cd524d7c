#pragma once

#include "platform/Canvas.h"

#include <functional>
#include <string>

// The search field: a single-line edit control of the program's own, drawn over the folder-name
// line while the title search runs. Main thread only.
class TEditfield {
public:
    // The font is 14 points (19 pixels); the field is the font's height plus its margins.
    static constexpr int kFontPoints = 14;
    static constexpr int kHeight = 27;
    // Colour of the field while it waits for input.
    static constexpr platform::Color kDefaultColor = 2678000;

    bool Visible() const { return m_visible; }
    void Show();
    void Hide();
    platform::Rect bounds() const { return m_bounds; }
    void setBounds(const platform::Rect& bounds) { m_bounds = bounds; }
    platform::Color Color() const { return m_color; }
    void setColor(platform::Color color);

    const std::string& Text() const { return m_text; }
    // Replaces the text (the change handler runs); the caret goes to the end.
    void setText(const std::string& text);
    // Gives the field the focus: the whole text is selected, so typing replaces it. A hidden
    // field cannot take the focus; hiding it takes the focus away.
    void SetFocus();
    bool Focused() const { return m_focused; }
    // Caret position in characters.
    std::size_t Caret() const { return m_caret; }
    bool AllSelected() const { return m_allSelected; }

    // A key while the field has the focus (Backspace 8, Delete 46, Left, Right, Home, End);
    // true when the field used it.
    bool keyDown(int virtualKey);
    // Typed text; each character first passes the key-press filter.
    void textInput(const std::string& utf8);

    void paint(platform::Canvas& canvas) const;

    // Runs for every typed character before it is inserted; returns false to discard it.
    std::function<bool(char32_t)> onKeyPress;
    // Runs after every change of the text.
    std::function<void()> onChange;

private:
    bool m_visible = false;
    platform::Rect m_bounds;
    bool m_focused = false;
    platform::Color m_color = kDefaultColor;
    std::string m_text;
    std::size_t m_caret = 0; // in characters
    bool m_allSelected = false;
};

// The main window's search field.
inline TEditfield Editfield;

// A hidden, empty field without handlers, as at start-up.
void ResetEditfield();
