#include "app/AppState.h"

#include "config/Config.h"
#include "platform/StartValues.h"

#include <algorithm>

namespace {

// The shown list and the queue hold elements; they are emptied instead of copied back.
const platform::StartValues kStartValues(gMenuMode, gPreviousMenuMode, gCurrentDirectory,
                                         gListElementOffset, HightlightTitlebarIndex,
                                         gPositionStack, gHighlightedMenuItem, gActualTitleIndex,
                                         gPlayMode);

} // namespace

int VisibleRows() {
    return std::max(1, gIniNumberOfTitlebars);
}

ListElementPtr CurrentListElement() {
    if (!gListElements)
        return nullptr;
    return gListElements->element(gListElementOffset + HightlightTitlebarIndex);
}

TElementList& ReplaceListElements() {
    gListElements = std::make_shared<TElementList>();
    gListElementOffset = 0;
    return *gListElements;
}

void PushListPosition(std::int32_t index) {
    if (gPositionStack.count >= TPositionStack::kCapacity)
        return;
    gPositionStack.positions[static_cast<std::size_t>(gPositionStack.count)] = index;
    ++gPositionStack.count;
}

std::int32_t PopListPosition() {
    if (gPositionStack.count <= 0)
        return 0;
    --gPositionStack.count;
    return gPositionStack.positions[static_cast<std::size_t>(gPositionStack.count)];
}

void FitHighlightIntoView() {
    const int rows = VisibleRows();
    if (HightlightTitlebarIndex >= rows) {
        gListElementOffset = HightlightTitlebarIndex - rows + 1;
        HightlightTitlebarIndex = rows - 1;
    }
    HightlightTitlebarIndex = std::clamp(HightlightTitlebarIndex, 0, rows - 1);
    gListElementOffset = std::max(gListElementOffset, 0);
}

void ResetApplicationState() {
    kStartValues.restore();
    gListElements = std::make_shared<TElementList>();
    gActualTitleList.clear();
}
