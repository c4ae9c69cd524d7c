#include "platform/Canvas.h"

#include "platform/Encoding.h"
#include "platform/Fonts.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

// Every canvas and every loaded picture uses this format, so that copies need no conversion.
// Without an alpha channel a saved screenshot is opaque whatever text blending left behind.
constexpr Uint32 kPixelFormat = SDL_PIXELFORMAT_XRGB8888;
constexpr Uint32 kRgbMask = 0x00FFFFFF;

// Scaling a picture that sticks out of the canvas goes through a scratch surface of the
// destination's size; beyond this size the unsmoothed path draws only the visible part.
constexpr long long kMaxScratchPixels = 16LL * 1024 * 1024;

SurfacePtr createSurface(int width, int height) {
    if (width < 1 || height < 1)
        return nullptr;
    return SurfacePtr(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, kPixelFormat));
}

bool inCanvasFormat(const SDL_Surface* surface) {
    return surface->format->format == kPixelFormat && !SDL_MUSTLOCK(surface);
}

// A copy in the canvas format, or null when the surface already has it (or cannot be copied).
SurfacePtr convertedCopy(SDL_Surface* surface) {
    if (inCanvasFormat(surface))
        return nullptr;
    return SurfacePtr(SDL_ConvertSurfaceFormat(surface, kPixelFormat, 0));
}

Uint32 toPixel(Color color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

Color fromPixel(Uint32 pixel) {
    return ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16);
}

Uint32* row(SDL_Surface* surface, int y) {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
}

const Uint32* row(const SDL_Surface* surface, int y) {
    return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                           y * surface->pitch);
}

SDL_Rect toSdl(const Rect& rect) {
    return SDL_Rect{rect.left, rect.top, rect.width(), rect.height()};
}

// The part of rect inside a width x height surface; empty (width or height 0) when none is.
Rect visiblePart(const Rect& rect, int width, int height) {
    return rect.intersected(Rect{0, 0, width, height});
}

Color readPixel(SDL_Surface* surface, int x, int y) {
    if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h)
        return kInvalidColor;
    if (inCanvasFormat(surface))
        return fromPixel(row(surface, y)[x]);
    // Pictures made elsewhere may have any format.
    if (SDL_LockSurface(surface) != 0)
        return kInvalidColor;
    const int bytes = surface->format->BytesPerPixel;
    const Uint8* at = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bytes;
    Uint32 value = 0;
    SDL_memcpy(&value, at, static_cast<std::size_t>(std::min(bytes, 4)));
    if (bytes == 3 && SDL_BYTEORDER == SDL_BIG_ENDIAN)
        value >>= 8;
    SDL_UnlockSurface(surface);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return rgb(r, g, b);
}

// Nearest-neighbour copy of source scaled to dest, clipped to target; pixels of the key colour
// are left out when keyed.
void copyNearest(const SDL_Surface* source, SDL_Surface* target, const Rect& dest, bool keyed,
                 Color keyColor) {
    const Rect visible = visiblePart(dest, target->w, target->h);
    if (visible.isEmpty() || dest.isEmpty())
        return;
    std::vector<int> sourceX(static_cast<std::size_t>(visible.width()));
    for (int x = visible.left; x < visible.right; ++x) {
        sourceX[static_cast<std::size_t>(x - visible.left)] =
            static_cast<int>(static_cast<long long>(x - dest.left) * source->w / dest.width());
    }
    const Uint32 key = toPixel(keyColor);
    for (int y = visible.top; y < visible.bottom; ++y) {
        const int sourceY =
            static_cast<int>(static_cast<long long>(y - dest.top) * source->h / dest.height());
        const Uint32* from = row(source, sourceY);
        Uint32* to = row(target, y) + visible.left;
        for (int sx : sourceX) {
            const Uint32 pixel = from[sx];
            if (!keyed || (pixel & kRgbMask) != key)
                *to = pixel;
            ++to;
        }
    }
}

} // namespace

int fontPixelHeight(int points) {
    if (points <= 0)
        points = 8;
    // No screen text is this large; the limit keeps the arithmetic below and the font
    // library's own inside the int range.
    constexpr int kMaxPoints = 1000;
    if (points > kMaxPoints)
        points = kMaxPoints;
    // points * 96 / 72, rounded to the nearest pixel
    return (points * 4 + 1) / 3;
}

void SurfaceDeleter::operator()(SDL_Surface* surface) const {
    SDL_FreeSurface(surface);
}

