// The connection to the database file (RAII over sqlite3*), its transactions and the batch
// guard that bulk loops save under.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct sqlite3;

namespace pelagor::db {

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs just before the connection opens; sets the database file name.
    std::function<void(Connection&)> beforeConnect;
    // Runs just after it opens; `created` tells that the file did not exist before. An error
    // thrown here closes the connection again (and removes a file that was just created).
    std::function<void(Connection&, bool created)> afterConnect;

    void setDatabase(std::string name) { mDatabase = std::move(name); }
    const std::string& database() const { return mDatabase; }

    // Opens on first use; does nothing when already open.
    void open();
    void close();
    bool isOpen() const { return mDb != nullptr; }
    // Changes every time the connection opens, so that cached statements can tell they are stale.
    std::uint64_t generation() const { return mGeneration; }

    // Runs one or more statements without parameters.
    void exec(std::string_view sql);
    std::int64_t lastInsertRowId() const;
    int changes() const;
    bool inTransaction() const;

    sqlite3* handle() const { return mDb; }
    // Throws a DbError for an SQLite result code, with the readable message.
    [[noreturn]] void raise(int rc) const;

private:
    sqlite3* mDb = nullptr;
    std::string mDatabase;
    std::uint64_t mGeneration = 0;
};

// A transaction (a savepoint, so that it also nests): rolled back unless committed.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& mConnection;
    std::string mName;
    bool mDone = false;
};

// Bulk loops save each row as its own statement under one transaction, which is committed when
// the guard ends, also when a save fails: the rows saved before the failure stay saved, as they
// would with one commit per row, without one disk sync per row.
class BatchGuard {
public:
    explicit BatchGuard(Connection& connection);
    ~BatchGuard();
    BatchGuard(const BatchGuard&) = delete;
    BatchGuard& operator=(const BatchGuard&) = delete;
    // Commits at the end of a loop that ran through; a failure to commit is reported.
    void commit();

private:
    Connection& mConnection;
    std::string mName;
    bool mDone = false;
};

// The version of the SQLite library the program runs with, as text and as number.
std::string sqliteVersion();
int sqliteVersionNumber();
// Refuses a library older than the program needs, with a Spanish message.
void checkSqliteVersion();

} // namespace pelagor::db
