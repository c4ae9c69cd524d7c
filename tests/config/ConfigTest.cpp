#include "config/Config.h"

#include "app/Mainform.h"
#include "config/ConfigTestSupport.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "support/FakePlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <optional>
#include <system_error>

namespace {

const std::string kSeparator(41, '-');

// Restores an environment variable when the test ends.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class ConfigTest : public ::testing::Test {
protected:
    ConfigTest()
        : m_home("HOME", m_program.dir()), m_xdg("XDG_CONFIG_HOME", m_program.dir() + "/xdg") {
        // The pictures folder comes from user-dirs.dirs; desktop and videos fall back to $HOME.
        std::filesystem::create_directories(m_program.dir() + "/xdg");
        m_program.writeFile("xdg/user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
        ResetConfigDefaults();
    }

    void writeConfig(const std::vector<std::string>& lines) {
        m_program.writeFile("Config.ini", crlfText(lines));
    }

    ProgramDirectoryFixture m_program;
    ScopedEnv m_home;
    ScopedEnv m_xdg;
};

// Every setting that WriteConfig stores, in one comparable value.
auto writtenSettings() {
    return std::make_tuple(
        gIniCurrentLanguage, gIniShowDebugWindow, gIniDiashowWaitInMS, gIniFadeOutVolumeTime,
        gIniSecondsUntilNextInfoScroller, gIniMouseButtonClicksToStart, gIniRootDirectoryMusic,
        gIniRootDirectoryPhoto, gIniRootDirectoryProgramLinks, gIniRootDirectoryVideo,
        gIniScreenWidth, gIniScreenHeight, gNumberOfMenubars, gIniNumberOfTitlebars,
        gNumberOfTitlebarsMainmenu, gIniChangeCoverImage, gIniShowMP3TagInsteadOfFilename,
        gIniSortTitlesByMP3InfoTrackNo, gIniShowCover2D_or_3D, gIniEnableZUVENScreensaver,
        gIniNewIconNMonth, gIniSkinName);
}

// Folders with blanks, quotes-worthy ends and non-ASCII letters must survive the file.
void setNonDefaults() {
    gIniCurrentLanguage = 1;
    gIniShowDebugWindow = true;
    gIniDiashowWaitInMS = 5000;
    gIniFadeOutVolumeTime = 50;
    gIniSecondsUntilNextInfoScroller = 10;
    gIniMouseButtonClicksToStart = 2;
    gIniRootDirectoryMusic = "/home/user/My Music/";
    gIniRootDirectoryPhoto = " leading blank/";
    gIniRootDirectoryProgramLinks = "/home/user/Spiele & Co/";
    gIniRootDirectoryVideo = "/home/user/Vidéos/";
    gIniScreenWidth = 1920;
    gIniScreenHeight = 1080;
    gNumberOfMenubars = 12;
    gIniNumberOfTitlebars = 14;
    gNumberOfTitlebarsMainmenu = 7;
    gIniChangeCoverImage = gIniShowMP3TagInsteadOfFilename = false;
    gIniSortTitlesByMP3InfoTrackNo = false;
    gIniShowCover2D_or_3D = 3;
    gIniEnableZUVENScreensaver = -1;
    gIniNewIconNMonth = 6;
    gIniSkinName = gIniAvailableSkinsStr = "Dark Blue";
    gIniDelimiterBetweenInterpretAndTitle = " | ";
    gAvailableSkins = {"Dark Blue"};
}

TEST_F(ConfigTest, OnlyMusicPathGivesItsFinalSlashAndEveryOtherDefault) {
    writeConfig({"[Paths]", "MP3Path=/media/E/Music"});
    gIniRootDirectoryMusic = "/media/E/Music/";
    const auto expected = writtenSettings();
    setNonDefaults();
    ReadConfig();
    EXPECT_EQ(writtenSettings(), expected);
    EXPECT_EQ(gIniRootDirectoryPhoto, m_program.dir() + "/Bilder/");
    EXPECT_EQ(gIniRootDirectoryProgramLinks, m_program.dir() + "/Desktop/");
    EXPECT_EQ(gIniRootDirectoryVideo, m_program.dir() + "/Videos/");
    EXPECT_EQ(gIniDelimiterBetweenInterpretAndTitle, " - ");
    EXPECT_EQ(gIniAvailableSkinsStr, "Default");
    EXPECT_EQ(gAvailableSkins, std::vector<std::string>{"Default"});
}

TEST_F(ConfigTest, EmptyMusicPathStaysEmpty) {
    writeConfig({"[Paths]", "MP3Path=", "FotosPath=/fotos"});
    ReadConfig();
    EXPECT_EQ(gIniRootDirectoryMusic, "");
    EXPECT_EQ(gIniRootDirectoryPhoto, "/fotos/");
}

// A line of Config.ini and the log line it gives when read or written ("" for none).
using FileAndLogLines = std::vector<std::pair<std::string, std::string>>;

std::vector<std::string> firsts(const FileAndLogLines& rows) {
    std::vector<std::string> lines;
    for (const auto& row : rows)
        lines.push_back(row.first);
    return lines;
}

std::vector<std::string> loggedLines(const FileAndLogLines& rows) {
    std::vector<std::string> lines;
    for (const auto& row : rows) {
        if (!row.second.empty())
            lines.push_back(row.second);
    }
    return lines;
}

TEST_F(ConfigTest, ReadsEveryValueAndLogsEachLineInOrder) {
    const FileAndLogLines rows{
        {"[options]", "[OPTIONS]"},
        {"Language=1", "gIniCurrentLanguage=1"},
        {"ShowDebugWindow=1", "gIniShowDebugWindow=true"},
        {"DiashowWaitInMS=3500", "gIniDiashowWaitInMS=3500"},
        {"FadeOutVolumeTime=15", "gIniFadeOutVolumeTime=15"},
        {"SecondsUntilNextInfoScroller=30", "gIniSecondsUntilNextInfoScroller=30"},
        {"MouseButtonClicksToStart=2", "gIniMouseButtonClicksToStart=2"},
        {"[PATHS]", "[PATHS]"},
        {"mp3path=/srv/Musik", "gIniRootDirectoryMusic=/srv/Musik/"},
        {"FotosPath=/srv/Fotos/", "gIniRootDirectoryPhoto=/srv/Fotos/"},
        {"ProgramLinksPath=/srv/Links", "gIniRootDirectoryProgramLinks=/srv/Links/"},
        {"VideoPath=/srv/Video Filme", "gIniRootDirectoryVideo=/srv/Video Filme/"},
        {"[Display]", "[DISPLAY]"},
        {"ScreenWidth=1024", ""},
        {"ScreenHeight=768", "Resolution=1024*768"},
        {"NumberOfMenubars=9", "gIniNumberOfMenubars=9"},
        {"NumberOfTitlebars=12", "gIniNumberOfTitlebars=12"},
        {"NumberOfTitlebarsMainmenu=6", "gIniNumberOfTitlebarsMainmenu=6"},
        {"ChangeCoverImage=0", ""},
        {"ShowMP3TagInsteadOfFilename=0", ""},
        {"SortTitlesByMP3InfoTrackNo=0", ""},
        {"ShowCover2D_or_3D=3", "gIniShowCover2D_or_3D=3D"},
        {"DelimiterBetweenInterpretAndTitle=\" / \"", "gIniDelimiterBetweenInterpretAndTitle= / "},
        {"EnableZUVENScreensaver=300", "gIniEnableZUVENScreensaver=300"},
        {"NewIconNMonth=3", "gIniNewIconNMonth=3"},
        {"[Skin]", "[SKIN]"},
        {"SkinName=Night", "gIniSkinName=Night"},
        {"AvailableSkins=Default, Night", "gIniAvailableSkinsStr=Default, Night"}};
    writeConfig(firsts(rows));
    ReadConfig();

    auto expectedLog = loggedLines(rows);
    expectedLog.insert(expectedLog.begin(), {"Reading Config.ini...", kSeparator});
    expectedLog.push_back(kSeparator);
    EXPECT_EQ(m_program.logLines(), expectedLog);
    // The values that are not logged.
    EXPECT_FALSE(gIniChangeCoverImage || gIniShowMP3TagInsteadOfFilename ||
                 gIniSortTitlesByMP3InfoTrackNo);
    EXPECT_EQ(gAvailableSkins, (std::vector<std::string>{"Default", "Night"}));
}

TEST_F(ConfigTest, NumbersAcceptHexadecimalAndIgnoreText) {
    struct Row {
        const char* text;
        int expectedWidth;
    };
    const Row rows[] = {{"0x400", 1024}, {"0X400", 1024}, {"$400", 1024},  {"1280", 1280},
                        {"0xff", 255},   {"$abc", 0xABC}, {"0x4aB", 1195}, {"wide", 800},
                        {"", 800},       {"12px", 800}};
    for (const auto& row : rows) {
        writeConfig({"[Display]", std::string("ScreenWidth=") + row.text});
        ReadConfig();
        EXPECT_EQ(gIniScreenWidth, row.expectedWidth) << row.text;
    }
}

TEST_F(ConfigTest, LanguageIsKeptInOneSignedByte) {
    const std::pair<const char*, int> rows[] = {{"1", 1}, {"127", 127}, {"255", -1}, {"-2", -2}};
    for (const auto& [text, expected] : rows) {
        writeConfig({"[Options]", std::string("Language=") + text});
        ReadConfig();
        EXPECT_EQ(gIniCurrentLanguage, expected) << text;
    }
}

TEST_F(ConfigTest, DebugWindowValueTwoReadsTrueAndIsWrittenAsOne) {
    writeConfig({"[Options]", "ShowDebugWindow=2"});
    ReadConfig();
    EXPECT_TRUE(gIniShowDebugWindow);
    EXPECT_TRUE(LoggingEnabled());
    WriteConfig();
    EXPECT_TRUE(
        containsSequence(m_program.readLines("Config.ini"), {"[Options]", "ShowDebugWindow=1"}));
}

TEST_F(ConfigTest, DebugWindowOffSwitchesLoggingOffRightAfterItsValue) {
    writeConfig({"[Options]", "ShowDebugWindow=0"});
    ReadConfig();
    EXPECT_FALSE(LoggingEnabled());
    EXPECT_EQ(m_program.logLines(),
              (std::vector<std::string>{"Reading Config.ini...", kSeparator, "[OPTIONS]",
                                        "gIniCurrentLanguage=0"}));
}

TEST_F(ConfigTest, CountsBelowOneAreClampedAndLogged) {
    writeConfig({"[Options]", "ShowDebugWindow=1", "[Display]", "NumberOfMenubars=-3",
                 "NumberOfTitlebars=0", "NumberOfTitlebarsMainmenu=0"});
    ReadConfig();
    EXPECT_EQ(gNumberOfMenubars, 1);
    EXPECT_EQ(gIniNumberOfTitlebars, 1);
    EXPECT_EQ(gNumberOfTitlebarsMainmenu, 1);
    EXPECT_TRUE(
        containsSequence(m_program.logLines(),
                         {"gIniNumberOfMenubars=-3 is below 1, using 1", "gIniNumberOfMenubars=1",
                          "gIniNumberOfTitlebars=0 is below 1, using 1", "gIniNumberOfTitlebars=1",
                          "gIniNumberOfTitlebarsMainmenu=0 is below 1, using 1",
                          "gIniNumberOfTitlebarsMainmenu=1"}));
}

TEST_F(ConfigTest, ClampAtLeastOneLogsOnlyWhenItReplaces) {
    EXPECT_EQ(ClampAtLeastOne("gSkinValue", 7), 7);
    EXPECT_EQ(ClampAtLeastOne("gSkinValue", 1), 1);
    EXPECT_EQ(ClampAtLeastOne("gSkinValue", -20), 1);
    EXPECT_EQ(m_program.logLines(), std::vector<std::string>{"gSkinValue=-20 is below 1, using 1"});
}

TEST(ConfigSkinList, SplitsAtCommasAndTrimsEveryEntry) {
    struct Row {
        std::string text;
        std::vector<std::string> expected;
    };
    const std::vector<Row> rows{{"Default", {"Default"}},
                                {" Default , Night", {"Default", "Night"}},
                                {"Default,", {"Default", ""}},
                                {"Default , ", {"Default", ""}},
                                {"", {""}},
                                {",", {"", ""}},
                                {"A,,B", {"A", "", "B"}},
                                {"A , B ,C", {"A", "B", "C"}},
                                {"Dark Blue,Light Grey", {"Dark Blue", "Light Grey"}}};
    for (const auto& row : rows)
        EXPECT_EQ(SplitAvailableSkins(row.text), row.expected) << '"' << row.text << '"';
}

TEST_F(ConfigTest, MissingFileIsReportedAndDefaultsHold) {
    ReadConfig();
    EXPECT_EQ(gIniRootDirectoryMusic, "");
    EXPECT_EQ(gIniScreenWidth, 800);
    EXPECT_EQ(gIniSkinName, "Default");
    EXPECT_FALSE(std::filesystem::exists(m_program.dir() + "/Config.ini"));
    // The message box adds its own line; reading goes on after it.
    const auto log = m_program.logLines();
    EXPECT_TRUE(containsSequence(
        log, {"Reading Config.ini...", kSeparator, "", "-------------BEGIN ERROR----------------",
              "ERROR: Config.ini not found!", "--------------END ERROR-----------------", ""}));
    EXPECT_TRUE(containsSequence(log, {"[OPTIONS]", "gIniCurrentLanguage=0"}));
}

TEST_F(ConfigTest, WritingWithoutFileCreatesKeysInWriteOrder) {
    gIniRootDirectoryMusic = "/srv/Musik/";
    gIniRootDirectoryPhoto = "/srv/Fotos/";
    gIniRootDirectoryProgramLinks = "/srv/Links/";
    gIniRootDirectoryVideo = "/srv/Videos/";
    gIniShowDebugWindow = true;
    gIniChangeCoverImage = false;
    gIniCurrentLanguage = 1;
    WriteConfig();

    const FileAndLogLines rows{
        {"[Paths]", "[PATHS]"},
        {"MP3Path=/srv/Musik/", "gIniRootDirectoryMusic=/srv/Musik/"},
        {"FotosPath=/srv/Fotos/", "gIniRootDirectoryPhoto=/srv/Fotos/"},
        {"ProgramLinksPath=/srv/Links/", "gIniRootDirectoryProgramLinks=/srv/Links/"},
        {"VideoPath=/srv/Videos/", "gIniRootDirectoryVideo=/srv/Videos/"},
        {"[Display]", "[DISPLAY]"},
        {"ScreenWidth=800", ""},
        {"ScreenHeight=600", "Resolution=800*600"},
        {"NumberOfTitlebars=10", "gIniNumberOfTitlebars=10"},
        {"NumberOfTitlebarsMainmenu=8", "gIniNumberOfTitlebarsMainmenu=8"},
        {"NumberOfMenubars=10", "gIniNumberOfMenubars=10"},
        {"ChangeCoverImage=0", ""},
        {"ShowMP3TagInsteadOfFilename=1", ""},
        {"SortTitlesByMP3InfoTrackNo=1", ""},
        {"ShowCover2D_or_3D=2", "gIniShowCover2D_or_3D=2D"},
        {"EnableZUVENScreensaver=6000", "gIniEnableZUVENScreensaver=6000"},
        {"NewIconNMonth=1", "gIniNewIconNMonth=1"},
        {"[Skin]", "[SKIN]"},
        {"SkinName=Default", "gIniSkinName=Default"},
        {"[Options]", "[OPTIONS]"},
        {"Language=1", "gIniCurrentLanguage=1"},
        {"ShowDebugWindow=1", "gIniShowDebugWindow=true"},
        {"DiashowWaitInMS=2000", "gIniDiashowWaitInMS=2000"},
        {"FadeOutVolumeTime=20", "gIniFadeOutVolumeTime=20"},
        {"SecondsUntilNextInfoScroller=40", "gIniSecondsUntilNextInfoScroller=40"},
        {"MouseButtonClicksToStart=1", "gIniMouseButtonClicksToStart=1"}};
    EXPECT_EQ(m_program.readLines("Config.ini"), firsts(rows));

    auto expectedLog = loggedLines(rows);
    expectedLog.insert(expectedLog.begin(),
                       {"Writing Config.ini...", kSeparator, "",
                        "-------------BEGIN ERROR----------------", "ERROR: Config.ini not found!",
                        "--------------END ERROR-----------------", ""});
    expectedLog.push_back(kSeparator);
    EXPECT_EQ(m_program.logLines(), expectedLog);
}

TEST_F(ConfigTest, WritingKeepsUnknownKeysDelimiterAndSkinListInPlace) {
    const std::vector<std::string> before{"; written by hand",
                                          "[Display]",
                                          "ScreenWidth=1024",
                                          "DelimiterBetweenInterpretAndTitle=\" ~ \"",
                                          "Remote=Harmony",
                                          "",
                                          "[Skin]",
                                          "SkinName=Default",
                                          "AvailableSkins=Default, Night",
                                          "[Extra]",
                                          "Foo=bar"};
    writeConfig(before);
    ReadConfig();
    gIniScreenWidth = 1280;
    gIniDelimiterBetweenInterpretAndTitle = " | "; // never written back
    gIniAvailableSkinsStr = "Other";
    gIniSkinName = "Night";
    WriteConfig();

    const auto after = m_program.readLines("Config.ini");
    EXPECT_EQ(after.front(), "; written by hand");
    EXPECT_TRUE(
        containsSequence(after, {"[Display]", "ScreenWidth=1280",
                                 "DelimiterBetweenInterpretAndTitle=\" ~ \"", "Remote=Harmony"}));
    EXPECT_TRUE(containsSequence(after, {"[Skin]", "SkinName=Night",
                                         "AvailableSkins=Default, Night", "[Extra]", "Foo=bar"}));

    ReadConfig();
    EXPECT_EQ(gIniDelimiterBetweenInterpretAndTitle, " ~ ");
    EXPECT_EQ(gAvailableSkins, (std::vector<std::string>{"Default", "Night"}));
}

TEST_F(ConfigTest, WrittenValuesReadBackTheSame) {
    setNonDefaults();
    WriteConfig();
    const auto expected = writtenSettings();
    ResetConfigDefaults();
    ReadConfig();
    EXPECT_EQ(writtenSettings(), expected);
}

TEST_F(ConfigTest, FolderValueIsTriedAsItsBytesThenAsItsText) {
    // A Windows-1252 file of the old program names folders whose names are UTF-8 on disk;
    // a folder whose name really is those bytes is taken as it is.
    std::filesystem::create_directories(m_program.dir() + "/B\u00E4nde");
    std::filesystem::create_directories(m_program.dir() + "/Fotos \xE4");
    const std::string music = "MP3Path=" + m_program.dir() + "/B\xE4nde/";
    const std::string photos = "FotosPath=" + m_program.dir() + "/Fotos \xE4/";
    const std::string videos = "VideoPath=" + m_program.dir() + "/Fehlt \xE4/";
    writeConfig({"[Paths]", music, photos, videos});
    ReadConfig();
    EXPECT_EQ(gIniRootDirectoryMusic, m_program.dir() + "/B\u00E4nde/");
    EXPECT_EQ(gIniRootDirectoryPhoto, m_program.dir() + "/Fotos \xE4/");
    EXPECT_EQ(gIniRootDirectoryVideo, m_program.dir() + "/Fehlt \xE4/");

    // Saving keeps the file's spelling of a folder that has not changed.
    WriteConfig();
    const auto lines = m_program.readLines("Config.ini");
    EXPECT_TRUE(containsSequence(lines, {"[Paths]", music, photos, videos}));
}

TEST_F(ConfigTest, UnreadableFileIsReportedAndNeverWritten) {
    // As root every file can be read; a link pointing at itself cannot.
    const std::string path = m_program.dir() + "/Config.ini";
    std::filesystem::create_symlink(path, path);
    m_program.writeFile(".Config.ini.tmp-7-0", "half written");
    ReadConfig();
    EXPECT_FALSE(std::filesystem::exists(m_program.dir() + "/.Config.ini.tmp-7-0"));
    EXPECT_EQ(gIniRootDirectoryMusic, "");
    gIniRootDirectoryMusic = "/srv/Musik/";
    gIniShowDebugWindow = true;
    WriteConfig();
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    const std::string reason = std::generic_category().message(ELOOP);
    const auto log = m_program.logLines();
    EXPECT_TRUE(containsSequence(log, {"ERROR: Config.ini could not be read (" + reason + ")!"}));
    EXPECT_TRUE(containsSequence(
        log, {"ERROR: " + path + " was not written: it could not be read (" + reason + ")"}));

    // The configuration program leaves it alone as well.
    const std::string command =
        "cd '" + m_program.dir() + "' && " + ZVN_CONFIG_PROGRAM_PATH + " 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
}

// The main window's timers follow the settings once they are saved.
class ConfigWithMainformTest : public ConfigTest {
protected:
    ConfigWithMainformTest()
        : m_form(TMainform::Options{m_program.dir(), &m_clock, testsupport::fakePlayers(m_clock)}) {
    }

