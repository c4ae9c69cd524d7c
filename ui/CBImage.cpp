#include "ui/CBImage.h"

#include "app/Log.h"
#include "library/CoverLookup.h"
#include "platform/Encoding.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using platform::Canvas;
using platform::Color;
using platform::Picture;
using platform::Rect;

// The raised bevel's edges: light at the top and left, dark at the bottom and right.
constexpr Color kBevelLight = platform::rgb(230, 230, 230);
constexpr Color kBevelDark = platform::rgb(105, 105, 105);
// A caption is cut to at most this many characters.
constexpr std::size_t kMaxCaptionCharacters = 255;

enum class PictureType { Jpeg, Bmp, Embedded, Unknown };

struct ExtensionType {
    std::string_view extension; // upper case
    PictureType type;
};
constexpr ExtensionType kPictureTypes[] = {
    {".JPG", PictureType::Jpeg},
    {".JPEG", PictureType::Jpeg},
    {".BMP", PictureType::Bmp},
};

PictureType pictureTypeOf(const std::string& fileName) {
    if (IsEmbeddedCoverName(fileName))
        return PictureType::Embedded;
    const std::size_t slash = fileName.rfind('/');
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return PictureType::Unknown;
    const std::string extension = platform::asciiUpper(std::string_view(fileName).substr(dot));
    for (const ExtensionType& row : kPictureTypes) {
        if (row.extension == extension)
            return row.type;
    }
    return PictureType::Unknown;
}

Rect offset(const Rect& r, int dx, int dy) {
    return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// The part of the picture inside `part` (picture coordinates), for drawing a picture that sticks
// out of the control: the canvas clips only at its own edges.
Picture cropPicture(const Picture& picture, const Rect& part) {
    const int width = part.width(), height = part.height();
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3 *
                                  static_cast<std::size_t>(height));
    std::uint8_t* out = rgb.data();
    for (int y = part.top; y < part.bottom; ++y) {
        for (int x = part.left; x < part.right; ++x) {
            const Color color = picture.pixel(x, y);
            *out++ = static_cast<std::uint8_t>(color & 0xFF);
            *out++ = static_cast<std::uint8_t>((color >> 8) & 0xFF);
            *out++ = static_cast<std::uint8_t>((color >> 16) & 0xFF);
        }
    }
    return Picture::fromRgb24(width, height, rgb.data(), width * 3);
}

// The control draws in its own font; the owner's font comes back afterwards, and the text
// background is left transparent, as the window paints its own text.
class CanvasFontScope {
public:
    CanvasFontScope(Canvas& canvas, const platform::FontSpec& font)
        : m_canvas(canvas), m_saved(canvas.font()) {
        m_canvas.setFont(font);
    }
    ~CanvasFontScope() {
        m_canvas.setFont(m_saved);
        m_canvas.setTextBackground(true);
    }
    CanvasFontScope(const CanvasFontScope&) = delete;
    CanvasFontScope& operator=(const CanvasFontScope&) = delete;

private:
    Canvas& m_canvas;
    platform::FontSpec m_saved;
};

} // namespace

TCBImage::TCBImage() = default;

void TCBImage::setBounds(const platform::Rect& bounds) {
    // The owner repaints the window after moving the control; painting here would draw over a
    // frame that is still being built.
    m_bounds = bounds;
}

void TCBImage::setVisible(bool visible) {
    // As for the bounds: showing or hiding takes effect with the owner's next paint.
    m_visible = visible;
}

void TCBImage::setColor(platform::Color color) {
    if (color == m_color)
        return;
    m_color = color;
    requestPaint();
}

void TCBImage::setImageName(const std::string& name) {
    if (name == m_imageName)
        return;
    m_imageName = name;
    if (!name.empty() && platform::fileExists(name))
        LoadImage(name);
    else
        ClearImage();
}

void TCBImage::setCaption(const std::string& caption) {
    if (caption == m_caption)
        return;
    const bool hadCaption = !m_caption.empty();
    m_caption = caption;
    // A caption that only changes its text keeps the picture's place; one that appears or
    // disappears changes the picture's area, so everything is painted again.
    if (hadCaption && !m_caption.empty())
        paintNow(PaintScope::Surround);
    else
        requestPaint();
}

void TCBImage::setChecked(bool checked) {
    if (checked == m_checked)
        return;
    m_checked = checked;
    paintNow(PaintScope::Surround);
}

