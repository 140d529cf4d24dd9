// Cell editors that suit each field: a date editor for dates, text boxes that accept only
// numbers for numbers, and a text box no longer than the field for texts. An empty number
// stays empty rather than becoming 0.
#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

namespace pelagor {

class FieldDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

    // Writes what the open editor holds into the model and closes it (before a button acts).
    void commitOpenEditor();
    // Closes the open editor without writing what it holds.
    void discardOpenEditor();
    bool hasOpenEditor() const { return !mEditor.isNull(); }

private:
    mutable QPointer<QWidget> mEditor;
};

} // namespace pelagor
