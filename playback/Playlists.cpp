#include "playback/Playlists.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/MenuModes.h"
#include "config/Config.h"
#include "input/Cursor.h"
#include "input/Keyboard.h"
#include "input/Menubar.h"
#include "input/PressedKeyText.h"
#include "library/CoverLookup.h"
#include "library/LibraryScan.h"
#include "library/Mp3Element.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/StartValues.h"
#include "platform/TextFile.h"
#include "playback/M3uFile.h"
#include "playback/StatusMessage.h"
#include "ui/EnterTextForm.h"
#include "ui/StatusLine.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace {

// What the rewrite of the open playlist needs besides its rows: the file and the lines of it
// that belong to no row, and for each row the lines it was read from.
struct OpenPlaylistFile {
    struct Row {
        ListElementPtr element; // keeps the key below valid
        M3uTitle lines;
    };
    std::string path;
    std::string headerLine;
    std::vector<std::string> trailingLines;
    bool byteOrderMark = false;
    std::unordered_map<const TListElement*, Row> rows;
};

// The file of the playlist shown in mmPlaylist. Main thread only; reset with the globals.
OpenPlaylistFile gOpenPlaylistFile;

const platform::StartValues kStartValues(gPlaylistEditing, gEditPlaylistFileName,
                                         gEditPlaylistDirectory, gOpenPlaylistName,
                                         gOpenPlaylistDirectory, gOpenPlaylistCount);

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// A message that would at once be overwritten by the start-up count display stops it first.
void showStatusError(const std::string& text) {
    LogError(text);
    Mainform().Timer_ShowNumberOfTracksInitially.setEnabled(false);
    Mainform().Timer_ShowNumberOfTracksInitially2.setEnabled(false);
    SetStatusMessage(text);
    DrawStatusLine();
}

void repaintHeaderAndMenubar() {
    BuildMenubar();
    Mainform().requestRepaint();
}

// A title of the playlist: a relative path lies below the playlist's folder, an absolute one
// (as other players write them) is used as it stands. The path is looked up as its bytes and
// as its text, so a Windows-1252 line still finds a UTF-8 name.
ListElementPtr titleElement(const std::string& playlistFolder, const std::string& path, int index) {
    const bool absolute = path.starts_with('/');
    const std::string spelled =
        platform::existingPathSpelling(absolute ? path : playlistFolder + path);
    if (!absolute && spelled.starts_with(playlistFolder))
        return std::make_shared<TListElement>(ListElementType::MP3, playlistFolder,
                                              spelled.substr(playlistFolder.size()), 0.0, index);
    const platform::FolderAndName parts = platform::splitFolderAndName(spelled);
    return std::make_shared<TListElement>(ListElementType::MP3, parts.folder, parts.name, 0.0,
                                          index);
}

// The path line of a title added to a playlist in `folder`: relative when it lies below it.
std::string pathLineFor(const TListElement& element, const std::string& folder) {
    const std::string fullPath = element.FullPath();
    return fullPath.starts_with(folder) ? fullPath.substr(folder.size()) : fullPath;
}

// The lines a row of the open playlist is written as.
void appendRowLines(const TListElement& element, std::vector<std::string>& out) {
    const auto found = gOpenPlaylistFile.rows.find(&element);
    if (found == gOpenPlaylistFile.rows.end()) {
        if (element.LengthSeconds() > 0)
            out.push_back(M3uInfoLine(element.LengthSeconds(), element.Title()));
        out.push_back(pathLineFor(element, gOpenPlaylistDirectory));
        return;
    }
    const M3uTitle& read = found->second.lines;
    // Playing a title reads its tag into the element; only then is its information line new.
    const bool unchanged = element.LengthSeconds() == read.seconds && element.Title() == read.title;
    for (int i = 0; i < static_cast<int>(read.leadingLines.size()); ++i) {
        if (i != read.infoLine || unchanged)
            out.push_back(read.leadingLines[static_cast<std::size_t>(i)]);
    }
    if (!unchanged && element.LengthSeconds() > 0)
        out.push_back(M3uInfoLine(element.LengthSeconds(), element.Title()));
    out.push_back(read.pathLine);
}

