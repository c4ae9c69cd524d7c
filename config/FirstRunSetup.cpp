#include "config/FirstRunSetup.h"

#include "config/Options.h"
#include "platform/Encoding.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "platform/UserDirs.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// A folder setting: its key in the [Paths] section, the option that sets it and the user's
// folder it starts from, in SetupRow order.
struct FolderSetting {
    const char* key;
    const char* option;
    std::string (*detected)();
};

constexpr FolderSetting kFolderSettings[kSetupFolderCount] = {
    {"MP3Path", "--music", platform::userMusicDirectory},
    {"FotosPath", "--pictures", platform::userPicturesDirectory},
    {"VideoPath", "--videos", platform::userVideosDirectory},
    {"ProgramLinksPath", "--links", platform::userDesktopDirectory},
};

constexpr const char* kLanguageNames[] = {"Deutsch", "English"};

struct TextRow {
    SetupText id;
    const char* german;
    const char* english;
};

constexpr TextRow kTexts[] = {
    {SetupText::Title, "Zuvenmedia einrichten", "Setting up Zuvenmedia"},
    {SetupText::Music, "Musikordner", "Music folder"},
    {SetupText::Pictures, "Bilderordner", "Pictures folder"},
    {SetupText::Videos, "Videoordner", "Videos folder"},
    {SetupText::Links, "Programmverknüpfungen", "Program links folder"},
    {SetupText::Language, "Sprache", "Language"},
    {SetupText::Resolution, "Auflösung", "Resolution"},
    {SetupText::Save, "Speichern und starten", "Save and start"},
    {SetupText::ChooseThisFolder, "[ Diesen Ordner wählen ]", "[ Choose this folder ]"},
    {SetupText::BrowseTitle, "Ordner wählen: ", "Choose a folder: "},
    {SetupText::Hint, "Pfeiltasten wählen, Return ändert, Esc beendet ohne zu speichern",
     "Arrows select, Return changes, Esc quits without saving"},
    {SetupText::BrowseHint, "Return/Rechts öffnet, Links/Rücktaste geht hoch, Esc bricht ab",
     "Return/Right opens, Left/Backspace goes up, Esc cancels"},
    {SetupText::MissingMusicFolder,
     "Der Musikordner existiert nicht: ", "The music folder does not exist: "},
    {SetupText::Unreadable, "Config.ini ist nicht lesbar, nichts wurde geschrieben: ",
     "Config.ini cannot be read, nothing was written: "},
    {SetupText::NotWritten,
     "Config.ini kann nicht geschrieben werden: ", "Config.ini cannot be written: "},
};

enum class WriteResult { Written, MissingMusicFolder, Unreadable, NotWritten };

struct Values {
    std::array<std::optional<std::string>, kSetupFolderCount> folders;
    std::optional<int> language;
    std::optional<ScreenResolution> resolution;
};

// The one place that checks and writes. A path key that is neither given nor set yet gets the
// detected folder, so the program always finds its roots. detail: the path or the reason.
WriteResult writeValues(const Values& values, const std::string& iniPath, std::string& detail) {
    if (const auto& music = values.folders[0]; music && !platform::directoryExists(*music)) {
        detail = *music;
        return WriteResult::MissingMusicFolder;
    }
    platform::Profile profile = platform::Profile::load(iniPath);
    if (profile.unreadable()) {
        // Writing over a file we could not read would lose the user's settings.
        detail = iniPath + " (" + profile.readError() + ")";
        return WriteResult::Unreadable;
    }
    for (int i = 0; i < kSetupFolderCount; ++i) {
        const FolderSetting& setting = kFolderSettings[i];
        if (values.folders[i])
            profile.writeString("Paths", setting.key, *values.folders[i]);
        else if (profile.readString("Paths", setting.key, "").empty())
            profile.writeString("Paths", setting.key, setting.detected());
    }
    if (values.language)
        profile.writeInteger("Options", "Language", *values.language);
    if (values.resolution) {
        profile.writeInteger("Display", "ScreenWidth", values.resolution->width);
        profile.writeInteger("Display", "ScreenHeight", values.resolution->height);
    }
    if (!profile.save(iniPath)) {
        detail = iniPath;
        return WriteResult::NotWritten;
    }
    return WriteResult::Written;
}

std::string parentFolder(const std::string& folder) {
    if (folder.size() <= 1)
        return {};
    return platform::splitFolderAndName(std::string_view(folder).substr(0, folder.size() - 1))
        .folder;
}

