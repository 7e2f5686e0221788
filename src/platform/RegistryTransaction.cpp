// Write transactions and read snapshots of the registry store, and the store's transaction levels
// beneath them.
#include "platform/RegistryTransaction.h"

#include "platform/RegistryStore.h"

#include <sqlite3.h>

#include <string>

namespace vorela {

RegistryTransaction::RegistryTransaction(RegistryStore &store)
    : owner(store), active(store.beginTransaction())
{
}

// Ending without commit() rolls back, and says so by returning false: nothing to report.
RegistryTransaction::~RegistryTransaction()
{
    if (!finished)
        (void)owner.endTransaction(/*keep=*/false);
}

bool RegistryTransaction::commit()
{
    if (finished)
        return false;
    finished = true;
    return owner.endTransaction(/*keep=*/active);
}

RegistryReadTransaction::RegistryReadTransaction(RegistryStore &store)
    : owner(store), began(store.beginRead())
{
}

// Only defaults written while reading can be lost here, and a later read writes them again.
RegistryReadTransaction::~RegistryReadTransaction()
{
    if (began)
        (void)owner.endRead();
}

// Levels: the outermost is BEGIN IMMEDIATE (or a read snapshot), inner ones are savepoints, so an
// inner operation that fails rolls back only its own writes and its caller decides the rest.
// A level that fails to begin (another writer held the store past the busy timeout) fails every
// write inside it and ends without touching the connection.
bool RegistryStore::beginTransaction()
{
    bool begun = false;
    if (failedLevels == 0 && takeStep()) {
        if (depth == 0) {
            begun = closeOpenTransaction() && execute("BEGIN IMMEDIATE");
        } else {
            begun = execute(("SAVEPOINT level" + std::to_string(depth)).c_str());
        }
    }
    ++depth;
    if (!begun)
        ++failedLevels;
    return begun;
}

bool RegistryStore::endTransaction(bool keep)
{
    --depth;
    if (failedLevels > 0) {
        --failedLevels;
        return false;
    }
    if (depth > 0)
        return endSavepoint(keep);
    const bool committed = keep && !outerSpoilt && takeStep() && execute("COMMIT");
    outerSpoilt = false;
    // Whatever a failed COMMIT left open is rolled back now, or else by the next begin.
    return closeOpenTransaction() && committed;
}

bool RegistryStore::endSavepoint(bool keep)
{
    const std::string savepoint = "level" + std::to_string(depth);
    if (keep && takeStep() && execute(("RELEASE " + savepoint).c_str()))
        return true;
    if (!execute(("ROLLBACK TO " + savepoint).c_str()) ||
        !execute(("RELEASE " + savepoint).c_str()))
        outerSpoilt = true;
    return false;
}

bool RegistryStore::closeOpenTransaction()
{
    return sqlite3_get_autocommit(db.get()) != 0 || execute("ROLLBACK");
}

bool RegistryStore::beginRead()
{
    if (depth > 0 || !closeOpenTransaction() || !execute("BEGIN"))
        return false;
    ++depth;
    return true;
}

bool RegistryStore::endRead()
{
    --depth;
    const bool committed = !outerSpoilt && execute("COMMIT");
    outerSpoilt = false;
    return closeOpenTransaction() && committed;
}

} // namespace vorela
