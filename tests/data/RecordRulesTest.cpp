// The record rules: defaults of new rows, the disciplines of a saved competition, the removal of
// a competition, the checks of an announced performance, and the keys the file enforces.
#include "DataFixture.h"

#include "db/DbError.h"

namespace pelagor {
namespace {

using db::Value;
using test::DataFixture;

class RecordRules : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        setCatalogue({"DIN", "STA", "CNF"});
    }
    std::string disciplinesOf(std::int64_t id) {
        return query("select codigo from Tipos_Apneas where id_comp = " + std::to_string(id) +
                     " order by codigo");
    }
};

TEST_F(RecordRules, ASavedCompetitionGetsEveryCatalogueDisciplineItLacks) {
    const auto a = addCompetition("A");
    EXPECT_EQ(disciplinesOf(a), "CNF;DIN;STA");
    const auto b = addCompetition("B");

    // Remove STA from A, show B's disciplines, then rename A: STA comes back to A only.
    exec("delete from Tipos_Apneas where id_comp = " + std::to_string(a) + " and codigo = 'STA'");
    exec("insert into tipos_pruebas values ('EST', 'Estática')");
    dm->qPruebas.close();
    dm->qPruebas.open();
    selectCompetition(b);
    dm->actualizar();
    selectCompetition(a);
    dm->QCompeticiones.edit();
    dm->QCompeticiones.setValue("Nombre", Value{"A renombrada"});
    dm->QCompeticiones.post();
    EXPECT_EQ(disciplinesOf(a), "CNF;DIN;EST;STA");
    EXPECT_EQ(disciplinesOf(b), "CNF;DIN;STA");
    EXPECT_EQ(dm->QCompeticiones.asString("Nombre"), "A renombrada");
}

TEST_F(RecordRules, NewRowsTakeTheCurrentCompetitionAndDiscipline) {
    const auto id = addCompetition("A");
    dm->actualizar();
    dm->QParticipantes.append();
    EXPECT_EQ(dm->QParticipantes.value("id_comp"), Value{id});
    EXPECT_TRUE(dm->QParticipantes.isNull("id_part"));
    dm->QParticipantes.cancel();
    dm->QTiposApnea.append();
    EXPECT_EQ(dm->QTiposApnea.value("id_comp"), Value{id});
    dm->QTiposApnea.cancel();
    dm->cambiarModalidad(dm->qMarcas, "STA");
    dm->qMarcas.append();
    EXPECT_EQ(dm->qMarcas.value("id_comp"), Value{id});
    EXPECT_EQ(dm->qMarcas.asString("Cod_apnea"), "STA");
    EXPECT_EQ(dm->qMarcas.value("Minutos"), Value{std::int64_t{0}});
    EXPECT_EQ(dm->qMarcas.value("Segundos"), Value{std::int64_t{0}});
    dm->qMarcas.cancel();
}

// A competition with a row in every dependent table, including its classification.
class Deletion : public RecordRules {
protected:
    std::int64_t keep = 0, gone = 0;
    void SetUp() override {
        RecordRules::SetUp();
        keep = addCompetition("Se queda");
        gone = addCompetition("Se borra");
        for (auto id : {keep, gone}) {
            const auto c = std::to_string(id);
            exec("insert into participantes (id_comp, id_part, Nombre) values (" + c +
                 ", 1, 'Ana')");
            exec("insert into marcas (id_comp, id_part, Cod_apnea, Unidades) values (" + c +
                 ", 1, 'DIN', 50)");
            exec("insert into resultados (id_comp, Cod_apnea, id_part) values (" + c +
                 ", 'DIN', 1)");
            exec("insert into clasificacion_modalidad (id_comp, Cod_apnea, id_part) values (" + c +
                 ", 'DIN', 1)");
        }
        selectCompetition(gone);
    }
    std::string counts(std::int64_t id) {
        const auto c = std::to_string(id);
        return query("select (select count(*) from resultados where id_comp = " + c +
                     "), (select count(*) from marcas where id_comp = " + c +
                     "), (select count(*) from participantes where id_comp = " + c +
                     "), (select count(*) from Tipos_Apneas where id_comp = " + c +
                     "), (select count(*) from competiciones where id = " + c +
                     "), (select count(*) from clasificacion_modalidad where id_comp = " + c + ")");
    }
};

