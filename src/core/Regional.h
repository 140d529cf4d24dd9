// Regional settings (decimal separator, time separator, short date form), read once at start.
#pragma once

#include <string>

namespace pelagor {

struct RegionalSettings {
    std::string decimalSeparator = ",";
    std::string timeSeparator = ":";
    // Qt date pattern of the short date form, used by the window layer for date columns.
    std::string shortDateFormat = "dd/MM/yyyy";
    // Long time form: hours with a leading zero (08:30:00) or without (8:30:00).
    bool longTimeLeadingZero = false;
};

const RegionalSettings& regional();
// Set once by the program at start from the system locale, and by tests.
void setRegional(const RegionalSettings& settings);

} // namespace pelagor
