// The sound editor window: its widgets, opening, saving and closing.
#include "soundeditor/window/Form2.h"

#include "platform/UiServices.h"
#include "platform/qt/QtText.h"
#include "soundbank/LexemeReader.h"
#include "soundbank/LoadMessages.h"
#include "soundbank/SoundBank.h"
#include "soundbank/WaveFormat.h"
#include "soundeditor/EditorSize.h"
#include "soundeditor/window/EditorPictures.h"
#include "soundeditor/window/GainButton.h"
#include "soundeditor/window/RecordingPanel.h"
#include "soundeditor/window/RulerView.h"
#include "soundeditor/window/SelectionSlider.h"
#include "soundeditor/window/WaveformView.h"
#include "stores/ChunkIds.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMetaObject>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vorela {

static const std::string SaveQuestion = "Вы желаете сохpанить изменения?";
static const std::string SaveFailedText = "Ошибка сохранения файла!";
static const std::string SavingSuffix = " Сохранение...";
static const std::string SliderHint = "Положение маркера и выделенный участок";
static const std::string GainUpHint =
    "Громче: выделенный участок или весь звук (удерживайте для повтора)";
static const std::string GainDownHint =
    "Тише: выделенный участок или весь звук (удерживайте для повтора)";

// The waveform frame of 330 x 80 dialog units, in pixels of the dialog font.
static constexpr int ConversionNoteMilliseconds = 15000;
static constexpr int FrameWidth = 495;
static constexpr int FrameHeight = 130;
static constexpr int RulerHeight = 20;
static constexpr int ControlsHeight = 36;

Form2::Form2(const SoundEditorContext &context, QWidget *parent)
    : QDialog(parent), bank(context.bank), ui(context.ui), audio(context.audio),
      dataDirectory(context.dataDirectory), settings(context.settings)
{
    setObjectName("Form2");
    setWindowTitle(QStringLiteral("Проигрыватель"));
    buildWidgets();
    buildRecordingPanel(context);
    buildKeys();
}

Form2::~Form2()
{
    if (!state.idle())
        audio.abandon();
}

void Form2::buildWidgets()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    toolb_2 = new QToolBar(this);
    toolb_2->setObjectName("toolb_2");
    toolb_2->setIconSize(QSize(26, 17));
    buildToolbar();
    layout->addWidget(toolb_2);

    // The waveform frame is the design's size at least and takes whatever the window grows by.
    frameLabel = new QFrame(this);
    frameLabel->setObjectName("frameLabel");
    frameLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frameLabel->setLineWidth(1);
    frameLabel->setMinimumSize(FrameWidth, FrameHeight);
    auto *frameLayout = new QVBoxLayout(frameLabel);
    frameLayout->setContentsMargins(0, 0, 0, 0); // within the border already
    frameLayout->setSpacing(0);
    label_2 = new WaveformView(frameLabel);
    label_2->setObjectName("label_2");
    label_3 = new RulerView(frameLabel);
    label_3->setObjectName("label_3");
    label_3->setFixedHeight(RulerHeight);
    frameLayout->addWidget(label_2, 1);
    frameLayout->addWidget(label_3);
    const QRect inside = frameLabel->contentsRect();
    label_2->resize(inside.width(), inside.height() - RulerHeight);
    zoomView = WaveformZoom(label_2->width());
    viewWidth = zoomView.selectionWidth();
    viewHeight = label_2->height();
    layout->addWidget(frameLabel, 1);

    frame_1 = new QFrame(this);
    frame_1->setObjectName("frame_1");
    frame_1->setFrameShape(QFrame::HLine);
    frame_1->setFrameShadow(QFrame::Sunken);
    layout->addWidget(frame_1);

    controlsRow = new QWidget(this);
    controlsRow->setFixedHeight(ControlsHeight);
    buildControls(controlsRow);
    layout->addWidget(controlsRow);

    frame_2 = new QFrame(this);
    frame_2->setObjectName("frame_2");
    frame_2->setFrameShape(QFrame::HLine);
    frame_2->setFrameShadow(QFrame::Sunken);
    layout->addWidget(frame_2);

    statusBar = new QStatusBar(this);
    statusBar->setObjectName("statusBar");
    statusBar->setSizeGripEnabled(true);
    const int paneWidths[3] = {220, 180, 0};
    for (int pane = 0; pane < 3; ++pane) {
        panes[pane] = new QLabel(statusBar);
        panes[pane]->setObjectName(QStringLiteral("pane_%1").arg(pane));
        if (paneWidths[pane] > 0)
            panes[pane]->setFixedWidth(paneWidths[pane]);
        statusBar->addWidget(panes[pane], paneWidths[pane] > 0 ? 0 : 1);
    }
    layout->addWidget(statusBar);
    // Notes in passing get their own line: the panes above keep showing the position.
    label_note = new QLabel(this);
    label_note->setObjectName("label_note");
    label_note->setContentsMargins(4, 0, 4, 2);
    label_note->hide();
    layout->addWidget(label_note);

    const auto makeTimer = [this](const char *name) {
        auto *timer = new QTimer(this);
        timer->setObjectName(name);
        return timer;
    };
    playTimer = makeTimer("playTimer");
    markerTimer = makeTimer("markerTimer");
    markerTimer->setSingleShot(true);
    recordTimer = makeTimer("recordTimer");
    gainTimer = makeTimer("gainTimer");
    noteTimer = makeTimer("noteTimer");
    noteTimer->setSingleShot(true);
    connect(noteTimer, &QTimer::timeout, label_note, &QLabel::hide);
    connect(playTimer, &QTimer::timeout, this, &Form2::playTick);
    connect(markerTimer, &QTimer::timeout, this, &Form2::markerTick);
    connect(recordTimer, &QTimer::timeout, this, &Form2::recordTick);
    connect(gainTimer, &QTimer::timeout, this, &Form2::gainTick);
    connect(label_2, &WaveformView::pressed, this, &Form2::waveformPressed);
    connect(label_2, &WaveformView::dragged, this, &Form2::waveformDragged);
    connect(label_2, &WaveformView::zoomTurned, this, &Form2::zoomBy);
    connect(label_2, &WaveformView::scrollTurned, this, &Form2::scrollView);
    connect(label_2, &WaveformView::resized, this, &Form2::waveformResized);
}

