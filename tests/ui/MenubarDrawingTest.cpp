#include "ui/MenubarDrawing.h"

#include "DrawingFixture.h"
#include "input/Menubar.h"
#include "playback/Playlists.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using platform::Color;
using platform::Picture;
using platform::Rect;
using platform::rgb;
using testsupport::kWhite;

constexpr Color kBar = rgb(40, 40, 40);
constexpr Color kHighlight = rgb(200, 0, 0);
constexpr Color kCaption = rgb(255, 255, 0);
constexpr Color kShadow = rgb(0, 0, 0);
constexpr Color kKeyX = rgb(0, 0, 255);
constexpr Color kKeyO = rgb(0, 255, 0);
constexpr Color kKeyReturn = rgb(0, 255, 255);
constexpr Color kKeyP = rgb(255, 0, 255);
constexpr Color kKeyPlus = rgb(128, 0, 255);
constexpr Color kKeyStar = rgb(255, 128, 0);

class MenubarDrawingTest : public testsupport::DrawingFixture {
protected:
    void SetUp() override {
        DrawingFixture::SetUp();
        gColorMenubar = kBar;
        gColorMenubarHighlight = kHighlight;
        gFontColorMenubar = kCaption;
        gFontColorMenubarShadow = kShadow;
        gFontSizeMenubar = 12;
        gShowMenuIcons = true;
        gSkin.KeyLetters['X' - 'A'] = Picture::create(12, 12, kKeyX);
        gSkin.KeyLetters['O' - 'A'] = Picture::create(12, 12, kKeyO);
        gSkin.KeyLetters['P' - 'A'] = Picture::create(12, 12, kKeyP);
        gSkin.KeyReturn = Picture::create(12, 12, kKeyReturn);
        gSkin.KeyPlus = Picture::create(12, 12, kKeyPlus);
        gSkin.KeyStar = Picture::create(12, 12, kKeyStar);
    }

    static int slotTop(int slot) { return gMenubarRect.top + slot * gMenubarHeight; }
    // A point of the slot's bar that no caption or key reaches.
    Color barColour(int slot) const {
        return canvas.pixel(gLeftColumnWidth - 2, slotTop(slot) + 1);
    }
    // The colour at the place of the slot's key picture.
    Color keyColour(int slot) const {
        const int y0 = slotTop(slot) + (gMenubarHeight - gMenubarIconSize) / 2;
        return canvas.pixel(RoundHalfEven(gMenubarIconSize * 0.1) + 1, y0 - 6 + 1);
    }
    int captionPixels(int slot) const {
        return countPixels(
            Rect{gMenubarCaptionX, slotTop(slot), gLeftColumnWidth, slotTop(slot) + gMenubarHeight},
            kCaption);
    }

    static void buildFor(std::uint8_t mode) {
        gMenuMode = mode;
        BuildMenubar();
    }
};

TEST_F(MenubarDrawingTest, ThreeItemsFillTheBottomSlotsUpward) {
    buildFor(mmMain);
    DrawMenubar(canvas, false);

    for (int slot = 0; slot < 10; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(barColour(slot), kBar);
        // Bars are 3 pixels apart.
        EXPECT_EQ(canvas.pixel(gLeftColumnWidth - 2, slotTop(slot) + gMenubarHeight - 2), kWhite);
        EXPECT_EQ(captionPixels(slot) > 0, slot >= 7);
    }
    EXPECT_EQ(canvas.pixel(gLeftColumnWidth, slotTop(0) + 1), kWhite);
    EXPECT_EQ(keyColour(9), kKeyX);      // item 0, EXIT
    EXPECT_EQ(keyColour(8), kKeyO);      // item 1, OPTIONS
    EXPECT_EQ(keyColour(7), kKeyReturn); // item 2, PLAY
    EXPECT_EQ(keyColour(6), kBar);
}

TEST_F(MenubarDrawingTest, CaptionHasAShadowOneRightAndOneDown) {
    buildFor(mmMain);
    DrawMenubar(canvas, false);
    const Rect slot9{gMenubarCaptionX, slotTop(9), gLeftColumnWidth, slotTop(9) + 30};
    EXPECT_GT(countPixels(slot9, kShadow), 0);
    EXPECT_GT(countPixels(slot9, kCaption), 0);
}

TEST_F(MenubarDrawingTest, HighlightedSlotIsRememberedAndDrawnInItsColour) {
    buildFor(mmMain);
    gHighlightedMenuItem = 8;
    DrawMenubar(canvas, false);
    EXPECT_EQ(gDrawnMenuHighlight, 8);
    EXPECT_EQ(barColour(8), kHighlight);
    EXPECT_EQ(barColour(7), kBar);
    EXPECT_EQ(barColour(9), kBar);

    gHighlightedMenuItem = 2; // an empty slot is highlighted as well
    DrawMenubar(canvas, false);
    EXPECT_EQ(gDrawnMenuHighlight, 2);
    EXPECT_EQ(barColour(2), kHighlight);
    EXPECT_EQ(barColour(8), kBar);
}

