// The key handler of a headless main window, fed random key sequences: every two bytes are one
// key (any virtual-key code, with Shift and Ctrl), typed text or time passing on the manual
// clock. The window runs on the end-to-end driver's library with fake players; it is started
// anew every few hundred inputs and whenever a key ended the program, so that state neither
// piles up nor hides behind an early exit.
#include "FuzzSupport.h"

#include "platform/Event.h"
#include "support/AppDriver.h"

#include <array>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kInputsPerStart = 300;

std::unique_ptr<testsupport::AppDriver> gDriver;
int gInputsSinceStart = 0;

// The window ends before the program's own statics do, as it does in the program, where it
// lives in main().
void stopDriver() {
    if (gDriver)
        gDriver->stop();
    gDriver.reset();
}

testsupport::AppDriver& runningDriver() {
    if (gDriver && (gInputsSinceStart >= kInputsPerStart || gDriver->form().terminated())) {
        gDriver->stop();
        gDriver.reset();
    }
    if (!gDriver) {
        gDriver = std::make_unique<testsupport::AppDriver>();
        gDriver->createLibrary();
        fuzzsupport::check(gDriver->start(), "the program starts on the driver's library");
        // Registered after the first start, so it runs before the destructors of what that
        // start constructed.
        static const bool stopsAtExit = std::atexit(stopDriver) == 0;
        (void)stopsAtExit;
        gInputsSinceStart = 0;
    }
    ++gInputsSinceStart;
    return *gDriver;
}

// Text as a keyboard types it, with the letters the search field has to handle besides ASCII.
const std::array<const char*, 12> kTypedText = {"a", "B", "z", "0", "9", " ",
                                                "-", "ä", "Ö", "ß", "é", "."};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testsupport::AppDriver& driver = runningDriver();
    fuzzsupport::InputReader input(data, size);
    for (std::size_t event = 0; event + 1 < size; event += 2) {
        if (driver.form().terminated())
            break;
        const std::uint8_t kind = input.byte();
        const std::uint8_t value = input.byte();
        platform::Event key;
        switch (kind % 8) {
        case 0:
            key.type = platform::Event::Type::TextInput;
            key.text = kTypedText[value % kTypedText.size()];
            driver.form().handleEvent(key);
            driver.pump();
            break;
        case 1:
            driver.advance(static_cast<std::int64_t>(value) * 40);
            break;
        default:
            key.type = platform::Event::Type::KeyDown;
            key.key = value;
            key.shift = (kind & 8) != 0;
            key.ctrl = (kind & 16) != 0;
            driver.form().handleEvent(key);
            key.type = platform::Event::Type::KeyUp;
            driver.form().handleEvent(key);
            driver.pump();
            break;
        }
    }
    return 0;
}
