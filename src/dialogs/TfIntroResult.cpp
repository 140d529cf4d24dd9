// The result entry dialog.
#include "dialogs/TfIntroResult.h"

namespace pelagor {

TfIntroResult* fIntroResult = nullptr;

TfIntroResult::TfIntroResult(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("fIntroResult"));
    setWindowTitle(QStringLiteral("Resultados"));
    setFixedSize(218, 328);
    setModal(false);
}

} // namespace pelagor
