// Reading and writing WAV files in the bank's sound format.
#include "verification/PcmWav.h"

#include "platform/ByteReader.h"

#include <bit>
#include <cstring>
#include <fstream>
#include <optional>

namespace vorela {

static constexpr std::uint16_t PcmFormat = 1;
static constexpr std::uint16_t SoundChannels = 1;
static constexpr std::uint32_t SoundRate = 8000;
static constexpr std::uint16_t SoundBits = 16;
static constexpr std::uint16_t SoundBlockAlign = 2;
static constexpr std::uint32_t SoundByteRate = 16000;

static bool isTag(std::span<const std::uint8_t> bytes, const char *tag)
{
    return bytes.size() == 4 && std::memcmp(bytes.data(), tag, 4) == 0;
}

static bool isSoundFormat(std::span<const std::uint8_t> body)
{
    ByteReader reader(body);
    std::uint16_t format = 0, channels = 0, blockAlign = 0, bits = 0;
    std::uint32_t rate = 0, byteRate = 0;
    return reader.readU16le(format) && reader.readU16le(channels) && reader.readU32le(rate)
           && reader.readU32le(byteRate) && reader.readU16le(blockAlign) && reader.readU16le(bits)
           && format == PcmFormat && channels == SoundChannels && rate == SoundRate
           && byteRate == SoundByteRate && blockAlign == SoundBlockAlign && bits == SoundBits;
}

static std::vector<std::int16_t> samplesOf(std::span<const std::uint8_t> data)
{
    std::vector<std::int16_t> samples(data.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return samples;
}

PcmWavContent parsePcmWav(std::span<const std::uint8_t> bytes)
{
    ByteReader file(bytes);
    std::span<const std::uint8_t> riff, wave, form;
    std::uint32_t formSize = 0;
    if (!file.readBytes(4, riff) || !file.readU32le(formSize) || !file.readBytes(4, wave)
        || !isTag(riff, "RIFF") || !isTag(wave, "WAVE"))
        return {{}, "not a RIFF WAVE file"};
    if (formSize < 4 || !file.readBytes(formSize - 4, form))
        return {{}, "the RIFF form runs past the end of the file"};
    ByteReader chunks(form);
    std::optional<bool> soundFormat;
    while (!chunks.atEnd()) {
        std::span<const std::uint8_t> id, body;
        std::uint32_t size = 0;
        if (!chunks.readBytes(4, id) || !chunks.readU32le(size) || !chunks.readBytes(size, body))
            return {{}, "a chunk runs past the end of the RIFF form"};
        // RIFF pads odd-sized chunks with one byte; a missing pad at the very end is tolerated.
        if (size % 2 != 0 && !chunks.atEnd() && !chunks.skip(1))
            return {{}, "a chunk runs past the end of the RIFF form"};
        if (isTag(id, "fmt "))
            soundFormat = isSoundFormat(body);
        if (!isTag(id, "data"))
            continue;
        if (!soundFormat)
            return {{}, "no \"fmt \" chunk before the \"data\" chunk"};
        if (!*soundFormat)
            return {{}, "not PCM mono 8000 Hz 16-bit"};
        return {samplesOf(body), {}};
    }
    return {{}, "no \"data\" chunk"};
}

PcmWavContent readPcmWav(const std::filesystem::path &file)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        return {{}, "cannot read: " + error.message()};
    std::ifstream stream(file, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!stream.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(size)))
        return {{}, "cannot read the file"};
    return parsePcmWav(bytes);
}

static void appendU16le(std::vector<std::uint8_t> &out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

static void appendU32le(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    appendU16le(out, static_cast<std::uint16_t>(value));
    appendU16le(out, static_cast<std::uint16_t>(value >> 16));
}

static void appendTag(std::vector<std::uint8_t> &out, const char *tag)
{
    out.insert(out.end(), tag, tag + 4);
}

bool writePcmWav(const std::filesystem::path &file, std::span<const std::int16_t> samples)
{
    static_assert(std::endian::native == std::endian::little, "samples are written as stored");
    const std::size_t dataBytes = samples.size_bytes();
    if (dataBytes > 0xFFFFFFFFu - 36)
        return false;
    std::vector<std::uint8_t> header;
    appendTag(header, "RIFF");
    appendU32le(header, static_cast<std::uint32_t>(36 + dataBytes));
    appendTag(header, "WAVE");
    appendTag(header, "fmt ");
    appendU32le(header, 16);
    appendU16le(header, PcmFormat);
    appendU16le(header, SoundChannels);
    appendU32le(header, SoundRate);
    appendU32le(header, SoundByteRate);
    appendU16le(header, SoundBlockAlign);
    appendU16le(header, SoundBits);
    appendTag(header, "data");
    appendU32le(header, static_cast<std::uint32_t>(dataBytes));
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char *>(header.data()), static_cast<std::streamsize>(header.size()));
    stream.write(reinterpret_cast<const char *>(samples.data()), static_cast<std::streamsize>(dataBytes));
    stream.close();
    return static_cast<bool>(stream);
}

} // namespace vorela