std::string lastName(const std::string& folder) {
    return platform::splitFolderAndName(std::string_view(folder).substr(0, folder.size() - 1)).name;
}

// The folder itself when it exists, else its nearest existing parent, else the home folder.
std::string existingFolderFor(std::string folder) {
    folder = platform::withTrailingSlash(folder);
    while (!folder.empty() && folder.front() == '/') {
        if (platform::directoryExists(folder))
            return folder;
        folder = parentFolder(folder);
    }
    return platform::withTrailingSlash(platform::homeDirectory());
}

} // namespace

const char* SetupTextOf(SetupText text, int language) {
    for (const TextRow& row : kTexts) {
        if (row.id == text)
            return language == 1 ? row.english : row.german;
    }
    return "";
}

bool ConfigOptions::any() const {
    return language || std::any_of(folders.begin(), folders.end(),
                                   [](const auto& folder) { return folder.has_value(); });
}

std::optional<ConfigOptions> ParseConfigOptions(const std::vector<std::string>& args,
                                                std::string& error) {
    ConfigOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        std::optional<std::string>* target = nullptr;
        for (int f = 0; f < kSetupFolderCount; ++f) {
            if (name == kFolderSettings[f].option)
                target = &options.folders[f];
        }
        if (!target && name != "--language") {
            error = "unknown option " + name;
            return std::nullopt;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            error = "missing value after " + name;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if ((target && target->has_value()) || (!target && options.language)) {
            error = name + " given twice";
            return std::nullopt;
        }
        if (target) {
            *target = value;
        } else if (value == "0" || value == "1") {
            options.language = value == "1" ? 1 : 0;
        } else {
            error = "--language takes 0 (Deutsch) or 1 (English), not " + value;
            return std::nullopt;
        }
    }
    return options;
}

bool WriteConfigOptions(const ConfigOptions& options, const std::string& iniPath,
                        std::string& message) {
    std::string detail;
    switch (writeValues({options.folders, options.language, std::nullopt}, iniPath, detail)) {
    case WriteResult::Written:
        return true;
    case WriteResult::MissingMusicFolder:
        message = SetupTextOf(SetupText::MissingMusicFolder, 1) + detail;
        break;
    case WriteResult::Unreadable:
        message = SetupTextOf(SetupText::Unreadable, 1) + detail;
        break;
    case WriteResult::NotWritten:
        message = SetupTextOf(SetupText::NotWritten, 1) + detail;
        break;
    }
    return false;
}

FirstRunSetup::FirstRunSetup(std::string iniPath) : m_iniPath(std::move(iniPath)) {
    const platform::Profile profile = platform::Profile::load(m_iniPath);
    for (int i = 0; i < kSetupFolderCount; ++i) {
        const std::string configured = profile.readString("Paths", kFolderSettings[i].key, "");
        m_folders[i] =
            configured.empty()
                ? kFolderSettings[i].detected()
                : platform::withTrailingSlash(platform::existingPathSpelling(configured));
        m_shownAtStart[i] = m_folders[i];
        m_configured[i] = configured;
    }
    m_language = profile.readInteger("Options", "Language", 0) == 1 ? 1 : 0;
    m_width = profile.readInteger("Display", "ScreenWidth", m_width);
    m_height = profile.readInteger("Display", "ScreenHeight", m_height);
    if (m_width <= 0 || m_height <= 0) {
        m_width = kScreenResolutions[0].width;
        m_height = kScreenResolutions[0].height;
    }
}

const std::string& FirstRunSetup::folder(SetupRow row) const {
    return m_folders[std::clamp(static_cast<int>(row), 0, kSetupFolderCount - 1)];
}

std::string FirstRunSetup::valueText(SetupRow row) const {
    switch (row) {
    case SetupRow::Language:
        return kLanguageNames[m_language];
    case SetupRow::Resolution:
        return std::to_string(m_width) + "x" + std::to_string(m_height);
    case SetupRow::Save:
        return {};
    default:
        return platform::decodePath(folder(row));
    }
}

void FirstRunSetup::highlight(int row) {
    m_highlighted = std::clamp(row, 0, kSetupRowCount - 1);
}

void FirstRunSetup::moveHighlight(int delta) {
    highlight(m_highlighted + delta);
}

void FirstRunSetup::activate() {
    const auto row = static_cast<SetupRow>(m_highlighted);
    if (m_highlighted < kSetupFolderCount) {
        m_browsedRow = m_highlighted;
        const std::string start = existingFolderFor(m_folders[m_highlighted]);
        openFolder(start, {});
    } else if (row == SetupRow::Save) {
        save();
    } else {
        changeValue(+1);
    }
}

