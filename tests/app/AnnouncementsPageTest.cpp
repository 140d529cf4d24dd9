// The announced performances page: the discipline selector, the columns of each kind of
// discipline, new rows and the checks of a save.
#include "WindowFixture.h"

namespace pelagor {
namespace {

using test::WindowFixture;

class Announcements : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        exec("insert into competiciones (Nombre) values ('Vacía'), ('Copa');"
             "insert into Tipos_Apneas values (2, 'STA'), (2, 'DIN');"
             "insert into participantes (id_comp, id_part, Nombre) values (2, 1, 'Ana'), (2, 2, "
             "'Bea');"
             "insert into marcas values (2, 1, 'DIN', 75, 0, 0), (2, 2, 'STA', NULL, 4, 30)");
        reloadCompetitions();
        click("BCompeticiones");
        selectRow("GridCompeticiones", 1);
        click("BCompPart");
        click("BPartMarcasAnunciadas");
    }
    QComboBox* selector() { return find<QComboBox>("CBModalidadMarcas"); }
};

TEST_F(Announcements, OpensOnTheFirstDisciplineWithItsColumns) {
    EXPECT_EQ(page(), QStringLiteral("TIMarcas"));
    EXPECT_EQ(title(), QStringLiteral("Copa\r\nMarcas Anunciadas"));
    ASSERT_EQ(selector()->count(), 2);
    EXPECT_EQ(selector()->itemText(0), QStringLiteral("DIN"));
    EXPECT_EQ(selector()->currentText(), QStringLiteral("DIN"));
    EXPECT_EQ(find<QLabel>("LMarcasModalExt")->text().toStdString(),
              sql("select Nombre from tipos_pruebas where Codigo = 'DIN'"));
    EXPECT_EQ(visibleHeaders("GridMarcas"), (std::vector<std::string>{"ID", "Nombre", "Marca"}));
    EXPECT_EQ(columnTexts("GridMarcas", 1), std::vector<std::string>{"Ana"});
    EXPECT_EQ(cell("GridMarcas", 0, 2), QStringLiteral("75"));

    selector()->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_EQ(DM->currentDisciplineCode(), "STA");
    EXPECT_EQ(visibleHeaders("GridMarcas"),
              (std::vector<std::string>{"ID", "Nombre", "Minutos", "Segundos"}));
    EXPECT_EQ(columnTexts("GridMarcas", 1), std::vector<std::string>{"Bea"});

    // Back to the participants, with the competition reopened on its first discipline.
    click("BVolverGeneral");
    EXPECT_EQ(page(), QStringLiteral("TIParticipantes"));
    EXPECT_EQ(title(), QStringLiteral("Copa\r\nParticipantes"));
    EXPECT_EQ(DM->currentDisciplineCode(), "DIN");
    click("BPartMarcasAnunciadas");
    EXPECT_EQ(selector()->currentText(), QStringLiteral("DIN"));
}

TEST_F(Announcements, ANewRowTakesTheSelectedDisciplineAndBadTimesAreRefused) {
    selector()->setCurrentIndex(1); // STA
    QApplication::processEvents();
    navClick("BNavMarcas", "nbInsert");
    type("GridMarcas", 1, 0, 1);
    EXPECT_EQ(cell("GridMarcas", 1, 1),
              QStringLiteral("Ana")); // the name shows once the number matches
    type("GridMarcas", 1, 3, 5);
    type("GridMarcas", 1, 4, 10);
    navClick("BNavMarcas", "nbPost");
    EXPECT_EQ(sql("select id_comp, Cod_apnea, Minutos, Segundos from marcas where id_part = 1 and "
                  "Cod_apnea = 'STA'"),
              "2,STA,5,10");
    EXPECT_TRUE(boxes.texts.empty());

    selectRow("GridMarcas", 0);
    type("GridMarcas", 0, 3, 4);
    type("GridMarcas", 0, 4, 75);
    navClick("BNavMarcas", "nbPost");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("Los minutos y/o segundos no pueden ser > de 59"));
    EXPECT_EQ(sql("select Minutos, Segundos from marcas where id_part = 2"), "4,30");
    EXPECT_EQ(cell("GridMarcas", 0, 4), QStringLiteral("30"));
    EXPECT_FALSE(navEnabled("BNavMarcas", "nbPost"));
}

TEST_F(Announcements, ACompetitionWithoutDisciplinesOpensEmpty) {
    click("BVolverGeneral");
    click("BVolverGeneral");
    selectRow("GridCompeticiones", 0);
    click("BCompPart");
    click("BPartMarcasAnunciadas");
    EXPECT_EQ(page(), QStringLiteral("TIMarcas"));
    EXPECT_EQ(selector()->count(), 0);
    EXPECT_EQ(rows("GridMarcas"), 0);
    EXPECT_FALSE(navEnabled("BNavMarcas", "nbInsert"));
    EXPECT_TRUE(boxes.texts.empty());
}

} // namespace
} // namespace pelagor
