// A bar of buttons acting on a dataset (first, prior, next, last, insert, delete, edit, save,
// cancel), each enabled only when it applies to the dataset's state.
#pragma once

#include "db/Dataset.h"

#include <QToolButton>
#include <QWidget>

#include <functional>
#include <map>

namespace pelagor {

class GridBinding;

class Navigator : public QWidget, private db::DatasetListener {
    Q_OBJECT
public:
    enum Button {
        First = 1 << 0,
        Prior = 1 << 1,
        Next = 1 << 2,
        Last = 1 << 3,
        Insert = 1 << 4,
        Delete = 1 << 5,
        Edit = 1 << 6,
        Post = 1 << 7,
        Cancel = 1 << 8,
    };
    static constexpr int EditButtons = Insert | Delete | Edit | Post | Cancel;

    Navigator(int buttons, QWidget* parent = nullptr);
    ~Navigator() override;

    // Attaches the navigator to a dataset (and to the grid that shows it, whose open cell
    // editor is written into the dataset before a button acts).
    void bind(db::Dataset& dataset, GridBinding* grid = nullptr);
    QToolButton* button(Button which) const;
    // Whether new rows may be started at all (a page without a discipline allows none).
    void setInsertAllowed(bool allowed);
    // The question asked before a delete; by default a general one.
    std::function<QString()> deleteQuestion;

    void updateButtons();

private:
    void act(Button which);
    void datasetReset() override { updateButtons(); }
    void rowInserted(int) override { updateButtons(); }
    void rowRemoved(int) override { updateButtons(); }
    void currentRowMoved(int) override { updateButtons(); }
    void stateChanged() override { updateButtons(); }

    db::Dataset* mDataset = nullptr;
    GridBinding* mGrid = nullptr;
    std::map<Button, QToolButton*> mButtons;
    bool mInsertAllowed = true;
};

} // namespace pelagor
