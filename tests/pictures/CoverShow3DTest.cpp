// The 3D cover show: its matrices, the rocking, a software-rendered case, and the show run
// through the program (Space, Esc, a click, a missing back cover, failures).

#include "pictures/CoverShow3D.h"
#include "app/AppState.h"
#include "app/ResetAllState.h"
#include "platform/Encoding.h"
#include "platform/KeyMap.h"
#include "platform/Window.h"
#include "support/AppDriver.h"
#include "support/KeepOpenGlLoaded.h"
#include "support/Pixels.h"
#include "support/TempDir.h"
#include "support/TestJpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace {

namespace vk = platform::vk;
using platform::RowMatrix;
using testsupport::AppDriver;

constexpr int kCoverKey = 'C';
const std::string kSkinFolder = std::string(ZVN_SOURCE_DIR) + "/Skins/Default/";

void expectMatrixNear(const RowMatrix& actual, const RowMatrix& expected, const char* name) {
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5)
            << name << ", row " << i / 4 << " column " << i % 4;
}

TEST(CoverShow3DMatrices, MatchHandComputedRowVectorMatrices) {
    constexpr float kHalfPi = std::numbers::pi_v<float> / 2;
    // Projection: y scale = cot(pi/8) = 1 + sqrt(2) = 2.4142136, x scale = y scale / (4/3) =
    // 1.8106602; depth maps near 1 to 0 and far 100 to 1: z * 100/99 - 100/99, w = z.
    constexpr float kY = 2.4142136f, kX = 1.8106602f, kQ = 100.0f / 99.0f;
    // Rotations for row vectors: about y by a: [c 0 -s; 0 1 0; s 0 c]; about x by a:
    // [1 0 0; 0 c s; 0 -s c]; about z by a: [c s 0; -s c 0; 0 0 1].
    // Yaw pi/2, pitch pi/2: Rx * Ry = [1 0 0; 0 0 1; 0 -1 0] * [0 0 -1; 0 1 0; 1 0 0]
    //   = [0 0 -1; 1 0 0; 0 -1 0]   (Ry * Rx would give the first row 0 1 0).
    // Pitch pi/2, roll pi/2: Rz * Rx = [0 1 0; -1 0 0; 0 0 1] * [1 0 0; 0 0 1; 0 -1 0]
    //   = [0 0 1; -1 0 0; 0 -1 0].
    // World, yaw pi/2: Ry, then the row of the translation (0, 0, -2).
    // View: the eye at z = -5.5 looks along +z with x right and y up, so only the eye's
    // distance is left: row 3 = (0, 0, 5.5, 1).
    const struct {
        const char* name;
        RowMatrix actual;
        RowMatrix expected;
    } rows[] = {
        {"view", CoverShowViewMatrix(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 5.5f, 1}},
        {"projection",
         CoverShowProjectionMatrix(),
         {kX, 0, 0, 0, 0, kY, 0, 0, 0, 0, kQ, 1, 0, 0, -kQ, 0}},
        {"yaw",
         YawPitchRollMatrix(kHalfPi, 0, 0),
         {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1}},
        {"yaw then pitch",
         YawPitchRollMatrix(kHalfPi, kHalfPi, 0),
         {0, 0, -1, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 0, 1}},
        {"roll then pitch",
         YawPitchRollMatrix(0, kHalfPi, kHalfPi),
         {0, 0, 1, 0, -1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 0, 1}},
        {"world", CoverShowWorldMatrix(0, 0, 0), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -2, 1}},
        {"world turned",
         CoverShowWorldMatrix(kHalfPi, 0, 0),
         {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, -2, 1}},
    };
    for (const auto& row : rows)
        expectMatrixNear(row.actual, row.expected, row.name);
}

TEST(CoverShow3DForm, TurnsAndRocksBetweenTheLimits) {
    ResetAllState();
    TDirect3DForm form; // no window: the frames only turn the case
    std::vector<float> pitches;
    for (int frame = 0; frame < 400; ++frame) {
        form.RenderFrame();
        pitches.push_back(form.Pitch());
    }
    EXPECT_NEAR(form.Yaw(), 4.0f, 1e-3);
    EXPECT_EQ(form.Roll(), 0.0f);
    // Up to the first pitch at or above 0.3, down to the first at or below -0.3, up again.
    const auto top = std::max_element(pitches.begin(), pitches.end());
    const auto bottom = std::min_element(pitches.begin(), pitches.end());
    EXPECT_GE(*top, 0.3f);
    EXPECT_LT(*top, 0.3f + TDirect3DForm::kPitchSpeed);
    EXPECT_LE(*bottom, -0.3f);
    EXPECT_GT(*bottom, -0.3f - TDirect3DForm::kPitchSpeed);
    ASSERT_LT(top, bottom);
    EXPECT_TRUE(std::is_sorted(pitches.begin(), top + 1));
    EXPECT_TRUE(std::is_sorted(top, bottom + 1, std::greater<>()));
    EXPECT_TRUE(std::is_sorted(bottom, pitches.end()));
    EXPECT_GT(pitches.back(), *bottom + 0.2f);
}

