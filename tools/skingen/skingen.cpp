// Draws the "Default" skin: the skin definition, every picture of the skin's picture set and the
// three pictures of the 3D cover show. Everything is vector drawing done here, so the skin can
// be regenerated and changed in code review instead of in a paint program.
//
//   skingen <output folder> [--sheet sheet.png] [--zoom-sheet sheet.png] [--preview screen.png]
//
// The contact sheet shows every picture on the colour it is drawn on; the preview is a mock of
// the list screen at 1280 x 1024 built from the written files, to judge the whole look.

#include "platform/Canvas.h"
#include "platform/JpegDecoder.h"
#include "platform/Window.h"

#include <SDL.h>

#include <jpeglib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Colours

struct Rgb {
    double r = 0, g = 0, b = 0;
};

constexpr Rgb rgb(int r, int g, int b) {
    return Rgb{static_cast<double>(r), static_cast<double>(g), static_cast<double>(b)};
}

Rgb mix(Rgb a, Rgb b, double t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

platform::Color toColor(Rgb c) {
    const auto channel = [](double v) {
        return static_cast<int>(std::clamp(std::lround(v), 0L, 255L));
    };
    return platform::rgb(channel(c.r), channel(c.g), channel(c.b));
}

// The colour scheme: deep night blue with an amber accent. The skin definition is written from
// the same values, so the pictures' edges blend into exactly the colours they are drawn on.
namespace palette {
constexpr Rgb kHeader = rgb(11, 16, 29);
constexpr Rgb kStatus = rgb(11, 16, 29);
constexpr Rgb kMenubar = rgb(19, 28, 48);
constexpr Rgb kMenubarHover = rgb(38, 55, 92);
constexpr Rgb kTitlebar = rgb(20, 30, 52);
constexpr Rgb kTitlebarFrame = rgb(44, 62, 100);
constexpr Rgb kHighlight = rgb(222, 118, 20);
constexpr Rgb kScrollbarBack = rgb(28, 40, 66);
constexpr Rgb kScrollbar = rgb(240, 150, 40);
constexpr Rgb kAmber = rgb(255, 172, 46);
constexpr Rgb kAmberDeep = rgb(226, 112, 18);
constexpr Rgb kText = rgb(242, 245, 250);
constexpr Rgb kTextDim = rgb(158, 174, 200);
constexpr Rgb kInk = rgb(9, 13, 24);
constexpr Rgb kWhite = rgb(255, 255, 255);
constexpr Rgb kSilver = rgb(192, 192, 192);
} // namespace palette

// ---------------------------------------------------------------------------------------------
// Shapes: an inside test over pixel coordinates (pixel i covers [i, i + 1)) and a bounding box.

struct Point {
    double x = 0, y = 0;
};

struct Box {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct Shape {
    std::function<bool(double, double)> inside;
    Box bounds;
};

Box unionBox(const Box& a, const Box& b) {
    return Box{std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1),
               std::max(a.y1, b.y1)};
}

Shape rect(double x0, double y0, double x1, double y1) {
    return {[=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; },
            {x0, y0, x1, y1}};
}

Shape roundRect(double x0, double y0, double x1, double y1, double radius) {
    return {[=](double x, double y) {
                if (x < x0 || x >= x1 || y < y0 || y >= y1)
                    return false;
                const double cx = std::clamp(x, x0 + radius, x1 - radius);
                const double cy = std::clamp(y, y0 + radius, y1 - radius);
                const double dx = x - cx, dy = y - cy;
                return dx * dx + dy * dy <= radius * radius;
            },
            {x0, y0, x1, y1}};
}

// An ellipse turned by `degrees` about its centre.
Shape ellipse(double cx, double cy, double rx, double ry, double degrees = 0) {
    const double angle = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(angle), s = std::sin(angle);
    const double reach = std::max(rx, ry);
    return {[=](double x, double y) {
                const double dx = x - cx, dy = y - cy;
                const double u = (dx * c + dy * s) / rx;
                const double v = (-dx * s + dy * c) / ry;
                return u * u + v * v <= 1.0;
            },
            {cx - reach, cy - reach, cx + reach, cy + reach}};
}

Shape circle(double cx, double cy, double r) {
    return ellipse(cx, cy, r, r);
}

// Even-odd rule, so that a polygon may be given in either direction.
Shape polygon(std::vector<Point> points) {
    Box box{1e9, 1e9, -1e9, -1e9};
    for (const Point& p : points)
        box = unionBox(box, Box{p.x, p.y, p.x, p.y});
    return {[points = std::move(points)](double x, double y) {
                bool in = false;
                for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                    const Point& a = points[i];
                    const Point& b = points[j];
                    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                        in = !in;
                }
                return in;
            },
            box};
}

// A straight stroke with round ends.
Shape segment(Point a, Point b, double width) {
    const double half = width / 2;
    return {[=](double x, double y) {
                const double vx = b.x - a.x, vy = b.y - a.y;
                const double length2 = vx * vx + vy * vy;
                double t = length2 > 0 ? ((x - a.x) * vx + (y - a.y) * vy) / length2 : 0;
                t = std::clamp(t, 0.0, 1.0);
                const double dx = x - (a.x + t * vx), dy = y - (a.y + t * vy);
                return dx * dx + dy * dy <= half * half;
            },
            {std::min(a.x, b.x) - half, std::min(a.y, b.y) - half, std::max(a.x, b.x) + half,
             std::max(a.y, b.y) + half}};
}

Shape unite(std::vector<Shape> shapes) {
    Box box = shapes.front().bounds;
    for (const Shape& s : shapes)
        box = unionBox(box, s.bounds);
    return {[shapes = std::move(shapes)](double x, double y) {
                return std::any_of(shapes.begin(), shapes.end(),
                                   [&](const Shape& s) { return s.inside(x, y); });
            },
            box};
}

Shape subtract(Shape a, Shape b) {
    const Box box = a.bounds;
    return {[a = std::move(a), b = std::move(b)](double x, double y) {
                return a.inside(x, y) && !b.inside(x, y);
            },
            box};
}

Shape intersect(Shape a, Shape b) {
    const Box box{std::max(a.bounds.x0, b.bounds.x0), std::max(a.bounds.y0, b.bounds.y0),
                  std::min(a.bounds.x1, b.bounds.x1), std::min(a.bounds.y1, b.bounds.y1)};
    return {[a = std::move(a), b = std::move(b)](double x, double y) {
                return a.inside(x, y) && b.inside(x, y);
            },
            box};
}

// The shape widened by about `distance` on every side: an outline is the grown shape drawn
// first in a dark colour.
Shape grown(Shape s, double distance) {
    constexpr int kDirections = 16;
    std::array<Point, kDirections> offsets{};
    for (int i = 0; i < kDirections; ++i) {
        const double angle = 2 * std::numbers::pi * i / kDirections;
        offsets[static_cast<std::size_t>(i)] = {distance * std::cos(angle),
                                                distance * std::sin(angle)};
    }
    const Box box{s.bounds.x0 - distance, s.bounds.y0 - distance, s.bounds.x1 + distance,
                  s.bounds.y1 + distance};
    return {[s = std::move(s), offsets](double x, double y) {
                if (s.inside(x, y))
                    return true;
                return std::any_of(offsets.begin(), offsets.end(),
                                   [&](const Point& o) { return s.inside(x + o.x, y + o.y); });
            },
            box};
}

Shape moved(Shape s, double dx, double dy) {
    const Box box{s.bounds.x0 + dx, s.bounds.y0 + dy, s.bounds.x1 + dx, s.bounds.y1 + dy};
    return {[s = std::move(s), dx, dy](double x, double y) { return s.inside(x - dx, y - dy); },
            box};
}

Shape rotated(Shape s, Point centre, double degrees) {
    const double angle = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(angle), sn = std::sin(angle);
    const Box& b = s.bounds;
    const double reach = std::max({std::hypot(b.x0 - centre.x, b.y0 - centre.y),
                                   std::hypot(b.x1 - centre.x, b.y0 - centre.y),
                                   std::hypot(b.x0 - centre.x, b.y1 - centre.y),
                                   std::hypot(b.x1 - centre.x, b.y1 - centre.y)});
    return {[s = std::move(s), centre, c, sn](double x, double y) {
                const double dx = x - centre.x, dy = y - centre.y;
                return s.inside(centre.x + dx * c + dy * sn, centre.y - dx * sn + dy * c);
            },
            {centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach}};
}

// Glyphs are designed in a unit square and placed into a square of `size` at (x, y).
struct Frame {
    double x = 0, y = 0, size = 1;
    double px(double u) const { return x + u * size; }
    double py(double v) const { return y + v * size; }
    Point p(double u, double v) const { return {px(u), py(v)}; }
    double len(double d) const { return d * size; }
    Shape rect(double u0, double v0, double u1, double v1) const {
        return ::rect(px(u0), py(v0), px(u1), py(v1));
    }
    Shape roundRect(double u0, double v0, double u1, double v1, double r) const {
        return ::roundRect(px(u0), py(v0), px(u1), py(v1), len(r));
    }
    Shape circle(double u, double v, double r) const { return ::circle(px(u), py(v), len(r)); }
    Shape ellipse(double u, double v, double ru, double rv, double degrees = 0) const {
        return ::ellipse(px(u), py(v), len(ru), len(rv), degrees);
    }
    Shape polygon(std::initializer_list<Point> unitPoints) const {
        std::vector<Point> points;
        for (const Point& q : unitPoints)
            points.push_back(p(q.x, q.y));
        return ::polygon(std::move(points));
    }
    Shape segment(Point a, Point b, double width) const {
        return ::segment(p(a.x, a.y), p(b.x, b.y), len(width));
    }
};

// ---------------------------------------------------------------------------------------------
// Paints: the colour and opacity at a point.

struct Rgba {
    Rgb color;
    double alpha = 1;
};

using Paint = std::function<Rgba(double, double)>;

