#pragma once

#include "app/AppState.h"
#include "app/MainformParts.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "config/Skin.h"
#include "platform/Canvas.h"
#include "platform/Window.h"
#include "support/Pixels.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

namespace testsupport {

constexpr platform::Color kWhite = platform::rgb(255, 255, 255);

// A headless 800 x 600 screen with the layout computed for it; every test starts from a white
// canvas and default state, and the skin's pictures are dropped again afterwards.
class DrawingFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        ASSERT_TRUE(session.ok());
        gIniScreenWidth = 800;
        gIniScreenHeight = 600;
        gNumberOfMenubars = 10;
        ComputeScreenLayout();
        canvas.fillRect(platform::Rect{0, 0, 800, 600}, kWhite);
    }
    // The skin's pictures go before the SDL session does.
    void TearDown() override { ResetAllState(); }

    int countPixels(const platform::Rect& area, platform::Color color) const {
        return testsupport::countPixels(canvas, area, color);
    }

    // True when every pixel of the area has the same colour in both canvases.
    static bool sameArea(const platform::Canvas& a, const platform::Canvas& b,
                         const platform::Rect& area) {
        return testsupport::differingPixels(a, b, area) == 0;
    }

    platform::SdlSession session;
    platform::Canvas canvas{800, 600};
    // The main window's timers and controls, without a window.
    platform::ManualClock clock{0};
    TMainformParts parts{&clock};
};

} // namespace testsupport
