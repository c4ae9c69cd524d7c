#include "library/CoverLookup.h"

#include "platform/Encoding.h"
#include "platform/StartValues.h"

#include <cstddef>
#include <initializer_list>
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

} // namespace

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
}
