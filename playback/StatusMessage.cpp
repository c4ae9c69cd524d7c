#include "playback/StatusMessage.h"

#include "app/MainformParts.h"
#include "platform/StartValues.h"

namespace {

const platform::StartValues kStartValues(gStatusMessage);

} // namespace

void SetStatusMessage(const std::string& text) {
    gStatusMessage = text;
    if (!MainformExists())
        return;
    platform::Timer& timer = Mainform().Timer_DeleteStatusMessage;
    timer.setEnabled(false);
    timer.setEnabled(true);
}

void ResetStatusMessage() {
    kStartValues.restore();
}
