// Timings of the data layers on competition-sized data: opening the results of a discipline,
// locating once per row, and saving a bulk loop under one batch.
#include "data/TDM.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <string>

namespace pelagor {
namespace {

void fillResults(TDM& dm, int rows) {
    db::BatchGuard batch(dm.fdCon);
    dm.fdCon.exec("insert into competiciones (id, Nombre) values (1, 'Banco')");
    dm.fdCon.exec("insert into Tipos_Apneas values (1, 'DIN')");
    for (int i = 1; i <= rows; ++i) {
        const auto n = std::to_string(i);
        dm.fdCon.exec("insert into participantes (id_comp, id_part, Nombre) values (1, " + n +
                      ", 'Atleta " + n + "')");
        dm.fdCon.exec("insert into resultados (id_comp, Cod_apnea, id_part, Marca_anunciada, "
                      "Tiempo, Unidades)"
                      " values (1, 'DIN', " +
                      n + ", " + std::to_string(i % 200) + ", 0, 50)");
    }
    batch.commit();
    dm.QCompeticiones.close();
    dm.QCompeticiones.open();
    dm.actualizar();
}

void OpenResults(benchmark::State& state) {
    test::TempDir dir;
    TDM dm;
    fillResults(dm, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        dm.QResultados.close();
        dm.QResultados.open();
        // Reading every row once, names looked up and times formatted, as a grid or a sheet does.
        for (int r = 0; r < dm.QResultados.recordCount(); ++r) {
            benchmark::DoNotOptimize(
                dm.QResultados.valueAt(r, dm.QResultados.fieldIndex("NombrePart")));
            benchmark::DoNotOptimize(
                dm.QResultados.valueAt(r, dm.QResultados.fieldIndex("TiempoRealFormat")));
        }
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(OpenResults)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

void LocateOncePerRow(benchmark::State& state) {
    test::TempDir dir;
    TDM dm;
    const int rows = static_cast<int>(state.range(0));
    fillResults(dm, rows);
    for (auto _ : state) {
        for (int i = 1; i <= rows; ++i)
            benchmark::DoNotOptimize(dm.QResultados.locate(
                {"id_comp", "Cod_apnea", "id_part"}, {db::Value{std::int64_t{1}}, db::Value{"DIN"},
                                                      db::Value{std::int64_t{rows + 1 - i}}}));
    }
    state.SetComplexityN(rows);
}
BENCHMARK(LocateOncePerRow)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

void SaveRowsInOneBatch(benchmark::State& state) {
    test::TempDir dir;
    TDM dm;
    fillResults(dm, static_cast<int>(state.range(0)));
    auto& q = dm.QResultados;
    for (auto _ : state) {
        db::BatchGuard batch(dm.fdCon);
        for (q.first(); !q.eof(); q.next()) {
            q.edit();
            q.setValue("Puntos", db::Value{q.asFloat("Puntos") + 1});
            q.post();
        }
        batch.commit();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(SaveRowsInOneBatch)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace
} // namespace pelagor

BENCHMARK_MAIN();
