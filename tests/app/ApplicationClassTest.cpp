// Start-up: one editor per data directory, and a data directory the guard cannot use.
#include "app/ApplicationClass.h"
#include "platform/NamedMutex.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace vorela::test {
namespace {

const QString Editor = QStringLiteral(VORELA_BINARY_DIR "/src/app/vorela-editor");

QProcessEnvironment editorEnvironment(const TempDataDir &dataDir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VORELA_DATA_DIR", QString::fromStdString(dataDir.path().string()));
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
    ui.expectMessage("Не удаётся создать блокировку редактора в каталоге данных", MessageAnswer::Ok);
    int argc = 1;
    char name[] = "vorela-editor";
    char *argv[] = {name, nullptr};
    ApplicationClass application(argc, argv, &ui);
    EXPECT_EQ(application.run(), ApplicationClass::DataUnusable);
    EXPECT_TRUE(ui.finished());
    unsetenv("VORELA_DATA_DIR");
}

} // namespace
} // namespace vorela::test
