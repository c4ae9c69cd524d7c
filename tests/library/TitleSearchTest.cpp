#include "library/TitleSearch.h"
#include "app/ResetAllState.h"

#include "app/AppState.h"
#include "app/Log.h"
#include "app/MainformParts.h"
#include "config/Config.h"
#include "input/PressedKeyText.h"
#include "library/LibraryScan.h"
#include "platform/Encoding.h"
#include "support/TempDir.h"
#include "ui/Editfield.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kPrompt = "Suchbegriff... (mind. 3 Zeichen)";

class TitleSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        gTitlebarLeft = 30;
        gTitlebarRight = 700;
        gFolderNameY = 60;
        SetLoggingEnabled(true);
        m_log = std::make_unique<TDebugForm>(m_logFolder.path());
    }
    void TearDown() override {
        m_log.reset();
        ResetAllState();
    }

    // Titles in scan order; each lies in its own folder below /m/.
    static void library(const std::vector<std::string>& names) {
        int folder = 0;
        for (const std::string& name : names) {
            gFoundMP3Titles.push_back({platform::asciiUpper(name),
                                       TMyString{"/m/F" + std::to_string(folder++) + "/" + name}});
        }
    }

    static std::vector<std::string> shownNames() {
        std::vector<std::string> names;
        for (const auto& row : *gListElements)
            names.push_back(row.element->FileName());
        return names;
    }

    std::string log() const {
        return platform::decodeFileText(testsupport::readFile(m_logFolder.file("debug.txt")));
    }
    bool logHas(const std::string& line) const {
        return ("\r\n" + log()).find("\r\n" + line + "\r\n") != std::string::npos;
    }

    static void type(const std::string& text) { Editfield.textInput(text); }

    testsupport::TempDir m_logFolder;
    std::unique_ptr<TDebugForm> m_log;
    // The main window's timers and controls, without a window.
    platform::ManualClock m_partsClock{0};
    TMainformParts m_parts{&m_partsClock};
};

TEST(TitleSearchWords, UpToThreeWordsTheLastKeepingItsBlanks) {
    struct Row {
        std::string text;
        std::string word1, word2, word3, rest;
    };
    const Row rows[] = {
        {"ABC", "", "ABC", "", "ABC"},
        {"BEATLES HELP", "BEATLES", "HELP", "", "HELP"},
        {"A B C D", "A", "B", "C D", "C D"},
        {"A  B", "A", "B", "", "B"},
        {"  ABC  ", "", "ABC", "", "ABC"},
        {" ABC", "", "ABC", "", "ABC"},
        {"ABC ", "ABC", "", "", ""},
        {"   ", "", "", "", ""},
        {"SUCHBEGRIFF... (MIND. 3 ZEICHEN)", "SUCHBEGRIFF...", "(MIND.", "3 ZEICHEN)",
         "3 ZEICHEN)"},
    };
    for (const Row& row : rows) {
        const TSearchWords words = SplitSearchWords(row.text);
        EXPECT_EQ(words.Word1, row.word1) << '"' << row.text << '"';
        EXPECT_EQ(words.Word2, row.word2) << '"' << row.text << '"';
        EXPECT_EQ(words.Word3, row.word3) << '"' << row.text << '"';
        EXPECT_EQ(words.Rest, row.rest) << '"' << row.text << '"';
    }
}

