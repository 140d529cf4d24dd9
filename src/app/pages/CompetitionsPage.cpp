// The competitions page: the list of competitions, edited in place, and the buttons that open
// the pages of the selected competition.
#include "app/GridBinding.h"
#include "app/Messages.h"
#include "app/Navigator.h"
#include "app/TPrincipal.h"
#include "app/pages/PageLayout.h"
#include "data/TDM.h"

#include <QTableView>
#include <QVBoxLayout>

namespace pelagor {

void TPrincipal::buildCompetitionsPage() {
    auto* layout = ui::pageColumn(TICompeticiones);

    ToolBarCompeticiones = ui::toolBar(TICompeticiones, "ToolBarCompeticiones", 46);
    ToolBarMenuCompIzquierda = ui::toolBar(ToolBarCompeticiones, "ToolBarMenuCompIzquierda", 46);
    ToolBarMenuCompDerecha = ui::toolBar(ToolBarCompeticiones, "ToolBarMenuCompDerecha", 46);
    auto makeButton = [](QFrame* bar, const char* objectName, const char* caption,
                         const char* hint) {
        QPushButton* b = ui::button(bar, objectName, caption, 120, 46, 14);
        if (hint) b->setToolTip(ui::text(hint));
        ui::addWithMargins(ui::rowOf(bar), b, 2, 2);
        return b;
    };
    BCompTiposApnea = makeButton(ToolBarMenuCompIzquierda, "BCompTiposApnea", "Modalidades",
                                 "Modalidades de apnea en la competición");
    BCompPart = makeButton(ToolBarMenuCompIzquierda, "BCompPart", "Participantes",
                           "Participantes y Marcas Anunciadas");
    BStartList =
        makeButton(ToolBarMenuCompDerecha, "BStartList", "Start List", "Orden de participación");
    BResultados = makeButton(ToolBarMenuCompDerecha, "BResultados", "Resultados", nullptr);
    BClasificaciones =
        makeButton(ToolBarMenuCompDerecha, "BClasificaciones", "Clasificaciones", nullptr);
    auto* row = ui::rowOf(ToolBarCompeticiones);
    row->addWidget(ToolBarMenuCompIzquierda);
    row->addStretch(1);
    row->addWidget(ToolBarMenuCompDerecha);
    layout->addWidget(ToolBarCompeticiones);
    layout->addSpacing(5);

    NavCompet = ui::addNavigator(TICompeticiones, layout, "NavCompet", Navigator::EditButtons, 55);
    GridCompeticiones = ui::addGrid(TICompeticiones, layout, "GridCompeticiones");

    connect(BCompTiposApnea, &QPushButton::clicked, this, &TPrincipal::BCompTiposApneaClick);
    connect(BCompPart, &QPushButton::clicked, this, &TPrincipal::BParticipantesClick);
}

void TPrincipal::bindCompetitionsPage(TDM& dm) {
    GridOptions options;
    options.fontPixels = 14;
    options.rowHeight = 30;
    options.rowSelection = true;
    bindGrid(
        GridCompeticiones, NavCompet, dm.QCompeticiones,
        {{ui::name("Nombre"), ui::text("Nombre"), 40},
         {ui::name("Fecha"), ui::text("Fecha"), 15},
         {ui::name("Lugar"), ui::text("Lugar"), 50}},
        options, [&dm] {
            return ui::text("¿Desea borrar la competición «") +
                   qs(dm.QCompeticiones.asString("Nombre")) +
                   ui::text(
                       "» con sus modalidades, participantes, marcas anunciadas y resultados?");
        });
}

} // namespace pelagor
