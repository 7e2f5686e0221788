// The window that records, one after another, every lexeme of a folder that has no sound yet:
// the word shown large, recorded, trimmed, levelled, played back and saved under its own chunk.
#pragma once

#include "soundeditor/window/SoundEditorContext.h"
#include "trees/MissingSounds.h"

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace vorela {

class LexItem;
class RecordingPanel;
class WaveformView;

class GuidedRecording : public QDialog {
    Q_OBJECT
public:
    /// Walks lexemes in their order; the context must outlive the window.
    GuidedRecording(const SoundEditorContext &context, std::vector<MissingSound> lexemes,
                    QWidget *parent = nullptr);
    ~GuidedRecording() override;

    /// Records the lexemes below node that the bank lacks, in one modal window; tells the
    /// operator instead when there is none or the bank cannot be read.
    static void run(const SoundEditorContext &context, const LexItem &node, QWidget *parent);

    /// The take waiting to be saved, for tests.
    [[nodiscard]] const std::vector<std::int16_t> &take() const { return pendingTake; }
    [[nodiscard]] bool isIdle() const { return activity == Activity::Idle; }

public slots:
    /// R and "Записать": records the current word; with a take waiting it records anew.
    void startRecording();
    void playTake();
    /// Space: stops what runs, otherwise plays the take again.
    void stopOrPlay();
    /// Enter and "Сохранить": stores the take and moves on; a failed save stays on the word.
    void saveTake();
    void recordAgain();
    void skipWord();
    /// "Закончить", Escape and the close button: asks first when a take is not saved.
    void finish();
    void recordTick();
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    enum class Activity { Idle, Recording, Playing };

    void buildWidgets();
    void buildKeys();
    [[nodiscard]] QPushButton *addButton(const char *text, const char *name);
    void applyControls();
    void showWord();
    void showTake();
    void setHint(const std::string &text);
    void warn(const std::string &text);
    [[nodiscard]] bool hasWord() const { return position < lexemes.size(); }
    [[nodiscard]] const MissingSound &word() const { return lexemes[position]; }
    void recordingEnded(std::vector<std::int16_t> recorded);
    void playbackEnded();
    /// Ends a running playback without waiting for its callback.
    void dropPlayback();
    void discardTake();
    [[nodiscard]] bool storeTake();
    void nextWord();
    void closeNow();

    SoundEditorContext context;
    std::vector<MissingSound> lexemes;
    std::size_t position = 0;
    std::vector<std::int16_t> pendingTake;
    Activity activity = Activity::Idle;
    bool finishAfterAudio = false;
    bool closingDecided = false;
    int savedCount = 0;
    int skippedCount = 0;

    // Widgets, named as their objectNames.
    QLabel *label_progress = nullptr;
    QLabel *label_text = nullptr;
    WaveformView *label_wave = nullptr;
    RecordingPanel *recordingPanel = nullptr;
    QLabel *label_state = nullptr;
    QCheckBox *cb_level = nullptr;
    QPushButton *btn_record = nullptr;
    QPushButton *btn_stop = nullptr;
    QPushButton *btn_play = nullptr;
    QPushButton *btn_save = nullptr;
    QPushButton *btn_redo = nullptr;
    QPushButton *btn_skip = nullptr;
    QPushButton *btn_finish = nullptr;
    QTimer *recordTimer = nullptr;
};

} // namespace vorela
