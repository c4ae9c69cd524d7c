#include "ui/StatusLine.h"

#include "DrawingFixture.h"
#include "playback/Players.h"
#include "playback/StatusMessage.h"
#include "ui/InfoScroller.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using platform::Color;
using platform::Picture;
using platform::PlayerMode;
using platform::Rect;
using platform::rgb;
using testsupport::kWhite;

constexpr Color kBar = rgb(20, 40, 60);
constexpr Color kText = rgb(250, 250, 250);
constexpr Color kButtonsKey = rgb(255, 0, 255);
constexpr Color kButton = rgb(0, 0, 250);

// A player that only reports the mode the test gives it.
class FakePlayer : public platform::MediaPlayer {
public:
    explicit FakePlayer(PlayerMode mode) : m_mode(mode) {}
    bool open(const std::string&) override { return true; }
    void close() override {}
    void play() override {}
    void pause() override {}
    void resume() override {}
    void stop() override {}
    void seek(std::int64_t) override {}
    std::int64_t positionMs() const override { return 0; }
    std::int64_t lengthMs() const override { return 0; }
    PlayerMode mode() const override { return m_mode; }
    void setVolume(std::uint32_t) override {}
    int lastErrorCode() const override { return 0; }
    std::string lastErrorText() const override { return ""; }

private:
    PlayerMode m_mode;
};

class StatusLineTest : public testsupport::DrawingFixture {
protected:
    void SetUp() override {
        DrawingFixture::SetUp();
        gColorStatusBar = kBar;
        gFontColorStatusbar = kText;
        gFontSizeStatusbar = 10;
        gSkin.MediaPlayerButtons = Picture::create(40, 20, kButtonsKey);
        for (int x = 10; x < 20; ++x)
            gSkin.MediaPlayerButtons.setPixel(x, 5, kButton);
        ComputeScreenLayout();
    }

    Rect statusTextArea() const { return Rect{0, gStatusTop, gMediaButtonsLeft - 6, 600}; }

    // The status line as it looks with the given text drawn in the given font at the status
    // text's place, for comparing what was drawn.
    void drawExpectedText(platform::Canvas& expected, const std::string& text,
                          const std::string& fontName) {
        expected.fillRect(Rect{0, 0, 800, 600}, kWhite);
        expected.fillRect(statusTextArea(), kBar);
        expected.setFont(platform::FontSpec{fontName, gFontSizeStatusbar, false, false, kText});
        expected.textRect(Rect{gStatusTextX, gStatusTextY, gMediaButtonsLeft - 6, 600},
                          gStatusTextX, gStatusTextY, text);
    }

    bool statusTextShows(const std::string& text, const std::string& fontName = gFontName) {
        platform::Canvas expected(800, 600);
        drawExpectedText(expected, text, fontName);
        DrawStatusText(canvas);
        return sameArea(canvas, expected, statusTextArea());
    }

    Rect progressArea() const { return Rect{gProgressX, gStatusTop, 800, 600}; }
};

TEST_F(StatusLineTest, ProgressTextIsMinutesAndTwoDigitSecondsOverTheLength) {
    struct Row {
        int seconds;
        const char* expected;
    };
    const Row rows[] = {{75, "1:15 / 3:07"},
                        {65, "1:05 / 3:07"},
                        {0, "0:00 / 3:07"},
                        {59, "0:59 / 3:07"},
                        {600, "10:00 / 3:07"}};
    gMusicPlayer = std::make_unique<FakePlayer>(PlayerMode::Playing);
    gPlayingTitleLengthText = "3:07";
    for (const Row& row : rows) {
        gSecondsPlayed = row.seconds;
        DrawProgressText(canvas);
        EXPECT_EQ(gProgressText, row.expected);
        EXPECT_GT(countPixels(progressArea(), kText), 0);
    }
}

TEST_F(StatusLineTest, ProgressOnlyWhileAPlayerPlaysOrIsPaused) {
    struct Row {
        PlayerMode music;
        PlayerMode video;
        bool shown;
    };
    const Row rows[] = {
        {PlayerMode::Playing, PlayerMode::NotReady, true},
        {PlayerMode::Paused, PlayerMode::Stopped, true},
        {PlayerMode::Stopped, PlayerMode::Playing, true},
        {PlayerMode::Open, PlayerMode::Paused, true},
        {PlayerMode::Stopped, PlayerMode::Stopped, false},
        {PlayerMode::Open, PlayerMode::NotReady, false},
    };
    gPlayingTitleLengthText = "4:00";
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.music) * 10 + static_cast<int>(row.video));
        gMusicPlayer = std::make_unique<FakePlayer>(row.music);
        gVideoPlayer = std::make_unique<FakePlayer>(row.video);
        gProgressText = "kept";
        gSecondsPlayed = 3;
        DrawStatusLine(canvas);
        EXPECT_EQ(gProgressText, row.shown ? "0:03 / 4:00" : "kept");
        EXPECT_EQ(countPixels(progressArea(), kText) > 0, row.shown);
    }
}

