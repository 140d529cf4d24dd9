// The result entry dialog: the outcome, realised performance, penalty, points and remarks of
// one result. It is created hidden at start and shown by the results page without blocking
// the main window.
#pragma once

#include <QDialog>

namespace pelagor {

class TfIntroResult : public QDialog {
    Q_OBJECT
public:
    explicit TfIntroResult(QWidget* parent = nullptr);
};

// The program's one result entry dialog, from start to end.
extern TfIntroResult* fIntroResult;

} // namespace pelagor
