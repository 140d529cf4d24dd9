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
    auto* layout = new QVBoxLayout(TITiposApnea);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(0);
    NavTiposApnea = new Navigator(Navigator::EditButtons, TITiposApnea);
    NavTiposApnea->setObjectName(QStringLiteral("NavTiposApnea"));
    NavTiposApnea->setFixedHeight(55);
    GridPruebas = new QTableView(TITiposApnea);
    GridPruebas->setObjectName(QStringLiteral("GridPruebas"));
    layout->addWidget(NavTiposApnea);
    layout->addWidget(GridPruebas, 1);
}

void TPrincipal::bindDisciplinesPage(TDM& dm) {
    GridOptions options;
    options.rowHeight = 28;
    auto* grid = new GridBinding(GridPruebas, dm.QTiposApnea,
                                 {{ui::name("codigo"), ui::text("Código"), 10},
                                  {ui::name("Nombre"), ui::text("Nombre"), 50, 0, Qt::AlignLeft | Qt::AlignVCenter, true}},
                                 options);
    mGrids.push_back(grid);
    NavTiposApnea->bind(dm.QTiposApnea, grid);
    NavTiposApnea->deleteQuestion = [&dm] {
        return ui::text("¿Desea quitar la modalidad «") + qs(dm.QTiposApnea.asString("codigo")) +
               ui::text("» de la competición?");
    };
}

void TPrincipal::BCompTiposApneaClick() {
    guarded([this] {
        finishPendingEdits();
        auto& q = DM->QTiposApnea;
        if (q.isOpen())
            q.close();
        q.setParam("codigo", DM->currentCompetitionId());
        q.open();
        setTitle(competitionTitle("Tipos de Apnea"));
        showPage(TITiposApnea);
    });
}

} // namespace pelagor