TEST_F(StatusLineTest, ProgressTextRepaintClearsOnlyTheProgressArea) {
    canvas.fillRect(Rect{0, 0, 800, 600}, kWhite);
    DrawProgressText(canvas);
    EXPECT_EQ(countPixels(progressArea(), kBar), (800 - gProgressX) * 30);
    EXPECT_EQ(canvas.pixel(gProgressX - 1, gStatusTop), kWhite);
}

TEST_F(StatusLineTest, StatusTextShowsTheMessageWithPausePrefixWhilePaused) {
    gStatusMessage = "Hallo Welt";
    EXPECT_TRUE(statusTextShows("Hallo Welt"));

    gMusicPlayer = std::make_unique<FakePlayer>(PlayerMode::Paused);
    EXPECT_TRUE(statusTextShows("PAUSE - Hallo Welt"));
    EXPECT_FALSE(statusTextShows("Hallo Welt"));

    // Only the music player's pause counts.
    gMusicPlayer = std::make_unique<FakePlayer>(PlayerMode::Playing);
    gVideoPlayer = std::make_unique<FakePlayer>(PlayerMode::Paused);
    EXPECT_TRUE(statusTextShows("Hallo Welt"));
}

TEST_F(StatusLineTest, RunningInfoTextTakesPrecedenceInCourierNew) {
    gMusicPlayer = std::make_unique<FakePlayer>(PlayerMode::Paused);
    gStatusMessage = "Hallo Welt";
    gInfoScrollerText = "Interpret: Band";
    EXPECT_TRUE(statusTextShows("Interpret: Band", "Courier New"));
    EXPECT_EQ(canvas.font().name, gFontName);
}

TEST_F(StatusLineTest, InfoTextShowsFiftyCharactersFromItsPosition) {
    // 60 characters, some of them two bytes long in UTF-8.
    std::string text;
    for (int i = 0; i < 6; ++i)
        text += "ÄbcdefghiJ";
    gInfoScrollerText = text;
    struct Row {
        int position;
        std::string shown;
    };
    std::string first50;
    for (int i = 0; i < 5; ++i)
        first50 += "ÄbcdefghiJ";
    const Row rows[] = {
        {1, first50},
        {2, "bcdefghiJ" + first50.substr(0, first50.size() - 11) + "Ä"},
        {21, "ÄbcdefghiJÄbcdefghiJÄbcdefghiJÄbcdefghiJ"},
        {60, "J"},
        {61, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.position);
        gInfoScrollerPos = row.position;
        EXPECT_TRUE(statusTextShows(row.shown, "Courier New"));
    }
}

TEST_F(StatusLineTest, StatusTextIsClippedBeforeTheMediaButtons) {
    gStatusMessage = std::string(200, 'W');
    DrawStatusLine(canvas);
    EXPECT_GT(
        countPixels(Rect{gMediaButtonsLeft - 40, gStatusTop, gMediaButtonsLeft - 6, 600}, kText),
        0);
    EXPECT_EQ(countPixels(Rect{gMediaButtonsLeft - 6, gStatusTop, gProgressX, 600}, kText), 0);
}

TEST_F(StatusLineTest, MediaButtonsLeaveOutTheirBottomLeftColour) {
    DrawStatusLine(canvas);
    const int x = gMediaButtonsLeft + 8;
    const int y = gMediaButtonsY;
    EXPECT_EQ(canvas.pixel(x + 10, y + 5), kButton);
    EXPECT_EQ(canvas.pixel(x + 19, y + 5), kButton);
    EXPECT_EQ(canvas.pixel(x, y), kBar);
    EXPECT_EQ(countPixels(Rect{0, gStatusTop, 800, 600}, kButtonsKey), 0);
    EXPECT_EQ(countPixels(Rect{0, gStatusTop, 800, 600}, kButton), 10);
}

TEST_F(StatusLineTest, StatusTextRepaintStopsBeforeTheMediaButtons) {
    DrawStatusText(canvas);
    EXPECT_EQ(canvas.pixel(gMediaButtonsLeft - 7, gStatusTop), kBar);
    EXPECT_EQ(canvas.pixel(gMediaButtonsLeft - 6, gStatusTop), kWhite);
    EXPECT_EQ(canvas.pixel(0, gStatusTop - 1), kWhite);
}

TEST_F(StatusLineTest, FullscreenPicturesHideTheStatusLine) {
    gMusicPlayer = std::make_unique<FakePlayer>(PlayerMode::Playing);
    gStatusMessage = "Hallo";
    for (std::uint8_t mode : {mmPhotoView, mmCoverFullscreen}) {
        SCOPED_TRACE(static_cast<int>(mode));
        gMenuMode = mode;
        DrawStatusLine(canvas);
        DrawStatusText(canvas);
        DrawProgressText(canvas);
        EXPECT_EQ(countPixels(Rect{0, gStatusTop, 800, 600}, kWhite), 800 * 30);
        EXPECT_EQ(gProgressText, "");
    }
    gMenuMode = mmCoverScreensaver;
    DrawStatusLine(canvas);
    EXPECT_EQ(canvas.pixel(0, gStatusTop), kBar);
}

} // namespace
