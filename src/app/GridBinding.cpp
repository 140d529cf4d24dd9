// Grid binding.
#include "app/GridBinding.h"

#include "app/Messages.h"

#include <QHeaderView>
#include <QTimer>

namespace pelagor {

GridBinding::GridBinding(QTableView* view, db::Dataset& dataset, std::vector<GridColumn> columns,
                         const GridOptions& options)
    : QObject(view), mView(view) {
    mModel = new DatasetModel(dataset, std::move(columns), this);
    mDelegate = new FieldDelegate(this);
    if (options.fontPixels > 0) {
        QFont f = view->font();
        f.setPixelSize(options.fontPixels);
        view->setFont(f);
    }
    view->setModel(mModel);
    view->setItemDelegate(mDelegate);
    view->setSelectionBehavior(options.rowSelection ? QAbstractItemView::SelectRows
                                                    : QAbstractItemView::SelectItems);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setAlternatingRowColors(options.alternatingRows);
    QAbstractItemView::EditTriggers triggers = QAbstractItemView::NoEditTriggers;
    if (options.editable) {
        triggers = QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                   QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked;
        if (options.editorAlwaysShown) triggers |= QAbstractItemView::CurrentChanged;
    }
    view->setEditTriggers(triggers);
    view->verticalHeader()->hide();
    if (options.rowHeight > 0) {
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setDefaultSectionSize(options.rowHeight);
    }
    view->horizontalHeader()->setSectionsMovable(true);
    view->horizontalHeader()->setHighlightSections(false);
    view->setWordWrap(false);
    // The selection stays visible when the grid loses the focus.
    QPalette p = view->palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight,
               p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    view->setPalette(p);

    const QFontMetrics fm(view->font());
    for (int c = 0; c < mModel->columnCount(); ++c) {
        const auto& col = mModel->column(c);
        if (col.widthChars > 0)
            view->setColumnWidth(c, col.widthChars * fm.averageCharWidth() + 12);
        else if (col.widthUnits > 0)
            view->setColumnWidth(c, col.widthUnits);
    }
    if (options.stretchColumn >= 0)
        view->horizontalHeader()->setSectionResizeMode(options.stretchColumn, QHeaderView::Stretch);
    else
        view->horizontalHeader()->setStretchLastSection(true);

    connect(mModel, &DatasetModel::datasetRowMoved, this, &GridBinding::followDataset);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { followView(current); });
    followDataset(dataset.currentRow());
}

void GridBinding::followDataset(int row) {
    if (mSyncing) return;
    mSyncing = true;
    auto* sel = mView->selectionModel();
    if (row < 0 || row >= mModel->rowCount()) {
        sel->clearCurrentIndex();
        sel->clearSelection();
    } else {
        const int col = std::max(0, mView->currentIndex().column());
        const QModelIndex index = mModel->index(row, col);
        if (mView->currentIndex() != index) {
            QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
            if (mView->selectionBehavior() == QAbstractItemView::SelectRows)
                flags |= QItemSelectionModel::Rows;
            sel->setCurrentIndex(index, flags);
        }
        mView->scrollTo(index);
    }
    mSyncing = false;
}

void GridBinding::followView(const QModelIndex& current) {
    if (mSyncing || !current.isValid()) return;
    db::Dataset& ds = dataset();
    if (!ds.isOpen() || current.row() == ds.currentRow()) return;
    guarded([&] { ds.setRecNo(current.row() + 1); });
    if (ds.currentRow() != current.row()) {
        // The pending edit of the row being left could not be saved: stay on it.
        QTimer::singleShot(0, this, [this] { followDataset(dataset().currentRow()); });
    }
}

void GridBinding::editCurrentRow() {
    const int row = dataset().currentRow();
    if (row < 0) return;
    for (int c = 0; c < mModel->columnCount(); ++c) {
        const int logical = mView->horizontalHeader()->logicalIndex(c);
        if (mView->isColumnHidden(logical)) continue;
        const QModelIndex index = mModel->index(row, logical);
        if (mModel->flags(index) & Qt::ItemIsEditable) {
            mSyncing = true;
            mView->setCurrentIndex(index);
            mSyncing = false;
            // A grid whose editor follows the current cell has opened it already.
            if (!mDelegate->hasOpenEditor()) mView->edit(index);
            return;
        }
    }
}

} // namespace pelagor
