// A main window over a real registry store in a temporary data directory, with a small lexeme
// tree, two tasks and one template, driven through objectNames and scripted answers.
#pragma once

#include "mainwindow/Form1.h"
#include "platform/RegistryStore.h"
#include "soundbank/SoundBank.h"
#include "stores/LexItem.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"
#include "tables/DbfTaskTableQuery.h"

#include <QAction>
#include <QMenu>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vorela::test {

class MainWindowFixture : public testing::Test {
protected:
    /// Lexeme tree:  1 "Общие" (folder): 1 "Приветствие" (PRIV), 2 "Добрый день" (0001),
    /// 3 "Граница" (____, kind 2), 4 "Сумма" (@007, kind 2), 5 "Таблица" (#001 with entry |001)
    /// and 6 "Вложенная" (folder) holding 1 "Глубокая" (0002).  2 "Пустая" (empty folder).
    /// Tasks "Задание Б" (operators "Оп2", "Оп1") and "Задание А" (operator "Оп"); the template of
    /// Задание А/Оп holds Приветствие, Добрый день(Поле).  The bank holds 0001, 0002, PRIV, |001.
    void SetUp() override;
    void TearDown() override;

    /// A new main window over the store (the old one is closed first).
    void openForm();
    void closeForm();

    [[nodiscard]] QTreeWidget &sourceTree() const;
    [[nodiscard]] QTreeWidget &taskTree() const;
    [[nodiscard]] QAction &action(const char *name) const;
    /// Source item by the texts from the root down ({"Общие", "Добрый день"}).
    [[nodiscard]] QTreeWidgetItem *sourceItem(const std::vector<std::string> &texts) const;
    /// Task-tree item by texts below the root ({"Задание А", "Оп", "Добрый день(Поле)"}).
    [[nodiscard]] QTreeWidgetItem *taskItem(const std::vector<std::string> &texts) const;
    /// Selects item and opens its tree's context menu state, then triggers the action.
    void runSourceCommand(QTreeWidgetItem *item, const char *actionName);
    void runTaskCommand(QTreeWidgetItem *item, const char *actionName);
    /// The stored template of a task's operator as lexeme texts in chain order.
    [[nodiscard]] std::vector<std::string> templateTexts(const std::string &task,
                                                         const std::string &operatorName) const;
    /// Texts of item's children.
    [[nodiscard]] static std::vector<std::string> childTexts(const QTreeWidgetItem *item);
    /// The text of the last message shown, "" when there was none.
    [[nodiscard]] std::string lastMessage() const;
    /// Chunk ids the bank holds, in file order.
    [[nodiscard]] std::vector<std::string> bankChunks() const;
    void writeBank(const std::vector<std::string> &ids) const;

    TempDataDir dataDir;
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<LexItem> root;
    ScriptedUiServices ui;
    DbfTaskTableQuery tables;
    std::unique_ptr<SoundBank> bank;
    std::unique_ptr<Form1> form;
};

} // namespace vorela::test
