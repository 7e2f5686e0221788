// The lexeme table editor "Редактор таблицы лексем": lists a table's entries with their key
// names; creates, replaces, renames and deletes entries. Every change is written at once.
#pragma once

#include "soundeditor/window/SoundEditorCommands.h"
#include "soundeditor/window/SoundEditorContext.h"
#include "stores/LexemeTable.h"

#include <QDialog>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QEvent;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vorela {

class LexItem;

class FormTableLexems : public QDialog {
    Q_OBJECT

public:
    /// table is the lexeme table node; root is the whole lexeme store, none of whose chunk ids a
    /// new entry may take. Both must outlive the dialog.
    FormTableLexems(LexItem &table, const LexItem &root, const SoundEditorContext &context,
                    QWidget *parent = nullptr);

    QTreeWidget *lv_1 = nullptr;
    QPushButton *cb_OK = nullptr;
    /// The list's context menu and the actions whose enabling follows the selection.
    QMenu *popup = nullptr;
    QAction *replaceMenu = nullptr;
    QAction *renameAction = nullptr;
    QAction *keyNameAction = nullptr;
    QAction *deleteAction = nullptr;

    [[nodiscard]] TableSortMode sortMode() const { return mode; }

public slots:
    void replaceInPlayer();
    void replaceFromFile();
    void createInPlayer();
    void createFromFile();
    void renameEntry();
    void changeKeyName();
    void deleteEntry();
    void deleteAllEntries();
    void sortByColumn(int column);
    void listenToEntry();
    /// Enables the entries that act on a row only while one is selected.
    void updateMenu();

protected:
    /// F2 in the list edits the selected row's name, whichever column is current.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    void fillRows();
    QTreeWidgetItem *addRow(const LexItem &entry);
    void setRowText(QTreeWidgetItem &row, int column, const std::string &text);
    void sortRows();
    void showHeaders(int clickedColumn);
    void writeEditedName(QTreeWidgetItem *item, int column);
    [[nodiscard]] QTreeWidgetItem *selectedRow() const;
    [[nodiscard]] std::shared_ptr<LexItem> entryOf(const QTreeWidgetItem *row) const;
    [[nodiscard]] std::vector<std::string> storedKeyNames(const LexItem *own);
    [[nodiscard]] std::optional<std::string> askKeyName(std::string proposal, const LexItem *own);
    [[nodiscard]] std::optional<std::filesystem::path> chooseSoundFile();
    [[nodiscard]] std::optional<std::string> newChunkId() const;
    void createEntry(const std::string &name, const std::string &chunkId,
                     const std::string &keyName);
    [[nodiscard]] bool removeEntry(QTreeWidgetItem *row);
    void inform(const std::string &text);

    LexItem &table;
    const LexItem &root;
    SoundEditorContext context;
    SoundEditorCommands editor;
    TableSortMode mode = TableSortMode::NamesAsText;
    bool ready = true;
    bool filling = false;
    std::filesystem::path lastFile;
};

} // namespace vorela
