#pragma once

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// Random byte strings built from pieces that are hard on text handling: Windows-1252 letters
// and its undefined bytes, UTF-8 letters, Windows-1252 text that happens to be valid UTF-8,
// byte-order marks, cut-off UTF-8 sequences and the separators of the file formats. Never a
// line break, which no line can hold.
inline std::string randomBytes(std::mt19937& random, std::size_t maxPieces) {
    static const std::vector<std::string_view> kPieces = {
        "a",
        "Z",
        "0",
        " ",
        "=",
        "'",
        "\"",
        "[",
        "]",
        ";",
        "#",
        "*",
        "/",
        "-",
        "\t",
        "\xE4",
        "\xC4",
        "\xFC",
        "\xDF",
        "\x80",
        "\x81",
        "\x9D",
        "\xA0",
        "\xFF",
        "\xC3\xA4",
        "\xC3\x9C",
        "\xE2\x82\xAC",
        "\xF0\x9F\x8E\xB5",
        "\xC3\xA9",     // "Ã©" in Windows-1252, "é" in UTF-8
        "\xEF\xBB\xBF", // byte-order mark
        "\xC3",
        "\xE2\x82",
        "\xED\xA0\x80"};
    std::uniform_int_distribution<std::size_t> count(0, maxPieces);
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    std::string bytes;
    for (std::size_t n = count(random); n > 0; --n)
        bytes += kPieces[pick(random)];
    return bytes;
}

} // namespace testsupport
