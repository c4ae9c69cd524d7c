#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// Real media made by ffmpeg at test time, so that no binary file lives in the repository.
namespace testsupport {

// The text as one word for /bin/sh: in single quotes, a quote inside written as '\''.
inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

inline bool runFfmpeg(const std::string& arguments) {
    const std::string command =
        "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

inline bool ffmpegAvailable() {
    return std::system("ffmpeg -nostdin -hide_banner -version >/dev/null 2>&1") == 0;
}

struct Mp3Tags {
    std::string artist{};
    std::string title{};
    std::string album{};
    int track = 0; // 0: none (a plain ID3v1 tag)
    std::string year{};
};

// A sine tone as a constant 64 kbit/s MP3. With tags, the file ends in an ID3v1 tag
// (ID3v1.1 when a track is given) and carries no ID3v2 tag, like the titles of an old library.
inline bool makeToneMp3(const std::string& path, double seconds,
                        const std::optional<Mp3Tags>& tags = std::nullopt, int frequency = 440) {
    std::string arguments = "-f lavfi -i " +
                            shellQuoted("sine=frequency=" + std::to_string(frequency) +
                                        ":duration=" + std::to_string(seconds)) +
                            " -c:a libmp3lame -b:a 64k -id3v2_version 0";
    if (tags) {
        // Without an ID3v2 tag ffmpeg fills the ID3v1 fields from the ID3v2 frame names.
        auto field = [&](const char* key, const std::string& value) {
            if (!value.empty())
                arguments += std::string(" -metadata ") + key + "=" + shellQuoted(value);
        };
        field("TPE1", tags->artist);
        field("TIT2", tags->title);
        field("TALB", tags->album);
        field("TYER", tags->year);
        if (tags->track > 0)
            field("TRCK", std::to_string(tags->track));
        arguments += " -write_id3v1 1";
    }
    return runFfmpeg(arguments + " " + shellQuoted(path));
}

// A sine tone in the format its name's extension asks for: ".mp3" with an ID3v2.4 tag (and an
// ID3v1 tag behind the frames too when `withId3v1`, its texts cut at 30 characters as ffmpeg
// writes them), ".flac", ".ogg" and ".oga" (Vorbis), ".opus", ".m4a" (AAC) and ".aac" (ADTS),
// each with the format's own tag.
inline bool makeToneTitle(const std::string& path, double seconds, const Mp3Tags& tags,
                          bool withId3v1 = false, int frequency = 440) {
    const std::string extension = path.substr(path.rfind('.') + 1);
    std::string codec;
    if (extension == "mp3")
        codec = std::string("-c:a libmp3lame -b:a 64k -id3v2_version 4") +
                (withId3v1 ? " -write_id3v1 1" : "");
    else if (extension == "flac")
        codec = "-c:a flac";
    else if (extension == "ogg" || extension == "oga")
        codec = "-c:a libvorbis -f ogg";
    else if (extension == "opus")
        codec = "-c:a libopus";
    else if (extension == "m4a")
        codec = "-c:a aac";
    else if (extension == "aac")
        codec = "-c:a aac -f adts";
    else
        return false;
    std::string arguments = "-f lavfi -i " +
                            shellQuoted("sine=frequency=" + std::to_string(frequency) +
                                        ":duration=" + std::to_string(seconds)) +
                            " " + codec;
    auto field = [&](const char* key, const std::string& value) {
        if (!value.empty())
            arguments += std::string(" -metadata ") + key + "=" + shellQuoted(value);
    };
    field("artist", tags.artist);
    field("title", tags.title);
    field("album", tags.album);
    field("date", tags.year);
    if (tags.track > 0)
        field("track", std::to_string(tags.track));
    return runFfmpeg(arguments + " " + shellQuoted(path));
}

// A silent test picture (moving colour bars and a counter) at 25 frames a second; the
// container follows the name's extension (MPEG-1 for ".mpg" and ".mpe", MPEG-4 otherwise).
inline bool makeVideo(const std::string& path, double seconds, int width = 160, int height = 120) {
    const bool mpeg1 = path.ends_with(".mpg") || path.ends_with(".mpe");
    return runFfmpeg(
        "-f lavfi -i " +
        shellQuoted("testsrc=size=" + std::to_string(width) + "x" + std::to_string(height) +
                    ":rate=25:duration=" + std::to_string(seconds)) +
        " -pix_fmt yuv420p -c:v " + (mpeg1 ? "mpeg1video -f mpeg " : "mpeg4 ") + shellQuoted(path));
}

} // namespace testsupport
