#include "input/PressedKeyText.h"

#include "app/MainformParts.h"

void ShowPressedKeyText(const std::string& text) {
    gPressedKeyText = text;
    TMainformParts& form = Mainform();
    // Installed here so that the timer clears the text whoever set up the form's handlers.
    form.Timer_ShowPressedKey.setHandler(Timer_ShowPressedKeyTimer);
    form.Timer_ShowPressedKey.setInterval(kPressedKeyTextMs);
    form.Timer_ShowPressedKey.restart();
    form.requestRepaint();
}

void Timer_ShowPressedKeyTimer() {
    gPressedKeyText.clear();
    Mainform().Timer_ShowPressedKey.setEnabled(false);
    Mainform().requestRepaint();
}

void ResetPressedKeyText() {
    gPressedKeyText.clear();
}
