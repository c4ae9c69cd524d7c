#pragma once

#include "library/ListElement.h"

#include <string>

// Playlist editing and the open playlist. Main thread only.
inline bool gPlaylistEditing = false;
inline std::string gEditPlaylistFileName;
// Name (without extension) and folder (ending in "/") of the playlist shown in mmPlaylist.
inline std::string gOpenPlaylistName;
inline std::string gOpenPlaylistDirectory;
inline int gOpenPlaylistCount = 0;
// Ends playlist editing and forgets the open playlist, as at start-up.
void ResetPlaylistState();

// Replaces the shown list by the titles of a playlist file (".." first). The caller has set
// mmPlaylist and stored the position; it sets the row and the menubar.
void ReadPlaylist(const ListElementPtr& playlist);

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
