#include "library/CoverLookup.h"

#include "app/Log.h"
#include "library/LibraryScan.h"
#include "library/Mp3Element.h"
#include "library/PathFunctions.h"
#include "platform/AudioTags.h"
#include "platform/Encoding.h"
#include "platform/FileSystem.h"
#include "platform/PngDecoder.h"
#include "platform/StartValues.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>

namespace {

const platform::StartValues kStartValues(gCurrentCoverFrontFileName, gCurrentCoverBackFileName);

using Keywords = std::initializer_list<std::string_view>;

// Keyword passes, strongest first; a later pass runs only when the earlier ones found nothing.
const std::initializer_list<Keywords> kFrontPasses = {
    {"_FRONT", "_VORN"},
    {"FRONT", "VORN"},
    {"-A", "_A"},
};
const std::initializer_list<Keywords> kBackPasses = {
    {"_BACK", "_HINTEN", "_REAR"},
    {"BACK", "HINTEN", "REAR"},
    {"-B", "_B"},
};

// The choice as matching sees it: the list entry it came from and the text the keyword rules
// compare (upper-cased for a pass match, the fallbacks as their rules say).
struct Choice {
    std::size_t index = 0;
    std::string text;
};

// The last name of the first pass that matches anything.
std::optional<Choice> matchPasses(const std::vector<std::string>& names,
                                  const std::initializer_list<Keywords>& passes) {
    for (const Keywords& keywords : passes) {
        std::optional<Choice> candidate;
        for (std::size_t i = 0; i < names.size(); ++i) {
            // Only a to z change: umlauts and other characters stay as they are.
            std::string upper = platform::asciiUpper(names[i]);
            for (std::string_view keyword : keywords) {
                if (upper.find(keyword) != std::string::npos) {
                    candidate = Choice{i, std::move(upper)};
                    break;
                }
            }
        }
        if (candidate)
            return candidate;
    }
    return std::nullopt;
}

std::optional<Choice> chooseBack(const std::vector<std::string>& names) {
    if (names.size() <= 1)
        return std::nullopt;
    if (auto candidate = matchPasses(names, kBackPasses))
        return candidate;
    return Choice{1, names[1]};
}

// What reading one title gave: its embedded picture's bytes, or none.
struct EmbeddedCoverEntry {
    // The folder whose first title this is; empty when the title was asked for by its path.
    std::string folder;
    std::string titlePath;
    std::shared_ptr<const std::vector<std::uint8_t>> bytes;
};

// Covers run to a few hundred kilobytes each; a handful of recent folders is enough for going
// back and forth between an album and its neighbours. Main thread only; newest first.
constexpr std::size_t kCachedCovers = 8;
std::deque<EmbeddedCoverEntry> gEmbeddedCovers;

const EmbeddedCoverEntry& remember(EmbeddedCoverEntry entry) {
    gEmbeddedCovers.push_front(std::move(entry));
    if (gEmbeddedCovers.size() > kCachedCovers)
        gEmbeddedCovers.pop_back();
    return gEmbeddedCovers.front();
}

std::shared_ptr<const std::vector<std::uint8_t>> readCoverBytes(const std::string& titlePath) {
    std::optional<platform::EmbeddedPicture> picture = platform::readEmbeddedCover(titlePath);
    if (!picture)
        return nullptr;
    return std::make_shared<const std::vector<std::uint8_t>>(std::move(picture->data));
}

// The file's own signature decides, not the type the tag states: taggers often write
// "image/jpg", "JPG" or nothing at all.
platform::Picture decodeCoverBytes(std::span<const std::uint8_t> bytes,
                                   const platform::JpegOptions& options, std::string* error) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8)
        return platform::decodeJpeg(bytes, options, error);
    if (bytes.size() >= 4 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' &&
        bytes[3] == 'G')
        return platform::decodePng(bytes, error);
    if (error)
        *error = "the embedded picture is neither JPEG nor PNG";
    return {};
}

