#include "library/PathFunctions.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <vector>

std::string LastFolderLevels(std::string_view folder, int n) {
    const std::size_t wanted = static_cast<std::size_t>(std::clamp(n, 1, 3));
    std::vector<std::string_view> names;
    std::size_t start = 0;
    while (start < folder.size()) {
        std::size_t end = folder.find('/', start);
        if (end == std::string_view::npos)
            end = folder.size();
        if (end > start)
            names.push_back(folder.substr(start, end - start));
        start = end + 1;
    }
    if (names.size() < wanted)
        return {};
    std::string joined;
    for (std::size_t i = names.size() - wanted; i < names.size(); ++i) {
        if (!joined.empty())
            joined += '/';
        joined += names[i];
    }
    return joined;
}

std::string FolderOfPath(std::string_view path) {
    return platform::splitFolderAndName(path).folder;
}

std::string NameOfPath(std::string_view path) {
    return platform::splitFolderAndName(path).name;
}
