// A forked process that takes the registry store's write lock with BEGIN IMMEDIATE.
#include "support/StoreLockHolder.h"

#include <sqlite3.h>

namespace vorela::test {

using namespace std::chrono_literals;

namespace {

constexpr char Held = 'h';
constexpr char Commit = 'c';
constexpr char Committed = 'd';

int holdWriteLock(const std::filesystem::path &file, ChildProcess &self)
{
    sqlite3 *connection = nullptr;
    if (sqlite3_open(file.c_str(), &connection) != SQLITE_OK)
        return 1;
    const auto run = [connection](const char *sql) {
        return sqlite3_exec(connection, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    };
    if (!run("PRAGMA journal_mode=WAL") || !run("BEGIN IMMEDIATE"))
        return 2;
    self.tell(Held);
    if (self.await() != Commit || !run("COMMIT"))
        return 3;
    self.tell(Committed);
    sqlite3_close(connection);
    return 0;
}

} // namespace

StoreLockHolder::StoreLockHolder(const std::filesystem::path &file)
    : child([file](ChildProcess &self) { return holdWriteLock(file, self); }),
      isHeld(child.receive(10s) == Held)
{
}

bool StoreLockHolder::commit()
{
    child.send(Commit);
    return child.receive(10s) == Committed && child.wait() == 0;
}

} // namespace vorela::test
