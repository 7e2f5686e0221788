#include "player/TemplateListening.h"

#include "audio/PhoneLine.h"
#include "platform/Clock.h"
#include "platform/RegistryStore.h"
#include "platform/VirtualAudioDevice.h"
#include "player/Form3.h"
#include "player/PlayerBar.h"
#include "player/TreeMarkers.h"
#include "soundbank/RiffBytes.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/Operators.h"
#include "stores/RegistryPaths.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"
#include "tables/DbfBuilder.h"
#include "tables/DbfTaskTableQuery.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <map>

namespace vorela {

class TemplateListeningTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        store = RegistryStore::open(directory.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
        test::DbfBuilder({{"SUMMA", 'N', 10, 2}, {"PHONE", 'C', 12}})
            .record({"21.05", "111"})
            .record({"1.05", "222 912"}, /*deleted=*/true)
            .record({"1.05", "+7 912 34"})
            .record({"21.05", "912 55"})
            .write(table);
        const std::string task = std::string(TasksRootPath) + "Долги\\";
        ASSERT_TRUE(store->createKey(task).writeString("File", table.string()));
        ASSERT_TRUE(store->createKey(task + std::string(OperatorsKeyName) + "\\Иванов").isOpen());
        taskConfig = std::make_unique<Aliases>(*store, directory.dataDirectory());

        std::vector<test::Bytes> chunks;
        std::int16_t first = 100;
        for (const char *id : {"0001", "_020", "_001", "__PS", "+RR ", "_005", "+SSK", "+CLC",
                               "_01A", "+MNA", "_E12", "_O10", "+T12"}) {
            firstSample[id] = first;
            chunks.push_back(test::chunk(id, test::samples(80, first)));
            first = static_cast<std::int16_t>(first + 100);
        }
        test::writeFile(directory.dataDirectory().productBank(), test::bank(chunks));
        auto *operatorItem = new QTreeWidgetItem(&tree, {"Иванов"});
        hello = new QTreeWidgetItem(operatorItem, {"Добрый день"});
        amount = new QTreeWidgetItem(operatorItem, {"Сумма(SUMMA)"});
    }

    /// The chunk ids spoken by the last block played, told apart by the first sample of each
    /// 80-sample lexeme; "?" for a piece that is no lexeme of the bank.
    std::vector<std::string> playedChunks() const
    {
        if (audio.playedBlocks().empty())
            return {"nothing played"};
        const std::vector<std::int16_t> &block = audio.playedBlocks().back();
        std::vector<std::string> ids;
        for (std::size_t start = 0; start < block.size(); start += 80) {
            std::string id = "?";
            for (const auto &[chunkId, sample] : firstSample) {
                if (block[start] == sample)
                    id = chunkId;
            }
            ids.push_back(id);
        }
        return ids;
    }

    /// Moves the device's clock in steps of the marker timer.
    void play(int ms)
    {
        for (int step = 0; step < ms; step += 5) {
            audio.advance(5);
            player.showSpokenItem();
        }
    }

    /// Plays the operator's two items: the greeting and the amount.
    bool playTemplate()
    {
        const std::vector<ListenedItem> items = {
            {{.path = "1\\", .text = "Добрый день", .chunk = "0001"},
             "Долги",
             treeItemHandle(hello)},
            {{.path = "2\\", .text = "Сумма", .chunk = "@009", .arg = "SUMMA"},
             "Долги",
             treeItemHandle(amount)}};
        const LexItem lexemes(*store);
        const bool started = listening.playItems(*taskConfig, lexemes, items, tree);
        play(200);
        return started;
    }

