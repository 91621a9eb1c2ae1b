#pragma once
// The process-wide sentence pipeline (platform/SentencePipeline.h) of the direction in use,
// shared by everything that reads text in context: the translator's sentence mode, its word by
// word mode (which takes each word's reading from the pipeline's tagger) and the dictionary
// window's lookup (the tagger's reading of a word on its own).
//
// A direction's pipeline loads at its first use, from the "Morfologia" folder beside the
// executable, as the transducers of the word forms do; only the direction in use is kept (a
// pipeline takes some 30 to 60 MB). Nothing of it loads at the program's start. Every function
// is safe from any thread: one caller at a time uses the pipeline.
#include "platform/SentencePipeline.h"

#include <QString>
#include <functional>
#include <optional>

namespace oraciones {

// Runs `uso` on the pipeline of `direccion` (0..5), loading it first when needed, with the
// pipeline to itself. False, and `error` set to one line of Spanish, when it cannot be loaded.
// With `esperar` false it does not wait for another caller (a long sentence translation on the
// translator's thread): it returns false at once, `error` left empty.
bool Con(int direccion, const std::function<void(sentences::Pipeline&)>& uso, QString* error = nullptr,
         bool esperar = true);

// The words of `texto` as the direction's analyser and tagger read them in context
// (Pipeline::Tag); nullopt, with `error` set, when the pipeline cannot load or fails.
std::optional<QList<sentences::Pipeline::Unit>> Etiquetar(int direccion, const QString& texto,
                                                          QString* error = nullptr);

// The reading the tagger gives `palabra` on its own, and the analyser's other readings; nullopt
// when the pipeline cannot give one at once (not loadable, or busy with a translation: a lookup
// never waits for one) or reads the word as more than one unit.
struct Lectura {
    QString elegida;
    QStringList lecturas;
};
std::optional<Lectura> LecturaSola(int direccion, const QString& palabra);

// Drops the loaded pipeline (tests; the memory benchmark).
void Olvidar();
// Drops the loaded pipeline when it is another direction's; nothing while a translation is using
// it (the direction it serves is then dropped at the next load).
void SoloDireccion(int direccion);

} // namespace oraciones
