#include "app/ResetAllState.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/Program.h"
#include "config/Config.h"
#include "config/Ratings.h"
#include "config/Skin.h"
#include "input/Dispatch.h"
#include "input/Keyboard.h"
#include "input/Menubar.h"
#include "input/Mouse.h"
#include "input/PressedKeyText.h"
#include "library/CoverLookup.h"
#include "library/FolderInfoWorker.h"
#include "library/LibraryScan.h"
#include "pictures/CoverShow3D.h"
#include "pictures/CoverView.h"
#include "pictures/PhotoView.h"
#include "playback/Jukebox.h"
#include "playback/Players.h"
#include "playback/Playlists.h"
#include "playback/StatusMessage.h"
#include "playback/Video.h"
#include "playback/WaveVolume.h"
#include "speech/SpeechVoice.h"
#include "ui/Editfield.h"
#include "ui/EnterTextForm.h"
#include "ui/InfoScroller.h"
#include "ui/Layout.h"
#include "ui/MenubarDrawing.h"
#include "ui/Paint.h"
#include "ui/TitleAnimation.h"

void ResetAllState() {
    ResetFolderInfoWorkers();

    ResetLogState();
    ResetProgramState();
    ResetApplicationState();

    ResetConfigDefaults();
    // After the settings: the skin's defaults include the row and slot counts it overrides.
    ResetSkinDefaults();
    ResetRatings();

    ResetLibraryLists();
    ResetCoverLookup();

    ResetMenubar();
    ResetDispatchState();
    ResetPressedKeyText();
    ResetKeyboardState();
    ResetMouseState();

    ResetPlayers();
    ResetRandom();
    ResetPlaylistState();
    ResetStatusMessage();
    ResetVideoPanel();
    ResetWaveVolume();
    ResetSpeechVoice();

    ResetCoverView();
    ResetCoverShow3D();
    ResetPhotoView();

    ResetScreenLayout();
    ResetInfoScroller();
    ResetTitleAnimation();
    ResetMenubarDrawing();
    ResetEditfield();
    ResetEnterTextForm();
    ResetPaintCache();
}
