#pragma once

#include <array>
#include <string_view>

// The name masks of the files listed as music titles (element type MP3), MP3 first. mpv plays
// all of them; the program reads the frames of MP3 files itself and everything else through
// the tag reader.
inline constexpr std::array<std::string_view, 7> kMusicTitleMasks = {
    "*.mp3", "*.flac", "*.ogg", "*.oga", "*.opus", "*.m4a", "*.aac"};
