#include "app/Program.h"

#include "platform/FileSystem.h"
#include "platform/StartValues.h"

namespace {

const platform::StartValues kStartValues(gProgramDirectory, gFontScale, gScreensaverCoverShown);

} // namespace

float ComputeFontScale(int screenWidth) {
    // Each threshold overrides the one before, so the widest that fits wins.
    struct Step {
        int minWidth;
        float scale;
    };
    static constexpr Step kSteps[] = {{800, 0.6f}, {1000, 0.75f}, {1100, 0.8f}, {1200, 1.0f}};
    float scale = 0.5f;
    for (const Step& step : kSteps) {
        if (screenWidth >= step.minWidth)
            scale = step.scale;
    }
    // The skins' sizes suit screens up to a full-HD width; wider screens (2560, 3840 pixels)
    // have their rows as many times taller, and the texts grow with them.
    if (screenWidth > kFullSizeUpToWidth)
        scale = static_cast<float>(screenWidth) / static_cast<float>(kFullSizeUpToWidth);
    return scale;
}

std::string ProgramFile(const std::string& relativePath) {
    const std::string own = gProgramDirectory + "/" + relativePath;
    const auto exists = [](const std::string& path) {
        return platform::fileExists(path) || platform::directoryExists(path);
    };
    if (exists(own))
        return own;
    const std::string beside = platform::executableDirectory();
    if (!beside.empty() && beside != gProgramDirectory && exists(beside + "/" + relativePath))
        return beside + "/" + relativePath;
    return own;
}

void ResetProgramState() {
    kStartValues.restore();
}
