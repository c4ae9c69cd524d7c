// The photo titles of a folder's Diashow.dat, looked up by a photo name taken from the input.
#include "FuzzSupport.h"

#include "config/Ratings.h"
#include "platform/Encoding.h"
#include "platform/Log.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::InputReader input(data, size);
    ResetLogState();
    const std::string photoName(input.bytes(input.byte() % 24));
    const fuzzsupport::ScratchFolder& scratch = fuzzsupport::scratch();
    scratch.write("Diashow.dat", input.rest());
    const std::string title = ReadDiashowTitle(scratch.path(), photoName);
    fuzzsupport::check(platform::utf8Length(platform::decodeName(title)) <= 2047,
                       "a title is at most 2047 characters");
    ResetLogState();
    return 0;
}
