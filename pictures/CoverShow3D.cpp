#include "pictures/CoverShow3D.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "config/Skin.h"
#include "input/PressedKeyText.h"
#include "library/CoverLookup.h"
#include "platform/FileSystem.h"
#include "platform/KeyMap.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"

#define GLM_ENABLE_EXPERIMENTAL
#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>
#include <glm/glm.hpp>
#include <glm/gtc/constants.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <glm/gtx/euler_angles.hpp>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

using platform::GlVertex;
using platform::RowMatrix;

constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kMagenta = 0xFFFF00FF;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kCyan = 0xFF00FFFF;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kYellow = 0xFFFFFF00;

struct Corner {
    float x, y, z;
};

// One quad as a triangle list: P0, P1, P2, P2, P3, P0, the picture's bottom left at P0 and its
// top left at P1.
constexpr std::array<GlVertex, 6> quad(Corner p0, Corner p1, Corner p2, Corner p3,
                                       std::uint32_t diffuse) {
    const GlVertex v0{p0.x, p0.y, p0.z, diffuse, 0.0f, 1.0f};
    const GlVertex v1{p1.x, p1.y, p1.z, diffuse, 0.0f, 0.0f};
    const GlVertex v2{p2.x, p2.y, p2.z, diffuse, 1.0f, 0.0f};
    const GlVertex v3{p3.x, p3.y, p3.z, diffuse, 1.0f, 1.0f};
    return {v0, v1, v2, v2, v3, v0};
}

constexpr float kFront = -0.1f;
constexpr float kBack = 0.01f;
constexpr float kHingeEdge = -0.83f;

// The back is laid out mirrored in x, so its picture reads correctly once the case has turned.
constexpr std::array<std::array<GlVertex, 6>, 7> kQuads = {{
    quad({-1, -1, kFront}, {-1, 1, kFront}, {kHingeEdge, 1, kFront}, {kHingeEdge, -1, kFront},
         kBlue),
    quad({kHingeEdge, -1, kFront}, {kHingeEdge, 1, kFront}, {1, 1, kFront}, {1, -1, kFront}, kBlue),
    quad({-1, -1, kBack}, {-1, 1, kBack}, {-1, 1, kFront}, {-1, -1, kFront}, kMagenta),
    quad({1, -1, kBack}, {1, 1, kBack}, {-1, 1, kBack}, {-1, -1, kBack}, kGreen),
    quad({1, -1, kFront}, {1, 1, kFront}, {1, 1, kBack}, {1, -1, kBack}, kCyan),
    quad({-1, 1, kFront}, {-1, 1, kBack}, {1, 1, kBack}, {1, 1, kFront}, kRed),
    quad({1, -1, kFront}, {1, -1, kBack}, {-1, -1, kBack}, {-1, -1, kFront}, kYellow),
}};

constexpr int kHingeVertex = 0;
constexpr int kFrontVertex = 6;
constexpr int kLeftSideVertex = 12;
constexpr int kBackVertex = 18;
constexpr int kRightSideVertex = 24;
constexpr int kTopVertex = 30;
constexpr int kBottomVertex = 36;
constexpr int kTrianglesPerQuad = 2;

// glm keeps column-vector matrices column by column. A row-vector matrix is the transpose of the
// column-vector one, so its rows, one after another, are the same floats in the same order.
RowMatrix rowMatrix(const glm::mat4& columnVectorMatrix) {
    RowMatrix result;
    std::memcpy(result.data(), glm::value_ptr(columnVectorMatrix), sizeof(result));
    return result;
}

glm::mat4 yawPitchRoll(float yaw, float pitch, float roll) {
    return glm::yawPitchRoll(yaw, pitch, roll);
}

// Main thread only.
TDirect3DForm* gActiveForm = nullptr;
GlWindowOpener gOpener;

platform::GlOpenResult openWindow(const std::string& title) {
    return gOpener ? gOpener(title) : platform::GlWindow::open(title);
}

std::vector<std::string> jpegNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : platform::listDirectory(folder, "*.jpg", platform::EntryFilter::Plain))
        names.push_back(entry.name);
    return names;
}

} // namespace

const std::array<GlVertex, kCoverCaseVertexCount>& CoverCaseVertices() {
    static const std::array<GlVertex, kCoverCaseVertexCount> vertices = [] {
        std::array<GlVertex, kCoverCaseVertexCount> all{};
        auto out = all.begin();
        for (const auto& face : kQuads)
            out = std::copy(face.begin(), face.end(), out);
        return all;
    }();
    return vertices;
}

