#include "ui/Layout.h"

void ComputeScreenLayout() {
    // The list layout is derived here once the screen is drawn from its layout values.
}
