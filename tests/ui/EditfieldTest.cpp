#include "ui/Editfield.h"

#include "DrawingFixture.h"
#include "app/MainformParts.h"
#include "platform/KeyMap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::Rect;
using platform::rgb;

namespace vk = platform::vk;

// A shown field whose changes are recorded.
class EditfieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        field.onChange = [this] { changes.push_back(field.Text()); };
        field.Show();
    }
    void focusWith(const std::string& text) {
        field.setText(text);
        field.SetFocus();
        changes.clear();
    }

    // The main window's timers and controls, without a window.
    platform::ManualClock m_partsClock{0};
    TMainformParts m_parts{&m_partsClock};
    TEditfield field;
    std::vector<std::string> changes;
};

TEST_F(EditfieldTest, FocusSelectsEverythingSoTypingReplacesIt) {
    focusWith("Prompt text");
    field.textInput("a");
    field.textInput("bc");
    EXPECT_EQ(field.Text(), "abc");
    EXPECT_EQ(field.Caret(), 3u);
    // One change per character, as each keystroke is one.
    EXPECT_EQ(changes, (std::vector<std::string>{"a", "ab", "abc"}));
    // Backspace or Delete on the selection clears it.
    for (int key : {vk::Back, vk::Delete}) {
        focusWith("selected");
        EXPECT_TRUE(field.keyDown(key));
        EXPECT_EQ(changes, (std::vector<std::string>{""}));
    }
}

TEST_F(EditfieldTest, EditingKeysWorkOnCharactersNotBytes) {
    focusWith("äöü");
    EXPECT_TRUE(field.keyDown(vk::End)); // ends the selection, caret at the end
    EXPECT_TRUE(field.keyDown(vk::Back));
    EXPECT_TRUE(field.keyDown(vk::Home));
    EXPECT_TRUE(field.keyDown(vk::Delete));
    field.textInput("ß");
    EXPECT_TRUE(field.keyDown(vk::Right));
    field.textInput("€");
    EXPECT_TRUE(field.keyDown(vk::Left));
    EXPECT_TRUE(field.keyDown(vk::Left));
    field.textInput("x");
    EXPECT_EQ(changes, (std::vector<std::string>{"äö", "ö", "ßö", "ßö€", "ßxö€"}));
    // At the edges nothing changes; keys the field has no use for go back to the window.
    field.keyDown(vk::Home);
    field.keyDown(vk::Back);
    field.keyDown(vk::End);
    field.keyDown(vk::Delete);
    EXPECT_EQ(changes.size(), 5u);
    for (int key : {13, 38, 40, 65, 33})
        EXPECT_FALSE(field.keyDown(key)) << key;
}

TEST_F(EditfieldTest, TheSelectionCollapsesToTheSideOfTheArrow) {
    focusWith("abc");
    field.keyDown(vk::Left);
    EXPECT_EQ(field.Caret(), 0u);
    field.SetFocus();
    field.keyDown(vk::Right);
    field.textInput("d");
    EXPECT_EQ(field.Text(), "abcd");
}

TEST_F(EditfieldTest, TheKeyPressFilterSeesEveryCharacterFirst) {
    std::vector<char32_t> offered;
    field.onKeyPress = [&](char32_t c) {
        offered.push_back(c);
        return c != U'+';
    };
    focusWith("");
    field.textInput("a+ä\tb");
    EXPECT_EQ(offered, (std::vector<char32_t>{U'a', U'+', U'ä', U'\t', U'b'}));
    // Control characters never enter a single-line field.
    EXPECT_EQ(field.Text(), "aäb");
}

TEST_F(EditfieldTest, OnlyAShownFocusedFieldTakesInput) {
    field.Hide();
    field.SetFocus();
    field.textInput("abc");
    EXPECT_FALSE(field.keyDown(vk::Back));
    EXPECT_EQ(field.Text(), "");
    // A handler that hides the field (leaving the search) ends the input at once.
    field.Show();
    field.SetFocus();
    field.onChange = [this] { field.Hide(); };
    field.textInput("abc");
    EXPECT_EQ(field.Text(), "a");
    EXPECT_FALSE(field.Focused());
}

class EditfieldPaintTest : public testsupport::DrawingFixture {
protected:
    static constexpr Rect kBounds{100, 50, 500, 50 + TEditfield::kHeight};
    TEditfield field;
};

TEST_F(EditfieldPaintTest, DrawsItsColourTextAndCaretOnlyWhenShown) {
    field.setBounds(kBounds);
    field.setText("Beatles");
    field.paint(canvas);
    EXPECT_EQ(countPixels(kBounds, testsupport::kWhite), kBounds.width() * kBounds.height());

    field.Show();
    field.SetFocus();
    field.keyDown(vk::End);
    field.paint(canvas);
    const platform::Color green = TEditfield::kDefaultColor;
    EXPECT_EQ(canvas.pixel(kBounds.left, kBounds.top), green);
    EXPECT_EQ(canvas.pixel(kBounds.right - 1, kBounds.bottom - 1), green);
    EXPECT_EQ(canvas.pixel(kBounds.left, kBounds.bottom), testsupport::kWhite);
    // Black text on the left, the field's colour alone towards the right end.
    EXPECT_GT(countPixels({100, 50, 220, kBounds.bottom}, rgb(0, 0, 0)), 20);
    const Rect rightEnd{kBounds.right - 150, kBounds.top, kBounds.right, kBounds.bottom};
    EXPECT_EQ(countPixels(rightEnd, green), rightEnd.width() * rightEnd.height());

    // Empty: only the caret, one black column.
    field.setText("");
    field.paint(canvas);
    const int black = countPixels(kBounds, rgb(0, 0, 0));
    EXPECT_GE(black, 10);
    EXPECT_LE(black, TEditfield::kHeight);

    // Focused again: the text is shown selected.
    field.setText("Selected");
    field.SetFocus();
    field.setColor(255);
    field.paint(canvas);
    EXPECT_EQ(canvas.pixel(kBounds.left, kBounds.top), rgb(255, 0, 0));
    EXPECT_GT(countPixels(kBounds, rgb(0, 120, 215)), 50);
}

} // namespace
