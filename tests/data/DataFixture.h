// A data module over a fresh database in a temporary working directory, with the messages it
// shows recorded, and helpers that enter data the way the screens do.
#pragma once

#include "core/Regional.h"
#include "data/TDM.h"
#include "support/Sql.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pelagor::test {

class DataFixture : public ::testing::Test {
protected:
    TempDir dir;
    std::unique_ptr<TDM> dm;
    std::vector<std::string> messages;

    void SetUp() override {
        RegionalSettings r;
        r.decimalSeparator = ".";
        setRegional(r);
        dm = std::make_unique<TDM>();
        DM = dm.get();
        dm->showMessage = [this](const std::string& m) { messages.push_back(m); };
    }
    void TearDown() override {
        dm.reset();
        setRegional(RegionalSettings{});
    }

    std::string query(const std::string& sql) { return test::query(dm->fdCon, sql); }
    void exec(const std::string& sql) { dm->fdCon.exec(sql); }

    // The catalogue holds exactly these codes (named after themselves).
    void setCatalogue(const std::vector<std::string>& codes) {
        exec("delete from tipos_pruebas");
        for (const auto& c : codes)
            exec("insert into tipos_pruebas values ('" + c + "', 'Nombre " + c + "')");
        dm->qPruebas.close();
        dm->qPruebas.open();
    }

    // Adds a competition through QCompeticiones, as the competitions page does; it stays current.
    std::int64_t addCompetition(const std::string& name) {
        dm->QCompeticiones.append();
        dm->QCompeticiones.setValue("Nombre", db::Value{name});
        dm->QCompeticiones.post();
        return dm->QCompeticiones.asInteger("id");
    }

    void selectCompetition(std::int64_t id) {
        ASSERT_TRUE(dm->QCompeticiones.locate("id", db::Value{id}));
    }

    void addParticipant(std::int64_t number, const std::string& name,
                        const std::string& sex = "M") {
        auto& q = dm->QParticipantes;
        q.append();
        q.setValue("id_part", db::Value{number});
        q.setValue("Nombre", db::Value{name});
        q.setValue("Sexo", db::Value{sex});
        q.post();
    }

    // Enters an announced performance in qMarcas for its current discipline.
    void announce(std::int64_t number, double metres, std::int64_t minutes = 0,
                  std::int64_t seconds = 0) {
        auto& q = dm->qMarcas;
        q.append();
        q.setValue("id_part", db::Value{number});
        q.setValue("Unidades", db::Value{metres});
        q.setValue("Minutos", db::Value{minutes});
        q.setValue("Segundos", db::Value{seconds});
        q.post();
    }
};

} // namespace pelagor::test
