#include "input/Mouse.h"
#include "app/ResetAllState.h"

#include "app/AppState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "input/Keyboard.h"
#include "input/Menubar.h"
#include "platform/KeyMap.h"
#include "playback/Players.h"
#include "support/AppDriver.h"
#include "ui/Layout.h"
#include "ui/MenubarDrawing.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using testsupport::AppDriver;

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }

    void start(int clicksToStart = 1) {
        AppDriver::Settings settings;
        settings.mouseButtonClicksToStart = clicksToStart;
        driver.createLibrary(settings);
        ASSERT_TRUE(driver.start());
        ASSERT_EQ(gMenuMode, mmMain);
    }

    // A music list of `count` elements: ".." and then titles, scrolled to the top.
    static void showMusicList(int count) {
        gMenuMode = mmMusic;
        BuildMenubar();
        TElementList& list = ReplaceListElements();
        list.add("0", std::make_shared<TListElement>(ListElementType::Back, "", "..", 0.0, 0));
        for (int index = 1; index < count; ++index)
            list.add(std::to_string(index),
                     std::make_shared<TListElement>(ListElementType::MP3, "/m/",
                                                    "Title " + std::to_string(index) + ".mp3", 0.0,
                                                    index));
        HightlightTitlebarIndex = 0;
    }

    AppDriver driver;
};

// --- Hit tests at 800 x 600 with 10 titlebars and 10 menubar slots ---

TEST_F(MouseTest, ListRowsFollowTheRowPitchOfTheMode) {
    start();
    const int pitch = gTitlebarHeightMainmenu;
    EXPECT_EQ(ListRowAt(gTitlebarLeft, gListTop), 0);
    EXPECT_EQ(ListRowAt(gTitlebarRight - 1, gListTop + pitch - 1), 0);
    EXPECT_EQ(ListRowAt(gTitlebarLeft, gListTop + pitch), 1);
    EXPECT_EQ(ListRowAt(gTitlebarLeft - 1, gListTop), -1);
    EXPECT_EQ(ListRowAt(gTitlebarRight, gListTop), -1);
    EXPECT_EQ(ListRowAt(gTitlebarLeft, gListTop - 1), -1);

    showMusicList(3);
    EXPECT_EQ(ListRowAt(gTitlebarLeft, gListTop + gTitlebarHeight), 1);
    EXPECT_EQ(ListRowAt(gTitlebarLeft, gListTop + 9 * gTitlebarHeight), 9);
    // The strip below the tenth row, left over when the height does not divide evenly, is
    // not an eleventh row.
    const int belowLastRow = gListTop + 10 * gTitlebarHeight;
    if (belowLastRow < gListBottom) {
        EXPECT_EQ(ListRowAt(gTitlebarLeft, belowLastRow), -1);
    }
}

TEST_F(MouseTest, HeaderPartsAtTheirIcons) {
    start();
    const int barHeight = gHeaderBarRect.height();
    ASSERT_EQ(barHeight, 30);
    const platform::Picture& minimize = gSkin.IconMinimize;
    const platform::Picture& mouse = gSkin.IconMouse1;
    const int minimizeTop = (barHeight - minimize.height()) / 2;
    const int mouseLeft = gTitlebarRight - 6 - mouse.width();
    const int mouseTop = (barHeight - mouse.height()) / 2;
    struct Row {
        int x, y;
        HeaderPart expected;
    };
    const Row rows[] = {
        {0, 0, HeaderPart::HomeButton},
        {399, 29, HeaderPart::HomeButton},
        {400, 15, HeaderPart::Caption},
        {gTitlebarRight, minimizeTop, HeaderPart::MinimizeIcon},
        {gTitlebarRight + minimize.width() - 1, minimizeTop + minimize.height() - 1,
         HeaderPart::MinimizeIcon},
        {gTitlebarRight + minimize.width(), minimizeTop, HeaderPart::Caption},
        {mouseLeft, mouseTop, HeaderPart::MouseIcon},
        {gTitlebarRight - 7, mouseTop + mouse.height() - 1, HeaderPart::MouseIcon},
        {gTitlebarRight - 6, mouseTop, HeaderPart::Caption},
        {mouseLeft - 1, mouseTop, HeaderPart::Caption},
        {500, 30, HeaderPart::None},
    };
    for (const Row& row : rows)
        EXPECT_EQ(HeaderPartAt(row.x, row.y), row.expected) << row.x << "," << row.y;
}