void Form2::buildControls(QWidget *row)
{
    const auto makeButton = [row](const char *name, const char *hint, EditorPicture picture,
                                  int x) {
        auto *button = new QToolButton(row);
        button->setObjectName(name);
        button->setToolTip(QString::fromUtf8(hint));
        button->setIcon(editorPicture(picture));
        button->setGeometry(x, 6, 52, 23);
        return button;
    };
    pictbttn_record = makeButton("pictbttn_record", "Запись", EditorPicture::Record, 9);
    pictbttn_play = makeButton("pictbttn_play", "Воспроизведение", EditorPicture::Play, 69);
    pictbttn_stop = makeButton("pictbttn_stop", "Стоп", EditorPicture::Stop, 129);
    connect(pictbttn_record, &QToolButton::clicked, this, &Form2::startRecording);
    connect(pictbttn_play, &QToolButton::clicked, this, &Form2::startPlayback);
    connect(pictbttn_stop, &QToolButton::clicked, this, &Form2::stopAudio);

    slider_1 = new SelectionSlider(row);
    slider_1->setObjectName("slider_1");
    slider_1->setRange(0, 100);
    slider_1->setPageStep(20);
    slider_1->setTickInterval(1);
    slider_1->setGeometry(188, 6, 200, 24);
    slider_1->setToolTip(toQString(SliderHint));

    label_dn = new GainButton(/*up=*/false, row);
    label_dn->setObjectName("label_dn");
    label_dn->move(400, 8);
    label_pointer = new QLabel(row);
    label_pointer->setObjectName("label_pointer");
    label_pointer->setGeometry(424, 8, 44, 20);
    label_pointer->setAlignment(Qt::AlignCenter);
    label_pointer->setText(QStringLiteral("±"));
    label_pointer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label_up = new GainButton(/*up=*/true, row);
    label_up->setObjectName("label_up");
    label_up->move(472, 8);
    label_up->setToolTip(toQString(GainUpHint));
    label_dn->setToolTip(toQString(GainDownHint));
    connect(label_up, &GainButton::pressedDown, this, [this] { gainPressed(+1); });
    connect(label_dn, &GainButton::pressedDown, this, [this] { gainPressed(-1); });
    connect(label_up, &GainButton::pointerInside, this,
            [this](bool inside) { gainPointerInside(+1, inside); });
    connect(label_dn, &GainButton::pointerInside, this,
            [this](bool inside) { gainPointerInside(-1, inside); });
    connect(label_up, &GainButton::releasedUp, this, &Form2::gainReleased);
    connect(label_dn, &GainButton::releasedUp, this, &Form2::gainReleased);
}

