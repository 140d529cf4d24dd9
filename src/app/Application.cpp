// The application object.
#include "app/Application.h"

#include "app/Messages.h"

#include <QStyleFactory>

namespace pelagor {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Pelagor"));
    setApplicationDisplayName(QStringLiteral("ORLA_Pelagor"));
    setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportExceptionLater(std::current_exception());
    }
    return false;
}

} // namespace pelagor
