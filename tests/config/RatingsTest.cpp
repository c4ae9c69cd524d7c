#include "config/Ratings.h"

#include "app/AppState.h"
#include "config/ConfigTestSupport.h"
#include "input/PressedKeyText.h"
#include "library/ListElement.h"

#include "support/RandomBytes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

namespace {

const std::string kSeparator(41, '-');
const std::string kHeader(kRatingsHeader);

TListElement title(const std::string& dir, const std::string& fileName) {
    return TListElement(ListElementType::MP3, dir, fileName, 0.0, 1);
}

std::vector<std::pair<std::string, std::string>> itemsOf(const TRatingList& ratings) {
    std::vector<std::pair<std::string, std::string>> items;
    for (const auto& item : ratings)
        items.emplace_back(item.Key, item.Value.Text);
    return items;
}

TEST(RatingsParse, FollowsTheLineRules) {
    const std::vector<std::string> lines{kHeader,
                                         "",
                                         "# a comment=with equals",
                                         "/m/Album/Song=***",
                                         "/m/Album/Zero=",
                                         " /m/Spaced = ** ",
                                         "/m/a=b=c",
                                         "=orphan",
                                         "no equals sign",
                                         "Ä",
                                         "/m/Ärger=*"};
    const std::vector<std::pair<std::string, std::string>> expected{{"/m/Album/Song", "***"},
                                                                    {"/m/Album/Zero", ""},
                                                                    {" /m/Spaced ", " ** "},
                                                                    {"/m/a", "b=c"},
                                                                    {"", "orphan"},
                                                                    {"", "no equals sig"},
                                                                    {"", ""},
                                                                    {"/m/Ärger", "*"}};
    EXPECT_EQ(itemsOf(ParseRatings(lines)), expected);
}

TEST(RatingsCycle, AdvancesThroughStarsAndNoRating) {
    const std::pair<std::string, std::string> rows[] = {
        {"-", ""},         {"", "*"},      {"*", "**"},      {"**", "***"},        {"***", "****"},
        {"****", "*****"}, {"*****", "-"}, {"***x", "***x"}, {"******", "******"}, {" *", " *"}};
    for (const auto& [from, to] : rows)
        EXPECT_EQ(NextRatingValue(from), to) << '"' << from << '"';
}

TEST(RatingsKeys, MatchWithoutRegardToLetterCase) {
    struct Row {
        std::string a;
        std::string b;
        bool same;
    };
    const Row rows[] = {
        {"/Musik/ABBA/Waterloo", "/musik/abba/WATERLOO", true},
        {"/Musik/Ärger Über Öl", "/musik/ärger über öl", true},
        {"/m/ÀÉÎÕÜÝÞ", "/m/àéîõüýþ", true},
        {"/m/Œuvre Šum Žal Ÿ", "/m/œuvre šum žal ÿ", true},
        {"/m/×", "/m/÷", false}, // the multiplication sign is no letter
        {"/m/ß", "/m/SS", false},
        {"/m/abc", "/m/abd", false},
        {"/m/ab", "/m/abc", false},
        {"", "", true},
        // Keys are compared as the text they read as: a Windows-1252 "Ä" is the UTF-8 "Ä",
        // even below a UTF-8 folder, and Windows-1252 bytes that form UTF-8 read as UTF-8.
        {"/m/\xC4", "/m/Ä", true},
        {"/Über/M\xE4"
         "dchen",
         "/über/mädchen", true},
        {"/m/\xC3\xA9", "/m/É", true},
        {"/m/\xC3\xA9", "/m/\xC3\x83\xC2\xA9", false},
        {"/m/\xE4", "/m/\xE4\xE4", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SameRatingKey(row.a, row.b), row.same) << row.a << " / " << row.b;
}

TEST(RatingsKeys, LookupTakesTheFirstMatch) {
    TRatingList ratings{{"/m/Song", {"*"}, {}}, {"/M/SONG", {"**"}, {}}};
    const TRatingItem* found = FindRating(ratings, "/m/song");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Value.Text, "*");
    EXPECT_EQ(FindRating(ratings, "/m/Other"), nullptr);
}

TEST(RatingsKeys, KeyIsFolderAndDisplayName) {
    EXPECT_EQ(RatingKey(title("/m/Album/", "a.b.mp3")), "/m/Album/a.b");
    EXPECT_EQ(RatingKey(TListElement(ListElementType::MP3Dir, "/m/", "Album", 0.0, 1)), "/m/Album");
}

class RatingsTest : public ::testing::Test {
protected:
    RatingsTest() { gMenuMode = mmMusic; }
    std::string path(const std::string& name) const { return m_program.dir() + "/" + name; }

