#include "dialogs/FormTableLexems.h"

#include "dialogs/FormEnterKeyname.h"
#include "platform/UiServices.h"
#include "platform/qt/QtModalDialog.h"
#include "platform/qt/QtText.h"
#include "soundbank/ChunkIdAllocator.h"
#include "soundbank/SoundBank.h"
#include "stores/LexItem.h"
#include "stores/LexemeDeletion.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace vorela {

static constexpr const char *DialogTitle = "Редактор таблицы лексем";
static constexpr const char *NameHeader = "Название лексемы";
static constexpr const char *KeyHeader = "Ключ";
static constexpr const char *AsTextSuffix = " (Сорт. как буквы)";
static constexpr const char *AsNumbersSuffix = " (Сорт. как цифры)";
static constexpr const char *NewLexemeName = "Новая лексема";
static constexpr const char *ErrorCaption = "Ошибка";
static constexpr const char *KeyInUseHead = "Введенное ключевое имя \"";
static constexpr const char *KeyInUseTail = "\" уже используется.";
static constexpr const char *DeleteQuestionHead = "Вы действительно желаете удалить лексему '";
static constexpr const char *DeleteAllQuestion =
    "Вы действительно желаете удалить все лексемы из таблицы?";
static constexpr const char *RemovalFailedText =
    "Ошибка удаления!\r\nВозможно в данный момент происходит оповещение абонента. \r\nДля "
    "успешного завершения операции приостановите выполнение заданий в приложении \"ВОРЕЛА\" и "
    "повторите попытку.\r\n";
static constexpr const char *NodeRemovalFailedHead = "Ошибка удаления лексемы '";
static constexpr const char *NodeRemovalFailedTail = "' !";
static constexpr const char *RenameFailedHead = "Не удалось переименовать лексему '";
static constexpr const char *KeyNameFailedHead = "Не удалось сохранить ключевое имя лексемы '";
static constexpr const char *FailedTail = "'.";
static constexpr const char *OpenSoundTitle = "Открытие звукового файла";
static constexpr int KeyColumnWidth = 140;
static constexpr int EntryNameRole = Qt::UserRole;

FormTableLexems::FormTableLexems(LexItem &tableNode, const LexItem &storeRoot,
                                 const SoundEditorContext &editorContext, QWidget *parent)
    : QDialog(parent), table(tableNode), root(storeRoot), context(editorContext),
      editor(editorContext, this)
{
    setObjectName("FormTableLexems");
    setWindowTitle(toQString(std::string(DialogTitle) + "- \"" + table.GetText() + "\""));
    resize(456, 236);
    lv_1 = new QTreeWidget(this);
    lv_1->setObjectName("lv_1");
    lv_1->setRootIsDecorated(false);
    lv_1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Only the name is edited in place; a key name goes through its dialog, which checks it.
    lv_1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lv_1->installEventFilter(this);
    lv_1->setContextMenuPolicy(Qt::CustomContextMenu);
    lv_1->setHeaderLabels({toQString(NameHeader), toQString(KeyHeader)});
    // The name column takes whatever the key column leaves.
    lv_1->header()->setStretchLastSection(false);
    lv_1->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lv_1->header()->resizeSection(1, KeyColumnWidth);
    lv_1->header()->setSectionsClickable(true);
    cb_OK = new QPushButton("OK", this);
    cb_OK->setObjectName("cb_OK");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lv_1);
    layout->addWidget(cb_OK, 0, Qt::AlignRight);
    buildMenu();

    connect(cb_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(lv_1->header(), &QHeaderView::sectionClicked, this, &FormTableLexems::sortByColumn);
    connect(lv_1, &QTreeWidget::itemDoubleClicked, this, &FormTableLexems::listenToEntry);
    connect(lv_1, &QTreeWidget::itemChanged, this, &FormTableLexems::writeEditedName);
    connect(lv_1, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint &point) {
        updateMenu();
        popup->exec(lv_1->viewport()->mapToGlobal(point));
    });

    fillRows();
    showHeaders(0);
    sortRows();
}

