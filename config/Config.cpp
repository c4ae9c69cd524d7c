#include "config/Config.h"

#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/Program.h"
#include "pictures/CoverView.h"
#include "platform/Encoding.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "platform/TextFile.h"
#include "platform/UserDirs.h"

#include <array>
#include <limits>
#include <string_view>
#include <type_traits>
#include <variant>

namespace {

const std::string kSeparator(41, '-');

// Where a setting's value lives and how it is stored in the file.
using SettingTarget = std::variant<int*, std::int8_t*, bool*, std::string*>;

struct Setting {
    const char* section = ""; // as spelled when reading and writing
    const char* key = "";
    SettingTarget target;
    const char* logName = nullptr; // null: the value is not logged
    const char* logSuffix = "";    // appended to the logged value
    bool isFolder = false;         // a non-empty value gets a final "/"
    bool atLeastOne = false;       // the layout divides by it
    int highest = std::numeric_limits<int>::max();
    bool logsResolution = false;  // "Resolution=" follows once the height is known
    bool controlsLogging = false; // the value switches logging on or off at once
};

// Every setting, in the order in which it is read.
const auto kSettings = std::to_array<Setting>({
    {.section = "Options",
     .key = "Language",
     .target = &gIniCurrentLanguage,
     .logName = "gIniCurrentLanguage"},
    {.section = "Options",
     .key = "ShowDebugWindow",
     .target = &gIniShowDebugWindow,
     .logName = "gIniShowDebugWindow",
     .controlsLogging = true},
    {.section = "Options",
     .key = "DiashowWaitInMS",
     .target = &gIniDiashowWaitInMS,
     .logName = "gIniDiashowWaitInMS"},
    {.section = "Options",
     .key = "FadeOutVolumeTime",
     .target = &gIniFadeOutVolumeTime,
     .logName = "gIniFadeOutVolumeTime"},
    {.section = "Options",
     .key = "SecondsUntilNextInfoScroller",
     .target = &gIniSecondsUntilNextInfoScroller,
     .logName = "gIniSecondsUntilNextInfoScroller"},
    {.section = "Options",
     .key = "MouseButtonClicksToStart",
     .target = &gIniMouseButtonClicksToStart,
     .logName = "gIniMouseButtonClicksToStart"},
    {.section = "Paths",
     .key = "MP3Path",
     .target = &gIniRootDirectoryMusic,
     .logName = "gIniRootDirectoryMusic",
     .isFolder = true},
    {.section = "Paths",
     .key = "FotosPath",
     .target = &gIniRootDirectoryPhoto,
     .logName = "gIniRootDirectoryPhoto",
     .isFolder = true},
    {.section = "Paths",
     .key = "ProgramLinksPath",
     .target = &gIniRootDirectoryProgramLinks,
     .logName = "gIniRootDirectoryProgramLinks",
     .isFolder = true},
    {.section = "Paths",
     .key = "VideoPath",
     .target = &gIniRootDirectoryVideo,
     .logName = "gIniRootDirectoryVideo",
     .isFolder = true},
    {.section = "Display",
     .key = "ScreenWidth",
     .target = &gIniScreenWidth,
     .atLeastOne = true,
     .highest = kMaxScreenWidth},
    {.section = "Display",
     .key = "ScreenHeight",
     .target = &gIniScreenHeight,
     .atLeastOne = true,
     .highest = kMaxScreenHeight,
     .logsResolution = true},
    {.section = "Display",
     .key = "NumberOfMenubars",
     .target = &gNumberOfMenubars,
     .logName = "gIniNumberOfMenubars",
     .atLeastOne = true,
     .highest = kMaxRowsOrSlots},
    {.section = "Display",
     .key = "NumberOfTitlebars",
     .target = &gIniNumberOfTitlebars,
     .logName = "gIniNumberOfTitlebars",
     .atLeastOne = true,
     .highest = kMaxRowsOrSlots},
    {.section = "Display",
     .key = "NumberOfTitlebarsMainmenu",
     .target = &gNumberOfTitlebarsMainmenu,
     .logName = "gIniNumberOfTitlebarsMainmenu",
     .atLeastOne = true,
     .highest = kMaxRowsOrSlots},
    {.section = "Display", .key = "ChangeCoverImage", .target = &gIniChangeCoverImage},
    {.section = "Display",
     .key = "ShowMP3TagInsteadOfFilename",
     .target = &gIniShowMP3TagInsteadOfFilename},
    {.section = "Display",
     .key = "SortTitlesByMP3InfoTrackNo",
     .target = &gIniSortTitlesByMP3InfoTrackNo},
    {.section = "Display",
     .key = "ShowCover2D_or_3D",
     .target = &gIniShowCover2D_or_3D,
     .logName = "gIniShowCover2D_or_3D",
     .logSuffix = "D"},
    {.section = "Display",
     .key = "DelimiterBetweenInterpretAndTitle",
     .target = &gIniDelimiterBetweenInterpretAndTitle,
     .logName = "gIniDelimiterBetweenInterpretAndTitle"},
    {.section = "Display",
     .key = "EnableZUVENScreensaver",
     .target = &gIniEnableZUVENScreensaver,
     .logName = "gIniEnableZUVENScreensaver",
     .highest = kMaxScreensaverSeconds},
    {.section = "Display",
     .key = "NewIconNMonth",
     .target = &gIniNewIconNMonth,
     .logName = "gIniNewIconNMonth"},
    {.section = "Skin", .key = "SkinName", .target = &gIniSkinName, .logName = "gIniSkinName"},
    {.section = "Skin",
     .key = "AvailableSkins",
     .target = &gIniAvailableSkinsStr,
     .logName = "gIniAvailableSkinsStr"},
});

// The keys written back, in this order. The delimiter and the skin list are left to the file:
// a hand-edited value (with its quotes) survives the options screen.
constexpr auto kWriteOrder = std::to_array<std::string_view>({
    "MP3Path",
    "FotosPath",
    "ProgramLinksPath",
    "VideoPath",
    "ScreenWidth",
    "ScreenHeight",
    "NumberOfTitlebars",
    "NumberOfTitlebarsMainmenu",
    "NumberOfMenubars",
    "ChangeCoverImage",
    "ShowMP3TagInsteadOfFilename",
    "SortTitlesByMP3InfoTrackNo",
    "ShowCover2D_or_3D",
    "EnableZUVENScreensaver",
    "NewIconNMonth",
    "SkinName",
    "Language",
    "ShowDebugWindow",
    "DiashowWaitInMS",
    "FadeOutVolumeTime",
    "SecondsUntilNextInfoScroller",
    "MouseButtonClicksToStart",
});

std::string configPath() {
    return gProgramDirectory + "/Config.ini";
}

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string withFinalSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

std::string valueText(const SettingTarget& target) {
    struct {
        std::string operator()(const int* v) const { return std::to_string(*v); }
        std::string operator()(const std::int8_t* v) const {
            return std::to_string(static_cast<int>(*v));
        }
        std::string operator()(const bool* v) const { return *v ? "true" : "false"; }
        std::string operator()(const std::string* v) const { return *v; }
    } visitor;
    return std::visit(visitor, target);
}

void logSection(const char* section, const char*& currentSection) {
    if (currentSection != nullptr && std::string_view(currentSection) == section)
        return;
    currentSection = section;
    LogLine("[" + platform::asciiUpper(section) + "]");
}

void logSetting(const Setting& setting) {
    if (setting.logName != nullptr)
        LogLine(std::string(setting.logName) + "=" + valueText(setting.target) + setting.logSuffix);
    if (setting.logsResolution)
        LogLine("Resolution=" + std::to_string(gIniScreenWidth) + "*" +
                std::to_string(gIniScreenHeight));
}

// Reads one setting; an absent key or a text that is no number keeps the current value, which
// ResetConfigDefaults has set to the default.
void readSetting(const platform::Profile& profile, const Setting& setting) {
    struct {
        const platform::Profile& profile;
        const Setting& setting;
        void operator()(int* v) const {
            *v = profile.readInteger(setting.section, setting.key, *v);
            *v = ClampToRange(setting.logName ? setting.logName : setting.key, *v,
                              setting.atLeastOne ? 1 : std::numeric_limits<int>::min(),
                              setting.highest);
        }
        void operator()(std::int8_t* v) const {
            // Kept in one signed byte: larger numbers wrap as they would in the byte.
            *v = static_cast<std::int8_t>(profile.readInteger(setting.section, setting.key, *v));
        }
        void operator()(bool* v) const { *v = profile.readBool(setting.section, setting.key, *v); }
        void operator()(std::string* v) const {
            *v = profile.readString(setting.section, setting.key, *v);
            if (setting.isFolder)
                *v = withFinalSlash(platform::existingPathSpelling(*v));
        }
    } reader{profile, setting};
    std::visit(reader, setting.target);
    if (setting.controlsLogging)
        SetLoggingEnabled(gIniShowDebugWindow);
}

void writeSetting(platform::Profile& profile, const Setting& setting) {
    struct {
        platform::Profile& profile;
        const Setting& setting;
        void operator()(const int* v) const {
            profile.writeInteger(setting.section, setting.key, *v);
        }
        void operator()(const std::int8_t* v) const {
            profile.writeInteger(setting.section, setting.key, *v);
        }
        void operator()(const bool* v) const {
            profile.writeBool(setting.section, setting.key, *v);
        }
        void operator()(const std::string* v) const {
            // The profile quotes a value that would otherwise lose blanks or quotes on reading.
            profile.writeString(setting.section, setting.key, *v);
        }
    } writer{profile, setting};
    std::visit(writer, setting.target);
}

const Setting& settingByKey(std::string_view key) {
    for (const auto& setting : kSettings) {
        if (setting.key == key)
            return setting;
    }
    // Both tables are fixed; a write key always names a row.
    return kSettings.front();
}

} // namespace

