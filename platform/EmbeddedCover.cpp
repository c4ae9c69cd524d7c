#include "platform/AudioTags.h"

#include "platform/Encoding.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4coverart.h>
#include <taglib/mp4file.h>
#include <taglib/mp4tag.h>
#include <taglib/mpegfile.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/vorbisfile.h>
#include <taglib/xiphcomment.h>

#include <string_view>

namespace platform {
namespace {

EmbeddedPicture pictureOf(const TagLib::String& mimeType, const TagLib::ByteVector& data) {
    EmbeddedPicture picture;
    picture.mimeType = mimeType.to8Bit(true);
    picture.data.assign(data.begin(), data.end());
    return picture;
}

// The front cover of a list of pictures, else its first picture.
template <typename Pictures, typename IsFront, typename Convert>
std::optional<EmbeddedPicture> choose(const Pictures& pictures, IsFront isFront, Convert convert) {
    for (const auto& picture : pictures) {
        if (picture && isFront(*picture))
            return convert(*picture);
    }
    for (const auto& picture : pictures) {
        if (picture)
            return convert(*picture);
    }
    return std::nullopt;
}

std::optional<EmbeddedPicture> fromId3v2(TagLib::ID3v2::Tag* tag) {
    if (!tag)
        return std::nullopt;
    using Frame = TagLib::ID3v2::AttachedPictureFrame;
    std::vector<const Frame*> frames;
    for (const TagLib::ID3v2::Frame* frame : tag->frameList("APIC")) {
        if (const auto* picture = dynamic_cast<const Frame*>(frame))
            frames.push_back(picture);
    }
    return choose(
        frames, [](const Frame& frame) { return frame.type() == Frame::FrontCover; },
        [](const Frame& frame) { return pictureOf(frame.mimeType(), frame.picture()); });
}

std::optional<EmbeddedPicture> fromFlacPictures(const TagLib::List<TagLib::FLAC::Picture*>& list) {
    using Picture = TagLib::FLAC::Picture;
    return choose(
        list, [](const Picture& picture) { return picture.type() == Picture::FrontCover; },
        [](const Picture& picture) { return pictureOf(picture.mimeType(), picture.data()); });
}

std::optional<EmbeddedPicture> fromXiph(TagLib::Ogg::XiphComment* comment) {
    if (!comment)
        return std::nullopt;
    return fromFlacPictures(comment->pictureList());
}

std::optional<EmbeddedPicture> fromMp4(TagLib::MP4::Tag* tag) {
    if (!tag || !tag->contains("covr"))
        return std::nullopt;
    // An MP4 picture has no type: the first one is the cover.
    for (const TagLib::MP4::CoverArt& art : tag->item("covr").toCoverArtList()) {
        const char* mimeType = art.format() == TagLib::MP4::CoverArt::JPEG  ? "image/jpeg"
                               : art.format() == TagLib::MP4::CoverArt::PNG ? "image/png"
                                                                            : "";
        return pictureOf(mimeType, art.data());
    }
    return std::nullopt;
}

// TagLib is asked only to read the tags: the playing time is of no use here and costs a scan
// of the stream for some formats.
constexpr bool kNoProperties = false;

std::optional<EmbeddedPicture> fromMpeg(const char* path) {
    TagLib::MPEG::File file(path, kNoProperties);
    if (!file.isOpen())
        return std::nullopt;
    return fromId3v2(file.ID3v2Tag());
}

std::optional<EmbeddedPicture> fromFlac(const char* path) {
    TagLib::FLAC::File file(path, kNoProperties);
    if (!file.isValid())
        return std::nullopt;
    if (auto picture = fromFlacPictures(file.pictureList()))
        return picture;
    if (auto picture = fromXiph(file.xiphComment()))
        return picture;
    return fromId3v2(file.ID3v2Tag());
}

template <typename OggFile> std::optional<EmbeddedPicture> fromOgg(const char* path) {
    OggFile file(path, kNoProperties);
    if (!file.isValid())
        return std::nullopt;
    return fromXiph(file.tag());
}

std::optional<EmbeddedPicture> fromMp4File(const char* path) {
    TagLib::MP4::File file(path, kNoProperties);
    if (!file.isValid())
        return std::nullopt;
    return fromMp4(file.tag());
}

struct Reader {
    std::string_view extension; // upper case
    std::optional<EmbeddedPicture> (*read)(const char* path);
};

// ".oga" may hold Vorbis, FLAC or Opus: each is tried in turn.
const Reader kReaders[] = {
    {".MP3", fromMpeg},
    {".AAC", fromMpeg}, // ADTS streams carry their tags as ID3v2, as MP3 files do
    {".FLAC", fromFlac},
    {".OGG", fromOgg<TagLib::Ogg::Vorbis::File>},
    {".OPUS", fromOgg<TagLib::Ogg::Opus::File>},
    {".OGA", fromOgg<TagLib::Ogg::Vorbis::File>},
    {".OGA", fromOgg<TagLib::Ogg::FLAC::File>},
    {".OGA", fromOgg<TagLib::Ogg::Opus::File>},
    {".M4A", fromMp4File},
    {".MP4", fromMp4File},
};

} // namespace

std::optional<EmbeddedPicture> readEmbeddedCover(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return std::nullopt;
    const std::string extension = asciiUpper(std::string_view(path).substr(dot));
    try {
        for (const Reader& reader : kReaders) {
            if (reader.extension != extension)
                continue;
            // The name's bytes go to the file system as they are.
            if (auto picture = reader.read(path.c_str()); picture && !picture->data.empty())
                return picture;
        }
    } catch (...) {
        // A tag damaged so that the library runs out of memory or trips over itself is no
        // cover, like a file without one.
    }
    return std::nullopt;
}

} // namespace platform
