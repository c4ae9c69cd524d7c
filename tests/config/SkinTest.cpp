#include "config/Skin.h"

#include "app/Mainform.h"
#include "app/Program.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "config/ConfigTestSupport.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "support/FakePlayer.h"
#include "support/TestJpeg.h"
#include "ui/Layout.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

namespace {

const std::string kSeparator(41, '-');

std::string missingPictureLine(const std::string& path) {
    return "Zuvenmedia: Grafikdatei \"" + path +
           "\" nicht gefunden. Bitte installieren Sie ZUVEN nocheinmal korrekt.";
}

std::size_t countLinesContaining(const std::vector<std::string>& lines, const std::string& part) {
    return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [&](const auto& l) {
        return l.find(part) != std::string::npos;
    }));
}

// The part of a picture's pixels that is drawn, not left out as silver.
double drawnShare(const platform::Picture& picture) {
    int drawn = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            drawn += picture.pixel(x, y) != platform::kSilver ? 1 : 0;
    }
    return static_cast<double>(drawn) / (picture.width() * picture.height());
}

// Every file of the picture set in loading order, with the variable it is loaded into.
struct SetEntry {
    std::string fileName;
    platform::Picture* slot;
};

std::vector<SetEntry> pictureSetInOrder() {
    std::vector<SetEntry> set{{"Background.jpg", &gSkin.Background},
                              {"CDCover-empty.bmp", &gSkin.CDCoverEmpty},
                              {"ZVN.bmp", &gSkin.ZVN},
                              {"key_empty.bmp", &gSkin.KeyEmpty}};
    for (char c = 'A'; c <= 'Z'; ++c)
        set.push_back({std::string("key_") + c + ".bmp", &gSkin.KeyLetters[c - 'A']});
    for (char c = '0'; c <= '9'; ++c)
        set.push_back({std::string("key_") + c + ".bmp", &gSkin.KeyDigits[c - '0']});
    const SetEntry rest[] = {
        {"key_+.bmp", &gSkin.KeyPlus},
        {"key_star.bmp", &gSkin.KeyStar},
        {"key_-.bmp", &gSkin.KeyMinus},
        {"key_Up.bmp", &gSkin.KeyUp},
        {"key_Down.bmp", &gSkin.KeyDown},
        {"key_Pos1.bmp", &gSkin.KeyPos1},
        {"key_F1.bmp", &gSkin.KeyF1},
        {"key_BildHoch.bmp", &gSkin.KeyPageUp},
        {"key_BildRunter.bmp", &gSkin.KeyPageDown},
        {"key_return.bmp", &gSkin.KeyReturn},
        {"key_space.bmp", &gSkin.KeySpace},
        {"key_right.bmp", &gSkin.KeyRight},
        {"key_leftOrRight.bmp", &gSkin.KeyLeftOrRight},
        {"IconFolder.bmp", &gSkin.IconFolder},
        {"IconFolderPlaylist.bmp", &gSkin.IconFolderPlaylist},
        {"IconFolderMusic.bmp", &gSkin.IconFolderMusic},
        {"IconFolderPhoto.bmp", &gSkin.IconFolderPhoto},
        {"IconFolderVideo.bmp", &gSkin.IconFolderVideo},
        {"IconPlaylist.bmp", &gSkin.IconPlaylist},
        {"IconMusic.bmp", &gSkin.IconMusic},
        {"IconPhoto.bmp", &gSkin.IconPhoto},
        {"IconVideo.bmp", &gSkin.IconVideo},
        {"IconOptiongroupGeneral.bmp", &gSkin.IconOptiongroupGeneral},
        {"IconOptiongroupMusic.bmp", &gSkin.IconOptiongroupMusic},
        {"IconOptiongroupPhoto.bmp", &gSkin.IconOptiongroupPhoto},
        {"PhotoNameBar.bmp", &gSkin.PhotoNameBar},
        {"MediaPlayerButtons.bmp", &gSkin.MediaPlayerButtons},
        {"IconMainmenuMusic.bmp", &gSkin.IconMainmenuMusic},
        {"IconMainmenuPhoto.bmp", &gSkin.IconMainmenuPhoto},
        {"IconMainmenuVideo.bmp", &gSkin.IconMainmenuVideo},
        {"IconMainmenuJukebox.bmp", &gSkin.IconMainmenuJukebox},
        {"IconMainmenuPlaylist.bmp", &gSkin.IconMainmenuPlaylist},
        {"IconMainmenuProgramLinks.bmp", &gSkin.IconMainmenuProgramLinks},
        {"IconNew.bmp", &gSkin.IconNew},
        {"IconMinimize.bmp", &gSkin.IconMinimize},
        {"IconMouse1.bmp", &gSkin.IconMouse1},
        {"IconMouse2.bmp", &gSkin.IconMouse2},
    };
    set.insert(set.end(), std::begin(rest), std::end(rest));
    return set;
}