namespace {

// A setting's value, of the type of its target.
using SettingValue = std::variant<int, std::int8_t, bool, std::string>;

// The default column of kSettings: the initialisers of the settings, taken during static
// initialisation before anything has changed them, so no default is written down twice.
const std::vector<SettingValue> kDefaultColumn = [] {
    std::vector<SettingValue> column;
    for (const auto& setting : kSettings)
        column.push_back(
            std::visit([](const auto* v) { return SettingValue(*v); }, setting.target));
    return column;
}();

} // namespace

void ResetConfigDefaults() {
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
        std::visit([&value = kDefaultColumn[i]](
                       auto* v) { *v = std::get<std::remove_pointer_t<decltype(v)>>(value); },
                   kSettings[i].target);
    }
    gAvailableSkins = SplitAvailableSkins(gIniAvailableSkinsStr);
    gIniRootDirectoryPhoto = platform::userPicturesDirectory();
    gIniRootDirectoryProgramLinks = platform::userDesktopDirectory();
    gIniRootDirectoryVideo = platform::userVideosDirectory();
}

std::vector<std::string> SplitAvailableSkins(const std::string& text) {
    std::vector<std::string> skins;
    std::string rest = text;
    for (auto comma = rest.find(','); comma != std::string::npos; comma = rest.find(',')) {
        skins.push_back(trimBlanks(std::string_view(rest).substr(0, comma)));
        rest = trimBlanks(trimBlanks(std::string_view(rest).substr(comma)).substr(1));
    }
    skins.push_back(trimBlanks(rest));
    return skins;
}

