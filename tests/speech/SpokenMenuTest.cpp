#include "speech/SpokenMenu.h"

#include "app/AppState.h"
#include "app/ResetAllState.h"
#include "config/Config.h"
#include "platform/KeyMap.h"
#include "speech/SpeechVoice.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

namespace vk = platform::vk;

struct Spoken {
    std::string text;
    int flags;
    bool operator==(const Spoken&) const = default;
};
[[maybe_unused]] std::ostream& operator<<(std::ostream& out, const Spoken& spoken) {
    return out << "{\"" << spoken.text << "\", " << spoken.flags << "}";
}

// Returns at once, purges, markup; and the same waiting for the end.
constexpr int A = 11;
constexpr int S = 10;

// Writes down what it is told to say.
class RecordingVoice : public SpeechVoice {
public:
    explicit RecordingVoice(std::vector<Spoken>& said) : m_said(said) {}
    void Speak(const std::string& text, int flags) override { m_said.push_back({text, flags}); }

private:
    std::vector<Spoken>& m_said;
};

class SpokenMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        gSpeechVoice = std::make_unique<RecordingVoice>(said);
    }
    void TearDown() override { ResetAllState(); }

    std::vector<Spoken> said;
};

TEST_F(SpokenMenuTest, MenuModesSayTheirPhraseOrNothing) {
    const struct {
        std::uint8_t mode;
        std::vector<Spoken> expected;
    } rows[] = {
        {mmMain, {{"main menu", A}}},
        {mmPhoto, {{"photoa hhmenu", A}}},
        {mmVideo, {{"veedeo hhmenu", A}}},
        {mmOptions, {{"options hhmenu", A}}},
        {mmJukebox, {{"jukebox", A}}},
        {mmSearch, {{"search", A}}},
        {mmPlaylists, {}},
        {mmPlaylist, {}},
        {mmProgramLinks, {}},
        {mmPhotoView, {}},
        {mmCoverFullscreen, {}},
        {mmCoverScreensaver, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.mode));
        said.clear();
        gMenuMode = row.mode;
        SpeakCurrentMenu();
        EXPECT_EQ(said, row.expected);
    }

    // Without a voice (speech off) F1 does nothing at all.
    gSpeechVoice.reset();
    gMenuMode = mmMain;
    SpeakCurrentMenu();
    EXPECT_TRUE(said.empty());
}