    ProgramDirectoryFixture m_program;
};

TEST_F(RatingsTest, RepeatedPressesCycleFromOneStarOnward) {
    const auto song = title("/m/Album/", "Song.mp3");
    EXPECT_EQ(LookupRating(song), "-");
    const char* expected[] = {"*", "**", "***", "****", "*****", "-", "", "*"};
    for (const char* value : expected) {
        ChangeRating(song);
        EXPECT_EQ(LookupRating(song), value);
    }
    EXPECT_EQ(gRatings.size(), 1u);
    EXPECT_EQ(gPressedKeyText, "Bewertung ändern");
}

TEST_F(RatingsTest, NoRatingIsNotWrittenButZeroStarsAre) {
    const auto song = title("/m/Album/", "Song.mp3");
    gRatings.push_back({RatingKey(song), {"*****"}, {}});
    ChangeRating(song);
    ASSERT_EQ(LookupRating(song), "-");
    WriteRatings();
    EXPECT_EQ(m_program.readLines("Ratings.dat"), (std::vector<std::string>{kHeader, ""}));

    ChangeRating(song);
    WriteRatings();
    EXPECT_EQ(m_program.readLines("Ratings.dat"),
              (std::vector<std::string>{kHeader, "", "/m/Album/Song="}));
}

TEST_F(RatingsTest, UnknownValueStaysAndIsWrittenBackUnchanged) {
    m_program.writeFile("Ratings.dat", crlfText({kHeader, "", "/m/Album/Song=***x"}));
    ReadRatings();
    const auto song = title("/m/Album/", "Song.mp3");
    ChangeRating(song);
    ChangeRating(song);
    EXPECT_EQ(LookupRating(song), "***x");
    WriteRatings();
    EXPECT_EQ(m_program.readFile("Ratings.dat"), crlfText({kHeader, "", "/m/Album/Song=***x"}));
}

TEST_F(RatingsTest, KeysDifferingInCaseAreTheSameTitle) {
    m_program.writeFile("Ratings.dat", crlfText({kHeader, "", "/M/ÄLBUM/SONG=**"}));
    ReadRatings();
    const auto song = title("/m/älbum/", "song.mp3");
    EXPECT_EQ(LookupRating(song), "**");
    ChangeRating(song);
    ASSERT_EQ(gRatings.size(), 1u);
    EXPECT_EQ(gRatings.front().Key, "/M/ÄLBUM/SONG"); // the file's spelling is kept
    EXPECT_EQ(LookupRating(song), "***");
}

TEST_F(RatingsTest, NewItemsAreAppendedAfterTheFileOrder) {
    m_program.writeFile("Ratings.dat", crlfText({kHeader, "", "/m/B=*", "/m/A=**"}));
    ReadRatings();
    ChangeRating(title("/m/", "C.mp3"));
    WriteRatings();
    EXPECT_EQ(m_program.readLines("Ratings.dat"),
              (std::vector<std::string>{kHeader, "", "/m/B=*", "/m/A=**", "/m/C=*"}));
}

TEST_F(RatingsTest, HeaderOnlyFileIsWrittenBackByteForByte) {
    const std::string bytes = crlfText({kHeader, ""});
    m_program.writeFile("Ratings.dat", bytes);
    ReadRatings();
    EXPECT_TRUE(gRatings.empty());
    WriteRatings();
    EXPECT_EQ(m_program.readFile("Ratings.dat"), bytes);
}

TEST_F(RatingsTest, LinesWithoutEqualsSignAreWrittenBackUnchanged) {
    const std::string bytes = crlfText({kHeader, "", "no equals sign", "/m/A=**", "\xC4"});
    m_program.writeFile("Ratings.dat", bytes);
    ReadRatings();
    WriteRatings();
    EXPECT_EQ(m_program.readFile("Ratings.dat"), bytes);
}

TEST_F(RatingsTest, Windows1252FileKeepsItsBytes) {
    // "Ärger" with Ä as the single byte 0xC4.
    const std::string bytes = crlfText({kHeader, "", "/m/\xC4rger=****"});
    m_program.writeFile("Ratings.dat", bytes);
    ReadRatings();
    EXPECT_EQ(LookupRating(title("/m/", "ärger.mp3")), "****");
    WriteRatings();
    EXPECT_EQ(m_program.readFile("Ratings.dat"), bytes);
}

TEST_F(RatingsTest, NothingHappensOnTheBackRowOrOutsideMusic) {
    const TListElement back(ListElementType::Back, "", "..", 0.0, 0);
    ChangeRating(back);
    EXPECT_TRUE(gRatings.empty());

    const auto song = title("/m/Album/", "Song.mp3");
    for (const auto mode : {mmMain, mmPhoto, mmPlaylist, mmJukebox, mmSearch}) {
        gMenuMode = mode;
        ChangeRating(song);
    }
    EXPECT_TRUE(gRatings.empty());
    EXPECT_EQ(gPressedKeyText, "");
}

TEST_F(RatingsTest, ReadingLogsAndReplacesTheList) {
    gRatings.push_back({"/stale", {"*"}, {}});
    m_program.writeFile("Ratings.dat", crlfText({kHeader, "", "/m/A=**"}));
    ReadRatings();
    EXPECT_EQ(itemsOf(gRatings),
              (std::vector<std::pair<std::string, std::string>>{{"/m/A", "**"}}));
    EXPECT_EQ(m_program.logLines(),
              (std::vector<std::string>{"Reading Ratings.dat...", kSeparator, kSeparator}));
}

TEST_F(RatingsTest, MissingFileIsLoggedAndGivesAnEmptyList) {
    gRatings.push_back({"/stale", {"*"}, {}});
    ReadRatings();
    EXPECT_TRUE(gRatings.empty());
    EXPECT_EQ(m_program.logLines(),
              (std::vector<std::string>{"Reading Ratings.dat...", kSeparator, "",
                                        "-------------BEGIN ERROR----------------",
                                        "ERROR: " + path("Ratings.dat") + " not found!",
                                        "--------------END ERROR-----------------", ""}));
    // The file appears at exit.
    WriteRatings();
    EXPECT_EQ(m_program.readLines("Ratings.dat"), (std::vector<std::string>{kHeader, ""}));
}

TEST_F(RatingsTest, RandomKeysAndValuesReadBackAsTheirBytes) {
    std::mt19937 random(8);
    for (int round = 0; round < 30; ++round) {
        const std::string bom = round % 2 == 0 ? "\xEF\xBB\xBF" : "";
        m_program.writeFile("Ratings.dat", bom + crlfText({kHeader, ""}));
        ReadRatings();
        for (int i = 0; i < 12; ++i) {
            // What a line can hold as key and value: no "=" in the key, a key that does not
            // make the line a comment, a value that is written at all.
            const std::string key = "/" + testsupport::randomBytes(random, 6);
            const std::string value = testsupport::randomBytes(random, 3);
            if (key.find('=') == std::string::npos && value != "-")
                gRatings.push_back({key, {value}, {}});
        }
        const auto items = itemsOf(gRatings);
        WriteRatings();
        const std::string written = m_program.readFile("Ratings.dat");
        EXPECT_TRUE(written.starts_with(bom + kHeader)) << "round " << round;

        ReadRatings();
        EXPECT_EQ(itemsOf(gRatings), items) << "round " << round;
        WriteRatings();
        EXPECT_EQ(m_program.readFile("Ratings.dat"), written) << "round " << round;
    }
}

TEST_F(RatingsTest, MixedEncodingsFindTheirTitlesAndKeepTheirBytes) {
    // A file of the old program in Windows-1252 beside keys this program added in UTF-8.
    const std::string bytes = crlfText({kHeader, "",
                                        "/m/M\xE4"
                                        "dchen=*",
                                        "/m/\xC3\x9C"
                                        "ber=**"});
    m_program.writeFile("Ratings.dat", bytes);
    ReadRatings();
    const auto maedchen = title("/m/", "M\u00E4"
                                       "dchen.mp3");
    const auto ueber = title("/m/", "\xDC"
                                    "ber.mp3");
    EXPECT_EQ(LookupRating(maedchen), "*");
    EXPECT_EQ(LookupRating(ueber), "**");
    ChangeRating(maedchen);
    ChangeRating(ueber);
    ChangeRating(title("/m/", "Neu \xE4.mp3"));
    WriteRatings();
    EXPECT_EQ(m_program.readFile("Ratings.dat"), crlfText({kHeader, "",
                                                           "/m/M\xE4"
                                                           "dchen=**",
                                                           "/m/\xC3\x9C"
                                                           "ber=***",
                                                           "/m/Neu \xE4=*"}));
}

TEST_F(RatingsTest, UnreadableFileIsLoggedAndNeverReplaced) {
    // As root every file can be read; a link pointing at itself cannot.
    std::filesystem::create_symlink(path("Ratings.dat"), path("Ratings.dat"));
    m_program.writeFile(".Ratings.dat.tmp-99-0", "half written");
    ReadRatings();
    EXPECT_TRUE(gRatings.empty());
    EXPECT_FALSE(std::filesystem::exists(path(".Ratings.dat.tmp-99-0")));
    const auto song = title("/m/", "Song.mp3");
    ChangeRating(song);
    EXPECT_EQ(LookupRating(song), "*");
    WriteRatings();
    EXPECT_TRUE(std::filesystem::is_symlink(path("Ratings.dat")));
    const auto log = m_program.logLines();
    EXPECT_TRUE(containsSequence(
        log, {"Removed the leftover of an interrupted rewrite: " + path(".Ratings.dat.tmp-99-0")}));
    EXPECT_TRUE(
        containsSequence(log, {"ERROR: " + path("Ratings.dat") + " could not be read (" +
                               std::generic_category().message(ELOOP) +
                               "); ratings of this run are not saved, the file stays as it is"}));
    EXPECT_TRUE(containsSequence(log, {"ERROR: " + path("Ratings.dat") +
                                       " was not written: it could not be read at "
                                       "start-up"}));
}

// Diashow.dat lives in a photo folder; the program directory serves as one here.
using DiashowTest = RatingsTest;

TEST_F(DiashowTest, TitleComesFromThePhotoFolder) {
    m_program.writeFile("Diashow.dat", crlfText({"[diashow]", "Bild1=Am Strand", "BILD2=  "}));
    EXPECT_EQ(ReadDiashowTitle(m_program.dir() + "/", "bild1"), "Am Strand");
    EXPECT_EQ(ReadDiashowTitle(m_program.dir(), "Bild1"), "Am Strand");
    EXPECT_EQ(ReadDiashowTitle(m_program.dir() + "/", "Bild2"), "");
    EXPECT_EQ(ReadDiashowTitle(m_program.dir() + "/", "Bild3"), "");
    const auto log = m_program.logLines();
    EXPECT_TRUE(containsSequence(
        log, {"Reading Diashow.dat...", kSeparator, "result_title=Am Strand", kSeparator}));
    EXPECT_TRUE(
        containsSequence(log, {"Reading Diashow.dat...", kSeparator, "result_title=", kSeparator}));
}

TEST_F(DiashowTest, MissingFileIsLoggedAndGivesNoTitle) {
    EXPECT_EQ(ReadDiashowTitle(m_program.dir() + "/", "Bild1"), "");
    EXPECT_EQ(m_program.logLines(),
              (std::vector<std::string>{"Reading Diashow.dat...", kSeparator, "",
                                        "-------------BEGIN ERROR----------------",
                                        "ERROR: " + path("Diashow.dat") + " not found!",
                                        "--------------END ERROR-----------------", ""}));
}

} // namespace
