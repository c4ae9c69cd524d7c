// Text decoding and encoding: every input decodes to valid UTF-8, and the conversions that
// are meant to be reversible give back the bytes they started from.
#include "FuzzSupport.h"

#include "platform/Encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzzsupport::check;
    using namespace platform;
    const std::string_view bytes = fuzzsupport::asText(data, size);

    // Windows-1252 has a character for every byte (the unassigned ones stand for C1 controls).
    const std::string fromCp1252 = cp1252ToUtf8(bytes);
    check(isValidUtf8(fromCp1252), "Windows-1252 decodes to valid UTF-8");
    const auto back = utf8ToCp1252(fromCp1252);
    check(back && *back == bytes, "Windows-1252 -> UTF-8 -> Windows-1252 gives the same bytes");

    const std::string decoded = decodeFileText(bytes);
    check(isValidUtf8(decoded), "file text decodes to valid UTF-8");
    check(isValidUtf8(decodeName(bytes)), "a name decodes to valid UTF-8");
    check(isValidUtf8(decodePath(bytes)), "a path decodes to valid UTF-8");

    if (isValidUtf8(bytes)) {
        check(decodeName(bytes) == bytes, "valid UTF-8 names stay as they are");
        // Text that fits into Windows-1252 goes there and back unchanged.
        if (const auto encoded = utf8ToCp1252(bytes))
            check(cp1252ToUtf8(*encoded) == bytes, "UTF-8 -> Windows-1252 -> UTF-8");
        // A file written from text reads as that text again, unless its Windows-1252 bytes
        // happen to form valid UTF-8 themselves (then the reader cannot tell them apart).
        const std::string file = encodeFileText(bytes);
        const bool ambiguous =
            utf8ToCp1252(bytes).has_value() && isValidUtf8(file) && file != bytes;
        const bool startsWithMark = bytes.substr(0, 3) == "\xEF\xBB\xBF";
        if (!ambiguous && !startsWithMark)
            check(decodeFileText(file) == bytes, "text -> file bytes -> text");

        const std::size_t length = utf8Length(bytes);
        check(length <= bytes.size(), "characters not more than bytes");
        const std::size_t cut = size > 0 ? data[0] % (length + 2) : 0;
        const std::string prefix = utf8Prefix(bytes, cut);
        check(isValidUtf8(prefix), "a prefix of UTF-8 is UTF-8");
        check(utf8Length(prefix) == std::min(cut, length), "prefix has the asked length");
        check(bytes.substr(0, prefix.size()) == prefix, "prefix is the start of the text");
    }

    const std::string upper = asciiUpper(bytes);
    check(upper.size() == bytes.size(), "upper case keeps the length");
    check(equalsIgnoreAsciiCase(upper, bytes), "upper case compares equal ignoring case");
    return 0;
}
