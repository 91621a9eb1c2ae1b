#pragma once
// The real-text yardstick of the generator's report: how much of ordinary prose each direction
// translates with the database just written (the same lookups as the translator window).
#include <QString>
#include <vector>

namespace generador {

struct Medida {
    QString tabla;       // "EspIng"
    QString idioma;      // the sample's language: "spa"
    long palabras = 0;   // word tokens of the sample
    long traducidas = 0; // of them, not bracketed
};

// Translates `carpetaMuestras`/<language>.txt in every direction whose source language has one,
// with the database `baseDatos` and the transducers in `carpetaPrograma`/Morfologia. Directions
// without a sample are left out; an unreadable database throws dao::DaoError.
std::vector<Medida> MedirMuestras(const QString& baseDatos, const QString& carpetaPrograma,
                                  const QString& carpetaMuestras);

} // namespace generador
