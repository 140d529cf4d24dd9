// A table model over one dataset and a list of columns: the grids of the pages show and edit
// their dataset's rows through it, and it forwards the dataset's cursor to the view.
#pragma once

#include "db/Dataset.h"

#include <QAbstractTableModel>
#include <QString>

#include <memory>
#include <vector>

namespace pelagor {

struct GridColumn {
    QString field;
    QString header;     // empty shows the field name
    int widthChars = 0; // width in average characters (0: widthUnits, or the default)
    int widthUnits = 0; // width in layout units
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool readOnly = false;
    bool allowNegative = true; // for number columns
};

class DatasetModel : public QAbstractTableModel, private db::DatasetListener {
    Q_OBJECT
public:
    DatasetModel(db::Dataset& dataset, std::vector<GridColumn> columns, QObject* parent = nullptr);
    ~DatasetModel() override;

    db::Dataset& dataset() const { return mDataset; }
    const GridColumn& column(int index) const {
        return mColumns.at(static_cast<std::size_t>(index));
    }
    const db::FieldDef& fieldOf(int column) const;
    int columnOfField(const QString& field) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Moves the dataset to the row, starts an edit and sets the field; errors are shown to the
    // user once the current event has been handled, and the cell keeps its value.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // The dataset's current row moved (-1: none) or its editing state changed.
    void datasetRowMoved(int row);
    void datasetStateChanged();

private:
    void datasetReset() override;
    void rowChanged(int row) override;
    void rowInserted(int row) override;
    void rowRemoved(int row) override;
    void currentRowMoved(int row) override;
    void stateChanged() override;
    int fieldIndex(int column) const { return mFieldIndex.at(static_cast<std::size_t>(column)); }
    void resolveFields();

    struct SourceListener;
    db::Dataset& mDataset;
    std::vector<GridColumn> mColumns;
    std::vector<int> mFieldIndex;
    std::vector<std::unique_ptr<SourceListener>> mSources;
};

// The text a grid cell shows for a value of a field.
QString displayValue(const db::FieldDef& field, const db::Value& value);

} // namespace pelagor
