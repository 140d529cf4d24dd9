// The dataset layer's contract: reading, the cursor, editing and writing back by key, events,
// required fields and widths, locate, the filter, lookups, calculated fields, views, batches.
#include "db/Dataset.h"
#include "core/Errors.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelagor::db {
namespace {

std::int64_t scalar(Connection& c, const std::string& sql) {
    Statement s(c, sql);
    if (!s.step()) return -1;
    Value v = s.column(0);
    return isNull(v) ? -1 : std::get<std::int64_t>(coerce(v, FieldType::Integer));
}

std::string text(Connection& c, const std::string& sql) {
    Statement s(c, sql);
    return s.step() ? displayText(s.column(0)) : "<none>";
}

// People with a numeric key, a name of 5 characters, a score, a default and a column the
// dataset does not declare.
class DatasetTest : public ::testing::Test {
protected:
    Connection con;
    Dataset people{con, "people"};

    void SetUp() override {
        con.exec("CREATE TABLE people (id INTEGER PRIMARY KEY AUTOINCREMENT, team INTEGER NOT NULL "
                 "DEFAULT 1,"
                 " name VARCHAR(5) NOT NULL, score DOUBLE, level INTEGER DEFAULT 7, extra TEXT "
                 "DEFAULT 'x');"
                 "INSERT INTO people (team, name, score) VALUES (1, 'Ana', 10), (1, 'Bea', 20), "
                 "(2, 'Ceci', 30),"
                 " (2, 'dani', NULL);");
        people.setSql({"select * from people", "where team >= :team", "order by id"});
        people.setParam("team", Value{std::int64_t{1}});
        people.setUpdateTable("people");
        people.addField(FieldDef::integer("id").asKey().asAutoIncrement());
        people.addField(FieldDef::integer("team"));
        people.addField(FieldDef::string("name", 5).asRequired());
        people.addField(FieldDef::floating("score"));
        people.addField(FieldDef::integer("level"));
        people.open();
    }

    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (people.first(); !people.eof(); people.next())
            out.push_back(people.asString("name"));
        return out;
    }
};

TEST_F(DatasetTest, OpensWithParametersAndWalksTheRows) {
    EXPECT_EQ(people.recordCount(), 4);
    EXPECT_TRUE(people.bof());
    EXPECT_EQ(people.recNo(), 1);
    EXPECT_EQ(names(), (std::vector<std::string>{"Ana", "Bea", "Ceci", "dani"}));
    EXPECT_TRUE(people.eof());
    EXPECT_EQ(people.recNo(), 4);
    people.last();
    EXPECT_TRUE(people.eof()); // as after a walk past the end
    people.prior();
    EXPECT_EQ(people.asString("name"), "Ceci");
    people.setRecNo(2);
    EXPECT_EQ(people.asString("name"), "Bea");
    EXPECT_EQ(people.asFloat("score"), 20.0);
    EXPECT_EQ(people.asString("score"), "20");
    people.setRecNo(4);
    EXPECT_TRUE(people.isNull("score"));
    EXPECT_EQ(people.asFloat("score"), 0.0); // empty reads as 0

    people.close();
    people.setParam("team", Value{std::int64_t{2}});
    people.open();
    EXPECT_EQ(names(), (std::vector<std::string>{"Ceci", "dani"}));
    EXPECT_THROW(people.fieldByName("nope"), DbError);
}

TEST_F(DatasetTest, NewRowGetsTheKeyAndTheTableDefaultsBack) {
    people.append();
    people.setValue("name", Value{"Eva"});
    people.post();
    EXPECT_EQ(people.state(), Dataset::State::Browse);
    EXPECT_EQ(people.asInteger("id"), 5);
    EXPECT_EQ(people.asInteger("team"), 1); // default of the table, read back
    EXPECT_EQ(people.asInteger("level"), 7);
    EXPECT_EQ(people.recNo(), 5);
    EXPECT_EQ(scalar(con, "select count(*) from people where name = 'Eva' and extra = 'x'"), 1);
}

TEST_F(DatasetTest, EditWritesChangedColumnsByTheOldKey) {
    con.exec("UPDATE people SET extra = 'kept' WHERE id = 2");
    people.setRecNo(2);
    people.edit();
    people.setValue("id", Value{std::int64_t{20}});
    people.setValue("score", Value{21.5});
    people.post();
    EXPECT_EQ(text(con, "select score || '/' || extra from people where id = 20"), "21.5/kept");
    EXPECT_EQ(scalar(con, "select count(*) from people where id = 2"), 0);
    EXPECT_TRUE(people.locate("id", Value{std::int64_t{20}}));
    EXPECT_FALSE(people.locate("id", Value{std::int64_t{2}}));
}

