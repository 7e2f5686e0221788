// Audio device for tests, moved by advance(): a block plays at its sample rate, a recording
// captures 8000 samples per second from the test's microphone.
#include "platform/VirtualAudioDevice.h"

#include <algorithm>
#include <utility>

namespace vorela {

static constexpr std::int64_t RecordRate = 8000;

static std::size_t samplesAt(std::int64_t micros, std::int64_t rate)
{
    return static_cast<std::size_t>(micros * rate / 1000000);
}

bool VirtualAudioDevice::canPlay(const AudioFormat &format) const
{
    return outputAvailable && format.sampleRate > 0 &&
           (format.channels == 1 || format.channels == 2);
}

AudioStart VirtualAudioDevice::play(std::span<const std::int16_t> samples,
                                    const AudioFormat &format, PlaybackDone done)
{
    if (playing)
        return AudioStart::Busy;
    if (!canPlay(format))
        return AudioStart::NoDevice;
    if (playFailure) {
        const AudioStart result = *playFailure;
        playFailure.reset();
        return result;
    }
    blocks.emplace_back(samples.begin(), samples.end());
    playing = true;
    playStopped = false;
    playLength = samples.size() / static_cast<std::size_t>(format.channels);
    playPosition = 0;
    playRate = format.sampleRate;
    playMicros = 0;
    playDone = std::move(done);
    return AudioStart::Started;
}

bool VirtualAudioDevice::canRecord() const
{
    const std::vector<std::string> present = inputNames();
    return std::find(present.begin(), present.end(), inputName()) != present.end();
}

std::vector<std::string> VirtualAudioDevice::inputNames() const
{
    return inputAvailable ? inputs : std::vector<std::string>();
}

std::string VirtualAudioDevice::inputName() const
{
    if (!chosenInput.empty())
        return chosenInput;
    const std::vector<std::string> present = inputNames();
    return present.empty() ? std::string() : present.front();
}

AudioStart VirtualAudioDevice::record(std::size_t maxSamples, RecordingDone done)
{
    if (recording)
        return AudioStart::Busy;
    if (!canRecord())
        return AudioStart::NoDevice;
    if (recordFailure) {
        const AudioStart result = *recordFailure;
        recordFailure.reset();
        return result;
    }
    recording = true;
    recordStopped = false;
    recordCapacity = maxSamples;
    recordMicros = 0;
    captured.clear();
    recordDone = std::move(done);
    return AudioStart::Started;
}

std::span<const std::int16_t> VirtualAudioDevice::recordedSoFar() const
{
    if (!recording)
        return {};
    return captured;
}

void VirtualAudioDevice::advance(int ms)
{
    if (playing && !playStopped) {
        playMicros += std::int64_t{ms} * 1000;
        playPosition = std::min(playLength, samplesAt(playMicros, playRate));
        if (playPosition == playLength)
            playStopped = true;
    }
    if (recording && !recordStopped) {
        recordMicros += std::int64_t{ms} * 1000;
        const std::size_t target = std::min(recordCapacity, samplesAt(recordMicros, RecordRate));
        while (captured.size() < target)
            captured.push_back(microphone ? microphone(captured.size()) : std::int16_t{0});
        if (captured.size() == recordCapacity)
            recordStopped = true;
    }
    if (playing && playStopped)
        finishPlayback();
    if (recording && recordStopped)
        finishRecording();
}

void VirtualAudioDevice::stop()
{
    playStopped = playing;
    recordStopped = recording;
}

void VirtualAudioDevice::abandon()
{
    playing = false;
    recording = false;
    playDone = nullptr;
    recordDone = nullptr;
}

void VirtualAudioDevice::finishPlayback()
{
    playing = false;
    PlaybackDone done = std::move(playDone);
    playDone = nullptr;
    if (done)
        done();
}

void VirtualAudioDevice::finishRecording()
{
    recording = false;
    RecordingDone done = std::move(recordDone);
    recordDone = nullptr;
    if (done)
        done(std::move(captured));
    captured.clear();
}

} // namespace vorela
