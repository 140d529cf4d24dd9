// Number texts: the patterns "00" and "00.00", the shortest decimal form, the minutes-and-seconds
// text of a number of seconds, and the reading of decimal and whole numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelagor {

// Pattern "00": rounded to a whole number (halves away from zero), at least two digits.
std::string formatPattern00(double value);
// Pattern "00.00": two decimals (halves away from zero), at least two digits before the
// decimal separator of the regional settings.
std::string formatPattern00_00(double value);
// Shortest decimal form with up to 15 significant digits, no trailing zeros, the regional
// decimal separator: 75 -> "75", 87.5 -> "87,5".
std::string formatShortest(double value);

// Whole minutes (truncated toward zero) and the remaining seconds, fraction kept.
void segundosAMinSeg(double segundos, double& min, double& seg);
// Minutes and seconds of a number of seconds, each with the pattern "00", joined by ":".
std::string minSecText(double seconds);

// A decimal number written with the regional separator or a point; blanks around are allowed.
std::optional<double> parseDecimal(std::string_view text);
std::optional<std::int64_t> parseInteger(std::string_view text);

} // namespace pelagor
