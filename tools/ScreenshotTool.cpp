// Takes pictures of the main window's pages over a small demo competition, for the README.
// Usage: pelagor_screenshots <output folder>. Runs in an empty temporary working directory.
#include "app/Application.h"
#include "app/Startup.h"
#include "app/TPrincipal.h"
#include "data/TDM.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstdio>
#include <string>

namespace {

void settle() {
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
}

void demoData(pelagor::TDM& dm) {
    const char* athletes[][4] = {
        {"1", "Lucía Fernández", "F", "Orcas Madrid"},
        {"2", "Pablo Martín", "M", "CN Sirena"},
        {"3", "Marta Gómez", "F", "Apnea Norte"},
        {"4", "Javier Ruiz", "M", "Orcas Madrid"},
        {"5", "Elena Navarro", "F", "CN Sirena"},
        {"6", "Carlos Ortega", "M", "Apnea Norte"},
        {"7", "Ana Belén Torres", "F", "Delfines Vigo"},
        {"8", "Sergio Molina", "M", "Delfines Vigo"},
        {"9", "Irene Castro", "F", "Orcas Madrid"},
        {"10", "David Serrano", "M", "CN Sirena"},
    };
    const double din[] = {125, 150, 100, 175, 90, 140, 110, 160, 75, 130};
    const int sta[][2] = {{4, 30}, {5, 15}, {3, 45}, {6, 0},  {3, 10},
                          {5, 40}, {4, 5},  {6, 20}, {2, 50}, {4, 55}};
    dm.fdCon.exec(
        "insert into competiciones (Fecha, Nombre, Lugar) values ('2027-03-13', 'Open Indoor "
        "Madrid', "
        "'Piscina M-86'), ('2027-05-22', 'Copa Norte de Apnea', 'Piscina Municipal de Gijón')");
    dm.fdCon.exec(
        "insert into Tipos_Apneas select c.id, t.Codigo from competiciones c, tipos_pruebas t");
    for (int i = 0; i < 10; ++i) {
        const std::string n = athletes[i][0];
        dm.fdCon.exec("insert into participantes values (1, " + n + ", '" + athletes[i][1] +
                      "', '" + athletes[i][2] + "', 'FEDAS-" + std::to_string(2400 + i * 17) +
                      "', '" + athletes[i][3] + "')");
        dm.fdCon.exec("insert into marcas values (1, " + n + ", 'DIN', " + std::to_string(din[i]) +
                      ", 0, 0)");
        dm.fdCon.exec("insert into marcas values (1, " + n + ", 'STA', NULL, " +
                      std::to_string(sta[i][0]) + ", " + std::to_string(sta[i][1]) + ")");
    }
    dm.QCompeticiones.close();
    dm.QCompeticiones.open();
}

bool save(QWidget* w, const QString& folder, const char* name) {
    settle();
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    const bool ok = w->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.toLocal8Bit().constData());
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    pelagor::Application app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: pelagor_screenshots <output folder>\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    if (!pelagor::createApplicationObjects()) return 1;
    auto* w = pelagor::Principal;
    demoData(*pelagor::DM);
    bool ok = save(w, out, "menu.png");
    w->BCompeticiones->click();
    w->GridCompeticiones->selectRow(0);
    ok = save(w, out, "competiciones.png") && ok;
    w->BCompTiposApnea->click();
    ok = save(w, out, "modalidades.png") && ok;
    w->BVolverGeneral->click();
    w->BCompPart->click();
    ok = save(w, out, "participantes.png") && ok;
    w->BPartMarcasAnunciadas->click();
    w->CBModalidadMarcas->setCurrentIndex(w->CBModalidadMarcas->findText(QStringLiteral("DIN")));
    ok = save(w, out, "marcas-din.png") && ok;
    w->CBModalidadMarcas->setCurrentIndex(w->CBModalidadMarcas->findText(QStringLiteral("STA")));
    ok = save(w, out, "marcas-sta.png") && ok;
    w->BMenuInicial->click();
    w->BTiposPrueba->click();
    ok = save(w, out, "catalogo.png") && ok;
    pelagor::destroyApplicationObjects();
    return ok ? 0 : 1;
}