Paint solid(Rgb color, double alpha = 1) {
    return [=](double, double) { return Rgba{color, alpha}; };
}

Paint linear(Point p0, Rgb c0, Point p1, Rgb c1, double alpha = 1) {
    const double vx = p1.x - p0.x, vy = p1.y - p0.y;
    const double length2 = std::max(vx * vx + vy * vy, 1e-9);
    return [=](double x, double y) {
        const double t = std::clamp(((x - p0.x) * vx + (y - p0.y) * vy) / length2, 0.0, 1.0);
        return Rgba{mix(c0, c1, t), alpha};
    };
}

// A vertical gradient across a box: the most common paint.
Paint vertical(const Box& box, Rgb top, Rgb bottom, double alpha = 1) {
    return linear({0, box.y0}, top, {0, box.y1}, bottom, alpha);
}

Paint radial(Point centre, double radius, Rgb inner, Rgb outer, double innerAlpha = 1,
             double outerAlpha = 1) {
    return [=](double x, double y) {
        const double t = std::clamp(std::hypot(x - centre.x, y - centre.y) / radius, 0.0, 1.0);
        return Rgba{mix(inner, outer, t), innerAlpha + (outerAlpha - innerAlpha) * t};
    };
}

// ---------------------------------------------------------------------------------------------
// A drawing layer of premultiplied colour, composited with "over".

struct Mask {
    int width = 0, height = 0;
    std::vector<float> coverage;
    float at(int x, int y) const {
        return coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                        static_cast<std::size_t>(x)];
    }
};

class Layer {
public:
    Layer(int width, int height)
        : m_width(width), m_height(height),
          m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Coverage from 4 x 4 samples per pixel, so that edges are smooth at icon sizes.
    void fill(const Shape& shape, const Paint& paint) {
        constexpr int kSamples = 4;
        const int x0 = std::max(0, static_cast<int>(std::floor(shape.bounds.x0)) - 1);
        const int y0 = std::max(0, static_cast<int>(std::floor(shape.bounds.y0)) - 1);
        const int x1 = std::min(m_width, static_cast<int>(std::ceil(shape.bounds.x1)) + 1);
        const int y1 = std::min(m_height, static_cast<int>(std::ceil(shape.bounds.y1)) + 1);
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                int hits = 0;
                for (int sy = 0; sy < kSamples; ++sy) {
                    for (int sx = 0; sx < kSamples; ++sx) {
                        if (shape.inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples))
                            ++hits;
                    }
                }
                if (hits > 0)
                    blend(x, y, paint(x + 0.5, y + 0.5),
                          static_cast<double>(hits) / (kSamples * kSamples));
            }
        }
    }

    void fillMask(const Mask& mask, int left, int top, const Paint& paint) {
        for (int y = 0; y < mask.height; ++y) {
            for (int x = 0; x < mask.width; ++x) {
                const float coverage = mask.at(x, y);
                if (coverage > 0 && inside(left + x, top + y))
                    blend(left + x, top + y, paint(left + x + 0.5, top + y + 0.5), coverage);
            }
        }
    }

    // Straight colour and opacity of a pixel.
    Rgba at(int x, int y) const {
        const Pixel& p = pixel(x, y);
        if (p.a <= 0)
            return Rgba{{}, 0};
        return Rgba{Rgb{p.r / p.a, p.g / p.a, p.b / p.a}, p.a};
    }

private:
    struct Pixel {
        double r = 0, g = 0, b = 0, a = 0;
    };

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    Pixel& pixel(int x, int y) {
        return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                        static_cast<std::size_t>(x)];
    }
    const Pixel& pixel(int x, int y) const {
        return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                        static_cast<std::size_t>(x)];
    }

    void blend(int x, int y, const Rgba& source, double coverage) {
        const double a = std::clamp(source.alpha * coverage, 0.0, 1.0);
        Pixel& p = pixel(x, y);
        p.r = source.color.r * a + p.r * (1 - a);
        p.g = source.color.g * a + p.g * (1 - a);
        p.b = source.color.b * a + p.b * (1 - a);
        p.a = a + p.a * (1 - a);
    }

    int m_width, m_height;
    std::vector<Pixel> m_pixels;
};

// ---------------------------------------------------------------------------------------------
// Text: rendered with the program's own canvas and fonts, white on black, and used as coverage.

platform::FontSpec font(int pointSize, bool bold = true, bool italic = false) {
    return platform::FontSpec{"Arial", pointSize, bold, italic, platform::rgb(255, 255, 255)};
}

// The text's ink, cropped to the pixels it touches.
Mask textInk(const std::string& text, const platform::FontSpec& fontSpec) {
    platform::Canvas probe(1, 1);
    probe.setFont(fontSpec);
    const int width = probe.textWidth(text) + 8;
    const int height = probe.textHeight(text) + 8;
    platform::Canvas canvas(width, height);
    canvas.fillRect({0, 0, width, height}, 0);
    canvas.setFont(fontSpec);
    canvas.textOut(4, 4, text);
    int x0 = width, y0 = height, x1 = -1, y1 = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((canvas.pixel(x, y) & 0xFF) != 0) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    }
    Mask mask;
    if (x1 < 0)
        return mask;
    mask.width = x1 - x0 + 1;
    mask.height = y1 - y0 + 1;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x)
            mask.coverage.push_back(static_cast<float>(canvas.pixel(x, y) & 0xFF) / 255.0f);
    }
    return mask;
}

// Draws the text with the centre of its ink at (cx, cy), on whole pixels so hinting stays crisp.
void textCentred(Layer& layer, const std::string& text, const platform::FontSpec& fontSpec,
                 double cx, double cy, const Paint& paint) {
    const Mask ink = textInk(text, fontSpec);
    const int left = static_cast<int>(std::lround(cx - ink.width / 2.0));
    const int top = static_cast<int>(std::lround(cy - ink.height / 2.0));
    layer.fillMask(ink, left, top, paint);
}

// Draws the text with the bottom of its ink (the baseline, for letters without descenders) at y.
int textOnBaseline(Layer& layer, const std::string& text, const platform::FontSpec& fontSpec,
                   int left, int baseline, const Paint& paint) {
    const Mask ink = textInk(text, fontSpec);
    layer.fillMask(ink, left, baseline - ink.height, paint);
    return left + ink.width;
}

// ---------------------------------------------------------------------------------------------
// Output

// Pixels less than this opaque become the transparent silver; the rest are blended onto the
// colour the picture is drawn on, so no light fringe shows around an icon.
constexpr double kOpaqueEnough = 0.4;

struct Flattening {
    Rgb matte;
    bool transparent = true;
};

platform::Picture flatten(const Layer& layer, const Flattening& how) {
    platform::Picture picture = platform::Picture::create(layer.width(), layer.height());
    const platform::Color silver = toColor(palette::kSilver);
    for (int y = 0; y < layer.height(); ++y) {
        for (int x = 0; x < layer.width(); ++x) {
            const Rgba p = layer.at(x, y);
            if (how.transparent && p.alpha < kOpaqueEnough) {
                picture.setPixel(x, y, silver);
                continue;
            }
            platform::Color color = toColor(mix(how.matte, p.color, p.alpha));
            // A drawn pixel must never be taken for a hole.
            if (color == silver)
                color = platform::rgb(192, 192, 194);
            picture.setPixel(x, y, color);
        }
    }
    return picture;
}

bool saveBmp(const platform::Picture& picture, const std::string& path) {
    // A 24-bit Windows bitmap, the format every skin picture is read in.
    platform::SurfacePtr converted(
        SDL_ConvertSurfaceFormat(picture.surface(), SDL_PIXELFORMAT_BGR24, 0));
    return converted && SDL_SaveBMP(converted.get(), path.c_str()) == 0;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool saveJpeg(const platform::Picture& picture, const std::string& path, int quality) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file.get());
    info.image_width = static_cast<JDIMENSION>(picture.width());
    info.image_height = static_cast<JDIMENSION>(picture.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution chroma keeps the thin amber lines of the background clean.
    info.comp_info[0].h_samp_factor = 1;
    info.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.width()) * 3);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const platform::Color c = picture.pixel(x, y);
            row[static_cast<std::size_t>(x) * 3 + 0] = static_cast<JSAMPLE>(c & 0xFF);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<JSAMPLE>((c >> 8) & 0xFF);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<JSAMPLE>((c >> 16) & 0xFF);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Glyphs, in a unit square placed by a Frame.

Shape noteGlyph(const Frame& f) {
    return unite({
        f.ellipse(0.27, 0.78, 0.17, 0.12, -22),
        f.ellipse(0.77, 0.68, 0.17, 0.12, -22),
        f.rect(0.35, 0.22, 0.43, 0.77),
        f.rect(0.85, 0.12, 0.93, 0.67),
        f.polygon({{0.35, 0.22}, {0.93, 0.10}, {0.93, 0.27}, {0.35, 0.39}}),
    });
}

Shape singleNoteGlyph(const Frame& f) {
    return unite({
        f.ellipse(0.38, 0.76, 0.20, 0.145, -22),
        f.rect(0.49, 0.10, 0.58, 0.74),
        f.polygon({{0.49, 0.10}, {0.58, 0.10}, {0.86, 0.34}, {0.80, 0.44}, {0.58, 0.28}}),
    });
}

Shape cameraGlyph(const Frame& f) {
    const Shape body = unite(
        {f.roundRect(0.04, 0.28, 0.96, 0.86, 0.12), f.roundRect(0.30, 0.16, 0.62, 0.36, 0.06)});
    return unite({subtract(subtract(body, f.circle(0.50, 0.57, 0.23)), f.circle(0.82, 0.39, 0.05)),
                  f.circle(0.50, 0.57, 0.14)});
}