TEST_F(DatasetTest, CancelRestoresAnEditAndDropsANewRow) {
    people.setRecNo(2);
    people.edit();
    people.setValue("name", Value{"Zoe"});
    EXPECT_TRUE(people.isModified());
    people.cancel();
    EXPECT_EQ(people.asString("name"), "Bea");

    people.insert(); // before the current row
    EXPECT_EQ(people.recNo(), 2);
    EXPECT_EQ(people.recordCount(), 5);
    people.setValue("name", Value{"New"});
    people.cancel();
    EXPECT_EQ(people.recordCount(), 4);
    EXPECT_EQ(people.asString("name"), "Bea");
    EXPECT_EQ(scalar(con, "select count(*) from people"), 4);
}

TEST_F(DatasetTest, MovingAwaySavesAnEditAndDropsAnUntouchedNewRow) {
    people.setRecNo(1);
    people.edit();
    people.setValue("score", Value{11.0});
    people.next();
    EXPECT_EQ(scalar(con, "select score from people where id = 1"), 11);

    people.onNewRecord = [](Dataset& d) { d.setValue("team", Value{std::int64_t{2}}); };
    people.append();
    EXPECT_FALSE(people.isModified()); // values set by the new-record event do not count
    people.first();
    EXPECT_EQ(people.recordCount(), 4);

    people.setRecNo(3);
    people.edit();
    people.setValue("name", Value{"Cec"});
    people.close(); // a pending edit is saved, not lost
    EXPECT_EQ(text(con, "select name from people where id = 3"), "Cec");
}

TEST_F(DatasetTest, RequiredFieldsAndKeysAreRefusedWithTheRowKeptInEditing) {
    people.append();
    people.setValue("score", Value{5.0});
    try {
        people.post();
        FAIL() << "saved without a name";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("«name»"), std::string::npos) << e.what();
    }
    EXPECT_EQ(people.state(), Dataset::State::Insert);
    EXPECT_EQ(people.asFloat("score"), 5.0);

    people.setValue("name", Value{""}); // an empty text is no value either
    EXPECT_THROW(people.post(), DbError);
    people.cancel();

    // The engine's own refusal comes back readable, the row still in editing.
    people.duplicateKeyMessage = [](Dataset& d) {
        return "Ya existe la persona " + d.asString("id") + ".";
    };
    people.setRecNo(1);
    people.edit();
    people.setValue("id", Value{std::int64_t{2}});
    try {
        people.post();
        FAIL() << "duplicate key saved";
    } catch (const DbError& e) {
        EXPECT_EQ(e.text(), "Ya existe la persona 2.");
        EXPECT_NE(e.detail().find("UNIQUE"), std::string::npos) << e.detail();
    }
    EXPECT_EQ(people.state(), Dataset::State::Edit);
    people.cancel();
    EXPECT_EQ(people.asInteger("id"), 1);
}

TEST_F(DatasetTest, TextsAreCutToTheirWidthInCharactersButKeysAreRefused) {
    people.setRecNo(1);
    people.edit();
    people.setValue("name", Value{"Ánñéíó"});
    EXPECT_EQ(people.asString("name"), "Ánñéí");
    people.post();
    EXPECT_EQ(text(con, "select name from people where id = 1"), "Ánñéí");

    Dataset codes(con, "codes");
    con.exec("CREATE TABLE codes (code VARCHAR(3) PRIMARY KEY NOT NULL, label TEXT)");
    codes.setSql({"select * from codes"});
    codes.setUpdateTable("codes");
    codes.addField(FieldDef::string("code", 3).asKey().asRequired());
    codes.addField(FieldDef::string("label", 0));
    codes.open();
    codes.append();
    codes.setValue("code", Value{"ABCD"});
    EXPECT_EQ(codes.asString("code"), "ABCD"); // kept as typed, so that it can be corrected
    try {
        codes.post();
        FAIL() << "key cut";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("ABCD"), std::string::npos);
    }
    EXPECT_EQ(scalar(con, "select count(*) from codes"), 0);
    codes.setValue("code", Value{"ABC"});
    codes.post();
    EXPECT_EQ(scalar(con, "select count(*) from codes"), 1);
}

