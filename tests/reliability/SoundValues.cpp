// Self-describing sounds and an independent walk over a bank file.
#include "reliability/SoundValues.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace vorela::test {

// Header of every value: index, version low and high halves, sample count.
static constexpr std::size_t HeaderSamples = 4;

std::string workloadChunkId(unsigned index)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04u", index + 1);
    return text;
}

static std::size_t valueLength(unsigned index, unsigned version)
{
    return HeaderSamples + 40 + (version * 97u + index * 31u) % 1800u;
}

std::vector<std::int16_t> soundValue(unsigned index, unsigned version)
{
    const std::size_t length = valueLength(index, version);
    std::vector<std::int16_t> samples(length);
    samples[0] = static_cast<std::int16_t>(index);
    samples[1] = static_cast<std::int16_t>(version & 0x7fff);
    samples[2] = static_cast<std::int16_t>(version >> 15);
    samples[3] = static_cast<std::int16_t>(length & 0x7fff);
    std::uint32_t state = index * 2654435761u + version * 40503u + 1;
    for (std::size_t i = HeaderSamples; i < length; ++i) {
        state = state * 1664525u + 1013904223u;
        samples[i] = static_cast<std::int16_t>(state >> 16);
    }
    return samples;
}

std::optional<unsigned> versionOf(unsigned index, std::span<const std::int16_t> samples)
{
    if (samples.size() < HeaderSamples || samples[0] != static_cast<std::int16_t>(index) ||
        samples[1] < 0 || samples[2] < 0)
        return std::nullopt;
    const unsigned version =
        static_cast<unsigned>(samples[1]) | (static_cast<unsigned>(samples[2]) << 15);
    const std::vector<std::int16_t> expected = soundValue(index, version);
    if (!std::equal(samples.begin(), samples.end(), expected.begin(), expected.end()))
        return std::nullopt;
    return version;
}

std::optional<std::vector<std::pair<unsigned, unsigned>>>
splitRendering(std::span<const std::int16_t> samples)
{
    std::vector<std::pair<unsigned, unsigned>> pieces;
    while (!samples.empty()) {
        if (samples.size() < HeaderSamples || samples[0] < 0 || samples[3] <= 0 ||
            static_cast<std::size_t>(samples[3]) > samples.size())
            return std::nullopt;
        const unsigned index = static_cast<unsigned>(samples[0]);
        const std::span<const std::int16_t> piece =
            samples.first(static_cast<std::size_t>(samples[3]));
        const std::optional<unsigned> version = versionOf(index, piece);
        if (!version)
            return std::nullopt;
        pieces.emplace_back(index, *version);
        samples = samples.subspan(piece.size());
    }
    return pieces;
}

static std::uint32_t u32At(const std::vector<std::uint8_t> &bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset]) |
           (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

BankContents readWholeBank(const std::filesystem::path &bank)
{
    std::ifstream in(bank, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    BankContents contents;
    if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF" ||
        std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE") {
        contents.error = "no RIFF WAVE form";
        return contents;
    }
    if (u32At(bytes, 4) != bytes.size() - 8) {
        contents.error = "form size " + std::to_string(u32At(bytes, 4)) + " for a file of " +
                         std::to_string(bytes.size()) + " bytes";
        return contents;
    }
    bool formatSeen = false;
    for (std::size_t offset = 12; offset < bytes.size();) {
        if (bytes.size() - offset < 8) {
            contents.error = "a chunk header cut at " + std::to_string(offset);
            return contents;
        }
        const std::string id(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                             bytes.begin() + static_cast<std::ptrdiff_t>(offset) + 4);
        const std::size_t size = u32At(bytes, offset + 4);
        const std::size_t next = offset + 8 + size + size % 2;
        if (next > bytes.size()) {
            contents.error = "chunk " + id + " runs past the end";
            return contents;
        }
        if (!formatSeen) {
            formatSeen = id == "fmt ";
            if (!formatSeen) {
                contents.error = "the first chunk is " + id;
                return contents;
            }
        } else {
            std::vector<std::int16_t> samples(size / 2);
            for (std::size_t i = 0; i < samples.size(); ++i)
                samples[i] = static_cast<std::int16_t>(bytes[offset + 8 + 2 * i] |
                                                       (bytes[offset + 9 + 2 * i] << 8));
            if (!contents.chunks.emplace(id, std::move(samples)).second) {
                contents.error = "chunk " + id + " twice";
                return contents;
            }
        }
        offset = next;
    }
    if (!formatSeen)
        contents.error = "no fmt chunk";
    return contents;
}

} // namespace vorela::test
