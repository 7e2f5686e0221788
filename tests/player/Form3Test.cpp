#include "player/Form3.h"

#include "platform/VirtualAudioDevice.h"
#include "platform/qt/QtModalDialog.h"
#include "player/TreeMarkers.h"
#include "soundbank/RiffBytes.h"
#include "stores/KeySequence.h"
#include "support/CertifiedGreeting.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <QDialog>
#include <QSignalSpy>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace vorela {

// Scripted answers that also let a test look at the tree while a message is shown.
class WatchedUiServices : public test::ScriptedUiServices {
public:
    MessageAnswer showMessage(const MessageRequest &request) override
    {
        if (onMessage)
            onMessage();
        return ScriptedUiServices::showMessage(request);
    }

    std::function<void()> onMessage;
};

class Form3Test : public testing::Test {
protected:
    void SetUp() override
    {
        test::writeFile(directory.dataDirectory().productBank(),
                        test::bank({test::chunk("0001", test::samples(800, 1)),
                                    test::chunk("0002", test::samples(400, 2000)),
                                    test::chunk("PRIV", test::samples(80, 5))}));
        auto *operatorItem = new QTreeWidgetItem(&tree, {"Оператор"});
        first = new QTreeWidgetItem(operatorItem, {"Привет"});
        silent = new QTreeWidgetItem(operatorItem, {"Пустое поле"});
        second = new QTreeWidgetItem(operatorItem, {"Сумма"});
        third = new QTreeWidgetItem(operatorItem, {"Прощание"});
        // A sound server is not needed: the greeting check is the only one the tests replace.
        player.setGreetingCheck([this](std::span<const std::int16_t>) { return greetingValid; });
    }

    std::string marker(const QTreeWidgetItem *item) const
    {
        return markerKey(treeItemHandle(item));
    }
    static bool bold(const QTreeWidgetItem *item) { return item->font(0).bold(); }

    /// The template items in bold, in tree order.
    std::vector<const QTreeWidgetItem *> boldItems() const
    {
        std::vector<const QTreeWidgetItem *> items;
        for (const QTreeWidgetItem *item : {first, silent, second, third}) {
            if (bold(item))
                items.push_back(item);
        }
        return items;
    }

    test::TempDataDir directory;
    VirtualAudioDevice audio;
    WatchedUiServices ui;
    Form3 player{audio, ui, directory.dataDirectory(), "Редактор лексем"};
    QSignalSpy finished{&player, &Form3::finished};
    QTreeWidget tree;
    QTreeWidgetItem *first = nullptr;
    QTreeWidgetItem *silent = nullptr;
    QTreeWidgetItem *second = nullptr;
    QTreeWidgetItem *third = nullptr;
    bool greetingValid = true;
};

TEST_F(Form3Test, TheSequencePlaysAsOneBlockWithOnlyTheSpokenItemBold)
{
    ASSERT_TRUE(player.start({marker(first), "0001", "NULL", marker(silent), "NULL", marker(second),
                              "0002", marker(third), "0001"},
                             &tree, true));
    std::vector<std::int16_t> spoken = test::sampleValues(800, 1);
    for (const std::vector<std::int16_t> &part :
         {test::sampleValues(400, 2000), test::sampleValues(800, 1)})
        spoken.insert(spoken.end(), part.begin(), part.end());
    ASSERT_EQ(audio.playedBlocks().size(), 1u);
    EXPECT_EQ(audio.playedBlocks()[0], spoken);
    EXPECT_FALSE(player.start({"0002"}, &tree, true)); // one playback at a time

    // The items start at 0, 100 and 150 ms (800 samples last 100 ms); the silent item has no
    // time of its own. Each step moves the device's clock, then the marker timer ticks.
    struct Step {
        int ms;
        const QTreeWidgetItem *bold;
    };
    const Step steps[] = {{0, first},   {99, first}, {1, second},
                          {49, second}, {1, third},  {99, third}};
    int elapsed = 0;
    for (const Step &step : steps) {
        audio.advance(step.ms);
        player.showSpokenItem();
        elapsed += step.ms;
        EXPECT_EQ(boldItems(), std::vector<const QTreeWidgetItem *>{step.bold}) << elapsed;
    }
    EXPECT_EQ(finished.count(), 0);

    audio.advance(1);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_TRUE(boldItems().empty());
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Form3Test, SilentEmptyOrMarkerEndedListsFinishCleanly)
{
    const std::vector<std::vector<std::string>> sequences = {
        {marker(first), "NULL", "NULL"}, {}, {marker(first)}, {"NULL", marker(second)}};
    int expectedFinishes = 0;
    for (const std::vector<std::string> &keys : sequences) {
        ASSERT_TRUE(player.start(keys, &tree, true));
        EXPECT_EQ(finished.count(), ++expectedFinishes);
        EXPECT_FALSE(player.isPlaying());
        EXPECT_FALSE(bold(first));
        EXPECT_FALSE(bold(second));
    }
    EXPECT_TRUE(audio.playedBlocks().empty());
}

