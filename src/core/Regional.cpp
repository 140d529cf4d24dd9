// Storage of the regional settings in force.
#include "core/Regional.h"

namespace pelagor {

namespace {
RegionalSettings& current() {
    static RegionalSettings settings;
    return settings;
}
} // namespace

const RegionalSettings& regional() {
    return current();
}

void setRegional(const RegionalSettings& settings) {
    current() = settings;
}

} // namespace pelagor
