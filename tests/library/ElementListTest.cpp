#include "library/ElementList.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

ListElementPtr title(const std::string& fileName) {
    return std::make_shared<TListElement>(ListElementType::MP3, "/m/", fileName, 0.0, 0);
}

TEST(ElementListTest, KeepsOrderAndToleratesStaleIndexes) {
    TElementList list;
    list.add("0", title("a.mp3"));
    list.add("0", title("b.mp3"));
    list.insert(1, "x", title("x.mp3"));
    list.insert(99, "9", title("z.mp3")); // past the end: appended
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.element(1)->FileName(), "x.mp3");
    EXPECT_EQ(list.element(3)->FileName(), "z.mp3");
    EXPECT_EQ(list.indexOfKey("0"), 0);
    EXPECT_EQ(list.indexOfKey("nicht da"), -1);

    EXPECT_EQ(list.element(-1), nullptr);
    EXPECT_EQ(list.element(4), nullptr);
    EXPECT_EQ(list.key(4), "");
    list.remove(4);
    list.exchangeElements(0, 4);
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(list.element(0)->FileName(), "a.mp3");

    // Exchanging moves the elements; the keys stay at their positions.
    list.exchangeElements(0, 1);
    EXPECT_EQ(list.key(0), "0");
    EXPECT_EQ(list.element(0)->FileName(), "x.mp3");
    EXPECT_EQ(list.key(1), "x");
}

} // namespace