Shape clapperGlyph(const Frame& f) {
    Shape board = f.roundRect(0.08, 0.42, 0.92, 0.88, 0.07);
    Shape clapper = rotated(f.roundRect(0.06, 0.22, 0.92, 0.36, 0.03), f.p(0.08, 0.37), -14);
    std::vector<Shape> stripes;
    for (int i = 0; i < 4; ++i) {
        const double u = 0.18 + i * 0.21;
        stripes.push_back(
            f.polygon({{u, 0.10}, {u + 0.09, 0.10}, {u + 0.02, 0.50}, {u - 0.07, 0.50}}));
    }
    Shape stripeCut = unite(stripes);
    Shape barStripes = subtract(f.rect(0.08, 0.42, 0.92, 0.53), stripeCut);
    return unite({subtract(board, f.rect(0.08, 0.42, 0.92, 0.56)), barStripes,
                  subtract(clapper, stripeCut)});
}

Shape listGlyph(const Frame& f, bool withNote) {
    std::vector<Shape> parts;
    const double ends[] = {0.90, 0.90, withNote ? 0.50 : 0.90};
    for (int i = 0; i < 3; ++i) {
        const double v = 0.22 + i * 0.26;
        parts.push_back(f.circle(0.12, v, 0.075));
        parts.push_back(f.segment({0.30, v}, {ends[i], v}, 0.13));
    }
    if (withNote)
        parts.push_back(singleNoteGlyph(Frame{f.px(0.52), f.py(0.42), f.len(0.52)}));
    return unite(std::move(parts));
}

Shape gearGlyph(const Frame& f) {
    std::vector<Shape> parts{f.circle(0.5, 0.5, 0.31)};
    for (int i = 0; i < 8; ++i)
        parts.push_back(
            rotated(f.roundRect(0.41, 0.04, 0.59, 0.30, 0.03), f.p(0.5, 0.5), i * 45.0));
    return subtract(unite(std::move(parts)), f.circle(0.5, 0.5, 0.13));
}

Shape gamepadGlyph(const Frame& f) {
    const Shape body =
        unite({f.roundRect(0.06, 0.28, 0.94, 0.64, 0.16), f.ellipse(0.24, 0.64, 0.16, 0.21, 18),
               f.ellipse(0.76, 0.64, 0.16, 0.21, -18)});
    const Shape holes = unite({f.rect(0.17, 0.415, 0.41, 0.495), f.rect(0.25, 0.335, 0.33, 0.575),
                               f.circle(0.69, 0.40, 0.052), f.circle(0.79, 0.50, 0.052),
                               f.circle(0.59, 0.50, 0.052), f.circle(0.69, 0.60, 0.052)});
    return subtract(body, holes);
}

Shape jukeboxGlyph(const Frame& f) {
    const Shape body = unite({f.rect(0.16, 0.40, 0.84, 0.94), f.circle(0.5, 0.42, 0.34)});
    const Shape window = unite({intersect(f.circle(0.5, 0.44, 0.23), f.rect(0, 0, 1, 0.46)),
                                f.rect(0.27, 0.44, 0.73, 0.52)});
    std::vector<Shape> slits;
    for (int i = 0; i < 3; ++i)
        slits.push_back(f.roundRect(0.30, 0.62 + i * 0.09, 0.70, 0.66 + i * 0.09, 0.02));
    const Shape feet = unite({f.rect(0.12, 0.88, 0.88, 0.96)});
    return unite({subtract(subtract(body, window), unite(std::move(slits))), feet,
                  singleNoteGlyph(Frame{f.px(0.40), f.py(0.25), f.len(0.24)})});
}

Shape playTriangle(const Frame& f) {
    return f.polygon({{0.30, 0.18}, {0.84, 0.50}, {0.30, 0.82}});
}

// An arrow pointing right along its unit square's middle; turned for the other directions.
Shape arrowGlyph(const Frame& f, double degrees) {
    const Shape arrow = unite(
        {f.rect(0.10, 0.42, 0.60, 0.58), f.polygon({{0.50, 0.16}, {0.92, 0.50}, {0.50, 0.84}})});
    return rotated(arrow, f.p(0.5, 0.5), degrees);
}

Shape doubleArrowGlyph(const Frame& f) {
    return unite({f.rect(0.25, 0.43, 0.75, 0.57),
                  f.polygon({{0.62, 0.20}, {0.98, 0.50}, {0.62, 0.80}}),
                  f.polygon({{0.38, 0.20}, {0.02, 0.50}, {0.38, 0.80}})});
}

Shape returnGlyph(const Frame& f) {
    return unite({f.rect(0.70, 0.14, 0.84, 0.62), f.rect(0.30, 0.50, 0.84, 0.64),
                  f.polygon({{0.36, 0.30}, {0.06, 0.57}, {0.36, 0.84}})});
}

Shape plusGlyph(const Frame& f) {
    return unite(
        {f.roundRect(0.08, 0.40, 0.92, 0.60, 0.04), f.roundRect(0.40, 0.08, 0.60, 0.92, 0.04)});
}

Shape minusGlyph(const Frame& f) {
    return f.roundRect(0.10, 0.40, 0.90, 0.60, 0.04);
}

Shape starGlyph(const Frame& f) {
    const Shape bar = f.roundRect(0.41, 0.04, 0.59, 0.96, 0.06);
    return unite({bar, rotated(bar, f.p(0.5, 0.5), 60), rotated(bar, f.p(0.5, 0.5), 120)});
}

Shape spaceGlyph(const Frame& f) {
    return unite({f.rect(0.06, 0.38, 0.16, 0.70), f.rect(0.84, 0.38, 0.94, 0.70),
                  f.rect(0.06, 0.60, 0.94, 0.70)});
}

// ---------------------------------------------------------------------------------------------
// Building blocks shared by several pictures

// The dark edge that keeps an icon apart from a bar of any colour.
void outlined(Layer& layer, const Shape& shape, double width = 1.1) {
    layer.fill(grown(shape, width), solid(palette::kInk, 0.9));
}

// A soft shadow below and right of a shape.
void shadow(Layer& layer, const Shape& shape, double offset, double alpha) {
    layer.fill(moved(grown(shape, offset * 0.5), offset, offset), solid(rgb(0, 0, 0), alpha));
}

// The manila folder of the list icons; returns the front flap, on which a badge is drawn.
Shape drawFolder(Layer& layer) {
    const Shape back = unite({roundRect(2, 5, 14, 12, 2), roundRect(2, 8, 30, 27, 2.5)});
    const Shape front = polygon({{2, 13}, {30, 11.5}, {30, 27}, {2, 27}});
    const Shape frontRounded = intersect(front, roundRect(2, 5, 30, 27, 2.5));
    outlined(layer, unite({back, frontRounded}));
    layer.fill(back, vertical({0, 5, 0, 27}, rgb(214, 140, 36), rgb(168, 96, 20)));
    layer.fill(rect(4, 9.5, 28, 13), solid(rgb(250, 244, 228)));
    layer.fill(frontRounded, vertical({0, 11.5, 0, 27}, rgb(255, 212, 110), rgb(240, 160, 44)));
    layer.fill(rect(2, 12.5, 30, 13.5), solid(rgb(255, 236, 180), 0.6));
    return frontRounded;
}

// The rounded tile of the main-menu and option-group icons.
void drawTile(Layer& layer, const Box& box, Rgb top, Rgb bottom, double radius) {
    const Shape tile = roundRect(box.x0, box.y0, box.x1, box.y1, radius);
    shadow(layer, tile, 1.5, 0.45);
    outlined(layer, tile, 1.0);
    layer.fill(tile, vertical(box, top, bottom));
    // A gloss over the upper half and a bright rim on the top edge.
    const double height = box.y1 - box.y0;
    layer.fill(intersect(tile, ellipse((box.x0 + box.x1) / 2, box.y0 - height * 0.28,
                                       (box.x1 - box.x0) * 0.85, height * 0.72)),
               vertical(box, rgb(255, 255, 255), rgb(255, 255, 255), 0.16));
    layer.fill(subtract(tile, moved(tile, 0, 1.2)), solid(rgb(255, 255, 255), 0.35));
}

// A glyph on a tile: a soft shadow first so it stands off the tile.
void drawGlyph(Layer& layer, const Shape& glyph, double shadowOffset, Rgb color = palette::kWhite) {
    layer.fill(moved(glyph, shadowOffset * 0.6, shadowOffset), solid(rgb(0, 0, 0), 0.28));
    layer.fill(glyph, solid(color));
}

// ---------------------------------------------------------------------------------------------
// The pictures

// The window's background, stretched to the resolution.
Layer background() {
    constexpr int kWidth = 1280, kHeight = 1024;
    Layer layer(kWidth, kHeight);
    layer.fill(rect(0, 0, kWidth, kHeight),
               linear({0, 0}, rgb(18, 28, 52), {400, kHeight}, rgb(6, 9, 18)));
    // Light from the upper right, a warm glow in the lower left.
    layer.fill(rect(0, 0, kWidth, kHeight),
               radial({1060, 120}, 900, rgb(46, 78, 140), rgb(46, 78, 140), 0.55, 0));
    layer.fill(rect(0, 0, kWidth, kHeight),
               radial({120, 1010}, 760, rgb(150, 70, 10), rgb(150, 70, 10), 0.22, 0));
    // Wide, faint beams crossing the screen.
    const std::array<std::array<double, 3>, 4> beams{
        {{520, 150, 0.050}, {760, 90, 0.040}, {980, 220, 0.030}, {1180, 60, 0.045}}};
    for (const auto& beam : beams) {
        const double x = beam[0], width = beam[1];
        layer.fill(
            polygon({{x, 0}, {x + width, 0}, {x + width - 700, kHeight}, {x - 700, kHeight}}),
            linear({0, 0}, rgb(150, 190, 255), {0, kHeight}, rgb(150, 190, 255), beam[2]));
    }
    // Soft bokeh circles, placed by a fixed sequence so every build draws the same picture.
    unsigned seed = 20240611u;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<double>(seed >> 8) / static_cast<double>(1u << 24);
    };
    for (int i = 0; i < 38; ++i) {
        const double x = 250 + next() * 1030, y = next() * kHeight;
        const double r = 14 + next() * 70;
        const bool warm = next() < 0.3;
        const Rgb color = warm ? rgb(255, 170, 70) : rgb(120, 170, 255);
        const double alpha = 0.025 + next() * 0.05;
        layer.fill(circle(x, y, r), radial({x, y}, r, color, color, alpha * 0.6, alpha));
        layer.fill(subtract(circle(x, y, r), circle(x, y, r - 1.5)), solid(color, alpha * 0.9));
    }
    // A thin amber horizon line sweeping across the lower third.
    layer.fill(polygon({{0, 760}, {kWidth, 640}, {kWidth, 642}, {0, 763}}),
               linear({0, 0}, rgb(255, 150, 40), {kWidth, 0}, rgb(255, 190, 90), 0.12));
    layer.fill(polygon({{0, 775}, {kWidth, 660}, {kWidth, 661}, {0, 777}}),
               linear({0, 0}, rgb(120, 170, 255), {kWidth, 0}, rgb(120, 170, 255), 0.08));
    // Vignette: darker towards the corners.
    layer.fill(rect(0, 0, kWidth, kHeight),
               radial({kWidth * 0.55, kHeight * 0.45}, 980, rgb(0, 0, 0), rgb(0, 0, 0), 0, 0.55));
    return layer;
}

