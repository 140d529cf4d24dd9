// The real main window over a fresh database in a temporary working directory. Message boxes
// are answered as a user would (OK, or the chosen answer to a question) and their texts kept.
#pragma once

#include "app/Startup.h"
#include "app/TPrincipal.h"
#include "data/TDM.h"
#include "support/Sql.h"
#include "support/TempDir.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelagor::test {

class ModalAnswerer : public QObject {
public:
    ModalAnswerer() {
        mTimer.setInterval(5);
        QObject::connect(&mTimer, &QTimer::timeout, this, [this] { answer(); });
        mTimer.start();
    }
    std::vector<QString> texts;
    QMessageBox::StandardButton reply = QMessageBox::Yes;

private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        texts.push_back(box->text());
        QAbstractButton* b = box->button(reply);
        if (!b) b = box->button(QMessageBox::Ok);
        if (b)
            b->click();
        else
            box->reject();
    }
    QTimer mTimer;
};

class WindowFixture : public ::testing::Test {
protected:
    TempDir dir;
    ModalAnswerer boxes;
    TPrincipal* w = nullptr;

    void SetUp() override {
        ASSERT_TRUE(createApplicationObjects());
        w = Principal;
    }
    void TearDown() override {
        destroyApplicationObjects();
        QApplication::processEvents();
    }

    template <typename T = QWidget> T* find(const char* name) {
        T* found = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) {
        auto* b = find<QAbstractButton>(name);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isEnabled()) << name;
        b->click();
        QApplication::processEvents();
    }
    // A navigator's button, found inside the named navigator.
    void navClick(const char* navigator, const char* button) {
        auto* nav = find<QWidget>(navigator);
        ASSERT_NE(nav, nullptr);
        auto* b = nav->findChild<QAbstractButton*>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << navigator << "." << button;
        ASSERT_TRUE(b->isEnabled()) << navigator << "." << button;
        b->click();
        QApplication::processEvents();
    }
    bool navEnabled(const char* navigator, const char* button) {
        auto* b =
            find<QWidget>(navigator)->findChild<QAbstractButton*>(QString::fromLatin1(button));
        return b && b->isEnabled();
    }
    QString page() { return w->TabControl1->currentWidget()->objectName(); }
    QString title() { return w->ToolBarLabel->text(); }

    std::string sql(const std::string& query) { return test::query(DM->fdCon, query); }
    void exec(const std::string& statement) { DM->fdCon.exec(statement); }
    // Rereads the competitions after rows were written behind the window's back.
    void reloadCompetitions() {
        DM->QCompeticiones.close();
        DM->QCompeticiones.open();
    }

    QAbstractItemModel* model(const char* grid) { return find<QTableView>(grid)->model(); }
    int rows(const char* grid) { return model(grid)->rowCount(); }
    QString cell(const char* grid, int row, int column) {
        return model(grid)->index(row, column).data().toString();
    }
    QString header(const char* grid, int column) {
        return model(grid)->headerData(column, Qt::Horizontal).toString();
    }
    std::vector<std::string> columnTexts(const char* grid, int column) {
        std::vector<std::string> out;
        for (int r = 0; r < rows(grid); ++r)
            out.push_back(cell(grid, r, column).toStdString());
        return out;
    }
    // Types a value into a cell, as the cell editor does when it hands over its text.
    bool type(const char* grid, int row, int column, const QVariant& value) {
        const bool ok = model(grid)->setData(model(grid)->index(row, column), value);
        QApplication::processEvents();
        return ok;
    }
    void selectRow(const char* grid, int row) {
        auto* view = find<QTableView>(grid);
        view->setCurrentIndex(view->model()->index(row, 0));
        QApplication::processEvents();
    }
    std::vector<std::string> visibleHeaders(const char* grid) {
        auto* view = find<QTableView>(grid);
        std::vector<std::string> out;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            if (!view->isColumnHidden(c)) out.push_back(header(grid, c).toStdString());
        return out;
    }
};

} // namespace pelagor::test
