// config.exe: writes a first Config.ini in the working directory from the user's folders and
// starts the media front end again. Values already in the file are kept.

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/Profile.h"
#include "platform/UserDirs.h"

#include <cstdio>
#include <string>

namespace {

struct DefaultPath {
    const char* key;
    std::string (*folder)();
};

constexpr DefaultPath kPaths[] = {
    {"MP3Path", platform::userMusicDirectory},
    {"FotosPath", platform::userPicturesDirectory},
    {"ProgramLinksPath", platform::userDesktopDirectory},
    {"VideoPath", platform::userVideosDirectory},
};

} // namespace

int main() {
    const std::string directory = platform::currentDirectory();
    const std::string iniPath = directory + "/Config.ini";
    platform::Profile profile = platform::Profile::load(iniPath);
    if (profile.unreadable()) {
        // Writing defaults over a file we could not read would lose the user's settings.
        std::fprintf(stderr, "config.exe: %s cannot be read (%s), left unchanged\n",
                     iniPath.c_str(), profile.readError().c_str());
        return 1;
    }
    for (const DefaultPath& path : kPaths) {
        if (profile.readString("Paths", path.key, "").empty())
            profile.writeString("Paths", path.key, path.folder());
    }
    if (!profile.save(iniPath)) {
        std::fprintf(stderr, "config.exe: %s cannot be written\n", iniPath.c_str());
        return 1;
    }
    const std::string program = directory + "/zuvenmedia";
    if (platform::fileExists(program))
        platform::startDetached(program, {}, directory);
    return 0;
}