void FormTableLexems::buildMenu()
{
    popup = new QMenu(this);
    popup->setObjectName("ID_FormTableLexems_popup_2");
    QMenu *replace = popup->addMenu(toQString("Заменить лексему"));
    replace->addAction(toQString("из пpоигpывателя"), this, &FormTableLexems::replaceInPlayer);
    replace->addAction(toQString("из файла"), this, &FormTableLexems::replaceFromFile);
    replaceMenu = replace->menuAction();
    QMenu *create = popup->addMenu(toQString("Создать лексему"));
    create->addAction(toQString("из пpоигpывателя"), this, &FormTableLexems::createInPlayer);
    create->addAction(toQString("из файла"), this, &FormTableLexems::createFromFile);
    popup->addSeparator();
    renameAction =
        popup->addAction(toQString("Переименовать"), this, &FormTableLexems::renameEntry);
    keyNameAction =
        popup->addAction(toQString("Изменить ключевое имя"), this, &FormTableLexems::changeKeyName);
    deleteAction = popup->addAction(toQString("Удалить"), this, &FormTableLexems::deleteEntry);
    popup->addSeparator();
    popup->addAction(toQString("Удалить все"), this, &FormTableLexems::deleteAllEntries);
    popup->addSeparator();
    popup->addAction(toQString("Отмена"));
}

void FormTableLexems::updateMenu()
{
    const bool selected = selectedRow() != nullptr;
    for (QAction *action : {replaceMenu, renameAction, keyNameAction, deleteAction})
        action->setEnabled(selected);
}

void FormTableLexems::fillRows()
{
    for (const std::shared_ptr<LexItem> &entry : table.GetChildren())
        addRow(*entry);
}

QTreeWidgetItem *FormTableLexems::addRow(const LexItem &entry)
{
    filling = true;
    auto *row =
        new QTreeWidgetItem(lv_1, {toQString(entry.GetText()), toQString(entry.GetKeyname())});
    row->setData(0, EntryNameRole, toQString(entry.GetName()));
    row->setFlags(row->flags() | Qt::ItemIsEditable);
    filling = false;
    return row;
}

// Shows a stored text without taking it for an edit.
void FormTableLexems::setRowText(QTreeWidgetItem &row, int column, const std::string &text)
{
    filling = true;
    row.setText(column, toQString(text));
    filling = false;
}

bool FormTableLexems::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != lv_1 || event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent *>(event)->key() != Qt::Key_F2)
        return QDialog::eventFilter(watched, event);
    renameEntry();
    return true;
}

void FormTableLexems::inform(const std::string &text)
{
    context.ui.showMessage({toUtf8(windowTitle()), text, MessageIcon::Information,
                            MessageButtons::Ok, MessageAnswer::Ok});
}

void FormTableLexems::sortByColumn(int column)
{
    mode = sortModeAfterClick(mode, column);
    showHeaders(column);
    sortRows();
}

void FormTableLexems::showHeaders(int clickedColumn)
{
    const bool asNumbers =
        mode == TableSortMode::NamesAsNumbers || mode == TableSortMode::KeysAsNumbers;
    QTreeWidgetItem *header = lv_1->headerItem();
    const char *bases[] = {NameHeader, KeyHeader};
    for (int column = 0; column < 2; ++column) {
        std::string text = bases[column];
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
        if (column == clickedColumn) {
            text += asNumbers ? AsNumbersSuffix : AsTextSuffix;
            if (asNumbers)
                alignment = Qt::AlignRight | Qt::AlignVCenter;
        }
        header->setText(column, toQString(text));
        header->setTextAlignment(column, alignment);
    }
}

void FormTableLexems::sortRows()
{
    const int column =
        mode == TableSortMode::NamesAsText || mode == TableSortMode::NamesAsNumbers ? 0 : 1;
    const bool asNumbers =
        mode == TableSortMode::NamesAsNumbers || mode == TableSortMode::KeysAsNumbers;
    QTreeWidgetItem *current = lv_1->currentItem();
    std::vector<QTreeWidgetItem *> rows;
    while (lv_1->topLevelItemCount() > 0)
        rows.push_back(lv_1->takeTopLevelItem(0));
    std::stable_sort(rows.begin(), rows.end(), [column, asNumbers](const auto *a, const auto *b) {
        return tableTextLess(toUtf8(a->text(column)), toUtf8(b->text(column)), asNumbers);
    });
    for (QTreeWidgetItem *row : rows)
        lv_1->addTopLevelItem(row);
    if (current != nullptr)
        lv_1->setCurrentItem(current);
}