// Adds a faint noise so that the smooth gradients show no bands after JPEG compression.
platform::Picture dithered(platform::Picture picture) {
    unsigned seed = 77u;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = static_cast<int>((seed >> 16) % 3) - 1;
            const platform::Color c = picture.pixel(x, y);
            const auto channel = [noise](int v) { return std::clamp(v + noise, 0, 255); };
            picture.setPixel(x, y,
                             platform::rgb(channel(static_cast<int>(c & 0xFF)),
                                           channel(static_cast<int>((c >> 8) & 0xFF)),
                                           channel(static_cast<int>((c >> 16) & 0xFF))));
        }
    }
    return picture;
}

// The jewel case with a disc, shown when a music folder has no cover.
Layer cdCoverEmpty() {
    constexpr int kSize = 300;
    Layer layer(kSize, kSize);
    const Shape caseShape = roundRect(6, 6, 294, 294, 8);
    layer.fill(moved(caseShape, 3, 4), solid(rgb(0, 0, 0), 0.5));
    layer.fill(caseShape, vertical({0, 6, 0, 294}, rgb(52, 62, 86), rgb(22, 28, 42)));
    // The insert behind the disc.
    const Shape insert = rect(40, 14, 286, 286);
    layer.fill(insert, linear({40, 14}, rgb(28, 38, 64), {286, 286}, rgb(12, 16, 28)));
    // The disc, partly slid out of its place.
    const Point centre{170, 150};
    const Shape disc = subtract(circle(centre.x, centre.y, 112), circle(centre.x, centre.y, 8));
    layer.fill(moved(disc, 2, 3), solid(rgb(0, 0, 0), 0.4));
    layer.fill(disc, radial(centre, 112, rgb(236, 240, 246), rgb(168, 178, 196)));
    // A rainbow sheen in two opposite sectors, as light falls on a real disc.
    const std::array<Rgb, 5> sheen{rgb(255, 120, 120), rgb(255, 220, 120), rgb(120, 255, 170),
                                   rgb(120, 190, 255), rgb(210, 130, 255)};
    for (int side = 0; side < 2; ++side) {
        for (std::size_t i = 0; i < sheen.size(); ++i) {
            const double start = side * 180.0 + 20.0 + static_cast<double>(i) * 9.0;
            const double a0 = start * std::numbers::pi / 180,
                         a1 = (start + 9) * std::numbers::pi / 180;
            const Shape wedge =
                polygon({centre,
                         {centre.x + 130 * std::cos(a0), centre.y + 130 * std::sin(a0)},
                         {centre.x + 130 * std::cos(a1), centre.y + 130 * std::sin(a1)}});
            layer.fill(intersect(disc, wedge), solid(sheen[i], 0.22));
        }
    }
    // Track rings and the clear centre.
    for (double r : {104.0, 88.0, 70.0, 52.0})
        layer.fill(subtract(circle(centre.x, centre.y, r + 0.6), circle(centre.x, centre.y, r)),
                   solid(rgb(120, 130, 150), 0.35));
    layer.fill(subtract(circle(centre.x, centre.y, 36), circle(centre.x, centre.y, 8)),
               solid(rgb(200, 206, 216), 0.8));
    layer.fill(subtract(circle(centre.x, centre.y, 22), circle(centre.x, centre.y, 8)),
               solid(rgb(150, 158, 172)));
    layer.fill(subtract(circle(centre.x, centre.y, 36.6), circle(centre.x, centre.y, 35.4)),
               solid(rgb(110, 118, 134)));
    // The case's hinge on the left and its clear lid over everything.
    const Shape hinge = rect(6, 6, 36, 294);
    layer.fill(intersect(caseShape, hinge),
               vertical({0, 6, 0, 294}, rgb(40, 48, 68), rgb(16, 20, 32)));
    for (int y = 22; y < 286; y += 12)
        layer.fill(rect(12, y, 30, y + 2), solid(rgb(90, 104, 134), 0.55));
    layer.fill(rect(36, 6, 38, 294), solid(rgb(130, 150, 190), 0.45));
    layer.fill(polygon({{38, 6}, {170, 6}, {38, 190}}), solid(rgb(255, 255, 255), 0.08));
    layer.fill(polygon({{200, 294}, {294, 294}, {294, 170}}), solid(rgb(255, 255, 255), 0.04));
    layer.fill(subtract(caseShape, roundRect(8, 8, 292, 292, 6.5)), solid(rgb(150, 170, 210), 0.7));
    return layer;
}

// The logo at the left end of the header bar.
Layer logo() {
    Layer layer(120, 28);
    const Shape disc = circle(13, 14, 11.5);
    layer.fill(disc, linear({2, 2}, rgb(255, 198, 80), {24, 26}, rgb(232, 108, 14)));
    layer.fill(polygon({{10, 8.5}, {19.5, 14}, {10, 19.5}}), solid(palette::kHeader));
    layer.fill(subtract(circle(13, 14, 11.5), circle(13, 14, 10.4)),
               solid(rgb(255, 226, 150), 0.5));
    const int end = textOnBaseline(layer, "ZVN", font(16, true, true), 30, 22,
                                   vertical({0, 4, 0, 22}, rgb(255, 255, 255), rgb(206, 216, 236)));
    textOnBaseline(layer, "media", font(9, false, false), end + 4, 22, solid(palette::kAmber));
    return layer;
}

// A key cap of the menubar with its label: text or a vector symbol.
struct KeyLabel {
    std::string text;
    std::function<Shape(const Frame&)> symbol;
    double symbolSize = 0; // side of the symbol's square
};

KeyLabel textLabel(std::string text) {
    return KeyLabel{std::move(text), {}, 0};
}

constexpr int kKeyHeight = 30;
constexpr int kKeyWidth = 32;
constexpr int kWideKeyWidth = 40;

Layer keyCap(int width, const KeyLabel& label, bool accent = false) {
    Layer layer(width, kKeyHeight);
    const double w = width;
    const Shape body = roundRect(0.5, 0.5, w - 0.5, kKeyHeight - 0.5, 5.5);
    const Shape face = roundRect(2.2, 1.6, w - 2.2, kKeyHeight - 4.4, 4.2);
    layer.fill(body, solid(rgb(6, 9, 16)));
    layer.fill(roundRect(1.3, 1.3, w - 1.3, kKeyHeight - 1.3, 4.8),
               vertical({0, 0, 0, kKeyHeight}, accent ? rgb(176, 84, 10) : rgb(30, 38, 58),
                        accent ? rgb(120, 52, 6) : rgb(18, 24, 38)));
    layer.fill(
        face, accent ? vertical({0, 1.6, 0, kKeyHeight - 4.4}, rgb(255, 190, 80), rgb(236, 126, 24))
                     : vertical({0, 1.6, 0, kKeyHeight - 4.4}, rgb(92, 108, 140), rgb(56, 68, 96)));
    layer.fill(subtract(face, moved(face, 0, 1.1)), solid(rgb(255, 255, 255), accent ? 0.55 : 0.3));
    const Rgb ink = accent ? rgb(40, 18, 2) : palette::kText;
    const double cy = (1.6 + kKeyHeight - 4.4) / 2;
    if (label.symbol && label.text.empty()) {
        const double size = label.symbolSize;
        const Shape symbol = label.symbol(Frame{(w - size) / 2, cy - size / 2, size});
        if (!accent)
            layer.fill(moved(symbol, 0, 1), solid(rgb(0, 0, 0), 0.5));
        layer.fill(symbol, solid(ink));
    } else if (label.symbol) {
        const Mask ink2 = textInk(label.text, font(label.text.size() > 2 ? 7 : 9));
        const double total = ink2.width + 1 + label.symbolSize;
        const int left = static_cast<int>(std::lround((w - total) / 2));
        const int top = static_cast<int>(std::lround(cy - ink2.height / 2.0));
        layer.fillMask(ink2, left, top + 1, solid(rgb(0, 0, 0), 0.5));
        layer.fillMask(ink2, left, top, solid(ink));
        const Shape symbol = label.symbol(
            Frame{left + ink2.width + 1.0, cy - label.symbolSize / 2, label.symbolSize});
        layer.fill(symbol, solid(ink));
    } else if (!label.text.empty()) {
        const int points = label.text.size() == 1 ? 12 : (label.text.size() == 2 ? 10 : 8);
        const platform::FontSpec fontSpec = font(points);
        if (!accent)
            textCentred(layer, label.text, fontSpec, w / 2, cy + 1, solid(rgb(0, 0, 0), 0.55));
        textCentred(layer, label.text, fontSpec, w / 2, cy, solid(ink));
    }
    return layer;
}