Picture Picture::loadBmp(const std::string& path, std::string* error) {
    const auto fail = [error]() {
        if (error)
            *error = SDL_GetError();
        return Picture();
    };
    SurfacePtr loaded(SDL_LoadBMP(path.c_str()));
    if (!loaded)
        return fail();
    SurfacePtr converted(SDL_ConvertSurfaceFormat(loaded.get(), kPixelFormat, 0));
    if (!converted)
        return fail();
    if (error)
        error->clear();
    // A bitmap is copied as it is; any alpha channel of the file plays no part.
    SDL_SetSurfaceBlendMode(converted.get(), SDL_BLENDMODE_NONE);
    return Picture(std::move(converted));
}

Picture Picture::create(int width, int height, Color fill) {
    SurfacePtr surface = createSurface(width, height);
    if (!surface)
        return Picture();
    SDL_FillRect(surface.get(), nullptr, toPixel(fill));
    return Picture(std::move(surface));
}

Picture Picture::fromRgb24(int width, int height, const std::uint8_t* rgbData, int stride) {
    if (!rgbData || stride < width * 3)
        return Picture();
    SurfacePtr surface = createSurface(width, height);
    if (!surface)
        return Picture();
    if (SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB24, rgbData, stride, kPixelFormat,
                          surface->pixels, surface->pitch) != 0)
        return Picture();
    return Picture(std::move(surface));
}

int Picture::width() const {
    return m_surface ? m_surface->w : 0;
}

int Picture::height() const {
    return m_surface ? m_surface->h : 0;
}

Color Picture::pixel(int x, int y) const {
    return readPixel(m_surface.get(), x, y);
}

void Picture::setPixel(int x, int y, Color color) {
    if (!m_surface || x < 0 || y < 0 || x >= m_surface->w || y >= m_surface->h)
        return;
    SDL_Rect at{x, y, 1, 1};
    Uint8 r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    SDL_FillRect(m_surface.get(), &at, SDL_MapRGB(m_surface->format, r, g, b));
}

Canvas::Canvas(int width, int height) : m_surface(createSurface(width, height)) {}

Canvas::~Canvas() = default;

int Canvas::width() const {
    return m_surface ? m_surface->w : 0;
}

int Canvas::height() const {
    return m_surface ? m_surface->h : 0;
}

void Canvas::resize(int width, int height) {
    if (width == this->width() && height == this->height())
        return;
    SurfacePtr resized = createSurface(width, height);
    // What was drawn stays where it was until the next paint covers the new area.
    if (resized && m_surface)
        SDL_BlitSurface(m_surface.get(), nullptr, resized.get(), nullptr);
    m_surface = std::move(resized);
}

void Canvas::fillRect(const Rect& rect, Color color) {
    if (!m_surface || rect.isEmpty())
        return;
    SDL_Rect area = toSdl(rect);
    SDL_FillRect(m_surface.get(), &area, toPixel(color));
}

