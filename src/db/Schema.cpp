// Creation and check of the schema.
#include "db/Schema.h"

#include "core/Text.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"

namespace pelagor {
extern const char* const kSchemaSql;
}

namespace pelagor::db {

const std::vector<TableColumns>& requiredSchema() {
    static const std::vector<TableColumns> schema = {
        {"competiciones", {"id", "Fecha", "Nombre", "Lugar"}},
        {"tipos_pruebas", {"Codigo", "Nombre"}},
        {"Tipos_Apneas", {"id_comp", "codigo"}},
        {"participantes", {"id_comp", "id_part", "Nombre", "Sexo", "Licencia", "Equipo"}},
        {"marcas", {"id_comp", "id_part", "Cod_apnea", "Unidades", "Minutos", "Segundos"}},
        {"resultados",
         {"id_comp", "Cod_apnea", "id_part", "Marca_anunciada", "Tiempo", "Unidades", "Penal",
          "Puntos", "Observaciones", "Resultado"}},
        {"clasificacion_modalidad", {"id_comp", "Cod_apnea", "id_part", "Puntos", "Sexo", "Marca"}},
    };
    return schema;
}

void createSchema(Connection& connection) {
    Transaction tx(connection);
    connection.exec(kSchemaSql);
    tx.commit();
}

void verifySchema(Connection& connection) {
    const std::string file = "«" + connection.database() + "»";
    for (const auto& table : requiredSchema()) {
        Statement stmt(connection, "SELECT name FROM pragma_table_info(?)");
        stmt.bind(1, Value{table.table});
        std::vector<std::string> present;
        while (stmt.step())
            present.push_back(displayText(stmt.column(0)));
        if (present.empty())
            throw DbError("El archivo de datos " + file + " no tiene la tabla «" + table.table +
                          "». No se ha modificado nada en el archivo.");
        for (const auto& column : table.columns) {
            bool found = false;
            for (const auto& p : present)
                found = found || equalsIgnoreCaseAscii(p, column);
            if (!found)
                throw DbError("En el archivo de datos " + file + " falta la columna «" + column +
                              "» de la tabla «" + table.table +
                              "». No se ha modificado nada en el archivo.");
        }
    }
}

} // namespace pelagor::db