void FirstRunSetup::changeValue(int step) {
    const auto row = static_cast<SetupRow>(m_highlighted);
    if (row == SetupRow::Language) {
        m_language = (m_language + 2 + step % 2) % 2;
    } else if (row == SetupRow::Resolution) {
        const int count = static_cast<int>(std::size(kScreenResolutions));
        int index = -1;
        for (int i = 0; i < count; ++i) {
            if (kScreenResolutions[i].width == m_width && kScreenResolutions[i].height == m_height)
                index = i;
        }
        // A size of the user's own that no choice stands for steps to the first or last one.
        index = index < 0 ? (step > 0 ? 0 : count - 1) : ((index + step) % count + count) % count;
        m_width = kScreenResolutions[index].width;
        m_height = kScreenResolutions[index].height;
    }
}

void FirstRunSetup::openFolder(const std::string& folder, const std::string& highlightName) {
    m_browsing = true;
    m_browserFolder = folder;
    m_entries.clear();
    if (!parentFolder(folder).empty())
        m_entries.push_back({BrowserEntry::Kind::Parent, ".."});
    m_entries.push_back({BrowserEntry::Kind::Choose, {}});
    m_browserIndex = static_cast<int>(m_entries.size()) - 1;
    for (const platform::DirEntry& entry :
         platform::listDirectory(folder, "*", platform::EntryFilter::All)) {
        if (!entry.isDirectory || entry.isHidden)
            continue;
        if (entry.name == highlightName)
            m_browserIndex = static_cast<int>(m_entries.size());
        m_entries.push_back({BrowserEntry::Kind::Folder, entry.name});
    }
}

void FirstRunSetup::browserHighlight(int index) {
    m_browserIndex = std::clamp(index, 0, static_cast<int>(m_entries.size()) - 1);
}

void FirstRunSetup::browserMove(int delta) {
    browserHighlight(m_browserIndex + delta);
}

void FirstRunSetup::browserActivate() {
    if (!m_browsing)
        return;
    switch (m_entries[static_cast<std::size_t>(m_browserIndex)].kind) {
    case BrowserEntry::Kind::Parent:
        browserUp();
        break;
    case BrowserEntry::Kind::Choose:
        m_folders[m_browsedRow] = m_browserFolder;
        m_browsing = false;
        m_message.reset();
        break;
    case BrowserEntry::Kind::Folder:
        browserEnter();
        break;
    }
}

void FirstRunSetup::browserEnter() {
    if (!m_browsing)
        return;
    const BrowserEntry& entry = m_entries[static_cast<std::size_t>(m_browserIndex)];
    if (entry.kind == BrowserEntry::Kind::Folder)
        openFolder(m_browserFolder + entry.name + "/", {});
}

void FirstRunSetup::browserUp() {
    const std::string parent = parentFolder(m_browserFolder);
    if (m_browsing && !parent.empty())
        openFolder(parent, lastName(m_browserFolder));
}

void FirstRunSetup::browserCancel() {
    m_browsing = false;
}

bool FirstRunSetup::save() {
    Values values;
    for (int i = 0; i < kSetupFolderCount; ++i) {
        // A folder left as it was keeps the file's own spelling.
        const bool unchanged = m_folders[i] == m_shownAtStart[i] && !m_configured[i].empty();
        values.folders[i] = unchanged ? m_configured[i] : m_folders[i];
    }
    values.language = m_language;
    values.resolution = ScreenResolution{m_width, m_height};
    static constexpr std::pair<WriteResult, SetupText> kFailures[] = {
        {WriteResult::MissingMusicFolder, SetupText::MissingMusicFolder},
        {WriteResult::Unreadable, SetupText::Unreadable},
        {WriteResult::NotWritten, SetupText::NotWritten},
    };
    const WriteResult result = writeValues(values, m_iniPath, m_messageDetail);
    m_message.reset();
    for (const auto& [failure, text] : kFailures) {
        if (result == failure)
            m_message = text;
    }
    m_saved = result == WriteResult::Written;
    if (m_saved)
        m_messageDetail.clear();
    else if (result == WriteResult::MissingMusicFolder)
        m_messageDetail = platform::decodePath(m_messageDetail);
    return m_saved;
}

std::string FirstRunSetup::message() const {
    return m_message ? SetupTextOf(*m_message, m_language) + m_messageDetail : std::string();
}
