// The main window: start, titles, the back and home buttons and the back table.
#include "WindowFixture.h"

#include "dialogs/TfIntroResult.h"

#include <filesystem>

namespace pelagor {
namespace {

using test::WindowFixture;

class MainWindow : public WindowFixture {};

TEST_F(MainWindow, StartsOnTheMenuWithAFreshDatabase) {
    EXPECT_TRUE(std::filesystem::exists(kDatabaseFileName));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ORLA_Pelagor"));
    EXPECT_EQ(page(), QStringLiteral("TIMenu"));
    EXPECT_EQ(title(), QStringLiteral("ORLA_Pelagor v1.0"));
    EXPECT_FALSE(w->BVolverGeneral->isVisible());
    EXPECT_FALSE(w->BMenuInicial->isVisible());
    ASSERT_NE(fIntroResult, nullptr);
    EXPECT_FALSE(fIntroResult->isVisible());
    EXPECT_EQ(w->TabControl1->count(), 10);
    const char* pages[] = {
        "TIMenu",   "TIListadoPruebas", "TICompeticiones", "TITiposApnea",    "TIParticipantes",
        "TIMarcas", "TIStartList",      "TIResultados",    "TIClasificacion", "TIValoresStartList"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(w->TabControl1->widget(i)->objectName(), QString::fromLatin1(pages[i]));
    EXPECT_EQ(find<QPushButton>("BTerminar")->text(), QStringLiteral("TERMINAR"));
}

TEST_F(MainWindow, EveryPageHasItsTitleAndTheBackTableLeadsHome) {
    exec("insert into competiciones (Nombre) values ('Copa Norte')");
    reloadCompetitions();
    const QString name = QStringLiteral("Copa Norte\r\n");
    const struct {
        const char* button; // pressed from the page before
        const char* page;
        QString title;
        const char* backTo;
        QString backTitle;
    } steps[] = {
        {"BTiposPrueba", "TIListadoPruebas", QStringLiteral("Modalidades de Apnea Indoor"),
         "TIMenu", QStringLiteral("ORLA_Pelagor v1.0")},
        {"BCompeticiones", "TICompeticiones", QStringLiteral("Listado de Competiciones"), "TIMenu",
         QStringLiteral("ORLA_Pelagor v1.0")},
    };
    for (const auto& s : steps) {
        click(s.button);
        EXPECT_EQ(page(), QString::fromLatin1(s.page));
        EXPECT_EQ(title(), s.title);
        EXPECT_TRUE(w->BVolverGeneral->isVisible());
        EXPECT_TRUE(w->BMenuInicial->isVisible());
        click("BVolverGeneral");
        EXPECT_EQ(page(), QString::fromLatin1(s.backTo));
        EXPECT_EQ(title(), s.backTitle);
        EXPECT_FALSE(w->BVolverGeneral->isVisible());
    }

    click("BCompeticiones");
    const struct {
        const char* button;
        const char* page;
        QString title;
    } competitionPages[] = {
        {"BCompTiposApnea", "TITiposApnea", name + QStringLiteral("Tipos de Apnea")},
        {"BCompPart", "TIParticipantes", name + QStringLiteral("Participantes")},
    };
    for (const auto& s : competitionPages) {
        click(s.button);
        EXPECT_EQ(page(), QString::fromLatin1(s.page));
        EXPECT_EQ(title(), s.title);
        click("BVolverGeneral");
        EXPECT_EQ(page(), QStringLiteral("TICompeticiones"));
        EXPECT_EQ(title(), QStringLiteral("Listado de Competiciones"));
    }

    // The start-list parameter page goes back to the start list, title untouched.
    w->TabControl1->setCurrentWidget(w->TIValoresStartList);
    w->ToolBarLabel->setText(name + QStringLiteral("Start List"));
    click("BVolverGeneral");
    EXPECT_EQ(page(), QStringLiteral("TIStartList"));
    EXPECT_EQ(title(), name + QStringLiteral("Start List"));
    click("BVolverGeneral");
    EXPECT_EQ(page(), QStringLiteral("TICompeticiones"));

    click("BMenuInicial");
    EXPECT_EQ(page(), QStringLiteral("TIMenu"));
    EXPECT_EQ(title(), QStringLiteral("ORLA_Pelagor v1.0"));
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(MainWindow, TerminarClosesTheWindow) {
    click("BTerminar");
    EXPECT_FALSE(w->isVisible());
}

TEST_F(MainWindow, AnIncompleteFileStopsTheStartWithItsName) {
    destroyApplicationObjects();
    {
        db::Connection c;
        c.setDatabase(kDatabaseFileName);
        c.open();
        c.exec("drop table marcas");
    }
    EXPECT_FALSE(createApplicationObjects());
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("no tiene la tabla «marcas»")))
        << boxes.texts[0].toStdString();
    EXPECT_EQ(Principal, nullptr);
    EXPECT_EQ(DM, nullptr);
    w = nullptr;
}

} // namespace
} // namespace pelagor