TEST_F(Deletion, RemovesTheDependentRowsInOrderThenTheCompetitionAndKeepsItsClassification) {
    exec("create table log (n integer primary key, what text)");
    for (const char* t : {"resultados", "marcas", "participantes", "Tipos_Apneas", "competiciones"})
        exec(std::string("create trigger log_") + t + " after delete on " + t +
             " begin insert into log (what) values ('" + t + "'); end");
    dm->QCompeticiones.remove();
    EXPECT_EQ(counts(gone), "0,0,0,0,0,1");
    EXPECT_EQ(counts(keep), "1,1,1,3,1,1");
    EXPECT_EQ(
        query("select group_concat(what, ' ') from (select distinct what from log order by n)"),
        "resultados marcas participantes Tipos_Apneas competiciones");
    EXPECT_EQ(dm->QCompeticiones.recordCount(), 1);

    // The id of the deleted competition is never given again.
    EXPECT_GT(addCompetition("Nueva"), gone);
}

TEST_F(Deletion, IsAllOrNothing) {
    for (const char* failing : {"participantes", "competiciones"}) {
        exec(std::string("create trigger refuse before delete on ") + failing +
             " begin select raise(abort, 'no se puede'); end");
        EXPECT_THROW(dm->QCompeticiones.remove(), db::DbError) << failing;
        EXPECT_EQ(counts(gone), "1,1,1,3,1,1") << failing;
        EXPECT_EQ(dm->QCompeticiones.asInteger("id"), gone);
        EXPECT_FALSE(dm->fdCon.inTransaction());
        exec("drop trigger refuse");
    }
}

class Announcements : public RecordRules {
protected:
    std::int64_t comp = 0;
    void SetUp() override {
        RecordRules::SetUp();
        comp = addCompetition("A");
        dm->actualizar();
        addParticipant(1, "Ana");
        addParticipant(2, "Bea");
    }
    std::string stored(const char* code) {
        return query("select id_part, Unidades, Minutos, Segundos from marcas where Cod_apnea = '" +
                     std::string(code) + "' order by id_part");
    }
    // A result row for athlete 1 in the discipline, as the results page would leave it.
    void result(const char* code, double announced, double realised) {
        exec("insert into resultados (id_comp, Cod_apnea, id_part, Marca_anunciada, Unidades) "
             "values (" +
             std::to_string(comp) + ", '" + code + "', 1, " + std::to_string(announced) + ", " +
             std::to_string(realised) + ")");
    }
};

TEST_F(Announcements, TimesAboveFiftyNineAreRefusedAndTheRowRestored) {
    dm->cambiarModalidad(dm->qMarcas, "STA");
    announce(1, 0, 59, 59);
    EXPECT_EQ(stored("STA"), "1,0,59,59");
    EXPECT_TRUE(messages.empty());

    const struct { std::int64_t minutes, seconds; } refused[] = {{60, 0}, {0, 60}, {4, 75}};
    for (const auto& t : refused) {
        messages.clear();
        // An edited row returns to its values.
        dm->qMarcas.first();
        dm->qMarcas.edit();
        dm->qMarcas.setValue("Minutos", Value{t.minutes});
        dm->qMarcas.setValue("Segundos", Value{t.seconds});
        EXPECT_THROW(dm->qMarcas.post(), db::SilentAbort);
        EXPECT_EQ(messages,
                  std::vector<std::string>{"Los minutos y/o segundos no pueden ser > de 59"});
        EXPECT_EQ(dm->qMarcas.state(), db::Dataset::State::Browse);
        EXPECT_EQ(dm->qMarcas.asInteger("Minutos"), 59);
        EXPECT_EQ(dm->qMarcas.asInteger("Segundos"), 59);
        // A new row disappears.
        EXPECT_THROW(announce(2, 0, t.minutes, t.seconds), db::SilentAbort);
        EXPECT_EQ(dm->qMarcas.recordCount(), 1);
        EXPECT_EQ(stored("STA"), "1,0,59,59");
    }
}

