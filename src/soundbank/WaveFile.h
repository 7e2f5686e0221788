// One open bank file: finds, reads and appends chunks in place. Used where a bank is changed
// without a temporary copy (the currency words at start-up) and for reading banks.
#pragma once

#include "platform/BinaryFile.h"
#include "soundbank/RiffChunks.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace vorela {

class FileFaults;

class WaveFile {
public:
    WaveFile() = default;
    /// A closed object whose writes go through a test hook that can make them fail.
    explicit WaveFile(FileFaults *faults) : fileFaults(faults) {}

    /// Opens a "RIFF" "WAVE" file with a readable "fmt " chunk, for reading and writing when the
    /// file allows it, else for reading only. False leaves the object closed.
    [[nodiscard]] bool Open(const std::filesystem::path &fileName);
    /// True when a whole chunk with that id lies inside the form (a torn one is no chunk).
    [[nodiscard]] bool HasChunk(std::string_view id) const;
    /// Appends the data of the chunk to buffer. A missing or empty chunk leaves buffer as it was
    /// and succeeds; false (not open, a failed read, no memory) leaves it too.
    [[nodiscard]] bool ReadChunk(std::string_view id, std::vector<std::uint8_t> &buffer) const;
    /// Writes a new chunk after the last whole chunk, cutting off whatever a crash left beyond
    /// it, then grows the RIFF size. A failure before the size is written leaves the new
    /// bytes outside the form, where no search finds them.
    [[nodiscard]] bool AppendChunk(std::string_view id, std::span<const std::uint8_t> data);
    /// Closes the file; true also when it was not open.
    bool Close();

    [[nodiscard]] bool isOpen() const { return file.isOpen(); }
    /// The format record as read (at most 20 bytes).
    [[nodiscard]] std::span<const std::uint8_t> formatRecord() const;
    /// Every whole chunk after "fmt ", in file order.
    [[nodiscard]] std::vector<ChunkHeader> chunks() const;

private:
    FileFaults *fileFaults = nullptr;
    BinaryFile file;
    WaveLayout layout;
    std::uint64_t chunksEnd = 0; // of the last whole chunk
    std::array<std::uint8_t, 20> format{};
    std::uint32_t formatSize = 0;
};

} // namespace vorela
