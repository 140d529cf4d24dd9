// The data module: start on a fresh or an incomplete file, the current competition and
// discipline, and the derived fields of results and classification rows.
#include "DataFixture.h"

#include "db/DbError.h"

#include <filesystem>

namespace pelagor {
namespace {

using db::Value;
using test::DataFixture;

TEST(TDMStart, AFreshDirectoryGetsADatabaseAndTheFirstFiveDatasetsOpen) {
    test::TempDir dir;
    TDM dm;
    EXPECT_TRUE(std::filesystem::exists(kDatabaseFileName));
    EXPECT_EQ(dm.fdCon.database(), kDatabaseFileName);
    for (auto* q :
         {&dm.QCompeticiones, &dm.QParticipantes, &dm.QTiposApnea, &dm.qMarcas, &dm.qPruebas})
        EXPECT_TRUE(q->isOpen()) << q->name();
    for (auto* q : {&dm.qMarcasStartList, &dm.QResultados, &dm.qResPopulation, &dm.qClasificacion,
                    &dm.fdqTodo})
        EXPECT_FALSE(q->isOpen()) << q->name();
    EXPECT_GE(dm.qPruebas.recordCount(), 4);
    EXPECT_TRUE(dm.QCompeticiones.isEmpty());
}

TEST(TDMStart, AnIncompleteFileIsNamedAndNotTouched) {
    test::TempDir dir;
    {
        TDM dm;
        dm.fdCon.exec("drop table clasificacion_modalidad");
    }
    const auto size = std::filesystem::file_size(kDatabaseFileName);
    try {
        TDM dm;
        FAIL() << "started on an incomplete file";
    } catch (const db::DbError& e) {
        EXPECT_EQ(
            e.text(),
            "El archivo de datos «pelagorData.db» no tiene la tabla «clasificacion_modalidad». "
            "No se ha modificado nada en el archivo.");
    }
    EXPECT_EQ(std::filesystem::file_size(kDatabaseFileName), size);
}

class TDMTest : public DataFixture {
protected:
    std::int64_t first = 0, second = 0;

    void SetUp() override {
        DataFixture::SetUp();
        setCatalogue({"CNF", "DIN", "STA"});
        first = addCompetition("Open Madrid");
        second = addCompetition("Copa Norte");
        // Competition two: two athletes with announcements in DIN and STA, one result row.
        exec("insert into participantes values (" + std::to_string(second) +
             ", 7, 'Lucía', 'F', '', 'Orca'),"
             " (" +
             std::to_string(second) + ", 3, 'Pablo', 'M', '', 'Foca')");
        exec("insert into marcas values (" + std::to_string(second) +
             ", 7, 'DIN', 100, 0, 0),"
             " (" +
             std::to_string(second) + ", 3, 'DIN', 75, 0, 0), (" + std::to_string(second) +
             ", 3, 'STA', NULL, 4, 5), (" + std::to_string(second) + ", 9, 'CNF', 50, 0, 0)");
        exec("insert into resultados (id_comp, Cod_apnea, id_part, Marca_anunciada, Tiempo, "
             "Unidades)"
             " values (" +
             std::to_string(second) + ", 'STA', 3, NULL, 245, 330)");
        exec("delete from Tipos_Apneas where id_comp = " + std::to_string(second) +
             " and codigo = 'CNF'");
        exec("insert into Tipos_Apneas values (" + std::to_string(second) + ", 'EST')");
    }

