// The template player: speaks a key sequence lexeme by lexeme through the sound card, showing in
// bold the tree item whose lexemes are playing. It has no window of its own.
#pragma once

#include "platform/DataDirectory.h"
#include "soundbank/LexemeReader.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

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

    /// Speaks keys from the bank, marking the items of markerTree that its markers name; with
    /// checkBankFormat the bank must be in the bank format. false (and nothing done) while a
    /// playback runs. finished() follows when the sequence ends, possibly before this returns.
    bool start(std::vector<std::string> keys, QTreeWidget *markerTree, bool checkBankFormat);
    /// Stops at once; finished() follows on the GUI thread.
    void stop();
    [[nodiscard]] bool isPlaying() const { return playing; }

    /// Keys not yet spoken.
    [[nodiscard]] const std::deque<std::string> &keySequence() const { return keys; }

signals:
    /// The sequence ended: spoken, stopped, or ended by an error (after its message).
    void finished();

private:
    void advance();
    void lexemeDone();
    [[nodiscard]] bool playLexeme(const std::string &chunkId);
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

    std::deque<std::string> keys;
    QPointer<QTreeWidget> markerTree;
    std::uint64_t itemHandle = 0;
    FormatCheck formatCheck = FormatCheck::Skip;
    std::vector<std::int16_t> currentSound; // alive while the device plays it
    bool playing = false;
    bool stopRequested = true;
};

} // namespace vorela