TEST_F(DatasetTest, ValuesAreConvertedToTheFieldKind) {
    people.setRecNo(1);
    people.edit();
    people.fieldByName("score").setAsString("12,5");
    EXPECT_EQ(people.asFloat("score"), 12.5);
    people.fieldByName("level").setAsString("");
    EXPECT_TRUE(people.isNull("level"));
    EXPECT_THROW(people.fieldByName("level").setAsString("abc"), ConversionError);
    people.fieldByName("team").setAsFloat(2.0);
    EXPECT_EQ(people.value("team"), Value{std::int64_t{2}});
    people.cancel();
    EXPECT_THROW(people.setValue("name", Value{"x"}), DbError); // not in editing
}

TEST_F(DatasetTest, ValuesStoredInAnotherFormAreReadAsTheyAre) {
    // Another program may have written a text where a number belongs: the file still opens.
    con.exec("UPDATE people SET level = 'alto' WHERE id = 1");
    people.close();
    people.open();
    EXPECT_EQ(people.asString("level"), "alto");
    EXPECT_THROW(people.asInteger("level"), ConversionError);
    EXPECT_TRUE(people.locate("level", Value{std::int64_t{7}}));
    EXPECT_EQ(people.recNo(), 2);
    EXPECT_FALSE(people.locate("level", Value{"alto"}));
}

TEST_F(DatasetTest, EventsRunInOrderAndARuleMayStopASaveSilently) {
    std::vector<std::string> seen;
    people.onNewRecord = [&](Dataset&) { seen.push_back("new"); };
    people.beforePost = [&](Dataset& d) {
        seen.push_back("before:" + d.asString("name"));
        if (d.asString("name") == "Stop") {
            d.cancel();
            throw SilentAbort();
        }
    };
    people.afterPost = [&](Dataset& d) { seen.push_back("after:" + d.asString("id")); };
    people.append();
    people.setValue("name", Value{"Eva"});
    people.post();
    people.append();
    people.setValue("name", Value{"Stop"});
    EXPECT_THROW(people.post(), SilentAbort);
    EXPECT_EQ(people.state(), Dataset::State::Browse);
    EXPECT_EQ(people.recordCount(), 5);
    EXPECT_EQ(seen,
              (std::vector<std::string>{"new", "before:Eva", "after:5", "new", "before:Stop"}));
    EXPECT_EQ(scalar(con, "select count(*) from people"), 5);
}

TEST_F(DatasetTest, DeleteRunsItsRuleAndTheDeletionTogetherOrNotAtAll) {
    con.exec("CREATE TABLE notes (person INTEGER, note TEXT);"
             "INSERT INTO notes VALUES (1, 'a'), (2, 'b'), (3, 'c');"
             "CREATE TRIGGER keep_three BEFORE DELETE ON people WHEN old.id = 3"
             " BEGIN SELECT RAISE(ABORT, 'row 3 is protected'); END;");
    people.beforeDelete = [&](Dataset& d) {
        con.exec("DELETE FROM notes WHERE person = " + d.asString("id"));
    };

    people.setRecNo(2);
    people.remove();
    EXPECT_EQ(people.recordCount(), 3);
    EXPECT_EQ(people.asString("name"), "Ceci"); // the next row becomes current
    EXPECT_EQ(scalar(con, "select count(*) from notes where person = 2"), 0);

    EXPECT_THROW(people.remove(), DbError); // Ceci, id 3: the engine refuses
    EXPECT_EQ(scalar(con, "select count(*) from notes where person = 3"), 1); // rolled back too
    EXPECT_EQ(people.recordCount(), 3);
    EXPECT_FALSE(con.inTransaction());
}

TEST_F(DatasetTest, LocateFindsExactValuesOfOneOrMoreFields) {
    EXPECT_TRUE(people.locate({"team", "name"}, {Value{std::int64_t{2}}, Value{"dani"}}));
    EXPECT_EQ(people.recNo(), 4);
    EXPECT_FALSE(people.locate("name", Value{"DANI"})); // case and all
    EXPECT_EQ(people.recNo(), 4);                       // a miss leaves the cursor
    EXPECT_TRUE(people.locate("id", Value{"3"}));       // converted to the field's kind
    EXPECT_EQ(people.asString("name"), "Ceci");
    EXPECT_FALSE(people.locate("id", Value{"tres"}));
    EXPECT_TRUE(people.locate("score", Value{std::int64_t{20}}));
    EXPECT_EQ(people.asString("name"), "Bea");
    EXPECT_TRUE(people.locate("team", Value{std::int64_t{1}}));
    EXPECT_EQ(people.recNo(), 1); // the first of several

    // The index follows new, edited and removed rows.
    people.append();
    people.setValue("name", Value{"Eva"});
    people.post();
    people.first();
    EXPECT_TRUE(people.locate("name", Value{"Eva"}));
    people.edit();
    people.setValue("name", Value{"Eve"});
    people.post();
    EXPECT_FALSE(people.locate("name", Value{"Eva"}));
    EXPECT_TRUE(people.locate("name", Value{"Eve"}));
    people.remove();
    EXPECT_FALSE(people.locate("name", Value{"Eve"}));
}

