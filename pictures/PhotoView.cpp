#include "pictures/PhotoView.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "app/MenuModes.h"
#include "app/Program.h"
#include "config/Config.h"
#include "config/Ratings.h"
#include "input/PressedKeyText.h"
#include "pictures/DecodeAhead.h"
#include "platform/Process.h"
#include "platform/StartValues.h"
#include "ui/TitlebarList.h"

#include <algorithm>
#include <memory>

namespace {

const platform::StartValues kStartValues(gDiashowPhotoIndex, gCurrentPhotoTitle,
                                         gCaptionPhotoTitle);

// Main thread only. Made for the loop of the current main window; the window stops it before
// its loop goes.
std::unique_ptr<JpegDecodeAhead> gDecodeAhead;

JpegDecodeAhead& decodeAhead() {
    platform::MainLoop& loop = Mainform().loop();
    if (!gDecodeAhead || &gDecodeAhead->loop() != &loop)
        gDecodeAhead = std::make_unique<JpegDecodeAhead>(loop);
    return *gDecodeAhead;
}

bool havePhotos() {
    return gDiashowPhotoList.count() > 0;
}

} // namespace

void OpenPhotoView(const ListElementPtr& photo) {
    LogLine("show photo \"" + photo->FileName() + "\"");
    SetMenuMode(mmPhotoView);
    Mainform().ImagePhoto.setVisible(true);

    gDiashowPhotoList.clear();
    int others = 0;
    for (int i = 0; i < gListElements->count(); ++i) {
        const ListElementPtr element = gListElements->element(i);
        if (element && element->ElementType() == ListElementType::Photo)
            gDiashowPhotoList.add("", element);
        else
            ++others;
    }
    LogLine("von 0 bis " + std::to_string(gDiashowPhotoList.count()));
    for (int i = 0; i < gDiashowPhotoList.count(); ++i)
        LogLine("gDiashowPhotoList[" + std::to_string(i) +
                "] = " + gDiashowPhotoList.element(i)->FileName());

    // Folders come before photos in a listing, so this is the photo's place among the photos.
    gDiashowPhotoIndex = std::max(0, gListElementOffset + HightlightTitlebarIndex - others);
    ShowPhotoNumber();
}

void ShowPhotoNumber() {
    if (gDiashowPhotoIndex >= gDiashowPhotoList.count())
        gDiashowPhotoIndex = gDiashowPhotoList.count() - 1;
    const ListElementPtr photo = gDiashowPhotoList.element(gDiashowPhotoIndex);
    if (!photo)
        return;
    LogLine("show photo no. " + std::to_string(gDiashowPhotoIndex) + " of diashowPhotoList: \"" +
            photo->Describe() + "\".");
    ShowPhoto(photo);
    Mainform().Timer_DiaShowShowTitle.setEnabled(true);
    // The photo after this one is the likely next step; it is decoded while this one is looked at.
    if (const ListElementPtr next = gDiashowPhotoList.element(gDiashowPhotoIndex + 1))
        decodeAhead().request(next->FullPath(), Mainform().ImagePhoto.DecodeOptions());
}

void ShowPhoto(const ListElementPtr& photo) {
    TMainformParts& form = Mainform();
    form.CoverImage.setVisible(false);
    TCBImage& image = form.ImagePhoto;
    // The bounds first: the control decodes a large photo only as far as the window needs.
    image.setBounds({0, 0, gIniScreenWidth, gIniScreenHeight});
    const std::string path = photo->FullPath();
    if (auto picture = decodeAhead().take(path, image.DecodeOptions()))
        image.ShowPicture(std::move(*picture));
    else
        image.LoadImage(path);
    DrawPhotoCaption();
    gCurrentPhotoTitle = ReadDiashowTitle(photo->Dir(), photo->Name());
    LogLine("gCurrentPhotoTitle=" + gCurrentPhotoTitle);
}

void Timer_DiaShowShowTitleTimer() {
    Mainform().Timer_DiaShowShowTitle.setEnabled(false);
    // The view may have been left within the 50 ms; the caption then belongs to nothing.
    if (gMenuMode == mmPhotoView)
        DrawPhotoCaption();
}

void callDiashowFunction_NextPhoto() {
    LogLine("enter callDiashowFunction_NextPhoto()");
    ShowPressedKeyText("Nächstes Foto");
    if (!havePhotos()) {
        ShowPressedKeyText("???");
        return;
    }
    if (gDiashowPhotoIndex >= gDiashowPhotoList.count() - 1) {
        callFunction_ClosePhotoView();
        return;
    }
    ++gDiashowPhotoIndex;
    ShowPhotoNumber();
}

void callDiashowFunction_PreviousPhoto() {
    LogLine("enter callDiashowFunction_PreviousPhoto()");
    ShowPressedKeyText("Vorheriges Foto");
    if (!havePhotos()) {
        ShowPressedKeyText("???");
        return;
    }
    if (gDiashowPhotoIndex <= 0) {
        callFunction_ClosePhotoView();
        return;
    }
    --gDiashowPhotoIndex;
    ShowPhotoNumber();
}

std::vector<std::string> DiashowArguments() {
    // An argument vector needs no quotes around the folder: blanks and quotes in it arrive as
    // they are.
    return {"/ResX=" + std::to_string(gIniScreenWidth), "/ResY=" + std::to_string(gIniScreenHeight),
            "/Pause=" + std::to_string(gIniDiashowWaitInMS), "/Dir=" + gCurrentDirectory};
}

void callDiashowFunction_StartDiashow() {
    LogLine("enter callDiashowFunction_StartDiashow()");
    const std::string program = ProgramFile("Diashow.exe");
    // The program goes on in mmPhoto whether or not the diashow starts; a failure is only
    // logged.
    if (!platform::startDetached(program, DiashowArguments(), gProgramDirectory))
        LogError(program + " could not be started");
}

void StopPhotoDecodeAhead() {
    gDecodeAhead.reset();
}

void ResetPhotoView() {
    kStartValues.restore();
    gDiashowPhotoList.clear();
    StopPhotoDecodeAhead();
}
