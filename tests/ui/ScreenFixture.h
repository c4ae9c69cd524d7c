#pragma once

#include "app/AppState.h"
#include "app/MainformParts.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "config/Ratings.h"
#include "config/Skin.h"
#include "library/CoverLookup.h"
#include "platform/Canvas.h"
#include "platform/Window.h"
#include "playback/Players.h"
#include "support/Pixels.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace screentest {

using platform::Canvas;
using platform::Color;
using platform::Rect;
using platform::rgb;

// Colours chosen so that every part of a row can be told apart by its pixels.
constexpr Color kUntouched = rgb(1, 2, 3);
constexpr Color kHighlight = rgb(240, 220, 40);
constexpr Color kBar = rgb(20, 20, 20);
constexpr Color kFrame = rgb(200, 0, 0);
constexpr Color kTrack = rgb(0, 0, 200);
constexpr Color kThumb = rgb(0, 200, 0);
constexpr Color kText = rgb(0, 255, 255);
constexpr Color kBackground = rgb(5, 50, 5);

using testsupport::countPixels;
using testsupport::countPixelsOtherThan;
using testsupport::differingPixels;

// Pixels in the area that are not the bar's colour: the text and icons drawn on it.
inline int inkOn(const Canvas& canvas, const Rect& area, Color barColor) {
    return countPixelsOtherThan(canvas, area, barColor);
}

inline ListElementPtr makeElement(ListElementType type, const std::string& fileName,
                                  const std::string& dir = "/media/Musik/Band/") {
    return std::make_shared<TListElement>(type, dir, fileName, 0.0, 0);
}

// 800 x 600, 10 titlebars, hand-set skin colours and fonts, an empty list in a music folder,
// drawn onto a canvas filled with kUntouched.
class ScreenFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        ASSERT_TRUE(sdl.ok());
        gIniScreenWidth = 800;
        gIniScreenHeight = 600;
        gIniNumberOfTitlebars = 10;
        gNumberOfTitlebarsMainmenu = 8;
        gColorTitlebarHighlight = kHighlight;
        gColorTitlebar = kBar;
        gColorTitlebarFrame = kFrame;
        gColorScrollbarBack = kTrack;
        gColorScrollbar = kThumb;
        gFontColorTitlebarBig = kText;
        gFontColorFolderName = kText;
        gFontSizeTitlebarBig = 12;
        gFontSizeTitlebarSmall = 8;
        gFontSizeFolderName = 12;
        gSkin.Background = platform::Picture::create(8, 8, kBackground);
        ComputeScreenLayout();
        gMenuMode = mmMusic;
        gCurrentDirectory = "/media/Musik/Band/";
        canvas.fillRect({0, 0, canvas.width(), canvas.height()}, kUntouched);
    }

    // n plain MP3 titles without tag information.
    void fillList(int n) {
        TElementList& list = ReplaceListElements();
        for (int i = 0; i < n; ++i)
            list.add(std::to_string(i),
                     makeElement(ListElementType::MP3, "T" + std::to_string(i) + ".mp3"));
    }

    // The bar of screen row i: (left, top, right, bottom) as drawn.
    static Rect bar(int row) {
        return {gTitlebarLeft, gListTop + row * gTitlebarHeight, gTitlebarRight,
                gListTop + (row + 1) * gTitlebarHeight - 3};
    }

    platform::SdlSession sdl;
    Canvas canvas{800, 600};
    // The main window's timers and controls, without a window.
    platform::ManualClock clock{0};
    TMainformParts parts{&clock};
};

} // namespace screentest
