#include "config/Skin.h"

#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/Program.h"
#include "config/Config.h"
#include "platform/FileSystem.h"
#include "platform/JpegDecoder.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "ui/Layout.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

namespace {

const std::string kSeparator(41, '-');

// Where a definition value lives. Colours are kept apart from plain integers because only
// their low 24 bits mean anything.
using SkinTarget = std::variant<int*, bool*, platform::Color*, std::string*>;

struct SkinKey {
    const char* section = "";
    const char* key = "";
    SkinTarget target;
    std::int64_t defaultNumber = 0; // integers, booleans and colours
    const char* defaultText = "";   // texts
    bool atLeastOne = false;        // a row or slot count the layout divides by
    bool fontSize = false;          // scaled by gFontScale after reading
};

constexpr platform::Color kYellow = 2678000;
// Font sizes are points for a full-width window; a size of 0 (or below) selects the default
// height. Anything beyond this is a typing error that would overflow the pixel arithmetic.
constexpr int kMaxFontSize = 200;

// Every key of the skin definition, in reading order, with its default.
const auto kSkinKeys = std::to_array<SkinKey>({
    {.section = "General",
     .key = "gNumberOfTitlebarsMainmenu",
     .target = &gNumberOfTitlebarsMainmenu,
     .defaultNumber = 8,
     .atLeastOne = true},
    {.section = "General",
     .key = "gNumberOfMenubars",
     .target = &gNumberOfMenubars,
     .defaultNumber = 10,
     .atLeastOne = true},
    {.section = "General", .key = "gShowMenuIcons", .target = &gShowMenuIcons, .defaultNumber = 1},
    {"Colors", "gColorTitlebarHighlight", &gColorTitlebarHighlight, kYellow},
    {"Colors", "gColorTitlebar", &gColorTitlebar, 0},
    {"Colors", "gColorTitlebarFrame", &gColorTitlebarFrame, kYellow},
    {"Colors", "gColorLines", &gColorLines, kYellow},
    {"Colors", "gColorMenubar", &gColorMenubar, kYellow},
    {"Colors", "gColorMenubarHighlight", &gColorMenubarHighlight, kYellow},
    {"Colors", "gColorHeaderBar", &gColorHeaderBar, kYellow},
    {"Colors", "gColorStatusBar", &gColorStatusBar, kYellow},
    {"Colors", "gColorScrollbarBack", &gColorScrollbarBack, kYellow},
    {"Colors", "gColorScrollbar", &gColorScrollbar, kYellow},
    {.section = "Fonts", .key = "gFontName", .target = &gFontName, .defaultText = "Arial"},
    {.section = "Fonts",
     .key = "gFontSizeHeaderBar",
     .target = &gFontSizeHeaderBar,
     .fontSize = true},
    {"Fonts", "gFontColorHeaderBar", &gFontColorHeaderBar},
    {.section = "Fonts",
     .key = "gFontSizeTitlebarBig",
     .target = &gFontSizeTitlebarBig,
     .fontSize = true},
    {"Fonts", "gFontColorTitlebarBig", &gFontColorTitlebarBig},
    {.section = "Fonts",
     .key = "gFontSizeTitlebarSmall",
     .target = &gFontSizeTitlebarSmall,
     .fontSize = true},
    {"Fonts", "gFontColorTitlebarSmall", &gFontColorTitlebarSmall},
    {.section = "Fonts",
     .key = "gFontSizeStatusbar",
     .target = &gFontSizeStatusbar,
     .fontSize = true},
    {"Fonts", "gFontColorStatusbar", &gFontColorStatusbar},
    {.section = "Fonts",
     .key = "gFontSizeFolderName",
     .target = &gFontSizeFolderName,
     .fontSize = true},
    {"Fonts", "gFontColorFolderName", &gFontColorFolderName},
    {.section = "Fonts", .key = "gFontSizeMenubar", .target = &gFontSizeMenubar, .fontSize = true},
    {"Fonts", "gFontColorMenubar", &gFontColorMenubar},
    {.section = "Fonts",
     .key = "gFontSizeMenubarIcon",
     .target = &gFontSizeMenubarIcon,
     .fontSize = true},
    {"Fonts", "gFontColorMenubarShadow", &gFontColorMenubarShadow},
    {"Fonts", "gFontColorMenubarIcon", &gFontColorMenubarIcon},
    {.section = "Fonts",
     .key = "gFontSizePhotoName",
     .target = &gFontSizePhotoName,
     .fontSize = true},
    {"Fonts", "gFontColorPhotoName", &gFontColorPhotoName},
    {.section = "Fonts",
     .key = "gFontSizePhotoTitle",
     .target = &gFontSizePhotoTitle,
     .fontSize = true},
    {"Fonts", "gFontColorPhotoTitle", &gFontColorPhotoTitle},
    {"Fonts", "gFontColorPhotoTitleLight", &gFontColorPhotoTitleLight},
});

platform::Color toColor(std::int64_t value) {
    return static_cast<platform::Color>(value) & 0xFFFFFFu;
}

void setDefault(const SkinKey& key) {
    struct {
        const SkinKey& key;
        void operator()(int* v) const { *v = static_cast<int>(key.defaultNumber); }
        void operator()(bool* v) const { *v = key.defaultNumber != 0; }
        void operator()(platform::Color* v) const { *v = toColor(key.defaultNumber); }
        void operator()(std::string* v) const { *v = key.defaultText; }
    } visitor{key};
    std::visit(visitor, key.target);
}

// Reads one key; a missing key, or a number that cannot be read, gives the key's default.
void readKey(const platform::Profile& profile, const SkinKey& key) {
    const int defaultNumber = static_cast<int>(key.defaultNumber);
    struct {
        const platform::Profile& profile;
        const SkinKey& key;
        int defaultNumber;
        void operator()(int* v) const {
            *v = profile.readInteger(key.section, key.key, defaultNumber);
            if (key.atLeastOne)
                *v = ClampToRange(key.key, *v, 1, kMaxRowsOrSlots);
            else if (key.fontSize)
                *v = ScaleFontSize(ClampToRange(key.key, *v, 0, kMaxFontSize), gFontScale);
        }
        void operator()(bool* v) const {
            *v = profile.readBool(key.section, key.key, defaultNumber != 0);
        }
        void operator()(platform::Color* v) const {
            *v = toColor(profile.readInteger(key.section, key.key, defaultNumber));
        }
        void operator()(std::string* v) const {
            *v = profile.readString(key.section, key.key, key.defaultText);
        }
    } reader{profile, key, defaultNumber};
    std::visit(reader, key.target);
}

// The picture set in loading order: file name and the slot it is loaded into.
struct PictureFile {
    std::string fileName;
    platform::Picture* slot;
};

std::vector<PictureFile> pictureFiles(TSkinPictures& set) {
    std::vector<PictureFile> files{
        {"Background.jpg", &set.Background},
        {"CDCover-empty.bmp", &set.CDCoverEmpty},
        {"ZVN.bmp", &set.ZVN},
        {"key_empty.bmp", &set.KeyEmpty},
    };
    for (std::size_t i = 0; i < set.KeyLetters.size(); ++i)
        files.push_back(
            {"key_" + std::string(1, static_cast<char>('A' + i)) + ".bmp", &set.KeyLetters[i]});
    for (std::size_t i = 0; i < set.KeyDigits.size(); ++i)
        files.push_back({"key_" + std::to_string(i) + ".bmp", &set.KeyDigits[i]});
    const PictureFile rest[] = {
        {"key_+.bmp", &set.KeyPlus},
        {"key_star.bmp", &set.KeyStar},
        {"key_-.bmp", &set.KeyMinus},
        {"key_Up.bmp", &set.KeyUp},
        {"key_Down.bmp", &set.KeyDown},
        {"key_Pos1.bmp", &set.KeyPos1},
        {"key_F1.bmp", &set.KeyF1},
        {"key_BildHoch.bmp", &set.KeyPageUp},
        {"key_BildRunter.bmp", &set.KeyPageDown},
        {"key_return.bmp", &set.KeyReturn},
        {"key_space.bmp", &set.KeySpace},
        {"key_right.bmp", &set.KeyRight},
        {"key_leftOrRight.bmp", &set.KeyLeftOrRight},
        {"IconFolder.bmp", &set.IconFolder},
        {"IconFolderPlaylist.bmp", &set.IconFolderPlaylist},
        {"IconFolderMusic.bmp", &set.IconFolderMusic},
        {"IconFolderPhoto.bmp", &set.IconFolderPhoto},
        {"IconFolderVideo.bmp", &set.IconFolderVideo},
        {"IconPlaylist.bmp", &set.IconPlaylist},
        {"IconMusic.bmp", &set.IconMusic},
        {"IconPhoto.bmp", &set.IconPhoto},
        {"IconVideo.bmp", &set.IconVideo},
        {"IconOptiongroupGeneral.bmp", &set.IconOptiongroupGeneral},
        {"IconOptiongroupMusic.bmp", &set.IconOptiongroupMusic},
        {"IconOptiongroupPhoto.bmp", &set.IconOptiongroupPhoto},
        {"PhotoNameBar.bmp", &set.PhotoNameBar},
        {"MediaPlayerButtons.bmp", &set.MediaPlayerButtons},
        {"IconMainmenuMusic.bmp", &set.IconMainmenuMusic},
        {"IconMainmenuPhoto.bmp", &set.IconMainmenuPhoto},
        {"IconMainmenuVideo.bmp", &set.IconMainmenuVideo},
        {"IconMainmenuJukebox.bmp", &set.IconMainmenuJukebox},
        {"IconMainmenuPlaylist.bmp", &set.IconMainmenuPlaylist},
        {"IconMainmenuProgramLinks.bmp", &set.IconMainmenuProgramLinks},
        {"IconNew.bmp", &set.IconNew},
        {"IconMinimize.bmp", &set.IconMinimize},
        {"IconMouse1.bmp", &set.IconMouse1},
        {"IconMouse2.bmp", &set.IconMouse2},
    };
    files.insert(files.end(), std::begin(rest), std::end(rest));
    return files;
}

// The background is stretched over the window. A change of resolution does not load the
// pictures again, so it is decoded for the largest resolution the options screen offers, or the
// configured one when that is larger; a huge picture need not be decoded larger than that.
platform::JpegOptions backgroundFit() {
    return platform::JpegOptions{.fitWidth = std::max(gIniScreenWidth, 3840),
                                 .fitHeight = std::max(gIniScreenHeight, 2160)};
}

bool isJpeg(std::string_view fileName) {
    return fileName.ends_with(".jpg");
}

std::string missingPictureText(const std::string& path) {
    return "Grafikdatei \"" + path +
           "\" nicht gefunden. Bitte installieren Sie ZUVEN nocheinmal korrekt.";
}

// Loads the whole set into a fresh object, so that a failure leaves the previous set whole.
// Returns false at the first picture that cannot be read; `alreadyReported` names a file
// whose absence the user has been told about.
bool loadPictures(const std::string& alreadyReported) {
    TSkinPictures loaded;
    for (const PictureFile& file : pictureFiles(loaded)) {
        const std::string path = SkinDirectory() + "/" + file.fileName;
        std::string reason;
        *file.slot = isJpeg(file.fileName) ? platform::loadJpegFile(path, backgroundFit(), &reason)
                                           : platform::Picture::loadBmp(path, &reason);
        if (!file.slot->empty())
            continue;
        // The user is told "nicht gefunden" either way; the log tells a missing file from one
        // the decoder refused.
        if (!platform::fileExists(path))
            reason = "file not found";
        LogError(path + " could not be loaded: " + reason);
        if (path != alreadyReported)
            platform::showMessageBox("Zuvenmedia", missingPictureText(path));
        return false;
    }
    gSkin = std::move(loaded);
    return true;
}

} // namespace