TEST(TitleSearchWords, HitsNeedEveryWordAndAnEmptyWordFindsNothing) {
    struct Row {
        std::string text;
        std::string key;
        bool hit;
    };
    const Row rows[] = {
        {"HELP", "THE BEATLES - HELP.MP3", true},
        {"BEATLES HELP", "HELP - BEATLES.MP3", true},
        {"BEATLES HELP", "BEATLES - YESTERDAY.MP3", false},
        {"A B C D", "A B C D.MP3", true},
        {"A B C D", "A-B-C-D.MP3", false}, // the third word is "C D" with its blank
        {"ABC ", "XABCX.MP3", true},
        {"ABC ", "XYZ.MP3", false},
        {"   ", "ANY.MP3", false},
        {" ABC", "ABC.MP3", true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IsSearchHit(row.key, SplitSearchWords(row.text)), row.hit)
            << '"' << row.text << "\" in " << row.key;
}

TEST_F(TitleSearchTest, EnteringSetsThePromptWhichRunsOneSearchForItsWords) {
    gMenuMode = mmMusic;
    gCurrentDirectory = "/m/";
    gListElementOffset = 4;
    HightlightTitlebarIndex = 2;
    library({"Song.mp3", "x Suchbegriff... (mind. 3 Zeichen).mp3", "Other.mp3"});

    ToggleTitleSearch();

    EXPECT_EQ(gMenuMode, mmSearch);
    EXPECT_EQ(gPressedKeyText, "Suchmodus");
    ASSERT_EQ(gPositionStack.count, 1);
    EXPECT_EQ(gPositionStack.positions[0], 6);
    EXPECT_EQ(gListElementOffset, 0);
    EXPECT_EQ(HightlightTitlebarIndex, 0);
    EXPECT_EQ(Editfield.Text(), kPrompt);
    EXPECT_TRUE(Editfield.Visible());
    EXPECT_TRUE(Editfield.Focused());
    EXPECT_TRUE(Editfield.AllSelected());
    const platform::Rect bounds = Editfield.bounds();
    EXPECT_EQ(bounds.left, 30);
    EXPECT_EQ(bounds.right, 700);
    EXPECT_EQ(bounds.top, 60 - TEditfield::kHeight + 3);
    EXPECT_EQ(bounds.height(), TEditfield::kHeight);
    // Only a title containing all three prompt words is found.
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"x Suchbegriff... (mind. 3 Zeichen).mp3"}));
    EXPECT_TRUE(logHas("Search for track containing \"SUCHBEGRIFF... (MIND. 3 ZEICHEN)\""));
}

TEST_F(TitleSearchTest, TwoCharactersEmptyTheListAndTheThirdSearches) {
    gMenuMode = mmMusic;
    library({"Beatles - Help.mp3", "Abba - SOS.mp3", "beach.mp3"});
    ToggleTitleSearch();

    type("b"); // replaces the selected prompt
    EXPECT_EQ(Editfield.Text(), "b");
    EXPECT_EQ(gListElements->count(), 0);
    type("e");
    EXPECT_EQ(gListElements->count(), 0);
    type("a");
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"Beatles - Help.mp3", "beach.mp3"}));
    EXPECT_TRUE(logHas("2 titles found"));
    // Back to two characters: the results go again.
    gListElementOffset = 1;
    HightlightTitlebarIndex = 1;
    EXPECT_TRUE(Editfield.keyDown(8));
    EXPECT_EQ(gListElements->count(), 0);
    EXPECT_EQ(gListElementOffset, 0);
    EXPECT_EQ(HightlightTitlebarIndex, 0);
}

TEST_F(TitleSearchTest, ResultsAreTitleElementsInScanOrderWithoutBackRow) {
    gMenuMode = mmMusic;
    library({"Zed - Help.mp3", "The Beatles - Help.mp3", "Help - The Beatles.MP3",
             "Beatles - Yesterday.mp3", "HELP me.mp3"});
    ToggleTitleSearch();
    type("beatles HELP");

    ASSERT_EQ(gListElements->count(), 2);
    const std::vector<std::string> expected = {"The Beatles - Help.mp3", "Help - The Beatles.MP3"};
    for (int i = 0; i < 2; ++i) {
        const ListElementPtr element = gListElements->element(i);
        EXPECT_EQ(gListElements->key(i), std::to_string(i + 1));
        EXPECT_EQ(element->ElementType(), ListElementType::MP3);
        EXPECT_EQ(element->FileName(), expected[static_cast<std::size_t>(i)]);
        EXPECT_EQ(element->Dir(), "/m/F" + std::to_string(i + 1) + "/");
        EXPECT_EQ(element->Index(), i + 1);
        EXPECT_EQ(element->FileDate(), 0.0);
        EXPECT_TRUE(element->Length().empty());
    }
    EXPECT_TRUE(logHas("Search for track containing \"BEATLES HELP\""));
    EXPECT_TRUE(logHas("found title \"The Beatles - Help.mp3\""));
    EXPECT_TRUE(logHas("found title \"Help - The Beatles.MP3\""));
    EXPECT_TRUE(logHas("2 titles found"));
    EXPECT_EQ(Editfield.Color(), TEditfield::kDefaultColor);

    type(" nothing");
    EXPECT_EQ(gListElements->count(), 0);
    EXPECT_TRUE(logHas("0 titles found"));
}

