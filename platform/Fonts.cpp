#include "platform/Fonts.h"

#include "platform/Log.h"

#include <fontconfig/fontconfig.h>

#include <map>
#include <memory>
#include <tuple>

namespace platform {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

struct FontCloser {
    void operator()(TTF_Font* font) const {
        // At process exit the font library may already be gone; the memory goes with it.
        if (TTF_WasInit() > 0)
            TTF_CloseFont(font);
    }
};
using FontPtr = std::unique_ptr<TTF_Font, FontCloser>;

struct FaceKey {
    std::string name;
    bool bold;
    bool italic;
    auto operator<=>(const FaceKey&) const = default;
};

struct OpenFontKey {
    std::string file;
    int faceIndex;
    int pixelHeight;
    int style;
    auto operator<=>(const OpenFontKey&) const = default;
};

// A program draws with a handful of fonts; the limit only guards against a caller that keeps
// inventing sizes.
constexpr std::size_t kMaxOpenFonts = 64;

// Main thread only, like every canvas.
struct FontCacheState {
    std::map<FaceKey, ResolvedFont> resolved;
    std::map<OpenFontKey, FontPtr> fonts; // null entries remember fonts that failed to open
};

FontCacheState& fontCache() {
    static FontCacheState state;
    return state;
}

const ResolvedFont& resolveCached(const FontSpec& fontSpec) {
    auto& resolved = fontCache().resolved;
    FaceKey key{fontSpec.name, fontSpec.bold, fontSpec.italic};
    auto found = resolved.find(key);
    if (found == resolved.end())
        found =
            resolved.emplace(key, resolveFont(fontSpec.name, fontSpec.bold, fontSpec.italic)).first;
    return found->second;
}

} // namespace

ResolvedFont resolveFont(const std::string& name, bool bold, bool italic) {
    ResolvedFont result;
    PatternPtr pattern(FcPatternCreate());
    if (!pattern)
        return result;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern))
        return result;
    FcDefaultSubstitute(pattern.get());

    FcResult status = FcResultNoMatch;
    PatternPtr match(FcFontMatch(nullptr, pattern.get(), &status));
    if (!match)
        return result;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file)
        return result;
    result.file = reinterpret_cast<const char*>(file);

    int index = 0;
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) == FcResultMatch)
        result.faceIndex = index;
    int weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match.get(), FC_SLANT, 0, &slant);
    result.syntheticBold = bold && weight < FC_WEIGHT_DEMIBOLD;
    result.syntheticItalic = italic && slant == FC_SLANT_ROMAN;
    return result;
}

TTF_Font* cachedFont(const FontSpec& fontSpec) {
    if (TTF_WasInit() <= 0)
        return nullptr;
    const ResolvedFont& face = resolveCached(fontSpec);
    if (face.file.empty())
        return nullptr;

    int style = TTF_STYLE_NORMAL;
    if (face.syntheticBold)
        style |= TTF_STYLE_BOLD;
    if (face.syntheticItalic)
        style |= TTF_STYLE_ITALIC;
    OpenFontKey key{face.file, face.faceIndex, fontPixelHeight(fontSpec.pointSize), style};

    auto& fonts = fontCache().fonts;
    auto found = fonts.find(key);
    if (found != fonts.end())
        return found->second.get();

    if (fonts.size() >= kMaxOpenFonts)
        fonts.clear();
    // SDL_ttf takes its size at 72 dpi, so the size in points is the em height in pixels.
    FontPtr font(TTF_OpenFontIndex(key.file.c_str(), key.pixelHeight, key.faceIndex));
    if (font)
        TTF_SetFontStyle(font.get(), style);
    else
        LogLine("Font cannot be opened: " + key.file + " (" + TTF_GetError() + ")");
    return fonts.emplace(std::move(key), std::move(font)).first->second.get();
}

void clearFontCache() {
    closeOpenFonts();
    fontCache().resolved.clear();
}

void closeOpenFonts() {
    fontCache().fonts.clear();
}

std::size_t openFontCount() {
    return fontCache().fonts.size();
}

} // namespace platform
