#pragma once

#include "platform/Canvas.h"

#include <cstdlib>

namespace testsupport {

// JPEG is lossy: colours compare within a tolerance per channel.
inline bool colorNear(platform::Color actual, platform::Color expected, int tolerance) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance)
            return false;
    }
    return true;
}

// Pixel counts over an area of anything with pixel(x, y): a Canvas or a Picture.
template <typename Image>
int countPixels(const Image& image, const platform::Rect& area, platform::Color color) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += image.pixel(x, y) == color ? 1 : 0;
    return count;
}

template <typename Image>
int countPixelsOtherThan(const Image& image, const platform::Rect& area, platform::Color color) {
    return area.width() * area.height() - countPixels(image, area, color);
}

// Pixels of the whole image outside the area that are not the given colour.
template <typename Image>
int countOtherPixelsOutside(const Image& image, const platform::Rect& area, platform::Color color) {
    const platform::Rect whole{0, 0, image.width(), image.height()};
    return countPixelsOtherThan(image, whole, color) -
           countPixelsOtherThan(image, area.intersected(whole), color);
}

// Positions in the area where the two images have different colours.
template <typename ImageA, typename ImageB>
int differingPixels(const ImageA& a, const ImageB& b, const platform::Rect& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return count;
}

} // namespace testsupport
