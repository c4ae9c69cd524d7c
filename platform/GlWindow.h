#pragma once

#include "platform/Canvas.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct SDL_Window;

namespace platform {

// One vertex of a textured triangle list: position, a diffuse colour (ARGB) and texture
// coordinates, 24 bytes as a vertex buffer stores it. The diffuse colour is kept but never
// drawn: a textured face shows its texture only.
struct GlVertex {
    float x, y, z;
    std::uint32_t diffuse;
    float u, v;
};
static_assert(sizeof(GlVertex) == 24);

// A 4x4 matrix for row vectors (v' = v * M), rows one after another. Its memory is exactly
// what OpenGL's fixed-function pipeline reads as the transposed, column-vector matrix, so it
// is handed over unchanged.
using RowMatrix = std::array<float, 16>;

// A texture of a GlWindow; 0 stands for none.
using GlTexture = unsigned int;

class GlWindow;

// Covers are shown at a few hundred pixels; bigger scans are decoded reduced to cover this
// size.
inline constexpr int kTextureFitSize = 1024;

// The largest 4:3 rectangle centred in a window of this size, where the picture is drawn; the
// bars beside or above and below it stay black.
Rect fourByThreeViewport(int width, int height);

// What keeps a full-screen OpenGL window from opening, in the order the steps run.
enum class GlOpenFailure {
    None,
    NoOpenGL,  // the video driver has no OpenGL, or its library cannot be loaded
    NoMode,    // no window with 16-bit colour (5/6/5, else 5/5/5 bits) can be made
    NoContext, // the window exists, but no OpenGL context can be created on it
};

struct GlOpenResult {
    std::unique_ptr<GlWindow> window; // null on failure
    GlOpenFailure failure = GlOpenFailure::None;
    std::string description; // SDL's reason for the failure
};

// A full-screen (desktop-sized) SDL window with its own OpenGL context, drawn with the
// fixed-function pipeline. The window owns its vertex buffer and textures; destroying it
// releases them, the context, the window and the OpenGL library, in that order. The picture
// keeps a 4:3 shape: a centred 4:3 viewport with black bars on a wider or taller screen.
// Main thread only.
class GlWindow {
    struct OpenKey {};

public:
    static GlOpenResult open(const std::string& title);
    // Only open() makes windows.
    explicit GlWindow(OpenKey);
    ~GlWindow();
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;

    int width() const { return m_width; }
    int height() const { return m_height; }
    SDL_Window* handle() const { return m_window; }
    // The window's SDL id, as window events carry it.
    std::uint32_t windowId() const;

    // The one vertex buffer: created, mapped for writing, filled and unmapped. On failure the
    // result says which step failed and description holds OpenGL's error name.
    enum class BufferFailure { None, Create, Lock };
    BufferFailure createVertexBuffer(std::span<const GlVertex> vertices, std::string& description);

    // Loads a BMP (by its extension) or JPEG file as a texture; 0 when it cannot be read,
    // decoded or created, with the reason in error.
    GlTexture loadTexture(const std::string& path, std::string& error);
    // A picture decoded elsewhere as a texture (decode it to fit kTextureFitSize).
    GlTexture loadTexture(const Picture& picture, std::string& error);

    // Faces turning counter-clockwise on screen are culled; no lighting, no depth test; a
    // texture's colour replaces the vertex colour; magnified textures are filtered linearly.
    void setRenderStates();
    void setProjection(const RowMatrix& matrix);
    // The camera and the object's placement: a vertex goes through world, then view.
    void setViewAndWorld(const RowMatrix& view, const RowMatrix& world);

    void clear();
    // Draws triangleCount triangles of the vertex buffer from firstVertex on; without a
    // texture the faces are black.
    void drawTriangles(GlTexture texture, int firstVertex, int triangleCount);
    // Shows the frame; waits for the display's refresh where the driver can, so frames drawn
    // back to back do not keep a processor busy.
    void present();
    // The colour at window pixel (x, y) (y downwards) of the frame being drawn, before present.
    Color readPixel(int x, int y) const;

private:
    struct BufferFunctions;
    void applyViewport();

    SDL_Window* m_window = nullptr;
    void* m_context = nullptr;
    bool m_libraryLoaded = false;
    int m_width = 0;
    int m_height = 0;
    bool m_vsync = false;
    std::uint32_t m_lastPresentTicks = 0;
    std::unique_ptr<BufferFunctions> m_buffers; // fetched once the context is current
    unsigned int m_vertexBuffer = 0;
    std::vector<GlVertex> m_clientVertices; // when the driver has no buffer objects
    std::vector<GlTexture> m_textures;
};

} // namespace platform
