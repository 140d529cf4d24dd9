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
    auto* layout = ui::pageColumn(TIListadoPruebas);
    NavModalidades =
        ui::addNavigator(TIListadoPruebas, layout, "NavModalidades", Navigator::EditButtons, 48);
    GridTiposPruebas = ui::addGrid(TIListadoPruebas, layout, "GridTiposPruebas");
}

void TPrincipal::bindCataloguePage(TDM& dm) {
    GridOptions options;
    options.fontPixels = 14;
    options.rowHeight = 30;
    bindGrid(GridTiposPruebas, NavModalidades, dm.qPruebas,
             {{ui::name("Codigo"), ui::text("Código"), 15, 0, Qt::AlignCenter},
              {ui::name("Nombre"), ui::text("Nombre"), 50}},
             options, [&dm] {
                 return ui::text("¿Desea borrar del catálogo la modalidad «") +
                        qs(dm.qPruebas.asString("Codigo")) +
                        ui::text("»?\nLas competiciones que ya la tienen la conservan.");
             });
}

} // namespace pelagor
