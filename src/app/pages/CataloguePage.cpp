// The discipline catalogue page: codes and names of every discipline the program knows.
#include "app/GridBinding.h"
#include "app/Messages.h"
#include "app/Navigator.h"
#include "app/TPrincipal.h"
#include "app/pages/PageLayout.h"
#include "data/TDM.h"

#include <QTableView>
#include <QVBoxLayout>

namespace pelagor {

void TPrincipal::buildCataloguePage() {
    auto* layout = new QVBoxLayout(TIListadoPruebas);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(0);
    NavModalidades = new Navigator(Navigator::EditButtons, TIListadoPruebas);
    NavModalidades->setObjectName(QStringLiteral("NavModalidades"));
    NavModalidades->setFixedHeight(48);
    GridTiposPruebas = new QTableView(TIListadoPruebas);
    GridTiposPruebas->setObjectName(QStringLiteral("GridTiposPruebas"));
    layout->addWidget(NavModalidades);
    layout->addWidget(GridTiposPruebas, 1);
}

void TPrincipal::bindCataloguePage(TDM& dm) {
    GridOptions options;
    options.fontPixels = 14;
    options.rowHeight = 30;
    auto* grid = new GridBinding(GridTiposPruebas, dm.qPruebas,
                                 {{ui::name("Codigo"), ui::text("Código"), 15, 0, Qt::AlignCenter},
                                  {ui::name("Nombre"), ui::text("Nombre"), 50}},
                                 options);
    mGrids.push_back(grid);
    NavModalidades->bind(dm.qPruebas, grid);
    NavModalidades->deleteQuestion = [&dm] {
        return ui::text("¿Desea borrar del catálogo la modalidad «") + qs(dm.qPruebas.asString("Codigo")) +
               ui::text("»?\nLas competiciones que ya la tienen la conservan.");
    };
}

} // namespace pelagor
