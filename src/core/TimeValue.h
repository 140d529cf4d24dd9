// Time values: times of day and durations as whole milliseconds, with the "hh:nn" and "nn:ss"
// forms, the long time form of the regional settings and the reading of typed times.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelagor {

using TimeMs = std::int64_t;

inline constexpr TimeMs kMsPerSecond = 1000;
inline constexpr TimeMs kMsPerMinute = 60 * kMsPerSecond;
inline constexpr TimeMs kMsPerHour = 60 * kMsPerMinute;
inline constexpr TimeMs kMsPerDay = 24 * kMsPerHour;

constexpr TimeMs makeTime(int hours, int minutes, int seconds = 0, int millis = 0) {
    return hours * kMsPerHour + minutes * kMsPerMinute + seconds * kMsPerSecond + millis;
}

struct ClockParts {
    int hours = 0, minutes = 0, seconds = 0, millis = 0;
};
// The clock time of a value: a value past midnight (or before it) shows its time of day.
ClockParts clockParts(TimeMs value);

// "hh:nn": two-digit hour and minute of the time of day, regional time separator.
std::string formatHHNN(TimeMs value);
// "nn:ss": two-digit minute and second of the time of day, regional time separator.
std::string formatNNSS(TimeMs value);
// Long time form: hours, minutes and seconds joined by the regional time separator.
std::string formatLongTime(TimeMs value);

// Reads "h", "h:m" or "h:m:s" (regional separator or ':'), hours 0-23, minutes and
// seconds 0-59. Anything else gives nothing.
std::optional<TimeMs> parseTime(std::string_view text);
// As parseTime, but a text that is not a time raises a ConversionError naming it.
TimeMs parseTimeOrThrow(std::string_view text);

} // namespace pelagor