// The list icons: 32 x 32, drawn transparent on the list bars.
constexpr int kListIcon = 32;

Layer folderIcon(const std::function<void(Layer&)>& badge) {
    Layer layer(kListIcon, kListIcon);
    drawFolder(layer);
    if (badge)
        badge(layer);
    return layer;
}

void badgeGlyph(Layer& layer, const Shape& glyph) {
    layer.fill(grown(glyph, 0.6), solid(rgb(255, 236, 190), 0.8));
    layer.fill(glyph, solid(rgb(70, 36, 6)));
}

void photoPicture(Layer& layer, const Box& b, double frameWidth) {
    const Shape frame = roundRect(b.x0, b.y0, b.x1, b.y1, 1.5);
    outlined(layer, frame, 1.0);
    layer.fill(frame, solid(rgb(250, 250, 252)));
    const Box inner{b.x0 + frameWidth, b.y0 + frameWidth, b.x1 - frameWidth, b.y1 - frameWidth};
    layer.fill(rect(inner.x0, inner.y0, inner.x1, inner.y1),
               vertical(inner, rgb(70, 150, 236), rgb(190, 226, 255)));
    const double w = inner.x1 - inner.x0, h = inner.y1 - inner.y0;
    layer.fill(circle(inner.x0 + w * 0.74, inner.y0 + h * 0.30, h * 0.17),
               solid(rgb(255, 196, 60)));
    const Shape hills = intersect(polygon({{inner.x0, inner.y1},
                                           {inner.x0 + w * 0.34, inner.y0 + h * 0.34},
                                           {inner.x0 + w * 0.56, inner.y0 + h * 0.68},
                                           {inner.x0 + w * 0.70, inner.y0 + h * 0.52},
                                           {inner.x1, inner.y1}}),
                                  rect(inner.x0, inner.y0, inner.x1, inner.y1));
    layer.fill(hills, vertical(inner, rgb(60, 190, 150), rgb(20, 110, 90)));
}

Layer musicIcon() {
    Layer layer(kListIcon, kListIcon);
    const Shape glyph = noteGlyph(Frame{3, 3, 26});
    outlined(layer, glyph, 1.2);
    layer.fill(glyph, vertical({0, 4, 0, 28}, rgb(255, 222, 140), rgb(246, 140, 28)));
    return layer;
}

Layer photoIcon() {
    Layer layer(kListIcon, kListIcon);
    photoPicture(layer, {3, 5, 29, 27}, 2);
    return layer;
}

Layer videoIcon() {
    Layer layer(kListIcon, kListIcon);
    const Shape strip = roundRect(2, 5, 30, 27, 2);
    outlined(layer, strip, 1.0);
    layer.fill(strip, vertical({0, 5, 0, 27}, rgb(52, 58, 74), rgb(26, 30, 40)));
    for (int i = 0; i < 7; ++i) {
        const double x = 4 + i * 3.8;
        layer.fill(roundRect(x, 6.6, x + 2.2, 8.8, 0.5), solid(rgb(210, 216, 228)));
        layer.fill(roundRect(x, 23.2, x + 2.2, 25.4, 0.5), solid(rgb(210, 216, 228)));
    }
    const Box frame{4, 10.5, 28, 21.5};
    layer.fill(rect(frame.x0, frame.y0, frame.x1, frame.y1),
               linear({4, 10}, rgb(120, 90, 230), {28, 22}, rgb(230, 70, 120)));
    layer.fill(playTriangle(Frame{11, 10, 12}), solid(palette::kWhite));
    return layer;
}

Layer playlistIcon() {
    Layer layer(kListIcon, kListIcon);
    const Shape sheet = roundRect(5, 3, 27, 29, 2.5);
    outlined(layer, sheet, 1.0);
    layer.fill(sheet, vertical({0, 3, 0, 29}, rgb(250, 251, 253), rgb(212, 220, 234)));
    layer.fill(polygon({{21, 3}, {27, 9}, {21, 9}}), solid(rgb(170, 180, 200)));
    const Shape lines = listGlyph(Frame{8, 7, 17}, true);
    layer.fill(lines, solid(rgb(40, 56, 92)));
    layer.fill(intersect(lines, rect(16, 16, 27, 28)), solid(palette::kAmberDeep));
    return layer;
}

Layer mainMenuIcon(Rgb top, Rgb bottom, const std::function<Shape(const Frame&)>& glyph,
                   double glyphSize = 34) {
    constexpr int kSize = 64;
    Layer layer(kSize, kSize);
    drawTile(layer, {3, 3, 61, 61}, top, bottom, 14);
    drawGlyph(layer, glyph(Frame{(kSize - glyphSize) / 2, (kSize - glyphSize) / 2, glyphSize}),
              1.6);
    return layer;
}

Layer optionGroupIcon(Rgb top, Rgb bottom, const std::function<Shape(const Frame&)>& glyph) {
    Layer layer(kListIcon, kListIcon);
    drawTile(layer, {2.5, 2.5, 29.5, 29.5}, top, bottom, 6.5);
    drawGlyph(layer, glyph(Frame{7, 7, 18}), 1.0);
    return layer;
}

Layer newIcon() {
    Layer layer(kListIcon, kListIcon);
    std::vector<Point> star;
    constexpr int kPoints = 14;
    for (int i = 0; i < kPoints * 2; ++i) {
        const double angle = std::numbers::pi * i / kPoints - std::numbers::pi / 2;
        const double r = (i % 2 == 0) ? 15.2 : 12.4;
        star.push_back({16 + r * std::cos(angle), 16 + r * std::sin(angle)});
    }
    const Shape burst = polygon(star);
    outlined(layer, burst, 0.9);
    layer.fill(burst, radial({13, 11}, 18, rgb(255, 96, 70), rgb(200, 24, 40)));
    layer.fill(subtract(circle(16, 16, 11.2), circle(16, 16, 10.4)),
               solid(rgb(255, 210, 190), 0.55));
    textCentred(layer, "NEU", font(7), 16, 17, solid(rgb(90, 0, 10), 0.6));
    textCentred(layer, "NEU", font(7), 16, 16, solid(palette::kWhite));
    return layer;
}

// Header icons are drawn without transparency: their ground is the header colour.
constexpr int kHeaderIcon = 24;

Layer headerIconGround() {
    Layer layer(kHeaderIcon, kHeaderIcon);
    layer.fill(rect(0, 0, kHeaderIcon, kHeaderIcon), solid(palette::kHeader));
    return layer;
}

Layer minimizeIcon() {
    Layer layer = headerIconGround();
    const Shape box = roundRect(2.5, 2.5, 21.5, 21.5, 4.5);
    layer.fill(subtract(box, roundRect(3.8, 3.8, 20.2, 20.2, 3.4)), solid(rgb(110, 128, 164)));
    layer.fill(roundRect(6.5, 14.5, 17.5, 17.5, 1.2), solid(palette::kAmber));
    return layer;
}

Layer mouseIcon(int clicks) {
    Layer layer = headerIconGround();
    const Shape body = roundRect(2, 5, 13, 22, 5.5);
    layer.fill(body, vertical({0, 5, 0, 22}, rgb(226, 232, 242), rgb(150, 162, 186)));
    layer.fill(intersect(body, rect(2, 5, 7.2, 12)), solid(palette::kAmber));
    layer.fill(rect(7.2, 5, 8, 12), solid(palette::kHeader));
    layer.fill(rect(2, 12, 13, 12.8), solid(palette::kHeader));
    // One arc per click, like waves going out from the button.
    const Point centre{9, 10};
    const Shape wedge = polygon({centre, {30, -12}, {30, 32}});
    for (int ring = 0; ring < clicks; ++ring) {
        const double radius = 7.0 + ring * 4.5;
        const Shape band = subtract(circle(centre.x, centre.y, radius + 1.0),
                                    circle(centre.x, centre.y, radius - 1.0));
        layer.fill(intersect(band, wedge), solid(palette::kAmber));
    }
    return layer;
}

// The status line's player buttons: five equal cells, its own bottom-left pixel (silver) is the
// transparent colour.
Layer mediaPlayerButtons() {
    constexpr int kCell = 24;
    Layer layer(kCell * 5, kCell);
    for (int i = 0; i < 5; ++i) {
        const double cx = i * kCell + kCell / 2.0, cy = kCell / 2.0;
        const Shape button = circle(cx, cy, 10.6);
        layer.fill(button, solid(rgb(4, 6, 12)));
        const bool play = i == 1;
        layer.fill(circle(cx, cy, 9.8),
                   vertical({0, 2, 0, 22}, play ? rgb(255, 190, 80) : rgb(70, 84, 114),
                            play ? rgb(224, 110, 16) : rgb(34, 42, 62)));
        layer.fill(subtract(circle(cx, cy, 9.8), circle(cx, cy + 1, 9.6)),
                   solid(rgb(255, 255, 255), 0.35));
        const Rgb ink = play ? rgb(46, 20, 2) : palette::kText;
        const Frame f{cx - 7, cy - 7, 14};
        Shape symbol;
        switch (i) {
        case 0:
            symbol = unite({f.polygon({{0.50, 0.20}, {0.50, 0.80}, {0.08, 0.50}}),
                            f.polygon({{0.92, 0.20}, {0.92, 0.80}, {0.50, 0.50}})});
            break;
        case 1:
            symbol = f.polygon({{0.30, 0.16}, {0.86, 0.50}, {0.30, 0.84}});
            break;
        case 2:
            symbol = unite({f.rect(0.24, 0.20, 0.43, 0.80), f.rect(0.57, 0.20, 0.76, 0.80)});
            break;
        case 3:
            symbol = f.roundRect(0.23, 0.23, 0.77, 0.77, 0.05);
            break;
        default:
            symbol = unite({f.polygon({{0.08, 0.20}, {0.08, 0.80}, {0.50, 0.50}}),
                            f.polygon({{0.50, 0.20}, {0.50, 0.80}, {0.92, 0.50}})});
            break;
        }
        layer.fill(symbol, solid(ink));
    }
    return layer;
}