    std::vector<std::string> column(db::Dataset& q, const std::string& field) {
        std::vector<std::string> out;
        for (int r = 0; r < q.recordCount(); ++r)
            out.push_back(db::displayText(q.valueAt(r, q.fieldIndex(field))));
        return out;
    }
};

TEST_F(TDMTest, ActualizarReopensEverythingForTheCurrentCompetitionAndItsFirstDiscipline) {
    selectCompetition(second);
    dm->actualizar();
    EXPECT_EQ(column(dm->QParticipantes, "id_part"), (std::vector<std::string>{"3", "7"}));
    EXPECT_EQ(column(dm->QTiposApnea, "codigo"), (std::vector<std::string>{"DIN", "EST", "STA"}));
    EXPECT_EQ(dm->currentDisciplineCode(), "DIN");
    EXPECT_EQ(dm->QTiposApnea.asString("Nombre"), "Nombre DIN");
    EXPECT_EQ(column(dm->qMarcas, "id_part"), (std::vector<std::string>{"3", "7"}));
    EXPECT_EQ(column(dm->qMarcas, "NombreParticipante"),
              (std::vector<std::string>{"Pablo", "Lucía"}));
    EXPECT_EQ(column(dm->qMarcasStartList, "Nombreparticipante"),
              (std::vector<std::string>{"Pablo", "Lucía"}));
    EXPECT_TRUE(dm->QResultados.isEmpty());

    selectCompetition(first);
    dm->actualizar();
    EXPECT_TRUE(dm->QParticipantes.isEmpty());
    EXPECT_EQ(dm->currentDisciplineCode(), "CNF");
    EXPECT_TRUE(dm->qMarcas.isEmpty());
}

TEST_F(TDMTest, CambiarModalidadFindsOnlyTheExactCode) {
    selectCompetition(second);
    dm->actualizar();
    dm->cambiarModalidad(dm->QResultados, "STA");
    EXPECT_EQ(dm->currentDisciplineCode(), "STA");
    ASSERT_EQ(dm->QResultados.recordCount(), 1);
    EXPECT_EQ(dm->QResultados.asString("NombrePart"), "Pablo");
    EXPECT_EQ(dm->QResultados.asString("tiempoFormateado"), "04:05");
    EXPECT_EQ(dm->QResultados.asString("TiempoRealFormat"), "05:30");

    for (const char* code : {"sta", "CNF", "XYZ", ""}) {
        dm->cambiarModalidad(dm->QResultados, code);
        EXPECT_EQ(dm->currentDisciplineCode(), "STA") << code;
        EXPECT_EQ(dm->QResultados.recordCount(), 1) << code;
    }
    dm->cambiarModalidad(dm->qMarcas, "DIN");
    EXPECT_EQ(column(dm->qMarcas, "Unidades"), (std::vector<std::string>{"75", "100"}));
}

TEST_F(TDMTest, NamesResolveOnlyForParticipantsOfTheCompetitionShown) {
    selectCompetition(second);
    dm->actualizar();
    dm->cambiarModalidad(dm->qMarcas, "DIN");
    // A number that is not a participant shows an empty name.
    exec("insert into marcas values (" + std::to_string(second) + ", 8, 'DIN', 60, 0, 0)");
    dm->cambiarModalidad(dm->qMarcas, "DIN");
    EXPECT_EQ(column(dm->qMarcas, "NombreParticipante"),
              (std::vector<std::string>{"Pablo", "Lucía", ""}));
    // With the participants of another competition loaded, nobody resolves.
    dm->QParticipantes.close();
    dm->QParticipantes.setParam("codigo", Value{first});
    dm->QParticipantes.open();
    EXPECT_EQ(column(dm->qMarcas, "NombreParticipante"), (std::vector<std::string>{"", "", ""}));
}

TEST_F(TDMTest, ClassificationPositionsCountTheShownRows) {
    selectCompetition(second);
    dm->actualizar();
    const std::string c = std::to_string(second);
    exec("insert into clasificacion_modalidad values (" + c + ", 'DIN', 7, 90, 'F', '90.00'), (" +
         c + ", 'DIN', 3, 70, 'M', '70.00'), (" + c + ", 'DIN', 5, 80, 'f', '80.00')");
    auto& q = dm->qClasificacion;
    q.setParam("codigo", Value{second});
    q.setParam("apnea", Value{"DIN"});
    q.open();
    EXPECT_EQ(column(q, "orden"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(column(q, "id_part"), (std::vector<std::string>{"7", "5", "3"}));
    EXPECT_EQ(column(q, "Equipo"), (std::vector<std::string>{"Orca", "", "Foca"}));
    q.setFilter("sexo like 'F'");
    q.setFiltered(true);
    EXPECT_EQ(column(q, "id_part"), (std::vector<std::string>{"7", "5"}));
    EXPECT_EQ(column(q, "orden"), (std::vector<std::string>{"1", "2"}));
    // A new row at the end takes the next position.
    q.append();
    EXPECT_EQ(q.asInteger("orden"), 3);
    q.cancel();
    double m = 0, s = 0;
    TDM::segundosAMinSeg(185, m, s);
    EXPECT_EQ(m, 3);
    EXPECT_EQ(s, 5);
}

} // namespace
} // namespace pelagor
