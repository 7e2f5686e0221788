// Helpers of the fuzz targets: the input as a file, for parsers that read from disk.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace vorela::fuzz {

/// A folder of this process on a memory file system (fsync is cheap there), made once.
inline const std::filesystem::path &scratchFolder()
{
    static const std::filesystem::path folder = [] {
        const std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                               ? "/dev/shm"
                                               : std::filesystem::temp_directory_path();
        std::filesystem::path made = base / ("vorela-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(made);
        return made;
    }();
    return folder;
}

/// Writes the input to scratchFolder()/name, replacing the previous one.
inline std::filesystem::path inputFile(const std::uint8_t *data, std::size_t size, const char *name)
{
    const std::filesystem::path file = scratchFolder() / name;
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    stream.close();
    if (!stream)
        std::abort();
    return file;
}

} // namespace vorela::fuzz
