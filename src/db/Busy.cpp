// Busy indication.
#include "db/Busy.h"

namespace pelagor::db {

namespace {
std::function<void(bool)>& handler() {
    static std::function<void(bool)> h;
    return h;
}
int depth = 0;
} // namespace

void setBusyHandler(std::function<void(bool busy)> h) {
    handler() = std::move(h);
}

BusyScope::BusyScope() {
    if (depth++ == 0 && handler()) handler()(true);
}

BusyScope::~BusyScope() {
    if (--depth == 0 && handler()) {
        try {
            handler()(false);
        } catch (...) {
        }
    }
}

} // namespace pelagor::db
