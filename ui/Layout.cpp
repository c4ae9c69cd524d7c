#include "ui/Layout.h"

#include "app/MainformParts.h"
#include "app/Program.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "platform/StartValues.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const platform::StartValues
    kStartValues(gLeftColumnWidth, gHeaderBarRect, gHeaderTextY, gFolderNameX, gFolderNameY,
                 gFolderNameBottom, gStatusLineRect, gStatusTop, gStatusTextX, gStatusTextY,
                 gProgressX, gMediaButtonsLeft, gMediaButtonsY, gTitlebarLeft, gTitlebarRight,
                 gTitlebarSplitLeft, gTitlebarSplitRight, gListTop, gListBottom, gTitlebarHeight,
                 gTitlebarHeightMainmenu, gNumberX, gIconX, gTextX, gLengthX, gRatingX, gNewIconX,
                 gOptionValueX, gScrollbarRect, gCoverRect, gMenubarRect, gMenubarHeight,
                 gMenubarCaptionX, gMenubarIconSize, gPhotoNameRect, gPhotoTitleRect, gIconHeight);

} // namespace

int RoundHalfEven(double x) {
    if (std::isnan(x))
        return 0;
    double rounded = std::floor(x);
    const double fraction = x - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        rounded += 1.0;
    constexpr double kLowest = std::numeric_limits<int>::min();
    constexpr double kHighest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(rounded, kLowest, kHighest));
}

void ComputeScreenLayout() {
    const int W = gIniScreenWidth;
    const int H = gIniScreenHeight;
    if (platform::Window* window = Mainform().window())
        window->setSize(W, H);
    gFontScale = ComputeFontScale(W);

    const int barHeight = H / 20;
    gLeftColumnWidth = RoundHalfEven(W * 0.255);
    gHeaderBarRect = {0, 0, W, barHeight};
    gHeaderTextY = (barHeight - platform::fontPixelHeight(gFontSizeHeaderBar)) / 2;
    gFolderNameX = W / 50 + gLeftColumnWidth;
    gFolderNameY = barHeight + H / 36;
    gFolderNameBottom = gFolderNameY + platform::fontPixelHeight(gFontSizeFolderName);
    gStatusLineRect = {0, H - barHeight, W, H};
    gStatusTop = gStatusLineRect.top;
    gStatusTextX = W / 80;
    gStatusTextY = gStatusTop + (barHeight - platform::fontPixelHeight(gFontSizeStatusbar)) / 2;
    gProgressX = W - RoundHalfEven(W / 6.5);
    // An unloaded picture has the size 0 x 0.
    gMediaButtonsLeft = gProgressX - gSkin.MediaPlayerButtons.width() - 20;
    gMediaButtonsY = gStatusTop + (barHeight - gSkin.MediaPlayerButtons.height()) / 2;
    gTitlebarLeft = W / 50 + gLeftColumnWidth;
    gTitlebarRight = W - W / 25;
    gTitlebarSplitLeft = RoundHalfEven((gTitlebarRight - gTitlebarLeft) * 0.8) + gTitlebarLeft - 2;
    gTitlebarSplitRight = gTitlebarSplitLeft + 4;
    gListTop = H / 38 + gFolderNameBottom;
    gListBottom = gStatusTop - H / 60;
    // The counts are kept at one or more by the configuration; the guard keeps a broken value
    // from dividing by zero.
    gTitlebarHeight = (gListBottom - gListTop) / std::max(1, gIniNumberOfTitlebars);
    gTitlebarHeightMainmenu = (gListBottom - gListTop) / std::max(1, gNumberOfTitlebarsMainmenu);
    gNumberX = gTitlebarLeft + 2;
    gIconX = gTitlebarLeft + W / 28;
    gTextX = gTitlebarLeft + W / 12;
    gLengthX = gTitlebarRight - W / 13;
    gRatingX = gTitlebarRight - RoundHalfEven(W / 6.5);
    gNewIconX = gTitlebarRight - RoundHalfEven(W / 16.0);
    gOptionValueX = gTitlebarSplitRight + W / 80;
    gScrollbarRect = {gTitlebarRight + 8, gListTop, gTitlebarRight + 20, gListBottom - 10};
    gCoverRect = {2, barHeight + 2, gLeftColumnWidth, barHeight + 2 + H / 3};
    gMenubarRect = {0, gCoverRect.bottom + 2, gLeftColumnWidth, gStatusTop - H / 52};
    gMenubarHeight = gMenubarRect.height() / std::max(1, gNumberOfMenubars);
    gMenubarCaptionX = W / 18;
    gMenubarIconSize = RoundHalfEven(gMenubarHeight * 0.58);
    gPhotoNameRect = {10, 5, 440, 28};
    gPhotoTitleRect = {20, H - H / 15, W - 20, H - 2};
}

void ResetScreenLayout() {
    kStartValues.restore();
}
