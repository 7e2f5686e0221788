// The commands of the `vorela` tool. Each group lives in its own file; main.cpp dispatches.
#pragma once

#include "platform/DataDirectory.h"

#include <string>
#include <vector>

namespace vorela {

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

} // namespace vorela
