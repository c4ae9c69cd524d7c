#include "ui/TitleAnimation.h"

#include "app/AppState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "platform/Canvas.h"
#include "playback/Players.h"
#include "ui/Layout.h"
#include "ui/Screen.h"

#include <array>
#include <optional>

namespace {

// The icon's offset from its resting place at each step: right and down in pixels.
struct Offset {
    int dx, dy;
};
constexpr std::array<Offset, 12> kOffsets = {{
    {-4, 3},
    {-2, -1},
    {-1, -2},
    {0, -3},
    {1, -2},
    {2, -1},
    {4, 3},
    {2, -1},
    {1, -2},
    {0, -3},
    {-1, -2},
    {-2, -1},
}};

// Where the playing title stands: its screen row and the element shown there.
struct AnimatedRow {
    int row = 0;
    ListElementPtr element;
};

// The screen row of an element index, if it is on screen.
std::optional<int> visibleRow(int index) {
    const int row = index - gListElementOffset;
    if (row < 0 || row >= gIniNumberOfTitlebars)
        return std::nullopt;
    return row;
}

std::optional<AnimatedRow> animatedRow() {
    if (!gPlayingTitle || MusicPlayerMode() == platform::PlayerMode::Paused)
        return std::nullopt;
    if (gMenuMode == mmJukebox) {
        // The jukebox view lists the queue after its "..", the playing title first.
        if (const std::optional<int> row = visibleRow(1))
            return AnimatedRow{*row, gListElements->element(1)};
        return std::nullopt;
    }
    if (gMenuMode != mmPlaylist &&
        !(gMenuMode == mmMusic && gPlayingTitle->Dir() == gCurrentDirectory))
        return std::nullopt;
    for (int i = 0; i < gListElements->count(); ++i) {
        const ListElementPtr element = gListElements->element(i);
        const bool playable = element && (element->ElementType() == ListElementType::MP3 ||
                                          element->ElementType() == ListElementType::Video);
        if (playable && element->FileName() == gPlayingTitle->FileName()) {
            if (const std::optional<int> row = visibleRow(i))
                return AnimatedRow{*row, element};
            return std::nullopt;
        }
    }
    return std::nullopt;
}

const platform::Picture* iconOf(const TListElement* element) {
    if (!element)
        return nullptr;
    switch (element->ElementType()) {
    case ListElementType::MP3:
        return &gSkin.IconMusic;
    case ListElementType::Video:
        return &gSkin.IconVideo;
    default:
        return nullptr;
    }
}

} // namespace

void ResetTitleAnimation() {
    gTitleAnimationStep = 0;
}

void Timer_AnimateCurrentTitleTimer() {
    if (animatedRow())
        MarkForRepaint(ScreenRegion::TitleAnimation);
}

void DrawTitleAnimation(platform::Canvas& canvas) {
    const std::optional<AnimatedRow> found = animatedRow();
    if (!found)
        return;
    const int top = gListTop + found->row * gTitlebarHeight;
    const platform::Color fill =
        found->row == HightlightTitlebarIndex ? gColorTitlebarHighlight : gColorTitlebar;
    canvas.fillRect({gIconX - 5, top + 1, gIconX + 32 + 5, top + gTitlebarHeight - 3}, fill);
    const platform::Picture* icon = iconOf(found->element.get());
    if (!icon)
        return;
    const Offset offset = kOffsets[static_cast<std::size_t>(gTitleAnimationStep) % kOffsets.size()];
    canvas.drawTransparent(gIconX + offset.dx, top + (gTitlebarHeight - 32) / 2 - 2 + offset.dy,
                           *icon);
    gTitleAnimationStep = gTitleAnimationStep >= 11 ? 0 : gTitleAnimationStep + 1;
}