RowMatrix CoverShowViewMatrix() {
    return rowMatrix(
        glm::lookAtLH(glm::vec3(0.0f, 0.0f, -5.5f), glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f)));
}

RowMatrix CoverShowProjectionMatrix() {
    return rowMatrix(glm::perspectiveLH_ZO(glm::quarter_pi<float>(), 4.0f / 3.0f, 1.0f, 100.0f));
}

RowMatrix YawPitchRollMatrix(float yaw, float pitch, float roll) {
    return rowMatrix(yawPitchRoll(yaw, pitch, roll));
}

RowMatrix CoverShowWorldMatrix(float yaw, float pitch, float roll) {
    // Rotation first, then translation: for column vectors the translation stands on the left.
    const glm::mat4 translation = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -2.0f));
    return rowMatrix(translation * yawPitchRoll(yaw, pitch, roll));
}

TDirect3DForm::~TDirect3DForm() {
    FormClose();
}

void TDirect3DForm::ShowModal() {
    m_closed = false;
    TDirect3DForm* const previous = std::exchange(gActiveForm, this);
    FormShow();
    if (!m_closed && MainformExists())
        Mainform().loop().runModal([this] { return m_closed; }, [this] { return Idle(); });
    gActiveForm = previous;
}

void TDirect3DForm::FormShow() {
    InitDevice();
    InitScene();
    RenderFrame();
}

void TDirect3DForm::InitDevice() {
    platform::GlOpenResult opened = openWindow("Zuvenmedia 3D-CoverShow");
    switch (opened.failure) {
    case platform::GlOpenFailure::None:
        m_device = std::move(opened.window);
        return;
    case platform::GlOpenFailure::NoOpenGL:
        LogLine("OpenGL: " + opened.description);
        ShowError("Fehler beim Erstellen von Direct3D!");
        return;
    case platform::GlOpenFailure::NoMode:
        LogLine("OpenGL: " + opened.description);
        ShowError("Der erforderliche D3D Modus wird von Ihrer Karte nicht unterstützt");
        return;
    case platform::GlOpenFailure::NoContext:
        ShowError(opened.description, "Fehler beim Erzeugen des 3D-Device");
        return;
    }
}

platform::GlTexture TDirect3DForm::loadTexture(const std::string& path, std::string& error) {
    if (path.empty()) {
        error = "no picture";
        return 0;
    }
    platform::GlTexture texture = 0;
    if (IsEmbeddedCoverName(path)) {
        platform::JpegOptions options;
        options.fitWidth = platform::kTextureFitSize;
        options.fitHeight = platform::kTextureFitSize;
        texture = m_device->loadTexture(DecodeEmbeddedCover(path, options, &error), error);
    } else {
        texture = m_device->loadTexture(path, error);
    }
    if (texture == 0)
        LogLine("Texture " + path + ": " + error);
    return texture;
}

void TDirect3DForm::InitScene() {
    if (!m_device)
        return;
    std::string description;
    switch (m_device->createVertexBuffer(CoverCaseVertices(), description)) {
    case platform::GlWindow::BufferFailure::None:
        break;
    case platform::GlWindow::BufferFailure::Create:
        LogLine("OpenGL: " + description);
        ShowError("Fehler beim Erstellen des Vertex Buffers");
        return;
    case platform::GlWindow::BufferFailure::Lock:
        LogLine("OpenGL: " + description);
        ShowError("Fehler beim Locken des Vertex-Buffers");
        return;
    }

    m_device->setRenderStates();
    m_device->setProjection(CoverShowProjectionMatrix());

    // A missing front, back or side picture leaves that face black; only the hinge is needed.
    std::string error;
    m_front = loadTexture(FrontFile, error);
    m_back = loadTexture(BackFile, error);
    m_side = loadTexture(SideFile, error);
    m_hinge = loadTexture(HingeFile, error);
    if (m_hinge == 0) {
        ShowError("Fehler beim Laden der Textur");
        return;
    }
    m_animating = true;
}

void TDirect3DForm::RenderFrame() {
    m_yaw += kYawStep;
    m_pitch += m_pitchSpeed;
    // Rocks between about -0.3 and 0.3 while it turns.
    if (!(m_pitch < kPitchLimit) || m_pitch <= -kPitchLimit)
        m_pitchSpeed = -m_pitchSpeed;
    if (!m_device)
        return;
    DrawScene();
    m_device->present();
}