bool Form2::prepare()
{
    setWindowTitle(toQString(inputs.windowTitle));
    state.mode = editorMode(inputs);
    state.activity = EditorActivity::Idle;
    state.editable = true;
    state.modified = false;
    state.savedOnce = false;
    state.audioStarted = false;
    if (!inputs.newEmpty && !loadSound())
        return false;
    zoomView.fit();
    redrawSound();
    applyLayout();
    restoreSize();
    markerX = 0;
    selectionEndX = NoSelectionEnd;
    markerHidden = true;
    cursorX = NoCursor;
    playStartX = 0;
    state.hasSelection = false;
    showStartText(/*zeroStart=*/true);
    applyControls();
    return true;
}

bool Form2::loadSound()
{
    if (bankLacksSound()) {
        state.soundMissing = true;
        return true; // opens empty, ready to record
    }
    const bool fromFile = inputs.sourceIsFile;
    const std::filesystem::path file = fromFile ? sourcePath : dataDirectory.productBank();
    const std::string chunk = fromFile ? std::string(WavDataChunkId) : chunkId;
    LoadedSound loaded;
    bank.setWindowTitle(inputs.windowTitle);
    if (!bank.LoadSound(file, chunk, /*checkFormat=*/fromFile, loaded, chunkId))
        return false;
    const WaveFormat format = WaveFormat::fromRecord(loaded.formatRecord);
    if (format.samplesPerSecond > 0)
        waveFormat.sampleRate = int(format.samplesPerSecond);
    if (format.channels > 0)
        waveFormat.channels = format.channels;
    // A greeting phrase taken from a file is listened to and saved, never edited.
    if (fromFile && chunkId == GreetingChunkId)
        state.editable = false;
    editBuffer = EditBuffer(std::move(loaded.samples));
    // Told in passing: the operator chose the file and can listen to the result at once.
    if (loaded.convertedFrom)
        showNote(conversionNote(file, *loaded.convertedFrom), ConversionNoteMilliseconds);
    return true;
}

// Every standard word of a new installation is such a lexeme until the operator records it.
bool Form2::bankLacksSound() const
{
    if (!recordsMissingSound(state.mode, chunkId == GreetingChunkId))
        return false;
    const LexemeSound read = readLexeme(dataDirectory.productBank(), chunkId, FormatCheck::Skip);
    return read.error == LexemeReadError::NoChunk;
}

void Form2::applyLayout()
{
    const bool full = hasFullControls(state);
    toolb_2->setVisible(full);
    controlsRow->setVisible(full);
    frame_1->setVisible(full);
    frame_2->setVisible(full);
    recordingPanel->setVisible(full);
    if (full) {
        slider_1->setSelectedRange(0, 0);
        label_up->setActive(false);
        label_dn->setActive(false);
        editBuffer.closeGain();
    }
    adjustSize();
}

void Form2::showNote(const std::string &text, int milliseconds)
{
    label_note->setText(toQString(text));
    label_note->show();
    noteTimer->start(milliseconds);
}

void Form2::restoreSize()
{
    if (settings == nullptr)
        return;
    if (const std::optional<EditorSize> size = storedEditorSize(*settings))
        resize(std::max(size->width, width()), std::max(size->height, height()));
}

// Not kept is not worth a question on closing; the window opens at its least size next time.
void Form2::keepSize()
{
    if (settings != nullptr && !storeEditorSize(*settings, {width(), height()}))
        qWarning("vorela: the sound editor's size could not be stored in the registry store");
}

void Form2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (autoPlayDone)
        return;
    autoPlayDone = true;
    // Queued: the playback may close the window, which must not happen before its modal loop runs.
    QMetaObject::invokeMethod(this, &Form2::startAutoPlayback, Qt::QueuedConnection);
}

void Form2::startAutoPlayback()
{
    if (soundSize() > 0 && isVisible())
        startPlayback();
}

