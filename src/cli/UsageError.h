// What is wrong with a command line the tool could not read, said in one line.
#pragma once

namespace CLI {
class App;
class Error;
} // namespace CLI

namespace vorela {

/// Names the unknown option, unknown command, missing or unexpected argument (else gives the
/// reader's own reason) in one line on stderr; returns the exit status of a usage error, 1.
int reportUsageError(const CLI::App &tool, const CLI::Error &error);

} // namespace vorela