// The bar behind the photo caption. The picture is drawn with silver left out, so its
// translucency is a screen of dark pixels and holes, thinning out towards the right end.
platform::Picture photoNameBar() {
    constexpr int kWidth = 440, kHeight = 28;
    static constexpr int kBayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    platform::Picture picture = platform::Picture::create(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            double density = 0.75;
            if (x > 330)
                density *= 1.0 - (x - 330) / 110.0;
            const bool accent = x < 4 || (y >= kHeight - 2 && x < 300);
            const bool dark = (kBayer[y % 4][x % 4] + 0.5) / 16.0 < density;
            platform::Color color = toColor(palette::kSilver);
            if (accent)
                color = toColor(mix(palette::kAmberDeep, palette::kAmber, y / 28.0));
            else if (dark)
                color = toColor(mix(rgb(6, 9, 18), rgb(16, 24, 44), y / 28.0));
            picture.setPixel(x, y, color);
        }
    }
    return picture;
}

// The three pictures of the 3D cover show.
Layer coverBack() {
    Layer layer(256, 256);
    layer.fill(rect(0, 0, 256, 256), linear({0, 0}, rgb(22, 24, 30), {256, 256}, rgb(4, 4, 6)));
    layer.fill(polygon({{0, 0}, {150, 0}, {0, 120}}), solid(rgb(255, 255, 255), 0.05));
    for (int i = 0; i < 6; ++i)
        layer.fill(rect(28, 196 + i * 6, 140 - i * 12, 198 + i * 6), solid(rgb(70, 74, 84), 0.5));
    textCentred(layer, "ZVN", font(28, true, true), 128, 112, solid(rgb(44, 46, 54)));
    return layer;
}

Layer coverHinge() {
    Layer layer(32, 256);
    layer.fill(rect(0, 0, 32, 256), linear({0, 0}, rgb(58, 64, 78), {32, 0}, rgb(24, 28, 36)));
    for (int x : {6, 12, 18, 24})
        layer.fill(rect(x, 0, x + 1, 256), solid(rgb(120, 130, 150), 0.5));
    layer.fill(rect(29, 0, 32, 256), solid(rgb(170, 180, 200), 0.6));
    return layer;
}

Layer coverSide() {
    Layer layer(32, 256);
    layer.fill(rect(0, 0, 32, 256), linear({0, 0}, rgb(70, 76, 90), {32, 0}, rgb(150, 158, 176)));
    layer.fill(rect(0, 0, 32, 256),
               linear({16, 0}, rgb(255, 255, 255), {32, 0}, rgb(0, 0, 0), 0.08));
    layer.fill(rect(2, 0, 3, 256), solid(rgb(210, 216, 230), 0.6));
    layer.fill(rect(29, 0, 30, 256), solid(rgb(20, 24, 30), 0.5));
    return layer;
}

// ---------------------------------------------------------------------------------------------
// The skin definition

struct DefinitionValue {
    const char* section;
    const char* key;
    std::string value;
};

std::string colourValue(Rgb c) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(toColor(c)));
    return text;
}

std::vector<DefinitionValue> definition() {
    using namespace palette;
    return {
        {"General", "gNumberOfTitlebarsMainmenu", "6"},
        {"General", "gNumberOfMenubars", "10"},
        {"General", "gShowMenuIcons", "1"},
        {"Colors", "gColorTitlebarHighlight", colourValue(kHighlight)},
        {"Colors", "gColorTitlebar", colourValue(kTitlebar)},
        {"Colors", "gColorTitlebarFrame", colourValue(kTitlebarFrame)},
        {"Colors", "gColorLines", colourValue(kTitlebarFrame)},
        {"Colors", "gColorMenubar", colourValue(kMenubar)},
        {"Colors", "gColorMenubarHighlight", colourValue(kMenubarHover)},
        {"Colors", "gColorHeaderBar", colourValue(kHeader)},
        {"Colors", "gColorStatusBar", colourValue(kStatus)},
        {"Colors", "gColorScrollbarBack", colourValue(kScrollbarBack)},
        {"Colors", "gColorScrollbar", colourValue(kScrollbar)},
        {"Fonts", "gFontName", "Arial"},
        {"Fonts", "gFontSizeHeaderBar", "18"},
        {"Fonts", "gFontColorHeaderBar", colourValue(kAmber)},
        {"Fonts", "gFontSizeTitlebarBig", "20"},
        {"Fonts", "gFontColorTitlebarBig", colourValue(kText)},
        {"Fonts", "gFontSizeTitlebarSmall", "13"},
        {"Fonts", "gFontColorTitlebarSmall", colourValue(kTextDim)},
        {"Fonts", "gFontSizeStatusbar", "16"},
        {"Fonts", "gFontColorStatusbar", colourValue(rgb(214, 222, 236))},
        {"Fonts", "gFontSizeFolderName", "22"},
        {"Fonts", "gFontColorFolderName", colourValue(kAmber)},
        {"Fonts", "gFontSizeMenubar", "18"},
        {"Fonts", "gFontColorMenubar", colourValue(kText)},
        {"Fonts", "gFontSizeMenubarIcon", "14"},
        {"Fonts", "gFontColorMenubarShadow", colourValue(rgb(0, 0, 0))},
        {"Fonts", "gFontColorMenubarIcon", colourValue(kText)},
        {"Fonts", "gFontSizePhotoName", "14"},
        {"Fonts", "gFontColorPhotoName", colourValue(kWhite)},
        {"Fonts", "gFontSizePhotoTitle", "28"},
        {"Fonts", "gFontColorPhotoTitle", colourValue(kWhite)},
        {"Fonts", "gFontColorPhotoTitleLight", colourValue(rgb(16, 16, 16))},
    };
}

