#pragma once

#include "platform/Event.h"
#include "platform/GlWindow.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

// The rotating CD case of the 3D cover show: a box from x = -1 to 1, y = -1 to 1, z = -0.1
// (front) to 0.01 (back), seven quads of two triangles, in the order hinge strip, front, left
// side, back, right side, top, bottom.
inline constexpr int kCoverCaseVertexCount = 42;
const std::array<platform::GlVertex, kCoverCaseVertexCount>& CoverCaseVertices();

// The matrices of the show, for row vectors (a vertex goes v * world * view * projection).
// The camera at (0, 0, -5.5) looks at the origin, y up, left-handed.
platform::RowMatrix CoverShowViewMatrix();
// Left-handed perspective: vertical field of view pi/4, aspect 4:3, near 1, far 100.
platform::RowMatrix CoverShowProjectionMatrix();
// Roll about z first, then pitch about x, then yaw about y.
platform::RowMatrix YawPitchRollMatrix(float yaw, float pitch, float roll);
// The case turned by the angles about its own centre, then moved to z = -2.
platform::RowMatrix CoverShowWorldMatrix(float yaw, float pitch, float roll);

// The modal window of the 3D cover show. The caller sets the four picture files, then runs
// ShowModal; the show ends on Esc, a mouse button, a close of its window or an error. While it
// is shown it takes the main window's input (ActiveDirect3DForm). Main thread only.
class TDirect3DForm {
public:
    static constexpr float kYawStep = 0.01f;
    static constexpr float kPitchSpeed = 0.003f;
    static constexpr float kPitchLimit = 0.3f;

    TDirect3DForm() = default;
    ~TDirect3DForm();
    TDirect3DForm(const TDirect3DForm&) = delete;
    TDirect3DForm& operator=(const TDirect3DForm&) = delete;

    std::string FrontFile;
    std::string BackFile;
    std::string HingeFile;
    std::string SideFile;

    // Shows the form and runs the main loop nested, rendering from its idle step, until the
    // form is closed or the program ends. The main window's timers keep running meanwhile.
    void ShowModal();

    void FormShow();
    void InitDevice();
    void InitScene();
    // Turns the case one step and, with a window, draws and presents the frame.
    void RenderFrame();
    // Draws the case at the current angles into the frame being built (no present).
    void DrawScene();
    // Reports a failure (the platform's description, then the text, or the text alone), releases
    // everything and closes the form.
    void ShowError(const std::string& text) { ShowError({}, text); }
    void ShowError(const std::string& description, const std::string& text);
    // The idle step of the modal loop: renders a frame while animating. True when it wants to
    // run again at once.
    bool Idle();
    // Esc closes, Space stops and restarts the rotation.
    void FormKeyDown(int virtualKey);
    // Any mouse button closes.
    void FormMouseDown(int button);
    // Releases the window with its buffer and textures; the form is closed.
    void FormClose();

    // The main window's input while the form is shown; true when the form took the event.
    bool handleEvent(const platform::Event& event);

    bool Closed() const { return m_closed; }
    bool Animating() const { return m_animating; }
    float Yaw() const { return m_yaw; }
    float Pitch() const { return m_pitch; }
    float Roll() const { return m_roll; }
    float PitchSpeed() const { return m_pitchSpeed; }
    void SetAngles(float yaw, float pitch, float roll);
    // The window while it is open (the "device"); null before InitDevice and after closing.
    platform::GlWindow* Device() const { return m_device.get(); }

private:
    void drawQuads(platform::GlTexture texture, std::initializer_list<int> firstVertices);
    platform::GlTexture loadTexture(const std::string& path, std::string& error);

    std::unique_ptr<platform::GlWindow> m_device;
    platform::GlTexture m_front = 0;
    platform::GlTexture m_back = 0;
    platform::GlTexture m_hinge = 0;
    platform::GlTexture m_side = 0;
    float m_yaw = 0.0f;
    float m_pitch = 0.0f;
    float m_roll = 0.0f;
    float m_pitchSpeed = kPitchSpeed;
    bool m_animating = false;
    bool m_closed = false;
};

// The form being shown, which takes the main window's input; null when none is shown.
TDirect3DForm* ActiveDirect3DForm();

// How the show opens its window: platform::GlWindow::open unless a test replaces it (to stand
// for a machine without OpenGL). An empty function restores the platform's.
using GlWindowOpener = std::function<platform::GlOpenResult(const std::string& title)>;
void SetGlWindowOpener(GlWindowOpener opener);
// No form shown, the platform's opener.
void ResetCoverShow3D();

// 3DCOVERSHOW: the covers of the current folder on a rotating CD case, full screen, until Esc
// or a click. The back shows the skin's black picture when the folder has no back cover.
void callFunction_3DCoverShow();
