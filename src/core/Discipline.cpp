// The timed-discipline test and the outcome codes.
#include "core/Discipline.h"

#include "core/Text.h"

namespace pelagor {

bool isTimedDiscipline(std::string_view code) {
    return equalsIgnoreCaseAscii(code, "STA") || equalsIgnoreCaseAscii(code, "EST");
}

Outcome outcomeFromStored(std::optional<std::int64_t> stored) {
    const std::int64_t v = stored.value_or(0);
    if (v == 1) return Outcome::OK;
    if (v == 0) return Outcome::BO;
    return Outcome::NP;
}

std::string_view outcomeText(Outcome outcome) {
    switch (outcome) {
    case Outcome::OK:
        return "OK";
    case Outcome::BO:
        return "BO";
    case Outcome::NP:
        break;
    }
    return "NP";
}

} // namespace pelagor
