// Conversions between value kinds.
#include "db/Value.h"

#include "core/Errors.h"
#include "core/NumberFormat.h"

#include <cmath>

namespace pelagor::db {

namespace {

std::int64_t toWhole(double d) {
    if (!std::isfinite(d) || std::fabs(d) > 9.2e18)
        throw ConversionError("«" + formatShortest(d) + "» no es un número entero válido");
    return std::llround(d);
}

} // namespace

bool isIsoDate(const std::string& s) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (s[static_cast<std::size_t>(i)] < '0' || s[static_cast<std::size_t>(i)] > '9')
            return false;
    int y = std::stoi(s.substr(0, 4)), m = std::stoi(s.substr(5, 2)), d = std::stoi(s.substr(8, 2));
    if (y < 1 || m < 1 || m > 12 || d < 1) return false;
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int max = days[m - 1];
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) max = 29;
    return d <= max;
}

Value coerce(const Value& v, FieldType type) {
    if (isNull(v)) return v;
    switch (type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
        if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
        if (auto* d = std::get_if<double>(&v)) return toWhole(*d);
        {
            const auto& s = std::get<std::string>(v);
            if (s.find_first_not_of(" \t") == std::string::npos) return Value{};
            if (auto i = parseInteger(s)) return *i;
            throw ConversionError("«" + s + "» no es un número entero válido");
        }
    case FieldType::Float:
        if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
        if (auto* d = std::get_if<double>(&v)) return *d;
        {
            const auto& s = std::get<std::string>(v);
            if (s.find_first_not_of(" \t") == std::string::npos) return Value{};
            if (auto d = parseDecimal(s)) return *d;
            throw ConversionError("«" + s + "» no es un número válido");
        }
    case FieldType::Date:
        if (auto* s = std::get_if<std::string>(&v)) {
            if (s->empty()) return Value{};
            if (!isIsoDate(*s)) throw ConversionError("«" + *s + "» no es una fecha válida");
            return *s;
        }
        return displayText(v);
    case FieldType::String:
        if (auto* s = std::get_if<std::string>(&v)) return *s;
        return displayText(v);
    }
    return v;
}

std::string displayText(const Value& v) {
    if (auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
    if (auto* d = std::get_if<double>(&v)) return formatShortest(*d);
    if (auto* s = std::get_if<std::string>(&v)) return *s;
    return {};
}

} // namespace pelagor::db