TEST_F(MouseTest, ScrollbarPartsAroundTheThumb) {
    start();
    showMusicList(20);
    const platform::Rect bar = gScrollbarRect;
    ASSERT_EQ(bar.left, 776);
    ASSERT_EQ(bar.right, 788);
    // 10 of 20 rows: the thumb is half the track; at offset 10 it touches the bottom.
    const int track = bar.bottom - bar.top - 2;
    const int thumb = RoundHalfEven(track / 2.0);
    gListElementOffset = 10;
    const int thumbTop = bar.top + 1 + (track - thumb);
    struct Row {
        int x, y;
        ScrollbarPart expected;
    };
    const Row rows[] = {
        {bar.left, bar.top - 15, ScrollbarPart::UpArrow},
        {bar.right, bar.top - 1, ScrollbarPart::UpArrow},
        {bar.left, bar.top - 16, ScrollbarPart::None},
        {bar.left - 1, bar.top - 1, ScrollbarPart::None},
        {bar.right + 1, bar.top - 1, ScrollbarPart::None},
        {bar.left, bar.top, ScrollbarPart::TrackAboveThumb},
        {bar.left, thumbTop - 1, ScrollbarPart::TrackAboveThumb},
        {bar.left, thumbTop, ScrollbarPart::Thumb},
        {bar.left, thumbTop + thumb - 1, ScrollbarPart::Thumb},
        {bar.left, bar.bottom - 1, ScrollbarPart::TrackBelowThumb},
        {bar.left, bar.bottom, ScrollbarPart::DownArrow},
        {bar.left, bar.bottom + 14, ScrollbarPart::DownArrow},
        {bar.left, bar.bottom + 15, ScrollbarPart::None},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ScrollbarPartAt(row.x, row.y), row.expected) << row.x << "," << row.y;
}

TEST_F(MouseTest, MenubarButtonsFillTheBottomSlots) {
    start();
    ASSERT_EQ(gNumberOfMenubars, 10);
    ASSERT_EQ(gNumberOfMenuItems, 3); // main menu
    for (int slot = 0; slot < 7; ++slot)
        EXPECT_EQ(MenuItemInSlot(slot), -1) << slot;
    EXPECT_EQ(MenuItemInSlot(7), 2);
    EXPECT_EQ(MenuItemInSlot(8), 1);
    EXPECT_EQ(MenuItemInSlot(9), 0);
    EXPECT_EQ(MenuItemInSlot(10), -1);
    EXPECT_EQ(MenuItemInSlot(-1), -1);

    EXPECT_EQ(MenubarSlotAt(0, gMenubarRect.top), 0);
    EXPECT_EQ(MenubarSlotAt(gMenubarRect.right - 1, gMenubarRect.top + gMenubarHeight), 1);
    EXPECT_EQ(MenubarSlotAt(gMenubarRect.right, gMenubarRect.top), -1);
    EXPECT_EQ(MenubarSlotAt(0, gMenubarRect.top - 1), -1);
}

TEST_F(MouseTest, LastPlaylistButtonIsOnlyClickableForPlaylistsOfTheMusicRoot) {
    start();
    gMenuMode = mmPlaylists;
    BuildMenubar();
    ASSERT_EQ(gNumberOfMenuItems, 10);
    TElementList& list = ReplaceListElements();
    list.add("0", std::make_shared<TListElement>(ListElementType::Playlist, gIniRootDirectoryMusic,
                                                 "a.m3u", 0.0, 0));
    list.add("1",
             std::make_shared<TListElement>(ListElementType::Playlist,
                                            gIniRootDirectoryMusic + "Rock/", "b.m3u", 0.0, 1));
    HightlightTitlebarIndex = 0;
    EXPECT_EQ(MenuItemInSlot(0), 9);
    HightlightTitlebarIndex = 1;
    EXPECT_EQ(MenuItemInSlot(0), -1);
    EXPECT_EQ(MenuItemInSlot(1), 8);
}

