// The program's messages to the user: a message with one button, an error box, a yes/no
// question, and the catching of errors that leave a handler.
#pragma once

#include <QString>

#include <exception>
#include <string>

namespace pelagor {

inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Modal box with the text and one button.
void showMessage(const QString& text);
// Modal error box; the program goes on.
void showError(const QString& text);
// Modal yes/no question; true for yes.
bool askYesNo(const QString& question);

// Shows an error that left a handler; a silent abort is ignored.
void reportException(std::exception_ptr error);
// The same, after the current event has been handled (for errors met inside Qt's own code).
void reportExceptionLater(std::exception_ptr error);

// Runs a handler body. The outermost handler shows any error that leaves it; a handler called
// from another one lets its error through, so that the caller stops as well.
template <typename F> void guarded(F&& body);

namespace detail {
int& handlerDepth();
}

template <typename F> void guarded(F&& body) {
    int& depth = detail::handlerDepth();
    if (depth > 0) {
        body();
        return;
    }
    ++depth;
    try {
        body();
    } catch (...) {
        --depth;
        reportException(std::current_exception());
        return;
    }
    --depth;
}

} // namespace pelagor
