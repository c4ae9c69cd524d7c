#pragma once

#include <string>

// The list builders of the browsing modes. Each drops the shown list for a new one that starts
// with the ".." row, and scrolls to its top; the caller sets the highlighted row, the menubar
// and repaints. The folder is always gCurrentDirectory, ending in "/".

void ListMusicFolder(const std::string& folder);
void ListPhotoFolder(const std::string& folder);
void ListVideoFolder(const std::string& folder);
void ListProgramLinkFolder(const std::string& folder);

// The playlists found by the library scan. Returns false when the building ended early on an
// unusable playlist path; the list then keeps what was added so far.
bool ListPlaylists();

// ".." and then the queued titles of gActualTitleList, the same elements, not copies.
void ListJukebox();
