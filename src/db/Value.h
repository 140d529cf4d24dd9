// Field values as the datasets hold them: empty, whole number, real number or text. Dates are
// texts in ISO form (YYYY-MM-DD).
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace pelagor::db {

enum class FieldType { Integer, LargeInt, Float, String, Date };

using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

inline bool isNull(const Value& v) {
    return std::holds_alternative<std::monostate>(v);
}

// Converts a value to the kind of a field (whole numbers for Integer and LargeInt, reals for
// Float, texts for String and Date). A text that is not a number raises a ConversionError;
// an empty text becomes an empty value for every kind but String.
Value coerce(const Value& v, FieldType type);

// Valid ISO calendar date (YYYY-MM-DD).
bool isIsoDate(const std::string& text);

// Text of a value for messages and key encoding.
std::string displayText(const Value& v);

} // namespace pelagor::db