    test::TempDataDir directory;
    std::filesystem::path table = directory.path() / "dolg.dbf";
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<Aliases> taskConfig;
    std::map<std::string, std::int16_t> firstSample;
    VirtualAudioDevice audio;
    test::ScriptedUiServices ui;
    DbfTaskTableQuery tables;
    FixedClock clock{{2026, 12, 7}, {21, 1}};
    Form3 player{audio, ui, directory.dataDirectory(), "Редактор лексем"};
    TemplateListening listening{player, *store, tables, clock};
    QSignalSpy finished{&player, &Form3::finished};
    QTreeWidget tree;
    QTreeWidgetItem *hello = nullptr;
    QTreeWidgetItem *amount = nullptr;
};

TEST_F(TemplateListeningTest, ItemsSpeakTheirTableValuesMarkedInTheTree)
{
    const std::vector<ListenedItem> items = {
        {{.path = "1\\", .text = "Добрый день", .chunk = "0001"}, "Долги", treeItemHandle(hello)},
        {{.path = "2\\", .text = "Сумма", .chunk = "@009", .arg = "SUMMA"},
         "Долги",
         treeItemHandle(amount)}};
    const LexItem lexemes(*store);
    ASSERT_TRUE(listening.playItems(*taskConfig, lexemes, items, tree));
    EXPECT_TRUE(hello->font(0).bold());
    EXPECT_FALSE(amount->font(0).bold());
    play(10);
    EXPECT_FALSE(hello->font(0).bold());
    EXPECT_TRUE(amount->font(0).bold());
    play(100);
    EXPECT_EQ(playedChunks(),
              (std::vector<std::string>{"0001", "_020", "_001", "__PS", "+RR ", "_005", "+SSK"}));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(amount->font(0).bold());
}

TEST_F(TemplateListeningTest, CurrentTimeEntrySpeaksTheClock)
{
    ASSERT_TRUE(listening.playFunctionEntry(2, treeItemHandle(hello), tree));
    EXPECT_TRUE(hello->font(0).bold());
    EXPECT_FALSE(listening.playFunctionEntry(2, treeItemHandle(hello), tree)); // one at a time
    play(100);
    EXPECT_EQ(playedChunks(), (std::vector<std::string>{"_020", "_001", "+CLC", "_01A", "+MNA"}));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(hello->font(0).bold());

    // Entries that speak nothing only mark their item for the moment.
    ASSERT_TRUE(listening.playFunctionEntry(13, treeItemHandle(amount), tree));
    EXPECT_EQ(finished.count(), 2);
    EXPECT_FALSE(amount->font(0).bold());
}

// With the Ukrainian language the tree shows the Ukrainian name of a relative date, and that
// name's offset and case are spoken, not the Russian name's.
TEST_F(TemplateListeningTest, RelativeDateSpeaksTheNameShownInTheEditorsLanguage)
{
    ASSERT_TRUE(store->createKey(std::string(EditorKeyPath)).writeDword("Language", 1));
    LexItem lexemes(*store);
    const std::string name = lexemes.AppendChild("Дата +005 (им)", "@006", 2, 0, 0, "");
    ASSERT_FALSE(name.empty());
    ASSERT_TRUE(lexemes.GetChild(name)->SetText1("Дата +003 (рд)"));
    const std::vector<ListenedItem> items = {
        {{.path = name + "\\", .text = "Дата +005 (им)", .chunk = "@006"},
         "Долги",
         treeItemHandle(amount)}};
    ASSERT_TRUE(listening.playItems(*taskConfig, lexemes, items, tree));
    play(100);
    EXPECT_EQ(playedChunks(), (std::vector<std::string>{"_O10", "+T12"}));
}

