// The schema of a fresh file, the check of an existing one, and the connection's hooks.
#include "db/Schema.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace pelagor::db {
namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string column(Connection& c, const std::string& sql) {
    Statement s(c, sql);
    std::string out;
    while (s.step())
        out += (out.empty() ? "" : ",") + displayText(s.column(0));
    return out;
}

void prepare(Connection& c) {
    c.afterConnect = [](Connection& con, bool created) {
        if (created)
            createSchema(con);
        else
            verifySchema(con);
    };
}

TEST(Schema, AFreshFileHoldsTheSevenTablesAndAStarterCatalogue) {
    test::TempDir dir;
    Connection c;
    prepare(c);
    c.setDatabase("fresh.db");
    c.open();
    EXPECT_TRUE(std::filesystem::exists("fresh.db"));
    EXPECT_EQ(column(c, "select name from sqlite_schema where type = 'table' and name not like "
                        "'sqlite%' order by name"),
              "Tipos_Apneas,clasificacion_modalidad,competiciones,marcas,participantes,resultados,"
              "tipos_pruebas");
    EXPECT_EQ(column(c, "select Codigo from tipos_pruebas where Codigo in "
                        "('CNF','DIN','EST','STA') order by 1"),
              "CNF,DIN,EST,STA");
    // Defaults and constraints the program relies on.
    c.exec("insert into marcas (id_comp, id_part, Cod_apnea) values (1, 1, 'DIN')");
    EXPECT_EQ(column(c, "select Minutos || ':' || Segundos from marcas"), "0:0");
    EXPECT_THROW(c.exec("insert into marcas (id_comp, id_part, Cod_apnea) values (1, 1, 'DIN')"),
                 DbError);
    EXPECT_THROW(c.exec("insert into participantes (id_comp, Nombre) values (1, 'sin número')"),
                 DbError);
    c.exec("insert into competiciones (Nombre) values ('a'), ('b'); delete from competiciones "
           "where id = 2;"
           "insert into competiciones (Nombre) values ('c')");
    EXPECT_EQ(column(c, "select id from competiciones where Nombre = 'c'"), "3"); // never reused
    c.close();
    c.open(); // the second time the file is checked, not created
    EXPECT_EQ(column(c, "select count(*) from competiciones"), "2");
}

TEST(Schema, AFileMissingATableOrAColumnIsNamedAndLeftAlone) {
    test::TempDir dir;
    const struct {
        const char* sql;
        const char* expected;
    } cases[] = {
        {"DROP TABLE marcas", "no tiene la tabla «marcas»"},
        {"ALTER TABLE resultados DROP COLUMN Penal",
         "falta la columna «Penal» de la tabla «resultados»"},
        {"ALTER TABLE Tipos_Apneas RENAME TO otra", "no tiene la tabla «Tipos_Apneas»"},
    };
    for (const auto& k : cases) {
        std::filesystem::remove("old.db");
        {
            Connection setup;
            prepare(setup);
            setup.setDatabase("old.db");
            setup.open();
            setup.exec(k.sql);
        }
        const std::string before = readAll("old.db");
        Connection c;
        prepare(c);
        c.setDatabase("old.db");
        try {
            c.open();
            ADD_FAILURE() << "opened a file after: " << k.sql;
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find(k.expected), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("«old.db»"), std::string::npos) << e.what();
        }
        EXPECT_FALSE(c.isOpen());
        EXPECT_EQ(readAll("old.db"), before) << k.sql;
    }
}

TEST(Schema, ColumnNamesInAnotherCaseAreTheSameColumns) {
    test::TempDir dir;
    {
        Connection setup;
        setup.setDatabase("lower.db");
        setup.open();
        setup.exec("create table COMPETICIONES (ID integer primary key, FECHA date, NOMBRE text, "
                   "LUGAR text)");
    }
    Connection c;
    c.setDatabase("lower.db");
    c.open();
    try {
        verifySchema(c);
        FAIL();
    } catch (const DbError& e) {
        // competiciones passes with its upper-case names; the next table is the one missing.
        EXPECT_NE(std::string(e.what()).find("tipos_pruebas"), std::string::npos) << e.what();
    }
}

TEST(Connection, AFileThatCouldNotBePreparedIsRemovedAndAnOpenFileIsNotAFile) {
    test::TempDir dir;
    Connection c;
    c.setDatabase("half.db");
    c.afterConnect = [](Connection& con, bool) {
        con.exec("create table a (x)");
        throw DbError("falla a propósito");
    };
    EXPECT_THROW(c.open(), DbError);
    EXPECT_FALSE(std::filesystem::exists("half.db"));

    std::ofstream("junk.db") << "esto no es una base de datos";
    Connection junk;
    prepare(junk);
    junk.setDatabase("junk.db");
    try {
        junk.open();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("no es una base de datos válida"), std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(std::filesystem::exists("junk.db"));
    EXPECT_GE(sqliteVersionNumber(), 3042000);
}

TEST(Connection, BeforeConnectNamesTheFile) {
    test::TempDir dir;
    Connection c;
    c.setDatabase("other.db");
    c.beforeConnect = [](Connection& con) { con.setDatabase("named.db"); };
    c.open();
    EXPECT_TRUE(std::filesystem::exists("named.db"));
    EXPECT_FALSE(std::filesystem::exists("other.db"));
}

} // namespace
} // namespace pelagor::db
