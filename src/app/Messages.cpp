// Message boxes and error reporting.
#include "app/Messages.h"

#include "db/DbError.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

namespace pelagor {

namespace detail {
int& handlerDepth() {
    static int depth = 0;
    return depth;
}
} // namespace detail

namespace {
QWidget* dialogParent() {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (QWidget* w = QApplication::activeWindow()) return w;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops)
        if (w->isVisible() && w->objectName() == QStringLiteral("Principal")) return w;
    return nullptr;
}

// A modal box runs an event loop of its own: what the user does there starts new handlers.
int runModal(QMessageBox& box) {
    int& depth = detail::handlerDepth();
    const int saved = depth;
    depth = 0;
    const int result = box.exec();
    depth = saved;
    return result;
}

// Message texts use CR LF between lines; a box shows plain line breaks.
QString boxText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
} // namespace

void showMessage(const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("ORLA_Pelagor"), boxText(text),
                    QMessageBox::Ok, dialogParent());
    box.setObjectName(QStringLiteral("MessageBox"));
    runModal(box);
}

void showError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("ORLA_Pelagor - Error"), boxText(text),
                    QMessageBox::Ok, dialogParent());
    box.setObjectName(QStringLiteral("ErrorBox"));
    runModal(box);
}

bool askYesNo(const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("ORLA_Pelagor"), boxText(question),
                    QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.setObjectName(QStringLiteral("QuestionBox"));
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sí"));
    box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    return runModal(box) == QMessageBox::Yes;
}

void reportException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const db::SilentAbort&) {
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        showError(QStringLiteral("Se ha producido un error inesperado."));
    }
}

void reportExceptionLater(std::exception_ptr error) {
    QTimer::singleShot(0, qApp, [error] { reportException(error); });
}

} // namespace pelagor
