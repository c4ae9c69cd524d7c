// Ratings.dat read and written the way start-up and exit do it (the bytes split into lines,
// the items parsed, formatted and joined again): any bytes read without harm, reading what was
// written gives the same ratings, and writing those once more gives the same bytes. The rating
// lookups run over every key read.
#include "FuzzSupport.h"

#include "config/Ratings.h"
#include "platform/TextFile.h"

namespace {

bool sameRatings(const TRatingList& a, const TRatingList& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].Key != b[i].Key || a[i].Value.Text != b[i].Value.Text ||
            a[i].UnparsedLine != b[i].UnparsedLine)
            return false;
    }
    return true;
}

std::string written(const TRatingList& ratings, bool byteOrderMark) {
    return platform::joinTextLines(platform::TextLines{FormatRatings(ratings), byteOrderMark});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzzsupport::check;
    const platform::TextLines file = platform::splitTextLines(fuzzsupport::asText(data, size));
    const TRatingList ratings = ParseRatings(file.lines);
    for (const TRatingItem& item : ratings) {
        check(FindRating(ratings, item.Key) != nullptr, "every key read is found");
        check(SameRatingKey(item.Key, item.Key), "a key matches itself");
        (void)NextRatingValue(item.Value.Text);
    }
    if (ratings.size() >= 2) {
        const bool forward = SameRatingKey(ratings[0].Key, ratings[1].Key);
        check(forward == SameRatingKey(ratings[1].Key, ratings[0].Key), "keys match both ways");
    }

    const std::string bytes = written(ratings, file.byteOrderMark);
    TRatingList kept = ratings;
    std::erase_if(kept, [](const TRatingItem& item) {
        return item.UnparsedLine.empty() && item.Value.Text == "-";
    });
    const platform::TextLines reread = platform::splitTextLines(bytes);
    const TRatingList again = ParseRatings(reread.lines);
    check(sameRatings(again, kept), "the written file reads as the ratings that were kept");
    check(written(again, reread.byteOrderMark) == bytes,
          "writing the re-read ratings gives the same bytes");
    return 0;
}
