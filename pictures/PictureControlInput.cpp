#include "pictures/PictureControlInput.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MenuModes.h"
#include "pictures/PhotoView.h"

namespace {
constexpr int kLeftButton = 1;
} // namespace

// For now the cover only traces its clicks; the full-screen cover comes with its own screen.

void CoverImageClick() {
    LogLine("enter CoverImageClick()");
}

void ImagePhotoMouseDown(int button, int /*x*/, int /*y*/) {
    LogLine("enter ImagePhotoMouseDown()");
    if (gMenuMode != mmPhotoView)
        return;
    if (button == kLeftButton)
        callDiashowFunction_NextPhoto();
    else
        callFunction_ClosePhotoView();
}
