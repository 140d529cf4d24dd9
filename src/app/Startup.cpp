// Start of the program.
#include "app/Startup.h"

#include "app/Messages.h"
#include "app/TPrincipal.h"
#include "core/Regional.h"
#include "data/TDM.h"
#include "db/Busy.h"
#include "db/Connection.h"
#include "dialogs/TfIntroResult.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>

#include <memory>

namespace pelagor {

namespace {

std::unique_ptr<TPrincipal> gPrincipal;
std::unique_ptr<TDM> gDataModule;

RegionalSettings regionalFromSystem() {
    const QLocale locale = QLocale::system();
    RegionalSettings r;
    r.decimalSeparator = locale.decimalPoint().toStdString();
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    for (const QChar c : shortTime)
        if (!c.isLetter()) {
            r.timeSeparator = QString(c).toStdString();
            break;
        }
    r.shortDateFormat = locale.dateFormat(QLocale::ShortFormat).toStdString();
    const QString longTime = locale.timeFormat(QLocale::LongFormat);
    r.longTimeLeadingZero =
        longTime.startsWith(QStringLiteral("HH")) || longTime.startsWith(QStringLiteral("hh"));
    return r;
}

void centre(QWidget* w) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        w->move(area.center() - QPoint(w->width() / 2, w->height() / 2));
    }
}

} // namespace

bool createApplicationObjects() {
    setRegional(regionalFromSystem());
    gPrincipal = std::make_unique<TPrincipal>();
    Principal = gPrincipal.get();
    try {
        db::checkSqliteVersion();
        db::setBusyHandler([](bool busy) {
            if (busy)
                QApplication::setOverrideCursor(Qt::WaitCursor);
            else
                QApplication::restoreOverrideCursor();
        });
        gDataModule = std::make_unique<TDM>();
        DM = gDataModule.get();
        DM->showMessage = [](const std::string& text) { showMessage(qs(text)); };
        Principal->bindData(*DM);
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()) + QStringLiteral("\n\nEl programa se cerrará."));
        destroyApplicationObjects();
        return false;
    }
    fIntroResult = new TfIntroResult(Principal);
    fIntroResult->hide();
    centre(Principal);
    Principal->show();
    return true;
}

void destroyApplicationObjects() {
    // The window and its bindings go before the datasets they listen to.
    fIntroResult = nullptr;
    gPrincipal.reset();
    Principal = nullptr;
    gDataModule.reset();
    DM = nullptr;
    db::setBusyHandler(nullptr);
}

} // namespace pelagor
