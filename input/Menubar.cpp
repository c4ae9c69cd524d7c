#include "input/Menubar.h"

// For now every mode gets an empty menubar; the command sets per mode are not built yet.
void BuildMenubar() {
    gMenubarItems.clear();
}
