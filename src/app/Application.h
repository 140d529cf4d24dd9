// The application object: Fusion style, and the general error handler for anything that
// escapes the program's handlers.
#pragma once

#include <QApplication>

namespace pelagor {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace pelagor