void Canvas::line(int x1, int y1, int x2, int y2, Color color) {
    if (!m_surface || (x1 == x2 && y1 == y2))
        return;
    if (y1 == y2) {
        fillRect(Rect{std::min(x1, x2 + 1), y1, std::max(x1 + 1, x2), y1 + 1}, color);
        return;
    }
    if (x1 == x2) {
        fillRect(Rect{x1, std::min(y1, y2 + 1), x1 + 1, std::max(y1 + 1, y2)}, color);
        return;
    }
    // Bresenham in 64 bits, so that far-away end points cannot overflow.
    const Uint32 pixel = toPixel(color);
    long long x = x1, y = y1;
    const long long dx = std::llabs(static_cast<long long>(x2) - x1);
    const long long dy = -std::llabs(static_cast<long long>(y2) - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    long long error = dx + dy;
    const int width = m_surface->w, height = m_surface->h;
    while (x != x2 || y != y2) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            row(m_surface.get(), static_cast<int>(y))[x] = pixel;
        const long long doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void Canvas::setFont(const FontSpec& font) {
    m_font = font;
}

void Canvas::setTextBackground(bool transparent, Color color) {
    m_textTransparent = transparent;
    m_textBackground = color;
}

void Canvas::drawText(const Rect& clip, int x, int y, const std::string& text, bool fillClip) {
    if (!m_surface)
        return;
    const Rect visible = visiblePart(clip, m_surface->w, m_surface->h);
    if (visible.isEmpty())
        return;
    TTF_Font* font = cachedFont(m_font);
    if (!m_textTransparent) {
        Rect cell = visible;
        if (!fillClip) {
            const int cellHeight = font ? TTF_FontHeight(font) : fontPixelHeight(m_font.pointSize);
            cell = Rect{x, y, x + textWidth(text), y + cellHeight};
            cell = visiblePart(cell, m_surface->w, m_surface->h);
        }
        fillRect(cell, m_textBackground);
    }
    if (!font || text.empty())
        return;
    const SDL_Color foreground{static_cast<Uint8>(m_font.color & 0xFF),
                               static_cast<Uint8>((m_font.color >> 8) & 0xFF),
                               static_cast<Uint8>((m_font.color >> 16) & 0xFF), 255};
    // Names are bytes and may be Windows-1252; the font needs the letters they stand for.
    SurfacePtr rendered(TTF_RenderUTF8_Blended(font, decodeName(text).c_str(), foreground));
    if (!rendered)
        return;
    SDL_Rect clipRect = toSdl(visible);
    SDL_SetClipRect(m_surface.get(), &clipRect);
    SDL_Rect target{x, y, rendered->w, rendered->h};
    SDL_BlitSurface(rendered.get(), nullptr, m_surface.get(), &target);
    SDL_SetClipRect(m_surface.get(), nullptr);
}

void Canvas::textOut(int x, int y, const std::string& text) {
    drawText(Rect{0, 0, width(), height()}, x, y, text, false);
}

void Canvas::textRect(const Rect& clip, int x, int y, const std::string& text) {
    drawText(clip, x, y, text, true);
}

int Canvas::textWidth(const std::string& text) {
    TTF_Font* font = cachedFont(m_font);
    if (!font || text.empty())
        return 0;
    int w = 0, h = 0;
    if (TTF_SizeUTF8(font, decodeName(text).c_str(), &w, &h) != 0)
        return 0;
    return w;
}

int Canvas::textHeight(const std::string&) {
    TTF_Font* font = cachedFont(m_font);
    return font ? TTF_FontHeight(font) : fontPixelHeight(m_font.pointSize);
}

void Canvas::draw(int x, int y, const Picture& picture) {
    stretchDraw(Rect{x, y, x + picture.width(), y + picture.height()}, picture);
}

void Canvas::drawBlended(int x, int y, const Picture& picture, int opacity) {
    if (!m_surface || picture.empty() || opacity <= 0)
        return;
    if (opacity >= 255) {
        draw(x, y, picture);
        return;
    }
    SurfacePtr converted = convertedCopy(picture.surface());
    SDL_Surface* source = converted ? converted.get() : picture.surface();
    if (!inCanvasFormat(source))
        return;
    // The canvas' own alpha channel is left alone: only the colours are mixed.
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceAlphaMod(source, static_cast<Uint8>(opacity));
    SDL_Rect target{x, y, source->w, source->h};
    SDL_BlitSurface(source, nullptr, m_surface.get(), &target);
    SDL_SetSurfaceAlphaMod(source, 255);
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
}

void Canvas::stretchDraw(const Rect& dest, const Picture& picture) {
    if (!m_surface || picture.empty() || dest.isEmpty())
        return;
    SurfacePtr converted = convertedCopy(picture.surface());
    SDL_Surface* source = converted ? converted.get() : picture.surface();
    if (!inCanvasFormat(source))
        return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_Rect target = toSdl(dest);
    if (dest.width() == source->w && dest.height() == source->h) {
        SDL_BlitSurface(source, nullptr, m_surface.get(), &target);
        return;
    }
    const Rect visible = visiblePart(dest, m_surface->w, m_surface->h);
    if (visible.isEmpty())
        return;
    const bool inside = visible.width() == dest.width() && visible.height() == dest.height();
    if (inside && SDL_SoftStretchLinear(source, nullptr, m_surface.get(), &target) == 0)
        return;
    if (!inside && static_cast<long long>(dest.width()) * dest.height() <= kMaxScratchPixels) {
        SurfacePtr scratch = createSurface(dest.width(), dest.height());
        if (scratch && SDL_SoftStretchLinear(source, nullptr, scratch.get(), nullptr) == 0) {
            SDL_BlitSurface(scratch.get(), nullptr, m_surface.get(), &target);
            return;
        }
    }
    copyNearest(source, m_surface.get(), dest, false, 0);
}

void Canvas::drawTransparent(int x, int y, const Picture& picture, Color keyColor) {
    stretchDrawTransparent(Rect{x, y, x + picture.width(), y + picture.height()}, picture,
                           keyColor);
}

void Canvas::stretchDrawTransparent(const Rect& dest, const Picture& picture, Color keyColor) {
    if (!m_surface || picture.empty() || dest.isEmpty())
        return;
    SurfacePtr converted = convertedCopy(picture.surface());
    const SDL_Surface* source = converted ? converted.get() : picture.surface();
    if (!inCanvasFormat(source))
        return;
    copyNearest(source, m_surface.get(), dest, true, keyColor & kRgbMask);
}

Color Canvas::pixel(int x, int y) const {
    return readPixel(m_surface.get(), x, y);
}

bool Canvas::savePng(const std::string& path) const {
    return m_surface && IMG_SavePNG(m_surface.get(), path.c_str()) == 0;
}

Picture Canvas::snapshot() const {
    if (!m_surface)
        return Picture();
    return Picture(SurfacePtr(SDL_DuplicateSurface(m_surface.get())));
}

} // namespace platform
