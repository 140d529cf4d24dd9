// Pelagor: runs an indoor freediving competition from registration to the final ranking.
#include "app/Application.h"
#include "app/Startup.h"

int main(int argc, char** argv) {
    pelagor::Application app(argc, argv);
    if (!pelagor::createApplicationObjects()) return 1;
    const int rc = app.exec();
    pelagor::destroyApplicationObjects();
    return rc;
}