TEST_F(Form3Test, StopDuringALexemeDiscardsTheRest)
{
    ASSERT_TRUE(player.start({marker(first), "0001", marker(second), "0002"}, &tree, true));
    audio.advance(30);
    player.stop();
    audio.advance(0);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(audio.playedBlocks().size(), 1u);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_FALSE(bold(first));
    audio.advance(200);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(Form3Test, BankAndDeviceFailuresEndTheSequenceWithTheirMessageBeforeAnySound)
{
    struct Case {
        const char *name;
        std::string chunk;
        std::optional<AudioStart> deviceFailure;
        const char *caption;
        const char *text;
        std::vector<const QTreeWidgetItem *> boldAtMessage;
    };
    const Case cases[] = {
        // The item holding the missing lexeme is shown while the operator reads the message.
        {"missing", "0009", {}, "Редактор лексем", "Ошибка pаботы с файлом! (0004)", {second}},
        {"busy",
         "0002",
         AudioStart::Busy,
         "Ошибка откpытия аудиоустpойства!",
         "Возможно оно занято дpугим пpиложением.\r\nЗакpойте все дpугие пpиложения, "
         "пpоигрывающие звук и повтоpите попытку.\r\n",
         {}},
        {"block refused",
         "0002",
         AudioStart::Failed,
         "Ошибка пpоигpывания блока аудиоданных!",
         "",
         {}},
    };
    std::vector<const QTreeWidgetItem *> boldAtMessage;
    ui.onMessage = [this, &boldAtMessage] { boldAtMessage = boldItems(); };
    for (const Case &c : cases) {
        if (c.deviceFailure)
            audio.failNextPlay(*c.deviceFailure);
        ui.expectMessage(c.text, MessageAnswer::Ok);
        const int before = finished.count();
        ASSERT_TRUE(
            player.start({marker(first), "0001", marker(second), c.chunk, "0001"}, &tree, true));
        audio.advance(100);
        EXPECT_EQ(finished.count(), before + 1) << c.name;
        EXPECT_TRUE(audio.playedBlocks().empty()) << c.name;
        EXPECT_EQ(ui.messages().back().caption, c.caption) << c.name;
        EXPECT_EQ(ui.messages().back().text, c.text) << c.name;
        EXPECT_EQ(ui.messages().back().icon, MessageIcon::Warning);
        EXPECT_EQ(boldAtMessage, c.boldAtMessage) << c.name;
        EXPECT_TRUE(boldItems().empty()) << c.name;
        EXPECT_FALSE(player.isPlaying()) << c.name;
    }
    EXPECT_TRUE(ui.finished());
}

TEST_F(Form3Test, WithoutASoundCardNothingPlaysAndNothingIsSaid)
{
    audio.setOutputAvailable(false);
    ASSERT_TRUE(player.start({marker(first), "0001", "0002"}, &tree, true));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(audio.playedBlocks().empty());
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Form3Test, WrongBankFormatIsRefusedOnlyWhenChecked)
{
    test::writeFile(directory.dataDirectory().productBank(),
                    test::riffWave({test::chunk("fmt ", test::formatRecord(1, 1, 11025, 22050)),
                                    test::chunk("0001", test::samples(11025))}));
    ui.expectMessage("Частота дискретизации:  8кГц", MessageAnswer::Ok);
    ASSERT_TRUE(player.start({"0001"}, &tree, true));
    EXPECT_EQ(ui.messages().back().caption, "Недопустимый формат файла!");
    EXPECT_TRUE(audio.playedBlocks().empty());

    ASSERT_TRUE(player.start({"0001"}, &tree, false));
    ASSERT_EQ(audio.playedBlocks().size(), 1u);
    audio.advance(1000);
    EXPECT_EQ(finished.count(), 2);
}

TEST_F(Form3Test, UncertifiedGreetingPhraseIsRefusedAndNothingPlays)
{
    // The real check: the data directory trusts no key, so no greeting phrase verifies.
    Form3 checkedPlayer{audio, ui, directory.dataDirectory(), "Редактор лексем"};
    QSignalSpy checkedFinished{&checkedPlayer, &Form3::finished};
    std::string refusalCaption;
    ui.expectDialog("FormErrorVerify", [&refusalCaption](ModalDialog &dialog) {
        refusalCaption = qDialogOf(dialog)->windowTitle().toStdString();
        return 1;
    });
    ASSERT_TRUE(checkedPlayer.start({marker(first), "PRIV", marker(second), "0001"}, &tree, true));
    EXPECT_EQ(checkedFinished.count(), 1);
    EXPECT_EQ(refusalCaption, "Редактор лексем");
    EXPECT_TRUE(audio.playedBlocks().empty());
    EXPECT_FALSE(bold(first));
    EXPECT_TRUE(ui.finished());

    // A greeting phrase certified with a trusted key plays like any other lexeme.
    const std::vector<std::int16_t> greeting = test::certifiedGreeting(directory.dataDirectory());
    ASSERT_FALSE(greeting.empty());
    test::Bytes greetingBytes;
    for (const std::int16_t sample : greeting)
        test::putU16(greetingBytes, static_cast<std::uint16_t>(sample));
    test::writeFile(directory.dataDirectory().productBank(),
                    test::bank({test::chunk("PRIV", greetingBytes)}));
    ASSERT_TRUE(checkedPlayer.start({marker(first), "PRIV"}, &tree, true));
    ASSERT_EQ(audio.playedBlocks().size(), 1u);
    EXPECT_EQ(audio.playedBlocks()[0], greeting);
}

} // namespace vorela