void TCBImage::LoadImage(const std::string& fileName) {
    m_picture = platform::Picture();
    if (!platform::fileExists(fileName)) {
        LogError(fileName + ": picture file not found");
    } else {
        switch (pictureTypeOf(fileName)) {
        case PictureType::Jpeg: {
            // logs its own failures
            m_picture = platform::loadJpegFile(fileName, DecodeOptions());
            break;
        }
        case PictureType::Bmp:
            m_picture = platform::Picture::loadBmp(fileName);
            if (m_picture.empty())
                LogError(fileName + ": BMP picture not loaded");
            break;
        case PictureType::Embedded: {
            // A music title as a cover stands for the picture stored inside it.
            std::string error;
            m_picture = DecodeEmbeddedCover(fileName, DecodeOptions(), &error);
            if (m_picture.empty())
                LogError(fileName + ": embedded picture not loaded: " + error);
            break;
        }
        case PictureType::Unknown:
            LogError(fileName + ": no picture type for this file name extension");
            break;
        }
    }
    paintNow(PaintScope::Whole);
}

platform::JpegOptions TCBImage::DecodeOptions() const {
    // A fitted picture is never drawn larger than the control, so it need not be decoded
    // larger either; a picture shown at its natural size keeps every pixel.
    platform::JpegOptions options = Jpeg;
    if (StretchRatio) {
        options.fitWidth = Width();
        options.fitHeight = Height();
    }
    return options;
}

void TCBImage::ShowPicture(platform::Picture picture) {
    m_picture = std::move(picture);
    paintNow(PaintScope::Whole);
}

void TCBImage::ClearImage() {
    m_picture = platform::Picture();
    m_imageRect = Rect{};
    m_imageName.clear();
    paintNow(PaintScope::Surround);
}

void TCBImage::requestPaint() {
    paintNow(PaintScope::Whole);
}

void TCBImage::paintNow(PaintScope scope) {
    if (!onPaintNow || !m_visible)
        return;
    // paint() reads the scope while the owner's handler runs; restored even if it throws.
    struct ScopeReset {
        PaintScope& scope;
        ~ScopeReset() { scope = PaintScope::Whole; }
    } reset{m_paintScope};
    m_paintScope = scope;
    onPaintNow(*this);
}

void TCBImage::drawBevel(platform::Canvas& canvas) {
    const int w = Width(), h = Height();
    const Rect client{0, 0, w, h};
    const auto fill = [&](const Rect& r, platform::Color color) {
        const Rect part = r.intersected(client);
        if (!part.isEmpty())
            canvas.fillRect(offset(part, m_bounds.left, m_bounds.top), color);
    };
    // Ring i runs around (i, i, w - i, h - i); the dark edges own the top-right and
    // bottom-left corner pixels.
    for (int i = 0; i < BevelWidth; ++i) {
        fill(Rect{i, i, w - 1 - i, i + 1}, kBevelLight);        // top
        fill(Rect{i, i, i + 1, h - 1 - i}, kBevelLight);        // left
        fill(Rect{w - 1 - i, i, w - i, h - i}, kBevelDark);     // right
        fill(Rect{i, h - 1 - i, w - 1 - i, h - i}, kBevelDark); // bottom
    }
}

void TCBImage::paint(platform::Canvas& canvas) {
    if (!m_visible)
        return;
    if (m_paintScope == PaintScope::Surround) {
        PaintSurround(canvas);
        return;
    }
    CanvasFontScope fontScope(canvas, Font);
    const int w = Width(), h = Height();
    const Rect client{0, 0, w, h};

    Rect inner = client;
    if (ShowFrame3D) {
        drawBevel(canvas);
        inner = Rect{BevelWidth, BevelWidth, w - BevelWidth, h - BevelWidth};
    }
    if (!m_caption.empty())
        inner.bottom -= canvas.textHeight(m_caption);

    if (m_picture.width() != 0) {
        const int pictureWidth = m_picture.width(), pictureHeight = m_picture.height();
        Rect r = StretchRatio ? FitRect(inner.width(), inner.height(), pictureWidth, pictureHeight)
                              : Rect{0, 0, pictureWidth, pictureHeight};
        if (ShowFrame3D)
            r = offset(r, BevelWidth, BevelWidth);
        if (CenterView)
            r = CenterRect(r, inner);
        m_imageRect = r;
        if (StretchRatio) {
            // A fitted rectangle always lies inside the inner area.
            canvas.stretchDraw(offset(r, m_bounds.left, m_bounds.top), m_picture);
        } else {
            const Rect visible = r.intersected(client);
            if (visible == r) {
                canvas.draw(m_bounds.left + r.left, m_bounds.top + r.top, m_picture);
            } else if (!visible.isEmpty()) {
                const platform::Picture part =
                    cropPicture(m_picture, offset(visible, -r.left, -r.top));
                canvas.draw(m_bounds.left + visible.left, m_bounds.top + visible.top, part);
            }
        }
        PaintSurround(canvas);
    } else if (ShowEmptyLabel) {
        canvas.setTextBackground(true);
        const int left = (w - canvas.textWidth(EmptyLabel)) / 2;
        const int top = (h - canvas.textHeight(EmptyLabel)) / 2;
        canvas.textRect(m_bounds, m_bounds.left + left, m_bounds.top + top, EmptyLabel);
    }
}

