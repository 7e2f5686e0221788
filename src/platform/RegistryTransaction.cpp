// Write transactions and read snapshots of the registry store, and the store's transaction levels
// beneath them.
#include "platform/RegistryTransaction.h"

#include "platform/RegistryStore.h"

#include <sqlite3.h>

#include <string>
#include <utility>

namespace vorela {

RegistryTransaction::RegistryTransaction(RegistryStore &store)
    : owner(store), active(store.beginTransaction())
{
}

RegistryTransaction::~RegistryTransaction()
{
    if (!finished)
        owner.abandonTransaction();
}

bool RegistryTransaction::commit()
{
    if (finished)
        return false;
    finished = true;
    return owner.commitTransaction();
}

RegistryReadTransaction::RegistryReadTransaction(RegistryStore &store)
    : owner(store), began(store.beginRead())
{
}

RegistryReadTransaction::~RegistryReadTransaction()
{
    if (began)
        owner.endRead();
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

bool RegistryStore::commitTransaction()
{
    --depth;
    if (failedLevels > 0) {
        --failedLevels;
        return false;
    }
    if (depth > 0)
        return releaseSavepoint();
    const bool committed = !std::exchange(outerSpoilt, false) && takeStep() && execute("COMMIT");
    // Whatever a failed COMMIT left open is rolled back now, or else by the next begin.
    return closeOpenTransaction() && committed;
}

// Nobody is told of a rollback that fails, as nothing is lost by it: a savepoint that stays
// spoils the commit of its outer transaction, and an outer transaction left open is rolled back
// by the next begin before anything is written.
void RegistryStore::abandonTransaction()
{
    --depth;
    if (failedLevels > 0) {
        --failedLevels;
        return;
    }
    if (depth > 0) {
        rollbackSavepoint();
        return;
    }
    outerSpoilt = false;
    rollbackOpenTransaction();
}

bool RegistryStore::releaseSavepoint()
{
    if (takeStep() && execute(("RELEASE level" + std::to_string(depth)).c_str()))
        return true;
    rollbackSavepoint();
    return false;
}

void RegistryStore::rollbackSavepoint()
{
    const std::string savepoint = "level" + std::to_string(depth);
    if (!execute(("ROLLBACK TO " + savepoint).c_str()) ||
        !execute(("RELEASE " + savepoint).c_str()))
        outerSpoilt = true;
}

// The connection itself records the outcome: closeOpenTransaction() reads it.
void RegistryStore::rollbackOpenTransaction()
{
    if (sqlite3_get_autocommit(db.get()) == 0)
        sqlite3_exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

bool RegistryStore::closeOpenTransaction()
{
    rollbackOpenTransaction();
    return sqlite3_get_autocommit(db.get()) != 0;
}

bool RegistryStore::beginRead()
{
    if (depth > 0 || !closeOpenTransaction() || !execute("BEGIN"))
        return false;
    ++depth;
    return true;
}

// Only defaults written while reading can be lost when the COMMIT fails, and a later read
// writes them again; a snapshot left open is rolled back by the next begin.
void RegistryStore::endRead()
{
    --depth;
    if (std::exchange(outerSpoilt, false) || !execute("COMMIT"))
        rollbackOpenTransaction();
}

} // namespace vorela
