// The options screen on a started program: the rows as built from the settings, stepping and
// toggling values, and what each change puts into force at once.

#include "config/Options.h"
#include "app/AppState.h"
#include "app/Program.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "library/ElementList.h"
#include "platform/KeyMap.h"
#include "support/AppDriver.h"
#include "ui/Layout.h"
#include "ui/OptionsList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using testsupport::AppDriver;
namespace vk = platform::vk;
namespace fs = std::filesystem;

class OptionsTest : public ::testing::Test {
protected:
    void start() {
        driver.createLibrary();
        ASSERT_TRUE(driver.start());
        driver.pressKey('O');
        ASSERT_EQ(gMenuMode, mmOptions);
    }

    static ListElementPtr row(const std::string& key) {
        return gListElements->element(gListElements->indexOfKey(key));
    }
    static std::string shown(const std::string& key) {
        const ListElementPtr element = row(key);
        return element ? OptionValueText(*element) : "(no row " + key + ")";
    }
    // Moves the cursor with the Down and Up keys onto the row with this key.
    void highlight(const std::string& key) {
        const int target = gListElements->indexOfKey(key);
        ASSERT_GE(target, 0) << key;
        while (AppDriver::currentIndex() < target)
            driver.pressKey(vk::Down);
        while (AppDriver::currentIndex() > target)
            driver.pressKey(vk::Up);
    }
    std::vector<std::string> shownValues() {
        std::vector<std::string> values;
        for (const auto& [key, element] : *gListElements)
            values.push_back(key + "=" + OptionValueText(*element));
        return values;
    }

    AppDriver driver;
};

TEST_F(OptionsTest, RowsShowTheSettingsInForceAndTheFirstChoiceForUnlistedValues) {
    start();
    EXPECT_EQ(gPressedKeyText, "Optionen");
    const std::vector<std::string> keys = {"0",
                                           "IniSkinName",
                                           "IniScreenWidth",
                                           "IniNumberOfTitlebars",
                                           "MouseButtonClicksToStart",
                                           "IniCurrentLanguage",
                                           "MUSIC",
                                           "IniChangeCoverImage",
                                           "ShowCover2D_or_3D",
                                           "ShowMP3TagInsteadOfFilename",
                                           "SortTitlesByMP3InfoTrackNo",
                                           "IniFadeOutVolumeTime",
                                           "IniEnableZUVENScreensaver",
                                           "PHOTO",
                                           "IniDiashowWaitInMS"};
    ASSERT_EQ(gListElements->count(), static_cast<int>(keys.size()));
    for (int i = 0; i < gListElements->count(); ++i)
        EXPECT_EQ(gListElements->key(i), keys[static_cast<std::size_t>(i)]);
    EXPECT_EQ(row("MUSIC")->ElementType(), ListElementType::OptionGroup);
    EXPECT_EQ(row("MUSIC")->FileName(), "Musik-Optionen");

    EXPECT_EQ(shown("IniSkinName"), "Default");
    EXPECT_EQ(shown("IniScreenWidth"), "800x600");
    EXPECT_EQ(shown("IniNumberOfTitlebars"), "10");
    EXPECT_EQ(shown("MouseButtonClicksToStart"), "1");
    EXPECT_EQ(shown("IniCurrentLanguage"), "Deutsch");
    EXPECT_EQ(shown("IniChangeCoverImage"), "Ja");
    EXPECT_EQ(shown("ShowCover2D_or_3D"), "2D");
    EXPECT_EQ(shown("IniFadeOutVolumeTime"), "200 ms");
    // 2000 ms and 6000 s are no choices: the first choice shows, the setting stays in force.
    EXPECT_EQ(shown("IniDiashowWaitInMS"), "2,5");
    EXPECT_EQ(shown("IniEnableZUVENScreensaver"), "Aus");
    EXPECT_EQ(gIniDiashowWaitInMS, 2000);
    EXPECT_EQ(gIniEnableZUVENScreensaver, 6000);

    // Ten titlebars for fifteen rows: the scrollbar is drawn, and the last row scrolls in.
    const platform::Canvas& frame = driver.frame();
    EXPECT_EQ(frame.pixel(gScrollbarRect.left, gScrollbarRect.bottom - 1), gColorScrollbarBack);
    highlight("IniDiashowWaitInMS");
    EXPECT_EQ(gListElementOffset, 5);
    EXPECT_EQ(HightlightTitlebarIndex, 9);
}

