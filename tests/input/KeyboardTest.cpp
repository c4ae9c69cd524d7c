#include "input/Keyboard.h"

#include "input/KeysTestFixture.h"
#include "input/Menubar.h"
#include "platform/KeyMap.h"
#include "ui/InfoScroller.h"
#include "ui/Screen.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

namespace {

using namespace keystest;

class KeyboardTest : public KeysTest {};

TEST_F(KeyboardTest, EscapeGoesBackLeavesTheOptionsAndLeavesTheSearch) {
    openMusicRoot();
    HightlightTitlebarIndex = 1;
    press(vk::Return);
    ASSERT_EQ(gCurrentDirectory, root("Musik") + "Album01/");
    press(vk::Escape);
    EXPECT_EQ(currentName(), "Album01");
    EXPECT_TRUE(logged("KeyDown: 48"));
    press('O');
    ASSERT_EQ(gMenuMode, mmOptions);
    press(vk::Escape);
    EXPECT_EQ(gMenuMode, mmMusic);
    press('S');
    ASSERT_EQ(gMenuMode, mmSearch);
    press(vk::Escape);
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_FALSE(Editfield.Visible());
}

TEST_F(KeyboardTest, TextGoesToTheSearchFieldOnlyForKeysPressedInIt) {
    openMusicRoot();
    press('S');
    const std::string prompt = Editfield.Text();
    FormTextInput("s"); // the letter of the key that opened the search
    EXPECT_EQ(Editfield.Text(), prompt);
    for (const char* typed : {"a", "3"}) { // digits do not select in the search
        press(typed[0]);
        FormTextInput(typed);
    }
    EXPECT_EQ(Editfield.Text(), "a3");
    press(vk::Back);
    EXPECT_EQ(Editfield.Text(), "a");
    EXPECT_EQ(gMenuMode, mmSearch);
}

TEST_F(KeyboardTest, TwoDigitEntry) {
    press(vk::Digit0); // not armed: "0" is no key of the main menu
    EXPECT_EQ(gPressedKeyText, "");
    press(vk::OemMinus, true);
    EXPECT_EQ(gPressedKeyText, "__");
    press(vk::Digit0);
    press('3');
    EXPECT_EQ(gMenuMode, mmVideo);
    press(vk::Home, false, true);
    ASSERT_EQ(gMenuMode, mmMain);
    press(vk::OemMinus, true);
    press(vk::Digit0);
    press(vk::Digit0);
    EXPECT_EQ(gMenuMode, mmMain);
    EXPECT_FALSE(gTwoDigitEntry);

    // In a list an armed "0" is a digit, not Back; "00" selects ".." and so goes back.
    openMusicRoot();
    HightlightTitlebarIndex = 1;
    press(vk::Return);
    press(vk::OemMinus, true);
    press(vk::Digit0);
    press(vk::Digit0);
    EXPECT_EQ(currentName(), "Album01");
    EXPECT_TRUE(gActualTitleList.empty());
}

TEST_F(KeyboardTest, PlusInTheMusicFoldersIsTheJukeboxShiftPlusTheRating) {
    openMusicRoot();
    HightlightTitlebarIndex = 1;
    press(vk::OemPlus);
    EXPECT_TRUE(logged("enter callFunction_JukeboxDir()"));
    EXPECT_TRUE(gRatings.empty());
    press(vk::OemPlus, true);
    EXPECT_EQ(LookupRating(*CurrentListElement()), "*");
}

TEST_F(KeyboardTest, ShiftLetterJumpsToTheFirstUpperCaseName) {
    openMusicRoot();
    press('K', true); // "klein" is lower-case
    EXPECT_EQ(HightlightTitlebarIndex, 0);
    press('A', true);
    EXPECT_EQ(currentName(), "Album01");
    EXPECT_EQ(gMenuMode, mmMusic); // highlighted, not opened
}

TEST_F(KeyboardTest, RowMovesRepaintOnlyTheListExceptInTheMainMenu) {
    press(vk::PageDown);
    EXPECT_TRUE(form->loop().repaintRequested());
    openMusicRoot();
    press(vk::PageDown);
    press(vk::Down);
    EXPECT_EQ(gListElementOffset, 5);
    EXPECT_EQ(HightlightTitlebarIndex, 1);
    EXPECT_FALSE(form->loop().repaintRequested());
    const auto bit = [](ScreenRegion region) { return static_cast<std::uint32_t>(region); };
    const std::uint32_t listAndScrollbar =
        bit(ScreenRegion::TitlebarList) | bit(ScreenRegion::Scrollbar);
    EXPECT_EQ(form->loop().updateRequested(), listAndScrollbar);
    press(vk::VolumeDown); // moves the cursor, but repaints the window
    EXPECT_EQ(HightlightTitlebarIndex, 2);
    EXPECT_TRUE(form->loop().repaintRequested());

    // The playlists' menubar shows its last button only for some rows.
    callFunction_PlaylistMenu(false);
    settle();
    press(vk::Down);
    EXPECT_FALSE(form->loop().repaintRequested());
    EXPECT_EQ(form->loop().updateRequested(), listAndScrollbar | bit(ScreenRegion::Menubar));
}

TEST_F(KeyboardTest, AKeyOnlyEndsTheScreensaverOrTheFullscreenCover) {
    openMusicRoot();
    gPreviousMenuMode = mmMusic;
    gMenuMode = mmCoverScreensaver;
    form->Timer_Screensaver.setEnabled(false);
    press(vk::Down);
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_EQ(HightlightTitlebarIndex, 0);
    EXPECT_TRUE(form->Timer_Screensaver.enabled());
    callFunction_PlaylistMenu(false);
    gMenuMode = mmCoverFullscreen;
    press(vk::Return);
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_FALSE(logged("enter callFunction_Play()"));
}

TEST_F(KeyboardTest, LockedKeysAndLoneModifiersOnlyCountAsActivity) {
    openMusicRoot();
    form->loop().advance(1000);
    const std::int64_t now = clock.nowMs();
    gKeysLocked = true;
    press(vk::Down);
    gKeysLocked = false;
    EXPECT_EQ(HightlightTitlebarIndex, 0);
    EXPECT_FALSE(logged("KeyDown: "));
    EXPECT_FALSE(form->Timer_DelayAfterKeyPressed.enabled());
    EXPECT_EQ(form->Timer_Screensaver.deadline(), now + form->Timer_Screensaver.interval());

    // Ctrl on its way to a combination does not leave the photo view; any other key does.
    gMenuMode = mmPhotoView;
    press(platform::vk::Control, false, true);
    EXPECT_EQ(gMenuMode, mmPhotoView);
    EXPECT_TRUE(logged("KeyDown: 17"));
    press(platform::vk::Tab);
    EXPECT_EQ(gMenuMode, mmPhoto);
}

TEST_F(KeyboardTest, TheScreensaverInterruptsTheSearchWithoutEndingIt) {
    openMusicRoot();
    press('S');
    press('A');
    FormTextInput("abc");
    gPreviousMenuMode = mmSearch;
    SetMenuMode(mmCoverScreensaver);
    EXPECT_FALSE(Editfield.Visible());
    press(vk::Down); // ends the screensaver only
    EXPECT_EQ(gMenuMode, mmSearch);
    EXPECT_TRUE(Editfield.Visible());
    EXPECT_TRUE(Editfield.Focused());
    EXPECT_EQ(Editfield.Text(), "abc");
    EXPECT_EQ(gPositionStack.count, 1);
    press(vk::Escape);
    EXPECT_EQ(gPositionStack.count, 0);
}

TEST_F(KeyboardTest, RestingKeysPreviewTheProgramLinkPictureAndTheSearchResult) {
    testsupport::writeFile(folder.file("Programme/editor.jpg"), "picture");
    callFunction_ProgramMenu();
    press(vk::Down);
    press(vk::Down); // editor.desktop
    form->loop().advance(499);
    EXPECT_TRUE(gCurrentCoverFrontFileName.empty());
    form->loop().advance(1);
    EXPECT_EQ(gCurrentCoverFrontFileName, root("Programme") + "editor.jpg");
    press(vk::Up); // a folder without a picture clears it
    form->loop().advance(500);
    EXPECT_TRUE(gCurrentCoverFrontFileName.empty());

    openMusicRoot();
    press('S');
    auto title = std::make_shared<TListElement>(ListElementType::MP3, root("Musik"), "x", 0.0, 0);
    title->SetInfoText("stale");
    ReplaceListElements().add("x", title);
    press(vk::Down);
    form->loop().advance(500);
    EXPECT_EQ(gPressedKeyText, "Info");
    EXPECT_EQ(gInfoScrollerText, ""); // read afresh from the (unreadable) file
}

} // namespace
