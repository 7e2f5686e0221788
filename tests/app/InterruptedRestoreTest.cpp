// A restore killed after its note was written is finished when the editor starts, before the
// trees are read, and the operator is told.
#include "app/ApplicationClass.h"
#include "platform/RegistryStore.h"
#include "stores/LexItem.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"
#include "versions/History.h"
#include "versions/VersionSave.h"

#include <QApplication>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace vorela::test {
namespace {

TEST(InterruptedRestoreTest, TheEditorFinishesItAtStartAndSaysSo)
{
    TempDataDir dataDir;
    const DataDirectory data = dataDir.dataDirectory();
    std::string error;
    {
        const std::unique_ptr<RegistryStore> store = RegistryStore::open(data.registry(), error);
        ASSERT_TRUE(store) << error;
        LexItem root(*store);
        ASSERT_EQ(root.AppendChild("Раз", "", 4, 0, LexemeMask, ""), "1");
        const std::unique_ptr<History> history = History::open(data, error);
        ASSERT_TRUE(history) << error;
        const VersionOutcome first = saveVersion(data, *store, *history, "t", "first");
        ASSERT_TRUE(first.ok()) << first.error;
        ASSERT_TRUE(root.SetChildText("1", "Два"));
        // Killed right after the note: the registry is still the newer library.
        std::ofstream(History::folder(data) / "vorela-restoring") << first.id << '\n';
    }
    ASSERT_EQ(setenv("VORELA_DATA_DIR", data.root().c_str(), 1), 0);
    ScriptedUiServices ui;
    ui.expectMessage("Теперь оно завершено", MessageAnswer::Ok);
    std::string shownText;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&poll, &shownText] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *tree = widget->findChild<QTreeWidget *>(QStringLiteral("tv_2"));
            if (tree == nullptr || !widget->isVisible())
                continue;
            shownText = tree->topLevelItem(0)->child(0)->text(0).toStdString();
            poll.stop();
            QCoreApplication::exit(0);
        }
    });
    poll.start();
    int argc = 1;
    char name[] = "vorela-editor";
    char *argv[] = {name, nullptr};
    ApplicationClass application(argc, argv, &ui);
    EXPECT_EQ(application.run(), 0);
    unsetenv("VORELA_DATA_DIR");
    EXPECT_TRUE(ui.finished());
    EXPECT_EQ(shownText, "Раз");
    EXPECT_FALSE(std::filesystem::exists(History::folder(data) / "vorela-restoring"));
}

} // namespace
} // namespace vorela::test
