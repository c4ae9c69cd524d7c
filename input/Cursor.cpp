#include "input/Cursor.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "input/PressedKeyText.h"

#include <algorithm>
#include <string>

// Every list screen shows R = VisibleRows() consecutive elements from gListElementOffset with
// one highlighted row; the current element is offset + row. None of these operations repaints;
// the caller does.

namespace {

int elementCount() {
    return gListElements ? gListElements->count() : 0;
}

void logCursor() {
    LogLine("HightlightTitlebarIndex: " + std::to_string(HightlightTitlebarIndex));
    LogLine("ListElementOffset: " + std::to_string(gListElementOffset));
}

} // namespace

void CursorDown() {
    const int count = elementCount();
    const int lastRow = std::min(VisibleRows(), count) - 1;
    // The page may end before its last row (the rows grew with the screen since the offset
    // was set): the last element stays the last.
    if (gListElementOffset + HightlightTitlebarIndex < count - 1) {
        if (HightlightTitlebarIndex < lastRow)
            ++HightlightTitlebarIndex;
        else
            ++gListElementOffset; // the highlight stays in the bottom row and the list scrolls
    }
    logCursor();
}

void CursorUp() {
    if (HightlightTitlebarIndex > 0)
        --HightlightTitlebarIndex;
    else if (gListElementOffset > 0)
        --gListElementOffset;
    logCursor();
}

void CursorHome() {
    HightlightTitlebarIndex = 0;
    gListElementOffset = 0;
}

void CursorEnd() {
    const int count = elementCount();
    const int rows = VisibleRows();
    if (rows < count) {
        HightlightTitlebarIndex = rows - 1;
        gListElementOffset = count - rows;
    } else {
        HightlightTitlebarIndex = std::max(0, count - 1);
    }
}

void PageUp() {
    const int rows = VisibleRows();
    if (elementCount() <= rows)
        return;
    if (gListElementOffset != 0)
        gListElementOffset = std::max(0, gListElementOffset - rows / 2);
    else
        HightlightTitlebarIndex = 0;
    logCursor();
}

void PageDown() {
    const int count = elementCount();
    const int rows = VisibleRows();
    if (count <= rows)
        return;
    gListElementOffset += rows / 2;
    if (count <= gListElementOffset + HightlightTitlebarIndex) {
        // The current element would lie past the end: the last element instead.
        gListElementOffset = count - rows;
        HightlightTitlebarIndex = rows - 1;
    } else if (count < gListElementOffset + HightlightTitlebarIndex + rows) {
        // Taking the row into account brings a highlight low on the page to the last page one
        // step earlier than one at the top.
        gListElementOffset = count - rows;
    }
    logCursor();
}

void JumpToLetter(int letterKey) {
    const int count = elementCount();
    if (count == 0)
        return;
    // Exact comparison: names beginning with a lower-case letter or an umlaut never match.
    const char letter = static_cast<char>(letterKey);
    int found = -1;
    for (int i = 0; i < count; ++i) {
        const ListElementPtr element = gListElements->element(i);
        if (element && !element->Name().empty() && element->Name().front() == letter) {
            found = i;
            break;
        }
    }
    if (found < 0)
        return;
    ShowPressedKeyText(std::string("--> ") + letter);
    ScrollToMiddle(found);
    LogLine("HightlightTitlebarIndex: " + std::to_string(HightlightTitlebarIndex));
}

void ScrollToMiddle(int index) {
    const int count = elementCount();
    const int rows = VisibleRows();
    gListElementOffset = index - rows / 2;
    LogLine("gListElementOffset:" + std::to_string(gListElementOffset));
    if (gListElementOffset < 0)
        gListElementOffset = 0;
    HightlightTitlebarIndex = index - gListElementOffset;
    // Near the end the last page is shown full instead.
    if (gListElementOffset + rows >= count) {
        gListElementOffset = count - rows;
        HightlightTitlebarIndex = index - gListElementOffset;
        if (gListElementOffset < 0) {
            gListElementOffset = 0;
            HightlightTitlebarIndex = index;
        }
    }
}