// The row of the open playlist that a command acts on: the element itself, else (an element
// from elsewhere) the first title row with its file name. -1 when there is none.
int findPlaylistRow(const ListElementPtr& element) {
    if (!element)
        return -1;
    const int count = gListElements->count();
    for (int row = 1; row < count; ++row) {
        if (gListElements->element(row) == element)
            return row;
    }
    for (int row = 1; row < count; ++row) {
        if (gListElements->element(row)->FileName() == element->FileName())
            return row;
    }
    return -1;
}

void rewriteWithKeysLocked() {
    gKeysLocked = true;
    RewriteOpenPlaylist();
    gKeysLocked = false;
}

// Appends lines to the playlist being edited. The file is rewritten as a whole through a
// temporary file, so its lines stay as they were and a crash never leaves half a file.
bool appendToEditedPlaylist(const std::vector<std::string>& lines) {
    const std::string path = gEditPlaylistDirectory + gEditPlaylistFileName;
    platform::TextFileRead read = platform::readTextLines(path);
    if (read.status != platform::ReadStatus::Read) {
        showStatusError("Datei " + quoted(gEditPlaylistFileName) +
                        " kann nicht gelesen werden: " + read.error);
        return false;
    }
    read.text.lines.insert(read.text.lines.end(), lines.begin(), lines.end());
    if (!platform::writeTextLinesAtomic(path, read.text)) {
        showStatusError("Datei " + quoted(gEditPlaylistFileName) +
                        " kann nicht geschrieben werden.");
        return false;
    }
    return true;
}

// INTOPLAYLIST needs the edited file; a vanished one is reported and nothing is written.
bool editedPlaylistExists() {
    if (platform::fileExists(gEditPlaylistDirectory + gEditPlaylistFileName))
        return true;
    showStatusError("Datei " + quoted(gEditPlaylistFileName) + " existiert nicht in " +
                    quoted(gEditPlaylistDirectory) + ".");
    return false;
}

bool nameTaken(const std::string& path) {
    return platform::fileExists(path) || platform::directoryExists(path);
}

// Shows the dialog until it gives a safe name whose file does not exist in `folder` yet; the
// refused name stays in the field. Empty when the user cancels.
std::optional<std::string> askForFreeName(const std::string& folder, const std::string& extension,
                                          const char* acceptedText) {
    for (;;) {
        if (!EnterTextForm.ShowModal())
            return std::nullopt;
        const std::string name = EnterTextForm.Text();
        if (acceptedText)
            ShowPressedKeyText(acceptedText);
        if (!IsSafePlaylistName(name)) {
            LogError("Playlist name refused: " + quoted(name));
            ShowPressedKeyText("Fehler!");
            continue;
        }
        if (nameTaken(folder + name + extension)) {
            showStatusError("Datei " + quoted(name + extension) + " existiert bereits in " +
                            quoted(folder) + ".");
            continue;
        }
        return name;
    }
}

// Shows the list of playlists from its top and highlights the playlist `fileName` at `path`;
// one that would lie below the first page becomes the top row.
void showPlaylistsHighlighting(const std::string& fileName, const std::string& path) {
    callFunction_PlaylistMenu(false);
    const auto found =
        std::find_if(gFoundPlaylists.begin(), gFoundPlaylists.end(), [&](const TFoundEntry& entry) {
            return entry.Key == fileName && entry.Object.Text == path;
        });
    if (found == gFoundPlaylists.end())
        return;
    const int row = static_cast<int>(found - gFoundPlaylists.begin()) + 1;
    HightlightTitlebarIndex = row;
    if (row >= gIniNumberOfTitlebars) {
        gListElementOffset = row;
        HightlightTitlebarIndex = 0;
    }
}

