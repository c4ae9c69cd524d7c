#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

// The first-run set-up of "config.exe": the folders, the language and the resolution the
// program starts with, chosen on a few rows (with a folder browser) or given as options, and
// written into Config.ini. Every other line of an existing Config.ini stays as it is.

// The rows of the set-up screen, top to bottom.
enum class SetupRow { Music, Pictures, Videos, Links, Language, Resolution, Save };
inline constexpr int kSetupRowCount = 7;
inline constexpr int kSetupFolderCount = 4;

// The screen's own texts; each has a German and an English wording.
enum class SetupText {
    Title,
    Music,
    Pictures,
    Videos,
    Links,
    Language,
    Resolution,
    Save,
    ChooseThisFolder,
    BrowseTitle,
    Hint,
    BrowseHint,
    MissingMusicFolder,
    Unreadable,
    NotWritten,
};
// `language`: 0 German, 1 English (as the Language setting counts).
const char* SetupTextOf(SetupText text, int language);

// What the command line gives; unset values are left as they are.
struct ConfigOptions {
    // MP3Path, FotosPath, VideoPath, ProgramLinksPath, in SetupRow order.
    std::array<std::optional<std::string>, kSetupFolderCount> folders;
    std::optional<int> language;
    bool help = false;

    bool any() const;
};

inline constexpr const char* kConfigUsage =
    "usage: config.exe [--music DIR] [--pictures DIR] [--videos DIR] [--links DIR] "
    "[--language 0|1] [--help]\n"
    "Without options the set-up is shown full screen; with them the given values are written "
    "into Config.ini of the working folder, without showing anything.";

// Nullopt and the reason in error for an unknown option, a missing or bad value, or an option
// given twice.
std::optional<ConfigOptions> ParseConfigOptions(const std::vector<std::string>& args,
                                                std::string& error);

// Writes exactly the given values into the profile at iniPath, and the detected folder for a
// path key that is neither given nor set yet. False, writing nothing, with the reason in
// message (English, for a terminal) when the music folder does not exist or the file cannot
// be read or written.
bool WriteConfigOptions(const ConfigOptions& options, const std::string& iniPath,
                        std::string& message);

// The model of the set-up screen. Main thread only.
class FirstRunSetup {
public:
    // One line of the folder browser.
    struct BrowserEntry {
        enum class Kind { Parent, Choose, Folder } kind;
        std::string name; // a folder's name; empty for the others
    };

    // Reads the values in force from iniPath; a folder that is not configured shows the
    // user's detected folder.
    explicit FirstRunSetup(std::string iniPath);

    int language() const { return m_language; }
    const std::string& folder(SetupRow row) const;
    int screenWidth() const { return m_width; }
    int screenHeight() const { return m_height; }
    // What a row shows right of its caption.
    std::string valueText(SetupRow row) const;

    int highlighted() const { return m_highlighted; }
    void highlight(int row);
    void moveHighlight(int delta);
    // Return on the highlighted row: a folder row opens the browser, a choice row steps to its
    // next value, the last row saves.
    void activate();
    // Left/Right on a choice row.
    void changeValue(int step);

    // The folder browser of the folder row it was opened on.
    bool browsing() const { return m_browsing; }
    const std::string& browserFolder() const { return m_browserFolder; }
    const std::vector<BrowserEntry>& browserEntries() const { return m_entries; }
    int browserIndex() const { return m_browserIndex; }
    void browserHighlight(int index);
    void browserMove(int delta);
    // Return: chooses the folder shown, goes up, or enters the highlighted folder.
    void browserActivate();
    // Right: enters the highlighted folder.
    void browserEnter();
    // Left/Backspace: the parent folder, with the folder just left highlighted.
    void browserUp();
    // Escape: back to the rows, the row's folder unchanged.
    void browserCancel();

    // Checks and writes Config.ini. False, writing nothing and setting the message, when the
    // music folder does not exist or the file cannot be read or written.
    bool save();
    bool saved() const { return m_saved; }
    // What went wrong, in the screen's language; empty when all is well.
    std::string message() const;

private:
    void openFolder(const std::string& folder, const std::string& highlightName);

    std::string m_iniPath;
    std::array<std::string, kSetupFolderCount> m_folders;
    std::array<std::string, kSetupFolderCount> m_shownAtStart;
    std::array<std::string, kSetupFolderCount> m_configured; // as Config.ini spells them
    int m_language = 0;
    int m_width = 800;
    int m_height = 600;
    int m_highlighted = 0;

    bool m_browsing = false;
    int m_browsedRow = 0;
    std::string m_browserFolder; // ends in "/"
    std::vector<BrowserEntry> m_entries;
    int m_browserIndex = 0;

    std::optional<SetupText> m_message;
    std::string m_messageDetail; // the path or reason appended to the message
    bool m_saved = false;
};