TEST_F(MenubarDrawingTest, OnlyIfChangedDrawsOncePerChangeOfTheHighlight) {
    buildFor(mmMain);
    gHighlightedMenuItem = 3;
    DrawMenubar(canvas, false);

    canvas.fillRect(Rect{0, 0, 800, 600}, kWhite);
    DrawMenubar(canvas, true);
    EXPECT_EQ(barColour(3), kWhite);

    gHighlightedMenuItem = 4;
    DrawMenubar(canvas, true);
    EXPECT_EQ(barColour(4), kHighlight);
    EXPECT_EQ(barColour(3), kBar);
    EXPECT_EQ(gDrawnMenuHighlight, 4);

    canvas.fillRect(Rect{0, 0, 800, 600}, kWhite);
    DrawMenubar(canvas, true);
    EXPECT_EQ(barColour(4), kWhite);

    gHighlightedMenuItem = -1; // the mouse left the menubar
    DrawMenubar(canvas, true);
    EXPECT_EQ(barColour(4), kBar);
    EXPECT_EQ(gDrawnMenuHighlight, -1);

    // Without the only-if-changed argument it always draws.
    canvas.fillRect(Rect{0, 0, 800, 600}, kWhite);
    DrawMenubar(canvas, false);
    EXPECT_EQ(barColour(4), kBar);
}

TEST_F(MenubarDrawingTest, PlaylistsHideTheLastButtonOutsideTheMusicRoot) {
    gIniRootDirectoryMusic = "/music/";
    buildFor(mmPlaylists);
    ASSERT_EQ(gNumberOfMenuItems, 10);
    const int topButtonSlot = 10 - 10; // item 9, PLAYLIST_OPEN, key P

    struct Row {
        const char* dir;
        bool shown;
    };
    const Row rows[] = {{"/music/", true}, {"/music/Rock/", false}, {"/MUSIC/", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dir);
        ReplaceListElements().add(
            "0", std::make_shared<TListElement>(ListElementType::Playlist, row.dir, "a.m3u", 0, 0));
        canvas.fillRect(Rect{0, 0, 800, 600}, kWhite);
        DrawMenubar(canvas, false);
        EXPECT_EQ(keyColour(topButtonSlot), row.shown ? kKeyP : kBar);
        EXPECT_EQ(captionPixels(topButtonSlot) > 0, row.shown);
        EXPECT_GT(captionPixels(topButtonSlot + 1), 0);
    }

    // No highlighted element: nothing for the button to apply to.
    ReplaceListElements();
    DrawMenubar(canvas, false);
    EXPECT_EQ(keyColour(topButtonSlot), kBar);
}

TEST_F(MenubarDrawingTest, ItemWithoutCommandLeavesAnEmptyBar) {
    buildFor(mmMain);
    gMenubarItems[1].Command.clear();
    DrawMenubar(canvas, false);
    EXPECT_EQ(barColour(8), kBar);
    EXPECT_EQ(keyColour(8), kBar);
    EXPECT_EQ(captionPixels(8), 0);
    EXPECT_GT(captionPixels(9), 0);
    EXPECT_GT(captionPixels(7), 0);
}

TEST_F(MenubarDrawingTest, KeyPlusAndKeyStarPicturesOfTheSameKeyCode) {
    gMenuMode = mmMusic;
    BuildMenubar();
    DrawMenubar(canvas, false);
    // Ten slots show items 0 to 9; item 3 (JUKEBOX, "+") sits in slot 6.
    EXPECT_EQ(keyColour(6), kKeyPlus);

    gNumberOfMenubars = 11;
    ComputeScreenLayout();
    DrawMenubar(canvas, false);
    EXPECT_EQ(keyColour(0), kKeyStar); // item 10, RATING, "*"
    EXPECT_EQ(keyColour(7), kKeyPlus);
}

TEST_F(MenubarDrawingTest, KeyTextsReplaceThePicturesWhenTheSkinTurnsThemOff) {
    buildFor(mmMain);
    gShowMenuIcons = false;
    DrawMenubar(canvas, false);
    EXPECT_EQ(keyColour(9), kBar);
    for (int slot : {7, 8, 9}) {
        SCOPED_TRACE(slot);
        const Rect keyArea{0, slotTop(slot) - 6, gMenubarCaptionX, slotTop(slot) + gMenubarHeight};
        EXPECT_GT(countPixels(keyArea, kCaption), 0);
        EXPECT_GT(countPixels(keyArea, kShadow), 0);
    }
    EXPECT_EQ(canvas.font().bold, false);
}

TEST_F(MenubarDrawingTest, CaptionFollowsTheLanguageSetting) {
    buildFor(mmMain);
    DrawMenubar(canvas, false);
    const platform::Picture german = canvas.snapshot();
    gIniCurrentLanguage = 1;
    DrawMenubar(canvas, false);
    platform::Canvas before(800, 600);
    before.draw(0, 0, german);
    EXPECT_FALSE(sameArea(canvas, before, Rect{0, slotTop(7), gLeftColumnWidth, slotTop(8)}));
    // A language without captions leaves the bars empty.
    gIniCurrentLanguage = 4;
    canvas.fillRect(Rect{0, 0, 800, 600}, kWhite);
    DrawMenubar(canvas, false);
    EXPECT_EQ(captionPixels(9), 0);
}

TEST_F(MenubarDrawingTest, FullscreenModesShowNoMenubar) {
    buildFor(mmMusic);
    gMenuMode = mmPhotoView;
    DrawMenubar(canvas, false);
    EXPECT_EQ(countPixels(gMenubarRect, kWhite), gMenubarRect.width() * gMenubarRect.height());
}

} // namespace
