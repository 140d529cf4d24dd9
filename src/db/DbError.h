// Errors of the data layers: a database error with a readable Spanish message, and the silent
// abort with which a record rule stops an operation after it has told the user why.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace pelagor::db {

class DbError : public std::runtime_error {
public:
    // `text` is the readable message; `detail` the engine's own text, shown after it.
    explicit DbError(const std::string& text, int code = 0, const std::string& detail = {})
        : std::runtime_error(detail.empty() ? text : text + "\n(" + detail + ")"), mText(text),
          mDetail(detail), mCode(code) {}
    const std::string& text() const { return mText; }
    const std::string& detail() const { return mDetail; }
    // The SQLite extended result code, 0 for errors found by the dataset layer itself.
    int code() const { return mCode; }

private:
    std::string mText;
    std::string mDetail;
    int mCode;
};

// Stops the operation in progress without an error box (the user has already been told).
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "operación cancelada"; }
};

// A readable Spanish message for an SQLite result code.
std::string describeSqliteError(int extendedCode, const std::string& databaseName);
// The error for an SQLite result code, with the readable message and the engine's text.
DbError sqliteError(int extendedCode, const std::string& engineText,
                    const std::string& databaseName);

} // namespace pelagor::db
