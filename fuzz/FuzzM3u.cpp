// The playlist reader, and the rewrite of a playlist nobody changed: reading what was written
// gives the same titles, and writing them again gives the same bytes.
#include "FuzzSupport.h"

#include "platform/TextFile.h"
#include "playback/M3uFile.h"

namespace {

// The lines the program writes for a playlist whose titles are all as they were read.
platform::TextLines unchangedRewrite(const M3uPlaylist& playlist) {
    platform::TextLines text;
    text.byteOrderMark = playlist.byteOrderMark;
    text.lines.push_back(playlist.headerLine.empty() ? std::string("#EXTM3U")
                                                     : playlist.headerLine);
    for (const M3uTitle& title : playlist.titles) {
        text.lines.insert(text.lines.end(), title.leadingLines.begin(), title.leadingLines.end());
        text.lines.push_back(title.pathLine);
    }
    text.lines.insert(text.lines.end(), playlist.trailingLines.begin(),
                      playlist.trailingLines.end());
    return text;
}

bool sameTitles(const M3uPlaylist& a, const M3uPlaylist& b) {
    if (a.titles.size() != b.titles.size())
        return false;
    for (std::size_t i = 0; i < a.titles.size(); ++i) {
        const M3uTitle& x = a.titles[i];
        const M3uTitle& y = b.titles[i];
        if (x.pathLine != y.pathLine || x.path != y.path || x.seconds != y.seconds ||
            x.title != y.title || x.leadingLines != y.leadingLines || x.infoLine != y.infoLine)
            return false;
    }
    return a.trailingLines == b.trailingLines && a.byteOrderMark == b.byteOrderMark;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzzsupport::check;
    const M3uPlaylist read = ParseM3u(platform::splitTextLines(fuzzsupport::asText(data, size)));
    for (const M3uTitle& title : read.titles) {
        check(!title.path.empty(), "a title has a path");
        check(title.seconds >= 0, "playing time not negative");
        check(title.infoLine >= -1 && title.infoLine < static_cast<int>(title.leadingLines.size()),
              "information line is one of the leading lines");
    }

    const std::string written = platform::joinTextLines(unchangedRewrite(read));
    const M3uPlaylist reread = ParseM3u(platform::splitTextLines(written));
    check(sameTitles(read, reread), "the rewritten playlist reads as the same titles");
    check(platform::joinTextLines(unchangedRewrite(reread)) == written,
          "writing the re-read playlist gives the same bytes");
    return 0;
}