TEST_F(MouseTest, MediaButtonsPictureIsDividedIntoFifths) {
    start();
    const int left = gMediaButtonsLeft + 8;
    const int width = gSkin.MediaPlayerButtons.width();
    const int height = gSkin.MediaPlayerButtons.height();
    ASSERT_GT(width, 0);
    const int y = gMediaButtonsY + height / 2;
    EXPECT_EQ(MediaButtonAt(left, y), 0);
    EXPECT_EQ(MediaButtonAt(left + width / 2, y), 2);
    EXPECT_EQ(MediaButtonAt(left + width - 1, y), 4);
    EXPECT_EQ(MediaButtonAt(left - 1, y), -1);
    EXPECT_EQ(MediaButtonAt(left + width, y), -1);
    EXPECT_EQ(MediaButtonAt(left, gMediaButtonsY - 2), 0);
    EXPECT_EQ(MediaButtonAt(left, gMediaButtonsY - 3), -1);
    EXPECT_EQ(MediaButtonAt(left, gMediaButtonsY + height + 1), 0);
    EXPECT_EQ(MediaButtonAt(left, gMediaButtonsY + height + 2), -1);
}

// --- Clicks on rows ---

TEST_F(MouseTest, OneClickSettingActivatesTheClickedRow) {
    start(1);
    driver.click(driver.rowCenter(0));
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_TRUE(driver.logHasLine("select: 0"));
    EXPECT_EQ(gPressedKeyText, "0");
    // The ".." row goes back a level: from the music root to the main menu.
    driver.click(driver.rowCenter(0));
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_TRUE(driver.logHasLine("enter callFunction_Back()"));
}

TEST_F(MouseTest, TwoClickSettingMovesTheHighlightOnClickAndActivatesOnDoubleClick) {
    start(2);
    driver.click(driver.rowCenter(2));
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_EQ(HightlightTitlebarIndex, 2);
    EXPECT_TRUE(driver.logHasLine("select: 2"));

    driver.click(driver.rowCenter(0), 2);
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_EQ(HightlightTitlebarIndex, 0);

    driver.click(driver.rowCenter(0), 2);
    EXPECT_EQ(gMenuMode, mmMain);
}

TEST_F(MouseTest, OneClickSettingTakesADoubleClickAsOneClick) {
    start(1);
    // The first click opens "Musik"; the second press is no click, so the ".." row now under
    // the pointer is not activated.
    driver.click(driver.rowCenter(0), 2);
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_EQ(driver.logCount("select: 0"), 1);
}

TEST_F(MouseTest, ClickBelowTheLastElementOfAShortListChangesNothing) {
    for (const int setting : {1, 2}) {
        SCOPED_TRACE(setting);
        AppDriver local;
        AppDriver::Settings settings;
        settings.mouseButtonClicksToStart = setting;
        local.createLibrary(settings);
        ASSERT_TRUE(local.start());
        // The main menu has six entries on eight rows.
        HightlightTitlebarIndex = 1;
        local.click(local.rowCenter(7));
        EXPECT_EQ(gMenuMode, mmMain);
        EXPECT_EQ(HightlightTitlebarIndex, 1);
        local.click(local.rowCenter(7), 2);
        EXPECT_EQ(gMenuMode, mmMain);
        EXPECT_EQ(HightlightTitlebarIndex, 1);
    }
}

TEST_F(MouseTest, RightClickOnARowDoesNotActivateIt) {
    start(1);
    driver.click(driver.rowCenter(0), 1, SDL_BUTTON_RIGHT);
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_FALSE(driver.logHasLine("select: 0"));
}