TEST_F(DatasetTest, FilterIgnoresCaseAndRenumbersTheShownRows) {
    people.setFilter("name like 'd%'");
    EXPECT_EQ(people.recordCount(), 4); // not in force until switched on
    people.setFiltered(true);
    EXPECT_EQ(names(), (std::vector<std::string>{"dani"}));
    people.setFilter("NAME LIKE '%E%'");
    EXPECT_EQ(names(), (std::vector<std::string>{"Bea", "Ceci"}));
    EXPECT_EQ(people.recNo(), 2);
    EXPECT_FALSE(people.locate("name", Value{"Ana"})); // hidden rows are not found
    people.setFilter("name like '%'");
    EXPECT_EQ(people.recordCount(), 4);
    EXPECT_THROW(people.setFilter("name = 'x'"), DbError);
    EXPECT_EQ(people.filter(), "name like '%'");
    people.setFiltered(false);
    EXPECT_EQ(people.recordCount(), 4);
}

TEST_F(DatasetTest, LookupsResolveAgainstTheRowsTheOtherDatasetHoldsNow) {
    con.exec("CREATE TABLE teams (id INTEGER, comp INTEGER, label TEXT);"
             "INSERT INTO teams VALUES (1, 1, 'Rojo'), (2, 1, 'Azul'), (1, 2, 'Verde');");
    Dataset teams(con, "teams");
    teams.setSql({"select * from teams where comp = :comp"});
    teams.addField(FieldDef::integer("id"));
    teams.addField(FieldDef::integer("comp"));
    teams.addField(FieldDef::string("label", 10));
    teams.setParam("comp", Value{std::int64_t{1}});

    Dataset view(con, "view");
    view.setSql({"select * from people order by id"});
    view.addField(FieldDef::integer("id"));
    view.addField(FieldDef::integer("team"));
    view.addField(FieldDef::lookup("teamName", 10, teams, "team", "id", "label"));
    view.open();
    EXPECT_EQ(view.asString("teamName"), ""); // the other dataset is closed
    teams.open();
    EXPECT_EQ(view.asString("teamName"), "Rojo");
    EXPECT_EQ(displayText(view.valueAt(2, 2)), "Azul");
    teams.close();
    teams.setParam("comp", Value{std::int64_t{2}});
    teams.open();
    EXPECT_EQ(view.asString("teamName"), "Verde");
    EXPECT_EQ(displayText(view.valueAt(2, 2)), ""); // no team 2 in competition 2
    EXPECT_EQ(view.lookupSources(), std::vector<Dataset*>{&teams});
}

TEST_F(DatasetTest, CalculatedFieldsAreFilledWheneverARowIsRead) {
    Dataset ranked(con, "ranked");
    ranked.setSql({"select * from people order by score desc"});
    ranked.addField(FieldDef::integer("id"));
    ranked.addField(FieldDef::string("name", 5));
    ranked.addField(FieldDef::floating("score"));
    ranked.addField(FieldDef::calculated("pos", FieldType::Integer));
    ranked.addField(FieldDef::calculated("label", FieldType::String));
    ranked.onCalcFields = [](Dataset& d) {
        d.setValue("pos", Value{std::int64_t{d.recNo()}});
        d.setValue("label", Value{d.asString("name") + "!"});
    };
    ranked.open();
    EXPECT_EQ(displayText(ranked.valueAt(0, 3)), "1"); // empty score sorts last
    EXPECT_EQ(displayText(ranked.valueAt(0, 4)), "Ceci!");
    EXPECT_EQ(ranked.recNo(), 1); // reading another row's fields leaves the cursor
    ranked.setFilter("name like '%a%'");
    ranked.setFiltered(true);
    std::vector<std::string> seen;
    for (ranked.first(); !ranked.eof(); ranked.next())
        seen.push_back(ranked.asString("pos") + ranked.asString("name"));
    EXPECT_EQ(seen, (std::vector<std::string>{"1Bea", "2Ana", "3dani"}));
    EXPECT_THROW(ranked.setValue("pos", Value{std::int64_t{1}}), DbError);
}

