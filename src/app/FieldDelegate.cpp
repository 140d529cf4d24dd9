// Cell editors.
#include "app/FieldDelegate.h"

#include "app/DatasetModel.h"
#include "app/Messages.h"
#include "core/Regional.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

namespace pelagor {

namespace {
const DatasetModel* modelOf(const QModelIndex& index) {
    return qobject_cast<const DatasetModel*>(index.model());
}

// The regional short date form with four-digit years, so that the century is never guessed.
QString editorDateFormat() {
    QString f = qs(regional().shortDateFormat);
    if (!f.contains(QStringLiteral("yyyy")))
        f.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return f;
}
} // namespace

QWidget* FieldDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    const auto* model = modelOf(index);
    if (!model) return QStyledItemDelegate::createEditor(parent, option, index);
    const auto& field = model->fieldOf(index.column());
    const auto& column = model->column(index.column());
    QWidget* editor = nullptr;
    switch (field.type) {
    case db::FieldType::Date: {
        auto* e = new QDateEdit(parent);
        e->setCalendarPopup(true);
        e->setDisplayFormat(editorDateFormat());
        connect(e, &QDateEdit::dateChanged, e, [e] { e->setProperty("emptyUntouched", false); });
        editor = e;
        break;
    }
    case db::FieldType::Integer:
    case db::FieldType::LargeInt: {
        auto* e = new QLineEdit(parent);
        const QString sign = column.allowNegative ? QStringLiteral("-?") : QString();
        e->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("^") + sign + QStringLiteral("\\d{0,9}$")), e));
        editor = e;
        break;
    }
    case db::FieldType::Float: {
        auto* e = new QLineEdit(parent);
        const QString sign = column.allowNegative ? QStringLiteral("-?") : QString();
        e->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("^") + sign +
                               QStringLiteral("\\d{0,12}([.,]\\d{0,6})?$")),
            e));
        editor = e;
        break;
    }
    case db::FieldType::String: {
        auto* e = new QLineEdit(parent);
        if (field.width > 0 && !field.key) e->setMaxLength(field.width);
        editor = e;
        break;
    }
    }
    editor->setObjectName(QStringLiteral("CellEditor"));
    editor->setAutoFillBackground(true);
    mEditor = editor;
    return editor;
}

void FieldDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* d = qobject_cast<QDateEdit*>(editor)) {
        // An empty date opens on today but stays empty unless the user picks a date.
        const QDate date = index.data(Qt::EditRole).toDate();
        const QSignalBlocker quiet(d);
        d->setDate(date.isValid() ? date : QDate::currentDate());
        d->setProperty("emptyUntouched", !date.isValid());
        return;
    }
    if (auto* l = qobject_cast<QLineEdit*>(editor)) {
        l->setText(index.data(Qt::EditRole).toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void FieldDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& index) const {
    if (auto* d = qobject_cast<QDateEdit*>(editor)) {
        model->setData(index, d->property("emptyUntouched").toBool() ? QDate() : d->date(),
                       Qt::EditRole);
        return;
    }
    if (auto* l = qobject_cast<QLineEdit*>(editor)) {
        model->setData(index, l->text(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void FieldDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (mEditor == editor) mEditor.clear();
    QStyledItemDelegate::destroyEditor(editor, index);
}

void FieldDelegate::commitOpenEditor() {
    if (!mEditor) return;
    QWidget* editor = mEditor;
    Q_EMIT commitData(editor);
    Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
}

} // namespace pelagor

namespace pelagor {

void FieldDelegate::discardOpenEditor() {
    if (mEditor) Q_EMIT closeEditor(mEditor, QAbstractItemDelegate::NoHint);
}

} // namespace pelagor