// --- Scrollbar ---

TEST_F(MouseTest, TrackClickPagesTowardsTheClickedSide) {
    start();
    showMusicList(30);
    const platform::Rect bar = gScrollbarRect;
    const int track = bar.bottom - bar.top - 2;
    const int thumb = RoundHalfEven(10.0 / 30 * track);

    // At offset 0 the thumb starts at the top: below it pages down by half a page.
    driver.click(driver.scrollbarAt(bar.top + 1 + thumb + 2));
    EXPECT_EQ(gListElementOffset, 5);
    // On the thumb nothing happens.
    const int thumbTop = bar.top + 1 + RoundHalfEven(static_cast<double>(track - thumb) / 20 * 5);
    driver.click(driver.scrollbarAt(thumbTop + thumb / 2));
    EXPECT_EQ(gListElementOffset, 5);
    // Above it pages up.
    driver.click(driver.scrollbarAt(thumbTop - 1));
    EXPECT_EQ(gListElementOffset, 0);
    EXPECT_EQ(HightlightTitlebarIndex, 0);
}

TEST_F(MouseTest, TrackDoesNothingWhileEveryElementFits) {
    start();
    showMusicList(10);
    driver.click(driver.scrollbarAt(gScrollbarRect.bottom - 2));
    EXPECT_EQ(gListElementOffset, 0);
    EXPECT_EQ(HightlightTitlebarIndex, 0);
}

TEST_F(MouseTest, HoldingTheDownArrowForOneSecondMovesSixteenRows) {
    start();
    showMusicList(40);
    driver.mouseDown(driver.scrollbarDownArrow().x, driver.scrollbarDownArrow().y);
    EXPECT_EQ(AppDriver::currentIndex(), 1); // one row at once
    driver.advance(249);
    EXPECT_EQ(AppDriver::currentIndex(), 1); // nothing until the delay has passed
    driver.advance(1000 - 249);
    EXPECT_EQ(AppDriver::currentIndex(), 16);

    driver.mouseUp(driver.scrollbarDownArrow().x, driver.scrollbarDownArrow().y);
    driver.advance(1000);
    EXPECT_EQ(AppDriver::currentIndex(), 16);
    EXPECT_FALSE(driver.form().Timer_HoldScrollbarDelay.enabled());
    EXPECT_FALSE(driver.form().Timer_HoldScrollbarUpOrDown.enabled());
}

TEST_F(MouseTest, HoldingTheUpArrowRepeatsEvery49Milliseconds) {
    start();
    showMusicList(40);
    gListElementOffset = 20;
    HightlightTitlebarIndex = 9; // element 29
    driver.mouseDown(driver.scrollbarUpArrow().x, driver.scrollbarUpArrow().y);
    EXPECT_EQ(driver.form().Timer_HoldScrollbarUpOrDown.interval(), 49);
    driver.advance(1000);
    // One at once, then at 299, 348, ..., 985 ms: 15 repetitions.
    EXPECT_EQ(AppDriver::currentIndex(), 29 - 16);
    driver.mouseUp(0, 0);
    driver.advance(500);
    EXPECT_EQ(AppDriver::currentIndex(), 29 - 16);
}

TEST_F(MouseTest, ReleasingBeforeTheDelayMovesOneRowOnly) {
    start();
    showMusicList(40);
    const SDL_Point arrow = driver.scrollbarDownArrow();
    driver.mouseDown(arrow.x, arrow.y);
    driver.advance(100);
    driver.mouseUp(arrow.x, arrow.y);
    driver.advance(2000);
    EXPECT_EQ(AppDriver::currentIndex(), 1);
}

// --- Wheel ---

TEST_F(MouseTest, WheelPagesDownAndUp) {
    start();
    showMusicList(30);
    driver.wheel(-1);
    EXPECT_EQ(gListElementOffset, 5);
    driver.wheel(-2);
    EXPECT_EQ(gListElementOffset, 15);
    driver.wheel(1);
    EXPECT_EQ(gListElementOffset, 10);
}