struct Recorder : DatasetListener {
    std::vector<std::string> events;
    void datasetReset() override { events.push_back("reset"); }
    void rowChanged(int r) override { events.push_back("changed" + std::to_string(r)); }
    void rowInserted(int r) override { events.push_back("inserted" + std::to_string(r)); }
    void rowRemoved(int r) override { events.push_back("removed" + std::to_string(r)); }
    void currentRowMoved(int r) override { events.push_back("moved" + std::to_string(r)); }
    void stateChanged() override { events.push_back("state"); }
};

TEST_F(DatasetTest, ViewsHearChangesExceptWhileSuspended) {
    Recorder rec;
    people.addListener(&rec);
    people.setRecNo(2);
    people.append();
    people.setValue("name", Value{"Eva"});
    people.cancel();
    EXPECT_EQ(rec.events, (std::vector<std::string>{"moved1", "inserted4", "moved4", "state",
                                                    "changed4", "removed4", "moved1", "state"}));
    rec.events.clear();
    {
        ControlsDisabled quiet(people);
        for (people.first(); !people.eof(); people.next()) {
        }
        people.close();
        people.open();
    }
    EXPECT_EQ(rec.events, std::vector<std::string>{"reset"});
    people.removeListener(&rec);
}

TEST_F(DatasetTest, EditOnAnEmptyDatasetStartsANewRow) {
    people.close();
    people.setParam("team", Value{std::int64_t{9}});
    people.open();
    EXPECT_TRUE(people.isEmpty());
    EXPECT_TRUE(people.eof());
    EXPECT_EQ(people.recNo(), 0);
    EXPECT_EQ(people.asString("name"), "");
    people.edit();
    EXPECT_EQ(people.state(), Dataset::State::Insert);
    people.cancel();
    EXPECT_THROW(people.remove(), DbError);
}

TEST_F(DatasetTest, AQueryWithoutDeclaredFieldsTakesThemFromItsColumns) {
    Dataset any(con, "any");
    any.setSql({"Select count(id) total from people", "where team = 2"});
    any.open();
    EXPECT_EQ(any.asInteger("total"), 2);
    any.close();
    any.clearSql();
    any.addSql("Delete from people");
    any.addSql("where team = 2");
    any.execute();
    any.setSql({"select name, score from people"});
    any.open();
    EXPECT_EQ(any.fieldCount(), 2);
    EXPECT_EQ(any.recordCount(), 2);
    EXPECT_EQ(any.fieldDef(1).type, FieldType::Float);
    any.close();
    any.setSqlLine(0, "select 1 as one");
    any.open();
    EXPECT_EQ(any.asInteger("one"), 1);
}

TEST(Batch, KeepsWhatWasSavedBeforeAFailureAndLetsTheErrorThrough) {
    Connection con;
    con.exec("CREATE TABLE t (k INTEGER PRIMARY KEY NOT NULL)");
    Dataset t(con, "t");
    t.setSql({"select * from t"});
    t.setUpdateTable("t");
    t.addField(FieldDef::integer("k").asKey().asRequired());
    t.open();
    auto saveAll = [&](std::vector<int> keys) {
        BatchGuard batch(con);
        for (int k : keys) {
            t.append();
            t.setValue("k", Value{std::int64_t{k}});
            t.post();
        }
        batch.commit();
    };
    EXPECT_THROW(saveAll({1, 2, 2, 3}), DbError);
    EXPECT_FALSE(con.inTransaction());
    EXPECT_EQ(text(con, "select group_concat(k, ',') from (select k from t order by k)"), "1,2");
    t.cancel();

    {
        Transaction tx(con);
        con.exec("INSERT INTO t VALUES (10)");
    } // not committed
    EXPECT_EQ(scalar(con, "select count(*) from t where k = 10"), 0);
    {
        Transaction outer(con);
        con.exec("INSERT INTO t VALUES (11)");
        {
            Transaction inner(con);
            con.exec("INSERT INTO t VALUES (12)");
        }
        outer.commit();
    }
    EXPECT_EQ(
        text(con, "select group_concat(k, ',') from (select k from t where k > 9 order by k)"),
        "11");
}

} // namespace
} // namespace pelagor::db
