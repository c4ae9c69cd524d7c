// config.exe: the first-run set-up of the media front end. Without options it shows the set-up
// full screen and, once saved, starts the program; with options it writes them into Config.ini
// of the working directory for scripts (`config.exe --help` tells which).

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "ui/SetupScreen.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    platform::SteadyClock clock;
    std::string out, err;
    const int code = RunConfigProgram(args, platform::currentDirectory(), clock, out, err);
    std::fputs(out.c_str(), stdout);
    std::fputs(err.c_str(), stderr);
    return code;
}
