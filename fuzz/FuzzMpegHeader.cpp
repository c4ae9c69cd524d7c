// The MP3 reader: frame search and header decoding, the Xing header, the ID3v1 tag and the
// playing time, over any bytes.
#include "FuzzSupport.h"

#include "library/AudioInfo.h"
#include "library/ByteSource.h"
#include "library/ID3Tags.h"
#include "library/MpegFrameHdr.h"

#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzzsupport::check;
    const std::span<const std::uint8_t> bytes(data, size);

    // The whole file, and a range starting inside it as a library scan of a tagged file does.
    SpanByteSource source(bytes);
    TAudioInfo info;
    info.Analyse(source, static_cast<std::int64_t>(size));
    check(info.FirstFrameOffset >= -1 && info.FirstFrameOffset < static_cast<std::int64_t>(size),
          "first frame inside the analysed bytes");
    // The search reads 124-byte chunks while it is below the limit, so the last chunk may
    // reach a little past it.
    check(info.FirstFrameOffset < info.SearchLimit + 128, "first frame inside the search");
    // A frame without a successor is not trusted (IsValid false), but its offset stays.
    if (info.Header.IsValid)
        check(info.Header.FrameLength >= 0, "frame length not negative");
    const std::int64_t start = size > 0 ? data[0] % (size + 1) : 0;
    TAudioInfo part;
    part.Analyse(source, static_cast<std::int64_t>(size) - start + 7, start);
    check(part.FirstFrameOffset < static_cast<std::int64_t>(size) - start ||
              part.FirstFrameOffset == -1,
          "first frame of a range inside the range");

    TMpegFrameHdr header;
    const int found = header.FindFrame(data, size);
    check(found == -1 || (found >= 0 && static_cast<std::size_t>(found) + 4 <= size),
          "frame found with its four header bytes inside the buffer");
    for (std::size_t at = 0; at + 4 <= size && at < 64; ++at) {
        TMpegFrameHdr one;
        if (one.Decode(data + at, size - at)) {
            check(one.Layer() >= 1 && one.Layer() <= 3, "valid header has a layer");
            check(one.PaddingSize() >= 0 && one.PaddingSize() <= 4, "padding of a slot");
        }
    }

    const TID3v1Tag tag = TID3v1Tag::Parse(bytes);
    check(tag.GenreId >= 0 && tag.GenreId <= 255, "genre number is a byte");
    const TID3v1Tag atEnd = TID3v1Tag::ReadFromSource(source, 0, static_cast<std::int64_t>(size));
    check(!atEnd.Present || size >= 128, "a tag needs 128 bytes");
    return 0;
}
