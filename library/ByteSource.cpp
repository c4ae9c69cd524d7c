#include "library/ByteSource.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

std::size_t SpanByteSource::read(std::int64_t offset, std::uint8_t* buffer, std::size_t count) {
    if (offset < 0 || static_cast<std::uint64_t>(offset) >= m_bytes.size())
        return 0;
    const auto begin = static_cast<std::size_t>(offset);
    const std::size_t copied = std::min(count, m_bytes.size() - begin);
    std::memcpy(buffer, m_bytes.data() + begin, copied);
    return copied;
}

FileByteSource::FileByteSource(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
    m_file.open(path, std::ios::binary | std::ios::in);
    if (!m_file.is_open())
        return;
    m_file.seekg(0, std::ios::end);
    const std::streamoff end = m_file.tellg();
    if (!m_file || end < 0) {
        m_file.close();
        return;
    }
    m_size = static_cast<std::int64_t>(end);
}

std::size_t FileByteSource::read(std::int64_t offset, std::uint8_t* buffer, std::size_t count) {
    if (!m_file.is_open() || offset < 0 || offset >= m_size || count == 0)
        return 0;
    // A short read at the end leaves the stream failed; clear it so the next read can seek.
    m_file.clear();
    m_file.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
    if (!m_file)
        return 0;
    m_file.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(count));
    const std::streamsize got = m_file.gcount();
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}
