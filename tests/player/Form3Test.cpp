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
        second = new QTreeWidgetItem(operatorItem, {"Сумма"});
        // A sound server is not needed: the greeting check is the only one the tests replace.
        player.setGreetingCheck([this](std::span<const std::int16_t>) { return greetingValid; });
    }

    std::string marker(const QTreeWidgetItem *item) const { return markerKey(treeItemHandle(item)); }
    static bool bold(const QTreeWidgetItem *item) { return item->font(0).bold(); }

    test::TempDataDir directory;
    VirtualAudioDevice audio;
    test::ScriptedUiServices ui;
    Form3 player{audio, ui, directory.dataDirectory(), "Редактор лексем"};
    QSignalSpy finished{&player, &Form3::finished};
    QTreeWidget tree;
    QTreeWidgetItem *first = nullptr;
    QTreeWidgetItem *second = nullptr;
    bool greetingValid = true;
};

TEST_F(Form3Test, TwoItemsPlayInOrderWithTheirMarks)
{
    ASSERT_TRUE(player.start({marker(first), "0001", "NULL", marker(second), "0002"}, &tree, true));
    EXPECT_TRUE(bold(first));
    EXPECT_FALSE(bold(second));
    ASSERT_EQ(audio.playedBlocks().size(), 1u);
    EXPECT_EQ(audio.playedBlocks()[0].size(), 800u);
    EXPECT_FALSE(player.start({"0002"}, &tree, true)); // one playback at a time

    audio.advance(99);
    EXPECT_EQ(audio.playedBlocks().size(), 1u); // 800 samples last 100 ms
    audio.advance(1);
    ASSERT_EQ(audio.playedBlocks().size(), 2u);
    EXPECT_EQ(audio.playedBlocks()[1].front(), 2000);
    EXPECT_TRUE(bold(second));
    EXPECT_EQ(finished.count(), 0);

    audio.advance(50);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_FALSE(bold(first));
    EXPECT_FALSE(bold(second));
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
    EXPECT_TRUE(player.keySequence().empty());
    EXPECT_FALSE(bold(first));
}

TEST_F(Form3Test, BankAndDeviceFailuresEndTheSequenceWithTheirMessage)
{
    struct Case {
        const char *name;
        std::string chunk;
        std::optional<AudioStart> deviceFailure;
        const char *caption;
        const char *text;
    };
    const Case cases[] = {
        {"missing", "0009", {}, "Редактор лексем", "Ошибка pаботы с файлом! (0004)"},
        {"busy", "0002", AudioStart::Busy, "Ошибка откpытия аудиоустpойства!",
         "Возможно оно занято дpугим пpиложением."},
        {"block refused", "0002", AudioStart::Failed, "Ошибка пpоигpывания блока аудиоданных!", ""},
    };
    for (const Case &c : cases) {
        if (c.deviceFailure)
            audio.failNextPlay(*c.deviceFailure);
        ui.expectMessage(c.text, MessageAnswer::Ok);
        const int before = finished.count();
        ASSERT_TRUE(player.start({marker(first), "0001", marker(second), c.chunk, "0001"}, &tree,
                                 true));
        audio.advance(100);
        EXPECT_EQ(finished.count(), before + 1) << c.name;
        EXPECT_EQ(ui.messages().back().caption, c.caption) << c.name;
        EXPECT_EQ(ui.messages().back().icon, MessageIcon::Warning);
        EXPECT_FALSE(bold(first)) << c.name;
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
