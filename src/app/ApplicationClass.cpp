// The editor process.
#include "app/ApplicationClass.h"

#include "app/EditorPlayback.h"
#include "app/EditorWindows.h"
#include "app/InstanceChannel.h"
#include "app/QtTranslation.h"
#include "mainwindow/Form1.h"
#include "platform/NamedMutex.h"
#include "platform/RegistryStore.h"
#include "platform/qt/QtAudioDevice.h"
#include "platform/qt/QtUiServices.h"
#include "soundbank/CurrencyInstallation.h"
#include "soundbank/SoundBank.h"
#include "stores/LexItem.h"
#include "tables/DbfTaskTableQuery.h"
#include "versions/History.h"
#include "versions/LoginName.h"
#include "versions/VersionRestore.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTranslator>

#include <fcntl.h>
#include <unistd.h>

#include <iostream>
#include <memory>
#include <string>
#include <system_error>

namespace vorela {

static constexpr const char *StartCaption = "Редактор лексем";
static constexpr const char *NoLockText =
    "Не удаётся создать блокировку редактора в каталоге данных:\n";
static constexpr const char *NoLockTail =
    "\nПроверьте, что каталог существует и доступен для записи.";
static constexpr const char *NoRegistryText = "Не удаётся открыть реестр редактора:\n";
static constexpr const char *RestoreFinishedText =
    "Прошлое восстановление версии библиотеки было прервано. Теперь оно завершено: библиотека "
    "восстановлена полностью.";
static constexpr const char *RestoreUnfinishedText =
    "Прошлое восстановление версии библиотеки было прервано, и завершить его не удалось:\n";
static constexpr const char *RestoreUnfinishedTail =
    "\n\nЧасть библиотеки может остаться прежней. Закройте редактор и запустите его снова, "
    "чтобы повторить попытку.";
// A template or the bank kept by a mailing is waited for this long.
static constexpr std::chrono::seconds RestoreLockWait{5};

// Whether the guard's lock file can be created at all: when it cannot, tryLock fails just as it
// does while another copy runs, and the operator must be told instead of seeing nothing.
static bool lockFileUsable(const DataDirectory &dataDirectory)
{
    std::error_code error;
    std::filesystem::create_directories(dataDirectory.locks(), error);
    const std::filesystem::path file =
        dataDirectory.locks() / NamedMutex::lockFileName(EditorMutexName);
    const int descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return false;
    ::close(descriptor);
    return true;
}

// The second copy's only act: the operator who started it wants the editor in front.
static void callRunningCopy(int &argc, char **argv, const DataDirectory &dataDirectory)
{
    std::unique_ptr<QCoreApplication> core;
    if (QCoreApplication::instance() == nullptr)
        core = std::make_unique<QCoreApplication>(argc, argv);
    if (!InstanceChannel::requestFront(dataDirectory.root()))
        std::cerr << "vorela-editor: the editor running on this data directory did not answer\n";
}

ApplicationClass::ApplicationClass(int &argumentCount, char **arguments, UiServices *ui)
    : argc(argumentCount), argv(arguments), startupUi(ui),
      dataDirectory(DataDirectory::fromEnvironment())
{
}

void ApplicationClass::reportStartFailure(const std::string &text)
{
    std::cerr << "vorela-editor: " << text << '\n';
    tellAtStart(text, MessageIcon::Warning);
}

void ApplicationClass::tellAtStart(const std::string &text, MessageIcon icon)
{
    QtUiServices qtUi;
    UiServices &ui = startupUi != nullptr ? *startupUi : qtUi;
    // An Ok-only message has no answer to weigh.
    (void)ui.showMessage({StartCaption, text, icon, MessageButtons::Ok, MessageAnswer::Ok});
}

// Run holding the editor's mutex, before the library is loaded, so the trees show the library
// whole.
void ApplicationClass::finishInterruptedRestore(RegistryStore &store)
{
    if (!restoreInterrupted(dataDirectory))
        return;
    VersionOutcome outcome;
    const std::unique_ptr<History> history = History::open(dataDirectory, outcome.error);
    if (history)
        outcome = vorela::finishInterruptedRestore(
            dataDirectory, store, *history, loginName(),
            {.wait = RestoreLockWait, .editor = EditorHolder::Caller});
    if (outcome.ok())
        tellAtStart(RestoreFinishedText, MessageIcon::Information);
    else
        reportStartFailure(RestoreUnfinishedText + outcome.error + RestoreUnfinishedTail);
}

int ApplicationClass::run()
{
    // The guard comes first, so a second copy never opens a window or touches the data.
    NamedMutex instance(dataDirectory, std::string(EditorMutexName));
    const bool guardUsable = lockFileUsable(dataDirectory);
    if (guardUsable && !instance.tryLock()) {
        callRunningCopy(argc, argv, dataDirectory);
        return SecondCopy;
    }
    std::unique_ptr<QApplication> application;
    if (QCoreApplication::instance() == nullptr)
        application = std::make_unique<QApplication>(argc, argv);
    // Qt's own buttons and file dialog in Russian; without them they stay English.
    const std::unique_ptr<QTranslator> qtTexts = installQtTranslation();
    if (!qtTexts)
        std::cerr << "vorela-editor: Qt's Russian texts (qtbase_ru) not found\n";
    if (!guardUsable) {
        reportStartFailure(NoLockText + dataDirectory.locks().string() + NoLockTail);
        return DataUnusable;
    }

    std::string error;
    const std::unique_ptr<RegistryStore> store =
        RegistryStore::open(dataDirectory.registry(), error);
    if (!store) {
        reportStartFailure(NoRegistryText + dataDirectory.registry().string() + "\n" + error);
        return DataUnusable;
    }
    finishInterruptedRestore(*store);
    LexItem lexemeRoot(*store);
    QtUiServices ui;
    const DbfTaskTableQuery tables;
    SoundBank bank(dataDirectory, ui);
    QtAudioDevice audio;
    const EditorContext context{*store, lexemeRoot, dataDirectory, ui, tables, bank};
    if (QGuiApplication::primaryScreen() == nullptr)
        return NoMainWindow;

    Form1Hooks hooks;
    hooks.installCurrency = [&lexemeRoot, this] {
        return !installCurrency(lexemeRoot, dataDirectory).writeFailed;
    };
    {
        Form1 form(context, std::move(hooks));
        ui.setParent(&form);
        EditorWindows windows(form, context, audio);
        EditorPlayback playback(form, context, audio);
        const InstanceChannel channel(dataDirectory.root(), form);
        if (!channel.isListening())
            std::cerr << "vorela-editor: other copies cannot call this one: "
                      << channel.errorText().toStdString() << '\n';
        form.showWindow();
        const int code = QApplication::exec();
        ui.setParent(nullptr);
        if (code != 0)
            return code;
    }
    return 0;
}

} // namespace vorela