QTreeWidgetItem *FormTableLexems::selectedRow() const
{
    const QList<QTreeWidgetItem *> selected = lv_1->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

std::shared_ptr<LexItem> FormTableLexems::entryOf(const QTreeWidgetItem *row) const
{
    if (row == nullptr)
        return nullptr;
    return table.GetChild(toUtf8(row->data(0, EntryNameRole).toString()));
}

void FormTableLexems::writeEditedName(QTreeWidgetItem *item, int column)
{
    if (filling || column != 0)
        return;
    const std::shared_ptr<LexItem> entry = entryOf(item);
    if (!entry)
        return;
    const std::string stored = entry->GetText();
    const std::string text = toUtf8(item->text(0));
    if (text == stored || entry->SetText(text))
        return;
    setRowText(*item, 0, stored);
    inform(RenameFailedHead + stored + FailedTail);
}

// The key names as stored now (another program may have changed them), shown in the list too;
// own's is left out of the result.
std::vector<std::string> FormTableLexems::storedKeyNames(const LexItem *own)
{
    for (int index = 0; index < lv_1->topLevelItemCount(); ++index) {
        QTreeWidgetItem *row = lv_1->topLevelItem(index);
        if (const std::shared_ptr<LexItem> entry = entryOf(row))
            setRowText(*row, 1, entry->GetKeyname());
    }
    std::vector<std::string> keyNames;
    for (const std::shared_ptr<LexItem> &entry : table.GetChildren()) {
        if (entry.get() != own)
            keyNames.push_back(entry->GetKeyname());
    }
    return keyNames;
}

std::optional<std::string> FormTableLexems::askKeyName(std::string proposal, const LexItem *own)
{
    const std::vector<std::string> keyNames = storedKeyNames(own);
    for (;;) {
        FormEnterKeyname dialog(context.ui, this);
        dialog.SetKeyName(proposal);
        QtModalDialog modal(dialog, "FormEnterKeyname");
        if (context.ui.runDialog(modal) != QDialog::Accepted)
            return std::nullopt;
        proposal = dialog.GetKeyName();
        if (!keyNameInUse(proposal, keyNames))
            return proposal;
        const MessageRequest refusal{ErrorCaption, KeyInUseHead + proposal + KeyInUseTail,
                                     MessageIcon::Error, MessageButtons::OkCancel,
                                     MessageAnswer::Ok};
        if (context.ui.showMessage(refusal) != MessageAnswer::Ok)
            return std::nullopt;
    }
}

std::optional<std::filesystem::path> FormTableLexems::chooseSoundFile()
{
    const OpenFileRequest request{OpenSoundTitle, {{"Звуковые файлы(*.wav)", "*.wav"}}, lastFile};
    std::optional<std::filesystem::path> chosen = context.ui.chooseOpenFile(request);
    if (!chosen)
        return std::nullopt;
    if (!chosen->has_extension())
        chosen->replace_extension("wav");
    lastFile = *chosen;
    return chosen;
}

std::optional<std::string> FormTableLexems::newChunkId() const
{
    const std::vector<std::string> storeChunks = collectStoreChunks(root);
    return ChunkIdAllocator::forBank(storeChunks, context.dataDirectory.productBank())
        .newTableChunkId();
}

void FormTableLexems::createEntry(const std::string &name, const std::string &chunkId,
                                  const std::string &keyName)
{
    const std::string entryName = table.AppendChild(name, chunkId, 0, 0, 0, keyName);
    const std::shared_ptr<LexItem> entry = entryName.empty() ? nullptr : table.GetChild(entryName);
    if (!entry) {
        SoundEditorCommands::discardNewSound(context.bank, context.ui, toUtf8(windowTitle()),
                                             chunkId);
        return;
    }
    // A new row stays at the end until the next header click.
    QTreeWidgetItem *row = addRow(*entry);
    lv_1->setFocus();
    lv_1->setCurrentItem(row);
    lv_1->scrollToItem(row);
    lv_1->editItem(row, 0);
}

void FormTableLexems::replaceInPlayer()
{
    QTreeWidgetItem *row = selectedRow();
    const std::shared_ptr<LexItem> entry = entryOf(row);
    if (!ready || !entry)
        return;
    editor.replaceInPlayer(toUtf8(row->text(0)), entry->GetChunk());
}

void FormTableLexems::replaceFromFile()
{
    QTreeWidgetItem *row = selectedRow();
    const std::shared_ptr<LexItem> entry = entryOf(row);
    if (!ready || !entry)
        return;
    const std::optional<std::filesystem::path> file = chooseSoundFile();
    if (!file)
        return;
    editor.runEditor(SoundEditorMode::ReplaceFromFile, entry->GetChunk(), toUtf8(row->text(0)),
                     *file);
}

void FormTableLexems::createInPlayer()
{
    const std::optional<std::string> keyName = askKeyName({}, nullptr);
    if (!keyName || !ready)
        return;
    const std::optional<std::string> chunkId = newChunkId();
    if (!chunkId)
        return;
    bool saved = false;
    editor.runEditor(SoundEditorMode::CreateInPlayer, *chunkId, {}, {}, &saved);
    if (saved)
        createEntry(NewLexemeName, *chunkId, *keyName);
}

void FormTableLexems::createFromFile()
{
    const std::optional<std::string> keyName = askKeyName({}, nullptr);
    if (!keyName || !ready)
        return;
    const std::optional<std::filesystem::path> file = chooseSoundFile();
    if (!file)
        return;
    const std::optional<std::string> chunkId = newChunkId();
    if (!chunkId)
        return;
    bool saved = false;
    editor.runEditor(SoundEditorMode::CreateFromFile, *chunkId, {}, *file, &saved);
    if (saved)
        createEntry(file->stem().string(), *chunkId, *keyName);
}

void FormTableLexems::renameEntry()
{
    if (QTreeWidgetItem *row = selectedRow())
        lv_1->editItem(row, 0);
}

void FormTableLexems::changeKeyName()
{
    QTreeWidgetItem *row = selectedRow();
    const std::shared_ptr<LexItem> entry = entryOf(row);
    if (!entry)
        return;
    const std::optional<std::string> keyName = askKeyName(entry->GetKeyname(), entry.get());
    if (!keyName)
        return;
    const bool written = entry->SetKeyname(*keyName);
    setRowText(*row, 1, entry->GetKeyname());
    if (!written)
        inform(KeyNameFailedHead + entry->GetText() + FailedTail);
}

void FormTableLexems::deleteEntry()
{
    QTreeWidgetItem *row = selectedRow();
    if (row == nullptr)
        return;
    const MessageRequest question{toUtf8(windowTitle()),
                                  DeleteQuestionHead + toUtf8(row->text(0)) + "'?",
                                  MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No};
    if (context.ui.showMessage(question) == MessageAnswer::Yes)
        static_cast<void>(removeEntry(row));
}

void FormTableLexems::deleteAllEntries()
{
    const MessageRequest question{toUtf8(windowTitle()), DeleteAllQuestion, MessageIcon::Question,
                                  MessageButtons::YesNo, MessageAnswer::No};
    if (context.ui.showMessage(question) != MessageAnswer::Yes)
        return;
    while (lv_1->topLevelItemCount() > 0) {
        if (!removeEntry(lv_1->topLevelItem(0)))
            return;
    }
}

bool FormTableLexems::removeEntry(QTreeWidgetItem *row)
{
    const std::shared_ptr<LexItem> entry = entryOf(row);
    if (!entry)
        return false;
    ready = false;
    context.bank.setWindowTitle(toUtf8(windowTitle()));
    SoundBank &bank = context.bank;
    const NodeDeletion removed =
        removeNodeAndSound(table, entry->GetName(), [&bank](std::string_view chunkId) {
            return !bank.RemoveSound(chunkId);
        });
    if (removed.ok())
        delete row;
    else if (removed.failedStep == DeletionStep::Sound)
        inform(RemovalFailedText);
    else
        inform(NodeRemovalFailedHead + removed.failedText + NodeRemovalFailedTail);
    ready = true;
    return removed.ok();
}

void FormTableLexems::listenToEntry()
{
    QTreeWidgetItem *row = selectedRow();
    const std::shared_ptr<LexItem> entry = entryOf(row);
    if (entry)
        editor.listen(toUtf8(row->text(0)), entry->GetChunk());
}

} // namespace vorela
