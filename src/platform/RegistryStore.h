// The registry store shared with the notification application: one SQLite file holding a tree of
// keys under HKEY_LOCAL_MACHINE with REG_SZ, REG_DWORD and REG_BINARY values.
#pragma once

#include "platform/RegistryKey.h"
#include "platform/RegistryTransaction.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vorela {

/// Layout (kept for the notification application):
///   keys(id, parent_id, name, name_fold, UNIQUE(parent_id, name_fold)) with the root key
///   HKEY_LOCAL_MACHINE as the row whose parent_id is NULL;
///   vals(id, key_id, name, name_fold, type, data, UNIQUE(key_id, name_fold)); data is TEXT
///   (UTF-8) for REG_SZ, INTEGER for REG_DWORD, BLOB for REG_BINARY; deletes cascade.
/// Every connection uses WAL and `synchronous=FULL` and waits up to 5 s for another writer.
/// A change that finds the store busy for longer fails; the next one tries afresh.
/// One store object serves one thread at a time.
class RegistryStore {
public:
    static constexpr std::chrono::milliseconds BusyTimeout{5000};

    /// Opens (creating when absent) the store file; empty with a reason in error on failure. A
    /// store that is set up opens while another process writes it; creating one waits for that
    /// writer up to busyTimeout and then fails saying that the store is busy.
    [[nodiscard]] static std::unique_ptr<RegistryStore>
    open(const std::filesystem::path &file, std::string &error,
         std::chrono::milliseconds busyTimeout = BusyTimeout);

    [[nodiscard]] const std::filesystem::path &file() const { return path; }

    /// The root key HKEY_LOCAL_MACHINE.
    [[nodiscard]] RegistryKey localMachine();
    /// Create-or-open / open of a key path below HKEY_LOCAL_MACHINE ("Software\vorela\Tasks\").
    [[nodiscard]] RegistryKey createKey(std::string_view path);
    [[nodiscard]] RegistryKey openKey(std::string_view path);

    /// The settings SQLite reports for this store's connection, as text.
    struct ConnectionSettings {
        std::string journalMode;
        std::string synchronous;
        std::string foreignKeys;
        std::string busyTimeout;
    };
    [[nodiscard]] ConnectionSettings connectionSettings();

    /// Test hook: the nth step from now (each begin of a transaction or savepoint, written value,
    /// created or deleted key, deleted value, commit or savepoint release) fails as a disk error
    /// or a busy store would. Empty disarms.
    void failStep(std::optional<unsigned> nth);
    /// Test hook: the nth read from now (of one value, of a key's values or subkeys, or a subkey
    /// lookup) fails as an I/O error would. Empty disarms.
    void failRead(std::optional<unsigned> nth);
    /// Whether an armed failure (of a step or a read) has happened.
    [[nodiscard]] bool failureTriggered() const { return failureHappened; }

private:
    friend class RegistryKey;
    friend class RegistryTransaction;
    friend class RegistryReadTransaction;
    class Statement;

    struct ConnectionClose {
        void operator()(sqlite3 *connection) const;
    };
    struct StatementFinalize {
        void operator()(sqlite3_stmt *prepared) const;
    };
    using Connection = std::unique_ptr<sqlite3, ConnectionClose>;
    using PreparedStatement = std::unique_ptr<sqlite3_stmt, StatementFinalize>;

    RegistryStore(Connection connection, std::filesystem::path file);
    [[nodiscard]] bool configure(std::chrono::milliseconds busyTimeout);
    [[nodiscard]] bool createSchema();
    [[nodiscard]] std::optional<std::int64_t> findRoot();
    /// The reason opening failed, naming the file.
    [[nodiscard]] std::string openFailure() const;
    [[nodiscard]] sqlite3_stmt *statement(int slot, const char *sql);
    [[nodiscard]] bool execute(const char *sql);
    /// The first column of the statement's first row; empty when it fails or gives no row.
    [[nodiscard]] std::optional<std::string> pragma(const char *sql);
    /// Counts one step for the failure hook; false when this step must fail.
    [[nodiscard]] bool takeStep();
    /// The same for the read hook.
    [[nodiscard]] bool takeRead();
    [[nodiscard]] bool writable() const;
    [[nodiscard]] bool beginTransaction();
    /// Ends the innermost level keeping its writes; false when they were lost.
    [[nodiscard]] bool commitTransaction();
    /// Ends the innermost level throwing its writes away; a rollback that fails is remembered
    /// (the outer transaction spoilt, or left open for the next begin to roll back).
    void abandonTransaction();
    [[nodiscard]] bool releaseSavepoint();
    void rollbackSavepoint();
    /// Rolls back whatever transaction is open; the connection shows whether that worked.
    void rollbackOpenTransaction();
    /// Rolls back a transaction a failed COMMIT or ROLLBACK left open; false when it stays open.
    [[nodiscard]] bool closeOpenTransaction();
    [[nodiscard]] bool beginRead();
    /// Ends the snapshot keeping the writes made inside it; when its COMMIT fails they are rolled
    /// back (a later read writes those defaults again).
    void endRead();

    // Key and value primitives used by RegistryKey. Reads tell a failed read (empty optional,
    // ValueState::Failed) from an empty or missing result.
    struct SubkeyLookup {
        ValueState state = ValueState::Missing;
        std::int64_t id = 0;
        std::string name;
    };
    [[nodiscard]] SubkeyLookup findSubkey(std::int64_t parent, std::string_view name);
    [[nodiscard]] std::optional<std::int64_t> insertSubkey(std::int64_t parent,
                                                           std::string_view name);
    [[nodiscard]] std::optional<std::string> keyName(std::int64_t key);
    [[nodiscard]] std::optional<std::vector<std::pair<std::int64_t, std::string>>>
    listSubkeys(std::int64_t parent);
    [[nodiscard]] ValueRead readValue(std::int64_t key, std::string_view name);
    [[nodiscard]] std::optional<std::vector<RegistryValue>> readValues(std::int64_t key);
    /// Writes value, replacing one of any type under the same folded name.
    [[nodiscard]] bool writeValue(std::int64_t key, const RegistryValue &value);
    /// Writes value unless one under the same folded name is stored; true in both cases.
    [[nodiscard]] bool insertValue(std::int64_t key, const RegistryValue &value);
    [[nodiscard]] bool storeValue(int slot, const char *sql, std::int64_t key,
                                  const RegistryValue &value);
    [[nodiscard]] bool deleteValue(std::int64_t key, std::string_view name);
    [[nodiscard]] bool deleteKeyTree(std::int64_t key);

    Connection db;
    std::filesystem::path path;
    std::vector<PreparedStatement> statements;
    std::int64_t rootId = 0;
    // Open transaction levels; the outermost is BEGIN IMMEDIATE or a read snapshot. Levels that
    // failed to begin are always the innermost ones: nothing begins inside a failed level.
    int depth = 0;
    int failedLevels = 0;
    // A savepoint that could not be rolled back left its writes in the outer transaction.
    bool outerSpoilt = false;
    std::optional<unsigned> stepsUntilFailure;
    std::optional<unsigned> readsUntilFailure;
    bool failureHappened = false;
};

} // namespace vorela
