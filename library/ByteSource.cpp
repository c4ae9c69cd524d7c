#include "library/ByteSource.h"

#include <algorithm>
#include <cstring>

std::size_t SpanByteSource::read(std::int64_t offset, std::uint8_t* buffer, std::size_t count) {
    if (offset < 0 || static_cast<std::uint64_t>(offset) >= m_bytes.size())
        return 0;
    const auto begin = static_cast<std::size_t>(offset);
    const std::size_t copied = std::min(count, m_bytes.size() - begin);
    std::memcpy(buffer, m_bytes.data() + begin, copied);
    return copied;
}

FileByteSource::FileByteSource(const std::string& path) : m_file(path) {}

std::size_t FileByteSource::read(std::int64_t offset, std::uint8_t* buffer, std::size_t count) {
    if (!m_file.isOpen() || offset < 0 || offset >= m_file.size() || count == 0)
        return 0;
    if (!m_headRead && static_cast<std::uint64_t>(offset) < kHeadSize) {
        m_headRead = true;
        m_headSize = m_file.read(0, m_head.data(), m_head.size());
    }
    const auto begin = static_cast<std::uint64_t>(offset);
    if (begin + count <= m_headSize) {
        std::memcpy(buffer, m_head.data() + begin, count);
        return count;
    }
    return m_file.read(offset, buffer, count);
}
