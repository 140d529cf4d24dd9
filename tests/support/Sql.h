// Small SQL helpers for tests: run statements and read a query back as text.
#pragma once

#include "db/Connection.h"
#include "db/Statement.h"

#include <string>

namespace pelagor::test {

// Rows joined by ";" and columns by ",", so that a whole result compares as one string.
inline std::string query(db::Connection& c, const std::string& sql) {
    db::Statement s(c, sql);
    std::string out;
    bool firstRow = true;
    while (s.step()) {
        if (!firstRow) out += ";";
        firstRow = false;
        for (int i = 0; i < s.columnCount(); ++i)
            out += (i ? "," : "") + db::displayText(s.column(i));
    }
    return out;
}

} // namespace pelagor::test
