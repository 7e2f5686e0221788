// The template player: speaks a key sequence through the sound card as one stream, as the
// subscriber hears it, showing in bold the tree item being spoken. It has no window of its own.
#pragma once

#include "audio/PhoneLine.h"
#include "platform/DataDirectory.h"
#include "soundbank/KeySequenceRender.h"
#include "soundbank/LexemeReader.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QTimer;
class QTreeWidget;

namespace vorela {

class AudioDevice;
class UiServices;

class Form3 : public QObject {
    Q_OBJECT

public:
    /// caption titles the player's messages. By default the greeting phrase is checked against
    /// the data directory's trusted keys.
    Form3(AudioDevice &audio, UiServices &ui, DataDirectory dataDirectory, std::string caption,
          QObject *parent = nullptr);
    ~Form3() override;
    Form3(const Form3 &) = delete;
    Form3 &operator=(const Form3 &) = delete;

    void setGreetingCheck(GreetingCheck check) { greetingCheck = std::move(check); }
    /// From the next start on, the sound goes through the telephone line with coding; none plays
    /// it as recorded.
    void setLineCoding(std::optional<LineCoding> coding) { lineCoding = coding; }

    /// Speaks keys from the bank, marking the items of markerTree that its markers name; with
    /// checkBankFormat the bank must be in the bank format. A lexeme that cannot be read stops
    /// the sequence before anything plays. false (and nothing done) while a playback runs.
    /// finished() follows when the sequence ends, possibly before this returns.
    bool start(const std::vector<std::string> &keys, QTreeWidget *markerTree, bool checkBankFormat);
    /// Stops at once; finished() follows on the GUI thread.
    void stop();
    [[nodiscard]] bool isPlaying() const { return playing; }

    /// Bolds the item being spoken at the device's play position, and only that one; the
    /// marker timer calls it while the sequence plays.
    void showSpokenItem();

signals:
    /// The sequence ended: spoken, stopped, or ended by an error (after its message).
    void finished();

private:
    [[nodiscard]] bool playSpeech();
    void showReadError(LexemeReadError error);
    void showVerifyRefusal();
    void warn(const std::string &caption, const std::string &text);
    void markItem(std::uint64_t handle);
    void clearMarks();
    void finish();

    AudioDevice &audio;
    UiServices &ui;
    DataDirectory directory;
    std::string playerCaption;
    GreetingCheck greetingCheck;
    std::optional<LineCoding> lineCoding;

    QTimer *markerTimer = nullptr;
    QPointer<QTreeWidget> markerTree;
    std::optional<std::uint64_t> itemHandle; // the item shown in bold
    RenderedSpeech speech;                   // alive while the device plays it
    bool playing = false;
};

} // namespace vorela
