// Spanish texts for the engine's errors.
#include "db/DbError.h"

#include <sqlite3.h>

namespace pelagor::db {

std::string describeSqliteError(int extendedCode, const std::string& databaseName) {
    const std::string file =
        databaseName.empty() ? std::string("de datos") : "«" + databaseName + "»";
    std::string text;
    switch (extendedCode) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
        text = "Ya existe un registro con la misma clave.";
        break;
    case SQLITE_CONSTRAINT_NOTNULL:
        text = "Falta un valor obligatorio.";
        break;
    default:
        switch (extendedCode & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            text = "El archivo " + file +
                   " está bloqueado por otro programa. Ciérrelo y vuelva a intentarlo.";
            break;
        case SQLITE_READONLY:
            text = "No se puede escribir en el archivo " + file + ".";
            break;
        case SQLITE_CANTOPEN:
            text = "No se puede abrir el archivo " + file + ".";
            break;
        case SQLITE_FULL:
            text = "El disco está lleno: no se ha podido guardar en el archivo " + file + ".";
            break;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            text = "El archivo " + file + " no es una base de datos válida o está dañado.";
            break;
        case SQLITE_IOERR:
            text = "Error de lectura o escritura en el archivo " + file + ".";
            break;
        case SQLITE_CONSTRAINT:
            text = "El registro no cumple las reglas de la base de datos.";
            break;
        default:
            text = "Error de la base de datos.";
            break;
        }
    }
    return text;
}

DbError sqliteError(int extendedCode, const std::string& engineText,
                    const std::string& databaseName) {
    return DbError(describeSqliteError(extendedCode, databaseName), extendedCode, engineText);
}

} // namespace pelagor::db
