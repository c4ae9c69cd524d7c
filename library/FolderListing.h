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

// Whether a folder last written at folderDate still counts as new at `now`: now lies before
// folderDate plus `months` calendar months (same time of day; the day of month clipped to the
// last day of a shorter month). Dates are days since 30 December 1899, the fraction being the
// time of day.
bool IsNewFolder(double folderDate, double now, int months);