    // The window's SDL session ends with the fixture, so no later test finds video running.
    platform::SdlSession m_sdl;
    platform::ManualClock m_clock;
    TMainform m_form;
};

TEST_F(ConfigWithMainformTest, ScreensaverZeroDisablesItsTimerWhenSaved) {
    ASSERT_TRUE(m_form.Timer_Screensaver.enabled());
    writeConfig({"[Display]", "EnableZUVENScreensaver=0", "[Options]", "DiashowWaitInMS=4500"});
    ReadConfig();
    WriteConfig();
    EXPECT_FALSE(m_form.Timer_Screensaver.enabled());
    EXPECT_EQ(m_form.Timer_Diashow.interval(), 4500);
    EXPECT_FALSE(m_form.Timer_Diashow.enabled());
}

TEST_F(ConfigWithMainformTest, PositiveScreensaverDelayArmsItsTimerInSeconds) {
    m_form.Timer_Screensaver.setEnabled(false);
    gIniEnableZUVENScreensaver = 90;
    WriteConfig();
    EXPECT_TRUE(m_form.Timer_Screensaver.enabled());
    EXPECT_EQ(m_form.Timer_Screensaver.interval(), 90000);
}

TEST_F(ConfigWithMainformTest, OutlandishNumbersAreClampedAndTheScreensaverDelayFitsItsTimer) {
    struct Row {
        const char* line;
        const int* variable;
        int expected;
        const char* logged; // null: the value is kept and nothing is said
    };
    const Row rows[] = {
        {"EnableZUVENScreensaver=2147483", &gIniEnableZUVENScreensaver, 2147483, nullptr},
        {"EnableZUVENScreensaver=2147484", &gIniEnableZUVENScreensaver, 2147483,
         "gIniEnableZUVENScreensaver=2147484 is above 2147483, using 2147483"},
        {"EnableZUVENScreensaver=2147483647", &gIniEnableZUVENScreensaver, 2147483,
         "gIniEnableZUVENScreensaver=2147483647 is above 2147483, using 2147483"},
        {"EnableZUVENScreensaver=-2147483648", &gIniEnableZUVENScreensaver,
         std::numeric_limits<int>::min(), nullptr},
        {"NumberOfTitlebars=1000000", &gIniNumberOfTitlebars, 100,
         "gIniNumberOfTitlebars=1000000 is above 100, using 100"},
        {"ScreenWidth=2147483647", &gIniScreenWidth, 7680,
         "ScreenWidth=2147483647 is above 7680, using 7680"},
        {"ScreenHeight=-5", &gIniScreenHeight, 1, "ScreenHeight=-5 is below 1, using 1"},
    };
    const auto linesContaining = [](const std::vector<std::string>& lines, const char* part) {
        return std::count_if(lines.begin(), lines.end(), [part](const std::string& line) {
            return line.find(part) != std::string::npos;
        });
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        writeConfig({"[Options]", "ShowDebugWindow=1", "[Display]", row.line});
        const std::size_t linesBefore = m_program.logLines().size();
        ReadConfig();
        EXPECT_EQ(*row.variable, row.expected);
        const auto log = m_program.logLines();
        const std::vector<std::string> added(log.begin() + static_cast<long>(linesBefore),
                                             log.end());
        EXPECT_EQ(linesContaining(added, " is "), row.logged ? 1 : 0);
        if (row.logged) {
            EXPECT_EQ(linesContaining(added, row.logged), 1);
        }
    }
    // The timer takes the delay in milliseconds, also for a value set after reading.
    const struct {
        int seconds;
        int interval;
    } delays[] = {{2147483, 2147483000}, {2147484, 2147483647}, {2147483647, 2147483647}};
    for (const auto& delay : delays) {
        gIniEnableZUVENScreensaver = delay.seconds;
        WriteConfig();
        EXPECT_TRUE(m_form.Timer_Screensaver.enabled());
        EXPECT_EQ(m_form.Timer_Screensaver.interval(), delay.interval) << delay.seconds;
    }
}

TEST_F(ConfigWithMainformTest, OnlyAMissingFileRequestsTheEnd) {
    writeConfig({"[Paths]", "MP3Path=/srv/Musik"});
    EXPECT_TRUE(ReadConfig());
    std::filesystem::remove(m_program.dir() + "/Config.ini");
    EXPECT_FALSE(ReadConfig());
    // Ending the program is the start-up's decision, not the reader's.
    EXPECT_FALSE(m_form.terminated());
}

} // namespace
