#include "pictures/DecodeAhead.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "support/TempDir.h"
#include "support/TestJpeg.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

TEST(DecodeAheadTest, HandsOverThePictureAskedForOnceAndOnlyForTheSameOptions) {
    platform::SdlSession sdl;
    platform::ManualClock clock;
    platform::MainLoop loop(clock);
    testsupport::TempDir dir;
    const auto bytes = testsupport::encodeSolidJpeg(1600, 1200, platform::rgb(200, 20, 20));
    testsupport::writeFile(dir.file("big.jpg"), std::string(bytes.begin(), bytes.end()));
    testsupport::writeFile(dir.file("broken.jpg"), "not a JPEG");
    platform::JpegOptions fit;
    fit.fitWidth = 400;
    fit.fitHeight = 300;

    JpegDecodeAhead ahead(loop);
    EXPECT_FALSE(ahead.take(dir.file("big.jpg"), fit)) << "nothing asked for";
    ahead.request(dir.file("big.jpg"), fit);
    // The worker's completion arrives through the loop.
    for (int i = 0; i < 500 && !ahead.ready(); ++i) {
        loop.processPending();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_TRUE(ahead.ready());
    EXPECT_FALSE(ahead.take(dir.file("big.jpg"), platform::JpegOptions{})) << "other options";
    ahead.request(dir.file("big.jpg"), fit);
    const auto picture = ahead.take(dir.file("big.jpg"), fit); // may wait for the worker
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 400) << "decoded at a quarter, still covering 400 x 300";
    EXPECT_FALSE(ahead.take(dir.file("big.jpg"), fit)) << "handed over once";

    ahead.request(dir.file("broken.jpg"), fit);
    EXPECT_FALSE(ahead.take(dir.file("broken.jpg"), fit));
    ahead.request(dir.file("big.jpg"), fit);
    ahead.stop(); // a worker still running is waited for
    EXPECT_FALSE(ahead.take(dir.file("big.jpg"), fit));
}

} // namespace
