#include "library/CoverLookup.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct CoverCase {
    const char* what;
    std::vector<std::string> names;
    std::optional<std::string> front;
    std::optional<std::string> back;
};

TEST(CoverLookupTest, ChoosesFrontAndBackByKeywordPasses) {
    const std::vector<CoverCase> cases = {
        {"front and back keywords",
         {"cover_front.jpg", "cover_back.jpg"},
         "cover_front.jpg",
         "cover_back.jpg"},
        {"last match of a pass wins", {"a_vorn.jpg", "b_vorn.jpg"}, "b_vorn.jpg", "b_vorn.jpg"},
        {"third pass", {"scan-a.jpg", "scan-b.jpg"}, "scan-a.jpg", "scan-b.jpg"},
        {"front fallback equals the back choice", {"back.jpg", "x.jpg"}, "x.jpg", "back.jpg"},
        {"single keyword name", {"front.jpg"}, "front.jpg", std::nullopt},
        {"single plain name", {"anything.jpg"}, "anything.jpg", std::nullopt},
        {"no keywords", {"x.jpg", "y.jpg"}, "x.jpg", "y.jpg"},
        {"empty folder", {}, std::nullopt, std::nullopt},
        {"an earlier pass beats a later match",
         {"a_front.jpg", "frontal.jpg", "c-a.jpg"},
         "a_front.jpg",
         "frontal.jpg"},
        {"German back keywords",
         {"cd.jpg", "Hinten.jpg", "cd_hinten.jpg"},
         "cd.jpg",
         "cd_hinten.jpg"},
        {"rear in the second pass", {"inlay.jpg", "rearview.jpg"}, "inlay.jpg", "rearview.jpg"},
        {"underscore b in the third pass",
         {"scan_b1.jpg", "scan_a1.jpg", "z.jpg"},
         "scan_a1.jpg",
         "scan_b1.jpg"},
    };
    for (const CoverCase& row : cases) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ChooseFrontCover(row.names), row.front);
        EXPECT_EQ(ChooseBackCover(row.names), row.back);
    }
}

TEST(CoverLookupTest, ResultsAreTheNamesAsListed) {
    // Matching ignores case, but the caller opens the file by the name it really has.
    const std::vector<std::string> names = {"Cover_Front.jpg", "Cover_Back.JPG"};
    EXPECT_EQ(ChooseFrontCover(names), "Cover_Front.jpg");
    EXPECT_EQ(ChooseBackCover(names), "Cover_Back.JPG");

    EXPECT_EQ(ChooseFrontCover({"Mixed.Jpg"}), "Mixed.Jpg");
    EXPECT_EQ(ChooseFrontCover({"Back.jpg", "Other.jpg"}), "Other.jpg");
}

TEST(CoverLookupTest, OnlyAsciiLettersAreUpperCased) {
    // "ü" stays as it is; the ASCII part of the name still matches.
    const std::vector<std::string> names = {"R\xC3\xBC"
                                            "ckseite_hinten.jpg",
                                            "Vorderseite_vorn.jpg"};
    EXPECT_EQ(ChooseBackCover(names), names[0]);
    EXPECT_EQ(ChooseFrontCover(names), names[1]);
    // Upper-cased, "ä.jpg" becomes "ä.JPG", not "Ä.JPG", so it differs from the
    // back choice and stays the front.
    EXPECT_EQ(ChooseFrontCover({"\xC3\xA4.jpg", "\xC3\x84.JPG"}), "\xC3\xA4.jpg");
}

TEST(CoverLookupTest, FrontAndBackCompareTheirMatchingForms) {
    // The fallback front is the first name upper-cased; the fallback back is the second name
    // as it stands. Only when those texts are equal does the front move to the second name.
    EXPECT_EQ(ChooseFrontCover({"x.jpg", "X.JPG"}), "X.JPG");
    EXPECT_EQ(ChooseFrontCover({"x.jpg", "X.jpg"}), "x.jpg");
    // A keyword front that is also the back choice gives way to the second name.
    EXPECT_EQ(ChooseFrontCover({"front_back.jpg", "other.jpg"}), "other.jpg");
}

} // namespace
