#include "pictures/PictureControlInput.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MenuModes.h"
#include "pictures/PhotoView.h"

namespace {
constexpr int kLeftButton = 1;
} // namespace

void ImagePhotoMouseDown(int button, int /*x*/, int /*y*/) {
    LogLine("enter ImagePhotoMouseDown()");
    if (gMenuMode != mmPhotoView)
        return;
    if (button == kLeftButton)
        callDiashowFunction_NextPhoto();
    else
        callFunction_ClosePhotoView();
}
