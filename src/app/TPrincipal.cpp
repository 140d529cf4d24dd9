// The main window's frame, the menu navigation, the title rule and the back and home buttons.
#include "app/TPrincipal.h"

#include "app/GridBinding.h"
#include "app/Messages.h"
#include "app/Navigator.h"
#include "app/pages/PageLayout.h"
#include "data/TDM.h"
#include "db/DbError.h"

#include <QApplication>
#include <QCloseEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace pelagor {

TPrincipal* Principal = nullptr;

namespace {
const char* const kMainTitle = "ORLA_Pelagor v1.0";

enum PageIndex {
    kMenu = 0,
    kListadoPruebas = 1,
    kCompeticiones = 2,
    kTiposApnea = 3,
    kParticipantes = 4,
    kMarcas = 5,
    kStartList = 6,
    kResultados = 7,
    kClasificacion = 8,
    kValoresStartList = 9,
};
} // namespace

TPrincipal::TPrincipal(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Principal"));
    setWindowTitle(QStringLiteral("ORLA_Pelagor"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    buildHeader();
    layout->addWidget(HeaderToolBar);

    TabControl1 = new QTabWidget(this);
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->tabBar()->hide();
    TabControl1->setDocumentMode(true);
    layout->addWidget(TabControl1, 1);

    TIMenu = addPage("TIMenu", "Menú");
    TIListadoPruebas = addPage("TIListadoPruebas", "Listado Pruebas");
    TICompeticiones = addPage("TICompeticiones", "Competiciones");
    TITiposApnea = addPage("TITiposApnea", "Tipos Apnea");
    TIParticipantes = addPage("TIParticipantes", "Participantes");
    TIMarcas = addPage("TIMarcas", "Marcas");
    TIStartList = addPage("TIStartList", "StartList");
    TIResultados = addPage("TIResultados", "Resultados");
    TIClasificacion = addPage("TIClasificacion", "Clasificacion");
    TIValoresStartList = addPage("TIValoresStartList", "TIValoresStartList");
    buildMenuPage();
    buildCataloguePage();
    buildCompetitionsPage();
    buildDisciplinesPage();
    buildParticipantsPage();
    buildAnnouncementsPage();

    ToolBarPrincipalBase = ui::toolBar(this, "ToolBarPrincipalBase", 30, 10, 0);
    LAutor = ui::label(
        ToolBarPrincipalBase, "LAutor",
        "Pelagor · competiciones de apnea indoor, de la inscripción a la clasificación", 14);
    QPalette p = LAutor->palette();
    p.setColor(QPalette::WindowText, ui::kCoral);
    LAutor->setPalette(p);
    ui::rowOf(ToolBarPrincipalBase)->addWidget(LAutor, 1);
    layout->addWidget(ToolBarPrincipalBase);

    connect(TabControl1, &QTabWidget::currentChanged, this, &TPrincipal::TabControl1Change);
    connect(BVolverGeneral, &QToolButton::clicked, this, &TPrincipal::BVolverGeneralClick);
    connect(BMenuInicial, &QToolButton::clicked, this, &TPrincipal::BMenuInicialClick);

    resize(766, 726);
    FormCreate();
}

TPrincipal::~TPrincipal() {
    if (Principal == this) Principal = nullptr;
}

void TPrincipal::buildHeader() {
    HeaderToolBar = ui::toolBar(this, "HeaderToolBar", 46, 5, 5);
    auto* row = ui::rowOf(HeaderToolBar);
    auto navButton = [this](const char* objectName, QStyle::StandardPixmap icon, const char* tip) {
        auto* b = new QToolButton(HeaderToolBar);
        b->setObjectName(ui::name(objectName));
        b->setFixedSize(48, 42);
        b->setIcon(style()->standardIcon(icon));
        b->setIconSize(QSize(28, 28));
        b->setToolTip(ui::text(tip));
        b->setAutoRaise(true);
        return b;
    };
    BVolverGeneral = navButton("BVolverGeneral", QStyle::SP_ArrowBack, "Volver");
    BMenuInicial = navButton("BMenuInicial", QStyle::SP_FileDialogDetailedView, "Menú inicial");
    ToolBarLabel = new QLabel(HeaderToolBar);
    ToolBarLabel->setObjectName(QStringLiteral("ToolBarLabel"));
    ToolBarLabel->setAlignment(Qt::AlignCenter);
    ToolBarLabel->setMinimumWidth(341);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(14);
    ToolBarLabel->setFont(f);
    QPalette p = ToolBarLabel->palette();
    p.setColor(QPalette::WindowText, ui::kCoral);
    ToolBarLabel->setPalette(p);
    ui::addWithMargins(row, BVolverGeneral, 2, 2);
    row->addWidget(ToolBarLabel, 1);
    ui::addWithMargins(row, BMenuInicial, 2, 2);
}

QWidget* TPrincipal::addPage(const char* objectName, const char* caption) {
    auto* page = new QWidget(TabControl1);
    page->setObjectName(ui::name(objectName));
    TabControl1->addTab(page, ui::text(caption));
    return page;
}

void TPrincipal::bindData(TDM& dm) {
    bindCataloguePage(dm);
    bindCompetitionsPage(dm);
    bindDisciplinesPage(dm);
    bindParticipantsPage(dm);
    bindAnnouncementsPage(dm);
}

GridBinding* TPrincipal::bindGrid(QTableView* view, Navigator* navigator, db::Dataset& dataset,
                                  std::vector<GridColumn> columns, const GridOptions& options,
                                  std::function<QString()> deleteQuestion) {
    auto* grid = new GridBinding(view, dataset, std::move(columns), options);
    mGrids.push_back(grid);
    navigator->bind(dataset, grid);
    navigator->deleteQuestion = std::move(deleteQuestion);
    return grid;
}

void TPrincipal::setTitle(const QString& title) {
    ToolBarLabel->setText(title);
}

QString TPrincipal::competitionTitle(const char* word) const {
    return qs(DM->currentCompetitionName()) + QStringLiteral("\r\n") + ui::text(word);
}

void TPrincipal::showPage(QWidget* page) {
    TabControl1->setCurrentWidget(page);
}

void TPrincipal::finishPendingEdits() {
    for (GridBinding* grid : mGrids)
        grid->commitEditor();
    for (GridBinding* grid : mGrids)
        if (grid->dataset().isOpen()) grid->dataset().finishEditing();
}

void TPrincipal::FormCreate() {
    setTitle(ui::text(kMainTitle));
    showPage(TIMenu);
    TabControl1Change();
}

void TPrincipal::BMenuInicialClick() {
    guarded([this] {
        finishPendingEdits();
        setTitle(ui::text(kMainTitle));
        showPage(TIMenu);
    });
}

void TPrincipal::BTiposPruebaClick() {
    guarded([this] {
        finishPendingEdits();
        showPage(TIListadoPruebas);
        setTitle(ui::text("Modalidades de Apnea Indoor"));
    });
}

void TPrincipal::BCompeticionesClick() {
    guarded([this] {
        finishPendingEdits();
        setTitle(ui::text("Listado de Competiciones"));
        showPage(TICompeticiones);
    });
}

void TPrincipal::BTerminarClick() {
    close();
}

void TPrincipal::TabControl1Change() {
    const bool away = TabControl1->currentWidget() != TIMenu;
    BVolverGeneral->setVisible(away);
    BMenuInicial->setVisible(away);
}

void TPrincipal::BVolverGeneralClick() {
    guarded([this] {
        switch (TabControl1->currentIndex()) {
        case kMenu:
            break;
        case kListadoPruebas:
        case kCompeticiones:
            BMenuInicialClick();
            break;
        case kTiposApnea:
        case kParticipantes:
        case kStartList:
        case kResultados:
        case kClasificacion:
            BCompeticionesClick();
            break;
        case kMarcas:
            BParticipantesClick();
            break;
        case kValoresStartList:
            showPage(TIStartList);
            break;
        default:
            break;
        }
    });
}

void TPrincipal::closeEvent(QCloseEvent* event) {
    bool saved = true;
    try {
        finishPendingEdits();
    } catch (const db::SilentAbort&) {
        saved = false;
    } catch (const std::exception& e) {
        saved = false;
        showError(QString::fromUtf8(e.what()));
    }
    if (!saved && !askYesNo(QStringLiteral("Hay cambios que no se han podido guardar.\n"
                                           "¿Desea salir de todos modos y descartarlos?"))) {
        event->ignore();
        return;
    }
    if (!saved)
        for (GridBinding* grid : mGrids)
            if (grid->dataset().isOpen()) grid->dataset().cancel();
    event->accept();
}

} // namespace pelagor
