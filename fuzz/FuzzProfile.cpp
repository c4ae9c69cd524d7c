// The INI reader of Config.ini and the skin definitions: reading never fails on any bytes;
// load, save and load again gives the same lines and the same bytes; a value written reads
// back as written. The first three bytes give the lengths of a section name, a key and a
// value taken from the input; the rest is the file.
#include "FuzzSupport.h"

#include "platform/Encoding.h"
#include "platform/Profile.h"

#include <algorithm>

namespace {

// Names a program writes: no line breaks, no brackets, "=" or comment mark, no blanks at the
// ends. Other names cannot be written so that they read back, and the program has none.
bool writableName(std::string_view name) {
    if (name.empty() || name.front() == ' ' || name.back() == ' ' || name.front() == ';')
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '\r' || c == '\n' || c == '\t' || c == '[' || c == ']' || c == '=';
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzzsupport::check;
    fuzzsupport::InputReader input(data, size);
    const std::string section(input.bytes(input.byte() % 16));
    const std::string key(input.bytes(input.byte() % 16));
    const std::string value(input.bytes(input.byte() % 64));
    const std::string_view file = input.rest();

    const platform::Profile read = platform::Profile::fromText(file);
    (void)read.readInteger(section, key, 7);
    (void)read.readBool(section, key, true);
    (void)read.readValue(section, key);

    const std::string saved = read.text();
    const platform::Profile reloaded = platform::Profile::fromText(saved);
    check(reloaded.lines() == read.lines(), "load, save, load gives the same lines");
    check(reloaded.text() == saved, "saving the re-read profile gives the same bytes");

    if (writableName(section) && writableName(key) &&
        value.find_first_of("\r\n") == std::string::npos) {
        platform::Profile changed = reloaded;
        changed.writeString(section, key, value);
        const platform::Profile changedRead = platform::Profile::fromText(changed.text());
        check(changedRead.lines() == changed.lines(), "a changed profile reads as it was saved");
        const auto back = changedRead.readValue(section, key);
        check(back.has_value(), "a written key is found");
        check(platform::decodePath(*back) == platform::decodePath(value),
              "a written value reads back as written");
        (void)platform::parseProfileInteger(*back);
    }
    return 0;
}
