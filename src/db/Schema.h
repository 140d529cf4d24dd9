// The schema of the competition file: creation of a fresh file and the check that an existing
// file holds every table and column the program needs.
#pragma once

#include <string>
#include <vector>

namespace pelagor::db {

class Connection;

struct TableColumns {
    std::string table;
    std::vector<std::string> columns;
};

// The tables and columns the program reads and writes.
const std::vector<TableColumns>& requiredSchema();

// Creates the tables and the starter catalogue in an empty database, all or nothing.
void createSchema(Connection& connection);

// Raises a DbError naming the file and the first missing table or column; changes nothing.
void verifySchema(Connection& connection);

} // namespace pelagor::db