class SkinTest : public ::testing::Test {
protected:
    SkinTest() { std::filesystem::create_directories(skinFile("")); }
    ~SkinTest() override { ResetAllState(); }

    std::string skinFile(const std::string& name) const {
        return m_program.dir() + "/Skins/Default/" + name;
    }
    void writeDefinition(const std::vector<std::string>& lines) {
        m_program.writeFile("Skins/Default/Config.ini", crlfText(lines));
    }
    void copyRealSkin() {
        std::filesystem::copy(std::string(ZVN_SOURCE_DIR) + "/Skins/Default", skinFile(""),
                              std::filesystem::copy_options::overwrite_existing |
                                  std::filesystem::copy_options::recursive);
    }

    ProgramDirectoryFixture m_program;
};

// The end of the program is requested through the main window.
class SkinWithMainformTest : public SkinTest {
protected:
    SkinWithMainformTest()
        : m_form(TMainform::Options{m_program.dir(), &m_clock, testsupport::fakePlayers(m_clock)}) {
    }

    platform::SdlSession m_sdl;
    platform::ManualClock m_clock{1000};
    TMainform m_form;
};

TEST(SkinFontSize, ScalesByTheWidthsFactorRoundingHalvesToEven) {
    struct Row {
        int size, width, expected;
    };
    const Row rows[] = {
        {20, 640, 10},  {20, 800, 12}, {20, 1024, 15}, {20, 1152, 16}, {20, 1280, 20},
        {20, 1600, 20}, {25, 800, 15}, {15, 1024, 11}, {13, 640, 6},   {3, 640, 2},
        {6, 1024, 4},   {2, 1024, 2},  {0, 800, 0},    {11, 1199, 9},  {11, 1200, 11},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ScaleFontSize(row.size, ComputeFontScale(row.width)), row.expected)
            << row.size << " at " << row.width;
}

TEST_F(SkinTest, SkinFolderIsBelowProgramDirectory) {
    gIniSkinName = "Night Blue";
    EXPECT_EQ(SkinDirectory(), m_program.dir() + "/Skins/Night Blue");
}

