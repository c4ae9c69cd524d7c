#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The user's standard folders as the desktop names them in user-dirs.dirs
// ($XDG_CONFIG_HOME, else ~/.config), else $HOME/Pictures/, $HOME/Desktop/, $HOME/Videos/
// and $HOME/Music/. Every result ends in "/".
std::string userPicturesDirectory();
std::string userDesktopDirectory();
std::string userVideosDirectory();
std::string userMusicDirectory();

// The folder that the text of a user-dirs.dirs file gives for `key` (such as
// "XDG_PICTURES_DIR"), "$HOME" replaced by `home`, with a final "/". Empty optional when the
// key is absent or its value is neither "$HOME..." nor an absolute path. The last assignment
// of a key wins, as when the file is read by a shell.
std::optional<std::string> parseUserDirsValue(std::string_view text, std::string_view key,
                                              const std::string& home);

// $HOME, else the home folder of the user's account; without a final "/".
std::string homeDirectory();

} // namespace platform