TEST_F(Announcements, ADistanceIsLockedOnceARealisedPerformanceAboveZeroExists) {
    dm->cambiarModalidad(dm->qMarcas, "DIN");
    announce(1, 75);
    announce(2, 60);
    auto change = [&](std::int64_t number, double metres) {
        messages.clear();
        ASSERT_TRUE(dm->qMarcas.locate("id_part", Value{number}));
        dm->qMarcas.edit();
        dm->qMarcas.setValue("Unidades", Value{metres});
        dm->qMarcas.post();
    };
    result("DIN", 75, 70);
    EXPECT_THROW(change(1, 80), db::SilentAbort);
    EXPECT_EQ(messages,
              std::vector<std::string>{"Ya hay un valor en la marca registrada\r\n"
                                       "No se puede modificar el valor de la marca anunciada"});
    EXPECT_EQ(dm->qMarcas.asFloat("Unidades"), 75);
    change(1, 75); // the same distance again is accepted
    EXPECT_TRUE(messages.empty());
    change(2, 65); // athlete 2 has no result row yet
    EXPECT_EQ(stored("DIN"), "1,75,0,0;2,65,0,0");

    exec("update resultados set Unidades = 0");
    change(1, 80);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(stored("DIN"), "1,80,0,0;2,65,0,0");
}

TEST_F(Announcements, TimeChangesAreNeverRefusedAndCodesAreSavedInUpperCase) {
    dm->cambiarModalidad(dm->qMarcas, "STA");
    announce(1, 0, 4, 0);
    result("STA", 0, 250);
    dm->qMarcas.first();
    dm->qMarcas.edit();
    dm->qMarcas.setValue("Minutos", Value{std::int64_t{5}});
    dm->qMarcas.post();
    EXPECT_EQ(stored("STA"), "1,0,5,0");
    EXPECT_TRUE(messages.empty());

    // A discipline stored in lower case by an older file.
    exec("insert into Tipos_Apneas values (" + std::to_string(comp) + ", 'dyn')");
    dm->actualizar();
    dm->cambiarModalidad(dm->qMarcas, "dyn");
    ASSERT_EQ(dm->currentDisciplineCode(), "dyn");
    announce(2, 40);
    EXPECT_EQ(stored("DYN"), "2,40,0,0");
}

TEST_F(Announcements, KeysAreUniqueAndTheParticipantNumberIsRequired) {
    try {
        addParticipant(1, "Otra Ana");
        FAIL() << "duplicate number saved";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.text(), "Ya existe un participante con el número 1 en esta competición.");
    }
    EXPECT_EQ(dm->QParticipantes.state(), db::Dataset::State::Insert);
    dm->QParticipantes.cancel();

    dm->QParticipantes.append();
    dm->QParticipantes.setValue("Nombre", Value{"Sin número"});
    try {
        dm->QParticipantes.post();
        FAIL() << "saved without a number";
    } catch (const db::DbError& e) {
        EXPECT_NE(std::string(e.what()).find("id_part"), std::string::npos) << e.what();
    }
    dm->QParticipantes.cancel();

    dm->cambiarModalidad(dm->qMarcas, "DIN");
    announce(1, 50);
    try {
        announce(1, 55);
        FAIL() << "second announcement saved";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.text(),
                  "El participante 1 ya tiene una marca anunciada en la modalidad «DIN».");
    }
    dm->qMarcas.cancel();
    dm->qMarcas.append(); // an empty number is refused by the dataset layer
    EXPECT_THROW(dm->qMarcas.post(), db::DbError);
    dm->qMarcas.cancel();
}

TEST_F(RecordRules, DisciplineCodesAreKeptShortAndInUpperCase) {
    const auto id = addCompetition("A");
    dm->actualizar();
    struct Case {
        db::Dataset* q;
        const char* field;
    };
    for (const Case& c : {Case{&dm->qPruebas, "Codigo"}, Case{&dm->QTiposApnea, "codigo"}}) {
        c.q->append();
        c.q->setValue(c.field, Value{"DYNBIFI"});
        try {
            c.q->post();
            ADD_FAILURE() << "7-character code saved in " << c.q->name();
        } catch (const db::DbError& e) {
            EXPECT_NE(std::string(e.what()).find("más de 6 caracteres"), std::string::npos)
                << e.what();
        }
        EXPECT_TRUE(c.q->isEditing());
        c.q->setValue(c.field, Value{"dynb"});
        c.q->post();
        EXPECT_EQ(c.q->asString(c.field), "DYNB");
    }
    EXPECT_EQ(query("select count(*) from tipos_pruebas where Codigo = 'DYNB'"), "1");
    EXPECT_EQ(disciplinesOf(id), "CNF;DIN;DYNB;STA");
    try {
        dm->QTiposApnea.append();
        dm->QTiposApnea.setValue("codigo", Value{"DIN"});
        dm->QTiposApnea.post();
        FAIL() << "discipline twice in a competition";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.text(), "La competición ya tiene la modalidad «DIN».");
    }
}

} // namespace
} // namespace pelagor
