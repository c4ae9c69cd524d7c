#include "pictures/PhotoView.h"

#include "app/Log.h"
#include "input/PressedKeyText.h"
#include "platform/StartValues.h"

namespace {

const platform::StartValues kStartValues(gDiashowPhotoIndex, gCurrentPhotoTitle);

} // namespace

// Placeholders: the full-window photo and the diashow come with the photo viewing; until then
// these routines only announce themselves and show their header text.

void OpenPhotoView(const ListElementPtr& /*photo*/) {
    LogLine("enter OpenPhotoView()");
}

void callDiashowFunction_NextPhoto() {
    LogLine("enter callDiashowFunction_NextPhoto()");
    ShowPressedKeyText("Nächstes Foto");
}

void callDiashowFunction_PreviousPhoto() {
    LogLine("enter callDiashowFunction_PreviousPhoto()");
    ShowPressedKeyText("Vorheriges Foto");
}

void callDiashowFunction_StartDiashow() {
    LogLine("enter callDiashowFunction_StartDiashow()");
}

void ResetPhotoView() {
    kStartValues.restore();
    gDiashowPhotoList.clear();
}
