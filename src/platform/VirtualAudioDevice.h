// Audio device for tests: plays and records on a clock the test moves, so every playback and
// recording ends exactly when the test says, and a recording grows by each step of the clock.
// Reports the played blocks for checking.
#pragma once

#include "platform/AudioDevice.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorela {

class VirtualAudioDevice : public AudioDevice {
public:
    /// Sample n of a recording is microphone(n); silence when none is set.
    using Microphone = std::function<std::int16_t(std::size_t n)>;

    void setOutputAvailable(bool available) { outputAvailable = available; }
    void setInputAvailable(bool available) { inputAvailable = available; }
    /// The inputs present (one, "Test microphone", until set); the first is the default.
    void setInputs(std::vector<std::string> names) { inputs = std::move(names); }
    /// The next play() (or record()) returns result instead of starting.
    void failNextPlay(AudioStart result) { playFailure = result; }
    void failNextRecord(AudioStart result) { recordFailure = result; }
    void setMicrophone(Microphone source) { microphone = std::move(source); }

    /// Moves the clock by ms milliseconds and runs the callbacks that became due, in order.
    /// advance(0) delivers what stop() left pending.
    void advance(int ms);

    /// Every block play() accepted, as copies, oldest first.
    [[nodiscard]] const std::vector<std::vector<std::int16_t>> &playedBlocks() const
    {
        return blocks;
    }

    [[nodiscard]] bool canPlay(const AudioFormat &format) const override;
    [[nodiscard]] bool canRecord() const override;
    [[nodiscard]] std::vector<std::string> inputNames() const override;
    [[nodiscard]] std::string inputName() const override;
    void chooseInput(std::string name) override { chosenInput = std::move(name); }
    [[nodiscard]] AudioStart play(std::span<const std::int16_t> samples, const AudioFormat &format,
                                  PlaybackDone done) override;
    [[nodiscard]] std::size_t playedSamples() const override { return playing ? playPosition : 0; }
    [[nodiscard]] AudioStart record(std::size_t maxSamples, RecordingDone done) override;
    [[nodiscard]] std::span<const std::int16_t> recordedSoFar() const override;
    [[nodiscard]] bool isPlaying() const override { return playing; }
    [[nodiscard]] bool isRecording() const override { return recording; }
    void stop() override;
    void abandon() override;

private:
    void finishPlayback();
    void finishRecording();

    bool outputAvailable = true;
    bool inputAvailable = true;
    std::vector<std::string> inputs{"Test microphone"};
    std::string chosenInput;
    std::optional<AudioStart> playFailure;
    std::optional<AudioStart> recordFailure;
    Microphone microphone;
    std::vector<std::vector<std::int16_t>> blocks;

    bool playing = false;
    bool playStopped = false;
    std::size_t playLength = 0;
    std::size_t playPosition = 0;
    int playRate = 8000;
    std::int64_t playMicros = 0;
    PlaybackDone playDone;

    bool recording = false;
    bool recordStopped = false;
    std::size_t recordCapacity = 0;
    std::int64_t recordMicros = 0;
    std::vector<std::int16_t> captured;
    RecordingDone recordDone;
};

} // namespace vorela