// Rendered with Mesa's software OpenGL under the offscreen video driver.
class CoverShow3DRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        ASSERT_TRUE(session.ok());
        testsupport::keepOpenGlLibrariesLoaded();
        form.FrontFile = folder.file("front.jpg");
        form.BackFile = folder.file("back.jpg");
        form.HingeFile = kSkinFolder + "3d_cdcover_vornelinks.bmp";
        form.SideFile = kSkinFolder + "3d_cdcover_seitenwand.bmp";
        testsupport::writeSolidJpeg(form.FrontFile, 64, 64, kRed);
        testsupport::writeSolidJpeg(form.BackFile, 64, 64, kBlue);
    }

    platform::Color centre() {
        platform::GlWindow& window = *form.Device();
        return window.readPixel(window.width() / 2, window.height() / 2);
    }

    static constexpr platform::Color kRed = platform::rgb(230, 20, 20);
    static constexpr platform::Color kBlue = platform::rgb(20, 20, 230);
    platform::SdlSession session;
    testsupport::TempDir folder;
    TDirect3DForm form;
};

TEST_F(CoverShow3DRenderTest, FrontFacesTheViewerAndTheBackAfterHalfATurn) {
    form.InitDevice();
    form.InitScene();
    ASSERT_NE(form.Device(), nullptr);
    ASSERT_TRUE(form.Animating());

    form.SetAngles(0, 0, 0);
    form.DrawScene();
    EXPECT_PRED3(testsupport::colorNear, centre(), kRed, 16);
    // The corners of the screen lie outside the case.
    EXPECT_EQ(form.Device()->readPixel(2, 2), platform::rgb(0, 0, 0));

    form.SetAngles(std::numbers::pi_v<float>, 0, 0);
    form.DrawScene();
    EXPECT_PRED3(testsupport::colorNear, centre(), kBlue, 16);
}

TEST_F(CoverShow3DRenderTest, MissingFrontLeavesTheFaceBlack) {
    std::filesystem::remove(form.FrontFile);
    form.InitDevice();
    form.InitScene();
    ASSERT_TRUE(form.Animating());
    form.DrawScene();
    EXPECT_EQ(centre(), platform::rgb(0, 0, 0));
}

class CoverShow3DEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppDriver::Settings settings;
        settings.moreDisplay = "ShowCover2D_or_3D=3\r\n";
        driver.createLibrary(settings);
        ASSERT_TRUE(driver.start());
        testsupport::keepOpenGlLibrariesLoaded();
        // "Musik", then the first folder (below "..").
        driver.pressKey(vk::Return);
        driver.pressKey(vk::Down);
        driver.pressKey(vk::Return);
        folder = driver.musicRoot() + AppDriver::Library::musicFolders()[0] + "/";
        ASSERT_EQ(gCurrentDirectory, folder);
    }

    AppDriver driver;
    std::string folder;
};

TEST_F(CoverShow3DEndToEndTest, SpaceFreezesAndContinuesEscEndsTheShow) {
    float frozenYaw = 0;
    driver.answerDialogs({
        [&] {
            TDirect3DForm* show = ActiveDirect3DForm();
            ASSERT_NE(show, nullptr);
            EXPECT_FALSE(platform::cursorVisible());
            EXPECT_EQ(show->FrontFile, folder + "ABBA_front.jpg");
            EXPECT_EQ(show->BackFile, folder + "ABBA_back.jpg");
            EXPECT_TRUE(show->Animating());
            driver.pressKey(vk::Space);
            EXPECT_FALSE(show->Animating());
            frozenYaw = show->Yaw();
        },
        [&] {
            // Passes of the loop went by, but the case stood still.
            TDirect3DForm* show = ActiveDirect3DForm();
            EXPECT_EQ(show->Yaw(), frozenYaw);
            driver.pressKey(vk::Space);
        },
        [&] {
            // It turns on from where it stood.
            TDirect3DForm* show = ActiveDirect3DForm();
            EXPECT_TRUE(show->Animating());
            EXPECT_NEAR(show->Yaw(), frozenYaw + TDirect3DForm::kYawStep, 1e-6);
            driver.pressKey(vk::Escape);
        },
        [] { ADD_FAILURE() << "the show went on after Esc"; },
    });
    driver.pressKey(kCoverKey);

    EXPECT_TRUE(driver.logHasLine("enter callFunction_3DCoverShow()"));
    EXPECT_EQ(ActiveDirect3DForm(), nullptr);
    EXPECT_TRUE(platform::cursorVisible());
    // The keys went to the show: Esc did not also leave the folder.
    EXPECT_EQ(gCurrentDirectory, folder);
    driver.pressKey(vk::Escape);
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot());
}