TEST_F(OptionsTest, StepsWrapAroundYesNoTogglesAndHeadingsRefuse) {
    start();
    highlight("IniNumberOfTitlebars");
    const struct {
        int startChoice;
        int key;
        const char* shown;
    } steps[] = {
        {1, vk::Right, "10"},
        {1, vk::Left, "22"},
        {8, vk::Right, "9"},
        {3, vk::Left, "10"},
    };
    for (const auto& step : steps) {
        row("IniNumberOfTitlebars")->SetOptionValue(step.startChoice);
        driver.pressKey(step.key);
        EXPECT_EQ(shown("IniNumberOfTitlebars"), step.shown) << step.startChoice;
        EXPECT_EQ(gIniNumberOfTitlebars, std::stoi(step.shown));
        EXPECT_EQ(VisibleRows(), gIniNumberOfTitlebars);
    }

    highlight("SortTitlesByMP3InfoTrackNo");
    for (int key : {vk::Left, vk::Left, vk::Right}) {
        const bool before = gIniSortTitlesByMP3InfoTrackNo;
        driver.pressKey(key);
        EXPECT_EQ(gIniSortTitlesByMP3InfoTrackNo, !before);
        EXPECT_EQ(shown("SortTitlesByMP3InfoTrackNo"), before ? "Nein" : "Ja");
    }

    const std::vector<std::string> before = shownValues();
    for (const char* heading : {"PHOTO", "MUSIC", "0"}) {
        highlight(heading);
        for (int key : {vk::Right, vk::Left}) {
            driver.pressKey(key);
            EXPECT_EQ(gPressedKeyText, "???") << heading;
        }
    }
    EXPECT_EQ(shownValues(), before);
}

TEST_F(OptionsTest, ResolutionSizesTheWindowAndRescalesFontsAndLayoutAtOnce) {
    start();
    highlight("IniScreenWidth");
    const struct {
        int width, height;
        float fontScale;
        int titlebarBig; // the Default skin's 20 points, scaled
    } rows[] = {
        {1024, 768, 0.75f, 15}, {1152, 864, 0.8f, 16}, {1280, 1024, 1.0f, 20},
        {1600, 1200, 1.0f, 20}, {1280, 720, 1.0f, 20}, {1920, 1080, 1.0f, 20},
        {3840, 2160, 2.0f, 40}, {800, 600, 0.6f, 12}, // wraps around
    };
    for (const auto& row : rows) {
        driver.pressKey(vk::Right);
        const std::string name = std::to_string(row.width) + "x" + std::to_string(row.height);
        EXPECT_EQ(shown("IniScreenWidth"), name);
        EXPECT_EQ(gIniScreenWidth, row.width);
        EXPECT_EQ(gIniScreenHeight, row.height);
        EXPECT_EQ(driver.form().window()->width(), row.width) << name;
        EXPECT_EQ(driver.form().window()->height(), row.height) << name;
        EXPECT_FLOAT_EQ(gFontScale, row.fontScale) << name;
        EXPECT_EQ(gFontSizeTitlebarBig, row.titlebarBig) << name;
        EXPECT_EQ(gTitlebarRight, row.width - row.width / 25) << name;
        EXPECT_EQ(gStatusTop, row.height - row.height / 20) << name;
        const platform::Canvas& frame = driver.frame();
        EXPECT_EQ(frame.width(), row.width);
        // The highlighted row's value bar reaches the right end of the list.
        EXPECT_EQ(frame.pixel(gTitlebarRight - 40, gListTop + 2 * gTitlebarHeight + 2),
                  gColorTitlebarHighlight)
            << name;
    }
}

