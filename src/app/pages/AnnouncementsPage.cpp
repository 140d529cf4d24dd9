// The announced performances of one discipline of the current competition: a distance in
// metres, or minutes and seconds for the timed disciplines.
#include "app/GridBinding.h"
#include "app/Messages.h"
#include "app/Navigator.h"
#include "app/TPrincipal.h"
#include "app/pages/PageLayout.h"
#include "core/Discipline.h"
#include "data/TDM.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace pelagor {

namespace {
// Grid columns by position: ID, Nombre, Marca, Minutos, Segundos.
enum MarcasColumn { kMarca = 2, kMinutos = 3, kSegundos = 4 };
} // namespace

void TPrincipal::buildAnnouncementsPage() {
    auto* layout = ui::pageColumn(TIMarcas);
    ToolBarMarcas = ui::toolBar(TIMarcas, "ToolBarMarcas", 40);
    LJornadaMarcas = ui::label(ToolBarMarcas, "LJornadaMarcas", "Modalidad", 13);
    LJornadaMarcas->setFixedWidth(76);
    CBModalidadMarcas = new QComboBox(ToolBarMarcas);
    CBModalidadMarcas->setObjectName(QStringLiteral("CBModalidadMarcas"));
    CBModalidadMarcas->setFixedSize(105, 40);
    LMarcasModalExt = ui::label(ToolBarMarcas, "LMarcasModalExt", "", 13, true);
    LMarcasModalExt->setFixedSize(306, 24);
    auto* row = ui::rowOf(ToolBarMarcas);
    ui::addWithMargins(row, LJornadaMarcas, 10, 0);
    row->addWidget(CBModalidadMarcas);
    ui::addWithMargins(row, LMarcasModalExt, 10, 10);
    row->addStretch(1);
    layout->addWidget(ToolBarMarcas);
    layout->addSpacing(5);
    BNavMarcas = ui::addNavigator(TIMarcas, layout, "BNavMarcas",
                                  Navigator::First | Navigator::Last | Navigator::EditButtons, 57);
    GridMarcas = ui::addGrid(TIMarcas, layout, "GridMarcas");

    connect(CBModalidadMarcas, &QComboBox::currentIndexChanged, this,
            &TPrincipal::CBModalidadMarcasChange);
}

void TPrincipal::bindAnnouncementsPage(TDM& dm) {
    GridOptions options;
    options.rowSelection = true;
    options.alternatingRows = true;
    options.rowHeight = 28;
    options.stretchColumn = 1; // Nombre
    auto number = [](const char* field, const char* header, int chars) {
        GridColumn c{ui::name(field), ui::name(header), chars, 0, Qt::AlignCenter};
        c.allowNegative = false;
        return c;
    };
    mGridMarcas =
        bindGrid(GridMarcas, BNavMarcas, dm.qMarcas,
                 {number("id_part", "ID", 6),
                  {ui::name("NombreParticipante"), ui::name("Nombre"), 36, 0,
                   Qt::AlignLeft | Qt::AlignVCenter, true},
                  number("Unidades", "Marca", 10),
                  number("Minutos", "Minutos", 10),
                  number("Segundos", "Segundos", 10)},
                 options, [&dm] {
                     return ui::text("¿Desea borrar la marca anunciada del participante ") +
                            qs(dm.qMarcas.asString("id_part")) + ui::text("?");
                 });
}

void TPrincipal::BPartMarcasAnunciadasClick() {
    guarded([this] {
        finishPendingEdits();
        auto& disciplines = DM->QTiposApnea;
        {
            // The selector is filled quietly: its change is run once, for the first discipline.
            QSignalBlocker quiet(CBModalidadMarcas);
            CBModalidadMarcas->clear();
            db::ControlsDisabled still(disciplines);
            for (disciplines.first(); !disciplines.eof(); disciplines.next())
                CBModalidadMarcas->addItem(qs(disciplines.asString("codigo")));
            disciplines.first();
            CBModalidadMarcas->setCurrentIndex(CBModalidadMarcas->count() > 0 ? 0 : -1);
        }
        mMarcasCode.clear();
        if (CBModalidadMarcas->count() > 0) {
            CBModalidadMarcasChange();
        } else {
            // A competition without disciplines: nothing to announce yet.
            LMarcasModalExt->clear();
        }
        auto& q = DM->qMarcas;
        q.close();
        q.setParam("codigo", DM->currentCompetitionId());
        q.setParam("apnea", db::Value{CBModalidadMarcas->currentText().toStdString()});
        q.open();
        BNavMarcas->setInsertAllowed(CBModalidadMarcas->count() > 0);
        setTitle(competitionTitle("Marcas Anunciadas"));
        showPage(TIMarcas);
    });
}

void TPrincipal::CBModalidadMarcasChange() {
    guarded([this] {
        if (CBModalidadMarcas->count() == 0) return;
        const QString code = CBModalidadMarcas->currentText();
        try {
            // What was typed for the discipline shown so far is saved before the switch.
            mGridMarcas->commitEditor();
            DM->qMarcas.finishEditing();
        } catch (...) {
            QSignalBlocker quiet(CBModalidadMarcas);
            CBModalidadMarcas->setCurrentIndex(CBModalidadMarcas->findText(mMarcasCode));
            throw;
        }
        DM->cambiarModalidad(DM->qMarcas, code.toStdString());
        applyMarcasDiscipline(code);
    });
}

void TPrincipal::applyMarcasDiscipline(const QString& code) {
    mMarcasCode = code;
    auto& disciplines = DM->QTiposApnea;
    if (disciplines.locate("codigo", db::Value{code.toStdString()}))
        LMarcasModalExt->setText(qs(disciplines.asString("Nombre")));
    const bool timed = isTimedDiscipline(code.toStdString());
    GridMarcas->setColumnHidden(kMarca, timed);
    GridMarcas->setColumnHidden(kMinutos, !timed);
    GridMarcas->setColumnHidden(kSegundos, !timed);
}

} // namespace pelagor
