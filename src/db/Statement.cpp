// Prepared statements.
#include "db/Statement.h"

#include "db/Connection.h"

#include <sqlite3.h>

namespace pelagor::db {

Statement::Statement(Connection& connection, std::string_view sql) : mConnection(connection) {
    connection.open();
    int rc = sqlite3_prepare_v3(connection.handle(), sql.data(), static_cast<int>(sql.size()),
                                SQLITE_PREPARE_PERSISTENT, &mStmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(mStmt);
        mStmt = nullptr;
        connection.raise(rc);
    }
}

Statement::~Statement() {
    sqlite3_finalize(mStmt);
}

void Statement::reset() {
    if (mStmt) {
        sqlite3_reset(mStmt);
        sqlite3_clear_bindings(mStmt);
    }
}

int Statement::parameterCount() const {
    return mStmt ? sqlite3_bind_parameter_count(mStmt) : 0;
}

std::string Statement::parameterName(int index) const {
    const char* n = sqlite3_bind_parameter_name(mStmt, index);
    if (!n) return {};
    return std::string(n + 1);
}

void Statement::bind(int index, const Value& value) {
    int rc = SQLITE_OK;
    if (isNull(value))
        rc = sqlite3_bind_null(mStmt, index);
    else if (auto* i = std::get_if<std::int64_t>(&value))
        rc = sqlite3_bind_int64(mStmt, index, *i);
    else if (auto* d = std::get_if<double>(&value))
        rc = sqlite3_bind_double(mStmt, index, *d);
    else {
        const auto& s = std::get<std::string>(value);
        rc =
            sqlite3_bind_text(mStmt, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) mConnection.raise(rc);
}

bool Statement::step() {
    if (!mStmt) return false;
    int rc = sqlite3_step(mStmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3_reset(mStmt);
    mConnection.raise(rc);
}

void Statement::run() {
    while (step()) {
    }
}

int Statement::columnCount() const {
    return mStmt ? sqlite3_column_count(mStmt) : 0;
}

std::string Statement::columnName(int index) const {
    const char* n = sqlite3_column_name(mStmt, index);
    return n ? n : "";
}

std::string Statement::columnDeclaredType(int index) const {
    const char* t = sqlite3_column_decltype(mStmt, index);
    return t ? t : "";
}

Value Statement::column(int index) const {
    switch (sqlite3_column_type(mStmt, index)) {
    case SQLITE_INTEGER:
        return static_cast<std::int64_t>(sqlite3_column_int64(mStmt, index));
    case SQLITE_FLOAT:
        return sqlite3_column_double(mStmt, index);
    case SQLITE_NULL:
        return Value{};
    default: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(mStmt, index));
        int n = sqlite3_column_bytes(mStmt, index);
        return std::string(p ? p : "", static_cast<std::size_t>(n));
    }
    }
}

} // namespace pelagor::db
