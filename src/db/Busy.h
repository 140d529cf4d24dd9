// The busy indication while the data layers work: the window layer installs a handler that
// shows the wait cursor; scopes nest, and only the outermost one switches it.
#pragma once

#include <functional>

namespace pelagor::db {

void setBusyHandler(std::function<void(bool busy)> handler);

class BusyScope {
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

} // namespace pelagor::db
