// Time values.
#include "core/TimeValue.h"

#include "core/Errors.h"
#include "core/Regional.h"
#include "core/Text.h"

#include <charconv>
#include <vector>

namespace pelagor {

namespace {

std::string two(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

} // namespace

ClockParts clockParts(TimeMs value) {
    TimeMs t = value % kMsPerDay;
    if (t < 0) t += kMsPerDay;
    ClockParts p;
    p.hours = static_cast<int>(t / kMsPerHour);
    p.minutes = static_cast<int>(t / kMsPerMinute % 60);
    p.seconds = static_cast<int>(t / kMsPerSecond % 60);
    p.millis = static_cast<int>(t % kMsPerSecond);
    return p;
}

std::string formatHHNN(TimeMs value) {
    auto p = clockParts(value);
    return two(p.hours) + regional().timeSeparator + two(p.minutes);
}

std::string formatNNSS(TimeMs value) {
    auto p = clockParts(value);
    return two(p.minutes) + regional().timeSeparator + two(p.seconds);
}

std::string formatLongTime(TimeMs value) {
    auto p = clockParts(value);
    const auto& sep = regional().timeSeparator;
    std::string h = regional().longTimeLeadingZero ? two(p.hours) : std::to_string(p.hours);
    return h + sep + two(p.minutes) + sep + two(p.seconds);
}

std::optional<TimeMs> parseTime(std::string_view text) {
    std::string s = trim(text);
    const std::string& sep = regional().timeSeparator;
    std::vector<std::string> parts;
    std::string cur;
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == ':') {
            parts.push_back(cur);
            cur.clear();
            ++i;
        } else if (!sep.empty() && s.compare(i, sep.size(), sep) == 0) {
            parts.push_back(cur);
            cur.clear();
            i += sep.size();
        } else {
            cur += s[i++];
        }
    }
    parts.push_back(cur);
    if (parts.size() > 3) return std::nullopt;
    int values[3] = {0, 0, 0};
    const int limits[3] = {23, 59, 59};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (part.empty() || part.size() > 4) return std::nullopt;
        for (char c : part)
            if (c < '0' || c > '9') return std::nullopt;
        std::from_chars(part.data(), part.data() + part.size(), values[i]);
        if (values[i] > limits[i]) return std::nullopt;
    }
    return makeTime(values[0], values[1], values[2]);
}

TimeMs parseTimeOrThrow(std::string_view text) {
    auto t = parseTime(text);
    if (!t) throw ConversionError("«" + std::string(text) + "» no es una hora válida");
    return *t;
}

} // namespace pelagor