TEST_F(SkinTest, ReadsEveryKeyIntoItsOwnVariable) {
    gIniScreenWidth = 1280;
    struct Row {
        const char* section;
        const char* key;
        int value;
        std::function<long long()> read;
    };
    const Row rows[] = {
        {"General", "gNumberOfTitlebarsMainmenu", 6, [] { return gNumberOfTitlebarsMainmenu; }},
        {"General", "gNumberOfMenubars", 12, [] { return gNumberOfMenubars; }},
        {"General", "gShowMenuIcons", 0, [] { return gShowMenuIcons ? 1 : 0; }},
        {"Colors", "gColorTitlebarHighlight", 0x000101, [] { return gColorTitlebarHighlight; }},
        {"Colors", "gColorTitlebar", 0x000102, [] { return gColorTitlebar; }},
        {"Colors", "gColorTitlebarFrame", 0x000103, [] { return gColorTitlebarFrame; }},
        {"Colors", "gColorLines", 0x000104, [] { return gColorLines; }},
        {"Colors", "gColorMenubar", 0x000105, [] { return gColorMenubar; }},
        {"Colors", "gColorMenubarHighlight", 0x000106, [] { return gColorMenubarHighlight; }},
        {"Colors", "gColorHeaderBar", 0x000107, [] { return gColorHeaderBar; }},
        {"Colors", "gColorStatusBar", 0x000108, [] { return gColorStatusBar; }},
        {"Colors", "gColorScrollbarBack", 0x000109, [] { return gColorScrollbarBack; }},
        {"Colors", "gColorScrollbar", 0x00010A, [] { return gColorScrollbar; }},
        {"Fonts", "gFontSizeHeaderBar", 11, [] { return gFontSizeHeaderBar; }},
        {"Fonts", "gFontColorHeaderBar", 0x020001, [] { return gFontColorHeaderBar; }},
        {"Fonts", "gFontSizeTitlebarBig", 12, [] { return gFontSizeTitlebarBig; }},
        {"Fonts", "gFontColorTitlebarBig", 0x020002, [] { return gFontColorTitlebarBig; }},
        {"Fonts", "gFontSizeTitlebarSmall", 13, [] { return gFontSizeTitlebarSmall; }},
        {"Fonts", "gFontColorTitlebarSmall", 0x020003, [] { return gFontColorTitlebarSmall; }},
        {"Fonts", "gFontSizeStatusbar", 14, [] { return gFontSizeStatusbar; }},
        {"Fonts", "gFontColorStatusbar", 0x020004, [] { return gFontColorStatusbar; }},
        {"Fonts", "gFontSizeFolderName", 15, [] { return gFontSizeFolderName; }},
        {"Fonts", "gFontColorFolderName", 0x020005, [] { return gFontColorFolderName; }},
        {"Fonts", "gFontSizeMenubar", 16, [] { return gFontSizeMenubar; }},
        {"Fonts", "gFontColorMenubar", 0x020006, [] { return gFontColorMenubar; }},
        {"Fonts", "gFontSizeMenubarIcon", 17, [] { return gFontSizeMenubarIcon; }},
        {"Fonts", "gFontColorMenubarShadow", 0x020007, [] { return gFontColorMenubarShadow; }},
        {"Fonts", "gFontColorMenubarIcon", 0x020008, [] { return gFontColorMenubarIcon; }},
        {"Fonts", "gFontSizePhotoName", 18, [] { return gFontSizePhotoName; }},
        {"Fonts", "gFontColorPhotoName", 0x020009, [] { return gFontColorPhotoName; }},
        {"Fonts", "gFontSizePhotoTitle", 19, [] { return gFontSizePhotoTitle; }},
        {"Fonts", "gFontColorPhotoTitle", 0x02000A, [] { return gFontColorPhotoTitle; }},
        {"Fonts", "gFontColorPhotoTitleLight", 0x02000B, [] { return gFontColorPhotoTitleLight; }},
    };
    std::vector<std::string> lines;
    std::string section;
    for (const Row& row : rows) {
        if (section != row.section) {
            section = row.section;
            lines.push_back("[" + section + "]");
        }
        lines.push_back(std::string(row.key) + "=" + std::to_string(row.value));
    }
    lines.push_back("gFontName=Liberation Serif");
    writeDefinition(lines);

    ReadSkinDefinition();

    for (const Row& row : rows)
        EXPECT_EQ(row.read(), row.value) << row.key;
    EXPECT_EQ(gFontName, "Liberation Serif");
}

TEST_F(SkinTest, MissingKeysTakeTheirDefaultsEvenAfterAnotherSkin) {
    writeDefinition({"[General]", "gShowMenuIcons=0", "[Colors]", "gColorTitlebar=255",
                     "gColorHeaderBar=0", "[Fonts]", "gFontName=Courier New",
                     "gFontSizeStatusbar=30", "gFontColorStatusbar=0x00FF00"});
    ReadSkinDefinition();
    ASSERT_FALSE(gShowMenuIcons);
    ASSERT_EQ(gFontName, "Courier New");

    writeDefinition({"[Fonts]", "gFontSizeMenubar=20"});
    ReadSkinDefinition();
    EXPECT_TRUE(gShowMenuIcons);
    EXPECT_EQ(gColorTitlebar, 0u);
    EXPECT_EQ(gColorHeaderBar, 2678000u);
    EXPECT_EQ(gColorScrollbar, 2678000u);
    EXPECT_EQ(gFontName, "Arial");
    EXPECT_EQ(gFontSizeStatusbar, 0);
    EXPECT_EQ(gFontColorStatusbar, 0u);
    EXPECT_EQ(gFontSizeMenubar, 12); // 20 at the default width of 800
}

TEST_F(SkinTest, DefinitionWithoutGeneralReplacesConfigCountsByItsDefaults) {
    // As read from the program's Config.ini just before.
    gNumberOfTitlebarsMainmenu = 12;
    gNumberOfMenubars = 7;
    writeDefinition({"[Colors]", "gColorTitlebar=0"});
    ReadSkinDefinition();
    EXPECT_EQ(gNumberOfTitlebarsMainmenu, 8);
    EXPECT_EQ(gNumberOfMenubars, 10);
}

