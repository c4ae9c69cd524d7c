#include "ui/OptionsList.h"

#include "app/AppState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "library/ElementList.h"
#include "library/ListElement.h"
#include "platform/Canvas.h"
#include "ui/Layout.h"

#include <string>

namespace {

using platform::Canvas;
using platform::FontSpec;
using platform::Picture;
using platform::Rect;

FontSpec rowFont(int pointSize, bool bold = false, bool italic = false) {
    return FontSpec{gFontName, pointSize, bold, italic, gFontColorTitlebarBig};
}

const Picture& groupIcon(std::uint8_t group) {
    switch (group) {
    case 1:
        return gSkin.IconOptiongroupMusic;
    case 2:
        return gSkin.IconOptiongroupPhoto;
    default:
        return gSkin.IconOptiongroupGeneral;
    }
}

} // namespace

std::string OptionValueText(const TListElement& option) {
    if (option.OptionKind() == kOptionKindYesNo)
        return option.OptionValue() == 1 ? "Ja" : "Nein";
    return option.choice(option.OptionValue());
}

void DrawOptionsList(Canvas& canvas) {
    const int pitch = gTitlebarHeight;
    const int bigHeight = platform::fontPixelHeight(gFontSizeTitlebarBig);
    const int smallHeight = platform::fontPixelHeight(gFontSizeTitlebarSmall);
    canvas.setTextBackground(true);
    for (int i = 0; i < gIniNumberOfTitlebars; ++i) {
        const int n = gListElementOffset + i;
        const int top = gListTop + i * pitch;
        const int barBottom = gListTop + (i + 1) * pitch - 3;
        const int centredY = top + (pitch - bigHeight) / 2;
        // Caption and value each have a bar of their own, without frame lines.
        const platform::Color bar =
            i == HightlightTitlebarIndex ? gColorTitlebarHighlight : gColorTitlebar;
        canvas.fillRect({gTitlebarLeft, top, gTitlebarSplitLeft, barBottom}, bar);
        canvas.fillRect({gTitlebarSplitRight, top, gTitlebarRight, barBottom}, bar);

        const ListElementPtr element = gListElements->element(n);
        if (!element)
            continue;
        canvas.setFont(rowFont(gFontSizeTitlebarSmall));
        canvas.textOut(gNumberX, top + (pitch - smallHeight) / 2, std::to_string(n));

        if (element->ElementType() != ListElementType::Option) {
            canvas.setFont(rowFont(gFontSizeTitlebarBig, true, true));
            canvas.textRect({gTextX, centredY, gTitlebarSplitLeft - 1, barBottom}, gTextX, centredY,
                            element->FileName());
            continue;
        }
        canvas.drawTransparent(gIconX, top + (pitch - gIconHeight) / 2 - 2,
                               groupIcon(element->OptionGroupNo()));
        canvas.setFont(rowFont(gFontSizeTitlebarBig));
        canvas.textRect(
            {gTextX, top + 1, gTitlebarSplitLeft - 1, gListTop + (i + 1) * pitch - bigHeight / 2},
            gTextX, top + 1, element->OptionCaption());
        const int descriptionY = top + bigHeight + 2;
        canvas.setFont(rowFont(gFontSizeTitlebarSmall));
        canvas.textRect({gTextX, descriptionY, gTitlebarSplitLeft - 1, barBottom}, gTextX,
                        descriptionY, element->OptionDescription());
        canvas.setFont(rowFont(gFontSizeTitlebarBig));
        canvas.textRect({gOptionValueX, centredY, gTitlebarRight - 1, barBottom}, gOptionValueX,
                        centredY, OptionValueText(*element));
        if (i == HightlightTitlebarIndex)
            canvas.drawTransparent(gTitlebarRight - 32, top + (pitch - 32) / 2 + 3,
                                   gSkin.KeyLeftOrRight);
    }
    canvas.setFont(FontSpec{gFontName, gFontSizeFolderName, true, false, gFontColorFolderName});
    canvas.textOut(gFolderNameX, gFolderNameY, kOptionsHeaderText);
}
