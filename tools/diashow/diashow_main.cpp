// Diashow.exe: the full-screen slide show the media front end starts on a photo folder:
//   Diashow.exe /ResX=800 /ResY=600 /Pause=2000 /Dir=/home/user/Bilder/Urlaub/

#include "pictures/SlideShow.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    platform::SteadyClock clock;
    std::string message;
    const int code = RunDiashow(args, clock, message);
    if (code == 2)
        std::fprintf(stderr, "%s\n", message.c_str());
    else if (code != 0)
        // Started from the media front end nobody sees a terminal, so a box says it.
        platform::showMessageBox("Diashow", message);
    return code;
}
