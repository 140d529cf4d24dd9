// Number texts.
#include "core/NumberFormat.h"

#include "core/Regional.h"
#include "core/Text.h"

#include <charconv>
#include <cmath>

namespace pelagor {

namespace {

struct Decimal {
    bool negative = false;
    std::string intDigits;  // no leading zeros ("" for zero)
    std::string fracDigits; // exactly the requested count
};

// Rounds `value` to `decimals` places, halves away from zero, working on its decimal digits
// at 15 significant figures so that 1.005 rounds as written rather than as stored in binary.
Decimal roundDecimal(double value, int decimals) {
    Decimal d;
    if (!std::isfinite(value)) value = 0;
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    // sci is "d.ddddddddddddddde[+-]xx"
    std::string digits;
    digits += sci[0];
    auto ePos = sci.find('e');
    digits.append(sci.substr(2, ePos - 2));
    int exponent = 0;
    std::from_chars(sci.data() + ePos + (sci[ePos + 1] == '+' ? 2 : 1), sci.data() + sci.size(),
                    exponent);
    // Position of the decimal point within `digits`: after exponent+1 digits.
    int pointPos = exponent + 1;
    if (pointPos <= 0) {
        digits.insert(0, static_cast<std::size_t>(-pointPos + 1), '0');
        pointPos = 1;
    }
    if (static_cast<int>(digits.size()) < pointPos + decimals + 1)
        digits.append(static_cast<std::size_t>(pointPos + decimals + 1) - digits.size(), '0');
    const int keep = pointPos + decimals;
    bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            digits.insert(0, 1, '1');
            ++pointPos;
        }
    }
    d.intDigits = digits.substr(0, static_cast<std::size_t>(pointPos));
    d.fracDigits = digits.substr(static_cast<std::size_t>(pointPos));
    auto nz = d.intDigits.find_first_not_of('0');
    d.intDigits = nz == std::string::npos ? std::string() : d.intDigits.substr(nz);
    bool isZero = d.intDigits.empty() && d.fracDigits.find_first_not_of('0') == std::string::npos;
    d.negative = value < 0 && !isZero;
    return d;
}

std::string padLeft(std::string digits, std::size_t width) {
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

} // namespace

std::string formatPattern00(double value) {
    Decimal d = roundDecimal(value, 0);
    return (d.negative ? "-" : "") + padLeft(d.intDigits, 2);
}

std::string formatPattern00_00(double value) {
    Decimal d = roundDecimal(value, 2);
    return (d.negative ? "-" : "") + padLeft(d.intDigits, 2) + regional().decimalSeparator +
           d.fracDigits;
}

std::string formatShortest(double value) {
    if (value == 0 || !std::isfinite(value)) return "0";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, static_cast<std::size_t>(res.ptr - buf));
    std::string out;
    auto e = s.find('e');
    std::string mantissa = s.substr(0, e);
    auto dot = mantissa.find('.');
    if (dot != std::string::npos) mantissa.replace(dot, 1, regional().decimalSeparator);
    out = mantissa;
    if (e != std::string::npos) {
        // 1e+20 is written 1E20 and 1e-07 is written 1E-7.
        int exponent = 0;
        const char* first = s.data() + e + 1;
        if (*first == '+') ++first;
        std::from_chars(first, s.data() + s.size(), exponent);
        out += "E" + std::to_string(exponent);
    }
    return out;
}

void segundosAMinSeg(double segundos, double& min, double& seg) {
    min = std::trunc(segundos / 60.0);
    seg = segundos - min * 60.0;
}

std::string minSecText(double seconds) {
    double m = 0, s = 0;
    segundosAMinSeg(seconds, m, s);
    return formatPattern00(m) + ":" + formatPattern00(s);
}

std::optional<double> parseDecimal(std::string_view text) {
    std::string s = trim(text);
    if (s.empty()) return std::nullopt;
    const std::string& sep = regional().decimalSeparator;
    if (!sep.empty() && sep != ".") {
        auto p = s.find(sep);
        if (p != std::string::npos) s.replace(p, sep.size(), ".");
    }
    if (s[0] == '+') s.erase(0, 1);
    double v = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size()) {
        res = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
        if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return std::nullopt;
    }
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
    std::string s = trim(text);
    if (!s.empty() && s[0] == '+') s.erase(0, 1);
    if (s.empty()) return std::nullopt;
    std::int64_t v = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

} // namespace pelagor
