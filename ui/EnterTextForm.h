#pragma once

#include "platform/Canvas.h"
#include "ui/Editfield.h"

#include <string>

// The small modal dialog that asks for a name: one edit field, "Abbrechen" and "OK". The
// program draws it itself over the middle of the window; while it is shown the main window
// hands it every key, typed text and click. Main thread only.
class TEnterTextForm {
public:
    static constexpr int kClientWidth = 252;
    static constexpr int kClientHeight = 104;
    static constexpr int kCaptionHeight = 22;
    static constexpr int kBorder = 2;
    static constexpr const char* kCaption = "Name der neuen Playlist";

    // Shows the dialog and runs the main loop nested until OK or cancel (Esc, "Abbrechen", the
    // window closing); true for OK. The field keeps its text between showings, so callers
    // preset it before showing.
    bool ShowModal();
    bool Visible() const { return m_visible; }

    TEditfield& Edit() { return m_edit; }
    const std::string& Text() const { return m_edit.Text(); }

    // Return accepts (OK is the default button), Escape cancels; other keys edit the text.
    void keyDown(int virtualKey);
    void textInput(const std::string& utf8);
    // A left click on a button presses it; clicks elsewhere are ignored.
    void mouseDown(int x, int y);
    void accept() { finish(true); }
    void cancel() { finish(false); }

    // Window positions of the whole dialog (frame and caption included), of its client area
    // and of its two buttons.
    platform::Rect bounds() const;
    platform::Rect clientArea() const;
    platform::Rect okButton() const;
    platform::Rect cancelButton() const;

    void paint(platform::Canvas& canvas) const;

private:
    void finish(bool accepted);
    void placeEditField();

    TEditfield m_edit;
    bool m_visible = false;
    bool m_finished = false;
    bool m_accepted = false;
};

// The program's one text-entry dialog.
inline TEnterTextForm EnterTextForm;

// A hidden dialog with an empty field, as at start-up.
void ResetEnterTextForm();
