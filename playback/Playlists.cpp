#include "playback/Playlists.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "input/PressedKeyText.h"
#include "library/CoverLookup.h"
#include "platform/StartValues.h"

#include <memory>

namespace {

const platform::StartValues kStartValues(gPlaylistEditing, gEditPlaylistFileName, gOpenPlaylistName,
                                         gOpenPlaylistDirectory, gOpenPlaylistCount);

} // namespace

// The playlist view shows the playlist's name above its rows; reading the titles from the M3U
// file comes with the playlist handling, so for now the view holds only the ".." row.
void ReadPlaylist(const ListElementPtr& playlist) {
    LogLine("enter ReadPlaylist()");
    TElementList& list = ReplaceListElements();
    gOpenPlaylistDirectory = playlist ? playlist->Dir() : std::string();
    gOpenPlaylistName = playlist ? playlist->Name() : std::string();
    list.add("0", std::make_shared<TListElement>(ListElementType::Back, "", "..", 0.0, 0));
    gOpenPlaylistCount = 0;
    gCurrentCoverFrontFileName.clear();
    gCurrentCoverBackFileName.clear();
    Mainform().CoverImage.setVisible(false);
}

// Placeholders: creating, editing, renaming and deleting playlists come with the playlist
// handling; until then these commands only announce themselves and show their header text.

void callFunction_PlaylistNew() {
    LogLine("enter callFunction_PlaylistNew()");
    ShowPressedKeyText("Erstelle Playlist");
}

void callFunction_PlaylistOpen(const ListElementPtr& /*element*/) {
    LogLine("enter callFunction_PlaylistOpen()");
    ShowPressedKeyText("Erweitere Playlist");
}

void callFunction_PlaylistRename(const ListElementPtr& /*element*/) {
    LogLine("enter callFunction_PlaylistRename()");
    ShowPressedKeyText("Playlist umbenennen");
}

void callFunction_PlaylistDelete(const ListElementPtr& /*element*/) {
    LogLine("enter callFunction_PlaylistDelete()");
}

void callFunction_IntoPlaylist(const ListElementPtr& /*element*/) {
    LogLine("enter callFunction_IntoPlaylist()");
    ShowPressedKeyText("Titel in Playlist...");
}

void callFunction_IntoPlaylistDir(const ListElementPtr& /*folder*/) {
    LogLine("enter callFunction_IntoPlaylistDir()");
    ShowPressedKeyText("Alle Titel in Playlist...");
}

void callFunction_DeleteFromPlaylist(const ListElementPtr& /*element*/) {
    LogLine("enter callFunction_DeleteFromPlaylist()");
}

void callFunction_PlaylistUp(const ListElementPtr& /*element*/) {
    LogLine("enter callFunction_PlaylistUp()");
}

void callFunction_PlaylistDown(const ListElementPtr& /*element*/) {
    LogLine("enter callFunction_PlaylistDown()");
}

void ResetPlaylistState() {
    kStartValues.restore();
}
