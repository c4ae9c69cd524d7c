// The desktop-entry reader of the program links, on any file content.
#include "FuzzSupport.h"

#include "platform/DesktopEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzzsupport::check;
    const std::string path =
        fuzzsupport::scratch().write("Entry.desktop", fuzzsupport::asText(data, size));
    if (const auto entry = platform::readDesktopEntry(path)) {
        if (entry->type == platform::DesktopEntry::Type::Link)
            check(!entry->url.empty(), "a link entry has an address");
        else
            check(!entry->executable.empty() || entry->arguments.empty(),
                  "arguments only with a program");
    }
    return 0;
}
