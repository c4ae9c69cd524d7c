#include "platform/GlWindow.h"

#include "platform/JpegDecoder.h"
#include "platform/Log.h"

#include <SDL.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace platform {

namespace {

// Without a display that waits for its refresh, frames are spaced at least this far apart.
constexpr Uint32 kFrameIntervalMs = 16;

struct GlErrorName {
    GLenum code;
    const char* name;
};
constexpr GlErrorName kGlErrorNames[] = {
    {GL_INVALID_ENUM, "GL_INVALID_ENUM"},           {GL_INVALID_VALUE, "GL_INVALID_VALUE"},
    {GL_INVALID_OPERATION, "GL_INVALID_OPERATION"}, {GL_STACK_OVERFLOW, "GL_STACK_OVERFLOW"},
    {GL_STACK_UNDERFLOW, "GL_STACK_UNDERFLOW"},     {GL_OUT_OF_MEMORY, "GL_OUT_OF_MEMORY"},
};

// OpenGL's pending error as its name; empty when there is none. Clears every pending error.
std::string takeGlError() {
    std::string description;
    for (GLenum code = glGetError(); code != GL_NO_ERROR; code = glGetError()) {
        if (!description.empty())
            continue;
        description = "OpenGL error " + std::to_string(code);
        for (const GlErrorName& entry : kGlErrorNames) {
            if (entry.code == code)
                description = entry.name;
        }
    }
    return description;
}

// Buffer objects are OpenGL 1.5; they are fetched from the driver, so older drivers still run
// on client-side vertex arrays.
} // namespace

struct GlWindow::BufferFunctions {
    PFNGLGENBUFFERSPROC genBuffers = nullptr;
    PFNGLDELETEBUFFERSPROC deleteBuffers = nullptr;
    PFNGLBINDBUFFERPROC bindBuffer = nullptr;
    PFNGLBUFFERDATAPROC bufferData = nullptr;
    PFNGLMAPBUFFERPROC mapBuffer = nullptr;
    PFNGLUNMAPBUFFERPROC unmapBuffer = nullptr;

    bool complete() const {
        return genBuffers && deleteBuffers && bindBuffer && bufferData && mapBuffer && unmapBuffer;
    }
};

namespace {

template <typename Function> void fetch(Function& function, const char* name) {
    function = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
}

bool hasBmpExtension(std::string_view path) {
    if (path.size() < 4)
        return false;
    std::string_view extension = path.substr(path.size() - 4);
    return SDL_strncasecmp(extension.data(), ".bmp", 4) == 0;
}

SDL_Window* createWindow(const std::string& title, int greenBits) {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, greenBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    return SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 800,
                            600, SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP);
}

} // namespace

GlWindow::GlWindow(OpenKey) {}

GlOpenResult GlWindow::open(const std::string& title) {
    GlOpenResult result;
    const auto fail = [&result](GlOpenFailure failure) {
        // Taken before the clean-up, which may set errors of its own.
        result.description = SDL_GetError();
        result.failure = failure;
        result.window.reset();
        return std::move(result);
    };
    result.window = std::make_unique<GlWindow>(OpenKey{});
    GlWindow& self = *result.window;

    if (SDL_GL_LoadLibrary(nullptr) != 0)
        return fail(GlOpenFailure::NoOpenGL);
    self.m_libraryLoaded = true;

    // 16-bit colour is the least the show asks for; a driver may well give more.
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    self.m_window = createWindow(title, 6);
    if (!self.m_window)
        self.m_window = createWindow(title, 5);
    if (!self.m_window)
        return fail(GlOpenFailure::NoMode);

    self.m_context = SDL_GL_CreateContext(self.m_window);
    if (!self.m_context || SDL_GL_MakeCurrent(self.m_window, self.m_context) != 0)
        return fail(GlOpenFailure::NoContext);
    self.m_vsync = SDL_GL_SetSwapInterval(1) == 0;
    self.m_buffers = std::make_unique<BufferFunctions>();
    BufferFunctions& functions = *self.m_buffers;
    fetch(functions.genBuffers, "glGenBuffers");
    fetch(functions.deleteBuffers, "glDeleteBuffers");
    fetch(functions.bindBuffer, "glBindBuffer");
    fetch(functions.bufferData, "glBufferData");
    fetch(functions.mapBuffer, "glMapBuffer");
    fetch(functions.unmapBuffer, "glUnmapBuffer");
    SDL_GL_GetDrawableSize(self.m_window, &self.m_width, &self.m_height);
    return result;
}

GlWindow::~GlWindow() {
    if (m_context) {
        SDL_GL_MakeCurrent(m_window, m_context);
        if (!m_textures.empty())
            glDeleteTextures(static_cast<GLsizei>(m_textures.size()), m_textures.data());
        if (m_vertexBuffer != 0)
            m_buffers->deleteBuffers(1, &m_vertexBuffer);
        SDL_GL_MakeCurrent(m_window, nullptr);
        SDL_GL_DeleteContext(m_context);
    }
    if (m_window)
        SDL_DestroyWindow(m_window);
    if (m_libraryLoaded)
        SDL_GL_UnloadLibrary();
}

std::uint32_t GlWindow::windowId() const {
    return SDL_GetWindowID(m_window);
}