TEST_F(SpokenMenuTest, MusicFolderSaysBackFolderOrTrackAndTitle) {
    const struct {
        const char* what;
        ListElementType type;
        std::string fileName;
        std::string tagTitle;
        int tagTrack;
        bool tagsOn;
        std::string delimiter;
        int offset; // the element stands at offset + row
        int row;
        std::vector<Spoken> expected;
    } rows[] = {
        {"back", ListElementType::Back, "..", "", 0, true, " - ", 0, 0, {{"beck", A}}},
        {"folder, heard once from its start",
         ListElementType::MP3Dir,
         "Deep Purple",
         "",
         0,
         true,
         " - ",
         0,
         1,
         {{"Deep Purple", A}, {"", S}, {"Deep Purple", A}}},
        {"file name in position 3",
         ListElementType::MP3,
         "Artist - Song.mp3",
         "",
         0,
         false,
         " - ",
         0,
         3,
         {{"Track 3", S}, {"Song", A}}},
        {"position counts the scrolled rows",
         ListElementType::MP3,
         "Artist - Song.mp3",
         "",
         0,
         false,
         " - ",
         2,
         1,
         {{"Track 3", S}, {"Song", A}}},
        {"tag with track 7",
         ListElementType::MP3,
         "Artist - Other.mp3",
         "Song",
         7,
         true,
         " - ",
         0,
         3,
         {{"Track 7", S}, {"Song", A}}},
        {"tag without track",
         ListElementType::MP3,
         "Artist - Other.mp3",
         "Song",
         0,
         true,
         " - ",
         0,
         3,
         {{"", S}, {"Song", A}}},
        {"tags on but no tag title",
         ListElementType::MP3,
         "Artist - Song.mp3",
         "",
         5,
         true,
         " - ",
         0,
         2,
         {{"Track 2", S}, {"Song", A}}},
        {"no delimiter in the name",
         ListElementType::MP3,
         "Whole Name.mp3",
         "",
         0,
         false,
         " - ",
         0,
         3,
         {{"", S}, {"Whole Name", A}}},
        {"empty delimiter never occurs",
         ListElementType::MP3,
         "Artist - Song.mp3",
         "",
         0,
         false,
         "",
         0,
         3,
         {{"", S}, {"Artist - Song", A}}},
        {"first delimiter splits",
         ListElementType::MP3,
         "A - B - C.mp3",
         "",
         0,
         false,
         " - ",
         0,
         1,
         {{"Track 1", S}, {"B - C", A}}},
        {"markup characters are escaped",
         ListElementType::MP3,
         "Rock & Roll <Live>.mp3",
         "",
         0,
         false,
         " - ",
         0,
         1,
         {{"", S}, {"Rock &amp; Roll &lt;Live&gt;", A}}},
        {"folder names are escaped",
         ListElementType::MP3Dir,
         "Simon & Garfunkel",
         "",
         0,
         true,
         " - ",
         0,
         1,
         {{"Simon &amp; Garfunkel", A}, {"", S}, {"Simon &amp; Garfunkel", A}}},
        {"Windows-1252 name",
         ListElementType::MP3,
         "Nena - M\xe4"
         "dchen.mp3",
         "",
         0,
         false,
         " - ",
         0,
         1,
         {{"Track 1", S},
          {"M\xc3\xa4"
           "dchen",
           A}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        said.clear();
        gMenuMode = mmMusic;
        gIniShowMP3TagInsteadOfFilename = row.tagsOn;
        gIniDelimiterBetweenInterpretAndTitle = row.delimiter;
        TElementList& list = ReplaceListElements();
        const int position = row.offset + row.row;
        for (int i = 0; i < 6; ++i) {
            auto element =
                i == position
                    ? std::make_shared<TListElement>(row.type, "/Musik/", row.fileName, 0.0, i)
                : i == 0 ? std::make_shared<TListElement>(ListElementType::Back, "/", "..", 0.0, 0)
                         : std::make_shared<TListElement>(ListElementType::MP3, "/Musik/",
                                                          "Other - Filler.mp3", 0.0, i);
            if (i == position) {
                element->SetTitle(row.tagTitle);
                element->SetTrackNo(row.tagTrack);
            }
            list.add(std::to_string(i), element);
        }
        gListElementOffset = row.offset;
        HightlightTitlebarIndex = row.row;
        SpeakCurrentMenu();
        EXPECT_EQ(said, row.expected);
    }
}

// Through the running program: speech is off in a headless run, and F1 with a voice says
// where the user is; a second press cuts the first off, as every call purges first.
TEST(SpokenMenuEndToEndTest, F1SpeaksWhereTheUserIs) {
    testsupport::AppDriver driver;
    driver.createLibrary();
    ASSERT_TRUE(driver.start());
    EXPECT_FALSE(gSpeechVoice);
    EXPECT_EQ(driver.logCount("speech is off: headless run"), 1);
    driver.pressKey(vk::F1); // speech off: nothing happens

    std::vector<Spoken> said;
    gSpeechVoice = std::make_unique<RecordingVoice>(said);
    driver.pressKey(vk::F1);
    EXPECT_EQ(said, (std::vector<Spoken>{{"main menu", A}}));

    said.clear();
    driver.pressKey(vk::Return); // "Musik"
    ASSERT_EQ(gMenuMode, mmMusic);
    driver.pressKey(vk::F1);
    driver.pressKey(vk::Down);
    driver.pressKey(vk::F1);
    driver.pressKey(vk::F1);
    const std::string folder = testsupport::AppDriver::Library::musicFolders().front();
    const std::vector<Spoken> folderOnce = {{folder, A}, {"", S}, {folder, A}};
    std::vector<Spoken> expected = {{"beck", A}};
    expected.insert(expected.end(), folderOnce.begin(), folderOnce.end());
    expected.insert(expected.end(), folderOnce.begin(), folderOnce.end());
    EXPECT_EQ(said, expected);

    // The last title of the music root, once its tag is read: "Zugabe - Finale.mp3", no track.
    said.clear();
    driver.pressKey(vk::End);
    ASSERT_TRUE(driver.waitUntil([] { return !CurrentListElement()->Title().empty(); }));
    driver.pressKey(vk::F1);
    EXPECT_EQ(said, (std::vector<Spoken>{{"", S}, {"Finale", A}}));

    // The playlists say nothing.
    said.clear();
    driver.pressKey(vk::Escape);
    ASSERT_EQ(gMenuMode, mmMain);
    for (int i = 0; i < 3; ++i)
        driver.pressKey(vk::Down);
    driver.pressKey(vk::Return);
    ASSERT_EQ(gMenuMode, mmPlaylists);
    driver.pressKey(vk::F1);
    EXPECT_TRUE(said.empty());
    gSpeechVoice.reset();
}

} // namespace

namespace {

// The program's voice on espeak-ng, here synthesising into memory: it speaks in either
// language, and a second one cannot start while it holds espeak-ng's one engine.
TEST(SpeechVoiceTest, EspeakVoiceSpeaksInBothLanguagesAndHoldsTheEngine) {
    ResetAllState();
    std::atomic<std::size_t> samples{0};
    platform::EspeakVoiceOptions options;
    options.output = platform::EspeakOutput::Memory;
    options.onSamples = [&samples](std::span<const short> buffer) { samples += buffer.size(); };
    std::unique_ptr<SpeechVoice> voice = CreateEspeakSpeechVoice(options);
    ASSERT_TRUE(voice);
    for (const std::int8_t language : {0, 1}) {
        gIniCurrentLanguage = language;
        samples = 0;
        voice->Speak("Track 3", S);
        EXPECT_GT(samples, 0u) << static_cast<int>(language);
    }
    EXPECT_FALSE(CreateEspeakSpeechVoice(options));
    voice.reset();
    EXPECT_TRUE(CreateEspeakSpeechVoice(options));
    ResetAllState();
}

} // namespace