// The extension of a playlist's file name as it is, ".m3u" or ".m3u8" in any letter case; a
// renamed playlist keeps it, so a UTF-8 playlist stays one.
std::string extensionOf(const TListElement& playlist) {
    return playlist.FileName().substr(playlist.Name().size());
}

void endEditing(const char* logLine) {
    LogLine(logLine);
    ShowPressedKeyText("Playlist abgeschlossen");
    gPlaylistEditing = false;
    repaintHeaderAndMenubar();
}

} // namespace

bool IsSafePlaylistName(const std::string& name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '/' || byte < 0x20 || byte == 0x7F;
    });
}

void ReadPlaylist(const ListElementPtr& playlist) {
    LogLine("enter ReadPlaylist()");
    TElementList& list = ReplaceListElements();
    gListElementOffset = 0;
    gOpenPlaylistDirectory = playlist ? playlist->Dir() : std::string();
    gOpenPlaylistName = playlist ? playlist->Name() : std::string();
    gOpenPlaylistFile = OpenPlaylistFile{};
    list.add("0", std::make_shared<TListElement>(ListElementType::Back, "", "..", 0.0, 0));
    int count = 0;
    if (playlist) {
        gOpenPlaylistFile.path = playlist->FullPath();
        const platform::TextFileRead read = platform::readTextLines(gOpenPlaylistFile.path);
        if (read.status != platform::ReadStatus::Read) {
            const std::string reason = read.error.empty() ? "not found" : read.error;
            LogError("ReadPlaylist(): " + gOpenPlaylistFile.path + ": " + reason);
            SetStatusMessage("Playlist " + quoted(playlist->FileName()) +
                             " kann nicht gelesen werden.");
        }
        for (const std::string& line : read.text.lines) {
            LogLine(line);
            if (IsM3uHeaderLine(line))
                LogLine("valid m3u-file detected.");
        }
        M3uPlaylist parsed = ParseM3u(read.text);
        for (const std::string& line : parsed.badInfoLines)
            LogError("ReadPlaylist(): no playing time in " + line);
        gOpenPlaylistFile.headerLine = std::move(parsed.headerLine);
        gOpenPlaylistFile.trailingLines = std::move(parsed.trailingLines);
        gOpenPlaylistFile.byteOrderMark = parsed.byteOrderMark;
        for (M3uTitle& title : parsed.titles) {
            ++count;
            ListElementPtr element = titleElement(gOpenPlaylistDirectory, title.path, count);
            if (title.seconds > 0) {
                element->SetLengthSeconds(title.seconds);
                element->SetLength(FormatLength(std::int64_t{title.seconds} * 1000));
            }
            if (!title.title.empty())
                element->SetTitle(title.title);
            list.add(std::to_string(count), element);
            gOpenPlaylistFile.rows.emplace(element.get(),
                                           OpenPlaylistFile::Row{element, std::move(title)});
        }
    }
    gOpenPlaylistCount = count;
    gCurrentCoverFrontFileName.clear();
    gCurrentCoverBackFileName.clear();
    Mainform().CoverImage.setVisible(false);
}

bool RewriteOpenPlaylist() {
    LogLine("enter RewriteOpenPlaylist()");
    platform::TextLines text;
    text.byteOrderMark = gOpenPlaylistFile.byteOrderMark;
    text.lines.push_back(gOpenPlaylistFile.headerLine.empty() ? std::string("#EXTM3U")
                                                              : gOpenPlaylistFile.headerLine);
    for (int row = 1; row < gListElements->count(); ++row)
        appendRowLines(*gListElements->element(row), text.lines);
    text.lines.insert(text.lines.end(), gOpenPlaylistFile.trailingLines.begin(),
                      gOpenPlaylistFile.trailingLines.end());
    if (gOpenPlaylistFile.path.empty() ||
        !platform::writeTextLinesAtomic(gOpenPlaylistFile.path, text)) {
        showStatusError("Playlist " + quoted(gOpenPlaylistFile.path) +
                        " kann nicht geschrieben werden.");
        return false;
    }
    return true;
}

