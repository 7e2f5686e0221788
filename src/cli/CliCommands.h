// The commands of the `vorela` tool. Each group lives in its own file and adds itself to the
// tool's command line (CommandLine.cpp lists the files once).
#pragma once

#include "platform/DataDirectory.h"

#include <functional>
#include <string>

namespace CLI {
class App;
}

namespace vorela {

class RegistryStore;
class UiServices;

struct CliContext {
    DataDirectory dataDirectory;
    UiServices &ui;
};

/// The command the command line chose, with its arguments bound; it returns the exit status:
/// 0 done, 1 failed (a message went to stderr), 2 a "no" answer.
using CliAction = std::function<int(CliContext &context)>;

/// Each adds its file's commands under tool; the one the command line chooses sets action.
void addVerifyCommand(CLI::App &tool, CliAction &action);
void addRegCommands(CLI::App &tool, CliAction &action);
void addStoreCommands(CLI::App &tool, CliAction &action);
void addSpeechCommands(CLI::App &tool, CliAction &action);
void addTableCommands(CLI::App &tool, CliAction &action);
void addBankCommands(CLI::App &tool, CliAction &action);
void addSetupCommands(CLI::App &tool, CliAction &action);
void addDemoCommand(CLI::App &tool, CliAction &action);
void addRenderCommand(CLI::App &tool, CliAction &action);
void addPreflightCommand(CLI::App &tool, CliAction &action);
void addTaskCommands(CLI::App &tool, CliAction &action);
void addLibraryCommands(CLI::App &tool, CliAction &action);

/// Prints "vorela: " + message to stderr, where a caller that fails later returns its own status.
void sayCliFailure(const std::string &message);
/// Prints as sayCliFailure does and returns 1, the status of a command that failed.
int cliFailure(const std::string &message);

/// bank normalize ID... | --all: the sounds to the library's loudness in one rewrite of the bank.
void addNormalizeCommand(CLI::App &bank, CliAction &action);

/// library publish|pull|hosts: the versions shared with the notification hosts through a remote.
void addLibraryRemoteCommands(CLI::App &library, CliAction &action);

/// The data directory a command works on: directory when given (not empty), else the context's.
[[nodiscard]] DataDirectory cliTargetDirectory(const CliContext &context,
                                               const std::string &directory);

enum class SoundTable { Hidden, Shown };
/// check --sounds: the sound lines, after the table of every sound when shown; exit 0 when
/// clean, 2 when not.
int reportSounds(CliContext &context, RegistryStore &store, SoundTable table);

} // namespace vorela
