#include "pictures/CoverShow3D.h"

#include "app/Log.h"
#include "input/PressedKeyText.h"

// Placeholder: the 3D window comes with the 3D cover show.
void callFunction_3DCoverShow() {
    LogLine("enter callFunction_3DCoverShow()");
    ShowPressedKeyText("3D-CoverShow");
}
