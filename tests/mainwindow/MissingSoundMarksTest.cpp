// The source tree shows what lacks a sound: grey lexemes, counts on folders, the filter, and the
// offer to record a lexeme double-clicked without sound.
#include "MainWindowFixture.h"

#include "mainwindow/MainMenus.h"
#include "mainwindow/SourceTree.h"
#include "mainwindow/TreeItems.h"

namespace vorela::test {
namespace {

using MissingSoundMarksTest = MainWindowFixture;

TEST_F(MissingSoundMarksTest, SilentLexemesAreGreyCountedFilteredAndOfferedForRecording)
{
    writeBank({"PRIV", "|001", "0002"});
    openForm();
    QTreeWidgetItem *greeting = sourceItem({"Общие", "Приветствие"});
    QTreeWidgetItem *silent = sourceItem({"Общие", "Добрый день"});
    EXPECT_NE(silent->foreground(0), greeting->foreground(0));
    EXPECT_EQ(shownLabel(sourceTree().indexFromItem(sourceItem({"Общие"}))), "Общие (1 без звука)");
    EXPECT_EQ(shownLabel(sourceTree().indexFromItem(sourceItem({"Пустая"}))), "Пустая");
    EXPECT_EQ(sourceItem({"Общие"})->text(0), "Общие"); // a rename starts from the name alone

    QAction &onlyMissing = action("onlyMissing");
    onlyMissing.trigger();
    struct Case {
        std::vector<std::string> path;
        bool hidden;
    };
    const Case filtered[] = {{{"Общие"}, false},
                             {{"Общие", "Добрый день"}, false},
                             {{"Общие", "Приветствие"}, true},
                             {{"Общие", "Таблица"}, true},
                             {{"Общие", "Вложенная"}, true},
                             {{"Пустая"}, true}};
    for (const Case &c : filtered)
        EXPECT_EQ(sourceItem(c.path)->isHidden(), c.hidden) << c.path.back();

    // "Нет" changes nothing and plays nothing; "Да" records, and the marks follow the bank.
    std::vector<std::string> recorded;
    form->hooks().listenLexeme = [](const std::string &, const std::string &) { FAIL(); };
    form->hooks().replaceInPlayer = [&](const std::string &name, const std::string &chunk) {
        recorded.push_back(name + "/" + chunk);
        writeBank({"PRIV", "|001", "0002", "0001"});
    };
    const std::string offer = "У лексемы «Добрый день» ещё нет звука. Записать его сейчас?";
    ui.expectMessage(offer, MessageAnswer::No);
    emit sourceTree().itemDoubleClicked(silent, 0);
    EXPECT_TRUE(recorded.empty());
    ui.expectMessage(offer, MessageAnswer::Yes);
    emit sourceTree().itemDoubleClicked(silent, 0);
    EXPECT_EQ(recorded, std::vector<std::string>{"Добрый день/0001"});
    EXPECT_EQ(ui.messages().back().buttons, MessageButtons::YesNo);
    EXPECT_EQ(silent->foreground(0), greeting->foreground(0));
    EXPECT_EQ(shownLabel(sourceTree().indexFromItem(sourceItem({"Общие"}))), "Общие");
    EXPECT_TRUE(silent->isHidden());

    // A removed sound is counted again as soon as the tree hears of it.
    writeBank({"PRIV", "|001"});
    onlyMissing.trigger();
    form->sourceTree().refreshMissing();
    EXPECT_EQ(shownLabel(sourceTree().indexFromItem(sourceItem({"Общие", "Вложенная"}))),
              "Вложенная (1 без звука)");
    EXPECT_FALSE(sourceItem({"Общие", "Приветствие"})->isHidden());
}

} // namespace
} // namespace vorela::test
