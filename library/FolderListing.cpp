#include "library/FolderListing.h"

#include "app/AppState.h"

#include <memory>

namespace {

// Every browsing list starts with the ".." row under the key "0".
TElementList& startListWithBackElement() {
    TElementList& list = ReplaceListElements();
    list.add("0", std::make_shared<TListElement>(ListElementType::Back, "", "..", 0.0, 0));
    return list;
}

} // namespace

// For now the folder listings show only the ".." row; reading the folders comes later.
void ListMusicFolder(const std::string& /*folder*/) {
    startListWithBackElement();
}
void ListPhotoFolder(const std::string& /*folder*/) {
    startListWithBackElement();
}
void ListVideoFolder(const std::string& /*folder*/) {
    startListWithBackElement();
}
void ListProgramLinkFolder(const std::string& /*folder*/) {
    startListWithBackElement();
}

// For now only the ".." row; the playlists of the library scan are added later.
bool ListPlaylists() {
    startListWithBackElement();
    return true;
}

void ListJukebox() {
    TElementList& list = startListWithBackElement();
    int position = 0;
    for (const auto& row : gActualTitleList)
        list.add(std::to_string(position++), row.element);
}
