// The data module: the connection to pelagorData.db, every dataset of the program with its fixed
// SQL, the current competition and discipline, the record rules and the refresh operations.
#pragma once

#include "db/Connection.h"
#include "db/Dataset.h"

#include <functional>
#include <string>

namespace pelagor {

inline constexpr const char* kDatabaseFileName = "pelagorData.db";

class TDM {
public:
    // Creates the datasets and runs DataModuleCreate, which opens the database file in the
    // working directory (creating it when it does not exist).
    TDM();
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    db::Connection fdCon;
    db::Dataset QCompeticiones;
    db::Dataset QParticipantes;
    db::Dataset QTiposApnea;
    db::Dataset qPruebas;
    db::Dataset qMarcas;
    db::Dataset qMarcasStartList;
    db::Dataset QResultados;
    db::Dataset qResPopulation;
    db::Dataset qClasificacion;
    db::Dataset fdqTodo;

    // Shows a message to the user in a modal box with one button; set by the window layer.
    std::function<void(const std::string&)> showMessage;

    void DataModuleCreate();
    void fdConBeforeConnect(db::Connection& connection);

    // Reopens the competition-scoped datasets for the current competition; its first
    // discipline in code order becomes the current discipline.
    void actualizar();
    // Makes `capnea` the current discipline and reopens `q` for it; an unknown code (compared
    // exactly) changes nothing.
    void cambiarModalidad(db::Dataset& q, const std::string& capnea);
    // Reopens QResultados for the current discipline.
    void actualizarResultados();

    // Record rules.
    void QParticipantesNewRecord(db::Dataset& dataSet);
    void QTiposApneaNewRecord(db::Dataset& dataSet);
    void QMarcasNewRecord(db::Dataset& dataSet);
    void QCompeticionesAfterPost(db::Dataset& dataSet);
    void QCompeticionesBeforeDelete(db::Dataset& dataSet);
    void QMarcasBeforePost(db::Dataset& dataSet);
    // A discipline code is kept in upper case and never longer than the code columns of the
    // announced performances, results and classification can hold.
    void qPruebasBeforePost(db::Dataset& dataSet);
    void QTiposApneaBeforePost(db::Dataset& dataSet);

    // Result rows and classification rows.
    void QResultadosCalcFields(db::Dataset& dataSet);
    void QResultadosNewRecord(db::Dataset& dataSet);
    void qClasificacionCalcFields(db::Dataset& dataSet);
    static void segundosAMinSeg(double segundos, double& min, double& seg);

    // The current competition (current row of QCompeticiones): its id (empty when there is
    // none) and its name.
    db::Value currentCompetitionId() const;
    std::string currentCompetitionName() const;
    // The current discipline (current row of QTiposApnea): its code, "" when there is none.
    std::string currentDisciplineCode() const;

private:
    void message(const std::string& text);
    void setUpDatasets();
};

// The program's one data module, from start to end.
extern TDM* DM;

// The longest discipline code that every table can hold.
inline constexpr int kMaxDisciplineCode = 6;

} // namespace pelagor
