#pragma once
// The generated database of the build folder, opened once for every benchmark of a program.
#include "dictionary_data/BaseDatos.h"
#include "platform/Paths.h"

#include <benchmark/benchmark.h>

inline const QString kCarpeta = QStringLiteral(PALAVRIX_BUILD_DIR);

// False (and the benchmark skipped with the reason) when the database cannot be opened.
inline bool abrir(benchmark::State& state) {
    paths::SetAppPath(kCarpeta);
    if (!dbDiccionario) {
        try {
            AbrirBaseDatos();
        } catch (const dao::DaoError& e) {
            state.SkipWithError(e.what());
            return false;
        }
    }
    return true;
}
