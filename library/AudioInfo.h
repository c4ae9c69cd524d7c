#pragma once

#include "library/ID3Tags.h"
#include "library/MpegFrameHdr.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ByteSource;

// What the program shows about an MP3 file without playing it: the first frame header, the
// Xing VBR header, the ID3v1 tag and the playing time. One object per file read; it is owned
// and used by one thread.
class TAudioInfo {
public:
    // Header of the first frame.
    TMpegFrameHdr Header;
    // Offset of the first frame from the start of the analysed range; -1 when none was found.
    std::int32_t FirstFrameOffset = -1;
    // A Xing header was found: the playing time comes from its frame count.
    bool IsVBR = false;
    TID3v1Tag Tag;
    // Playing time in whole seconds, as milliseconds. 64 bits wide, so that a huge file or
    // frame count cannot overflow; negative when the first header's bit rate is reserved.
    std::int64_t DurationMs = 0;
    // Bytes of the ID3v2 tag at the start of the analysed range (header and footer included);
    // 0 when there is none. The search for the first frame begins behind it.
    std::int64_t ID3v2Size = 0;
    // The ID3v2 tag's bytes when ReadFile was asked to keep them; empty otherwise.
    std::vector<std::uint8_t> ID3v2Tag;
    // Bytes searched for the first frame.
    std::int32_t SearchLimit = 10240;
    // Bytes of the file; -1 before a file is read.
    std::int64_t FileSize = -1;
    // Modification time as a packed DOS date and time (local time); -1 before a file is read
    // or when the time cannot be packed (before 1980).
    std::int32_t FileAge = -1;
    // Always 0: the program uses no file attributes of an MP3 file.
    std::int32_t FileAttributes = 0;

    // Forgets everything about the last file, the header and tag fields included.
    void Reset();

    // Reads `name`. Returns false, with everything reset, for a blank name or a file that
    // cannot be opened. When the file begins with an ID3v2 tag and `keepID3v2` wants it for
    // what was read, the tag's bytes are kept in ID3v2Tag, read through the same open file.
    bool ReadFile(const std::string& name,
                  const std::function<bool(const TAudioInfo&)>& keepID3v2 = {});

    // Analyses at most `count` bytes of `source` from `start` on (fewer when the source ends
    // earlier). FirstFrameOffset counts from `start`.
    void Analyse(ByteSource& source, std::int64_t count, std::int64_t start = 0);
};

// `numerator` / `denominator` rounded to the nearest integer, halves to the even neighbour.
// The denominator must be positive.
std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator);

// A local time, given as days since 30 Dec 1899 with the time of day as fraction, packed as a
// DOS date and time (two-second steps); -1 outside the years 1980 to 2107.
std::int32_t PackDosDateTime(double delphiDateTime);
