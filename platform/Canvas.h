#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

struct SDL_Surface;

namespace platform {

// Colours are 24-bit integers, red in the low byte, green in the middle, blue in the high byte.
using Color = std::uint32_t;
constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr Color kSilver = rgb(192, 192, 192);
// What pixel() answers for a position outside the surface.
constexpr Color kInvalidColor = 0xFFFFFFFF;

// Pixel height of a font's character cell for a point size at 96 dpi (points * 4 / 3, rounded
// as the screen arithmetic of the fonts does); sizes of 0 or below count as 8 points, sizes
// above 1000 as 1000.
int fontPixelHeight(int points);

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom exclusive
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return width() <= 0 || height() <= 0; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    // The part inside both; where they do not overlap, an empty rectangle of no negative size.
    Rect intersected(const Rect& other) const {
        Rect common{std::max(left, other.left), std::max(top, other.top),
                    std::min(right, other.right), std::min(bottom, other.bottom)};
        common.right = std::max(common.right, common.left);
        common.bottom = std::max(common.bottom, common.top);
        return common;
    }
    bool operator==(const Rect&) const = default;
};

struct FontSpec {
    std::string name = "Arial"; // resolved through fontconfig
    int pointSize = 8;          // 0 means 8 points; pixel height: fontPixelHeight()
    bool bold = false;
    bool italic = false;
    Color color = 0;
};

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const;
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// A picture in memory (a 32-bit surface).
class Picture {
public:
    Picture() = default;
    explicit Picture(SurfacePtr surface) : m_surface(std::move(surface)) {}
    // An empty picture when the file cannot be read or decoded; then error (when given) holds
    // the reason.
    static Picture loadBmp(const std::string& path, std::string* error = nullptr);
    // A picture of the given size filled with one colour; empty for a size below 1.
    static Picture create(int width, int height, Color fill = 0);
    // Copies 8-bit red, green, blue triples (rows of stride bytes); empty for a size below 1.
    static Picture fromRgb24(int width, int height, const std::uint8_t* rgb, int stride);
    bool empty() const { return !m_surface; }
    int width() const;
    int height() const;
    Color pixel(int x, int y) const; // kInvalidColor outside the picture
    void setPixel(int x, int y, Color color);
    SDL_Surface* surface() const { return m_surface.get(); }

private:
    SurfacePtr m_surface;
};

// Draws into a 32-bit software surface, the back buffer of the window. Main thread only: the
// fonts come from a cache shared by every canvas.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const;
    int height() const;
    void resize(int width, int height);
    SDL_Surface* surface() const { return m_surface.get(); }

    void fillRect(const Rect& rect, Color color);
    // One pixel wide, from (x1, y1) up to but not including (x2, y2), as a pen's line-to draws.
    void line(int x1, int y1, int x2, int y2, Color color);

    void setFont(const FontSpec& font);
    const FontSpec& font() const { return m_font; }
    // Text background: transparent (the default) or filled with the given colour.
    void setTextBackground(bool transparent, Color color = 0);
    // Draws UTF-8 text with the top-left corner of its cell at (x, y). A filled background
    // covers the text's cell; for textRect it covers the whole clip rectangle.
    void textOut(int x, int y, const std::string& text);
    void textRect(const Rect& clip, int x, int y, const std::string& text);
    // Extent of the text in the current font; the height is the font's cell height.
    int textWidth(const std::string& text);
    int textHeight(const std::string& text);

    // Copies the picture unscaled with its top-left corner at (x, y).
    void draw(int x, int y, const Picture& picture);
    // Scales the picture into dest, smoothed (bilinear) when the size changes.
    void stretchDraw(const Rect& dest, const Picture& picture);
    // Copies the picture unscaled over what is there, mixed with it: opacity 0 leaves the canvas
    // as it was, 255 covers it as draw() does.
    void drawBlended(int x, int y, const Picture& picture, int opacity);
    // Leaves out pixels of the key colour (silver by default).
    void drawTransparent(int x, int y, const Picture& picture, Color keyColor = kSilver);
    // Scales by picking the nearest source pixel, so that key-coloured pixels stay exact.
    void stretchDrawTransparent(const Rect& dest, const Picture& picture, Color keyColor = kSilver);

    Color pixel(int x, int y) const; // kInvalidColor outside the canvas
    bool savePng(const std::string& path) const;
    // A copy of the canvas' content, for example to keep a screen for later.
    Picture snapshot() const;

private:
    void drawText(const Rect& clip, int x, int y, const std::string& text, bool fillClip);

    SurfacePtr m_surface;
    FontSpec m_font;
    bool m_textTransparent = true;
    Color m_textBackground = 0;
};

} // namespace platform
