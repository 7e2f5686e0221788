// Transactions of the registry store: a write transaction that rolls back unless committed, and
// a read snapshot for loading whole trees.
#pragma once

namespace vorela {

class RegistryStore;

/// Opens `BEGIN IMMEDIATE` (or, inside another transaction, a savepoint) and rolls it back on
/// destruction unless commit() succeeded. A store operation that writes several values holds one
/// for its whole duration, so a crash or a failed step leaves it whole or absent.
/// When the transaction cannot begin, every write inside it fails and commit() returns false.
class RegistryTransaction {
public:
    explicit RegistryTransaction(RegistryStore &store);
    ~RegistryTransaction();
    RegistryTransaction(const RegistryTransaction &) = delete;
    RegistryTransaction &operator=(const RegistryTransaction &) = delete;

    /// Whether the transaction began; writes inside a failed one all fail.
    [[nodiscard]] bool isActive() const { return active; }
    /// Makes the writes durable (or, nested, hands them to the enclosing transaction); false
    /// leaves the store as it was before this transaction.
    [[nodiscard]] bool commit();

private:
    RegistryStore &owner;
    bool active = false;
    bool finished = false;
};

/// A consistent snapshot for reading a whole tree. Writes made inside it (defaults created when
/// first read) are kept when it ends. Inside another transaction it does nothing.
class RegistryReadTransaction {
public:
    explicit RegistryReadTransaction(RegistryStore &store);
    ~RegistryReadTransaction();
    RegistryReadTransaction(const RegistryReadTransaction &) = delete;
    RegistryReadTransaction &operator=(const RegistryReadTransaction &) = delete;

private:
    RegistryStore &owner;
    bool began = false;
};

} // namespace vorela
