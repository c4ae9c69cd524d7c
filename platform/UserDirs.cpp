#include "platform/UserDirs.h"

#include "platform/FileSystem.h"
#include "platform/TextFile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

namespace {

struct StandardFolder {
    std::string_view key;
    std::string_view fallbackName;
};

constexpr StandardFolder kPictures{"XDG_PICTURES_DIR", "Pictures"};
constexpr StandardFolder kDesktop{"XDG_DESKTOP_DIR", "Desktop"};
constexpr StandardFolder kVideos{"XDG_VIDEOS_DIR", "Videos"};
constexpr StandardFolder kMusic{"XDG_MUSIC_DIR", "Music"};

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// A shell word in double quotes, backslash escapes resolved; unquoted text is taken as it is.
std::string unquote(std::string_view value) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        return std::string(value);
    }
    value = value.substr(1, value.size() - 2);
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            ++i;
        }
        out.push_back(value[i]);
    }
    return out;
}

std::string userDirsFilePath(const std::string& home) {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const std::string folder = (configHome != nullptr && *configHome == '/')
                                   ? withTrailingSlash(configHome)
                                   : withTrailingSlash(home) + ".config/";
    return folder + "user-dirs.dirs";
}

std::string standardFolder(const StandardFolder& folder) {
    const std::string home = homeDirectory();
    if (const auto text = readTextFile(userDirsFilePath(home))) {
        if (auto configured = parseUserDirsValue(*text, folder.key, home)) {
            return std::move(*configured);
        }
    }
    return withTrailingSlash(home) + std::string(folder.fallbackName) + "/";
}

} // namespace

std::optional<std::string> parseUserDirsValue(std::string_view text, std::string_view key,
                                              const std::string& home) {
    std::optional<std::string> found;
    const std::string base = home.ends_with('/') ? home.substr(0, home.size() - 1) : home;
    for (const auto& rawLine : splitLines(text)) {
        const std::string_view line = trimBlanks(rawLine);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || trimBlanks(line.substr(0, equals)) != key) {
            continue;
        }
        const std::string value = unquote(trimBlanks(line.substr(equals + 1)));
        if (value == "$HOME" || value.starts_with("$HOME/")) {
            found = withTrailingSlash(base + value.substr(5));
        } else if (value.starts_with('/')) {
            found = withTrailingSlash(value);
        }
    }
    return found;
}

std::string homeDirectory() {
    std::string home;
    const char* variable = std::getenv("HOME");
    if (variable != nullptr && *variable != '\0') {
        home = variable;
    } else if (const passwd* account = ::getpwuid(::getuid()); account != nullptr) {
        home = account->pw_dir;
    } else {
        home = "/";
    }
    while (home.size() > 1 && home.back() == '/') {
        home.pop_back();
    }
    return home;
}

std::string userPicturesDirectory() {
    return standardFolder(kPictures);
}
std::string userDesktopDirectory() {
    return standardFolder(kDesktop);
}
std::string userVideosDirectory() {
    return standardFolder(kVideos);
}
std::string userMusicDirectory() {
    return standardFolder(kMusic);
}

} // namespace platform
