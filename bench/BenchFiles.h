// Files the bank benchmarks build for themselves: a scratch folder, RIFF banks and WAV
// recordings written byte by byte, and a durable copy for scale.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace vorela::bench {

inline void putU32(std::string &out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>(value >> shift));
}

inline void putU16(std::string &out, std::uint16_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

/// One RIFF chunk: its four-character id, its size and its bytes (of even length here).
inline std::string riffChunk(std::string_view id, std::string_view data)
{
    std::string chunk(id);
    putU32(chunk, static_cast<std::uint32_t>(data.size()));
    chunk += data;
    return chunk;
}

/// A whole RIFF WAVE file of 16-bit PCM: the format chunk, then chunks as they are given (a bank's
/// sounds, or one "data" chunk for a recording).
inline std::string riffWave(std::uint16_t channels, std::uint32_t rate, std::string_view chunks)
{
    std::string format;
    putU16(format, 1);
    putU16(format, channels);
    putU32(format, rate);
    putU32(format, rate * channels * 2);
    putU16(format, static_cast<std::uint16_t>(channels * 2));
    putU16(format, 16);
    const std::string head = "WAVE" + riffChunk("fmt ", format);
    std::string file = "RIFF";
    putU32(file, static_cast<std::uint32_t>(head.size() + chunks.size()));
    file.reserve(file.size() + head.size() + chunks.size());
    file += head;
    file += chunks;
    return file;
}

inline void writeFile(const std::filesystem::path &file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        std::abort();
}

/// A copy made as durable as the bank's rewrite makes its new file.
inline void copyDurably(const std::filesystem::path &from, const std::filesystem::path &to)
{
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    const int descriptor = ::open(to.c_str(), O_RDONLY);
    if (descriptor < 0 || ::fsync(descriptor) != 0)
        std::abort();
    ::close(descriptor);
}

/// A fresh folder under the temporary directory, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vorela-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        path = pattern;
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    std::filesystem::path path;
};

} // namespace vorela::bench
