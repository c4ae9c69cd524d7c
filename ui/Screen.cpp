#include "ui/Screen.h"

#include "app/MainformParts.h"

platform::Canvas* ScreenCanvas() {
    if (!MainformExists() || !Mainform().window())
        return nullptr;
    return &Mainform().window()->canvas();
}

void PresentScreen() {
    if (MainformExists() && Mainform().window())
        Mainform().window()->present();
}

void RedrawOnScreen(const std::function<void(platform::Canvas&)>& draw) {
    if (platform::Canvas* canvas = ScreenCanvas()) {
        draw(*canvas);
        PresentScreen();
    }
}
