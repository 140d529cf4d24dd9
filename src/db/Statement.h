// A prepared SQLite statement (RAII), with binding of values and reading of columns.
#pragma once

#include "db/Value.h"

#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace pelagor::db {

class Connection;

class Statement {
public:
    Statement(Connection& connection, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void reset();
    int parameterCount() const;
    // Name of a parameter without its leading ':' ("" for positional ones); 1-based index.
    std::string parameterName(int index) const;
    void bind(int index, const Value& value); // 1-based
    // Runs one step: true while a row is available.
    bool step();
    // Runs to the end, for statements without rows.
    void run();

    int columnCount() const;
    std::string columnName(int index) const;
    std::string columnDeclaredType(int index) const;
    Value column(int index) const;

private:
    Connection& mConnection;
    sqlite3_stmt* mStmt = nullptr;
};

} // namespace pelagor::db
