// The sound card as the editor and the player see it: one block played, one buffer recorded and
// shown as it arrives, 16-bit mono samples, completion reported back on the GUI thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace vorela {

/// Sample layout of a block; samples are always signed 16-bit little-endian.
struct AudioFormat {
    int sampleRate = 8000;
    int channels = 1;
};

/// Why a playback or a recording did not start.
enum class AudioStart {
    Started,
    NoDevice, ///< no sound card, no sound server, or the format is not supported
    Busy,     ///< the device exists but could not be opened
    Failed,   ///< the device opened but refused the block
};

class AudioDevice {
public:
    /// Called once when a playback ends: at the end of its block or after stop().
    using PlaybackDone = std::function<void()>;
    /// Called once when a recording ends (stop(), or the buffer is full) with the captured samples.
    using RecordingDone = std::function<void(std::vector<std::int16_t> samples)>;

    virtual ~AudioDevice() = default;

    /// True when some output device can play format ("no sound card" otherwise).
    [[nodiscard]] virtual bool canPlay(const AudioFormat &format) const = 0;
    /// True when the input a recording would use exists and can record 8000 Hz mono.
    [[nodiscard]] virtual bool canRecord() const = 0;

    /// The input devices present, by their descriptions; empty without a sound server.
    [[nodiscard]] virtual std::vector<std::string> inputNames() const = 0;
    /// The input a recording uses: the chosen one, present or not, else the system's default;
    /// empty when nothing was chosen and the system has no input.
    [[nodiscard]] virtual std::string inputName() const = 0;
    /// Records from the input named name from the next recording on; the empty name follows the
    /// system's default.
    virtual void chooseInput(std::string name) = 0;

    /// Starts playing samples as one block. The samples must stay alive and unchanged until done
    /// runs or abandon() returns. done runs later on the GUI thread, never inside play(); anything
    /// but Started means nothing runs and done is never called.
    [[nodiscard]] virtual AudioStart play(std::span<const std::int16_t> samples,
                                          const AudioFormat &format, PlaybackDone done) = 0;
    /// Samples of the running block played so far (frames for stereo); 0 when nothing plays.
    [[nodiscard]] virtual std::size_t playedSamples() const = 0;

    /// Starts recording 8000 Hz mono into a buffer of maxSamples; the device stops by itself when
    /// it is full. done runs later on the GUI thread; anything but Started means it never runs.
    [[nodiscard]] virtual AudioStart record(std::size_t maxSamples, RecordingDone done) = 0;
    /// The samples the running recording has captured so far, growing as blocks arrive; empty
    /// when none runs. Valid until the next call into the device or the next turn of the event
    /// loop.
    [[nodiscard]] virtual std::span<const std::int16_t> recordedSoFar() const = 0;
    /// How many samples the running recording has captured; 0 when none runs.
    [[nodiscard]] std::size_t recordedSamples() const { return recordedSoFar().size(); }

    [[nodiscard]] virtual bool isPlaying() const = 0;
    [[nodiscard]] virtual bool isRecording() const = 0;

    /// Ends the running playback and recording; their done callbacks follow on the GUI thread.
    virtual void stop() = 0;
    /// Ends both without calling their callbacks: for an owner that is going away.
    virtual void abandon() = 0;
};

} // namespace vorela
