#include "app/AppState.h"
#include "app/ResetAllState.h"
#include "config/Config.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class AppStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        gIniNumberOfTitlebars = 10;
    }
    void TearDown() override { ResetAllState(); }

    static ListElementPtr title(const std::string& fileName, int index) {
        return std::make_shared<TListElement>(ListElementType::MP3, "/m/", fileName, 0.0, index);
    }
};

using PositionStackTest = AppStateTest;

TEST_F(PositionStackTest, FortiethPushIsDroppedAndLaterPopsRestoreOlderPositions) {
    for (int i = 1; i <= TPositionStack::kCapacity; ++i)
        PushListPosition(i * 10);
    PushListPosition(9999);
    EXPECT_EQ(gPositionStack.count, TPositionStack::kCapacity);
    for (int i = TPositionStack::kCapacity; i >= 1; --i)
        EXPECT_EQ(PopListPosition(), i * 10);
    EXPECT_EQ(gPositionStack.count, 0);
}

TEST_F(PositionStackTest, EmptyStackPopsZeroAndStaysEmpty) {
    EXPECT_EQ(PopListPosition(), 0);
    EXPECT_EQ(PopListPosition(), 0);
    EXPECT_EQ(gPositionStack.count, 0);
    PushListPosition(25);
    EXPECT_EQ(PopListPosition(), 25);
    EXPECT_EQ(PopListPosition(), 0);
}

TEST_F(AppStateTest, FitHighlightIntoViewPutsAFarIndexIntoTheBottomRow) {
    struct Row {
        int rowBefore;
        int offsetBefore;
        int offset;
        int row;
    };
    const Row rows[] = {
        {25, 0, 16, 9},               // below the first page: bottom row
        {10, 0, 1, 9},                // one past the first page
        {9, 0, 0, 9},                 // on the first page: unchanged
        {0, 0, 0, 0},   {3, 5, 5, 3}, // an offset already set stays
        {-4, -2, 0, 0},               // clamped into the view
    };
    for (const auto& row : rows) {
        HightlightTitlebarIndex = row.rowBefore;
        gListElementOffset = row.offsetBefore;
        FitHighlightIntoView();
        EXPECT_EQ(gListElementOffset, row.offset) << row.rowBefore;
        EXPECT_EQ(HightlightTitlebarIndex, row.row) << row.rowBefore;
    }
    gIniNumberOfTitlebars = 0; // a broken setting still leaves one row
    HightlightTitlebarIndex = 5;
    gListElementOffset = 0;
    FitHighlightIntoView();
    EXPECT_EQ(gListElementOffset, 5);
    EXPECT_EQ(HightlightTitlebarIndex, 0);
}

TEST_F(AppStateTest, CurrentListElementIsAtOffsetPlusRowOrNone) {
    EXPECT_EQ(CurrentListElement(), nullptr);
    TElementList& list = ReplaceListElements();
    for (int i = 0; i < 30; ++i)
        list.add(std::to_string(i), title("t" + std::to_string(i) + ".mp3", i));
    gListElementOffset = 20;
    HightlightTitlebarIndex = 5;
    ASSERT_NE(CurrentListElement(), nullptr);
    EXPECT_EQ(CurrentListElement()->Index(), 25);
    HightlightTitlebarIndex = 9; // index 29, the last one
    EXPECT_EQ(CurrentListElement()->Index(), 29);
    gListElementOffset = 21; // index 30 is past the end
    EXPECT_EQ(CurrentListElement(), nullptr);
}

TEST_F(AppStateTest, ReplacingTheShownListKeepsQueuedElementsAlive) {
    TElementList& shown = ReplaceListElements();
    shown.add("0", title("queued.mp3", 1));
    shown.add("1", title("only-shown.mp3", 2));
    gActualTitleList.add("", shown.element(0));
    std::weak_ptr<TListElement> queued = shown.element(0);
    std::weak_ptr<TListElement> onlyShown = shown.element(1);
    gListElementOffset = 4;

    ReplaceListElements();

    EXPECT_EQ(gListElements->count(), 0);
    EXPECT_EQ(gListElementOffset, 0);
    EXPECT_TRUE(onlyShown.expired());
    ASSERT_FALSE(queued.expired());
    EXPECT_EQ(gActualTitleList.element(0)->FileName(), "queued.mp3");
}

} // namespace
