// The catalogue, competitions, disciplines and participants pages, driven through their grids
// and navigators.
#include "WindowFixture.h"

#include <QDate>
#include <QDateEdit>

namespace pelagor {
namespace {

using test::WindowFixture;

class DataPages : public WindowFixture {};

TEST_F(DataPages, TheCatalogueIsEditedInPlace) {
    click("BTiposPrueba");
    const int before = rows("GridTiposPruebas");
    EXPECT_EQ(header("GridTiposPruebas", 0), QStringLiteral("Código"));
    EXPECT_FALSE(navEnabled("NavModalidades", "nbPost"));
    navClick("NavModalidades", "nbInsert");
    EXPECT_TRUE(navEnabled("NavModalidades", "nbPost"));
    EXPECT_FALSE(navEnabled("NavModalidades", "nbEdit"));
    ASSERT_TRUE(type("GridTiposPruebas", before, 0, QStringLiteral("dyn")));
    ASSERT_TRUE(type("GridTiposPruebas", before, 1, QStringLiteral("Dinámica bialetas")));
    navClick("NavModalidades", "nbPost");
    EXPECT_EQ(sql("select Nombre from tipos_pruebas where Codigo = 'DYN'"), "Dinámica bialetas");
    EXPECT_EQ(cell("GridTiposPruebas", before, 0), QStringLiteral("DYN"));

    // A code too long for the other tables is refused and stays to be corrected.
    navClick("NavModalidades", "nbInsert");
    type("GridTiposPruebas", before + 1, 0, QStringLiteral("DYNAMIC"));
    navClick("NavModalidades", "nbPost");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("más de 6 caracteres")));
    EXPECT_EQ(cell("GridTiposPruebas", before + 1, 0), QStringLiteral("DYNAMIC"));
    navClick("NavModalidades", "nbCancel");
    EXPECT_EQ(rows("GridTiposPruebas"), before + 1);

    // Editing a name and leaving the page saves it.
    selectRow("GridTiposPruebas", 0);
    type("GridTiposPruebas", 0, 1, QStringLiteral("Sin aletas"));
    click("BVolverGeneral");
    EXPECT_EQ(sql("select Nombre from tipos_pruebas order by Codigo limit 1"), "Sin aletas");

    // Deleting asks first; "No" keeps the row.
    click("BTiposPrueba");
    boxes.reply = QMessageBox::No;
    navClick("NavModalidades", "nbDelete");
    EXPECT_EQ(rows("GridTiposPruebas"), before + 1);
    boxes.reply = QMessageBox::Yes;
    navClick("NavModalidades", "nbDelete");
    EXPECT_EQ(rows("GridTiposPruebas"), before);
    EXPECT_EQ(boxes.texts.size(), 3u);
}

