#include "player/TemplateListening.h"

#include "platform/Clock.h"
#include "platform/DbfBuilder.h"
#include "platform/DbfTaskTableQuery.h"
#include "platform/RegistryStore.h"
#include "platform/VirtualAudioDevice.h"
#include "player/Form3.h"
#include "player/TreeMarkers.h"
#include "soundbank/RiffBytes.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/Operators.h"
#include "stores/RegistryPaths.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <QSignalSpy>
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
        const std::filesystem::path table = directory.path() / "dolg.dbf";
        test::DbfBuilder({{"SUMMA", 'N', 10, 2}}).record({"21.05"}).write(table);
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

    /// The chunk ids spoken by the one block played, told apart by the first sample of each
    /// 80-sample lexeme; "?" for a piece that is no lexeme of the bank.
    std::vector<std::string> playedChunks() const
    {
        if (audio.playedBlocks().size() != 1)
            return {"blocks: " + std::to_string(audio.playedBlocks().size())};
        const std::vector<std::int16_t> &block = audio.playedBlocks().front();
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

    test::TempDataDir directory;
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

} // namespace vorela
