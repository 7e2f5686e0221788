// The SQLite connection behind the registry store: schema, prepared statements, transaction levels
// and the key and value primitives that RegistryKey calls.
#include "platform/RegistryStore.h"

#include <sqlite3.h>

#include <string>
#include <utility>

namespace vorela {

namespace {

// Slots of the prepared statements, prepared once per connection and reused.
enum Slot : int {
    FindSubkey,
    InsertSubkey,
    KeyName,
    ListSubkeys,
    ReadValue,
    ReadValues,
    WriteValue,
    InsertValue,
    DeleteValue,
    DeleteKeyTree,
    FindRoot,
    InsertRoot,
    SlotCount
};

constexpr const char *Schema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
    id INTEGER PRIMARY KEY,
    parent_id INTEGER REFERENCES keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    name_fold TEXT NOT NULL,
    UNIQUE(parent_id, name_fold));
CREATE TABLE IF NOT EXISTS vals(
    id INTEGER PRIMARY KEY,
    key_id INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    name_fold TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB,
    UNIQUE(key_id, name_fold));
)sql";

constexpr std::string_view RootKeyName = "HKEY_LOCAL_MACHINE";

} // namespace

// Resets a cached statement when the call that used it ends, whatever path it took.
class RegistryStore::Statement {
public:
    explicit Statement(sqlite3_stmt *prepared) : handle(prepared) {}
    ~Statement()
    {
        if (handle == nullptr)
            return;
        sqlite3_reset(handle);
        sqlite3_clear_bindings(handle);
    }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    [[nodiscard]] bool isValid() const { return handle != nullptr; }
    void bind(int index, std::int64_t number) { sqlite3_bind_int64(handle, index, number); }
    void bind(int index, std::string_view text)
    {
        sqlite3_bind_text(handle, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
    void bindBlob(int index, const std::vector<std::uint8_t> &bytes)
    {
        sqlite3_bind_blob(handle, index, bytes.data(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
    }
    /// SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return handle == nullptr ? SQLITE_MISUSE : sqlite3_step(handle); }
    [[nodiscard]] std::int64_t number(int column) const
    {
        return sqlite3_column_int64(handle, column);
    }
    [[nodiscard]] std::string text(int column) const
    {
        const auto *bytes = static_cast<const char *>(sqlite3_column_blob(handle, column));
        return bytes == nullptr
                   ? std::string()
                   : std::string(bytes,
                                 static_cast<std::size_t>(sqlite3_column_bytes(handle, column)));
    }
    [[nodiscard]] RegistryValue value(int firstColumn) const
    {
        RegistryValue result;
        result.name = text(firstColumn);
        result.type = static_cast<ValueType>(number(firstColumn + 1));
        if (result.type == ValueType::Dword) {
            result.dword = static_cast<std::uint32_t>(number(firstColumn + 2));
        } else if (result.type == ValueType::Binary) {
            const std::string bytes = text(firstColumn + 2);
            result.bytes.assign(bytes.begin(), bytes.end());
        } else {
            result.text = text(firstColumn + 2);
        }
        return result;
    }

private:
    sqlite3_stmt *handle;
};

void RegistryStore::ConnectionClose::operator()(sqlite3 *connection) const
{
    sqlite3_close(connection);
}

void RegistryStore::StatementFinalize::operator()(sqlite3_stmt *prepared) const
{
    sqlite3_finalize(prepared);
}

std::unique_ptr<RegistryStore> RegistryStore::open(const std::filesystem::path &file,
                                                   std::string &error,
                                                   std::chrono::milliseconds busyTimeout)
{
    sqlite3 *opened = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    const int status = sqlite3_open_v2(file.c_str(), &opened, flags, nullptr);
    Connection connection(opened);
    if (status != SQLITE_OK) {
        error = file.string() + ": cannot open the registry store: " +
                (connection ? sqlite3_errmsg(connection.get()) : "out of memory");
        return nullptr;
    }
    std::unique_ptr<RegistryStore> store(new RegistryStore(std::move(connection), file));
    if (!store->configure(busyTimeout) || !store->createSchema()) {
        error = store->openFailure();
        return nullptr;
    }
    return store;
}

RegistryStore::RegistryStore(Connection connection, std::filesystem::path file)
    : db(std::move(connection)), path(std::move(file)), statements(SlotCount)
{
}

bool RegistryStore::configure(std::chrono::milliseconds busyTimeout)
{
    // The busy timeout comes first so that even switching to WAL waits for another process.
    sqlite3_busy_timeout(db.get(), static_cast<int>(busyTimeout.count()));
    return pragma("PRAGMA journal_mode=WAL") == "wal" && execute("PRAGMA synchronous=FULL") &&
           execute("PRAGMA foreign_keys=ON");
}

// A store that is set up needs no write to open, so it opens while another process writes it.
bool RegistryStore::createSchema()
{
    if (const std::optional<std::int64_t> root = findRoot()) {
        rootId = *root;
        return true;
    }
    if (!execute("BEGIN IMMEDIATE"))
        return false;
    bool ready = execute(Schema);
    if (ready) {
        if (const std::optional<std::int64_t> root = findRoot()) {
            rootId = *root;
        } else {
            Statement add(statement(InsertRoot, "INSERT INTO keys(parent_id, name, name_fold) "
                                                "VALUES(NULL, ?1, ?2)"));
            add.bind(1, RootKeyName);
            add.bind(2, foldRegistryName(RootKeyName));
            ready = add.step() == SQLITE_DONE;
            rootId = sqlite3_last_insert_rowid(db.get());
        }
    }
    // On failure the transaction ends with the connection, which rolls it back.
    return ready && execute("COMMIT");
}

std::optional<std::int64_t> RegistryStore::findRoot()
{
    Statement lookup(statement(FindRoot, "SELECT id FROM keys WHERE parent_id IS NULL AND "
                                         "name_fold = ?1"));
    lookup.bind(1, foldRegistryName(RootKeyName));
    if (lookup.step() != SQLITE_ROW)
        return std::nullopt;
    return lookup.number(0);
}

std::string RegistryStore::openFailure() const
{
    if ((sqlite3_errcode(db.get()) & 0xFF) == SQLITE_BUSY)
        return path.string() + ": the registry store is busy: another process is writing it; "
                               "try again when it has finished";
    return path.string() + ": not a usable registry store: " + sqlite3_errmsg(db.get());
}

sqlite3_stmt *RegistryStore::statement(int slot, const char *sql)
{
    PreparedStatement &prepared = statements[static_cast<std::size_t>(slot)];
    if (prepared)
        return prepared.get();
    // A statement that fails to prepare leaves the slot empty; the next call tries again.
    sqlite3_stmt *made = nullptr;
    if (sqlite3_prepare_v3(db.get(), sql, -1, SQLITE_PREPARE_PERSISTENT, &made, nullptr) ==
        SQLITE_OK)
        prepared.reset(made);
    return prepared.get();
}

bool RegistryStore::execute(const char *sql)
{
    return sqlite3_exec(db.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::optional<std::string> RegistryStore::pragma(const char *sql)
{
    sqlite3_stmt *made = nullptr;
    const int status = sqlite3_prepare_v2(db.get(), sql, -1, &made, nullptr);
    const PreparedStatement prepared(made);
    if (status != SQLITE_OK || sqlite3_step(prepared.get()) != SQLITE_ROW)
        return std::nullopt;
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(prepared.get(), 0));
    return text == nullptr ? std::string() : std::string(text);
}

RegistryStore::ConnectionSettings RegistryStore::connectionSettings()
{
    return {pragma("PRAGMA journal_mode").value_or(""), pragma("PRAGMA synchronous").value_or(""),
            pragma("PRAGMA foreign_keys").value_or(""), pragma("PRAGMA busy_timeout").value_or("")};
}

RegistryKey RegistryStore::localMachine()
{
    return RegistryKey(this, rootId, std::string(RootKeyName), std::string());
}

RegistryKey RegistryStore::createKey(std::string_view keyPath)
{
    return localMachine().createKey(keyPath);
}

RegistryKey RegistryStore::openKey(std::string_view keyPath)
{
    return localMachine().openKey(keyPath);
}

void RegistryStore::failStep(std::optional<unsigned> nth)
{
    stepsUntilFailure = nth;
    failureHappened = false;
}

void RegistryStore::failRead(std::optional<unsigned> nth)
{
    readsUntilFailure = nth;
}

// Counts down an armed failure; false (and the failure disarmed) when it is due.
static bool countDown(std::optional<unsigned> &remaining)
{
    if (!remaining || --*remaining > 0)
        return true;
    remaining.reset();
    return false;
}

bool RegistryStore::takeStep()
{
    if (countDown(stepsUntilFailure))
        return true;
    failureHappened = true;
    return false;
}

bool RegistryStore::takeRead()
{
    if (countDown(readsUntilFailure))
        return true;
    failureHappened = true;
    return false;
}

bool RegistryStore::writable() const
{
    return depth > 0 && failedLevels == 0;
}

RegistryStore::SubkeyLookup RegistryStore::findSubkey(std::int64_t parent, std::string_view name)
{
    if (!takeRead())
        return {ValueState::Failed, 0, {}};
    Statement query(statement(FindSubkey, "SELECT id, name FROM keys WHERE parent_id = ?1 AND "
                                          "name_fold = ?2"));
    query.bind(1, parent);
    query.bind(2, foldRegistryName(name));
    const int status = query.step();
    if (status == SQLITE_ROW)
        return {ValueState::Found, query.number(0), query.text(1)};
    return {status == SQLITE_DONE ? ValueState::Missing : ValueState::Failed, 0, {}};
}

std::optional<std::int64_t> RegistryStore::insertSubkey(std::int64_t parent, std::string_view name)
{
    if (!writable() || !takeStep())
        return std::nullopt;
    Statement insert(statement(InsertSubkey, "INSERT INTO keys(parent_id, name, name_fold) "
                                             "VALUES(?1, ?2, ?3)"));
    insert.bind(1, parent);
    insert.bind(2, name);
    insert.bind(3, foldRegistryName(name));
    if (insert.step() != SQLITE_DONE)
        return std::nullopt;
    return sqlite3_last_insert_rowid(db.get());
}

std::optional<std::string> RegistryStore::keyName(std::int64_t key)
{
    Statement query(statement(KeyName, "SELECT name FROM keys WHERE id = ?1"));
    query.bind(1, key);
    if (query.step() != SQLITE_ROW)
        return std::nullopt;
    return query.text(0);
}

std::optional<std::vector<std::pair<std::int64_t, std::string>>>
RegistryStore::listSubkeys(std::int64_t parent)
{
    if (!takeRead())
        return std::nullopt;
    Statement query(statement(ListSubkeys, "SELECT id, name FROM keys WHERE parent_id = ?1 "
                                           "ORDER BY name_fold"));
    query.bind(1, parent);
    std::vector<std::pair<std::int64_t, std::string>> subkeys;
    int status = SQLITE_ROW;
    while ((status = query.step()) == SQLITE_ROW)
        subkeys.emplace_back(query.number(0), query.text(1));
    if (status != SQLITE_DONE)
        return std::nullopt;
    return subkeys;
}

ValueRead RegistryStore::readValue(std::int64_t key, std::string_view name)
{
    if (!takeRead())
        return {ValueState::Failed};
    Statement query(statement(ReadValue, "SELECT name, type, data FROM vals WHERE key_id = ?1 "
                                         "AND name_fold = ?2"));
    query.bind(1, key);
    query.bind(2, foldRegistryName(name));
    const int status = query.step();
    if (status == SQLITE_ROW)
        return {ValueState::Found, query.value(0)};
    return {status == SQLITE_DONE ? ValueState::Missing : ValueState::Failed};
}

std::optional<std::vector<RegistryValue>> RegistryStore::readValues(std::int64_t key)
{
    if (!takeRead())
        return std::nullopt;
    Statement query(statement(ReadValues, "SELECT name, type, data FROM vals WHERE key_id = ?1 "
                                          "ORDER BY name_fold"));
    query.bind(1, key);
    std::vector<RegistryValue> found;
    int status = SQLITE_ROW;
    while ((status = query.step()) == SQLITE_ROW)
        found.push_back(query.value(0));
    if (status != SQLITE_DONE)
        return std::nullopt;
    return found;
}

// An existing value keeps the case of its stored name, as the registry does.
bool RegistryStore::writeValue(std::int64_t key, const RegistryValue &value)
{
    return storeValue(WriteValue,
                      "INSERT INTO vals(key_id, name, name_fold, type, data) "
                      "VALUES(?1, ?2, ?3, ?4, ?5) ON CONFLICT(key_id, name_fold) "
                      "DO UPDATE SET type = excluded.type, data = excluded.data",
                      key, value);
}

// A default never replaces a value, even one another process stored after it was found missing.
bool RegistryStore::insertValue(std::int64_t key, const RegistryValue &value)
{
    return storeValue(InsertValue,
                      "INSERT INTO vals(key_id, name, name_fold, type, data) "
                      "VALUES(?1, ?2, ?3, ?4, ?5) ON CONFLICT(key_id, name_fold) DO NOTHING",
                      key, value);
}

bool RegistryStore::storeValue(int slot, const char *sql, std::int64_t key,
                               const RegistryValue &value)
{
    if (!writable() || !takeStep())
        return false;
    Statement write(statement(slot, sql));
    write.bind(1, key);
    write.bind(2, value.name);
    write.bind(3, foldRegistryName(value.name));
    write.bind(4, static_cast<std::int64_t>(value.type));
    if (value.type == ValueType::Dword) {
        write.bind(5, static_cast<std::int64_t>(value.dword));
    } else if (value.type == ValueType::Binary) {
        write.bindBlob(5, value.bytes);
    } else {
        write.bind(5, value.text);
    }
    return write.step() == SQLITE_DONE;
}

bool RegistryStore::deleteValue(std::int64_t key, std::string_view name)
{
    if (!writable() || !takeStep())
        return false;
    Statement erase(
        statement(DeleteValue, "DELETE FROM vals WHERE key_id = ?1 AND name_fold = ?2"));
    erase.bind(1, key);
    erase.bind(2, foldRegistryName(name));
    return erase.step() == SQLITE_DONE && sqlite3_changes(db.get()) > 0;
}

// The whole subtree goes in one statement: the ids are collected first, so no depth limit of the
// cascading foreign keys applies to the walk.
bool RegistryStore::deleteKeyTree(std::int64_t key)
{
    if (key == rootId || !writable() || !takeStep())
        return false;
    Statement erase(statement(DeleteKeyTree,
                              "DELETE FROM keys WHERE id IN (WITH RECURSIVE subtree(id) AS "
                              "(SELECT ?1 UNION ALL SELECT keys.id FROM keys JOIN subtree "
                              "ON keys.parent_id = subtree.id) SELECT id FROM subtree)"));
    erase.bind(1, key);
    return erase.step() == SQLITE_DONE && sqlite3_changes(db.get()) > 0;
}

} // namespace vorela
