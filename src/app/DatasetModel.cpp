// Table model over a dataset.
#include "app/DatasetModel.h"

#include "app/Messages.h"
#include "core/NumberFormat.h"
#include "db/DbError.h"

#include <QDate>
#include <QLocale>

namespace pelagor {

using db::FieldType;
using db::Value;

// Looked-up columns change when the dataset they look in changes.
struct DatasetModel::SourceListener : db::DatasetListener {
    DatasetModel* model;
    db::Dataset* source;
    SourceListener(DatasetModel* m, db::Dataset* s) : model(m), source(s) {
        source->addListener(this);
    }
    ~SourceListener() override { source->removeListener(this); }
    void refresh() {
        const int rows = model->rowCount();
        if (rows > 0)
            Q_EMIT model->dataChanged(model->index(0, 0),
                                      model->index(rows - 1, model->columnCount() - 1));
    }
    void datasetReset() override { refresh(); }
    void rowChanged(int) override { refresh(); }
    void rowInserted(int) override { refresh(); }
    void rowRemoved(int) override { refresh(); }
};

QString displayValue(const db::FieldDef& field, const Value& value) {
    if (db::isNull(value)) return {};
    switch (field.type) {
    case FieldType::Float:
        if (auto* d = std::get_if<double>(&value)) return qs(formatShortest(*d));
        break;
    case FieldType::Date:
        if (auto* s = std::get_if<std::string>(&value)) {
            const QDate date = QDate::fromString(qs(*s), Qt::ISODate);
            if (date.isValid()) return QLocale().toString(date, QLocale::ShortFormat);
        }
        break;
    default:
        break;
    }
    return qs(db::displayText(value));
}

DatasetModel::DatasetModel(db::Dataset& dataset, std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), mDataset(dataset), mColumns(std::move(columns)) {
    resolveFields();
    mDataset.addListener(this);
    for (db::Dataset* source : mDataset.lookupSources())
        mSources.push_back(std::make_unique<SourceListener>(this, source));
}

DatasetModel::~DatasetModel() {
    mDataset.removeListener(this);
}

void DatasetModel::resolveFields() {
    mFieldIndex.clear();
    for (const auto& c : mColumns) {
        const int f = mDataset.fieldIndex(c.field.toStdString());
        if (f < 0)
            throw db::DbError("«" + mDataset.name() + "» no tiene el campo «" +
                              c.field.toStdString() + "».");
        mFieldIndex.push_back(f);
    }
}

const db::FieldDef& DatasetModel::fieldOf(int column) const {
    return mDataset.fieldDef(fieldIndex(column));
}

int DatasetModel::columnOfField(const QString& field) const {
    for (std::size_t i = 0; i < mColumns.size(); ++i)
        if (mColumns[i].field.compare(field, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

int DatasetModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !mDataset.isOpen()) return 0;
    return mDataset.recordCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(mColumns.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto& def = fieldOf(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        try {
            const Value v = mDataset.valueAt(index.row(), fieldIndex(index.column()));
            if (role == Qt::EditRole && def.type == FieldType::Date) {
                const auto* s = std::get_if<std::string>(&v);
                return s ? QVariant(QDate::fromString(qs(*s), Qt::ISODate)) : QVariant(QDate());
            }
            return displayValue(def, v);
        } catch (const std::exception&) {
            return {};
        }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column(index.column()).alignment);
    default:
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < columnCount()) {
        if (role == Qt::DisplayRole) {
            const auto& c = column(section);
            return c.header.isEmpty() ? c.field : c.header;
        }
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(column(section).alignment);
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole) return section + 1;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!column(index.column()).readOnly && fieldOf(index.column()).kind == db::FieldKind::Data &&
        !mDataset.updateTable().empty())
        f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    try {
        const auto& def = fieldOf(index.column());
        if (mDataset.currentRow() != index.row()) mDataset.setRecNo(index.row() + 1);
        if (mDataset.currentRow() != index.row()) return false;
        Value v;
        if (def.type == FieldType::Date) {
            const QDate date = value.toDate();
            if (date.isValid()) v = date.toString(Qt::ISODate).toStdString();
        } else {
            v = value.toString().toStdString();
        }
        // An unchanged cell does not start an edit.
        if (!mDataset.isEditing() &&
            displayValue(def, mDataset.valueAt(index.row(), fieldIndex(index.column()))) ==
                displayValue(def, def.type == FieldType::Date ? v : db::coerce(v, def.type)))
            return true;
        mDataset.edit();
        mDataset.fieldByName(def.name).setValue(v);
        return true;
    } catch (...) {
        reportExceptionLater(std::current_exception());
        return false;
    }
}

void DatasetModel::datasetReset() {
    beginResetModel();
    endResetModel();
    Q_EMIT datasetRowMoved(mDataset.currentRow());
    Q_EMIT datasetStateChanged();
}

void DatasetModel::rowChanged(int row) {
    if (row >= 0 && row < rowCount())
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DatasetModel::rowInserted(int row) {
    beginInsertRows({}, row, row);
    endInsertRows();
}

void DatasetModel::rowRemoved(int row) {
    beginRemoveRows({}, row, row);
    endRemoveRows();
}

void DatasetModel::currentRowMoved(int row) {
    Q_EMIT datasetRowMoved(row);
}

void DatasetModel::stateChanged() {
    Q_EMIT datasetStateChanged();
}

} // namespace pelagor