void TDirect3DForm::drawQuads(platform::GlTexture texture, std::initializer_list<int> firsts) {
    for (int first : firsts)
        m_device->drawTriangles(texture, first, kTrianglesPerQuad);
}

void TDirect3DForm::DrawScene() {
    if (!m_device)
        return;
    m_device->clear();
    m_device->setViewAndWorld(CoverShowViewMatrix(), CoverShowWorldMatrix(m_yaw, m_pitch, m_roll));
    drawQuads(m_hinge, {kHingeVertex});
    drawQuads(m_front, {kFrontVertex});
    drawQuads(m_side, {kLeftSideVertex, kRightSideVertex, kTopVertex, kBottomVertex});
    drawQuads(m_back, {kBackVertex});
}

void TDirect3DForm::ShowError(const std::string& description, const std::string& text) {
    const std::string message = description.empty() ? text : description + "\r" + text;
    FormClose();
    platform::showErrorMessageBox(message);
}

bool TDirect3DForm::Idle() {
    if (!m_device)
        return false;
    if (!m_animating)
        return false; // a still picture waits for input instead of being drawn again
    RenderFrame();
    return true;
}

void TDirect3DForm::FormKeyDown(int virtualKey) {
    if (virtualKey == platform::vk::Escape)
        FormClose();
    else if (virtualKey == platform::vk::Space)
        m_animating = !m_animating;
}

void TDirect3DForm::FormMouseDown(int /*button*/) {
    FormClose();
}

void TDirect3DForm::FormClose() {
    m_animating = false;
    m_front = m_back = m_hinge = m_side = 0;
    m_device.reset();
    m_closed = true;
}

bool TDirect3DForm::handleEvent(const platform::Event& event) {
    using Type = platform::Event::Type;
    const bool ownWindow =
        m_device && event.windowId != 0 && event.windowId == m_device->windowId();
    switch (event.type) {
    case Type::KeyDown:
        // A key still counts as activity for the screensaver.
        if (MainformExists() && Mainform().Timer_Screensaver.enabled())
            Mainform().Timer_Screensaver.restart();
        FormKeyDown(event.key);
        return true;
    case Type::MouseButtonDown:
        FormMouseDown(event.button);
        return true;
    case Type::KeyUp:
    case Type::TextInput:
    case Type::MouseButtonUp:
    case Type::MouseMotion:
    case Type::MouseWheel:
        return true;
    case Type::Quit:
        // Closing the show's own window ends the show, not the program.
        if (!ownWindow)
            return false;
        FormClose();
        return true;
    case Type::Exposed:
        if (!ownWindow)
            return false;
        if (!m_animating) {
            DrawScene();
            m_device->present();
        }
        return true;
    }
    return false;
}

void TDirect3DForm::SetAngles(float yaw, float pitch, float roll) {
    m_yaw = yaw;
    m_pitch = pitch;
    m_roll = roll;
}

TDirect3DForm* ActiveDirect3DForm() {
    return gActiveForm;
}

void SetGlWindowOpener(GlWindowOpener opener) {
    gOpener = std::move(opener);
}

void ResetCoverShow3D() {
    gActiveForm = nullptr;
    gOpener = nullptr;
}

void callFunction_3DCoverShow() {
    LogLine("enter callFunction_3DCoverShow()");
    ShowPressedKeyText("3D-CoverShow");

    const std::vector<std::string> names = jpegNames(gCurrentDirectory);
    const std::optional<std::string> front = ChooseFrontCover(names);
    const std::optional<std::string> back = ChooseBackCover(names);

    TDirect3DForm form;
    const std::string skin = SkinDirectory() + "/";
    // A folder without picture files shows the cover embedded in its first title.
    form.FrontFile = front ? gCurrentDirectory + *front : EmbeddedFrontCover(gCurrentDirectory);
    form.BackFile = back ? gCurrentDirectory + *back : skin + "3d_cdcover_black.bmp";
    form.HingeFile = skin + "3d_cdcover_vornelinks.bmp";
    form.SideFile = skin + "3d_cdcover_seitenwand.bmp";

    const bool cursorWasVisible = platform::cursorVisible();
    platform::setCursorVisible(false);
    form.ShowModal();
    form.FormClose();
    platform::setCursorVisible(cursorWasVisible);
    if (MainformExists())
        Mainform().requestRepaint();
}
