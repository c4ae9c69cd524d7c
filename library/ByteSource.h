#pragma once

#include "platform/FileSystem.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Random-access reading of a run of bytes: an MP3 file on disk or bytes already in memory.
// A source is used by one thread at a time.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Number of bytes the source holds.
    virtual std::int64_t size() = 0;
    // Copies up to `count` bytes starting at `offset` into `buffer` and returns how many were
    // copied: fewer than asked at the end of the source, 0 past it or after a read failure.
    virtual std::size_t read(std::int64_t offset, std::uint8_t* buffer, std::size_t count) = 0;
};

// Bytes in memory; the span must outlive the source.
class SpanByteSource final : public ByteSource {
public:
    explicit SpanByteSource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::int64_t size() override { return static_cast<std::int64_t>(m_bytes.size()); }
    std::size_t read(std::int64_t offset, std::uint8_t* buffer, std::size_t count) override;

private:
    std::span<const std::uint8_t> m_bytes;
};

// A regular file opened for reading only; closed when the source goes out of scope. Other
// programs may read and write the file meanwhile. The start of the file, where the tags and the
// first frame usually lie, is read once and served from memory, so that the few small reads
// of an MP3's analysis cost one system call between them.
class FileByteSource final : public ByteSource {
public:
    // Folders, devices and pipes are refused: none of them is a media file, and a pipe would
    // block the reader.
    explicit FileByteSource(const std::string& path);
    bool isOpen() const { return m_file.isOpen(); }
    std::int64_t size() override { return m_file.size(); }
    std::size_t read(std::int64_t offset, std::uint8_t* buffer, std::size_t count) override;

private:
    // Room for an ID3v2 tag of a few frames and the search for the first frame behind it.
    static constexpr std::size_t kHeadSize = 16384;
    platform::ReadOnlyFile m_file;
    std::array<std::uint8_t, kHeadSize> m_head;
    std::size_t m_headSize = 0;
    bool m_headRead = false;
};