// A program folder whose Skins hold the Default skin, a working copy of it with another
// highlight colour, and skins that cannot be shown.
class OptionsSkinTest : public OptionsTest {
protected:
    static constexpr platform::Color kNightHighlight = 0x00FF00;

    void SetUp() override {
        driver.createLibrary();
        const fs::path skins = fs::path(driver.programFolder()) / "Skins";
        const fs::path source = fs::path(ZVN_SOURCE_DIR) / "Skins" / "Default";
        fs::remove(skins);
        fs::create_directories(skins);
        fs::create_directory_symlink(source, skins / "Default");
        // Night: the Default pictures; NoPictures: only the two files tested before loading.
        for (const char* name : {"Night", "NoPictures", "NoBackground"}) {
            fs::create_directories(skins / name);
            std::string definition = testsupport::readFile((source / "Config.ini").string());
            const std::string key = "gColorTitlebarHighlight=";
            if (std::string(name) == "Night")
                definition.insert(definition.find(key) + key.size(), "0x00FF00\r\n;");
            testsupport::writeFile((skins / name / "Config.ini").string(), definition);
        }
        for (const auto& file : fs::directory_iterator(source)) {
            if (file.path().filename() != "Config.ini")
                fs::create_symlink(file.path(), skins / "Night" / file.path().filename());
        }
        fs::create_symlink(source / "Background.jpg", skins / "NoPictures" / "Background.jpg");
        fs::create_directories(skins / "NoDefinition");
        fs::create_symlink(source / "Background.jpg", skins / "NoDefinition" / "Background.jpg");

        std::string config = testsupport::readFile(driver.programFolder() + "/Config.ini");
        config.replace(config.find("AvailableSkins=Default"), std::string::npos,
                       "AvailableSkins=Default, Night, NoBackground, NoDefinition, NoPictures, "
                       "Gone, S7, S8, S9, Ten\r\n");
        testsupport::writeFile(driver.programFolder() + "/Config.ini", config);
        ASSERT_TRUE(driver.start());
        driver.pressKey('O');
        highlight("IniSkinName");
    }
};

TEST_F(OptionsSkinTest, EverySkinIsOfferedAndOneThatCannotBeShownIsRefused) {
    ASSERT_EQ(row("IniSkinName")->OptionChoiceCount(), 10);
    EXPECT_EQ(row("IniSkinName")->choice(10), "Ten");

    driver.pressKey(vk::Right);
    EXPECT_EQ(gIniSkinName, "Night");
    EXPECT_EQ(gColorTitlebarHighlight, kNightHighlight);
    EXPECT_EQ(driver.frame().pixel(gTitlebarRight - 40, gListTop + gTitlebarHeight + 2),
              kNightHighlight);

    for (const char* refused : {"NoBackground", "NoDefinition", "NoPictures", "Gone"}) {
        // Step onto the refused skin from the choice before it.
        int before = 0;
        for (int i = 1; i <= 10; ++i) {
            if (row("IniSkinName")->choice(i) == refused)
                before = i - 1;
        }
        row("IniSkinName")->SetOptionValue(before);
        driver.pressKey(vk::Right);
        EXPECT_EQ(gPressedKeyText, "Fehler!") << refused;
        EXPECT_EQ(row("IniSkinName")->OptionValue(), before) << refused;
        EXPECT_EQ(gIniSkinName, "Night") << refused;
        EXPECT_EQ(gColorTitlebarHighlight, kNightHighlight) << refused;
        EXPECT_FALSE(driver.form().terminated()) << refused;
    }
    row("IniSkinName")->SetOptionValue(2);
    // The pictures in use are whole: the screen still draws the marker of the option row.
    EXPECT_FALSE(gSkin.KeyLeftOrRight.empty());
    EXPECT_FALSE(gSkin.Background.empty());

    driver.pressKey(vk::Left);
    EXPECT_EQ(gIniSkinName, "Default");
    EXPECT_NE(gColorTitlebarHighlight, kNightHighlight);
}

} // namespace
