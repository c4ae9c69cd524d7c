#pragma once

#include <cstdint>
#include <mutex>
#include <string>

class TListElement;

// Serialises the MP3 information readers (title information and folder years), so that the
// folder worker and the main thread never read files at the same time. Held only for the
// reading of one file; taken by ReadMp3ElementInfo itself, so never call that while holding it.
extern std::mutex gAudioInfoMutex;

// What a list shows about one title, read without touching any element. For an MP3 file the
// ID3v1 tag comes first and its ID3v2 tag fills the fields ID3v1 leaves empty; the other
// formats bring their own tag and length.
struct Mp3ElementInfo {
    // "m:ss", "???" for a broken header, empty when the file could not be read.
    std::string length;
    // Playing time in seconds; negative for a broken header (the element reads it as 0).
    int lengthSeconds = 0;
    std::string artist;
    std::string title;
    // Not kept in the element: only the media-player interface shows it.
    std::string album;
    std::string comment;
    std::string year;
    // The genre's name; not kept in the element either.
    std::string genre;
    // The line the INFO command scrolls; empty when the file could not be read.
    std::string infoText;
    int trackNo = 0;
    // False when the file could not be opened: every other field is then empty or 0.
    bool readable = false;
};

// Whether a file name fits one of kMusicTitleMasks ("*.mp3", "*.flac", ...).
bool IsMusicTitleFile(const std::string& name);

// Reads the information of a title: the formats of kMusicTitleMasks after the first through the
// tag reader, every other name as MP3. Any thread; takes gAudioInfoMutex while reading.
Mp3ElementInfo ReadMp3ElementInfo(const std::string& fullPath);

// Writes `info` into the element's length, tag and info-text fields (all of them, so an
// unreadable file leaves them empty). Call on the thread that owns the element.
void ApplyMp3ElementInfo(TListElement& element, const Mp3ElementInfo& info);

// ReadMp3ElementInfo of the element's FullPath, applied to the element.
void FillMP3Element(TListElement& element);

// "m:ss" of a playing time (minutes unbounded), "???" for a negative one.
std::string FormatLength(std::int64_t durationMs);
