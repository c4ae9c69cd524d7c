#include "ui/Screen.h"

#include "app/MainformParts.h"

platform::Canvas* ScreenCanvas() {
    platform::Window* window = Mainform().window();
    return window ? &window->canvas() : nullptr;
}

void PresentScreen() {
    if (platform::Window* window = Mainform().window())
        window->present();
}

void RedrawOnScreen(const std::function<void(platform::Canvas&)>& draw) {
    if (platform::Canvas* canvas = ScreenCanvas()) {
        draw(*canvas);
        PresentScreen();
    }
}