TEST_F(DataPages, ANewCompetitionGetsTheCatalogueAndListsItsDisciplinesInCodeOrder) {
    exec("delete from tipos_pruebas; insert into tipos_pruebas values ('STA', 'Estática'), ('DIN', "
         "'Dinámica'),"
         " ('CNF', 'Sin aletas')");
    DM->qPruebas.close();
    DM->qPruebas.open();
    click("BCompeticiones");
    navClick("NavCompet", "nbInsert");
    ASSERT_TRUE(type("GridCompeticiones", 0, 0, QStringLiteral("Open Indoor")));
    // The date is edited with a date editor; opening it on an empty date and leaving it
    // untouched keeps the date empty.
    auto* view = find<QTableView>("GridCompeticiones");
    view->setCurrentIndex(view->model()->index(0, 1)); // leaves the name's editor
    view->edit(view->model()->index(0, 1));
    EXPECT_NE(view->findChild<QDateEdit*>(), nullptr);
    navClick("NavCompet", "nbPost");
    EXPECT_EQ(sql("select Nombre, Fecha is null from competiciones"), "Open Indoor,1");

    ASSERT_TRUE(type("GridCompeticiones", 0, 1, QDate(2027, 3, 14)));
    ASSERT_TRUE(type("GridCompeticiones", 0, 2, QStringLiteral("Piscina Municipal")));
    navClick("NavCompet", "nbPost");
    EXPECT_EQ(sql("select Nombre, Fecha, Lugar from competiciones"),
              "Open Indoor,2027-03-14,Piscina Municipal");
    EXPECT_EQ(cell("GridCompeticiones", 0, 1),
              QLocale().toString(QDate(2027, 3, 14), QLocale::ShortFormat));

    click("BCompTiposApnea");
    EXPECT_EQ(columnTexts("GridPruebas", 0), (std::vector<std::string>{"CNF", "DIN", "STA"}));
    EXPECT_EQ(columnTexts("GridPruebas", 1),
              (std::vector<std::string>{"Sin aletas", "Dinámica", "Estática"}));
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(DataPages, ParticipantsFollowTheSelectedCompetition) {
    exec("insert into competiciones (Nombre) values ('Primera'), ('Segunda');"
         "insert into participantes values (1, 5, 'Ana', 'F', '', ''), (2, 9, 'Luis', 'M', '', "
         "'Orca'),"
         " (2, 3, 'Marta', 'F', 'L-1', 'Foca')");
    reloadCompetitions();
    click("BCompeticiones");
    selectRow("GridCompeticiones", 1);
    click("BCompPart");
    EXPECT_EQ(title(), QStringLiteral("Segunda\r\nParticipantes"));
    EXPECT_EQ(columnTexts("GridParticipantes", 0), (std::vector<std::string>{"3", "9"}));
    EXPECT_EQ(columnTexts("GridParticipantes", 1), (std::vector<std::string>{"Marta", "Luis"}));

    // A new athlete gets the competition; a number already used is refused with a clear message.
    navClick("NavParticipantes", "nbInsert");
    type("GridParticipantes", 2, 0, 3);
    type("GridParticipantes", 2, 1, QStringLiteral("Otra"));
    navClick("NavParticipantes", "nbPost");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_TRUE(boxes.texts[0].startsWith(
        QStringLiteral("Ya existe un participante con el número 3 en esta competición.")))
        << boxes.texts[0].toStdString();
    EXPECT_TRUE(navEnabled("NavParticipantes", "nbPost")); // still in editing
    type("GridParticipantes", 2, 0, 4);
    navClick("NavParticipantes", "nbPost");
    EXPECT_EQ(sql("select id_comp, Nombre from participantes where id_part = 4"), "2,Otra");

    // A typed name is saved when the user goes back without pressing save.
    type("GridParticipantes", 0, 1, QStringLiteral("Marta G."));
    click("BVolverGeneral");
    EXPECT_EQ(sql("select Nombre from participantes where id_comp = 2 and id_part = 3"),
              "Marta G.");

    selectRow("GridCompeticiones", 0);
    click("BCompPart");
    EXPECT_EQ(columnTexts("GridParticipantes", 1), std::vector<std::string>{"Ana"});
}

TEST_F(DataPages, DeletingACompetitionAfterConfirmingRemovesItsRows) {
    exec("insert into competiciones (Nombre) values ('Se queda'), ('Se borra');"
         "insert into Tipos_Apneas values (1, 'DIN'), (2, 'DIN'), (2, 'STA');"
         "insert into participantes (id_comp, id_part, Nombre) values (1, 1, 'A'), (2, 1, 'B');"
         "insert into marcas (id_comp, id_part, Cod_apnea, Unidades) values (2, 1, 'DIN', 50);"
         "insert into resultados (id_comp, Cod_apnea, id_part) values (2, 'DIN', 1);"
         "insert into clasificacion_modalidad (id_comp, Cod_apnea, id_part) values (2, 'DIN', 1)");
    reloadCompetitions();
    click("BCompeticiones");
    selectRow("GridCompeticiones", 1);
    boxes.reply = QMessageBox::No;
    navClick("NavCompet", "nbDelete");
    EXPECT_EQ(rows("GridCompeticiones"), 2);
    boxes.reply = QMessageBox::Yes;
    navClick("NavCompet", "nbDelete");
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("«Se borra»")));
    EXPECT_EQ(columnTexts("GridCompeticiones", 0), std::vector<std::string>{"Se queda"});
    EXPECT_EQ(sql("select (select count(*) from Tipos_Apneas where id_comp = 2) + (select count(*) "
                  "from participantes"
                  " where id_comp = 2) + (select count(*) from marcas where id_comp = 2) + (select "
                  "count(*) from"
                  " resultados where id_comp = 2)"),
              "0");
    EXPECT_EQ(sql("select count(*) from clasificacion_modalidad where id_comp = 2"), "1");
    EXPECT_EQ(sql("select count(*) from participantes where id_comp = 1"), "1");
}

TEST_F(DataPages, WithoutCompetitionsTheCompetitionPagesOpenEmpty) {
    click("BCompeticiones");
    click("BCompTiposApnea");
    EXPECT_EQ(title(), QStringLiteral("\r\nTipos de Apnea"));
    EXPECT_EQ(rows("GridPruebas"), 0);
    click("BVolverGeneral");
    click("BCompPart");
    EXPECT_EQ(title(), QStringLiteral("\r\nParticipantes"));
    EXPECT_EQ(rows("GridParticipantes"), 0);
    EXPECT_TRUE(boxes.texts.empty());
}

} // namespace
} // namespace pelagor