std::string SkinDirectory() {
    return ProgramFile("Skins/" + gIniSkinName);
}

int ScaleFontSize(int size, float scale) {
    return RoundHalfEven(static_cast<double>(size) * static_cast<double>(scale));
}

void ResetSkinDefaults() {
    for (const SkinKey& key : kSkinKeys)
        setDefault(key);
    gSkin = {};
}

bool ReadSkinDefinition() {
    LogLine("Reading Skins/" + gIniSkinName + "/Config.ini...");
    LogLine(kSeparator);
    const std::string path = SkinDirectory() + "/Config.ini";
    const auto profile = platform::Profile::load(path);
    if (!profile.exists()) {
        LogError(path + " not found!");
        platform::showMessageBox("Zuvenmedia",
                                 "Fehler beim Skin-Laden:  " + path + " nicht gefunden!");
    }
    // Sizes are scaled as they are read, so every reading starts again from the file's values.
    gFontScale = ComputeFontScale(gIniScreenWidth);
    for (const SkinKey& key : kSkinKeys)
        readKey(profile, key);
    LogLine(kSeparator);
    return profile.exists();
}

bool LoadSkin(bool withPictures) {
    const std::string background = SkinDirectory() + "/Background.jpg";
    bool whole = true;
    std::string reported;
    if (!platform::fileExists(background)) {
        Mainform().Timer_ShowNumberOfTracksInitially.setEnabled(false);
        Mainform().Timer_ShowNumberOfTracksInitially2.setEnabled(false);
        platform::showMessageBox("Zuvenmedia", missingPictureText(background));
        whole = false;
        reported = background;
    }

    if (withPictures) {
        if (!ReadSkinDefinition())
            whole = false;
        LogLine("loading graphics...");
        // Without the whole set the layout has nothing to measure; the program is ending.
        if (!loadPictures(reported))
            return false;
    }

    if (platform::Window* window = Mainform().window())
        window->setSize(gIniScreenWidth, gIniScreenHeight);
    gFontScale = ComputeFontScale(gIniScreenWidth);
    ComputeScreenLayout();
    return whole;
}

void FreeSkin() {
    gSkin = {};
}
