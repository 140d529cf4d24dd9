// The timed-discipline test and the outcome codes of a result.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pelagor {

// A discipline is timed (announced in minutes and seconds, realised in seconds) when its code
// is STA or EST, whatever the letter case; every other code is a distance in metres.
bool isTimedDiscipline(std::string_view code);

enum class Outcome : int { OK = 1, BO = 0, NP = -1 };

// A stored outcome read back: empty counts as 0 (BO), 1 is OK, any other value NP.
Outcome outcomeFromStored(std::optional<std::int64_t> stored);
std::string_view outcomeText(Outcome outcome);
constexpr int outcomeCode(Outcome outcome) {
    return static_cast<int>(outcome);
}

} // namespace pelagor