TEST_F(SkinTest, CountsBelowOneBecomeOne) {
    writeDefinition({"[General]", "gNumberOfTitlebarsMainmenu=0", "gNumberOfMenubars=-3"});
    ReadSkinDefinition();
    EXPECT_EQ(gNumberOfTitlebarsMainmenu, 1);
    EXPECT_EQ(gNumberOfMenubars, 1);
    EXPECT_EQ(countLinesContaining(m_program.logLines(), "is below 1, using 1"), 2u);
}

TEST_F(SkinTest, OutlandishSizesAndCountsAreClampedAndLogged) {
    struct Row {
        const char* line;
        const int* variable;
        int expected; // at width 800, scale 0.6
        const char* logged;
    };
    const Row rows[] = {
        {"gFontSizeHeaderBar=2147483647", &gFontSizeHeaderBar, 120,
         "gFontSizeHeaderBar=2147483647 is above 200, using 200"},
        {"gFontSizeTitlebarBig=200", &gFontSizeTitlebarBig, 120, nullptr},
        {"gFontSizeStatusbar=-2147483648", &gFontSizeStatusbar, 0,
         "gFontSizeStatusbar=-2147483648 is below 0, using 0"},
        {"gNumberOfMenubars=99999", &gNumberOfMenubars, 100,
         "gNumberOfMenubars=99999 is above 100, using 100"},
        {"gNumberOfTitlebarsMainmenu=100", &gNumberOfTitlebarsMainmenu, 100, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        const std::string section =
            std::string(row.line).starts_with("gFont") ? "[Fonts]" : "[General]";
        writeDefinition({section, row.line});
        const std::size_t linesBefore = m_program.logLines().size();
        ReadSkinDefinition();
        EXPECT_EQ(*row.variable, row.expected);
        const auto log = m_program.logLines();
        const std::vector<std::string> added(log.begin() + static_cast<long>(linesBefore),
                                             log.end());
        EXPECT_EQ(countLinesContaining(added, " is "), row.logged ? 1u : 0u);
        if (row.logged) {
            EXPECT_EQ(countLinesContaining(added, row.logged), 1u);
        }
    }
    // The layout measures with the clamped sizes: no overflow, text inside the bars.
    writeDefinition({"[Fonts]", "gFontSizeHeaderBar=2147483647", "gFontSizeFolderName=99999"});
    ReadSkinDefinition();
    ComputeScreenLayout();
    EXPECT_GT(gFolderNameBottom, gFolderNameY);
    EXPECT_LT(gFolderNameBottom, 1000);
}

TEST_F(SkinTest, ColoursAreDecimalOrHexadecimalRedInTheLowByte) {
    struct Row {
        const char* text;
        platform::Color expected;
    };
    const Row rows[] = {
        {"2678000", platform::rgb(240, 220, 40)},   {"0x28DCF0", platform::rgb(240, 220, 40)},
        {"0X0000FF", platform::rgb(255, 0, 0)},     {"$FF0000", platform::rgb(0, 0, 255)},
        {"16777215", platform::rgb(255, 255, 255)}, {"red", 2678000u}, // not a number: the default
    };
    for (const Row& row : rows) {
        writeDefinition({"[Colors]", std::string("gColorMenubar=") + row.text});
        ReadSkinDefinition();
        EXPECT_EQ(gColorMenubar, row.expected) << row.text;
    }
}

TEST_F(SkinTest, SizesAreScaledOnceFromTheFileOnEveryReading) {
    writeDefinition({"[Fonts]", "gFontSizeTitlebarBig=20", "gFontSizePhotoTitle=25"});
    gIniScreenWidth = 1024;
    ReadSkinDefinition();
    EXPECT_FLOAT_EQ(gFontScale, 0.75f);
    EXPECT_EQ(gFontSizeTitlebarBig, 15);
    EXPECT_EQ(gFontSizePhotoTitle, 19); // 18.75
    gIniScreenWidth = 800;
    ReadSkinDefinition();
    EXPECT_EQ(gFontSizeTitlebarBig, 12);
    EXPECT_EQ(gFontSizePhotoTitle, 15);
    gIniScreenWidth = 1280;
    ReadSkinDefinition();
    EXPECT_EQ(gFontSizeTitlebarBig, 20);
}

TEST_F(SkinTest, ReadingIsFramedByItsLogLines) {
    writeDefinition({"[General]", "gShowMenuIcons=1"});
    ReadSkinDefinition();
    const auto log = m_program.logLines();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[log.size() - 3], "Reading Skins/Default/Config.ini...");
    EXPECT_EQ(log[log.size() - 2], kSeparator);
    EXPECT_EQ(log.back(), kSeparator);
}

