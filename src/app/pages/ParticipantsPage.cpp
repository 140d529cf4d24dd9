// The participants of the current competition.
#include "app/GridBinding.h"
#include "app/Messages.h"
#include "app/Navigator.h"
#include "app/TPrincipal.h"
#include "app/pages/PageLayout.h"
#include "data/TDM.h"

#include <QTableView>
#include <QVBoxLayout>

namespace pelagor {

void TPrincipal::buildParticipantsPage() {
    auto* layout = ui::pageColumn(TIParticipantes);
    ToolBarParticipantes = ui::toolBar(TIParticipantes, "ToolBarParticipantes", 40);
    BPartMarcasAnunciadas =
        ui::button(ToolBarParticipantes, "BPartMarcasAnunciadas", "Marcas Anunciadas", 125, 40);
    auto* row = ui::rowOf(ToolBarParticipantes);
    row->addStretch(1);
    ui::addWithMargins(row, BPartMarcasAnunciadas, 2, 2);
    layout->addWidget(ToolBarParticipantes);
    layout->addSpacing(5);
    NavParticipantes =
        ui::addNavigator(TIParticipantes, layout, "NavParticipantes", Navigator::EditButtons, 55);
    GridParticipantes = ui::addGrid(TIParticipantes, layout, "GridParticipantes");
    connect(BPartMarcasAnunciadas, &QPushButton::clicked, this,
            &TPrincipal::BPartMarcasAnunciadasClick);
}

void TPrincipal::bindParticipantsPage(TDM& dm) {
    GridOptions options;
    options.fontPixels = 13;
    options.rowHeight = 28;
    options.stretchColumn = 1; // Nombre
    options.alternatingRows = true;
    options.editorAlwaysShown = true;
    GridColumn id{ui::name("id_part"), ui::name("ID"), 6, 0, Qt::AlignCenter};
    id.allowNegative = false;
    bindGrid(GridParticipantes, NavParticipantes, dm.QParticipantes,
             {id,
              {ui::name("Nombre"), ui::name("Nombre"), 32},
              {ui::name("Sexo"), ui::name("Sexo"), 0, 50, Qt::AlignCenter},
              {ui::name("Licencia"), ui::name("Licencia"), 14},
              {ui::name("Equipo"), ui::name("Equipo"), 22}},
             options, [&dm] {
                 return ui::text("¿Desea borrar al participante ") +
                        qs(dm.QParticipantes.asString("id_part")) + ui::text(" (") +
                        qs(dm.QParticipantes.asString("Nombre")) + ui::text(")?");
             });
}

void TPrincipal::BParticipantesClick() {
    guarded([this] {
        finishPendingEdits();
        DM->actualizar();
        setTitle(competitionTitle("Participantes"));
        showPage(TIParticipantes);
    });
}

} // namespace pelagor
