// Decoding with libsndfile and resampling with libsoxr, streamed block by block so that only the
// 8000 Hz result is held in memory.
#include "audio/RecordingConversion.h"

#include <sndfile.h>
#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <span>

namespace vorela {

static constexpr double BankRate = 8000.0;
static constexpr sf_count_t BlockFrames = 8192;
// Decoders of lossy formats may announce a few frames more than they give (encoder padding);
// a file cut short loses far more than this.
static constexpr sf_count_t LossyFrameSlack = 4608;

namespace {

struct SoundFileCloser {
    void operator()(SNDFILE *file) const { sf_close(file); }
};
struct ResamplerDeleter {
    void operator()(soxr *resampler) const { soxr_delete(resampler); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;
using Resampler = std::unique_ptr<soxr, ResamplerDeleter>;

/// Float samples at 8000 Hz to 16-bit ones, rounded and clipped, counting the clipped ones.
class SampleSink {
public:
    explicit SampleSink(ConvertedRecording &recording) : out(recording) {}
    void put(std::span<const float> values)
    {
        for (const float value : values) {
            const long scaled = std::lrint(static_cast<double>(value) * 32768.0);
            const long clipped = std::clamp(scaled, -32768L, 32767L);
            out.source.clippedSamples += clipped != scaled ? 1 : 0;
            out.samples.push_back(static_cast<std::int16_t>(clipped));
        }
    }

private:
    ConvertedRecording &out;
};

} // namespace

static RecordingFormat describe(const SF_INFO &info)
{
    RecordingFormat format;
    format.sampleRate = static_cast<std::uint32_t>(info.samplerate);
    format.channels = static_cast<std::uint32_t>(info.channels);
    switch (info.format & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV:
    case SF_FORMAT_WAVEX:
    case SF_FORMAT_RF64:
    case SF_FORMAT_W64:
        format.container = "WAV";
        break;
    case SF_FORMAT_FLAC:
        format.container = "FLAC";
        break;
    case SF_FORMAT_OGG:
        format.container = "Ogg";
        break;
    case SF_FORMAT_MPEG:
        format.container = "MP3";
        break;
    case SF_FORMAT_AIFF:
        format.container = "AIFF";
        break;
    default:
        SF_FORMAT_INFO known{};
        known.format = info.format & SF_FORMAT_TYPEMASK;
        const bool named = sf_command(nullptr, SFC_GET_FORMAT_INFO, &known, sizeof known) == 0;
        format.container = named && known.name ? known.name : "?";
    }
    switch (info.format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
        format.bits = 8;
        break;
    case SF_FORMAT_PCM_16:
        format.bits = 16;
        break;
    case SF_FORMAT_PCM_24:
        format.bits = 24;
        break;
    case SF_FORMAT_PCM_32:
        format.bits = 32;
        break;
    case SF_FORMAT_FLOAT:
        format.bits = 32;
        format.floatingPoint = true;
        break;
    case SF_FORMAT_DOUBLE:
        format.bits = 64;
        format.floatingPoint = true;
        break;
    case SF_FORMAT_VORBIS:
        format.codec = "Vorbis";
        break;
    case SF_FORMAT_OPUS:
        format.codec = "Opus";
        break;
    case SF_FORMAT_MPEG_LAYER_I:
    case SF_FORMAT_MPEG_LAYER_II:
    case SF_FORMAT_MPEG_LAYER_III:
        break; // the container's name says it
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
        format.codec = "G.711";
        break;
    default:
        format.codec = "ADPCM";
    }
    return format;
}

static bool isLossy(const SF_INFO &info)
{
    switch (info.format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_VORBIS:
    case SF_FORMAT_OPUS:
    case SF_FORMAT_MPEG_LAYER_I:
    case SF_FORMAT_MPEG_LAYER_II:
    case SF_FORMAT_MPEG_LAYER_III:
        return true;
    default:
        return false;
    }
}

/// Averages each frame's channels into mono, in place at the front of block.
static void mixDown(std::vector<float> &block, sf_count_t frames, int channels)
{
    const auto width = static_cast<std::size_t>(channels);
    for (std::size_t frame = 0; frame < static_cast<std::size_t>(frames); ++frame) {
        float sum = 0.0F;
        for (std::size_t channel = 0; channel < width; ++channel)
            sum += block[frame * width + channel];
        block[frame] = sum / static_cast<float>(channels);
    }
}

/// Reads every frame, mixed down, through the resampler (none at 8000 Hz) into sink; the count
/// of frames read.
static std::optional<sf_count_t> decodeAll(SNDFILE *file, const SF_INFO &info, soxr *resampler,
                                           SampleSink &sink)
{
    std::vector<float> block(static_cast<std::size_t>(BlockFrames * info.channels));
    std::vector<float> resampled(static_cast<std::size_t>(BlockFrames));
    sf_count_t total = 0;
    for (;;) {
        const sf_count_t frames = sf_readf_float(file, block.data(), BlockFrames);
        if (frames <= 0)
            break;
        total += frames;
        mixDown(block, frames, info.channels);
        if (!resampler) {
            sink.put(std::span(block.data(), static_cast<std::size_t>(frames)));
            continue;
        }
        std::size_t consumed = 0;
        while (consumed < static_cast<std::size_t>(frames)) {
            std::size_t used = 0;
            std::size_t made = 0;
            if (soxr_process(resampler, block.data() + consumed,
                             static_cast<std::size_t>(frames) - consumed, &used, resampled.data(),
                             resampled.size(), &made) != nullptr)
                return std::nullopt;
            consumed += used;
            sink.put(std::span(resampled.data(), made));
        }
    }
    if (sf_error(file) != SF_ERR_NO_ERROR)
        return std::nullopt;
    // The resampler's tail: what it still holds once the input has ended.
    for (std::size_t made = 1; resampler && made > 0;) {
        if (soxr_process(resampler, nullptr, 0, nullptr, resampled.data(), resampled.size(),
                         &made) != nullptr)
            return std::nullopt;
        sink.put(std::span(resampled.data(), made));
    }
    return total;
}

/// Room for the sound the conversion gives, so the result is held once rather than grown by
/// doubling; never more than the file has bytes, so a damaged header reserves nothing absurd.
static std::size_t expectedSamples(const SF_INFO &info, std::uintmax_t fileBytes)
{
    const double samples = static_cast<double>(info.frames) * BankRate / info.samplerate + 1;
    return static_cast<std::size_t>(std::clamp(samples, 0.0, static_cast<double>(fileBytes)));
}

std::optional<ConversionFault> convertRecording(const std::filesystem::path &file,
                                                ConvertedRecording &out)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return ConversionFault::Open;
    SF_INFO info{};
    const SoundFile sound(sf_open(file.c_str(), SFM_READ, &info));
    if (!sound) {
        // libsndfile tells "cannot open" from "not a sound file" only in its text.
        const bool unreadable = sf_error(nullptr) == SF_ERR_SYSTEM;
        return unreadable ? ConversionFault::Open : ConversionFault::Unknown;
    }
    if (info.channels <= 0 || info.samplerate <= 0)
        return ConversionFault::Unknown;
    Resampler resampler;
    if (info.samplerate != static_cast<int>(BankRate)) {
        const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t created = nullptr;
        resampler.reset(
            soxr_create(info.samplerate, BankRate, 1, &created, &io, &quality, nullptr));
        if (created != nullptr)
            return ConversionFault::Memory;
    }
    ConvertedRecording converted;
    converted.source = describe(info);
    SampleSink sink(converted);
    std::optional<sf_count_t> frames;
    try {
        const std::uintmax_t fileBytes = std::filesystem::file_size(file, error);
        converted.samples.reserve(expectedSamples(info, error ? 0 : fileBytes));
        frames = decodeAll(sound.get(), info, resampler.get(), sink);
    } catch (const std::bad_alloc &) {
        return ConversionFault::Memory;
    }
    if (!frames)
        return ConversionFault::Damaged;
    const sf_count_t slack = isLossy(info) ? LossyFrameSlack : 0;
    if (*frames + slack < info.frames)
        return ConversionFault::Truncated;
    if (converted.samples.empty())
        return ConversionFault::Empty;
    out = std::move(converted);
    return std::nullopt;
}

} // namespace vorela
