// The program entry: one running copy, the main window, its start-up and the message loop.

#include "app/Log.h"
#include "app/Mainform.h"
#include "app/Program.h"
#include "platform/MessageBox.h"
#include "platform/SingleInstance.h"
#include "platform/Window.h"

int main() {
    platform::SingleInstanceLock instanceLock("ZVN");
    if (!instanceLock.acquired()) {
        platform::showMessageBox("Zuvenmedia", "Das Programm ZVN läuft bereits! Es ist nicht "
                                               "sinnvoll, mehrere Instanzen davon zu starten.");
        return 0;
    }

    platform::SdlSession sdl;
    if (!sdl.ok()) {
        platform::showMessageBox("Zuvenmedia", "Das Fenster kann nicht geöffnet werden.");
        return 1;
    }

    TMainform::Options options;
    options.offerRemoteControl = true;
    TMainform form(options);
    form.FormCreate();
    // The log opens once the main window exists; lines of the start-up are written then.
    TDebugForm debugForm(gProgramDirectory);
    form.FormShow();
    form.run();
    form.FormDestroy();
    return 0;
}