TEST_F(SkinTest, MissingDefinitionIsReportedAndEveryKeyTakesItsDefault) {
    gFontName = "Verdana";
    gColorTitlebar = 5;
    gNumberOfMenubars = 4;
    ReadSkinDefinition();
    const std::string path = skinFile("Config.ini");
    EXPECT_TRUE(containsSequence(
        m_program.logLines(),
        {"Reading Skins/Default/Config.ini...", kSeparator, "",
         "-------------BEGIN ERROR----------------", "ERROR: " + path + " not found!",
         "--------------END ERROR-----------------", "",
         "Zuvenmedia: Fehler beim Skin-Laden:  " + path + " nicht gefunden!"}));
    EXPECT_EQ(gFontName, "Arial");
    EXPECT_EQ(gColorTitlebar, 0u);
    EXPECT_EQ(gNumberOfMenubars, 10);
}

TEST_F(SkinWithMainformTest, MissingDefinitionRequestsTheEnd) {
    writeDefinition({"[General]"});
    EXPECT_TRUE(ReadSkinDefinition());
    std::filesystem::remove(skinFile("Config.ini"));
    EXPECT_FALSE(ReadSkinDefinition());
    EXPECT_FALSE(m_form.terminated());
}

TEST_F(SkinWithMainformTest, MissingBackgroundIsReportedAndTheLayoutStillFollows) {
    m_form.Timer_ShowNumberOfTracksInitially.setEnabled(true);
    m_form.Timer_ShowNumberOfTracksInitially2.setEnabled(true);
    gIniScreenWidth = 1024;
    gIniScreenHeight = 768;
    EXPECT_FALSE(LoadSkin(false));
    EXPECT_EQ(
        countLinesContaining(m_program.logLines(), missingPictureLine(skinFile("Background.jpg"))),
        1u);
    EXPECT_FALSE(m_form.Timer_ShowNumberOfTracksInitially.enabled());
    EXPECT_FALSE(m_form.Timer_ShowNumberOfTracksInitially2.enabled());
    EXPECT_EQ(m_form.window()->width(), 1024);
    EXPECT_EQ(m_form.window()->height(), 768);
    EXPECT_FLOAT_EQ(gFontScale, 0.75f);
}

TEST_F(SkinWithMainformTest, MissingBackgroundWithPicturesIsToldOnceAndNothingIsLoaded) {
    copyRealSkin();
    std::filesystem::remove(skinFile("Background.jpg"));
    const int widthBefore = m_form.window()->width();
    EXPECT_FALSE(LoadSkin(true));
    EXPECT_EQ(countLinesContaining(m_program.logLines(), "Grafikdatei"), 1u);
    EXPECT_TRUE(gSkin.CDCoverEmpty.empty());
    EXPECT_EQ(m_form.window()->width(), widthBefore);
}

TEST_F(SkinWithMainformTest, MissingPictureEndsTheLoadAtTheFirstOneInLoadingOrder) {
    copyRealSkin();
    // The jukebox icon comes before the playlist icon although it is the lower main-menu row.
    std::filesystem::remove(skinFile("IconMainmenuPlaylist.bmp"));
    std::filesystem::remove(skinFile("IconMainmenuJukebox.bmp"));
    const int widthBefore = m_form.window()->width();
    EXPECT_FALSE(LoadSkin(true));
    const auto log = m_program.logLines();
    EXPECT_EQ(countLinesContaining(log, missingPictureLine(skinFile("IconMainmenuJukebox.bmp"))),
              1u);
    EXPECT_EQ(countLinesContaining(log, "Grafikdatei"), 1u);
    // The set is replaced only as a whole, and the layout is not computed without it.
    EXPECT_TRUE(gSkin.Background.empty());
    EXPECT_TRUE(gSkin.IconMainmenuMusic.empty());
    EXPECT_EQ(m_form.window()->width(), widthBefore);
}

