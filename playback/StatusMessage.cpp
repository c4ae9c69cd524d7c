#include "playback/StatusMessage.h"

#include "app/Mainform.h"

void SetStatusMessage(const std::string& text) {
    gStatusMessage = text;
    if (!MainformExists())
        return;
    platform::Timer& timer = Mainform().Timer_DeleteStatusMessage;
    timer.setEnabled(false);
    timer.setEnabled(true);
}
