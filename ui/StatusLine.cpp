#include "ui/StatusLine.h"

#include "app/Mainform.h"

// For now the status line is drawn by the next full paint, which this requests.
void DrawStatusLine() {
    if (MainformExists())
        Mainform().requestRepaint();
}
