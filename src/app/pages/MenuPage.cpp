// The menu page: the discipline catalogue, the competitions and the end of the program.
#include "app/TPrincipal.h"
#include "app/pages/PageLayout.h"

#include <QVBoxLayout>

namespace pelagor {

void TPrincipal::buildMenuPage() {
    auto* layout = ui::pageColumn(TIMenu);
    BTiposPrueba = ui::button(TIMenu, "BTiposPrueba", "TIPOS DE PRUEBA", 0, 73, 16);
    BCompeticiones = ui::button(TIMenu, "BCompeticiones", "COMPETICIONES", 0, 73, 16);
    BTerminar = ui::button(TIMenu, "BTerminar", "TERMINAR", 0, 73, 16);
    layout->addSpacing(5);
    layout->addWidget(BTiposPrueba);
    layout->addSpacing(10);
    layout->addWidget(BCompeticiones);
    layout->addSpacing(73);
    layout->addWidget(BTerminar);
    layout->addStretch(1);
    connect(BTiposPrueba, &QPushButton::clicked, this, &TPrincipal::BTiposPruebaClick);
    connect(BCompeticiones, &QPushButton::clicked, this, &TPrincipal::BCompeticionesClick);
    connect(BTerminar, &QPushButton::clicked, this, &TPrincipal::BTerminarClick);
}

} // namespace pelagor