bool writeDefinition(const std::string& path) {
    std::string text =
        "; Zuvenmedia skin \"Default\". Colours are 0xBBGGRR (red in the low byte).\r\n"
        "; Font sizes are points for a window 1200 pixels wide or more.\r\n";
    const char* section = "";
    for (const DefinitionValue& entry : definition()) {
        if (std::string(section) != entry.section) {
            section = entry.section;
            text += std::string("\r\n[") + section + "]\r\n";
        }
        text += std::string(entry.key) + "=" + entry.value + "\r\n";
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

// ---------------------------------------------------------------------------------------------
// The picture set: file name, what it is drawn on, how it is made.

enum class Ground { ListBar, Menubar, Header, Status, Opaque };

Rgb matteFor(Ground ground) {
    switch (ground) {
    case Ground::Menubar:
        return palette::kMenubar;
    case Ground::Header:
        return palette::kHeader;
    case Ground::Status:
        return palette::kStatus;
    case Ground::ListBar:
    case Ground::Opaque:
        break;
    }
    return palette::kTitlebar;
}

struct SkinPicture {
    std::string fileName;
    Ground ground;
    std::function<platform::Picture()> make;
};

std::function<platform::Picture()> drawn(std::function<Layer()> draw, Ground ground,
                                         bool transparent) {
    return [draw = std::move(draw), ground, transparent] {
        return flatten(draw(), Flattening{matteFor(ground), transparent});
    };
}

std::vector<SkinPicture> pictureSet() {
    using namespace palette;
    std::vector<SkinPicture> set;
    const auto add = [&set](std::string name, Ground ground, std::function<Layer()> draw,
                            bool transparent = true) {
        set.push_back({std::move(name), ground, drawn(std::move(draw), ground, transparent)});
    };
    const auto key = [&add](std::string name, int width, KeyLabel label, bool accent = false) {
        add("key_" + name + ".bmp", Ground::Menubar,
            [width, label = std::move(label), accent] { return keyCap(width, label, accent); });
    };

    set.push_back({"Background.jpg", Ground::Opaque, [] {
                       return dithered(flatten(background(), {rgb(0, 0, 0), false}));
                   }});
    add("CDCover-empty.bmp", Ground::ListBar, cdCoverEmpty);
    add("ZVN.bmp", Ground::Header, logo);
    key("empty", kKeyWidth, {});
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        key(std::string(1, letter), kKeyWidth, textLabel(std::string(1, letter)));
    for (char digit = '0'; digit <= '9'; ++digit)
        key(std::string(1, digit), kKeyWidth, textLabel(std::string(1, digit)));
    key("+", kKeyWidth, {"", plusGlyph, 14});
    key("star", kKeyWidth, {"", starGlyph, 14});
    key("-", kKeyWidth, {"", minusGlyph, 14});
    key("Up", kKeyWidth, {"", [](const Frame& f) { return arrowGlyph(f, -90); }, 15});
    key("Down", kKeyWidth, {"", [](const Frame& f) { return arrowGlyph(f, 90); }, 15});
    key("Pos1", kWideKeyWidth, textLabel("Pos1"));
    key("F1", kKeyWidth, textLabel("F1"));
    key("BildHoch", kWideKeyWidth, {"Bild", [](const Frame& f) { return arrowGlyph(f, -90); }, 10});
    key("BildRunter", kWideKeyWidth,
        {"Bild", [](const Frame& f) { return arrowGlyph(f, 90); }, 10});
    key("return", kWideKeyWidth, {"", returnGlyph, 17}, true);
    key("space", kWideKeyWidth, {"", spaceGlyph, 22});
    key("right", kKeyWidth, {"", [](const Frame& f) { return arrowGlyph(f, 0); }, 15});
    key("leftOrRight", kKeyWidth, {"", doubleArrowGlyph, 20});

    const auto badge = [](std::function<Shape(const Frame&)> glyph, Frame frame) {
        return [glyph = std::move(glyph), frame] {
            return folderIcon([&](Layer& l) { badgeGlyph(l, glyph(frame)); });
        };
    };
    add("IconFolder.bmp", Ground::ListBar, [] { return folderIcon(nullptr); });
    add("IconFolderPlaylist.bmp", Ground::ListBar,
        badge([](const Frame& f) { return listGlyph(f, false); }, Frame{10, 15, 12}));
    add("IconFolderMusic.bmp", Ground::ListBar, badge(noteGlyph, Frame{9, 13, 14}));
    add("IconFolderPhoto.bmp", Ground::ListBar, [] {
        return folderIcon([](Layer& l) { photoPicture(l, {10, 14.5, 24, 25}, 1.3); });
    });
    add("IconFolderVideo.bmp", Ground::ListBar,
        badge([](const Frame& f) { return playTriangle(f); }, Frame{9.5, 13, 13}));
    add("IconPlaylist.bmp", Ground::ListBar, playlistIcon);
    add("IconMusic.bmp", Ground::ListBar, musicIcon);
    add("IconPhoto.bmp", Ground::ListBar, photoIcon);
    add("IconVideo.bmp", Ground::ListBar, videoIcon);
    add("IconOptiongroupGeneral.bmp", Ground::ListBar,
        [] { return optionGroupIcon(rgb(120, 136, 168), rgb(64, 76, 104), gearGlyph); });
    add("IconOptiongroupMusic.bmp", Ground::ListBar,
        [] { return optionGroupIcon(rgb(255, 160, 60), rgb(220, 86, 20), noteGlyph); });
    add("IconOptiongroupPhoto.bmp", Ground::ListBar,
        [] { return optionGroupIcon(rgb(50, 200, 180), rgb(16, 120, 140), cameraGlyph); });
    set.push_back({"PhotoNameBar.bmp", Ground::Opaque, photoNameBar});
    add("MediaPlayerButtons.bmp", Ground::Status, mediaPlayerButtons);
    add("IconMainmenuMusic.bmp", Ground::ListBar,
        [] { return mainMenuIcon(rgb(255, 164, 64), rgb(222, 84, 18), noteGlyph, 36); });
    add("IconMainmenuPhoto.bmp", Ground::ListBar,
        [] { return mainMenuIcon(rgb(52, 206, 186), rgb(14, 118, 140), cameraGlyph, 38); });
    add("IconMainmenuVideo.bmp", Ground::ListBar,
        [] { return mainMenuIcon(rgb(244, 84, 104), rgb(168, 26, 64), clapperGlyph, 36); });
    add("IconMainmenuJukebox.bmp", Ground::ListBar,
        [] { return mainMenuIcon(rgb(226, 96, 220), rgb(130, 36, 150), jukeboxGlyph, 38); });
    add("IconMainmenuPlaylist.bmp", Ground::ListBar, [] {
        return mainMenuIcon(
            rgb(150, 120, 255), rgb(80, 52, 196), [](const Frame& f) { return listGlyph(f, true); },
            34);
    });
    add("IconMainmenuProgramLinks.bmp", Ground::ListBar,
        [] { return mainMenuIcon(rgb(70, 160, 255), rgb(28, 78, 206), gamepadGlyph, 40); });
    add("IconNew.bmp", Ground::ListBar, newIcon);
    add("IconMinimize.bmp", Ground::Header, minimizeIcon, false);
    add(
        "IconMouse1.bmp", Ground::Header, [] { return mouseIcon(1); }, false);
    add(
        "IconMouse2.bmp", Ground::Header, [] { return mouseIcon(2); }, false);
    add("3d_cdcover_black.bmp", Ground::Opaque, coverBack, false);
    add("3d_cdcover_vornelinks.bmp", Ground::Opaque, coverHinge, false);
    add("3d_cdcover_seitenwand.bmp", Ground::Opaque, coverSide, false);
    return set;
}

// ---------------------------------------------------------------------------------------------
// Looking at the result

Rgb groundColour(Ground ground) {
    return ground == Ground::Opaque ? rgb(40, 40, 40) : matteFor(ground);
}

// Every picture on the colour it is drawn on (list icons also on the highlighted bar), small
// pictures magnified by `zoom` so their pixels can be judged. A magnified sheet is split into
// pages of four rows, written as path with "-1", "-2", ... before ".png".
void writeSheet(const std::vector<std::pair<SkinPicture, platform::Picture>>& pictures,
                const std::string& path, int zoom) {
    constexpr int kColumns = 8, kLabel = 18;
    const int cell = 150 + 90 * (zoom - 1);
    const int totalRows = static_cast<int>((pictures.size() + kColumns - 1) / kColumns);
    const int rowsPerPage = zoom > 1 ? 4 : totalRows;
    for (int page = 0; page * rowsPerPage < totalRows; ++page) {
        const int rows = std::min(rowsPerPage, totalRows - page * rowsPerPage);
        platform::Canvas sheet(kColumns * cell, rows * (cell + kLabel));
        sheet.fillRect({0, 0, sheet.width(), sheet.height()}, platform::rgb(60, 60, 66));
        sheet.setFont(platform::FontSpec{"Arial", 7, false, false, platform::rgb(230, 230, 230)});
        const std::size_t first = static_cast<std::size_t>(page * rowsPerPage * kColumns);
        for (std::size_t i = first;
             i < std::min(pictures.size(), first + static_cast<std::size_t>(rows * kColumns));
             ++i) {
            const auto& [info, picture] = pictures[i];
            const int x = static_cast<int>((i - first) % kColumns) * cell;
            const int y = static_cast<int>((i - first) / kColumns) * (cell + kLabel);
            sheet.fillRect({x + 2, y + 2, x + cell - 2, y + cell - 2},
                           toColor(groundColour(info.ground)));
            const bool twice =
                info.ground == Ground::ListBar && picture.width() * zoom < cell / 2 - 4;
            if (twice)
                sheet.fillRect({x + cell / 2, y + 2, x + cell - 2, y + cell - 2},
                               toColor(palette::kHighlight));
            const double room = (twice ? cell / 2 : cell) - 8.0;
            const double scale = std::min(
                {static_cast<double>(zoom), room / picture.width(), room / picture.height()});
            const int w = static_cast<int>(picture.width() * scale);
            const int h = static_cast<int>(picture.height() * scale);
            const int top = y + (cell - h) / 2;
            const platform::Color key = info.fileName == "MediaPlayerButtons.bmp"
                                            ? picture.pixel(0, picture.height() - 1)
                                            : platform::kSilver;
            const int half = twice ? cell / 2 : cell;
            for (int copy = 0; copy < (twice ? 2 : 1); ++copy) {
                const int left = x + copy * half + (half - w) / 2;
                sheet.stretchDrawTransparent({left, top, left + w, top + h}, picture, key);
            }
            sheet.textOut(x + 4, y + cell, info.fileName);
        }
        std::string pagePath = path;
        if (zoom > 1)
            pagePath.insert(pagePath.size() - 4, "-" + std::to_string(page + 1));
        sheet.savePng(pagePath);
    }
}

// Mocks of the music list and of the main menu at W x H, placed by the screen layout's rules,
// written as path with "-W" and "-W-main" before ".png".
void writePreview(const std::string& folder, const std::string& path, int W, int H) {
    const auto load = [&folder](const std::string& name) {
        return platform::Picture::loadBmp(folder + "/" + name);
    };
    const double scale = W >= 1200   ? 1.0
                         : W >= 1100 ? 0.8
                         : W >= 1000 ? 0.75
                         : W >= 800  ? 0.6
                                     : 0.5;
    const auto points = [scale](int size) { return static_cast<int>(std::lround(size * scale)); };
    const auto pixels = [&points](int size) { return platform::fontPixelHeight(points(size)); };
    const auto setFont = [&points](platform::Canvas& c, int size, Rgb color, bool bold = false,
                                   bool italic = false) {
        c.setFont(platform::FontSpec{"Arial", points(size), bold, italic, toColor(color)});
    };
    const platform::Picture background = platform::loadJpegFile(folder + "/Background.jpg");
    const int bar = H / 20;
    const int left = static_cast<int>(std::lround(W * 0.255));
    const int titleLeft = W / 50 + left, titleRight = W - W / 25;
    const int statusTop = H - bar;
    const int folderY = bar + H / 36;
    const int listTop = H / 38 + folderY + pixels(22), listBottom = statusTop - H / 60;

    const auto frame = [&](platform::Canvas& c) {
        c.stretchDraw({0, 0, W, H}, background);
        c.fillRect({0, 0, W, bar}, toColor(palette::kHeader));
        const platform::Picture zvn = load("ZVN.bmp");
        c.drawTransparent(1, (bar - zvn.height()) / 2, zvn);
        const platform::Picture minimize = load("IconMinimize.bmp");
        const platform::Picture mouse = load("IconMouse1.bmp");
        c.draw(titleRight, (bar - minimize.height()) / 2, minimize);
        c.draw(titleRight - mouse.width() - 6, (bar - mouse.height()) / 2, mouse);
        setFont(c, 18, palette::kAmber);
        c.textOut(titleRight - 2 * mouse.width() - c.textWidth("PLAY"), (bar - pixels(18)) / 2,
                  "PLAY");
        c.fillRect({0, statusTop, W, H}, toColor(palette::kStatus));
        setFont(c, 16, rgb(214, 222, 236));
        const int textY = statusTop + (bar - pixels(16)) / 2;
        c.textOut(W / 80, textY, "Miles Davis - So What");
        const int progressX = W - static_cast<int>(std::lround(W / 6.5));
        c.textOut(progressX, textY, "1:15 / 9:22");
        const platform::Picture buttons = load("MediaPlayerButtons.bmp");
        c.drawTransparent(progressX - buttons.width() - 20 + 8,
                          statusTop + (bar - buttons.height()) / 2, buttons,
                          buttons.pixel(0, buttons.height() - 1));
    };
    const auto menubar = [&](platform::Canvas& c,
                             const std::vector<std::pair<std::string, std::string>>& items) {
        const int menuTop = bar + 2 + H / 3 + 2, menuBottom = statusTop - H / 52;
        const int slot = (menuBottom - menuTop) / 10;
        const int iconSize = static_cast<int>(std::lround(slot * 0.58));
        const int h = pixels(18);
        for (int i = 0; i < 10; ++i) {
            const int top = menuTop + i * slot;
            c.fillRect({0, top, left, top + slot - 3},
                       toColor(i == 8 ? palette::kMenubarHover : palette::kMenubar));
            const auto item = static_cast<std::size_t>(9 - i);
            if (item >= items.size())
                continue;
            const int y0 = top + (slot - iconSize) / 2;
            c.drawTransparent(static_cast<int>(std::lround(iconSize * 0.1)), y0 - 6,
                              load(items[item].first));
            setFont(c, 18, rgb(0, 0, 0));
            c.textOut(W / 18 + 1, top + h / 2 - 4, items[item].second);
            setFont(c, 18, palette::kText);
            c.textOut(W / 18, top + h / 2 - 5, items[item].second);
        }
    };
    const std::string sizeSuffix = "-" + std::to_string(W);

    platform::Canvas c(W, H);
    frame(c);
    c.stretchDrawTransparent({2, bar + 2, left, bar + 2 + H / 3}, load("CDCover-empty.bmp"));
    menubar(c, {{"key_return.bmp", "Abspielen"},
                {"key_space.bmp", "Pause"},
                {"key_J.bmp", "Jukebox"},
                {"key_+.bmp", "Lauter"},
                {"key_-.bmp", "Leiser"},
                {"key_star.bmp", "Bewerten"},
                {"key_Up.bmp", "Hoch"},
                {"key_right.bmp", "Weiter"},
                {"key_0.bmp", "Zur\xC3\xBC"
                              "ck"}});
    setFont(c, 22, palette::kAmber, true);
    c.textOut(titleLeft, folderY, "Jazz / Kind of Blue (1959)");
    const int pitch = (listBottom - listTop) / 10;
    const std::array<std::pair<const char*, const char*>, 10> rows{{
        {"", ".."},
        {"IconFolderMusic.bmp", "Bonus Tracks"},
        {"IconFolderPhoto.bmp", "Booklet"},
        {"IconMusic.bmp", "So What"},
        {"IconMusic.bmp", "Freddie Freeloader"},
        {"IconMusic.bmp", "Blue in Green"},
        {"IconPlaylist.bmp", "Lieblinge"},
        {"IconFolderVideo.bmp", "Konzerte"},
        {"IconVideo.bmp", "Live 1959"},
        {"IconPhoto.bmp", "Studio"},
    }};
    for (int i = 0; i < 10; ++i) {
        const int top = listTop + i * pitch, bottom = listTop + (i + 1) * pitch - 3;
        const bool highlight = i == 3;
        c.fillRect({titleLeft, top, titleRight, bottom},
                   toColor(highlight ? palette::kHighlight : palette::kTitlebar));
        if (!highlight) {
            c.fillRect({titleLeft, top, titleRight, top + 1}, toColor(palette::kTitlebarFrame));
            c.fillRect({titleLeft, bottom - 1, titleRight, bottom},
                       toColor(palette::kTitlebarFrame));
        }
        setFont(c, 13, palette::kText);
        c.textOut(titleLeft + 2, top + (pitch - pixels(13)) / 2, std::to_string(i + 1));
        const auto& [icon, text] = rows[static_cast<std::size_t>(i)];
        if (*icon)
            c.drawTransparent(titleLeft + W / 28, top + (pitch - 32) / 2 - 2, load(icon));
        setFont(c, 20, palette::kText, i < 3 || i == 7, i < 3 || i == 7);
        c.textOut(titleLeft + W / 12, top + (pitch - pixels(20)) / 2, text);
        if (i == 1)
            c.drawTransparent(titleRight - static_cast<int>(std::lround(W / 16.0)),
                              top + (pitch - 32) / 2 - 1, load("IconNew.bmp"));
        if (i >= 3 && i <= 5)
            c.textOut(titleRight - W / 13, top + (pitch - pixels(20)) / 2, "9:22");
    }
    c.fillRect({titleRight + 8, listTop, titleRight + 20, listBottom - 10},
               toColor(palette::kScrollbarBack));
    c.fillRect({titleRight + 9, listTop + 40, titleRight + 19, listTop + 200},
               toColor(palette::kScrollbar));
    std::string listPath = path;
    listPath.insert(listPath.size() - 4, sizeSuffix);
    c.savePng(listPath);

    platform::Canvas m(W, H);
    frame(m);
    menubar(m, {{"key_return.bmp", "Ausw\xC3\xA4hlen"},
                {"key_M.bmp", "Musik"},
                {"key_F.bmp", "Fotos"},
                {"key_V.bmp", "Videos"},
                {"key_O.bmp", "Optionen"},
                {"key_X.bmp", "Beenden"}});
    const int mainPitch = (listBottom - listTop) / 6;
    const std::array<std::pair<const char*, const char*>, 6> menu{{
        {"IconMainmenuMusic.bmp", "Musik"},
        {"IconMainmenuPhoto.bmp", "Fotos"},
        {"IconMainmenuVideo.bmp", "Videos"},
        {"IconMainmenuPlaylist.bmp", "Playlisten"},
        {"IconMainmenuJukebox.bmp", "Jukebox"},
        {"IconMainmenuProgramLinks.bmp", "Programme"},
    }};
    setFont(m, 22, palette::kAmber, true, true);
    const std::string clock = "Dienstag, 8. Dezember 2026    03:12 ";
    m.textOut(titleRight - m.textWidth(clock), folderY, clock);
    for (int i = 0; i < 6; ++i) {
        const int top = listTop + i * mainPitch, bottom = listTop + (i + 1) * mainPitch - 3;
        m.fillRect({titleLeft, top, titleRight, bottom},
                   toColor(i == 0 ? palette::kHighlight : palette::kTitlebar));
        if (i != 0) {
            m.fillRect({titleLeft, top, titleRight, top + 1}, toColor(palette::kTitlebarFrame));
            m.fillRect({titleLeft, bottom - 1, titleRight, bottom},
                       toColor(palette::kTitlebarFrame));
        }
        const platform::Picture icon = load(menu[static_cast<std::size_t>(i)].first);
        m.drawTransparent(titleLeft + W / 28 + 24, top + (mainPitch - icon.height()) / 2 - 2, icon);
        setFont(m, 13, palette::kText);
        m.textOut(titleLeft + 2 + 20, top + (mainPitch - pixels(13)) / 2, std::to_string(i + 1));
        setFont(m, 20, palette::kText, true, true);
        m.textOut(titleLeft + W / 12 + 100, top + (mainPitch - pixels(20)) / 2,
                  menu[static_cast<std::size_t>(i)].second);
    }
    std::string mainPath = path;
    mainPath.insert(mainPath.size() - 4, sizeSuffix + "-main");
    m.savePng(mainPath);

    // The photo caption over a bright, busy picture: the cover of the empty case, enlarged.
    platform::Canvas p(W, H);
    p.fillRect({0, 0, W, H}, toColor(rgb(230, 220, 200)));
    p.stretchDraw({0, 0, W, H}, load("CDCover-empty.bmp"));
    p.drawTransparent(0, 0, load("PhotoNameBar.bmp"));
    setFont(p, 14, palette::kWhite);
    p.textRect({10, 5, 440, 28}, 10, 5, "Strand bei Ahrenshoop (8. Aug 2026, 18:42)");
    setFont(p, 28, rgb(16, 16, 16));
    p.textOut(21, H - H / 15 + 1, "Sommer an der Ostsee");
    setFont(p, 28, palette::kWhite);
    p.textOut(20, H - H / 15, "Sommer an der Ostsee");
    std::string photoPath = path;
    photoPath.insert(photoPath.size() - 4, sizeSuffix + "-photo");
    p.savePng(photoPath);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: skingen <output folder> [--sheet file.png] [--zoom-sheet file.png] "
                     "[--preview file.png]\n";
        return 2;
    }
    const std::string folder = argv[1];
    std::string sheetPath, zoomSheetPath, previewPath;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--sheet")
            sheetPath = argv[i + 1];
        else if (option == "--zoom-sheet")
            zoomSheetPath = argv[i + 1];
        else if (option == "--preview")
            previewPath = argv[i + 1];
    }
    // The tool draws off screen only; it needs no display.
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 0);
    platform::SdlSession sdl;
    if (!sdl.ok()) {
        std::cerr << "skingen: SDL could not start\n";
        return 1;
    }
    std::filesystem::create_directories(folder);
    if (!writeDefinition(folder + "/Config.ini")) {
        std::cerr << "skingen: cannot write " << folder << "/Config.ini\n";
        return 1;
    }
    std::vector<std::pair<SkinPicture, platform::Picture>> made;
    for (SkinPicture& picture : pictureSet()) {
        platform::Picture drawnPicture = picture.make();
        const std::string path = folder + "/" + picture.fileName;
        const bool saved = picture.fileName.ends_with(".jpg") ? saveJpeg(drawnPicture, path, 90)
                                                              : saveBmp(drawnPicture, path);
        if (!saved) {
            std::cerr << "skingen: cannot write " << path << "\n";
            return 1;
        }
        made.emplace_back(std::move(picture), std::move(drawnPicture));
    }
    if (!sheetPath.empty())
        writeSheet(made, sheetPath, 1);
    if (!zoomSheetPath.empty())
        writeSheet(made, zoomSheetPath, 3);
    if (!previewPath.empty()) {
        for (const auto& [width, height] : {std::pair{1280, 1024}, std::pair{800, 600}})
            writePreview(folder, previewPath, width, height);
    }
    std::cout << "skingen: " << made.size() << " pictures and Config.ini written to " << folder
              << "\n";
    return 0;
}
