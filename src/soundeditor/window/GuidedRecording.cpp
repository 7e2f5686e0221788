// The guided recording window: its widgets, keys, the walk from word to word and closing.
#include "soundeditor/window/GuidedRecording.h"

#include "platform/AudioDevice.h"
#include "platform/UiServices.h"
#include "platform/qt/QtModalDialog.h"
#include "platform/qt/QtText.h"
#include "soundbank/ChunkId.h"
#include "soundbank/SoundBank.h"
#include "soundbank/WaveFile.h"
#include "soundeditor/window/RecordingPanel.h"
#include "soundeditor/window/WaveformView.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <set>

namespace vorela {

static const std::string Caption = "Запись недостающих лексем";
static const std::string NoBankText =
    "Банк звуков не удалось прочитать, поэтому нельзя узнать, каких записей в нём нет.";
static const std::string NothingMissingText = "У всех лексем этой папки звук уже записан.";
static const std::string RecordHint = "Нажмите R или «Записать» и произнесите слово.";
static const std::string ReviewHint =
    "Прослушайте запись. Enter или «Сохранить» — сохранить и перейти к следующему слову.";
static const std::string SaveFailedHint =
    "Запись не сохранена. Попробуйте сохранить ещё раз или пропустите слово.";
static const std::string SkipQuestionHead = "Запись слова «";
static const std::string SkipQuestionTail = "» не сохранена. Пропустить слово без сохранения?";
static const std::string KeepQuestionHead = "Сохранить запись слова «";
static const std::string KeepQuestionTail = "» перед выходом?";
static const std::string DoneText = "Готово";

static constexpr int WaveWidth = 493;
static constexpr int WaveHeight = 90;
static constexpr int WordPointSize = 28;

GuidedRecording::GuidedRecording(const SoundEditorContext &editorContext,
                                 std::vector<MissingSound> missing, QWidget *parent)
    : QDialog(parent), context(editorContext), lexemes(std::move(missing))
{
    setObjectName("GuidedRecording");
    setWindowTitle(toQString(Caption));
    buildWidgets();
    buildKeys();
    showWord();
}

GuidedRecording::~GuidedRecording()
{
    if (activity != Activity::Idle)
        context.audio.abandon();
}

void GuidedRecording::run(const SoundEditorContext &context, const LexItem &node, QWidget *parent)
{
    WaveFile bank;
    if (!bank.Open(context.dataDirectory.productBank())) {
        context.ui.showMessage(
            {Caption, NoBankText, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
        return;
    }
    std::set<std::string> bankIds;
    for (const ChunkHeader &chunk : bank.chunks())
        bankIds.insert(chunk.id.text());
    std::vector<MissingSound> missing =
        lexemesWithoutSound(node, [&bankIds](std::string_view chunk) {
            return bankIds.contains(ChunkId::fromText(chunk).text());
        });
    if (missing.empty()) {
        context.ui.showMessage({Caption, NothingMissingText, MessageIcon::Information,
                                MessageButtons::Ok, MessageAnswer::Ok});
        return;
    }
    GuidedRecording window(context, std::move(missing), parent);
    QtModalDialog modal(window, "GuidedRecording");
    context.ui.runDialog(modal);
}

QPushButton *GuidedRecording::addButton(const char *text, const char *name)
{
    auto *button = new QPushButton(QString::fromUtf8(text), this);
    button->setObjectName(name);
    // Enter and Space belong to the window's keys, never to a focused button.
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void GuidedRecording::buildWidgets()
{
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    label_progress = new QLabel(this);
    label_progress->setObjectName("label_progress");
    cb_level = new QCheckBox(QStringLiteral("Выравнивать громкость"), this);
    cb_level->setObjectName("cb_level");
    cb_level->setChecked(true);
    cb_level->setFocusPolicy(Qt::NoFocus);
    top->addWidget(label_progress);
    top->addStretch();
    top->addWidget(cb_level);
    layout->addLayout(top);

    label_text = new QLabel(this);
    label_text->setObjectName("label_text");
    QFont large = label_text->font();
    large.setPointSize(WordPointSize);
    large.setBold(true);
    label_text->setFont(large);
    label_text->setAlignment(Qt::AlignCenter);
    label_text->setWordWrap(true);
    label_text->setMinimumHeight(110);
    layout->addWidget(label_text);

    auto *frame = new QFrame(this);
    frame->setObjectName("frameWave");
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setFixedSize(WaveWidth + 2, WaveHeight + 2);
    label_wave = new WaveformView(frame);
    label_wave->setObjectName("label_wave");
    label_wave->setGeometry(frame->contentsRect());
    layout->addWidget(frame, 0, Qt::AlignHCenter);
    recordingPanel = new RecordingPanel(context, this);
    recordingPanel->setObjectName("recordingPanel");
    layout->addWidget(recordingPanel);

    label_state = new QLabel(this);
    label_state->setObjectName("label_state");
    label_state->setWordWrap(true);
    label_state->setMinimumHeight(40);
    layout->addWidget(label_state);

    auto *audioRow = new QHBoxLayout;
    btn_record = addButton("Записать", "btn_record");
    btn_stop = addButton("Остановить", "btn_stop");
    btn_play = addButton("Прослушать", "btn_play");
    btn_save = addButton("Сохранить", "btn_save");
    for (QPushButton *button : {btn_record, btn_stop, btn_play})
        audioRow->addWidget(button);
    audioRow->addStretch();
    audioRow->addWidget(btn_save);
    layout->addLayout(audioRow);

    auto *walkRow = new QHBoxLayout;
    btn_redo = addButton("Записать заново", "btn_redo");
    btn_skip = addButton("Пропустить", "btn_skip");
    btn_finish = addButton("Закончить", "btn_finish");
    walkRow->addWidget(btn_redo);
    walkRow->addWidget(btn_skip);
    walkRow->addStretch();
    walkRow->addWidget(btn_finish);
    layout->addLayout(walkRow);

    recordTimer = new QTimer(this);
    recordTimer->setObjectName("recordTimer");
    connect(recordTimer, &QTimer::timeout, this, &GuidedRecording::recordTick);
    connect(btn_record, &QPushButton::clicked, this, &GuidedRecording::startRecording);
    connect(btn_stop, &QPushButton::clicked, this, &GuidedRecording::stopOrPlay);
    connect(btn_play, &QPushButton::clicked, this, &GuidedRecording::playTake);
    connect(btn_save, &QPushButton::clicked, this, &GuidedRecording::saveTake);
    connect(btn_redo, &QPushButton::clicked, this, &GuidedRecording::recordAgain);
    connect(btn_skip, &QPushButton::clicked, this, &GuidedRecording::skipWord);
    connect(btn_finish, &QPushButton::clicked, this, &GuidedRecording::finish);
}

void GuidedRecording::buildKeys()
{
    const auto addKey = [this](const char *name, const QList<QKeySequence> &keys,
                               void (GuidedRecording::*slot)()) {
        auto *action = new QAction(this);
        action->setObjectName(name);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, slot);
    };
    addKey("recordKey", {QKeySequence(Qt::Key_R)}, &GuidedRecording::startRecording);
    addKey("stopOrPlayKey", {QKeySequence(Qt::Key_Space)}, &GuidedRecording::stopOrPlay);
    addKey("saveKey", {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)},
           &GuidedRecording::saveTake);
    btn_record->setToolTip(QStringLiteral("Записать (R)"));
    btn_stop->setToolTip(QStringLiteral("Остановить (Пробел)"));
    btn_play->setToolTip(QStringLiteral("Прослушать (Пробел)"));
    btn_save->setToolTip(QStringLiteral("Сохранить (Enter)"));
}

void GuidedRecording::applyControls()
{
    const bool idle = activity == Activity::Idle;
    const bool taken = !pendingTake.empty();
    btn_record->setEnabled(hasWord() && idle && !taken);
    btn_stop->setEnabled(!idle);
    btn_play->setEnabled(idle && taken);
    btn_save->setEnabled(taken && activity != Activity::Recording);
    btn_redo->setEnabled(taken && activity != Activity::Recording);
    btn_skip->setEnabled(hasWord() && activity != Activity::Recording);
    cb_level->setEnabled(activity != Activity::Recording);
}

void GuidedRecording::setHint(const std::string &text)
{
    label_state->setText(toQString(text));
}

void GuidedRecording::warn(const std::string &text)
{
    context.ui.showMessage(
        {Caption, text, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
}

void GuidedRecording::showWord()
{
    label_wave->setWholeSound({});
    if (!hasWord()) {
        label_progress->clear();
        label_text->setText(toQString(DoneText));
        setHint("Все слова пройдены. Записано: " + std::to_string(savedCount) +
                ", пропущено: " + std::to_string(skippedCount) + ".");
        applyControls();
        return;
    }
    label_progress->setText(QStringLiteral("%1 из %2").arg(position + 1).arg(lexemes.size()));
    label_text->setText(toQString(word().text));
    setHint(RecordHint);
    applyControls();
}

void GuidedRecording::showTake()
{
    label_wave->setWholeSound(pendingTake);
    setHint(ReviewHint);
    applyControls();
}

void GuidedRecording::discardTake()
{
    dropPlayback();
    label_wave->setWholeSound({});
    pendingTake.clear();
}

void GuidedRecording::nextWord()
{
    discardTake();
    ++position;
    showWord();
}

bool GuidedRecording::storeTake()
{
    dropPlayback();
    context.bank.setWindowTitle(Caption);
    // SaveSound answers true when it failed, after telling the operator why.
    if (context.bank.SaveSound(word().chunkId, pendingTake)) {
        setHint(SaveFailedHint);
        applyControls();
        return false;
    }
    ++savedCount;
    return true;
}

void GuidedRecording::saveTake()
{
    if (pendingTake.empty() || activity == Activity::Recording || !storeTake())
        return;
    nextWord();
}

void GuidedRecording::skipWord()
{
    if (!hasWord() || activity == Activity::Recording)
        return;
    if (!pendingTake.empty()) {
        const MessageAnswer answer = context.ui.showMessage(
            {Caption, SkipQuestionHead + word().text + SkipQuestionTail, MessageIcon::Question,
             MessageButtons::YesNo, MessageAnswer::No});
        if (answer != MessageAnswer::Yes)
            return;
    }
    ++skippedCount;
    nextWord();
}

void GuidedRecording::recordAgain()
{
    if (pendingTake.empty() || activity == Activity::Recording)
        return;
    discardTake();
    startRecording();
}

void GuidedRecording::finish()
{
    if (activity == Activity::Recording) {
        // The take being recorded is kept: it is offered for saving once the device hands it over.
        finishAfterAudio = true;
        context.audio.stop();
        return;
    }
    dropPlayback();
    if (!pendingTake.empty()) {
        const MessageAnswer answer = context.ui.showMessage(
            {Caption, KeepQuestionHead + word().text + KeepQuestionTail, MessageIcon::Question,
             MessageButtons::YesNoCancel, MessageAnswer::Yes});
        if (answer == MessageAnswer::Cancel || (answer == MessageAnswer::Yes && !storeTake()))
            return;
    }
    closeNow();
}

void GuidedRecording::closeNow()
{
    discardTake();
    closingDecided = true;
    QDialog::done(QDialog::Accepted);
}

void GuidedRecording::reject()
{
    finish();
}

void GuidedRecording::closeEvent(QCloseEvent *event)
{
    if (closingDecided) {
        event->accept();
        return;
    }
    event->ignore();
    finish();
}

} // namespace vorela
