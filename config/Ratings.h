#pragma once

#include "library/MyString.h"

#include <string>
#include <string_view>
#include <vector>

class TListElement;

// One rating: the key (folder + display name) and its value: "" for 0 stars, "*" to "*****"
// for 1 to 5 stars, "-" for "no rating" (not written to the file), or any text a user wrote.
struct TRatingItem {
    std::string Key;
    TMyString Value;
    // A line without "=" is kept as it stood, so writing the file back never alters it.
    std::string UnparsedLine;
};

// In file order; new items are appended. Read at start-up, changed by the rating command and
// written at exit, all on the main thread; painting reads it on the main thread too.
using TRatingList = std::vector<TRatingItem>;
inline TRatingList gRatings;
// Empties gRatings, as at start-up.
void ResetRatings();

// The first line of Ratings.dat; the second line is empty.
inline constexpr std::string_view kRatingsHeader =
    "# maximum rating is 5/5 (*****) ; no star means rating 0/5 ; no entry means no rating at all";

// Items of the lines of Ratings.dat: empty lines and lines starting with "#" are skipped; a
// line is split at its first "=" (the key is not trimmed); a line without "=" gives an empty
// key whose value is the line without its last character.
TRatingList ParseRatings(const std::vector<std::string>& lines);
// The lines of Ratings.dat: the header, an empty line, then key=value for every item whose
// value is not "-".
std::vector<std::string> FormatRatings(const TRatingList& ratings);

// Keys are file paths, so they match regardless of letter case: ASCII and the letters of
// Windows-1252 (Ä/ä, Ö/ö, Ü/ü, É/é, Œ/œ, Š/š, Ž/ž, Ÿ/ÿ, ...).
bool SameRatingKey(std::string_view a, std::string_view b);
// The first item whose key matches; null when there is none.
TRatingItem* FindRating(TRatingList& ratings, std::string_view key);
const TRatingItem* FindRating(const TRatingList& ratings, std::string_view key);
// One step of the rating cycle: "-" -> "" -> "*" -> ... -> "*****" -> "-". Any other value
// stays unchanged.
std::string NextRatingValue(const std::string& value);

// The element's folder (with its final "/") followed by its display name.
std::string RatingKey(const TListElement& element);

// gRatings from gProgramDirectory + "/Ratings.dat"; a missing file is logged and gives an
// empty list.
void ReadRatings();
// Rewrites gProgramDirectory + "/Ratings.dat" from gRatings (atomically).
void WriteRatings();
// The rating command: only in the music mode and never on the ".." row. An element without an
// item gets one star; otherwise its value advances along the rating cycle.
void ChangeRating(const TListElement& element);
// The element's rating value, or "-" when it has none.
std::string LookupRating(const TListElement& element);

// The title of a photo from the folder's Diashow.dat (section "Diashow", key = photo name
// without extension). Empty when the file or the key is missing.
std::string ReadDiashowTitle(const std::string& folder, const std::string& photoName);
