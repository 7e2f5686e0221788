// The registry store shared with the notification application: one SQLite file holding a tree of
// keys under HKEY_LOCAL_MACHINE with REG_SZ, REG_DWORD and REG_BINARY values.
#pragma once

#include "platform/RegistryKey.h"
#include "platform/RegistryTransaction.h"

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
/// One store object serves one thread at a time.
class RegistryStore {
public:
    /// Opens (creating when absent) the store file; empty with a reason in error on failure.
    [[nodiscard]] static std::unique_ptr<RegistryStore> open(const std::filesystem::path &file,
                                                             std::string &error);
    ~RegistryStore();
    RegistryStore(const RegistryStore &) = delete;
    RegistryStore &operator=(const RegistryStore &) = delete;

    [[nodiscard]] const std::filesystem::path &file() const { return path; }

    /// The root key HKEY_LOCAL_MACHINE.
    [[nodiscard]] RegistryKey localMachine();
    /// Create-or-open / open of a key path below HKEY_LOCAL_MACHINE ("Software\vorela\Tasks\").
    [[nodiscard]] RegistryKey createKey(std::string_view path);
    [[nodiscard]] RegistryKey openKey(std::string_view path);

    /// Test hook: the nth step from now (each written value, created or deleted key, deleted
    /// value, and each commit or savepoint release) fails as a disk error would. Empty disarms.
    void failStep(std::optional<unsigned> nth);
    /// Whether the armed failure has happened.
    [[nodiscard]] bool failureTriggered() const { return failureHappened; }

private:
    friend class RegistryKey;
    friend class RegistryTransaction;
    friend class RegistryReadTransaction;
    class Statement;

    RegistryStore(sqlite3 *connection, std::filesystem::path file);
    [[nodiscard]] bool createSchema(std::string &error);
    [[nodiscard]] sqlite3_stmt *statement(int slot, const char *sql);
    [[nodiscard]] bool execute(const char *sql);
    /// Counts one step for the failure hook; false when this step must fail.
    [[nodiscard]] bool takeStep();
    [[nodiscard]] bool writable() const;
    [[nodiscard]] bool beginTransaction();
    [[nodiscard]] bool endTransaction(bool keep);
    [[nodiscard]] bool beginRead();
    void endRead();

    // Key and value primitives used by RegistryKey.
    [[nodiscard]] std::optional<std::pair<std::int64_t, std::string>> findSubkey(std::int64_t parent, std::string_view name);
    [[nodiscard]] std::optional<std::int64_t> insertSubkey(std::int64_t parent, std::string_view name);
    [[nodiscard]] std::optional<std::string> keyName(std::int64_t key);
    [[nodiscard]] std::vector<std::pair<std::int64_t, std::string>> listSubkeys(std::int64_t parent);
    [[nodiscard]] std::optional<RegistryValue> readValue(std::int64_t key, std::string_view name);
    [[nodiscard]] std::vector<RegistryValue> readValues(std::int64_t key);
    [[nodiscard]] bool writeValue(std::int64_t key, const RegistryValue &value);
    [[nodiscard]] bool deleteValue(std::int64_t key, std::string_view name);
    [[nodiscard]] bool deleteKeyTree(std::int64_t key);

    sqlite3 *db;
    std::filesystem::path path;
    std::vector<sqlite3_stmt *> statements;
    std::int64_t rootId = 0;
    // Open transaction levels; the outermost is BEGIN IMMEDIATE or a read snapshot.
    int depth = 0;
    int failedLevels = 0;
    std::optional<unsigned> stepsUntilFailure;
    bool failureHappened = false;
};

} // namespace vorela
