#include "app/AppState.h"
#include "app/Mainform.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "config/Ratings.h"
#include "config/Skin.h"
#include "input/Menubar.h"
#include "library/CoverLookup.h"
#include "pictures/CoverView.h"
#include "platform/Canvas.h"
#include "platform/Window.h"
#include "playback/Players.h"
#include "support/FakePlayer.h"
#include "support/TempDir.h"
#include "ui/Layout.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

// Renders whole screens with the delivered Default skin through the main window and keeps them
// as PNG files in the build folder for people to look at.
namespace {

using platform::Color;
using platform::rgb;
using testsupport::TempDir;
using testsupport::writeFile;

const std::string kSkinsFolder = std::string(ZVN_SOURCE_DIR) + "/Skins";

// An album cover of 400 x 400: rings of colour on a dark ground.
void writeCoverJpeg(const std::string& path) {
    platform::Canvas art(400, 400);
    art.fillRect({0, 0, 400, 400}, rgb(25, 30, 60));
    const Color rings[] = {rgb(200, 60, 40), rgb(240, 170, 50), rgb(60, 140, 200),
                           rgb(240, 240, 230)};
    for (int i = 0; i < 4; ++i)
        art.fillRect({60 + i * 35, 60 + i * 35, 340 - i * 35, 340 - i * 35}, rings[i]);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const platform::Picture picture = art.snapshot();
    ASSERT_EQ(IMG_SaveJPG(picture.surface(), path.c_str(), 90), 0) << IMG_GetError();
}

class ScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        ASSERT_TRUE(sdl.ok());
        ASSERT_TRUE(std::filesystem::exists(kSkinsFolder + "/Default/Config.ini"))
            << "the Default skin is missing below " << kSkinsFolder;
        std::filesystem::create_symlink(kSkinsFolder, folder.file("Skins"));
        std::filesystem::create_directories(folder.file("Musik"));
    }

    void TearDown() override { ResetAllState(); }

    void start(int width, int height) {
        writeFile(folder.file("Config.ini"),
                  "[Paths]\r\nMP3Path=" + folder.file("Musik") + "/\r\n[Display]\r\nScreenWidth=" +
                      std::to_string(width) + "\r\nScreenHeight=" + std::to_string(height) +
                      "\r\nNumberOfTitlebars=10\r\n");
        form = std::make_unique<TMainform>(
            TMainform::Options{folder.path(), &clock, testsupport::fakePlayers(clock)});
        form->FormCreate();
        ASSERT_FALSE(form->terminated());
        form->FormShow();
    }

    platform::Canvas& paint() {
        form->FormPaint();
        return form->window()->canvas();
    }

    static void save(const platform::Canvas& canvas, const std::string& name) {
        EXPECT_TRUE(canvas.savePng(std::string(ZVN_BUILD_DIR) + "/" + name)) << name;
    }

    // A music folder with "..", a subfolder and five titles, one of them playing, rated titles
    // and a front cover.
    void showMusicFolder() {
        const std::string dir = folder.file("Musik") + "/Rock/The Harbour Lights/";
        gMenuMode = mmMusic;
        gCurrentDirectory = dir;
        BuildMenubar();
        TElementList& list = ReplaceListElements();
        list.add("0", std::make_shared<TListElement>(ListElementType::Back, dir, "..", 0.0, 0));
        auto live =
            std::make_shared<TListElement>(ListElementType::MP3Dir, dir, "Live in Berlin", 0.0, 1);
        live->SetFolderYear("1998");
        list.add("1", live);
        struct Title {
            const char* file;
            const char* title;
            const char* length;
            const char* rating; // nullptr: no entry
        };
        const Title titles[] = {
            {"01 - Northern Line.mp3", "Northern Line", "3:07", "****"},
            {"02 - Paper Boats.mp3", "Paper Boats", "4:41", "***"},
            {"03 - Seventeen Lanterns.mp3", "Seventeen Lanterns", "5:02", ""},
            {"04 - Low Tide.mp3", "Low Tide", "2:58", nullptr},
            {"05 - The Long Way Home.mp3", "The Long Way Home", "6:15", "*****"},
        };
        int track = 1;
        for (const Title& t : titles) {
            auto song =
                std::make_shared<TListElement>(ListElementType::MP3, dir, t.file, 0.0, track + 1);
            song->SetTitle(t.title);
            song->SetArtist("The Harbour Lights");
            song->SetTrackNo(track);
            song->SetLength(t.length);
            song->SetIsNew(track == 5);
            if (t.rating)
                gRatings.push_back({RatingKey(*song), {t.rating}, ""});
            if (track == 2)
                gPlayingTitle = song;
            list.add(std::to_string(track + 1), song);
            ++track;
        }
        HightlightTitlebarIndex = 3;
        gCurrentCoverFrontFileName = dir + "folder.jpg";
        writeCoverJpeg(gCurrentCoverFrontFileName);
    }

    void expectFrame(const platform::Canvas& canvas) {
        EXPECT_EQ(canvas.width(), gIniScreenWidth);
        EXPECT_EQ(canvas.height(), gIniScreenHeight);
        EXPECT_EQ(canvas.pixel(gIniScreenWidth / 2, 1), gColorHeaderBar);
        EXPECT_EQ(canvas.pixel(gMediaButtonsLeft - 2, gIniScreenHeight - 2), gColorStatusBar);
    }

    platform::SdlSession sdl;
    platform::ManualClock clock{1000};
    TempDir folder;
    std::unique_ptr<TMainform> form;
};