TEST_F(MouseTest, LockedInputIgnoresWheelAndPresses) {
    start();
    showMusicList(30);
    gKeysLocked = true;
    driver.wheel(-1);
    driver.click(driver.scrollbarAt(gScrollbarRect.bottom - 2));
    driver.mouseDown(driver.scrollbarDownArrow().x, driver.scrollbarDownArrow().y);
    EXPECT_EQ(gListElementOffset, 0);
    EXPECT_EQ(HightlightTitlebarIndex, 0);
    EXPECT_FALSE(driver.form().Timer_HoldScrollbarDelay.enabled());
    gKeysLocked = false;
}

// --- Menubar ---

TEST_F(MouseTest, ClickOnAMenubarButtonDispatchesItsCommand) {
    start();
    const std::optional<int> play = driver.menubarSlotOf("PLAY");
    ASSERT_TRUE(play.has_value());
    driver.click(driver.menubarSlotCenter(*play));
    EXPECT_TRUE(driver.logHasLine("Menu: PLAY"));
    EXPECT_EQ(gMenuMode, mmMusic);
}

TEST_F(MouseTest, EmptyMenubarSlotsDoNothingAlsoAfterALargerSet) {
    start();
    // The music set has 11 buttons; back in the main menu its buttons 3 to 10 are still in
    // the array above the three buttons of the main menu.
    driver.click(driver.rowCenter(0));
    ASSERT_EQ(gMenuMode, mmMusic);
    ASSERT_EQ(gNumberOfMenuItems, 11);
    driver.click(driver.headerHome());
    ASSERT_EQ(gMenuMode, mmMain);
    ASSERT_EQ(gNumberOfMenuItems, 3);
    ASSERT_FALSE(gMenubarItems[5].Command.empty());

    const int menuLinesBefore = driver.logCount("Menu: ");
    for (int slot = 0; slot < 7; ++slot)
        driver.click(driver.menubarSlotCenter(slot));
    EXPECT_EQ(driver.logCount("Menu: "), menuLinesBefore);
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_FALSE(driver.form().terminated());
}

TEST_F(MouseTest, HoverHighlightsSlotsWithButtonsOnly) {
    start();
    driver.moveMouse(driver.menubarSlotCenter(9));
    EXPECT_EQ(gHighlightedMenuItem, 9);
    EXPECT_EQ(gDrawnMenuHighlight, 9);
    driver.moveMouse(driver.menubarSlotCenter(2)); // empty in the main menu
    EXPECT_EQ(gHighlightedMenuItem, -1);
    EXPECT_EQ(gDrawnMenuHighlight, -1);
    driver.moveMouse(driver.menubarSlotCenter(8));
    EXPECT_EQ(gHighlightedMenuItem, 8);
    driver.moveMouse(driver.rowCenter(0));
    EXPECT_EQ(gHighlightedMenuItem, -1);
}

TEST_F(MouseTest, HoverRedrawsTheMenubarOnlyWhenTheSlotChanges) {
    start();
    driver.moveMouse(driver.menubarSlotCenter(9));
    ASSERT_EQ(gDrawnMenuHighlight, 9);

    // A mark on the menubar survives as long as the menubar is not drawn again.
    platform::Canvas& canvas = driver.form().window()->canvas();
    const int markY = gMenubarRect.top + 1;
    const platform::Color mark = platform::rgb(1, 2, 3);
    canvas.fillRect(platform::Rect{1, markY, 3, markY + 2}, mark);

    const SDL_Point center = driver.menubarSlotCenter(9);
    driver.moveMouse(center.x + 5, center.y + 3);
    driver.moveMouse(center.x - 5, center.y - 3);
    EXPECT_EQ(canvas.pixel(1, markY), mark);

    driver.moveMouse(driver.menubarSlotCenter(8));
    EXPECT_EQ(canvas.pixel(1, markY), gColorMenubar);
    // Left of the captions and key pictures a slot shows its plain colour.
    const auto slotColour = [&](int slot) {
        return canvas.pixel(1, gMenubarRect.top + slot * gMenubarHeight + 1);
    };
    EXPECT_EQ(slotColour(8), gColorMenubarHighlight);
    EXPECT_EQ(slotColour(9), gColorMenubar);
}

