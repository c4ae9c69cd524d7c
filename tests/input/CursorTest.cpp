#include "input/Cursor.h"

#include "app/AppState.h"
#include "app/MainformParts.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "input/PressedKeyText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Lists shown in R = 10 rows; the main window's parts without a window.
class CursorTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }
    static void fillNames(const std::vector<std::string>& names) {
        TElementList& list = ReplaceListElements();
        for (const std::string& name : names)
            list.add("",
                     std::make_shared<TListElement>(ListElementType::MP3Dir, "/m/", name, 0.0, 0));
    }
    static void fillList(int count) { fillNames(std::vector<std::string>(count, "x")); }

    // Jumping shows what it jumped to, through the main window's parts.
    platform::ManualClock clock{0};
    TMainformParts parts{&clock};
};

TEST_F(CursorTest, MovesAndScrollsAtTheEdges) {
    const struct {
        const char* what;
        int count, offset, row;
        void (*move)();
        int expectedOffset, expectedRow;
    } cases[] = {
        {"down on the last of a short list", 5, 0, 4, CursorDown, 0, 4},
        {"page down in a short list", 5, 0, 4, PageDown, 0, 4},
        {"page up in a short list", 5, 0, 4, PageUp, 0, 4},
        {"down on the last element", 100, 90, 9, CursorDown, 90, 9},
        {"down in the bottom row scrolls", 100, 0, 9, CursorDown, 1, 9},
        {"down within the page", 100, 0, 3, CursorDown, 0, 4},
        {"up in the top row scrolls", 100, 5, 0, CursorUp, 4, 0},
        {"up at the very top", 100, 0, 0, CursorUp, 0, 0},
        {"page down from the top row", 100, 80, 0, PageDown, 85, 0},
        {"page down from the bottom row", 100, 80, 9, PageDown, 90, 9},
        {"page down past the end takes the last element", 100, 88, 9, PageDown, 90, 9},
        {"page down counts the row", 100, 84, 2, PageDown, 90, 2},
        {"page down exactly one past the end takes the last element", 100, 88, 7, PageDown, 90, 9},
        {"page down in a list of exactly one page", 10, 0, 5, PageDown, 0, 5},
        {"page up in a list of exactly one page", 10, 0, 5, PageUp, 0, 5},
        {"page up stops at offset 0", 100, 3, 6, PageUp, 0, 6},
        {"page up at offset 0 goes to the top row", 100, 0, 6, PageUp, 0, 0},
        {"end of a short list keeps the offset", 7, 0, 2, CursorEnd, 0, 6},
        {"end of a long list", 25, 3, 2, CursorEnd, 15, 9},
        {"end of an empty list", 0, 0, 0, CursorEnd, 0, 0},
        {"down in an empty list", 0, 0, 0, CursorDown, 0, 0},
        // More rows than when the offset was set (a larger screen): the last element shows
        // high on the page and stays the last.
        {"down on the last element high on the page", 18, 17, 0, CursorDown, 17, 0},
        {"home", 100, 40, 7, CursorHome, 0, 0},
    };
    for (const auto& c : cases) {
        fillList(c.count);
        gListElementOffset = c.offset;
        HightlightTitlebarIndex = c.row;
        c.move();
        EXPECT_EQ(gListElementOffset, c.expectedOffset) << c.what;
        EXPECT_EQ(HightlightTitlebarIndex, c.expectedRow) << c.what;
    }
}

TEST_F(CursorTest, JumpToLetterHighlightsTheFirstExactMatch) {
    fillNames({"..", "mango", "Mars", "Merkur"});
    JumpToLetter('M');
    EXPECT_EQ(gListElementOffset, 0);
    EXPECT_EQ(HightlightTitlebarIndex, 2);
    EXPECT_EQ(gPressedKeyText, "--> M");

    // The match is centred, but the window never scrolls past the last page.
    std::vector<std::string> names(41, "Q");
    names[21] = "K";
    names[38] = "X";
    fillNames(names);
    JumpToLetter('K');
    EXPECT_EQ(gListElementOffset, 16);
    EXPECT_EQ(HightlightTitlebarIndex, 5);
    JumpToLetter('X');
    EXPECT_EQ(gListElementOffset, 31);
    EXPECT_EQ(HightlightTitlebarIndex, 7);
}

} // namespace
