#include "platform/AudioTags.h"

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <taglib/tbytevectorstream.h>

#include <algorithm>
#include <cctype>

namespace platform {

namespace {

bool hasMp3Extension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return false;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == "mp3";
}

std::string utf8(const TagLib::String& text) {
    return text.to8Bit(true);
}

void copyTag(const TagLib::Tag& tag, AudioTags& result) {
    result.title = utf8(tag.title());
    result.artist = utf8(tag.artist());
    result.album = utf8(tag.album());
    result.genre = utf8(tag.genre());
    // A nonsense number from a damaged tag is no year or track at all.
    result.year = tag.year() <= 9999 ? static_cast<int>(tag.year()) : 0;
    result.track = tag.track() <= 9999 ? static_cast<int>(tag.track()) : 0;
}

// Only the ID3v2 tag and no playing time: the rest of an MP3 the program reads itself.
AudioTags tagsOf(TagLib::MPEG::File& file) {
    AudioTags result;
    if (!file.isValid())
        return result;
    result.valid = true;
    if (const TagLib::ID3v2::Tag* tag = file.ID3v2Tag(false))
        copyTag(*tag, result);
    return result;
}

// Just enough of a file for TagLib to read an ID3v2 tag out of bytes in memory: the tag alone
// costs a fraction of an MPEG file object, which also looks for the other kinds of tags.
class TagBytesFile final : public TagLib::File {
public:
    explicit TagBytesFile(TagLib::IOStream* stream) : TagLib::File(stream) {}
    TagLib::Tag* tag() const override { return nullptr; }
    TagLib::AudioProperties* audioProperties() const override { return nullptr; }
    bool save() override { return false; }
};

AudioTags tagsOfBytes(std::span<const std::uint8_t> tagBytes) {
    TagLib::ByteVectorStream stream(
        TagLib::ByteVector(reinterpret_cast<const char*>(tagBytes.data()),
                           static_cast<unsigned int>(tagBytes.size())));
    TagBytesFile file(&stream);
    const TagLib::ID3v2::Tag tag(&file, 0);
    AudioTags result;
    // A header TagLib does not accept leaves the tag empty: no tag at all, as for a damaged one.
    if (tag.header()->majorVersion() < 2 || tag.header()->tagSize() == 0)
        return result;
    result.valid = true;
    copyTag(tag, result);
    return result;
}

// The program reads MP3 information through readId3v2Tag with the tag's bytes; this path serves
// callers that have only the name.
AudioTags readMp3(const std::string& path) {
    TagLib::MPEG::File file(path.c_str(), false);
    return tagsOf(file);
}

// The file's type comes from its extension, or from its content when the extension does not
// fit (an ".oga" holding FLAC, an ".ogg" holding Opus).
AudioTags readOther(const std::string& path) {
    AudioTags result;
    const TagLib::FileRef file(path.c_str(), true, TagLib::AudioProperties::Average);
    if (file.isNull())
        return result;
    result.valid = true;
    if (const TagLib::Tag* tag = file.tag())
        copyTag(*tag, result);
    if (const TagLib::AudioProperties* properties = file.audioProperties()) {
        const int length = properties->lengthInMilliseconds();
        if (length > 0)
            result.lengthMs = length;
    }
    return result;
}

} // namespace

AudioTags readAudioTags(const std::string& path) {
    try {
        return hasMp3Extension(path) ? readMp3(path) : readOther(path);
    } catch (...) {
        // Out of memory on a huge damaged frame, or the like: the file is simply not readable.
        return {};
    }
}

AudioTags readId3v2Tag(std::span<const std::uint8_t> tagBytes) {
    if (tagBytes.empty())
        return {};
    try {
        return tagsOfBytes(tagBytes);
    } catch (...) {
        return {};
    }
}

} // namespace platform