// --- Header ---

TEST_F(MouseTest, HeaderHomeHalfShowsTheMainMenu) {
    start();
    driver.click(driver.rowCenter(0));
    ASSERT_EQ(gMenuMode, mmMusic);
    driver.click(driver.headerHome());
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_TRUE(gCurrentDirectory.empty());
}

TEST_F(MouseTest, MouseIconTogglesTheClickSetting) {
    start(1);
    const platform::Picture& icon = gSkin.IconMouse1;
    const int x = gTitlebarRight - 6 - icon.width() / 2;
    const int y = gHeaderBarRect.height() / 2;
    ASSERT_EQ(HeaderPartAt(x, y), HeaderPart::MouseIcon);
    driver.click(x, y);
    EXPECT_EQ(gIniMouseButtonClicksToStart, 2);
    // The header now shows the second icon.
    const platform::Canvas& canvas = driver.frame();
    const int iconLeft = gTitlebarRight - 6 - icon.width();
    const int iconTop = (gHeaderBarRect.height() - icon.height()) / 2;
    bool showsSecondIcon = true;
    for (int row = 0; row < icon.height(); ++row)
        for (int column = 0; column < icon.width(); ++column)
            showsSecondIcon = showsSecondIcon && canvas.pixel(iconLeft + column, iconTop + row) ==
                                                     gSkin.IconMouse2.pixel(column, row);
    EXPECT_TRUE(showsSecondIcon);
    driver.click(x, y);
    EXPECT_EQ(gIniMouseButtonClicksToStart, 1);
}