TEST_F(TemplateListeningTest, ChosenRecordGivesTheValuesSpoken)
{
    PlayerBar bar(player, listening, ui);
    const std::vector<std::string> bound = {"SUMMA", "PHONE"};
    bar.setTable(table, bound);
    EXPECT_EQ(bar.recordNumber->text(), "первая запись");
    EXPECT_EQ(bar.recordValues->text(), " · SUMMA 21.05 · PHONE 111");
    const std::vector<std::string> first = {"0001", "_020", "_001", "__PS", "+RR ", "_005", "+SSK"};
    const std::vector<std::string> third = {"0001", "_001", "__PS", "+RR ", "_005", "+SSK"};
    ASSERT_TRUE(playTemplate());
    EXPECT_EQ(playedChunks(), first);

    // The first step leaves the first live record, over the deleted record 2.
    bar.recordNumber->stepBy(1);
    EXPECT_EQ(bar.recordNumber->text(), "запись 3 из 4");
    EXPECT_EQ(bar.recordValues->text(), " · SUMMA 1.05 · PHONE +7 912 34");
    ASSERT_TRUE(playTemplate());
    EXPECT_EQ(playedChunks(), third);
    // Going to another item of the task keeps the record; the table read afresh without it
    // does not.
    bar.setTable(table, bound);
    EXPECT_EQ(bar.recordNumber->value(), 3);
    bar.recordNumber->stepBy(-1);
    EXPECT_EQ(bar.recordNumber->value(), 0);

    // A deleted record cannot be typed in either.
    for (const char *typed : {"4", "2"}) {
        bar.recordNumber->selectAll();
        QTest::keyClicks(bar.recordNumber, typed);
        QTest::keyClick(bar.recordNumber, Qt::Key_Return);
    }
    EXPECT_EQ(bar.recordNumber->value(), 4);

    // A table without live records offers nothing.
    bar.recordNumber->setValue(3);
    test::DbfBuilder({{"SUMMA", 'N', 10, 2}}).record({"1.05"}, /*deleted=*/true).write(table);
    bar.setTable(table);
    EXPECT_FALSE(bar.recordNumber->isEnabled());
    EXPECT_EQ(bar.recordNumber->value(), 0);
}

TEST_F(TemplateListeningTest, SearchFindsTheNextRecordHoldingTheText)
{
    PlayerBar bar(player, listening, ui);
    bar.setTable(table);
    bar.searchColumn->setCurrentText("PHONE");
    bar.searchText->setText("912");
    bar.findRecord->click();
    EXPECT_EQ(bar.recordNumber->value(), 3); // the deleted record 2 is not found
    bar.findRecord->click();
    EXPECT_EQ(bar.recordNumber->value(), 4);
    bar.findRecord->click();
    EXPECT_EQ(bar.recordNumber->value(), 3); // round to the start
    ASSERT_TRUE(playTemplate());
    EXPECT_EQ(playedChunks(),
              (std::vector<std::string>{"0001", "_001", "__PS", "+RR ", "_005", "+SSK"}));

    bar.searchText->setText("777");
    ui.expectMessage("777", MessageAnswer::Ok);
    bar.findRecord->click();
    ASSERT_EQ(ui.messages().size(), 1U);
    EXPECT_EQ(ui.messages()[0].caption, "Поиск записи");
    EXPECT_EQ(ui.messages()[0].text, "Нет записи, в столбце которой есть «777».");
    EXPECT_EQ(bar.recordNumber->value(), 3);
}

TEST_F(TemplateListeningTest, PhoneSwitchSendsTheSoundThroughTheLine)
{
    PlayerBar bar(player, listening, ui);
    ASSERT_TRUE(playTemplate());
    ASSERT_EQ(audio.playedBlocks().size(), 1U);
    const std::vector<std::int16_t> plain = audio.playedBlocks().front();

    for (const LineCoding coding : {LineCoding::ALaw, LineCoding::MuLaw}) {
        bar.phoneLine->setChecked(true);
        (coding == LineCoding::ALaw ? bar.aLaw : bar.muLaw)->trigger();
        ASSERT_TRUE(playTemplate());
        std::vector<std::int16_t> expected = plain;
        passPhoneLine(expected, coding);
        EXPECT_EQ(audio.playedBlocks().back(), expected);
        EXPECT_NE(expected, plain);
    }
    bar.phoneLine->setChecked(false);
    ASSERT_TRUE(playTemplate());
    EXPECT_EQ(audio.playedBlocks().back(), plain);
}

} // namespace vorela
