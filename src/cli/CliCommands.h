// The commands of the `vorela` tool. Each group lives in its own file; main.cpp dispatches.
#pragma once

#include "platform/Clock.h"
#include "platform/DataDirectory.h"

#include <optional>
#include <string>
#include <vector>

namespace vorela {

class RegistryStore;
class UiServices;

struct CliContext {
    DataDirectory dataDirectory;
    UiServices &ui;
};

using CliArguments = std::vector<std::string>;

/// A command's exit status: 0 done, 1 failed (a message went to stderr), 2 a "no" answer.
using CliCommand = int (*)(CliContext &context, const CliArguments &arguments);

struct CliCommandEntry {
    const char *name;
    CliCommand run;
    const char *usage;
};

/// Prints "vorela: " + message to stderr and returns 1.
int cliFailure(const std::string &message);

/// verify IN.wav: 0 when the sound carries a valid certificate of a trusted key, 2 when not.
int verifyCommand(CliContext &context, const CliArguments &arguments);

/// reg import FILE | reg export [KEY] [-o FILE]: .reg files into and out of the registry store.
int regCommand(CliContext &context, const CliArguments &arguments);
/// lexemes: PATH, CHUNK, ICON, CHILD, MASK, KEYNAME, TEXT per node, depth-first in chain order.
int lexemesCommand(CliContext &context, const CliArguments &arguments);
/// tasks: TASK<TAB>OPERATOR per operator, in load order.
int tasksCommand(CliContext &context, const CliArguments &arguments);
/// templates TASK OPERATOR: NAME, PATH, CHUNK, ARG, TEXT per item in chain order.
int templatesCommand(CliContext &context, const CliArguments &arguments);

/// speak KIND [OPTIONS] VALUE...: the keys of one speech operation; 2 when they are not valid.
int speakCommand(CliContext &context, const CliArguments &arguments);
/// expand TASK OPERATOR [ITEM]: the template's keys with a "----NAME" marker per item; 2 when not
/// valid.
int expandCommand(CliContext &context, const CliArguments &arguments);

/// The clock that --today YYYY-MM-DD and --now HH:MM fix (the system's where absent), and the
/// arguments that are no option; empty after printing why an option is wrong.
struct ClockedArguments {
    FixedClock clock;
    CliArguments values;
};
[[nodiscard]] std::optional<ClockedArguments> parseClockedArguments(const CliArguments &arguments);
/// render TASK OPERATOR -o OUT.wav [--today YYYY-MM-DD] [--now HH:MM]: the template as the
/// player speaks it, as one WAV file; nothing is written when a lexeme cannot be spoken.
int renderCommand(CliContext &context, const CliArguments &arguments);
/// table columns FILE | table value FILE BINDING: a task table's columns, or one binding's value.
int tableCommand(CliContext &context, const CliArguments &arguments);

/// bank list | export ID OUT.wav | import ID IN.wav | remove ID: the product bank's chunks.
int bankCommand(CliContext &context, const CliArguments &arguments);
/// bank normalize ID... | --all: the sounds to the library's loudness in one rewrite of the bank.
int normalizeCommand(CliContext &context, const CliArguments &arguments);
/// install-currency: the currency words into the product bank and the lexeme tree.
int installCurrencyCommand(CliContext &context, const CliArguments &arguments);

/// The data directory a command works on: DIR when given as its only argument, else the context's.
[[nodiscard]] DataDirectory cliTargetDirectory(const CliContext &context,
                                               const CliArguments &arguments);
/// init [DIR]: a new data directory with the standard lexeme tree and no sounds.
int initCommand(CliContext &context, const CliArguments &arguments);
/// demo [DIR]: init, then synthesized recordings, currency bank, signed greeting, tasks and a
/// table.
int demoCommand(CliContext &context, const CliArguments &arguments);
/// check [--sounds [--verbose]]: the installation's problems, one per line (with --sounds the
/// sounds that stand out); exit 0 when clean, 2 when not.
int checkCommand(CliContext &context, const CliArguments &arguments);
enum class SoundTable { Hidden, Shown };
/// The sound lines of check --sounds, after the table of every sound when shown.
int reportSounds(CliContext &context, RegistryStore &store, SoundTable table);

} // namespace vorela