TEST_F(TitleSearchTest, OnlyAsciiLettersAreUpperCased) {
    gMenuMode = mmMusic;
    library({"über alles.mp3", "ÜBER.mp3"});
    ToggleTitleSearch();
    type("über");
    // "ü" keeps its case in the key and in the text alike, so only the first matches.
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"über alles.mp3"}));
}

TEST_F(TitleSearchTest, ATrailingPlusIsRemovedAndTheSearchRunsAgain) {
    gMenuMode = mmMusic;
    library({"abcd.mp3", "abx.mp3"});
    ToggleTitleSearch();

    Editfield.setText("abcd+");
    EXPECT_EQ(Editfield.Text(), "abcd");
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"abcd.mp3"}));
    EXPECT_TRUE(logHas("Search for track containing \"ABCD\""));
    EXPECT_EQ(log().find("ABCD+"), std::string::npos);

    // Without the "+" only two characters are left: the list empties.
    Editfield.setText("ab+");
    EXPECT_EQ(Editfield.Text(), "ab");
    EXPECT_EQ(gListElements->count(), 0);
}

TEST_F(TitleSearchTest, ReturnPlusAndZeroNeverReachTheField) {
    gMenuMode = mmMusic;
    ToggleTitleSearch();
    for (const char32_t discarded : {U'\r', U'+', U'0'})
        EXPECT_FALSE(EditfieldKeyPress(discarded));
    for (const char32_t kept : {U'a', U'1', U' ', U'ä', U'-'})
        EXPECT_TRUE(EditfieldKeyPress(kept));
    EXPECT_TRUE(logHas("EditfieldKeyPress..."));

    type("a0+b\r1");
    EXPECT_EQ(Editfield.Text(), "ab1");
}

TEST_F(TitleSearchTest, ChangesOutsideTheSearchModeDoNothing) {
    gMenuMode = mmMusic;
    library({"abc.mp3"});
    auto shown = std::make_shared<TElementList>();
    gListElements = shown;
    Editfield.onChange = EditfieldChange;
    Editfield.setText("abc");
    EXPECT_EQ(gListElements, shown);
    EXPECT_EQ(log().find("Search for track"), std::string::npos);
}

TEST_F(TitleSearchTest, LeavingHidesTheFieldAndShowsTheMusicFolderFromTheTop) {
    testsupport::TempDir music;
    testsupport::writeFile(music.file("Song.mp3"), "");
    gMenuMode = mmMusic;
    gCurrentDirectory = music.path() + "/";
    PushListPosition(3);
    ToggleTitleSearch();
    ASSERT_EQ(gPositionStack.count, 2);
    type("song");
    HightlightTitlebarIndex = 0;

    ToggleTitleSearch();

    EXPECT_FALSE(Editfield.Visible());
    EXPECT_FALSE(Editfield.Focused());
    EXPECT_EQ(gPressedKeyText, "Suchmodus verlassen");
    EXPECT_EQ(gMenuMode, mmMusic);
    EXPECT_EQ(gCurrentDirectory, music.path() + "/");
    ASSERT_EQ(gPositionStack.count, 1);
    EXPECT_EQ(gPositionStack.positions[0], 3);
    EXPECT_EQ(gListElementOffset, 0);
    EXPECT_EQ(HightlightTitlebarIndex, 0);
    std::vector<std::string> names = shownNames();
    EXPECT_EQ(names, (std::vector<std::string>{"..", "Song.mp3"}));
    // Typing after leaving changes nothing.
    type("xyz");
    EXPECT_EQ(Editfield.Text(), "song");
}

} // namespace
