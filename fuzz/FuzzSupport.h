#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace fuzzsupport {

// A property that does not hold is a finding like a crash: the message names it, and the abort
// makes libFuzzer keep the input that broke it.
inline void check(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n", what);
    std::abort();
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Takes bytes off the front of the input: the options of a run first, the file after them.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t byte() {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }
    // At most `count` bytes, fewer when the input ends.
    std::string_view bytes(std::size_t count) {
        const std::size_t taken = count < m_size ? count : m_size;
        const std::string_view result = asText(m_data, taken);
        m_data += taken;
        m_size -= taken;
        return result;
    }
    std::string_view rest() { return bytes(m_size); }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// A folder of the fuzzing process for the readers that only read files; removed at exit.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device random;
        // Memory-backed where there is such a folder: the readers run many times a second.
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        m_path = base / ("zvn-fuzz-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path() const { return m_path.string(); }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

    std::string write(const std::string& name, std::string_view bytes) const {
        const std::string target = file(name);
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return target;
    }

    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path m_path;
};

inline const ScratchFolder& scratch() {
    static const ScratchFolder folder;
    return folder;
}

} // namespace fuzzsupport
