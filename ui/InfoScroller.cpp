#include "ui/InfoScroller.h"

#include "app/Log.h"
#include "input/PressedKeyText.h"
#include "library/ListElement.h"
#include "platform/StartValues.h"

namespace {

const platform::StartValues kStartValues(gInfoScrollerText, gInfoScrollerPos);

} // namespace

void callFunction_Info(const TListElement& element) {
    ShowPressedKeyText("Info");
    LogLine("select title " + element.Describe() + ".");
    gInfoScrollerText = element.InfoText();
    // The scroller's timer steps to the first character at its next tick.
    gInfoScrollerPos = 0;
}

void ResetInfoScroller() {
    kStartValues.restore();
}
