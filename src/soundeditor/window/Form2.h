// The sound editor window "Проигрыватель": shows, plays, records, edits and saves one lexeme's
// sound. Decisions live in the sample arithmetic; this class maps them onto widgets.
#pragma once

#include "audio/SampleMath.h"
#include "platform/AudioDevice.h"
#include "soundeditor/EditBuffer.h"
#include "soundeditor/EditorRules.h"
#include "soundeditor/StatusText.h"
#include "soundeditor/WaveformZoom.h"
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
class RecordingPanel;
class RulerView;
class SelectionSlider;
class RegistryStore;
class SoundBank;
class UiServices;
class WaveformView;

class Form2 : public QDialog {
    Q_OBJECT
public:
    Form2(const SoundEditorContext &context, QWidget *parent = nullptr);
    ~Form2() override;

    void SetNewEmpty(bool value) { inputs.newEmpty = value; }
    void SetNewFromFile(bool value) { inputs.newFromFile = value; }
    void SetWindowTitle(std::string value) { inputs.windowTitle = std::move(value); }
    void SetSourceIsFile(bool value) { inputs.sourceIsFile = value; }
    void SetSourcePath(std::filesystem::path value) { sourcePath = std::move(value); }
    void SetChunkId(std::string value) { chunkId = std::move(value); }
    void SetFullControls(bool value) { inputs.fullControls = value; }
    void SetImportPending(bool value) { state.importPending = value; }
    [[nodiscard]] bool IsImportPending() const { return state.importPending; }
    [[nodiscard]] bool WasSavedAsNew() const { return state.savedAsNew; }

    /// Loads the sound and lays the window out; false when the load failed (its message was
    /// shown) and the window must not be shown. Once shown, the next turn of the event loop
    /// starts the playback.
    [[nodiscard]] bool prepare();

    /// The sound as it stands, for the opener and tests.
    [[nodiscard]] std::span<const std::int16_t> samples() const { return editBuffer.samples(); }
    [[nodiscard]] Selection selection() const { return {markerX, selectionEndX}; }
    [[nodiscard]] bool isIdle() const { return state.idle(); }
    [[nodiscard]] bool isModified() const { return state.modified; }
    [[nodiscard]] bool isEditable() const { return state.editable; }
    /// Screen columns of the waveform.
    [[nodiscard]] int waveformWidth() const { return zoomView.columns(); }
    /// The width selection() is measured in, the same at every zoom.
    [[nodiscard]] int selectionWidth() const { return viewWidth; }
    [[nodiscard]] const WaveformZoom &zoom() const { return zoomView; }

public slots:
    void startPlayback();
    void startRecording();
    void stopAudio();
    void cutSelection();
    void cropSelection();
    void undoEdit();
    void redoEdit();
    /// Cuts the silence before and after the speech, keeping a short margin.
    void trimSilence();
    /// Brings the sound to the loudness of the whole library.
    void levelLoudness();
    void zoomIn();
    void zoomOut();
    /// Shows the whole sound again.
    void zoomToFit();
    void saveSound();
    /// Space: stops what runs, otherwise plays; it never records.
    void playOrStop();
    void selectAll();
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
    void buildKeys();
    void buildRecordingPanel(const SoundEditorContext &context);
    void applyLayout();
    [[nodiscard]] bool loadSound();
    [[nodiscard]] bool bankLacksSound() const;
    void startAutoPlayback();

    [[nodiscard]] std::uint32_t soundSize() const { return editBuffer.soundSize(); }
    [[nodiscard]] SoundFacts soundFacts() const;
    /// The one place that enables the controls, from the state and the sound.
    void applyControls();
    void setActivity(EditorActivity activity);
    [[nodiscard]] bool writeSound();
    void redrawSound();
    void showStatus(const StatusPanes &panes);
    /// A note in passing on its own line under the panes, for milliseconds.
    void showNote(const std::string &text, int milliseconds);
    /// The size the operator left the window at, when it is larger than the least one.
    void restoreSize();
    void keepSize();
    /// The waveform took a new width: the view shows the whole sound again at that width.
    void waveformResized();
    void showStartText(bool zeroStart);
    void showSelectionText();
    void setPane(int pane, const std::string &text);
    void warn(const std::string &caption, const std::string &text);

    void setMarkerDrawn(bool drawn);
    void restartMarkerBlink();
    void updateHighlight();
    void setSliderSelection(int from, int to);
    /// Shows the sound after an undo, a redo or a whole-sound command, with this selection.
    void showRestored(const Selection &shown);
    /// True, after telling the operator, when the sound is the greeting phrase, whose
    /// certificate any change of its samples breaks.
    [[nodiscard]] bool refusesGreetingChange(const std::string &caption);
    [[nodiscard]] int shownColumn(int pixel) const { return zoomView.columnOf(pixel); }
    [[nodiscard]] int keyZoomPixel() const;
    void zoomBy(int notches, int column);
    void scrollView(int notches);
    void showViewChange();
    void followPlayback(int pixel);
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
    RegistryStore *settings = nullptr;

    // What the opener set, all off until it does; the caption is kept apart from QWidget's own
    // windowTitle().
    EditorModeInputs inputs{.fullControls = false, .windowTitle = {}};
    std::filesystem::path sourcePath;
    std::string chunkId;
    EditorState state;

    // Sound, view and selection.
    EditBuffer editBuffer;
    AudioFormat waveFormat;
    WaveformZoom zoomView;
    int viewWidth = 0; ///< the zoom's selection width: every pixel position is measured in it
    int viewHeight = 0;
    int markerX = 0;
    int selectionEndX = NoSelectionEnd;
    ByteRange range;
    int playStartX = 0;
    int cursorX = NoCursor;
    int gainStep = 0;
    Selection recordingSelection;

    // The window's own drawing and closing steps, which enable nothing.
    enum class Closing { Open, AfterStop, Decided };
    Closing closing = Closing::Open;
    bool markerHidden = true;
    bool markerBlink = false;
    bool playToEnd = false;
    bool autoPlayDone = false;
    bool dragging = false;

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
    QAction *redoAction = nullptr;
    QAction *trimAction = nullptr;
    QAction *levelAction = nullptr;
    QAction *zoomInAction = nullptr;
    QAction *zoomOutAction = nullptr;
    QAction *fitAction = nullptr;
    QAction *saveAction = nullptr;
    QAction *playOrStopKey = nullptr;
    QAction *recordKey = nullptr;
    QAction *selectAllKey = nullptr;
    QStatusBar *statusBar = nullptr;
    QLabel *panes[3] = {};
    QLabel *label_note = nullptr;
    QTimer *noteTimer = nullptr;
    QWidget *controlsRow = nullptr;
    RecordingPanel *recordingPanel = nullptr;
};

} // namespace vorela
