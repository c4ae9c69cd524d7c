#pragma once

#include "platform/Canvas.h"

#include <SDL_ttf.h>

#include <cstddef>
#include <string>

namespace platform {

// A font file chosen for a family name and style. When the file has no bold or italic face of
// its own, the renderer has to embolden or slant the regular one.
struct ResolvedFont {
    std::string file; // empty when nothing matched
    int faceIndex = 0;
    bool syntheticBold = false;
    bool syntheticItalic = false;
};

// Asks fontconfig for the best file for a family ("Arial" gives Liberation Sans on a system
// with the metric-compatible Liberation fonts).
ResolvedFont resolveFont(const std::string& name, bool bold, bool italic);

// The opened font for a font description, or null when the font cannot be opened (no file, or
// the font library is not initialised). Opened fonts are kept, keyed by file, pixel size and
// style, until clearFontCache(). Main thread only; the pointer is valid until the next call
// that may clear the cache.
TTF_Font* cachedFont(const FontSpec& fontSpec);
// Closes every cached font; must run before the font library shuts down.
void clearFontCache();
// Closes the opened fonts but keeps what fontconfig resolved: when the window changes its
// size, the fonts of the old sizes are of no more use, and keeping them would let the cache
// grow with every size the screen has had.
void closeOpenFonts();
// How many fonts are open now (watched by the tests of the cache's bounds).
std::size_t openFontCount();

} // namespace platform
