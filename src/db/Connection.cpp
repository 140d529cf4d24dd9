// The connection, transactions and the batch guard.
#include "db/Connection.h"

#include "db/Busy.h"
#include "db/DbError.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

namespace pelagor::db {

namespace {
constexpr int kMinimumSqlite = 3042000;
constexpr int kBusyTimeoutMs = 5000;
int savepointCounter = 0;
} // namespace

std::string sqliteVersion() {
    return sqlite3_libversion();
}
int sqliteVersionNumber() {
    return sqlite3_libversion_number();
}

void checkSqliteVersion() {
    if (sqlite3_libversion_number() < kMinimumSqlite)
        throw DbError("Pelagor necesita SQLite 3.42 o posterior, y la biblioteca instalada es la " +
                      sqliteVersion() + ".");
}

Connection::Connection() = default;

Connection::~Connection() {
    close();
}

void Connection::open() {
    if (mDb) return;
    checkSqliteVersion();
    if (beforeConnect) beforeConnect(*this);
    std::error_code ec;
    const bool memory = mDatabase.empty() || mDatabase == ":memory:";
    const bool created = memory || !std::filesystem::exists(mDatabase, ec);
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(memory ? ":memory:" : mDatabase.c_str(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW, nullptr);
    if (rc != SQLITE_OK) {
        std::string engine = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        throw sqliteError(rc, engine, mDatabase);
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    mDb = db;
    ++mGeneration;
    if (afterConnect) {
        try {
            afterConnect(*this, created);
        } catch (...) {
            close();
            if (created && !memory) std::filesystem::remove(mDatabase, ec);
            throw;
        }
    }
}

void Connection::close() {
    if (mDb) {
        sqlite3_close_v2(mDb);
        mDb = nullptr;
    }
}

void Connection::exec(std::string_view sql) {
    open();
    BusyScope busy;
    std::string text(sql);
    char* err = nullptr;
    int rc = sqlite3_exec(mDb, text.c_str(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        std::string engine = err ? err : sqlite3_errstr(rc);
        sqlite3_free(err);
        throw sqliteError(sqlite3_extended_errcode(mDb), engine, mDatabase);
    }
}

std::int64_t Connection::lastInsertRowId() const {
    return mDb ? sqlite3_last_insert_rowid(mDb) : 0;
}

int Connection::changes() const {
    return mDb ? sqlite3_changes(mDb) : 0;
}

bool Connection::inTransaction() const {
    return mDb && sqlite3_get_autocommit(mDb) == 0;
}

void Connection::raise(int rc) const {
    int code = mDb ? sqlite3_extended_errcode(mDb) : rc;
    if ((code & 0xFF) != (rc & 0xFF)) code = rc;
    std::string engine = mDb ? sqlite3_errmsg(mDb) : sqlite3_errstr(rc);
    throw sqliteError(code, engine, mDatabase);
}

Transaction::Transaction(Connection& connection)
    : mConnection(connection), mName("pelagor_tx" + std::to_string(++savepointCounter)) {
    mConnection.exec("SAVEPOINT " + mName);
}

Transaction::~Transaction() {
    if (mDone || !mConnection.isOpen()) return;
    try {
        mConnection.exec("ROLLBACK TO " + mName);
        mConnection.exec("RELEASE " + mName);
    } catch (...) {
        // The engine may already have rolled the whole transaction back.
    }
}

void Transaction::commit() {
    mConnection.exec("RELEASE " + mName);
    mDone = true;
}

BatchGuard::BatchGuard(Connection& connection)
    : mConnection(connection), mName("pelagor_batch" + std::to_string(++savepointCounter)) {
    mConnection.exec("SAVEPOINT " + mName);
}

BatchGuard::~BatchGuard() {
    if (mDone || !mConnection.isOpen()) return;
    // Leaving through an error: keep what was saved before it.
    try {
        mConnection.exec("RELEASE " + mName);
        return;
    } catch (...) {
    }
    // The commit itself failed (or the engine already rolled back): never leave the
    // connection inside a dangling transaction.
    try {
        mConnection.exec("ROLLBACK TO " + mName);
        mConnection.exec("RELEASE " + mName);
    } catch (...) {
    }
}

void BatchGuard::commit() {
    mConnection.exec("RELEASE " + mName);
    mDone = true;
}

} // namespace pelagor::db