TEST_F(SkinWithMainformTest, UnreadablePicturesAreReportedLikeMissingOnes) {
    const std::string rows[] = {"key_F1.bmp", "Background.jpg"};
    for (const std::string& name : rows) {
        copyRealSkin();
        m_program.writeFile("Skins/Default/" + name, "BM this is not a picture");
        LogLine("--- " + name);
        EXPECT_FALSE(LoadSkin(true)) << name;
        const auto log = m_program.logLines();
        const auto start = std::find(log.begin(), log.end(), "--- " + name);
        EXPECT_EQ(countLinesContaining(std::vector<std::string>(start, log.end()),
                                       missingPictureLine(skinFile(name))),
                  1u)
            << name;
        EXPECT_TRUE(gSkin.Background.empty()) << name;
    }
}

TEST_F(SkinWithMainformTest, DamagedPicturesLogTheDecodersReasonBesideTheMessage) {
    // A background of a few hundred bytes that claims 16384 x 16384 pixels.
    std::vector<std::uint8_t> oversized = testsupport::encodeSolidJpeg(8, 8, 0);
    for (std::size_t i = 0; i + 8 < oversized.size(); ++i) {
        if (oversized[i] == 0xFF && oversized[i + 1] == 0xC0) {
            oversized[i + 5] = oversized[i + 7] = 0x40; // 0x4000 = 16384
            oversized[i + 6] = oversized[i + 8] = 0x00;
            break;
        }
    }
    struct Row {
        std::string fileName;
        std::optional<std::string> content; // none: the file is missing
        std::string reason;
    };
    const Row rows[] = {
        {"key_F1.bmp", "BM this is not a picture", "key_F1.bmp could not be loaded: "},
        {"IconNew.bmp", std::nullopt, "IconNew.bmp could not be loaded: file not found"},
        {"Background.jpg", "BM this is not a picture", "Background.jpg could not be loaded: Not"},
        {"Background.jpg", std::string(oversized.begin(), oversized.end()),
         "Background.jpg could not be loaded: data ends early"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        copyRealSkin();
        if (row.content)
            m_program.writeFile("Skins/Default/" + row.fileName, *row.content);
        else
            std::filesystem::remove(skinFile(row.fileName));
        LogLine("--- next");
        EXPECT_FALSE(LoadSkin(true));
        const auto log = m_program.logLines();
        const auto start = std::find(log.rbegin(), log.rend(), "--- next").base();
        const std::vector<std::string> added(start, log.end());
        // The user's message is the same for every row; the error block tells them apart.
        EXPECT_EQ(countLinesContaining(added, missingPictureLine(skinFile(row.fileName))), 1u);
        EXPECT_EQ(countLinesContaining(added, "ERROR: " + skinFile(row.reason)), 1u);
        EXPECT_EQ(countLinesContaining(added, "file not found"), row.content ? 0u : 1u);
    }
}

TEST_F(SkinWithMainformTest, EveryFileGoesIntoItsOwnVariable) {
    // A skin whose pictures tell themselves apart by their widths.
    copyRealSkin();
    const auto set = pictureSetInOrder();
    for (std::size_t i = 1; i < set.size(); ++i) {
        const platform::Picture marker = platform::Picture::create(static_cast<int>(i), 3, 0);
        ASSERT_EQ(SDL_SaveBMP(marker.surface(), skinFile(set[i].fileName).c_str()), 0);
    }
    ASSERT_TRUE(LoadSkin(true));
    for (std::size_t i = 1; i < set.size(); ++i)
        EXPECT_EQ(set[i].slot->width(), static_cast<int>(i)) << set[i].fileName;
    FreeSkin();
    for (const SetEntry& entry : set)
        EXPECT_TRUE(entry.slot->empty()) << entry.fileName;
}

// The skin delivered with the program.
TEST_F(SkinWithMainformTest, DefaultSkinLoadsWholeAndFitsTheScreen) {
    copyRealSkin();
    gIniScreenWidth = 800;
    gIniScreenHeight = 600;
    ASSERT_TRUE(LoadSkin(true));
    EXPECT_EQ(m_form.window()->width(), 800);
    EXPECT_EQ(gNumberOfTitlebarsMainmenu, 6);
    EXPECT_TRUE(gShowMenuIcons);
    EXPECT_EQ(gFontName, "Arial");
    // Sizes for 1280 pixels, scaled to 800.
    EXPECT_EQ(gFontSizeTitlebarBig, 12);

    for (const SetEntry& entry : pictureSetInOrder()) {
        EXPECT_FALSE(entry.slot->empty()) << entry.fileName;
        EXPECT_GE(entry.slot->width(), 16) << entry.fileName;
        EXPECT_GE(entry.slot->height(), 16) << entry.fileName;
    }
    EXPECT_EQ(gSkin.Background.width(), 1280);
    EXPECT_EQ(gSkin.Background.height(), 1024);
    // The strip's width is split into five equal buttons; it fits the status line at 600.
    EXPECT_EQ(gSkin.MediaPlayerButtons.width() % 5, 0);
    EXPECT_LE(gSkin.MediaPlayerButtons.height(), 600 / 20);
    EXPECT_EQ(gSkin.PhotoNameBar.width(), 440);

    const platform::Picture* listIcons[] = {&gSkin.IconFolder,
                                            &gSkin.IconFolderPlaylist,
                                            &gSkin.IconFolderMusic,
                                            &gSkin.IconFolderPhoto,
                                            &gSkin.IconFolderVideo,
                                            &gSkin.IconPlaylist,
                                            &gSkin.IconMusic,
                                            &gSkin.IconPhoto,
                                            &gSkin.IconVideo,
                                            &gSkin.IconNew,
                                            &gSkin.IconOptiongroupGeneral,
                                            &gSkin.IconOptiongroupMusic,
                                            &gSkin.IconOptiongroupPhoto};
    for (const platform::Picture* icon : listIcons) {
        // Centred in a row as 32 pixels high; the corners are left out when drawn.
        EXPECT_EQ(icon->height(), 32);
        EXPECT_EQ(icon->pixel(0, 0), platform::kSilver);
        EXPECT_EQ(icon->pixel(icon->width() - 1, icon->height() - 1), platform::kSilver);
        EXPECT_GT(drawnShare(*icon), 0.25);
    }
    const int mainMenuHeight = gSkin.IconMainmenuMusic.height();
    for (const platform::Picture* icon :
         {&gSkin.IconMainmenuMusic, &gSkin.IconMainmenuPhoto, &gSkin.IconMainmenuVideo,
          &gSkin.IconMainmenuJukebox, &gSkin.IconMainmenuPlaylist,
          &gSkin.IconMainmenuProgramLinks}) {
        EXPECT_EQ(icon->height(), mainMenuHeight);
        EXPECT_EQ(icon->pixel(0, 0), platform::kSilver);
    }
    // Key pictures fit a menubar slot at 600 pixels and leave room for the caption.
    std::vector<const platform::Picture*> keys{&gSkin.KeyPlus,  &gSkin.KeyStar, &gSkin.KeyMinus,
                                               &gSkin.KeyUp,    &gSkin.KeyDown, &gSkin.KeyReturn,
                                               &gSkin.KeySpace, &gSkin.KeyRight};
    for (const auto& key : gSkin.KeyLetters)
        keys.push_back(&key);
    for (const auto& key : gSkin.KeyDigits)
        keys.push_back(&key);
    for (const platform::Picture* key : keys) {
        EXPECT_LE(key->height(), 32);
        EXPECT_LE(key->width(), 800 / 18 - 2);
        EXPECT_EQ(key->pixel(0, 0), platform::kSilver);
    }
    // Drawn without transparency on the header bar, so their ground is the bar's colour.
    for (const platform::Picture* icon :
         {&gSkin.IconMinimize, &gSkin.IconMouse1, &gSkin.IconMouse2}) {
        EXPECT_EQ(icon->pixel(0, 0), gColorHeaderBar);
        EXPECT_LE(icon->height(), 600 / 20);
    }
    EXPECT_LE(gSkin.ZVN.height(), 600 / 20);
    EXPECT_EQ(gSkin.ZVN.pixel(0, 0), platform::kSilver);
}

TEST(DefaultSkin, HoldsThePicturesOfTheCoverShow) {
    struct Row {
        const char* fileName;
        int width, height;
    };
    const Row rows[] = {{"3d_cdcover_black.bmp", 256, 256},
                        {"3d_cdcover_vornelinks.bmp", 32, 256},
                        {"3d_cdcover_seitenwand.bmp", 32, 256}};
    for (const Row& row : rows) {
        const auto picture = platform::Picture::loadBmp(std::string(ZVN_SOURCE_DIR) +
                                                        "/Skins/Default/" + row.fileName);
        EXPECT_EQ(picture.width(), row.width) << row.fileName;
        EXPECT_EQ(picture.height(), row.height) << row.fileName;
    }
}

} // namespace