TEST_F(CoverShow3DEndToEndTest, AnyMouseButtonEndsTheShow) {
    for (int button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT}) {
        bool shown = false;
        driver.answerDialogs({[&] {
            TDirect3DForm* show = ActiveDirect3DForm();
            ASSERT_NE(show, nullptr);
            shown = true;
            driver.click(400, 300, 1, button);
            EXPECT_TRUE(show->Closed()) << button;
        }});
        driver.pressKey(kCoverKey);
        EXPECT_TRUE(shown) << button;
        EXPECT_EQ(ActiveDirect3DForm(), nullptr) << button;
        EXPECT_TRUE(platform::cursorVisible()) << button;
        EXPECT_EQ(gCurrentDirectory, folder) << button;
    }
}

TEST_F(CoverShow3DEndToEndTest, FolderWithOnlyAFrontShowsTheSkinsBlackBack) {
    const std::string solo = driver.musicRoot() + "Solo/";
    std::filesystem::create_directory(solo);
    testsupport::writeSolidJpeg(solo + "cover.jpg", 16, 16, platform::rgb(200, 0, 0));
    // The folder the listing would be in after entering it.
    gCurrentDirectory = solo;
    const std::string skin = driver.programFolder() + "/Skins/Default/";
    driver.answerDialogs({[&] {
        TDirect3DForm* show = ActiveDirect3DForm();
        ASSERT_NE(show, nullptr);
        EXPECT_EQ(show->FrontFile, solo + "cover.jpg");
        EXPECT_EQ(show->BackFile, skin + "3d_cdcover_black.bmp");
        EXPECT_EQ(show->HingeFile, skin + "3d_cdcover_vornelinks.bmp");
        EXPECT_EQ(show->SideFile, skin + "3d_cdcover_seitenwand.bmp");
        EXPECT_TRUE(show->Animating());
        driver.pressKey(vk::Escape);
    }});
    driver.pressKey(kCoverKey);
    EXPECT_EQ(ActiveDirect3DForm(), nullptr);
}

TEST_F(CoverShow3DEndToEndTest, FailuresAreShownAndTheProgramGoesOn) {
    using platform::GlOpenFailure;
    const struct {
        GlOpenFailure failure;
        std::string message;
    } rows[] = {
        {GlOpenFailure::NoOpenGL, "Fehler beim Erstellen von Direct3D!"},
        {GlOpenFailure::NoMode,
         "Der erforderliche D3D Modus wird von Ihrer Karte nicht unterstützt"},
        {GlOpenFailure::NoContext, "kein GL\rFehler beim Erzeugen des 3D-Device"},
    };
    driver.answerDialogs({[] { ADD_FAILURE() << "the show ran after a failure"; }});
    for (const auto& row : rows) {
        // A machine without OpenGL, or without a usable one.
        SetGlWindowOpener([&row](const std::string&) {
            return platform::GlOpenResult{nullptr, row.failure, "kein GL"};
        });
        driver.pressKey(kCoverKey);
        // debug.txt is written in Windows-1252, as the program's text files are.
        EXPECT_EQ(driver.logCount(platform::encodeFileText("Fehler: " + row.message)), 1)
            << row.message;
        EXPECT_EQ(ActiveDirect3DForm(), nullptr);
        EXPECT_TRUE(platform::cursorVisible());
    }
    SetGlWindowOpener({});

    // The hinge picture is the one texture whose failure ends the show.
    TDirect3DForm form;
    form.FrontFile = folder + "ABBA_front.jpg";
    form.HingeFile = driver.programFolder() + "/missing.bmp";
    form.ShowModal();
    EXPECT_TRUE(form.Closed());
    EXPECT_EQ(form.Device(), nullptr);
    EXPECT_EQ(driver.logCount("Fehler: Fehler beim Laden der Textur"), 1);

    ASSERT_TRUE(driver.running());
    driver.pressKey(vk::Escape);
    EXPECT_EQ(gCurrentDirectory, driver.musicRoot());
}

} // namespace
