#include "platform/AudioTags.h"

#include "platform/UniqueFd.h"

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <taglib/tbytevectorstream.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <vector>

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

// The ID3v2 tag at the start of the file as its bytes (header and footer included); empty when
// the file does not begin with one or cannot be read.
constexpr std::size_t kId3v2HeaderSize = 10;
std::vector<std::uint8_t> id3v2TagBytes(const std::string& path) {
    const UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid())
        return {};
    std::vector<std::uint8_t> bytes(kId3v2HeaderSize);
    if (::pread(file.get(), bytes.data(), bytes.size(), 0) !=
            static_cast<ssize_t>(kId3v2HeaderSize) ||
        bytes[0] != 'I' || bytes[1] != 'D' || bytes[2] != '3')
        return {};
    std::size_t size = 0;
    for (std::size_t i = 6; i < kId3v2HeaderSize; ++i) {
        if (bytes[i] >= 0x80)
            return {};
        size = (size << 7) | bytes[i];
    }
    const bool footer = (bytes[5] & 0x10) != 0;
    bytes.resize(kId3v2HeaderSize + size + (footer ? kId3v2HeaderSize : 0));
    const ssize_t got = ::pread(file.get(), bytes.data() + kId3v2HeaderSize,
                                bytes.size() - kId3v2HeaderSize, kId3v2HeaderSize);
    if (got < 0)
        return {};
    bytes.resize(kId3v2HeaderSize + static_cast<std::size_t>(got));
    return bytes;
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
    TagLib::ByteVectorStream stream(TagLib::ByteVector(
        reinterpret_cast<const char*>(tagBytes.data()), static_cast<unsigned int>(tagBytes.size())));
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

AudioTags readMp3(const std::string& path) {
    const std::vector<std::uint8_t> tagBytes = id3v2TagBytes(path);
    if (!tagBytes.empty()) {
        const AudioTags result = tagsOfBytes(tagBytes);
        if (result.valid)
            return result;
    }
    // No tag in front: TagLib looks for one elsewhere.
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
