// Navigator bar.
#include "app/Navigator.h"

#include "app/GridBinding.h"
#include "app/Messages.h"

#include <QHBoxLayout>
#include <QStyle>

namespace pelagor {

namespace {
struct ButtonInfo {
    Navigator::Button button;
    const char* name;
    const char* text;
    QStyle::StandardPixmap icon;
};
const ButtonInfo kButtons[] = {
    {Navigator::First, "nbFirst", "Primero", QStyle::SP_MediaSkipBackward},
    {Navigator::Prior, "nbPrior", "Anterior", QStyle::SP_MediaSeekBackward},
    {Navigator::Next, "nbNext", "Siguiente", QStyle::SP_MediaSeekForward},
    {Navigator::Last, "nbLast", "Último", QStyle::SP_MediaSkipForward},
    {Navigator::Insert, "nbInsert", "Nuevo", QStyle::SP_FileDialogNewFolder},
    {Navigator::Delete, "nbDelete", "Borrar", QStyle::SP_TrashIcon},
    {Navigator::Edit, "nbEdit", "Editar", QStyle::SP_FileDialogDetailedView},
    {Navigator::Post, "nbPost", "Guardar", QStyle::SP_DialogSaveButton},
    {Navigator::Cancel, "nbCancel", "Cancelar", QStyle::SP_DialogCancelButton},
};
} // namespace

Navigator::Navigator(int buttons, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);
    for (const auto& info : kButtons) {
        if (!(buttons & info.button)) continue;
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(info.name));
        b->setText(QString::fromUtf8(info.text));
        b->setToolTip(QString::fromUtf8(info.text));
        b->setIcon(style()->standardIcon(info.icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        // Taking the focus on a click lets an open cell editor hand over what it holds.
        b->setFocusPolicy(Qt::StrongFocus);
        const Button which = info.button;
        connect(b, &QToolButton::clicked, this, [this, which] { act(which); });
        layout->addWidget(b);
        mButtons[info.button] = b;
    }
    layout->addStretch(1);
    updateButtons();
}

Navigator::~Navigator() {
    if (mDataset) mDataset->removeListener(this);
}

void Navigator::bind(db::Dataset& dataset, GridBinding* grid) {
    if (mDataset) mDataset->removeListener(this);
    mDataset = &dataset;
    mGrid = grid;
    mDataset->addListener(this);
    updateButtons();
}

QToolButton* Navigator::button(Button which) const {
    auto it = mButtons.find(which);
    return it == mButtons.end() ? nullptr : it->second;
}

void Navigator::setInsertAllowed(bool allowed) {
    mInsertAllowed = allowed;
    updateButtons();
}

void Navigator::updateButtons() {
    const bool open = mDataset && mDataset->isOpen();
    const bool editing = open && mDataset->isEditing();
    const int row = open ? mDataset->currentRow() : -1;
    const int count = open ? mDataset->recordCount() : 0;
    const bool writable = open && !mDataset->updateTable().empty();
    auto set = [this](Button b, bool on) {
        if (auto* w = button(b)) w->setEnabled(on);
    };
    set(First, open && row > 0);
    set(Prior, open && row > 0);
    set(Next, open && row >= 0 && row < count - 1);
    set(Last, open && row >= 0 && row < count - 1);
    set(Insert, writable && mInsertAllowed);
    set(Delete, writable && count > 0);
    set(Edit, writable && !editing && count > 0);
    set(Post, editing);
    set(Cancel, editing);
}

void Navigator::act(Button which) {
    guarded([&] {
        if (!mDataset) return;
        if (mGrid && which != Cancel) mGrid->commitEditor();
        db::Dataset& ds = *mDataset;
        switch (which) {
        case First:
            ds.first();
            break;
        case Prior:
            ds.prior();
            break;
        case Next:
            ds.next();
            break;
        case Last:
            ds.last();
            break;
        case Insert:
            ds.append();
            if (mGrid) mGrid->editCurrentRow();
            break;
        case Delete: {
            if (ds.isEmpty()) return;
            const QString question =
                deleteQuestion ? deleteQuestion()
                               : QStringLiteral("¿Desea borrar el registro seleccionado?");
            if (askYesNo(question)) ds.remove();
            break;
        }
        case Edit:
            ds.edit();
            if (mGrid) mGrid->editCurrentRow();
            break;
        case Post:
            ds.post();
            break;
        case Cancel:
            if (mGrid) mGrid->discardEditor();
            ds.cancel();
            break;
        }
    });
    updateButtons();
}

} // namespace pelagor
