// A main window over a real registry store in a temporary data directory.
#include "MainWindowFixture.h"

#include "mainwindow/SourceTree.h"
#include "mainwindow/TaskTree.h"
#include "platform/qt/QtText.h"
#include "soundbank/RiffBytes.h"
#include "stores/Aliases.h"
#include "stores/RegistryPaths.h"

#include <QApplication>

#include <fstream>
#include <iterator>

namespace vorela::test {

void MainWindowFixture::writeBank(const std::vector<std::string> &ids) const
{
    std::vector<Bytes> sounds;
    for (const std::string &id : ids)
        sounds.push_back(chunk(id, samples(1, /*first=*/1)));
    writeFile(dataDir.dataDirectory().productBank(), test::bank(sounds));
}

std::vector<std::string> MainWindowFixture::bankChunks() const
{
    std::ifstream in(dataDir.dataDirectory().productBank(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> ids;
    for (std::size_t pos = 12; pos + 8 <= bytes.size();) {
        const std::string id = bytes.substr(pos, 4);
        std::uint32_t size = 0;
        for (int i = 0; i < 4; ++i)
            size |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[pos + 4 + i]))
                    << (8 * i);
        if (id != "fmt ")
            ids.push_back(id);
        pos += 8 + size + (size & 1);
    }
    return ids;
}

void MainWindowFixture::SetUp()
{
    std::string error;
    store = RegistryStore::open(dataDir.dataDirectory().registry(), error);
    ASSERT_TRUE(store) << error;
    root = std::make_unique<LexItem>(*store);
    ASSERT_TRUE(root->SetText("Лексемы и функции"));
    const std::string common = root->AppendChild("Общие", "", 4, 1, FolderMask, "");
    const std::string empty = root->AppendChild("Пустая", "", 4, 1, FolderMask, "");
    ASSERT_EQ(common, "1");
    ASSERT_EQ(empty, "2");
    LexItem &folder = *root->GetChild(common);
    ASSERT_EQ(folder.AppendChild("Приветствие", "PRIV", 4, 0, LexemeMask, ""), "1");
    ASSERT_EQ(folder.AppendChild("Добрый день", "0001", 4, 0, LexemeMask, ""), "2");
    ASSERT_EQ(folder.AppendChild("Граница", "____", 2, 0, 0, ""), "3");
    ASSERT_EQ(folder.AppendChild("Сумма", "@007", 2, 0, 0, ""), "4");
    ASSERT_EQ(folder.AppendChild("Таблица", "#001", 6, 0, LexemeTableMask, ""), "5");
    ASSERT_EQ(folder.GetChild("5")->AppendChild("Вход", "|001", 0, 0, 0, "k"), "1");
    ASSERT_EQ(folder.AppendChild("Вложенная", "", 4, 1, FolderMask, ""), "6");
    ASSERT_EQ(folder.GetChild("6")->AppendChild("Глубокая", "0002", 4, 0, LexemeMask, ""), "1");

    for (const char *path : {"Задание Б\\Операторы\\Оп2\\", "Задание Б\\Операторы\\Оп1\\",
                             "Задание А\\Операторы\\Оп\\"})
        ASSERT_TRUE(store->createKey(std::string(TasksRootPath) + path).isOpen());
    Aliases aliases(*store, dataDir.dataDirectory());
    std::string newName;
    ASSERT_TRUE(aliases.InsertTemplateItem("Задание А", "Оп", "", {.path = "1\\2\\", .arg = "Поле"},
                                           newName));
    ASSERT_TRUE(aliases.InsertTemplateItem("Задание А", "Оп", "", {.path = "1\\1\\"}, newName));
    writeBank({"0001", "0002", "PRIV", "|001"});
    bank = std::make_unique<SoundBank>(dataDir.dataDirectory(), ui);
    openForm();
}

void MainWindowFixture::TearDown()
{
    closeForm();
    EXPECT_TRUE(ui.finished()) << "a scripted answer was not asked for";
}

void MainWindowFixture::openForm()
{
    closeForm();
    const EditorContext context{*store, *root, dataDir.dataDirectory(), ui, tables, *bank};
    form = std::make_unique<Form1>(context);
}

void MainWindowFixture::closeForm()
{
    if (!form)
        return;
    form->close();
    form.reset();
}

QTreeWidget &MainWindowFixture::sourceTree() const
{
    return *form->findChild<QTreeWidget *>(QStringLiteral("tv_2"));
}

QTreeWidget &MainWindowFixture::taskTree() const
{
    return *form->findChild<QTreeWidget *>(QStringLiteral("tv_1"));
}

QAction &MainWindowFixture::action(const char *name) const
{
    QAction *found = form->findChild<QAction *>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

static QTreeWidgetItem *findPath(QTreeWidgetItem *item, const std::vector<std::string> &texts)
{
    for (const std::string &text : texts) {
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; item != nullptr && i < item->childCount(); ++i) {
            if (item->child(i)->text(0) == toQString(text))
                next = item->child(i);
        }
        item = next;
    }
    return item;
}

QTreeWidgetItem *MainWindowFixture::sourceItem(const std::vector<std::string> &texts) const
{
    return findPath(sourceTree().topLevelItem(0), texts);
}

QTreeWidgetItem *MainWindowFixture::taskItem(const std::vector<std::string> &texts) const
{
    return findPath(taskTree().topLevelItem(0), texts);
}

void MainWindowFixture::runSourceCommand(QTreeWidgetItem *item, const char *actionName)
{
    ASSERT_NE(item, nullptr);
    sourceTree().setCurrentItem(item);
    form->sourceTree().prepareMenu();
    QAction &command = action(actionName);
    ASSERT_TRUE(command.isEnabled()) << actionName;
    command.trigger();
}

void MainWindowFixture::runTaskCommand(QTreeWidgetItem *item, const char *actionName)
{
    ASSERT_NE(item, nullptr);
    taskTree().setCurrentItem(item);
    form->taskTree().prepareMenu();
    QAction &command = action(actionName);
    ASSERT_TRUE(command.isEnabled()) << actionName;
    command.trigger();
}

std::vector<std::string> MainWindowFixture::templateTexts(const std::string &task,
                                                          const std::string &operatorName) const
{
    Aliases aliases(*store, dataDir.dataDirectory());
    std::vector<std::string> texts;
    for (const PatternItem &item : aliases.GetTemplate(task, operatorName))
        texts.push_back(item.text + (item.arg.empty() ? "" : "(" + item.arg + ")"));
    return texts;
}

std::string MainWindowFixture::lastMessage() const
{
    return ui.messages().empty() ? std::string() : ui.messages().back().text;
}

std::vector<std::string> MainWindowFixture::childTexts(const QTreeWidgetItem *item)
{
    std::vector<std::string> texts;
    for (int i = 0; item != nullptr && i < item->childCount(); ++i)
        texts.push_back(toUtf8(item->child(i)->text(0)));
    return texts;
}

} // namespace vorela::test
