// Qt Multimedia audio. Without a sound server Qt lists no devices: that is "no sound card".
#include "platform/qt/QtAudioDevice.h"

#include "platform/qt/QtText.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QAudioSource>
#include <QMediaDevices>
#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace vorela {

/// How often a block's end is looked for once the server has taken all of it.
static constexpr int PlayedOutPollMs = 10;
/// Beyond the block's length: should the server never report it played, the block still ends.
static constexpr qint64 PlayedOutLimitMs = 2000;
/// Recorded sound is handed over in blocks of 40 ms (320 samples): without a size the server
/// may gather up to two seconds before the first block, and the window would show nothing.
static constexpr qsizetype RecordBlockBytes = 640;

static QAudioFormat qtFormat(int sampleRate, int channels)
{
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

QtAudioDevice::QtAudioDevice(QObject *parent) : QObject(parent), playedOutTimer(new QTimer(this))
{
    playedOutTimer->setInterval(PlayedOutPollMs);
    connect(playedOutTimer, &QTimer::timeout, this, &QtAudioDevice::checkPlayedOut);
}

QtAudioDevice::~QtAudioDevice()
{
    abandon();
}

bool QtAudioDevice::canPlay(const AudioFormat &format) const
{
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    return !output.isNull() &&
           output.isFormatSupported(qtFormat(format.sampleRate, format.channels));
}

QAudioDevice QtAudioDevice::inputDevice() const
{
    if (chosenInput.empty())
        return QMediaDevices::defaultAudioInput();
    const QString wanted = toQString(chosenInput);
    for (const QAudioDevice &input : QMediaDevices::audioInputs()) {
        if (input.description() == wanted)
            return input;
    }
    return {};
}

bool QtAudioDevice::canRecord() const
{
    const QAudioDevice input = inputDevice();
    return !input.isNull() && input.isFormatSupported(qtFormat(8000, 1));
}

std::vector<std::string> QtAudioDevice::inputNames() const
{
    std::vector<std::string> names;
    for (const QAudioDevice &input : QMediaDevices::audioInputs())
        names.push_back(toUtf8(input.description()));
    return names;
}

std::string QtAudioDevice::inputName() const
{
    if (!chosenInput.empty())
        return chosenInput;
    return toUtf8(QMediaDevices::defaultAudioInput().description());
}

AudioStart QtAudioDevice::play(std::span<const std::int16_t> samples, const AudioFormat &format,
                               PlaybackDone done)
{
    if (playDone)
        return AudioStart::Busy;
    if (!canPlay(format))
        return AudioStart::NoDevice;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    sink = std::make_unique<QAudioSink>(output, qtFormat(format.sampleRate, format.channels));
    // The caller keeps the samples alive until done: no copy of the block.
    playBytes = QByteArray::fromRawData(reinterpret_cast<const char *>(samples.data()),
                                        qsizetype(samples.size_bytes()));
    playBuffer.setData(playBytes);
    if (!playBuffer.open(QIODevice::ReadOnly)) {
        stopSink();
        return AudioStart::Failed;
    }
    playRate = format.sampleRate;
    playChannels = format.channels;
    playDone = std::move(done);
    playFinishing = false;
    playClock.start();
    connect(sink.get(), &QAudioSink::stateChanged, this, &QtAudioDevice::sinkStateChanged);
    sink->start(&playBuffer);
    if (sink->error() != QAudio::NoError) {
        const bool busy = sink->error() == QAudio::OpenError;
        playDone = nullptr;
        ++playGeneration;
        stopSink();
        return busy ? AudioStart::Busy : AudioStart::Failed;
    }
    return AudioStart::Started;
}

std::size_t QtAudioDevice::playedSamples() const
{
    if (!sink || !playDone)
        return 0;
    const qint64 micros = sink->processedUSecs();
    const std::size_t total = std::size_t(playBytes.size()) / 2 / std::size_t(playChannels);
    return std::min(total, std::size_t(micros * playRate / 1000000));
}

void QtAudioDevice::sinkStateChanged()
{
    if (!sink || !playDone || playFinishing)
        return;
    const QAudio::State state = sink->state();
    if (state == QAudio::StoppedState) { // stop() or a device error
        playFinishing = true;
        finishPlaybackLater(0);
        return;
    }
    // Idle before the end of the block is a late feed, not the end.
    if (state != QAudio::IdleState || !playBuffer.atEnd())
        return;
    // The server has taken the whole block but still plays its tail: closing the stream now
    // would cut the last word short. It ends when the server reports the block played.
    playFinishing = true;
    playedOutTimer->start();
    checkPlayedOut();
}

void QtAudioDevice::checkPlayedOut()
{
    if (!sink || !playDone) {
        playedOutTimer->stop();
        return;
    }
    const qint64 blockUSecs = qint64(playBytes.size()) / 2 / playChannels * 1000000 / playRate;
    const bool played = sink->processedUSecs() >= blockUSecs;
    if (!played && playClock.elapsed() < blockUSecs / 1000 + PlayedOutLimitMs)
        return;
    playedOutTimer->stop();
    finishPlayback();
}

void QtAudioDevice::finishPlaybackLater(int delayMs)
{
    const unsigned generation = playGeneration;
    QTimer::singleShot(delayMs, this, [this, generation] {
        if (generation == playGeneration)
            finishPlayback();
    });
}

void QtAudioDevice::finishPlayback()
{
    if (!playDone)
        return;
    ++playGeneration;
    playedOutTimer->stop();
    stopSink();
    PlaybackDone done = std::move(playDone);
    playDone = nullptr;
    done();
}

void QtAudioDevice::stopSink()
{
    if (sink) {
        sink->disconnect(this);
        sink->stop();
        sink.reset();
    }
    playBuffer.close();
    playBuffer.setData(QByteArray());
    playBytes.clear();
}

AudioStart QtAudioDevice::record(std::size_t maxSamples, RecordingDone done)
{
    if (recordDone)
        return AudioStart::Busy;
    const QAudioDevice input = inputDevice();
    if (input.isNull() || !input.isFormatSupported(qtFormat(8000, 1)))
        return AudioStart::NoDevice;
    source = std::make_unique<QAudioSource>(input, qtFormat(8000, 1));
    source->setBufferSize(RecordBlockBytes);
    sourceStream = source->start();
    if (!sourceStream || source->error() != QAudio::NoError) {
        const bool busy = source->error() == QAudio::OpenError;
        stopSource();
        return busy ? AudioStart::Busy : AudioStart::Failed;
    }
    captured.clear();
    captured.reserve(maxSamples);
    captureLimit = maxSamples;
    connect(sourceStream, &QIODevice::readyRead, this, &QtAudioDevice::readCaptured);
    recordDone = std::move(done);
    recordFinishing = false;
    return AudioStart::Started;
}

std::span<const std::int16_t> QtAudioDevice::recordedSoFar() const
{
    if (!recordDone)
        return {};
    return captured;
}

void QtAudioDevice::readCaptured()
{
    if (!sourceStream || recordFinishing)
        return;
    const QByteArray bytes = sourceStream->readAll();
    const std::size_t room = captureLimit - captured.size();
    const std::size_t count = std::min(room, std::size_t(bytes.size()) / 2);
    const std::size_t old = captured.size();
    captured.resize(old + count);
    std::memcpy(captured.data() + old, bytes.constData(), count * 2);
    if (captured.size() < captureLimit)
        return;
    recordFinishing = true;
    QMetaObject::invokeMethod(this, &QtAudioDevice::finishRecording, Qt::QueuedConnection);
}

void QtAudioDevice::finishRecording()
{
    if (!recordDone)
        return;
    stopSource();
    RecordingDone done = std::move(recordDone);
    recordDone = nullptr;
    std::vector<std::int16_t> samples = std::move(captured);
    captured.clear();
    done(std::move(samples));
}

void QtAudioDevice::stopSource()
{
    if (!source)
        return;
    if (sourceStream)
        sourceStream->disconnect(this);
    source->stop();
    source.reset();
    sourceStream = nullptr;
}

void QtAudioDevice::stop()
{
    if (recordDone && !recordFinishing) {
        readCaptured(); // keep what the server has already delivered
        if (sourceStream)
            sourceStream->disconnect(this);
        if (source)
            source->stop();
        if (!recordFinishing) {
            recordFinishing = true;
            QMetaObject::invokeMethod(this, &QtAudioDevice::finishRecording, Qt::QueuedConnection);
        }
    }
    if (playDone) {
        playFinishing = true;
        playedOutTimer->stop();
        if (sink) {
            sink->disconnect(this);
            sink->stop();
        }
        finishPlaybackLater(0);
    }
}

void QtAudioDevice::abandon()
{
    ++playGeneration;
    playedOutTimer->stop();
    playDone = nullptr;
    recordDone = nullptr;
    stopSink();
    stopSource();
    captured.clear();
}

} // namespace vorela
