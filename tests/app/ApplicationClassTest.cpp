// Start-up: one editor per data directory, and a data directory the guard cannot use.
#include "app/ApplicationClass.h"
#include "platform/NamedMutex.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace vorela::test {
namespace {

const QString Editor = QStringLiteral(VORELA_BINARY_DIR "/src/app/vorela-editor");

// A private runtime folder, as a desktop session gives each user: the editors meet there.
QString runtimeFolder(const TempDataDir &dataDir)
{
    const std::filesystem::path folder = dataDir.path() / "run";
    std::filesystem::create_directory(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    return QString::fromStdString(folder.string());
}

QProcessEnvironment editorEnvironment(const TempDataDir &dataDir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VORELA_DATA_DIR", QString::fromStdString(dataDir.path().string()));
    environment.insert("XDG_RUNTIME_DIR", runtimeFolder(dataDir));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}

// Whether another process holds the editor's guard of dataDir, polled until timeoutMs.
bool guardHeldElsewhere(const TempDataDir &dataDir, int timeoutMs)
{
    NamedMutex probe(dataDir.dataDirectory(), "VEZEVOREZIDI");
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (!probe.tryLock())
            return true;
        probe.unlock();
        QTest::qWait(50);
    }
    return false;
}

TEST(ApplicationClassTest, SecondCopyOnTheSameDataDirectoryEndsAtOnceWithZero)
{
    TempDataDir dataDir;
    QProcess first;
    first.setProcessEnvironment(editorEnvironment(dataDir));
    first.start(Editor, {});
    ASSERT_TRUE(first.waitForStarted(10000));
    ASSERT_TRUE(guardHeldElsewhere(dataDir, 20000)) << first.readAllStandardError().toStdString();

    QProcess second;
    second.setProcessEnvironment(editorEnvironment(dataDir));
    second.start(Editor, {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().isEmpty());
    EXPECT_EQ(first.state(), QProcess::Running);

    // A copy that crashed leaves no guard behind.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_FALSE(guardHeldElsewhere(dataDir, 0));
}

TEST(ApplicationClassTest, UnusableDataDirectoryIsReportedAndEndsNonZero)
{
    TempDataDir dataDir;
    const std::filesystem::path notADirectory = dataDir.path() / "file";
    std::ofstream(notADirectory) << "x";
    ASSERT_EQ(setenv("VORELA_DATA_DIR", notADirectory.c_str(), 1), 0);
    ScriptedUiServices ui;
    ui.expectMessage("Не удаётся создать блокировку редактора в каталоге данных",
                     MessageAnswer::Ok);
    int argc = 1;
    char name[] = "vorela-editor";
    char *argv[] = {name, nullptr};
    ApplicationClass application(argc, argv, &ui);
    EXPECT_EQ(application.run(), ApplicationClass::DataUnusable);
    EXPECT_TRUE(ui.finished());
    unsetenv("VORELA_DATA_DIR");
}

// Sets an environment variable for one test and puts back what was there.
class ScopedVariable {
public:
    ScopedVariable(const char *variableName, const QString &value) : name(variableName)
    {
        if (const char *old = std::getenv(name))
            previous = old;
        EXPECT_EQ(setenv(name, value.toLocal8Bit().constData(), 1), 0);
    }
    ~ScopedVariable()
    {
        if (previous)
            setenv(name, previous->c_str(), 1);
        else
            unsetenv(name);
    }
    ScopedVariable(const ScopedVariable &) = delete;
    ScopedVariable &operator=(const ScopedVariable &) = delete;

private:
    const char *name;
    std::optional<std::string> previous;
};

QMainWindow *visibleMainWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "Form1" && widget->isVisible())
            return qobject_cast<QMainWindow *>(widget);
    }
    return nullptr;
}

// The running editor is this test process; the second copy is the real program.
TEST(ApplicationClassTest, SecondCopyBringsTheRunningWindowToTheFront)
{
    TempDataDir dataDir;
    const ScopedVariable data("VORELA_DATA_DIR", QString::fromStdString(dataDir.path().string()));
    const ScopedVariable runtime("XDG_RUNTIME_DIR", runtimeFolder(dataDir));
    QProcess second;
    second.setProcessEnvironment(editorEnvironment(dataDir));
    bool asked = false;
    bool minimizedWhenAsked = false;
    bool restored = false;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        QMainWindow *window = visibleMainWindow();
        if (window != nullptr && !asked) {
            window->showMinimized();
            minimizedWhenAsked = window->isMinimized();
            second.start(Editor, {});
            asked = true;
            return;
        }
        restored = asked && window != nullptr && !window->isMinimized();
        if (!restored && clock.elapsed() < 20000)
            return;
        poll.stop();
        QCoreApplication::exit(0);
    });
    poll.start();
    int argc = 1;
    char name[] = "vorela-editor";
    char *argv[] = {name, nullptr};
    ApplicationClass application(argc, argv);
    EXPECT_EQ(application.run(), 0);
    EXPECT_TRUE(minimizedWhenAsked);
    EXPECT_TRUE(restored);
    ASSERT_TRUE(second.state() == QProcess::NotRunning || second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    const QByteArray secondErrors = second.readAllStandardError();
    EXPECT_TRUE(secondErrors.isEmpty()) << secondErrors.toStdString();
}

} // namespace
} // namespace vorela::test
