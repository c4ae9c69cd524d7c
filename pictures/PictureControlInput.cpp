#include "pictures/PictureControlInput.h"

#include "app/Log.h"

// For now the picture controls only trace their clicks; the full-screen cover and the photo
// view come with their own screens.

void CoverImageClick() {
    LogLine("enter CoverImageClick()");
}

void ImagePhotoMouseDown(int /*button*/, int /*x*/, int /*y*/) {
    LogLine("enter ImagePhotoMouseDown()");
}
