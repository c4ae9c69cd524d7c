#include "ui/Editfield.h"

#include "app/MainformParts.h"
#include "config/Skin.h"
#include "platform/Encoding.h"
#include "platform/KeyMap.h"

#include <algorithm>

namespace {

// Space between the field's edge and its text.
constexpr int kTextMargin = 4;
constexpr platform::Color kTextColor = platform::rgb(0, 0, 0);
constexpr platform::Color kSelectionColor = platform::rgb(0, 120, 215);
constexpr platform::Color kSelectedTextColor = platform::rgb(255, 255, 255);

void requestRepaint() {
    Mainform().requestRepaint();
}

bool isContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes the character starting at `pos` and moves `pos` past it. A byte that does not start
// a valid sequence stands for itself, so no input is ever lost.
char32_t nextCharacter(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = 1;
    char32_t value = lead;
    if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        value = lead & 0x07;
    } else if (lead >= 0xE0) {
        length = lead < 0xF0 ? 3 : 1;
        value = lead & 0x0F;
    } else if (lead >= 0xC0) {
        length = 2;
        value = lead & 0x1F;
    }
    if (length == 1 || pos + length > text.size()) {
        ++pos;
        return lead;
    }
    for (int i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuationByte(byte)) {
            ++pos;
            return lead;
        }
        value = (value << 6) | (byte & 0x3F);
    }
    pos += length;
    return value;
}

bool isControlCharacter(char32_t character) {
    return character < 0x20 || character == 0x7F;
}

// Byte offset of the character with the given index.
std::size_t byteOffset(const std::string& text, std::size_t characters) {
    return platform::utf8Prefix(text, characters).size();
}

} // namespace

void TEditfield::Show() {
    m_visible = true;
    requestRepaint();
}

void TEditfield::Hide() {
    m_visible = false;
    m_focused = false;
    m_allSelected = false;
    requestRepaint();
}

void TEditfield::setColor(platform::Color color) {
    m_color = color;
    requestRepaint();
}

void TEditfield::setText(const std::string& text) {
    m_text = text;
    m_caret = platform::utf8Length(m_text);
    m_allSelected = false;
    requestRepaint();
    if (onChange)
        onChange();
}

void TEditfield::SetFocus() {
    if (!m_visible)
        return;
    m_focused = true;
    m_allSelected = true;
    m_caret = platform::utf8Length(m_text);
    requestRepaint();
}

bool TEditfield::keyDown(int virtualKey) {
    if (!m_focused)
        return false;
    const std::size_t length = platform::utf8Length(m_text);
    const bool replaceAll = m_allSelected;
    std::string changed = m_text;
    switch (virtualKey) {
    case platform::vk::Back:
        if (replaceAll) {
            changed.clear();
            m_caret = 0;
        } else if (m_caret > 0) {
            const std::size_t from = byteOffset(m_text, m_caret - 1);
            changed.erase(from, byteOffset(m_text, m_caret) - from);
            --m_caret;
        }
        break;
    case platform::vk::Delete:
        if (replaceAll) {
            changed.clear();
            m_caret = 0;
        } else if (m_caret < length) {
            const std::size_t from = byteOffset(m_text, m_caret);
            changed.erase(from, byteOffset(m_text, m_caret + 1) - from);
        }
        break;
    case platform::vk::Left:
        // A selection collapses to its start, as in every edit control.
        m_caret = replaceAll ? 0 : (m_caret > 0 ? m_caret - 1 : 0);
        break;
    case platform::vk::Right:
        m_caret = replaceAll ? length : std::min(length, m_caret + 1);
        break;
    case platform::vk::Home:
        m_caret = 0;
        break;
    case platform::vk::End:
        m_caret = length;
        break;
    default:
        return false;
    }
    m_allSelected = false;
    requestRepaint();
    if (changed != m_text) {
        m_text = std::move(changed);
        if (onChange)
            onChange();
    }
    return true;
}

void TEditfield::textInput(const std::string& utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        const char32_t character = nextCharacter(utf8, pos);
        // The handlers may hide the field (the search leaves) between two characters.
        if (!m_focused)
            return;
        if (onKeyPress && !onKeyPress(character))
            continue;
        if (isControlCharacter(character))
            continue;
        if (m_allSelected) {
            m_text.clear();
            m_caret = 0;
            m_allSelected = false;
        }
        m_text.insert(byteOffset(m_text, m_caret), utf8, start, pos - start);
        ++m_caret;
        requestRepaint();
        if (onChange)
            onChange();
    }
}

void TEditfield::paint(platform::Canvas& canvas) const {
    if (!m_visible)
        return;
    canvas.fillRect(m_bounds, m_color);
    const platform::Rect inner{m_bounds.left + kTextMargin, m_bounds.top,
                               m_bounds.right - kTextMargin, m_bounds.bottom};
    if (inner.width() <= 0)
        return;
    const bool showSelection = m_focused && m_allSelected && !m_text.empty();
    canvas.setTextBackground(true);
    canvas.setFont(platform::FontSpec{gFontName, kFontPoints, false, false,
                                      showSelection ? kSelectedTextColor : kTextColor});
    const int textHeight = canvas.textHeight("Ag");
    const int y = m_bounds.top + (m_bounds.height() - textHeight) / 2;
    // The text scrolls left when the caret would leave the field.
    const int caretOffset = canvas.textWidth(platform::utf8Prefix(m_text, m_caret));
    const int x = inner.left - std::max(0, caretOffset - (inner.width() - 1));
    if (showSelection) {
        const platform::Rect selection{std::max(inner.left, x), y,
                                       std::min(inner.right, x + canvas.textWidth(m_text)),
                                       y + textHeight};
        canvas.fillRect(selection, kSelectionColor);
    }
    canvas.textRect(inner, x, y, m_text);
    if (m_focused && !showSelection) {
        const int caretX = x + caretOffset;
        canvas.line(caretX, y, caretX, y + textHeight, kTextColor);
    }
}

void ResetEditfield() {
    Editfield = TEditfield{};
}
