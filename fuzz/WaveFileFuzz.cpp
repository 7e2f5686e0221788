// Fuzzes RIFF reading of banks and WAV files: the chunk walk, the format record and chunk reads.
#include "FuzzInput.h"
#include "soundbank/LexemeReader.h"
#include "soundbank/WaveFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vorela;
    const std::filesystem::path file = fuzz::inputFile(data, size, "input.wav");
    (void)readLexeme(file, "data", FormatCheck::BankFormat);
    (void)readLexeme(file, "0001", FormatCheck::Skip);
    WaveFile wave;
    if (!wave.Open(file))
        return 0;
    (void)wave.HasChunk("+UAH");
    const std::vector<ChunkHeader> chunks = wave.chunks();
    // Whatever a chunk declares, reading it never holds more than the file.
    for (std::size_t i = 0; i < std::min<std::size_t>(chunks.size(), 16); ++i) {
        std::vector<std::uint8_t> buffer;
        if (wave.ReadChunk(chunks[i].id.text(), buffer) && buffer.size() > size)
            __builtin_trap();
    }
    (void)wave.Close();
    return 0;
}
