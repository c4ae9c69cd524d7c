#pragma once

#include "library/ListElement.h"

#include <string>

// Playlist editing and the open playlist. Main thread only.
inline bool gPlaylistEditing = false;
// File name with extension and folder (ending in "/", always the music root) of the playlist
// that INTOPLAYLIST appends to while gPlaylistEditing is on.
inline std::string gEditPlaylistFileName;
inline std::string gEditPlaylistDirectory;
// Name (without extension) and folder (ending in "/") of the playlist shown in mmPlaylist.
inline std::string gOpenPlaylistName;
inline std::string gOpenPlaylistDirectory;
inline int gOpenPlaylistCount = 0;
// Ends playlist editing and forgets the open playlist, as at start-up.
void ResetPlaylistState();

// Replaces the shown list by the titles of a playlist file (".." first). The caller has set
// mmPlaylist and stored the position; it sets the row and the menubar.
void ReadPlaylist(const ListElementPtr& playlist);
// Writes the titles of the shown playlist back to the file they were read from, in list order.
// Lines of titles the program has not changed keep their bytes. False (and reported) when the
// file cannot be written.
bool RewriteOpenPlaylist();

// Whether a typed playlist name can name a file in the music root: not empty, not "." or "..",
// no "/" and no control character.
bool IsSafePlaylistName(const std::string& name);

// Playlist commands. The element arguments may be null where the dispatcher passes the current
// element without checking it.
void callFunction_PlaylistNew();
void callFunction_PlaylistOpen(const ListElementPtr& element);
void callFunction_PlaylistRename(const ListElementPtr& element);
void callFunction_PlaylistDelete(const ListElementPtr& element);
void callFunction_IntoPlaylist(const ListElementPtr& element);
void callFunction_IntoPlaylistDir(const ListElementPtr& folder);
void callFunction_DeleteFromPlaylist(const ListElementPtr& element);
void callFunction_PlaylistUp(const ListElementPtr& element);
void callFunction_PlaylistDown(const ListElementPtr& element);
