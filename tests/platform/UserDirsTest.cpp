#include "platform/UserDirs.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace platform {
namespace {

using testing::ScopedEnvironment;
using testing::TemporaryFolder;

TEST(UserDirsParse, ResolvesHomeAndAbsolutePaths) {
    const std::string text = "# This file is written by xdg-user-dirs-update\n"
                             "XDG_DESKTOP_DIR=\"$HOME/\"\n"
                             "XDG_PICTURES_DIR=\"$HOME/Bilder\"\r\n"
                             "XDG_MUSIC_DIR=\"/data/Musik/\"\n"
                             "  XDG_VIDEOS_DIR = \"$HOME/Meine \\\"Filme\\\"\"\n"
                             "XDG_DOCUMENTS_DIR=\"Dokumente\"\n"
                             "XDG_TEMPLATES_DIR=\"$HOME/Vorlagen\"\n"
                             "XDG_TEMPLATES_DIR=\"$HOME/Templates\"\n"
                             "#XDG_PUBLICSHARE_DIR=\"$HOME/Public\"\n"
                             "XDG_DOWNLOAD_DIR=$HOME/Downloads\n";
    struct Row {
        std::string key;
        std::optional<std::string> folder;
    };
    const Row rows[] = {
        {"XDG_DESKTOP_DIR", "/home/anna/"},    {"XDG_PICTURES_DIR", "/home/anna/Bilder/"},
        {"XDG_MUSIC_DIR", "/data/Musik/"},     {"XDG_VIDEOS_DIR", "/home/anna/Meine \"Filme\"/"},
        {"XDG_DOCUMENTS_DIR", std::nullopt},   {"XDG_TEMPLATES_DIR", "/home/anna/Templates/"},
        {"XDG_PUBLICSHARE_DIR", std::nullopt}, {"XDG_DOWNLOAD_DIR", "/home/anna/Downloads/"},
        {"XDG_PICTURES", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(parseUserDirsValue(text, row.key, "/home/anna"), row.folder) << row.key;
    }
    EXPECT_EQ(parseUserDirsValue("XDG_MUSIC_DIR=\"$HOME/M\"", "XDG_MUSIC_DIR", "/"), "/M/");
}

class UserDirs : public ::testing::Test {
protected:
    TemporaryFolder home;
    TemporaryFolder config;
    ScopedEnvironment homeVariable{"HOME", home.path()};
    ScopedEnvironment configVariable{"XDG_CONFIG_HOME", config.path()};
};

TEST_F(UserDirs, ReadsTheUserDirsFile) {
    config.writeBytes("user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"
                                        "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                                        "XDG_VIDEOS_DIR=\"/srv/Videos\"\n");
    std::string homeFolder = home.path();
    EXPECT_EQ(userPicturesDirectory(), homeFolder + "Bilder/");
    EXPECT_EQ(userDesktopDirectory(), homeFolder + "Schreibtisch/");
    EXPECT_EQ(userVideosDirectory(), "/srv/Videos/");
    EXPECT_EQ(userMusicDirectory(), homeFolder + "Music/");
}

TEST_F(UserDirs, FallsBackToEnglishNamesInHome) {
    const std::string homeFolder = home.path();
    EXPECT_EQ(userPicturesDirectory(), homeFolder + "Pictures/");
    EXPECT_EQ(userDesktopDirectory(), homeFolder + "Desktop/");
    EXPECT_EQ(userVideosDirectory(), homeFolder + "Videos/");
    EXPECT_EQ(userMusicDirectory(), homeFolder + "Music/");
}

TEST_F(UserDirs, UsesDotConfigWhenXdgConfigHomeIsUnset) {
    ScopedEnvironment noConfigHome("XDG_CONFIG_HOME", std::nullopt);
    std::filesystem::create_directory(home.file(".config"));
    home.writeBytes(".config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Musik\"\n");
    EXPECT_EQ(userMusicDirectory(), home.path() + "Musik/");
}

} // namespace
} // namespace platform
