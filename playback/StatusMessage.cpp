#include "playback/StatusMessage.h"

#include "app/MainformParts.h"
#include "platform/StartValues.h"

namespace {

const platform::StartValues kStartValues(gStatusMessage);

} // namespace

void SetStatusMessage(const std::string& text) {
    gStatusMessage = text;
    Mainform().Timer_DeleteStatusMessage.restart();
}

void ResetStatusMessage() {
    kStartValues.restore();
}