SoundFacts Form2::soundFacts() const
{
    const bool gainOpen = editBuffer.gainOpen();
    return {.soundSize = soundSize(),
            .undoAvailable = editBuffer.undoAvailable(),
            .redoAvailable = editBuffer.redoAvailable(),
            .gainAtMaximum = gainOpen && editBuffer.gainSteps() >= MaxGainSteps,
            .gainAtMinimum = gainOpen && editBuffer.gainSteps() <= MinGainSteps,
            .zoomedIn = zoomView.level() > 1,
            .zoomAtMaximum = zoomView.level() >= MaxZoom};
}

void Form2::applyControls()
{
    const EditorControls enabled = enabledControls(state, soundFacts());
    pictbttn_record->setEnabled(enabled.record);
    pictbttn_play->setEnabled(enabled.play);
    pictbttn_stop->setEnabled(enabled.stop);
    cutAction->setEnabled(enabled.cut);
    cropAction->setEnabled(enabled.crop);
    label_up->setActive(enabled.gainUp);
    label_dn->setActive(enabled.gainDown);
    undoAction->setEnabled(enabled.undo);
    redoAction->setEnabled(enabled.redo);
    trimAction->setEnabled(enabled.trimSilence);
    levelAction->setEnabled(enabled.levelLoudness);
    zoomInAction->setEnabled(enabled.zoomIn);
    zoomOutAction->setEnabled(enabled.zoomOut);
    fitAction->setEnabled(enabled.zoomOut);
    saveAction->setEnabled(enabled.save);
    recordKey->setEnabled(enabled.record);
    selectAllKey->setEnabled(enabled.selectAll);
}

void Form2::setActivity(EditorActivity activity)
{
    state.activity = activity;
    applyControls();
}

bool Form2::writeSound()
{
    const QString caption = windowTitle();
    setEnabled(false);
    setWindowTitle(caption + toQString(SavingSuffix));
    bank.setWindowTitle(toUtf8(windowTitle()));
    const bool failed = bank.SaveSound(chunkId, editBuffer.samples());
    if (!failed) {
        state.modified = false;
        state.importPending = false;
        state.savedOnce = true;
        state.soundMissing = false;
    }
    if (state.newLexeme()) {
        // A lexeme saved once keeps its sound in the bank: its node must still be created.
        state.savedAsNew = state.savedAsNew || !failed;
        if (failed)
            ui.showMessage({toUtf8(windowTitle()), SaveFailedText, MessageIcon::Information,
                            MessageButtons::Ok, MessageAnswer::Ok});
    }
    setWindowTitle(caption);
    setEnabled(true);
    return !failed;
}

void Form2::saveSound()
{
    if (saveSkipped(state, soundFacts()))
        return;
    if (needsSilencePadding(state, soundFacts()))
        editBuffer.setSamples({0});
    // A failed save keeps the changes: the operator can try again. A good one keeps the history
    // too, and an undo after it makes the sound differ from the bank again.
    if (!writeSound())
        return;
    closeGainAdjustment();
    applyControls();
}

void Form2::reject()
{
    close();
}

void Form2::closeEvent(QCloseEvent *event)
{
    if (closing == Closing::Decided) {
        event->accept();
        return;
    }
    if (!state.idle()) {
        // The device hands back its block first; its end handler closes the window again.
        closing = Closing::AfterStop;
        audio.stop();
        event->ignore();
        return;
    }
    closing = Closing::Open;
    const SoundFacts sound = soundFacts();
    if (needsSilencePadding(state, sound))
        editBuffer.setSamples({0});
    if (closeNeedsQuestion(state, sound)) {
        const MessageAnswer answer =
            ui.showMessage({toUtf8(windowTitle()), SaveQuestion, MessageIcon::Question,
                            MessageButtons::YesNoCancel, MessageAnswer::Yes});
        if (answer == MessageAnswer::Cancel || (answer == MessageAnswer::Yes && !writeSound())) {
            event->ignore();
            return;
        }
    }
    closeWithoutQuestion();
    event->accept();
}

void Form2::closeWithoutQuestion()
{
    closing = Closing::Decided;
    keepSize();
    playTimer->stop();
    markerTimer->stop();
    recordTimer->stop();
    gainTimer->stop();
    QDialog::done(QDialog::Rejected);
}

} // namespace vorela