int ClampAtLeastOne(const char* name, int value) {
    return ClampToRange(name, value, 1, std::numeric_limits<int>::max());
}

int ClampToRange(const char* name, int value, int lowest, int highest) {
    const auto replaced = [&](const char* relation, int limit) {
        LogLine(std::string(name) + "=" + std::to_string(value) + " is " + relation + " " +
                std::to_string(limit) + ", using " + std::to_string(limit));
        return limit;
    };
    if (value < lowest)
        return replaced("below", lowest);
    if (value > highest)
        return replaced("above", highest);
    return value;
}

bool ReadConfig() {
    LogLine("Reading Config.ini...");
    LogLine(kSeparator);
    ResetConfigDefaults();
    const std::string path = configPath();
    for (const auto& leftover : platform::removeLeftoverTemporaries(path))
        LogLine("Removed the leftover of an interrupted rewrite: " + leftover);
    const auto profile = platform::Profile::load(path);
    if (profile.unreadable()) {
        // Running on defaults would mean an unconfigured program; the user's file stays as it is.
        LogError("Config.ini could not be read (" + profile.readError() + ")!");
        platform::showMessageBox("Zuvenmedia",
                                 "Fehler beim Skin-Laden:  Config.ini kann nicht gelesen werden!");
    } else if (!profile.exists()) {
        LogError("Config.ini not found!");
        platform::showMessageBox("Zuvenmedia",
                                 "Fehler beim Skin-Laden:  Config.ini nicht gefunden!");
    }
    const char* currentSection = nullptr;
    for (const auto& setting : kSettings) {
        logSection(setting.section, currentSection);
        readSetting(profile, setting);
        logSetting(setting);
    }
    gAvailableSkins = SplitAvailableSkins(gIniAvailableSkinsStr);
    LogLine(kSeparator);
    // The caller ends the program; until then the defaults hold.
    return !profile.unreadable() && profile.exists();
}

void WriteConfig() {
    // The options screen may just have switched logging.
    SetLoggingEnabled(gIniShowDebugWindow);
    LogLine("Writing Config.ini...");
    LogLine(kSeparator);
    const std::string path = configPath();
    // Loading the existing file keeps its unknown keys, comments and the two unwritten keys.
    auto profile = platform::Profile::load(path);
    if (profile.unreadable()) {
        // Its content is unknown: writing would drop every key the program does not know.
        LogError(path + " was not written: it could not be read (" + profile.readError() + ")");
    } else {
        if (!profile.exists())
            LogError("Config.ini not found!");
        const char* currentSection = nullptr;
        for (const auto key : kWriteOrder) {
            const Setting& setting = settingByKey(key);
            logSection(setting.section, currentSection);
            writeSetting(profile, setting);
            logSetting(setting);
        }
        if (!profile.save(path))
            LogError(path + " could not be written!");
    }
    LogLine(kSeparator);

    TMainformParts& form = Mainform();
    form.Timer_Diashow.setInterval(gIniDiashowWaitInMS);
    ApplyScreensaverTimer(form, gIniEnableZUVENScreensaver);
}
