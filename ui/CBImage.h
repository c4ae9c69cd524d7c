#pragma once

#include "platform/Canvas.h"
#include "platform/JpegDecoder.h"

#include <functional>
#include <string>

// The program's own picture control: loads a JPEG (or BMP) file, shrinks it into its bounds
// with the aspect ratio kept, optionally centres it, frames it with a bevel, fills the rest of
// its area with its colour and draws a caption under the picture or an "Empty" label.
// A windowless control: it paints into the window's back buffer at its bounds. Main thread.
class TCBImage {
public:
    TCBImage();

    // Position and size on the window, visibility and colour.
    platform::Rect bounds() const { return m_bounds; }
    void setBounds(const platform::Rect& bounds);
    int Left() const { return m_bounds.left; }
    int Top() const { return m_bounds.top; }
    int Width() const { return m_bounds.width(); }
    int Height() const { return m_bounds.height(); }
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    platform::Color Color() const { return m_color; }
    void setColor(platform::Color color);
    platform::FontSpec Font;

    // Properties.
    const std::string& ImageName() const { return m_imageName; }
    void setImageName(const std::string& name);
    int BevelWidth = 1;
    bool ShowFrame3D = false;
    bool StretchRatio = false;
    bool CenterView = false;
    bool ShowEmptyLabel = false;
    platform::JpegOptions Jpeg; // pixel format, scale, grayscale, performance, progressive
    bool JPEGSmoothing = false;
    bool JPEGProgressiveEncoding = false;
    int JPEGCompressionQuality = 0;
    const std::string& Caption() const { return m_caption; }
    void setCaption(const std::string& caption);
    bool Checked() const { return m_checked; }
    void setChecked(bool checked);
    platform::Color CheckColor = platform::rgb(255, 0, 0);
    std::string EmptyLabel = "Empty";

    // Loads the file (JPEG by its extension ".jpg"/".jpeg", else BMP); a missing, corrupt or
    // oversized file leaves the picture empty and is logged. With StretchRatio a JPEG is decoded
    // at the smallest scale that still covers the control's bounds, so set them first.
    // Paints at once.
    void LoadImage(const std::string& fileName);
    // The options LoadImage decodes a JPEG with at the current bounds, so that a picture can be
    // decoded elsewhere (ahead of time, on a worker) exactly as the control would.
    platform::JpegOptions DecodeOptions() const;
    // Takes a picture decoded elsewhere in place of loading a file; paints at once.
    void ShowPicture(platform::Picture picture);
    void ClearImage();
    const platform::Picture& Picture() const { return m_picture; }
    platform::Rect ImageRect() const { return m_imageRect; }

    // Paints the control into canvas at its bounds, clipped to them (nothing when invisible).
    // PaintSurround fills the area around the picture and draws the caption.
    void paint(platform::Canvas& canvas);
    void PaintSurround(platform::Canvas& canvas);

    // Called when the control wants to be painted at once (LoadImage, ClearImage, Checked,
    // Caption, Color); the main window paints it into its back buffer and presents it. A paint
    // inside this call may draw only the surround when that is all the control asked for.
    // Not called while the control is hidden.
    std::function<void(TCBImage&)> onPaintNow;
    // Click and mouse-down handlers of the owner.
    std::function<void()> onClick;

private:
    enum class PaintScope { Whole, Surround };
    void requestPaint();
    void paintNow(PaintScope scope);
    void drawBevel(platform::Canvas& canvas);

    platform::Rect m_bounds;
    bool m_visible = false;
    platform::Color m_color = platform::rgb(192, 192, 192);
    std::string m_imageName;
    std::string m_caption;
    bool m_checked = false;
    platform::Picture m_picture;
    platform::Rect m_imageRect; // control coordinates; empty after ClearImage
    PaintScope m_paintScope = PaintScope::Whole;
};

// The largest rectangle (0, 0, right, bottom) of the picture's aspect within aw × ah; never
// enlarges the picture.
platform::Rect FitRect(int availableWidth, int availableHeight, int pictureWidth,
                       int pictureHeight);
// r moved so that it is centred within area.
platform::Rect CenterRect(const platform::Rect& r, const platform::Rect& area);
// The caption as drawn into availableWidth pixels in the canvas' current font: whole when it
// fits, else its first characters (at most 255) added while the text is narrower than the room,
// so the last one may reach past it.
std::string FitCaption(platform::Canvas& canvas, const std::string& caption, int availableWidth);