// The folder's first title as the music list shows it (names in order, whatever the format);
// empty when it has none.
std::string firstTitleOf(const std::string& folder) {
    for (const platform::DirEntry& entry :
         platform::listDirectory(folder, "*", platform::EntryFilter::All)) {
        if (!entry.isDirectory && IsMusicTitleFile(entry.name))
            return folder + entry.name;
    }
    return {};
}

// The screensaver shows every front cover known; a folder's embedded one joins them once.
void addToFoundFrontCovers(const std::string& folder, const std::string& titlePath) {
    const bool known =
        std::any_of(gFoundFrontCovers.begin(), gFoundFrontCovers.end(),
                    [&](const TFoundEntry& e) { return e.Object.Text == titlePath; });
    if (!known)
        gFoundFrontCovers.push_back({LastFolderLevels(folder, 2), TMyString{titlePath}});
}

} // namespace

std::string EmbeddedFrontCover(const std::string& folder) {
    const auto cached =
        std::find_if(gEmbeddedCovers.begin(), gEmbeddedCovers.end(),
                     [&](const EmbeddedCoverEntry& e) { return e.folder == folder; });
    if (cached != gEmbeddedCovers.end()) {
        if (!cached->bytes)
            return {};
        addToFoundFrontCovers(folder, cached->titlePath);
        return cached->titlePath;
    }
    const std::string title = firstTitleOf(folder);
    EmbeddedCoverEntry entry{folder, title, title.empty() ? nullptr : readCoverBytes(title)};
    if (entry.bytes) {
        // A picture that does not decode is no cover: the folder then looks like one without.
        // An eighth of the size is enough to find out.
        platform::JpegOptions probe;
        probe.scale = platform::JpegOptions::Scale::Eighth;
        std::string error;
        if (decodeCoverBytes(*entry.bytes, probe, &error).empty()) {
            LogLine("Embedded cover of " + title + " not usable: " + error);
            entry.bytes = nullptr;
        }
    }
    const EmbeddedCoverEntry& kept = remember(std::move(entry));
    if (!kept.bytes)
        return {};
    addToFoundFrontCovers(folder, kept.titlePath);
    return kept.titlePath;
}

bool IsEmbeddedCoverName(const std::string& fileName) {
    return IsMusicTitleFile(NameOfPath(fileName));
}

platform::Picture DecodeEmbeddedCover(const std::string& titlePath,
                                      const platform::JpegOptions& options, std::string* error) {
    auto cached =
        std::find_if(gEmbeddedCovers.begin(), gEmbeddedCovers.end(),
                     [&](const EmbeddedCoverEntry& e) { return e.titlePath == titlePath; });
    // Keep the bytes alive here: remembering another title may drop the cached entry.
    std::shared_ptr<const std::vector<std::uint8_t>> bytes =
        cached != gEmbeddedCovers.end()
            ? cached->bytes
            : remember({{}, titlePath, readCoverBytes(titlePath)}).bytes;
    if (!bytes) {
        if (error)
            *error = "no picture embedded";
        return {};
    }
    return decodeCoverBytes(*bytes, options, error);
}

std::optional<std::string> ChooseBackCover(const std::vector<std::string>& names) {
    const std::optional<Choice> back = chooseBack(names);
    if (!back)
        return std::nullopt;
    return names[back->index];
}

std::optional<std::string> ChooseFrontCover(const std::vector<std::string>& names) {
    if (names.empty())
        return std::nullopt;
    Choice front =
        matchPasses(names, kFrontPasses).value_or(Choice{0, platform::asciiUpper(names[0])});
    // The front must not show the picture chosen as the back; the texts compared are the
    // matching forms, exactly as the back choice produced them.
    const std::optional<Choice> back = chooseBack(names);
    if (names.size() >= 2 && back && front.text == back->text)
        front = Choice{1, names[1]};
    return names[front.index];
}

void ResetCoverLookup() {
    kStartValues.restore();
    gEmbeddedCovers.clear();
}
