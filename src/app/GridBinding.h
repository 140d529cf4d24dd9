// Binds a grid (QTableView) to a dataset: the model and its cell editors, column headers and
// widths, and the two-way link between the grid's current row and the dataset's cursor.
#pragma once

#include "app/DatasetModel.h"
#include "app/FieldDelegate.h"

#include <QObject>
#include <QTableView>

#include <vector>

namespace pelagor {

struct GridOptions {
    bool rowSelection = false; // whole rows rather than cells
    bool alternatingRows = false;
    bool editorAlwaysShown = false; // the cell editor opens as soon as a cell becomes current
    bool editable = true;
    int fontPixels = 0;     // 0 keeps the window's font
    int rowHeight = 0;      // 0 keeps the default
    int stretchColumn = -1; // the column that takes the spare width (-1: the last one)
};

class GridBinding : public QObject {
    Q_OBJECT
public:
    GridBinding(QTableView* view, db::Dataset& dataset, std::vector<GridColumn> columns,
                const GridOptions& options);

    QTableView* view() const { return mView; }
    DatasetModel* model() const { return mModel; }
    FieldDelegate* delegate() const { return mDelegate; }
    db::Dataset& dataset() const { return mModel->dataset(); }

    // Writes an open cell editor into the dataset (before a button acts on it).
    void commitEditor() { mDelegate->commitOpenEditor(); }
    void discardEditor() { mDelegate->discardOpenEditor(); }
    // Puts the cursor of the grid on the dataset's current row, in the first editable column,
    // and opens its editor (after a new row has been started).
    void editCurrentRow();

private:
    void followDataset(int row);
    void followView(const QModelIndex& current);

    QTableView* mView;
    DatasetModel* mModel;
    FieldDelegate* mDelegate;
    bool mSyncing = false;
};

} // namespace pelagor
