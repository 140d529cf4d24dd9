// The data module: datasets, connection and refresh operations.
#include "data/TDM.h"

#include "core/NumberFormat.h"
#include "db/DbError.h"
#include "db/Schema.h"

namespace pelagor {

using db::Dataset;
using db::FieldDef;
using db::FieldType;
using db::Value;

TDM* DM = nullptr;

TDM::TDM()
    : QCompeticiones(fdCon, "QCompeticiones"), QParticipantes(fdCon, "QParticipantes"),
      QTiposApnea(fdCon, "QTiposApnea"), qPruebas(fdCon, "qPruebas"), qMarcas(fdCon, "qMarcas"),
      qMarcasStartList(fdCon, "qMarcasStartList"), QResultados(fdCon, "QResultados"),
      qResPopulation(fdCon, "qResPopulation"), qClasificacion(fdCon, "qClasificacion"),
      fdqTodo(fdCon, "fdqTodo") {
    setUpDatasets();
    DataModuleCreate();
}

TDM::~TDM() {
    if (DM == this) DM = nullptr;
}

void TDM::setUpDatasets() {
    fdCon.beforeConnect = [this](db::Connection& c) { fdConBeforeConnect(c); };
    fdCon.afterConnect = [](db::Connection& c, bool created) {
        if (created)
            db::createSchema(c);
        else
            db::verifySchema(c);
    };

    // QCompeticiones
    QCompeticiones.setSql({"Select * from competiciones"});
    QCompeticiones.setUpdateTable("competiciones");
    QCompeticiones.addField(FieldDef::integer("id").asKey().asAutoIncrement());
    QCompeticiones.addField(FieldDef::date("Fecha"));
    QCompeticiones.addField(FieldDef::string("Nombre", 50));
    QCompeticiones.addField(FieldDef::string("Lugar", 50));
    QCompeticiones.afterPost = [this](Dataset& d) { QCompeticionesAfterPost(d); };
    QCompeticiones.beforeDelete = [this](Dataset& d) { QCompeticionesBeforeDelete(d); };

    // QParticipantes
    QParticipantes.setSql(
        {"Select *  from participantes", "where id_comp = :codigo", "ORDER by id_part"});
    QParticipantes.setUpdateTable("participantes");
    QParticipantes.addField(
        FieldDef::integer("id_comp").asKey().asRequired().withLabel("Competición"));
    QParticipantes.addField(
        FieldDef::integer("id_part").asKey().asRequired().withLabel("ID (número de participante)"));
    QParticipantes.addField(FieldDef::string("Nombre", 40));
    QParticipantes.addField(FieldDef::string("Sexo", 1));
    QParticipantes.addField(FieldDef::string("Licencia", 15));
    QParticipantes.addField(FieldDef::string("Equipo", 30));
    QParticipantes.onNewRecord = [this](Dataset& d) { QParticipantesNewRecord(d); };
    QParticipantes.duplicateKeyMessage = [](Dataset& d) {
        return "Ya existe un participante con el número " + d.asString("id_part") +
               " en esta competición.";
    };

    // qPruebas (before QTiposApnea, whose names it looks up)
    qPruebas.setSql({"Select * from tipos_pruebas", "order by codigo"});
    qPruebas.setUpdateTable("tipos_pruebas");
    qPruebas.addField(FieldDef::string("Codigo", 7).asKey().asRequired().withLabel("Código"));
    qPruebas.addField(FieldDef::string("Nombre", 30));
    qPruebas.beforePost = [this](Dataset& d) { qPruebasBeforePost(d); };
    qPruebas.duplicateKeyMessage = [](Dataset& d) {
        return "Ya existe en el catálogo una modalidad con el código «" + d.asString("Codigo") +
               "».";
    };

    // QTiposApnea
    QTiposApnea.setSql(
        {"Select * from Tipos_Apneas", "where id_comp = :codigo", "order by codigo"});
    QTiposApnea.setUpdateTable("Tipos_Apneas");
    QTiposApnea.addField(
        FieldDef::integer("id_comp").asKey().asRequired().withLabel("Competición"));
    QTiposApnea.addField(FieldDef::lookup("Nombre", 40, qPruebas, "codigo", "Codigo", "Nombre"));
    QTiposApnea.addField(FieldDef::string("codigo", 7).asKey().asRequired().withLabel("Código"));
    QTiposApnea.onNewRecord = [this](Dataset& d) { QTiposApneaNewRecord(d); };
    QTiposApnea.beforePost = [this](Dataset& d) { QTiposApneaBeforePost(d); };
    QTiposApnea.duplicateKeyMessage = [](Dataset& d) {
        return "La competición ya tiene la modalidad «" + d.asString("codigo") + "».";
    };

    // qMarcas and qMarcasStartList
    auto marcasFields = [this](Dataset& q, const char* participantName) {
        q.setUpdateTable("marcas");
        q.addField(FieldDef::integer("id_comp").asKey().asRequired().withLabel("Competición"));
        q.addField(FieldDef::integer("id_part").asKey().asRequired().withLabel(
            "ID (número de participante)"));
        q.addField(FieldDef::string("Cod_apnea", 6).asKey().asRequired().withLabel("Modalidad"));
        q.addField(FieldDef::floating("Unidades"));
        q.addField(FieldDef::integer("Minutos"));
        q.addField(FieldDef::integer("Segundos"));
        q.addField(
            FieldDef::lookup(participantName, 40, QParticipantes, "id_part", "id_part", "Nombre"));
        q.beforePost = [this](Dataset& d) { QMarcasBeforePost(d); };
        q.onNewRecord = [this](Dataset& d) { QMarcasNewRecord(d); };
        q.duplicateKeyMessage = [](Dataset& d) {
            return "El participante " + d.asString("id_part") +
                   " ya tiene una marca anunciada en la modalidad «" + d.asString("Cod_apnea") +
                   "».";
        };
    };
    qMarcas.setSql({"Select * from marcas", "where id_comp = :codigo and cod_apnea = :apnea",
                    "order by  id_part"});
    marcasFields(qMarcas, "NombreParticipante");
    qMarcas.addField(
        FieldDef::lookup("NombreApnea", 30, qPruebas, "Cod_apnea", "Codigo", "Nombre"));
    qMarcasStartList.setSql({"Select * from marcas",
                             "where id_comp = :codigo and cod_apnea = :apnea",
                             "order by unidades, minutos, segundos "});
    marcasFields(qMarcasStartList, "Nombreparticipante");

    // QResultados and qResPopulation
    auto resultFields = [](Dataset& q) {
        q.setUpdateTable("resultados");
        q.addField(FieldDef::integer("id_comp").asKey().asRequired().withLabel("Competición"));
        q.addField(FieldDef::string("Cod_apnea", 6).asKey().asRequired().withLabel("Modalidad"));
        q.addField(FieldDef::integer("id_part").asKey().asRequired().withLabel("Participante"));
        q.addField(FieldDef::floating("Marca_anunciada"));
        q.addField(FieldDef::largeInt("Tiempo"));
        q.addField(FieldDef::floating("Unidades"));
        q.addField(FieldDef::floating("Penal"));
        q.addField(FieldDef::floating("Puntos"));
        q.addField(FieldDef::string("Observaciones", 30));
        q.duplicateKeyMessage = [](Dataset& d) {
            return "Ya hay un resultado del participante " + d.asString("id_part") +
                   " en la modalidad «" + d.asString("Cod_apnea") + "».";
        };
    };
    QResultados.setSql({"Select * from resultados",
                        "where id_comp = :codigo  and cod_apnea = :apnea",
                        "order by marca_anunciada, tiempo"});
    resultFields(QResultados);
    QResultados.addField(FieldDef::lookup("NombrePart", 40, QParticipantes, "id_comp;id_part",
                                          "id_comp;id_part", "Nombre"));
    QResultados.addField(FieldDef::calculated("tiempoFormateado", FieldType::String, 10));
    QResultados.addField(FieldDef::calculated("TiempoRealFormat", FieldType::String, 20));
    QResultados.addField(FieldDef::integer("Resultado"));
    QResultados.onCalcFields = [this](Dataset& d) { QResultadosCalcFields(d); };
    QResultados.onNewRecord = [this](Dataset& d) { QResultadosNewRecord(d); };

    qResPopulation.setSql({"Select * from resultados"});
    resultFields(qResPopulation);

    // qClasificacion
    qClasificacion.setSql({"Select * from clasificacion_modalidad",
                           "where id_comp = :codigo and cod_apnea = :apnea",
                           "order by cod_apnea, puntos desc"});
    qClasificacion.setUpdateTable("clasificacion_modalidad");
    qClasificacion.addField(
        FieldDef::integer("id_comp").asKey().asRequired().withLabel("Competición"));
    qClasificacion.addField(
        FieldDef::string("Cod_apnea", 6).asKey().asRequired().withLabel("Modalidad"));
    qClasificacion.addField(
        FieldDef::integer("id_part").asKey().asRequired().withLabel("Participante"));
    qClasificacion.addField(FieldDef::floating("Puntos"));
    qClasificacion.addField(FieldDef::string("Sexo", 1));
    qClasificacion.addField(FieldDef::lookup("Nombre", 40, QParticipantes, "id_comp;id_part",
                                             "id_comp;id_part", "Nombre"));
    qClasificacion.addField(FieldDef::calculated("orden", FieldType::Integer));
    qClasificacion.addField(FieldDef::lookup("Equipo", 35, QParticipantes, "id_comp;id_part",
                                             "id_comp;id_part", "Equipo"));
    qClasificacion.addField(FieldDef::string("Marca", 6));
    qClasificacion.onCalcFields = [this](Dataset& d) { qClasificacionCalcFields(d); };
    qClasificacion.duplicateKeyMessage = [](Dataset& d) {
        return "Ya hay una fila de clasificación del participante " + d.asString("id_part") +
               " en la modalidad «" + d.asString("Cod_apnea") + "».";
    };
}

void TDM::DataModuleCreate() {
    QCompeticiones.open();
    QParticipantes.open();
    QTiposApnea.open();
    qMarcas.open();
    qPruebas.open();
}

void TDM::fdConBeforeConnect(db::Connection& connection) {
    connection.setDatabase(kDatabaseFileName);
}

Value TDM::currentCompetitionId() const {
    if (!QCompeticiones.isOpen()) return Value{};
    return QCompeticiones.value("id");
}

std::string TDM::currentCompetitionName() const {
    if (!QCompeticiones.isOpen()) return {};
    return QCompeticiones.asString("Nombre");
}

std::string TDM::currentDisciplineCode() const {
    if (!QTiposApnea.isOpen()) return {};
    return QTiposApnea.asString("codigo");
}

namespace {
void reopen(Dataset& q, const Value& codigo) {
    q.close();
    q.setParam("codigo", codigo);
    q.open();
}
void reopen(Dataset& q, const Value& codigo, const std::string& apnea) {
    q.close();
    q.setParam("codigo", codigo);
    q.setParam("apnea", Value{apnea});
    q.open();
}
} // namespace

void TDM::actualizar() {
    const Value id = currentCompetitionId();
    reopen(QParticipantes, id);
    reopen(QTiposApnea, id);
    const std::string apnea = currentDisciplineCode();
    reopen(qMarcas, id, apnea);
    reopen(qMarcasStartList, id, apnea);
    reopen(QResultados, id, apnea);
}

void TDM::cambiarModalidad(Dataset& q, const std::string& capnea) {
    if (!QTiposApnea.isOpen() || !QTiposApnea.locate("codigo", Value{capnea})) return;
    reopen(q, currentCompetitionId(), capnea);
}

void TDM::actualizarResultados() {
    const Value competition = QTiposApnea.isOpen() ? QTiposApnea.value("id_comp") : Value{};
    reopen(QResultados, competition, currentDisciplineCode());
}

void TDM::QResultadosCalcFields(Dataset& dataSet) {
    dataSet.setValue("tiempoFormateado",
                     Value{minSecText(static_cast<double>(dataSet.asInteger("Tiempo")))});
    dataSet.setValue("TiempoRealFormat", Value{minSecText(dataSet.asFloat("Unidades"))});
}

void TDM::QResultadosNewRecord(Dataset& dataSet) {
    dataSet.setValue("id_comp", currentCompetitionId());
    dataSet.setValue("Cod_apnea", Value{currentDisciplineCode()});
}

void TDM::qClasificacionCalcFields(Dataset& dataSet) {
    const int n = dataSet.recNo();
    dataSet.setValue("orden", Value{static_cast<std::int64_t>(n == 0 ? 1 : n)});
}

void TDM::segundosAMinSeg(double segundos, double& min, double& seg) {
    pelagor::segundosAMinSeg(segundos, min, seg);
}

void TDM::message(const std::string& text) {
    if (showMessage) showMessage(text);
}

} // namespace pelagor