TEST_F(MouseTest, DraggingTheHeaderMovesTheWindowAndADoubleClickBringsItBack) {
    start();
    platform::Window& window = *driver.form().window();
    int x = -1;
    int y = -1;
    window.position(x, y);
    ASSERT_EQ(x, 0);
    ASSERT_EQ(y, 0);

    const SDL_Point grab = driver.headerCaption();
    driver.mouseDown(grab.x, grab.y);
    // Motion events are relative to the window, which follows the pointer.
    driver.moveMouse(grab.x + 30, grab.y + 20);
    window.position(x, y);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 20);
    driver.moveMouse(grab.x + 10, grab.y);
    window.position(x, y);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 20);
    driver.mouseUp(grab.x, grab.y);
    driver.moveMouse(grab.x + 50, grab.y + 50);
    window.position(x, y);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 20);

    driver.click(grab, 2);
    window.position(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

// --- Media buttons, screensaver activity, picture controls ---

TEST_F(MouseTest, SecondMediaButtonActivatesTheCurrentElement) {
    start();
    const int width = gSkin.MediaPlayerButtons.width();
    const int x = gMediaButtonsLeft + 8 + width * 3 / 10; // the middle of the second fifth
    const int y = gMediaButtonsY + gSkin.MediaPlayerButtons.height() / 2;
    driver.click(x, y);
    EXPECT_EQ(gMenuMode, mmMusic);
    // On the ".." row it goes back.
    driver.click(x, y);
    EXPECT_EQ(gMenuMode, mmMain);
}

TEST_F(MouseTest, MediaButtonsPauseContinueAndStop) {
    start();
    driver.pressKey(platform::vk::Return); // the music folders
    driver.pressKey(platform::vk::Down);
    driver.pressKey(platform::vk::Return); // the first album
    driver.pressKey(platform::vk::Down);
    driver.pressKey(platform::vk::Return); // its first title plays
    ASSERT_EQ(gMusicPlayer->mode(), platform::PlayerMode::Playing);
    const int width = gSkin.MediaPlayerButtons.width();
    const int y = gMediaButtonsY + gSkin.MediaPlayerButtons.height() / 2;
    const int pause = gMediaButtonsLeft + 8 + width * 5 / 10;
    driver.click(pause, y);
    EXPECT_EQ(gMusicPlayer->mode(), platform::PlayerMode::Paused);
    EXPECT_EQ(driver.logCount("pause mp3-title"), 1);
    driver.click(pause, y);
    EXPECT_EQ(gMusicPlayer->mode(), platform::PlayerMode::Playing);
    EXPECT_EQ(driver.logCount("continue mp3-title"), 1);
    driver.click(gMediaButtonsLeft + 8 + width * 7 / 10, y);
    EXPECT_EQ(gMusicPlayer->mode(), platform::PlayerMode::Stopped);
    EXPECT_EQ(driver.logCount("stop mp3-title"), 1);
    EXPECT_EQ(gMenuMode, mmMusic);
}

TEST_F(MouseTest, RightClickInTheOptionsStepsTheHighlightedOptionWithoutSelectingTheRow) {
    start();
    gMenuMode = mmOptions;
    showMusicList(5);
    gMenuMode = mmOptions;
    HightlightTitlebarIndex = 1;
    driver.click(driver.rowCenter(3), 1, SDL_BUTTON_RIGHT);
    EXPECT_TRUE(driver.logHasLine("select: 3"));
    EXPECT_EQ(gPressedKeyText, "3");
    EXPECT_EQ(HightlightTitlebarIndex, 1);
    EXPECT_EQ(gMenuMode, mmOptions);
}

TEST_F(MouseTest, APressLeavesTheFullWindowCoverAndIsNoClick) {
    start();
    const std::optional<int> exitSlot = driver.menubarSlotOf("EXIT");
    ASSERT_TRUE(exitSlot.has_value());
    gMenuMode = mmCoverScreensaver;
    gPreviousMenuMode = mmMain;
    driver.click(driver.menubarSlotCenter(*exitSlot));
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_FALSE(driver.form().terminated());
    EXPECT_EQ(driver.logCount("Menu: "), 0);

    gMenuMode = mmCoverFullscreen;
    driver.click(driver.rowCenter(0));
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_FALSE(driver.logHasLine("select: 0"));
}

TEST_F(MouseTest, MovingTheMouseRestartsTheScreensaverDelay) {
    start();
    platform::Timer& screensaver = driver.form().Timer_Screensaver;
    ASSERT_TRUE(screensaver.enabled());
    driver.advance(1000);
    const std::int64_t deadline = screensaver.deadline();
    driver.moveMouse(10, 300);
    EXPECT_EQ(screensaver.deadline(), deadline + 1000);
}

TEST_F(MouseTest, CoverScreensaverKeepsRunningWhenTheMouseMoves) {
    start();
    gMenuMode = mmCoverScreensaver;
    gHighlightedMenuItem = -1;
    driver.moveMouse(driver.menubarSlotCenter(9));
    EXPECT_EQ(gMenuMode, mmCoverScreensaver);
    EXPECT_EQ(gHighlightedMenuItem, -1);
}

TEST_F(MouseTest, ClickOnTheVisibleCoverGoesToTheCoverOnly) {
    start();
    TCBImage& cover = driver.form().CoverImage;
    cover.setBounds(gCoverRect);
    cover.setVisible(true);
    int clicks = 0;
    cover.onClick = [&clicks] { ++clicks; };
    const SDL_Point center{(gCoverRect.left + gCoverRect.right) / 2,
                           (gCoverRect.top + gCoverRect.bottom) / 2};
    driver.click(center);
    EXPECT_EQ(clicks, 1);
    // A double click makes one more click, not two.
    driver.click(center, 2);
    EXPECT_EQ(clicks, 2);
    // Released elsewhere it is no click.
    driver.mouseDown(center.x, center.y);
    driver.mouseUp(driver.rowCenter(0).x, driver.rowCenter(0).y);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(gMenuMode, mmMain);
}

} // namespace
