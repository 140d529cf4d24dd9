// The record rules of the data module: defaults of new rows, the disciplines of a saved
// competition, the removal of a competition's rows and the checks of an announced performance.
#include "core/Text.h"
#include "data/TDM.h"
#include "db/DbError.h"
#include "db/Statement.h"

namespace pelagor {

using db::Dataset;
using db::Value;

void TDM::QParticipantesNewRecord(Dataset& dataSet) {
    dataSet.setValue("id_comp", currentCompetitionId());
}

void TDM::QTiposApneaNewRecord(Dataset& dataSet) {
    dataSet.setValue("id_comp", currentCompetitionId());
}

void TDM::QMarcasNewRecord(Dataset& dataSet) {
    dataSet.setValue("id_comp", currentCompetitionId());
    dataSet.setValue("Cod_apnea", Value{currentDisciplineCode()});
    // The start list reads both in every row, distance disciplines included.
    dataSet.setValue("Minutos", Value{std::int64_t{0}});
    dataSet.setValue("Segundos", Value{std::int64_t{0}});
}

void TDM::QCompeticionesAfterPost(Dataset& dataSet) {
    const Value id = dataSet.value("id");
    if (!QTiposApnea.isOpen()) QTiposApnea.open();
    db::ControlsDisabled quietCatalogue(qPruebas);
    db::ControlsDisabled quietDisciplines(QTiposApnea);
    const int catalogueRow = qPruebas.recNo();
    db::Statement held(fdCon, "SELECT 1 FROM Tipos_Apneas WHERE id_comp = ? AND codigo = ?");
    db::BatchGuard batch(fdCon);
    for (qPruebas.first(); !qPruebas.eof(); qPruebas.next()) {
        // Codes are kept in upper case; a catalogue row from an older file may not be.
        const std::string code = toUpperAscii(qPruebas.asString("Codigo"));
        held.reset();
        held.bind(1, id);
        held.bind(2, Value{code});
        const bool present = held.step();
        held.reset();
        if (present) continue;
        QTiposApnea.append();
        QTiposApnea.setValue("id_comp", id);
        QTiposApnea.setValue("codigo", Value{code});
        QTiposApnea.post();
    }
    batch.commit();
    qPruebas.setRecNo(catalogueRow);
}

void TDM::QCompeticionesBeforeDelete(Dataset& dataSet) {
    // The dataset layer runs this and the deletion of the competition in one transaction.
    const std::string id = dataSet.asString("id");
    static const char* const tables[] = {"Delete from resultados", "Delete from marcas",
                                         "Delete from participantes", "Delete from tipos_apneas"};
    fdqTodo.close();
    for (const char* statement : tables) {
        fdqTodo.clearSql();
        fdqTodo.addSql(statement);
        fdqTodo.addSql("where id_comp = " + id);
        fdqTodo.execute();
    }
}

void TDM::QMarcasBeforePost(Dataset& dataSet) {
    // The rule acts on the dataset being saved (qMarcas, or qMarcasStartList).
    dataSet.setValue("Cod_apnea", Value{toUpperAscii(dataSet.asString("Cod_apnea"))});
    if (dataSet.asInteger("Minutos") > 59 || dataSet.asInteger("Segundos") > 59) {
        message("Los minutos y/o segundos no pueden ser > de 59");
        dataSet.cancel();
        throw db::SilentAbort();
    }
    actualizarResultados();
    if (!QResultados.locate({"id_comp", "id_part"},
                            {dataSet.value("id_comp"), dataSet.value("id_part")}))
        return;
    if (QResultados.asFloat("Marca_anunciada") != dataSet.asFloat("Unidades") &&
        QResultados.asFloat("Unidades") > 0) {
        message("Ya hay un valor en la marca registrada\r\nNo se puede modificar el valor de la "
                "marca anunciada");
        dataSet.cancel();
        throw db::SilentAbort();
    }
}

namespace {
void checkDisciplineCode(Dataset& dataSet, const char* field) {
    const std::string code = trim(dataSet.asString(field));
    if (utf8Length(code) > static_cast<std::size_t>(kMaxDisciplineCode))
        throw db::DbError(
            "El código «" + code + "» tiene más de " + std::to_string(kMaxDisciplineCode) +
            " caracteres. Las marcas, los resultados y las clasificaciones guardan el "
            "código con " +
            std::to_string(kMaxDisciplineCode) +
            " caracteres como máximo: use un código más corto.");
    const std::string upper = toUpperAscii(code);
    if (upper != dataSet.asString(field)) dataSet.setValue(field, Value{upper});
}
} // namespace

void TDM::qPruebasBeforePost(Dataset& dataSet) {
    checkDisciplineCode(dataSet, "Codigo");
}

void TDM::QTiposApneaBeforePost(Dataset& dataSet) {
    checkDisciplineCode(dataSet, "codigo");
}

} // namespace pelagor
