// The editor process: the single-instance guard of the data directory, the registry store and
// the lexeme tree loaded before any window, the main window, and the orderly shutdown.
#pragma once

#include "platform/DataDirectory.h"
#include "platform/UiServices.h"

#include <string>

namespace vorela {

class RegistryStore;

class ApplicationClass {
public:
    /// Exit codes: 0 after a normal end and when another copy runs on the data directory (which
    /// is asked to bring its window to the front),
    /// 1 when the data directory or its registry store cannot be used (after a message),
    /// -1 when the main window cannot be created.
    static constexpr int SecondCopy = 0;
    static constexpr int DataUnusable = 1;
    static constexpr int NoMainWindow = -1;

    /// startupUi shows the start-up failures (a Qt message box when null).
    ApplicationClass(int &argc, char **argv, UiServices *startupUi = nullptr);

    /// Runs the editor to its end and returns the exit code.
    [[nodiscard]] int run();

private:
    void reportStartFailure(const std::string &text);
    void tellAtStart(const std::string &text, MessageIcon icon);
    void finishInterruptedRestore(RegistryStore &store);

    int &argc;
    char **argv;
    UiServices *startupUi;
    DataDirectory dataDirectory;
};

} // namespace vorela