void callFunction_PlaylistNew() {
    LogLine("enter callFunction_PlaylistNew()");
    if (gPlaylistEditing) {
        endEditing("Playlist created");
        return;
    }
    LogLine("Create a new Playlist");
    ShowPressedKeyText("Erstelle Playlist");
    EnterTextForm.Edit().setText("");
    const std::string folder = gIniRootDirectoryMusic;
    const std::optional<std::string> name = askForFreeName(folder, ".m3u", "Erstelle Playlist");
    if (!name) {
        ShowPressedKeyText("Erstellung abgebrochen");
        return;
    }
    const std::string fileName = *name + ".m3u";
    const std::string path = folder + fileName;
    if (!platform::writeTextLinesAtomic(path, std::vector<std::string>{"#EXTM3U"})) {
        showStatusError("Datei " + quoted(fileName) + " kann nicht angelegt werden in " +
                        quoted(folder) + ".");
        return;
    }
    gPlaylistEditing = true;
    gEditPlaylistFileName = fileName;
    gEditPlaylistDirectory = folder;
    SetStatusMessage("Playlist " + quoted(fileName) + " angelegt in " + quoted(folder) + ".");
    gFoundPlaylists.push_back({fileName, TMyString{path}});
    SortFoundPlaylists();
    showPlaylistsHighlighting(fileName, path);
    Mainform().requestRepaint();
}

void callFunction_PlaylistOpen(const ListElementPtr& element) {
    LogLine("enter callFunction_PlaylistOpen()");
    if (gPlaylistEditing) {
        endEditing("End playlist editing");
        return;
    }
    const std::string fileName = element ? element->FileName() : std::string();
    if (!element || element->ElementType() != ListElementType::Playlist ||
        element->Dir() != gIniRootDirectoryMusic) {
        LogLine("Playlist " + fileName + " cannot be edited. Only Playlists in Directory " +
                quoted(gIniRootDirectoryMusic) + " can be edited!");
        ShowPressedKeyText("Nicht editierbar!");
        return;
    }
    LogLine("Open existing Playlist " + fileName);
    ShowPressedKeyText("Erweitere Playlist");
    gPlaylistEditing = true;
    gEditPlaylistFileName = fileName;
    gEditPlaylistDirectory = element->Dir();
    repaintHeaderAndMenubar();
}

void callFunction_PlaylistRename(const ListElementPtr& element) {
    LogLine("enter callFunction_PlaylistRename()");
    if (!element)
        return;
    LogLine("Rename Playlist");
    ShowPressedKeyText("Playlist umbenennen");
    EnterTextForm.Edit().setText(element->Name());
    const std::string folder = element->Dir();
    const std::string extension = extensionOf(*element);
    const std::optional<std::string> name = askForFreeName(folder, extension, nullptr);
    if (!name) {
        ShowPressedKeyText("Umbenennung abgebrochen");
        return;
    }
    const std::string fileName = *name + extension;
    const std::string path = folder + fileName;
    std::string error;
    if (!platform::renameNoReplace(element->FullPath(), path, error)) {
        LogError("Rename " + element->FullPath() + " to " + path + ": " + error);
        platform::showErrorMessageBox("Fehler beim Umbenennen");
        return;
    }
    SetStatusMessage("Playlist umbenannt: \"" + fileName);
    const auto found =
        std::find_if(gFoundPlaylists.begin(), gFoundPlaylists.end(), [&](const TFoundEntry& entry) {
            return entry.Key == element->FileName() && entry.Object.Text == element->FullPath();
        });
    if (found != gFoundPlaylists.end())
        *found = TFoundEntry{fileName, TMyString{path}};
    else
        gFoundPlaylists.push_back({fileName, TMyString{path}});
    SortFoundPlaylists();
    showPlaylistsHighlighting(fileName, path);
    Mainform().requestRepaint();
}

