// The sound editor window "Проигрыватель": shows, plays, records, edits and saves one lexeme's
// sound. Decisions live in the sample arithmetic; this class maps them onto widgets.
#pragma once

#include "platform/AudioDevice.h"
#include "soundeditor/EditBuffer.h"
#include "soundeditor/EditorRules.h"
#include "soundeditor/SampleMath.h"
#include "soundeditor/StatusText.h"
#include "soundeditor/window/SoundEditorContext.h"

#include <QDialog>

#include <cstdint>
#include <filesystem>
#include <string>

class QAction;
class QFrame;
class QLabel;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;

namespace vorela {

class GainButton;
class RulerView;
class SelectionSlider;
class SoundBank;
class UiServices;
class WaveformView;

class Form2 : public QDialog {
    Q_OBJECT
public:
    Form2(const SoundEditorContext &context, QWidget *parent = nullptr);
    ~Form2() override;

    void SetNewEmpty(bool value) { newEmpty = value; }
    void SetNewFromFile(bool value) { newFromFile = value; }
    void SetWindowTitle(std::string value) { windowCaption = std::move(value); }
    void SetSourceIsFile(bool value) { sourceIsFile = value; }
    void SetSourcePath(std::filesystem::path value) { sourcePath = std::move(value); }
    void SetChunkId(std::string value) { chunkId = std::move(value); }
    void SetFullControls(bool value) { fullControls = value; }
    void SetImportPending(bool value) { importPending = value; }
    [[nodiscard]] bool IsImportPending() const { return importPending; }
    [[nodiscard]] bool WasSavedAsNew() const { return savedAsNew; }

    /// Loads the sound and lays the window out; false when the load failed (its message was
    /// shown) and the window must not be shown. Once shown, the next turn of the event loop
    /// starts the playback.
    [[nodiscard]] bool prepare();

    /// The sound as it stands, for the opener and tests.
    [[nodiscard]] std::span<const std::int16_t> samples() const { return editBuffer.samples(); }
    [[nodiscard]] Selection selection() const { return {markerX, selectionEndX}; }
    [[nodiscard]] bool isIdle() const { return idle; }
    [[nodiscard]] bool isModified() const { return modified; }
    [[nodiscard]] bool isEditable() const { return editable; }
    [[nodiscard]] int waveformWidth() const { return viewWidth; }

public slots:
    void startPlayback();
    void startRecording();
    void stopAudio();
    void cutSelection();
    void cropSelection();
    void undoOrRedo();
    void saveSound();
    /// Timer handlers, public so that tests can drive them with the virtual device's clock.
    void playTick();
    void recordTick();
    void markerTick();
    void gainTick();
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWidgets();
    void buildToolbar();
    void buildControls(QWidget *row);
    void applyLayout();
    [[nodiscard]] bool loadSound();
    void startAutoPlayback();

    [[nodiscard]] std::uint32_t soundSize() const { return editBuffer.soundSize(); }
    [[nodiscard]] EditorFlags flags() const;
    [[nodiscard]] bool writeSound();
    void redrawSound();
    void showStatus(const StatusPanes &panes);
    void showStartText(bool zeroStart);
    void showSelectionText();
    void setPane(int pane, const std::string &text);
    void warn(const std::string &caption, const std::string &text);

    void setMarkerDrawn(bool drawn);
    void restartMarkerBlink();
    void updateHighlight();
    void setSliderSelection(int from, int to);
    void enableEditing(bool enable);
    void showUndoPicture();
    void leaveIdle();
    void returnToIdle();
    void returnToIdleAfterPlayback();
    void selectionEdited();
    void playbackEnded();
    void recordingEnded(std::vector<std::int16_t> recorded);
    void closeGainAdjustment();
    void applyGainStep(int direction);
    void gainPressed(int direction);
    void gainPointerInside(int direction, bool inside);
    void gainReleased();
    void waveformPressed(int x);
    void waveformDragged(int x);
    void closeWithoutQuestion();

    SoundBank &bank;
    UiServices &ui;
    AudioDevice &audio;
    DataDirectory dataDirectory;

    // Mode inputs and results.
    bool newEmpty = false;
    bool newFromFile = false;
    std::string windowCaption; // the design's windowTitle, which QWidget already names
    bool sourceIsFile = false;
    std::filesystem::path sourcePath;
    std::string chunkId;
    bool fullControls = false;
    bool importPending = false;
    bool savedAsNew = false;

    // Sound, view and selection.
    EditBuffer editBuffer;
    AudioFormat waveFormat;
    int viewWidth = 0;
    int viewHeight = 0;
    int markerX = 0;
    int selectionEndX = NoSelectionEnd;
    ByteRange range;
    int playStartX = 0;
    int cursorX = NoCursor;
    int gainStep = 0;
    Selection recordingSelection;

    // Flags.
    bool idle = true;
    bool editable = true;
    bool hasSelection = false;
    bool modified = false;
    bool savedOnce = false;
    bool audioStarted = false;
    bool markerHidden = true;
    bool markerBlink = false;
    bool playToEnd = false;
    bool autoPlayDone = false;
    bool dragging = false;
    bool closePending = false;
    bool closeDecided = false;

    // Widgets, named as their objectNames.
    WaveformView *label_2 = nullptr;
    RulerView *label_3 = nullptr;
    QFrame *frameLabel = nullptr;
    QTimer *playTimer = nullptr;
    QFrame *frame_1 = nullptr;
    QToolButton *pictbttn_record = nullptr;
    QToolButton *pictbttn_play = nullptr;
    QToolButton *pictbttn_stop = nullptr;
    QFrame *frame_2 = nullptr;
    QTimer *markerTimer = nullptr;
    SelectionSlider *slider_1 = nullptr;
    GainButton *label_up = nullptr;
    QTimer *recordTimer = nullptr;
    QLabel *label_pointer = nullptr;
    GainButton *label_dn = nullptr;
    QTimer *gainTimer = nullptr;
    QToolBar *toolb_2 = nullptr;
    QAction *cutAction = nullptr;
    QAction *cropAction = nullptr;
    QAction *undoAction = nullptr;
    QAction *saveAction = nullptr;
    QStatusBar *statusBar = nullptr;
    QLabel *panes[3] = {};
    QWidget *controlsRow = nullptr;
};

} // namespace vorela
