// The main window: the header with the title and the back and home buttons, the ten pages of
// the program, and the handlers that move between them. Each page is built, bound and handled
// in a file of its own under pages/.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class QToolButton;

namespace pelagor {

class GridBinding;
class Navigator;
class TDM;
struct GridColumn;
struct GridOptions;
namespace db {
class Dataset;
}

class TPrincipal : public QWidget {
    Q_OBJECT
public:
    explicit TPrincipal(QWidget* parent = nullptr);
    ~TPrincipal() override;

    // Binds the grids and navigators of the pages to the data module's datasets.
    void bindData(TDM& dm);

    // Header
    QFrame* HeaderToolBar = nullptr;
    QToolButton* BVolverGeneral = nullptr;
    QLabel* ToolBarLabel = nullptr;
    QToolButton* BMenuInicial = nullptr;
    QTabWidget* TabControl1 = nullptr;
    QFrame* ToolBarPrincipalBase = nullptr;
    QLabel* LAutor = nullptr;

    // Pages, in their fixed order
    QWidget* TIMenu = nullptr;
    QWidget* TIListadoPruebas = nullptr;
    QWidget* TICompeticiones = nullptr;
    QWidget* TITiposApnea = nullptr;
    QWidget* TIParticipantes = nullptr;
    QWidget* TIMarcas = nullptr;
    QWidget* TIStartList = nullptr;
    QWidget* TIResultados = nullptr;
    QWidget* TIClasificacion = nullptr;
    QWidget* TIValoresStartList = nullptr;

    // Menu page
    QPushButton* BTiposPrueba = nullptr;
    QPushButton* BCompeticiones = nullptr;
    QPushButton* BTerminar = nullptr;

    // Discipline catalogue
    Navigator* NavModalidades = nullptr;
    QTableView* GridTiposPruebas = nullptr;

    // Competitions
    QFrame* ToolBarCompeticiones = nullptr;
    QFrame* ToolBarMenuCompIzquierda = nullptr;
    QFrame* ToolBarMenuCompDerecha = nullptr;
    QPushButton* BCompTiposApnea = nullptr;
    QPushButton* BCompPart = nullptr;
    QPushButton* BStartList = nullptr;
    QPushButton* BResultados = nullptr;
    QPushButton* BClasificaciones = nullptr;
    Navigator* NavCompet = nullptr;
    QTableView* GridCompeticiones = nullptr;

    // Disciplines of a competition
    Navigator* NavTiposApnea = nullptr;
    QTableView* GridPruebas = nullptr;

    // Participants
    QFrame* ToolBarParticipantes = nullptr;
    QPushButton* BPartMarcasAnunciadas = nullptr;
    Navigator* NavParticipantes = nullptr;
    QTableView* GridParticipantes = nullptr;

    // Announced performances
    QFrame* ToolBarMarcas = nullptr;
    QLabel* LJornadaMarcas = nullptr;
    QComboBox* CBModalidadMarcas = nullptr;
    QLabel* LMarcasModalExt = nullptr;
    Navigator* BNavMarcas = nullptr;
    QTableView* GridMarcas = nullptr;

public Q_SLOTS:
    void FormCreate();
    void BMenuInicialClick();
    void BTiposPruebaClick();
    void BCompeticionesClick();
    void BTerminarClick();
    void TabControl1Change();
    void BVolverGeneralClick();
    void BCompTiposApneaClick();
    void BParticipantesClick();
    void BPartMarcasAnunciadasClick();
    void CBModalidadMarcasChange();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildHeader();
    QWidget* addPage(const char* name, const char* caption);
    void buildMenuPage();
    void buildCataloguePage();
    void buildCompetitionsPage();
    void buildDisciplinesPage();
    void buildParticipantsPage();
    void buildAnnouncementsPage();
    void bindCataloguePage(TDM& dm);
    void bindCompetitionsPage(TDM& dm);
    void bindDisciplinesPage(TDM& dm);
    void bindParticipantsPage(TDM& dm);
    void bindAnnouncementsPage(TDM& dm);

    // Binds a page's grid and navigator to a dataset; `deleteQuestion` is asked before a delete.
    GridBinding* bindGrid(QTableView* view, Navigator* navigator, db::Dataset& dataset,
                          std::vector<GridColumn> columns, const GridOptions& options,
                          std::function<QString()> deleteQuestion);

    void setTitle(const QString& title);
    // The current competition's name, a line break and the page word.
    QString competitionTitle(const char* word) const;
    void showPage(QWidget* page);
    // Writes open cell editors into their datasets and saves pending edits (an untouched new
    // row is dropped), before a handler moves to another page or reopens datasets.
    void finishPendingEdits();
    void applyMarcasDiscipline(const QString& code);

    std::vector<GridBinding*> mGrids;
    GridBinding* mGridMarcas = nullptr;
    QString mMarcasCode; // the discipline the announced performances page shows
};

// The program's one main window, from start to end.
extern TPrincipal* Principal;

} // namespace pelagor
