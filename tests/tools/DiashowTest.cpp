// The slide show program: its arguments, and a show of three photos on a manual clock.

#include "pictures/SlideShow.h"
#include "platform/Clock.h"
#include "platform/KeyMap.h"
#include "support/TempDir.h"
#include "support/TestJpeg.h"

#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

namespace vk = platform::vk;
using platform::Color;
using platform::rgb;

constexpr Color kRed = rgb(220, 30, 30);
constexpr Color kGreen = rgb(30, 200, 60);
constexpr Color kBlue = rgb(30, 60, 220);

using testsupport::writeSolidJpeg;

bool near(Color actual, Color expected, int tolerance = 12) {
    return testsupport::colorNear(actual, expected, tolerance);
}

platform::Event key(int code) {
    platform::Event event;
    event.type = platform::Event::Type::KeyDown;
    event.key = code;
    return event;
}

TEST(DiashowProgramTest, BadArgumentsGiveTheUsageAndAFolderWithoutPhotosEndsAtOnce) {
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("notes.txt"), "no photo");
    const std::string folder = dir.path() + "/";
    struct Row {
        std::vector<std::string> args;
        int code;
        std::string messagePart;
    };
    const std::vector<Row> rows = {
        {{}, 2, "usage: Diashow.exe"},
        {{"/ResX=800", "/ResY=600", "/Pause=2000"}, 2, "usage: Diashow.exe"},
        {{"/ResX=800", "/ResY=600", "/Pause=2s", "/Dir=" + folder}, 2, "/Pause"},
        {{"/ResX=0", "/ResY=600", "/Pause=2000", "/Dir=" + folder}, 2, "/ResX"},
        {{"/ResX=800", "/ResX=640", "/ResY=600", "/Pause=2000", "/Dir=" + folder}, 2, "/ResX"},
        {{"/ResX=800", "/ResY=600", "/Pause=2000", "/Dir=" + folder, "/Fast"}, 2, "/Fast"},
        {{"/ResX=800", "/ResY=600", "/Pause=2000", "/Dir=" + dir.path() + "/fehlt"},
         1,
         dir.path() + "/fehlt/ does not exist"},
        {{"/resx=320", "/RESY=240", "/Pause=2000", "/Dir=\"" + folder + "\""},
         1,
         folder + " holds no photos"},
    };
    for (const Row& row : rows) {
        platform::ManualClock clock;
        std::string message;
        EXPECT_EQ(RunDiashow(row.args, clock, message), row.code)
            << ::testing::PrintToString(row.args);
        EXPECT_NE(message.find(row.messagePart), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << "one line";
    }
}

TEST(DiashowProgramTest, ShowsThePhotosInOrderWithThePauseAndFadesUntilEscape) {
    testsupport::TempDir dir;
    const std::string folder = dir.path() + "/";
    writeSolidJpeg(folder + "a.jpg", 1600, 1200, kRed);
    writeSolidJpeg(folder + "B.jpeg", 160, 120, kGreen);
    writeSolidJpeg(folder + "c.JPG", 320, 100, kBlue);
    testsupport::writeFile(folder + "readme.txt", "not a photo");
    testsupport::writeFile(folder + "Diashow.dat", "[Diashow]\r\nb=Im Garten\r\n");

    platform::ManualClock clock(5000);
    const int pause = 2000;
    SlideShow show({320, 240, pause, folder}, clock);
    std::string message;
    ASSERT_TRUE(show.start(message)) << message;
    show.loop().processPending();
    const platform::Canvas& screen = show.window().canvas();
    EXPECT_TRUE(near(screen.pixel(160, 120), kRed)) << "a large photo is fitted";
    EXPECT_TRUE(near(screen.pixel(0, 0), kRed));

    // Half-way through the fade both photos are seen; after it only the new one, centred.
    show.loop().advance(pause + show.fadeMs() / 2);
    const Color mixed = screen.pixel(160, 120);
    EXPECT_FALSE(near(mixed, kRed, 40)) << std::hex << mixed;
    EXPECT_FALSE(near(mixed, kGreen, 40)) << std::hex << mixed;
    show.loop().advance(show.fadeMs());
    EXPECT_TRUE(near(screen.pixel(160, 120), kGreen));
    EXPECT_EQ(screen.pixel(10, 10), rgb(0, 0, 0)) << "a small photo is not enlarged";
    show.loop().advance(pause - show.fadeMs() / 2); // the next fade has just ended
    EXPECT_TRUE(near(screen.pixel(160, 120), kBlue));
    show.loop().advance(pause); // round again

    std::vector<std::string> names;
    std::vector<std::int64_t> times;
    for (const SlideShow::Shown& shown : show.shown()) {
        names.push_back(shown.fileName);
        times.push_back(shown.atMs);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "B.jpeg", "c.JPG", "a.jpg"}));
    EXPECT_EQ(times, (std::vector<std::int64_t>{5000, 7000, 9000, 11000}));
    EXPECT_EQ(show.shown()[1].title, "Im Garten");
    EXPECT_EQ(show.shown()[0].title, "");

    // Space holds the photo; Left and Right still step, and wrap around.
    show.handleEvent(key(vk::Space));
    show.loop().advance(5 * pause);
    EXPECT_EQ(show.shown().size(), 4u);
    show.handleEvent(key(vk::Left));
    EXPECT_EQ(show.currentIndex(), 2);
    show.handleEvent(key(vk::Right));
    EXPECT_EQ(show.currentIndex(), 0);
    show.handleEvent(key(vk::Space));
    show.loop().advance(pause);
    EXPECT_EQ(show.currentIndex(), 1);

    EXPECT_FALSE(show.ended());
    show.handleEvent(key(vk::Escape));
    EXPECT_TRUE(show.ended());
}

TEST(DiashowProgramTest, QOrAClickEndsTheShow) {
    testsupport::TempDir dir;
    writeSolidJpeg(dir.file("only.jpg"), 64, 48, kRed);
    platform::Event click;
    click.type = platform::Event::Type::MouseButtonDown;
    click.button = 1;
    for (const platform::Event& event : {key('Q'), click}) {
        platform::ManualClock clock;
        SlideShow show({320, 240, 1000, dir.path() + "/"}, clock);
        std::string message;
        ASSERT_TRUE(show.start(message));
        show.handleEvent(key('X'));
        EXPECT_FALSE(show.ended());
        show.handleEvent(event);
        EXPECT_TRUE(show.ended());
    }
}

} // namespace