void callFunction_PlaylistDelete(const ListElementPtr& element) {
    LogLine("enter callFunction_PlaylistDelete()");
    if (!element)
        return;
    const std::string path = element->FullPath();
    LogLine("Delete playlist " + path);
    std::string error;
    if (platform::removeFile(path, error)) {
        ShowPressedKeyText("Playlist entfernt");
    } else {
        LogError("Delete " + path + ": " + error);
        ShowPressedKeyText("Fehler");
    }
    const auto found =
        std::find_if(gFoundPlaylists.begin(), gFoundPlaylists.end(), [&](const TFoundEntry& entry) {
            return entry.Key == element->FileName() && entry.Object.Text == path;
        });
    if (found != gFoundPlaylists.end())
        gFoundPlaylists.erase(found);
    callFunction_PlaylistMenu(false);
    Mainform().requestRepaint();
}

void callFunction_IntoPlaylist(const ListElementPtr& element) {
    LogLine("enter callFunction_IntoPlaylist()");
    if (!gPlaylistEditing || !element || !editedPlaylistExists())
        return;
    ShowPressedKeyText("Titel in Playlist...");
    LogLine("put title " + quoted(element->FileName()) + " in playlist");
    std::vector<std::string> lines;
    std::string text = element->Title();
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) <= ' '; }))
        text = element->Name();
    if (element->LengthSeconds() > 0 && !text.empty())
        lines.push_back(M3uInfoLine(element->LengthSeconds(), text));
    lines.push_back(pathLineFor(*element, gEditPlaylistDirectory));
    appendToEditedPlaylist(lines);
}

void callFunction_IntoPlaylistDir(const ListElementPtr& folder) {
    LogLine("enter callFunction_IntoPlaylistDir()");
    if (!gPlaylistEditing || !folder || !editedPlaylistExists())
        return;
    ShowPressedKeyText("Alle Titel in Playlist...");
    LogLine("put title " + quoted(folder->FileName()) + " in playlist");
    int count = 0;
    std::vector<std::string> lines;
    WalkFolderTree(folder->FullPath(), [&](const std::string& dir, const std::string& name) {
        if (!IsMP3TitleName(name))
            return;
        ++count;
        TListElement title(ListElementType::MP3, dir, name, 0.0, count);
        FillMP3Element(title);
        const std::string text =
            title.Artist() + gIniDelimiterBetweenInterpretAndTitle + title.Title();
        if (!text.empty())
            lines.push_back(M3uInfoLine(title.LengthSeconds(), text));
        lines.push_back(pathLineFor(title, gEditPlaylistDirectory));
    });
    if (!lines.empty())
        appendToEditedPlaylist(lines);
    ShowPressedKeyText(std::to_string(count) + " Titel zu Playlist hinzugefügt.");
}

void callFunction_DeleteFromPlaylist(const ListElementPtr& element) {
    LogLine("enter callFunction_DeleteFromPlaylist()");
    const int row = findPlaylistRow(element);
    if (row < 1)
        return;
    gListElements->remove(row);
    CursorUp();
    rewriteWithKeysLocked();
}

void callFunction_PlaylistUp(const ListElementPtr& element) {
    LogLine("enter callFunction_PlaylistUp()");
    const int row = findPlaylistRow(element);
    if (row <= 1)
        return;
    gListElements->exchangeElements(row, row - 1);
    CursorUp();
    rewriteWithKeysLocked();
}

void callFunction_PlaylistDown(const ListElementPtr& element) {
    LogLine("enter callFunction_PlaylistDown()");
    const int row = findPlaylistRow(element);
    if (row < 1 || row >= gListElements->count() - 1)
        return;
    gListElements->exchangeElements(row, row + 1);
    CursorDown();
    rewriteWithKeysLocked();
}

void ResetPlaylistState() {
    kStartValues.restore();
    gOpenPlaylistFile = OpenPlaylistFile{};
}