GlWindow::BufferFailure GlWindow::createVertexBuffer(std::span<const GlVertex> vertices,
                                                     std::string& description) {
    const BufferFunctions& functions = *m_buffers;
    if (!functions.complete()) {
        m_clientVertices.assign(vertices.begin(), vertices.end());
        return BufferFailure::None;
    }
    takeGlError();
    functions.genBuffers(1, &m_vertexBuffer);
    functions.bindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    const auto bytes = static_cast<GLsizeiptr>(vertices.size_bytes());
    functions.bufferData(GL_ARRAY_BUFFER, bytes, nullptr, GL_STATIC_DRAW);
    description = takeGlError();
    if (m_vertexBuffer == 0 || !description.empty())
        return BufferFailure::Create;
    void* mapped = functions.mapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY);
    if (!mapped) {
        description = takeGlError();
        return BufferFailure::Lock;
    }
    std::memcpy(mapped, vertices.data(), vertices.size_bytes());
    // A buffer whose contents were lost while it was mapped is filled again from the start.
    if (functions.unmapBuffer(GL_ARRAY_BUFFER) == GL_FALSE) {
        mapped = functions.mapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY);
        if (!mapped) {
            description = takeGlError();
            return BufferFailure::Lock;
        }
        std::memcpy(mapped, vertices.data(), vertices.size_bytes());
        functions.unmapBuffer(GL_ARRAY_BUFFER);
    }
    return BufferFailure::None;
}

GlTexture GlWindow::loadTexture(const std::string& path, std::string& error) {
    JpegOptions options;
    options.fitWidth = kTextureFitSize;
    options.fitHeight = kTextureFitSize;
    const Picture picture = hasBmpExtension(path) ? Picture::loadBmp(path, &error)
                                                  : loadJpegFile(path, options, &error);
    if (picture.empty() && error.empty())
        error = "The picture cannot be read";
    return loadTexture(picture, error);
}

GlTexture GlWindow::loadTexture(const Picture& picture, std::string& error) {
    if (picture.empty()) {
        if (error.empty())
            error = "No picture";
        return 0;
    }
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (picture.width() > largest || picture.height() > largest) {
        error = "The picture is larger than the largest texture (" + std::to_string(largest) +
                " pixels)";
        return 0;
    }
    takeGlError();
    GlTexture texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Pictures are 32-bit pixels, blue in the lowest byte, rows of pitch bytes.
    const SDL_Surface* surface = picture.surface();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, surface->pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, picture.width(), picture.height(), 0, GL_BGRA,
                 GL_UNSIGNED_BYTE, surface->pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    // No mipmaps: a reduced texture takes the nearest texel, a magnified one is smoothed.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    error = takeGlError();
    if (!error.empty()) {
        glDeleteTextures(1, &texture);
        return 0;
    }
    m_textures.push_back(texture);
    return texture;
}

void GlWindow::setRenderStates() {
    // On screen, y grows upwards in OpenGL as on the monitor, so a face that turns clockwise
    // there is kept: the front face is the clockwise one and the back faces go.
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
}

void GlWindow::setProjection(const RowMatrix& matrix) {
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(matrix.data());
}

void GlWindow::setViewAndWorld(const RowMatrix& view, const RowMatrix& world) {
    // Column vectors: view^T * world^T = (world * view)^T, the row-vector order.
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.data());
    glMultMatrixf(world.data());
}

Rect fourByThreeViewport(int width, int height) {
    int shownWidth = width;
    int shownHeight = height;
    if (width * 3 > height * 4)
        shownWidth = height * 4 / 3;
    else
        shownHeight = width * 3 / 4;
    const int left = (width - shownWidth) / 2;
    const int top = (height - shownHeight) / 2;
    return {left, top, left + shownWidth, top + shownHeight};
}

void GlWindow::applyViewport() {
    // The bars are alike, so the rectangle's top is also its distance from the bottom.
    const Rect shown = fourByThreeViewport(m_width, m_height);
    glViewport(shown.left, shown.top, shown.width(), shown.height());
}

void GlWindow::clear() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void GlWindow::drawTriangles(GlTexture texture, int firstVertex, int triangleCount) {
    applyViewport();
    const char* base = nullptr;
    if (m_vertexBuffer != 0)
        m_buffers->bindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    else if (!m_clientVertices.empty())
        base = reinterpret_cast<const char*>(m_clientVertices.data());
    else
        return;
    constexpr GLsizei stride = sizeof(GlVertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, base + offsetof(GlVertex, x));
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, base + offsetof(GlVertex, u));
    if (texture != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
    } else {
        glDisable(GL_TEXTURE_2D);
        glColor4ub(0, 0, 0, 255);
    }
    glDrawArrays(GL_TRIANGLES, firstVertex, triangleCount * 3);
}

void GlWindow::present() {
    SDL_GL_SwapWindow(m_window);
    if (m_vsync)
        return;
    const Uint32 now = SDL_GetTicks();
    const Uint32 since = now - m_lastPresentTicks;
    if (since < kFrameIntervalMs)
        SDL_Delay(kFrameIntervalMs - since);
    m_lastPresentTicks = SDL_GetTicks();
}

Color GlWindow::readPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return kInvalidColor;
    std::uint8_t rgba[4] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, m_height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return rgb(rgba[0], rgba[1], rgba[2]);
}

} // namespace platform
