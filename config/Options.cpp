#include "config/Options.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/MenuModes.h"
#include "config/Config.h"
#include "input/Menubar.h"
#include "input/PressedKeyText.h"

void callFunction_Options() {
    LogLine("enter callFunction_Options()");
    if (gMenuMode == mmOptions) {
        ShowPressedKeyText("Speichere Optionen");
        WriteConfig();
        RestorePreviousMenuMode();
    } else {
        EnterPreviousModeSave();
        SetMenuMode(mmOptions);
        ShowPressedKeyText("Optionen");
        gListElementOffset = 0;
        HightlightTitlebarIndex = 0;
        BuildOptionsList();
        BuildMenubar();
    }
    Mainform().requestRepaint();
}

// Placeholder: the option rows come with the options screen; until then the screen is empty.
void BuildOptionsList() {
    LogLine("enter BuildOptionsList()");
    ReplaceListElements();
}

// Placeholder: changing option values comes with the options screen.
void ChangeOption(int /*step*/) {
    LogLine("enter ChangeOption()");
}
