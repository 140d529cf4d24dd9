// The disciplines of the current competition.
#include "app/GridBinding.h"
#include "app/Messages.h"
#include "app/Navigator.h"
#include "app/TPrincipal.h"
#include "app/pages/PageLayout.h"
#include "data/TDM.h"

#include <QTableView>
#include <QVBoxLayout>

namespace pelagor {

void TPrincipal::buildDisciplinesPage() {
    auto* layout = ui::pageColumn(TITiposApnea);
    NavTiposApnea =
        ui::addNavigator(TITiposApnea, layout, "NavTiposApnea", Navigator::EditButtons, 55);
    GridPruebas = ui::addGrid(TITiposApnea, layout, "GridPruebas");
}

void TPrincipal::bindDisciplinesPage(TDM& dm) {
    GridOptions options;
    options.rowHeight = 28;
    bindGrid(
        GridPruebas, NavTiposApnea, dm.QTiposApnea,
        {{ui::name("codigo"), ui::text("Código"), 10},
         {ui::name("Nombre"), ui::text("Nombre"), 50, 0, Qt::AlignLeft | Qt::AlignVCenter, true}},
        options, [&dm] {
            return ui::text("¿Desea quitar la modalidad «") +
                   qs(dm.QTiposApnea.asString("codigo")) + ui::text("» de la competición?");
        });
}

void TPrincipal::BCompTiposApneaClick() {
    guarded([this] {
        finishPendingEdits();
        auto& q = DM->QTiposApnea;
        if (q.isOpen()) q.close();
        q.setParam("codigo", DM->currentCompetitionId());
        q.open();
        setTitle(competitionTitle("Tipos de Apnea"));
        showPage(TITiposApnea);
    });
}

} // namespace pelagor