TEST_F(ScreenshotTest, MainMenu) {
    start(800, 600);
    ASSERT_EQ(gMenuMode, mmMain);
    HightlightTitlebarIndex = 0;
    const platform::Canvas& canvas = paint();
    save(canvas, "screenshot-main-menu.png");
    expectFrame(canvas);
    EXPECT_EQ(canvas.pixel(gTitlebarRight - 12, gListTop + 3), gColorTitlebarHighlight);
    EXPECT_EQ(canvas.pixel(gTitlebarRight - 12, gListTop + gTitlebarHeightMainmenu + 3),
              gColorTitlebar);
    // Six entries fit, so there is no scrollbar.
    EXPECT_NE(canvas.pixel(gScrollbarRect.left, gScrollbarRect.top + 5), gColorScrollbarBack);
}

TEST_F(ScreenshotTest, MusicFolder) {
    start(800, 600);
    showMusicFolder();
    const platform::Canvas& canvas = paint();
    save(canvas, "screenshot-music-folder.png");
    expectFrame(canvas);
    EXPECT_TRUE(form->CoverImage.Visible());
    const int rowTop = gListTop + 3 * gTitlebarHeight;
    EXPECT_EQ(canvas.pixel(gTitlebarRight - 3, rowTop + 2), gColorTitlebarHighlight);
    EXPECT_EQ(canvas.pixel(gTitlebarRight - 3, gListTop + 2), gColorTitlebar);
}

TEST_F(ScreenshotTest, MusicFolderLargeScreen) {
    start(1280, 1024);
    showMusicFolder();
    // A long list brings the scrollbar.
    TElementList& list = *gListElements;
    for (int i = 0; i < 10; ++i)
        list.add("x" + std::to_string(i),
                 std::make_shared<TListElement>(ListElementType::MP3, gCurrentDirectory,
                                                "Bonus " + std::to_string(i + 1) + ".mp3", 0.0,
                                                20 + i));
    const platform::Canvas& canvas = paint();
    save(canvas, "screenshot-music-folder-1280.png");
    expectFrame(canvas);
    EXPECT_EQ(gLeftColumnWidth, 326);
    EXPECT_EQ(canvas.pixel(gScrollbarRect.left, gScrollbarRect.bottom - 1), gColorScrollbarBack);
    EXPECT_EQ(canvas.pixel(gScrollbarRect.left + 1, gScrollbarRect.top + 1), gColorScrollbar);
}

} // namespace
