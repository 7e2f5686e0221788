// The sound card through Qt Multimedia: one QAudioSink per playback, one QAudioSource per
// recording, completion delivered as queued calls on the GUI thread.
#pragma once

#include "platform/AudioDevice.h"

#include <QAudioDevice>
#include <QBuffer>
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class QAudioSink;
class QAudioSource;
class QIODevice;
class QTimer;

namespace vorela {

class QtAudioDevice : public QObject, public AudioDevice {
    Q_OBJECT
public:
    explicit QtAudioDevice(QObject *parent = nullptr);
    ~QtAudioDevice() override;

    [[nodiscard]] bool canPlay(const AudioFormat &format) const override;
    [[nodiscard]] bool canRecord() const override;
    [[nodiscard]] std::vector<std::string> inputNames() const override;
    [[nodiscard]] std::string inputName() const override;
    void chooseInput(std::string name) override { chosenInput = std::move(name); }
    [[nodiscard]] AudioStart play(std::span<const std::int16_t> samples, const AudioFormat &format,
                                  PlaybackDone done) override;
    [[nodiscard]] std::size_t playedSamples() const override;
    [[nodiscard]] AudioStart record(std::size_t maxSamples, RecordingDone done) override;
    [[nodiscard]] std::span<const std::int16_t> recordedSoFar() const override;
    [[nodiscard]] bool isPlaying() const override { return playDone != nullptr; }
    [[nodiscard]] bool isRecording() const override { return recordDone != nullptr; }
    void stop() override;
    void abandon() override;

private:
    void sinkStateChanged();
    void readCaptured();
    /// Ends the block once the server reports its last sample played.
    void checkPlayedOut();
    void finishPlayback();
    /// Ends the current block after delayMs unless it has ended by then.
    void finishPlaybackLater(int delayMs);
    void finishRecording();
    void stopSink();
    void stopSource();
    /// The input a recording uses; null when the chosen one is absent or none exists.
    [[nodiscard]] QAudioDevice inputDevice() const;

    std::unique_ptr<QAudioSink> sink;
    QByteArray playBytes;
    QBuffer playBuffer;
    int playRate = 8000;
    int playChannels = 1;
    PlaybackDone playDone;
    bool playFinishing = false;
    QElapsedTimer playClock; // from the request: bounds the wait for the block's end
    QTimer *playedOutTimer = nullptr;
    unsigned playGeneration = 0; // a late end-of-block timer must not end the next block

    std::string chosenInput;
    std::unique_ptr<QAudioSource> source;
    QPointer<QIODevice> sourceStream;
    std::vector<std::int16_t> captured;
    std::size_t captureLimit = 0;
    RecordingDone recordDone;
    bool recordFinishing = false;
};

} // namespace vorela