void TCBImage::PaintSurround(platform::Canvas& canvas) {
    if (!m_visible)
        return;
    CanvasFontScope fontScope(canvas, Font);
    const platform::Color brush = m_checked ? CheckColor : m_color;
    const int b = ShowFrame3D ? BevelWidth : 0;
    const int w = Width(), h = Height();
    const Rect client{0, 0, w, h};
    const auto fill = [&](const Rect& r) {
        const Rect part = r.intersected(client);
        if (!part.isEmpty())
            canvas.fillRect(offset(part, m_bounds.left, m_bounds.top), brush);
    };

    if (m_picture.width() <= 0) {
        fill(Rect{b, b, w - b, h - b});
    } else {
        const Rect& i = m_imageRect;
        fill(Rect{b, b, i.right, i.top});
        fill(Rect{i.right, b, w - b, i.bottom});
        fill(Rect{i.left, i.bottom, w - b, h - b});
        fill(Rect{b, i.top, i.left, h - b});
    }

    if (m_caption.empty())
        return;
    const std::string text = FitCaption(canvas, m_caption, w - 2 * b);
    const int left = (w - canvas.textWidth(text)) / 2;
    const int top = h - canvas.textHeight(text) - BevelWidth;
    // The background covers the text's cell, as far as it lies inside the control.
    const Rect cell{left, top, left + canvas.textWidth(text), top + canvas.textHeight(text)};
    const Rect visible = cell.intersected(client);
    if (visible.isEmpty())
        return;
    canvas.setTextBackground(false, brush);
    canvas.textRect(offset(visible, m_bounds.left, m_bounds.top), m_bounds.left + left,
                    m_bounds.top + top, text);
}

std::string FitCaption(platform::Canvas& canvas, const std::string& caption, int availableWidth) {
    if (canvas.textWidth(caption) <= availableWidth)
        return caption;
    const std::size_t limit = std::min(platform::utf8Length(caption), kMaxCaptionCharacters);
    std::size_t count = 0;
    std::string text;
    while (count < limit && canvas.textWidth(text) < availableWidth)
        text = platform::utf8Prefix(caption, ++count);
    return text;
}

platform::Rect FitRect(int availableWidth, int availableHeight, int pictureWidth,
                       int pictureHeight) {
    // No room at all: nothing to draw (and no division by a zero height below).
    if (availableWidth <= 0 || availableHeight <= 0)
        return Rect{};
    // The quotients are truncated; extended precision keeps a result that should be whole from
    // falling to one below it.
    using Real = long double;
    const Real aw = availableWidth, ah = availableHeight;
    const Real pw = pictureWidth, ph = pictureHeight;
    const bool tooWide = pictureWidth > availableWidth;
    const bool tooHigh = pictureHeight > availableHeight;
    Rect r;
    if (tooWide && tooHigh) {
        r.right = availableWidth;
        r.bottom = static_cast<int>(aw / pw * ph);
        if (r.bottom > availableHeight) {
            r.right = static_cast<int>(ah / static_cast<Real>(r.bottom) * aw);
            r.bottom = availableHeight;
        }
    } else if (tooHigh) {
        r.right = static_cast<int>(ah / ph * pw);
        r.bottom = availableHeight;
    } else if (tooWide) {
        r.right = availableWidth;
        r.bottom = static_cast<int>(aw / pw * ph);
    } else {
        r.right = pictureWidth;
        r.bottom = pictureHeight;
    }
    return r;
}

platform::Rect CenterRect(const platform::Rect& r, const platform::Rect& area) {
    Rect centred;
    centred.left = area.left + area.width() / 2 - r.width() / 2;
    centred.top = area.top + area.height() / 2 - r.height() / 2;
    centred.right = centred.left + r.width();
    centred.bottom = centred.top + r.height();
    return centred;
}
