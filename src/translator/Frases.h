#pragma once
// Sentence translation: a text through the whole Apertium pipeline of the current direction
// (platform/SentencePipeline.h), beside the word-by-word translation (Traduccion.h).
//
// The pipeline of a direction is the process's one (dictionary_data/Oraciones.h), loaded at its
// first use and kept for the direction in use only.
#include "platform/SentencePipeline.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>

class QThreadPool;

namespace frases {

struct Resultado {
    QString texto;         // the translation, or what was done of it when it stopped
    bool completa = false; // false when stopped by a later request or by a failure
    QString error;         // one line of Spanish: the pipeline is missing, damaged or failed
};

// Translates `texto` in direction `direccion` (0..5). Safe from any thread; one runs at a time.
Resultado Traducir(int direccion, const QString& texto, const sentences::Pipeline::Progress& progreso = {});
// Drops the loaded pipeline (tests; the memory benchmark).
void Olvidar();

// A stretch of a text: where it starts and how long it is.
struct Tramo {
    qsizetype inicio = 0, largo = 0;
    bool operator==(const Tramo&) const = default;
};

// The stretches of `origen` that the word at `posicion` of `traduccion` (the sentence translation
// of `origen` in direction `direccion`) was made from. Line by line: the line of the word is
// translated again with Apertium's word-bound blanks (Pipeline::Align), and the answer is used
// only when that line comes out exactly as the translation shows it; otherwise, or where the
// lines do not match one for one, there is no answer rather than a wrong one.
QList<Tramo> Origen(int direccion, const QString& origen, const QString& traduccion, qsizetype posicion);

// The window's translations, run away from the window's thread so it never freezes: each request
// cancels the one before it (which stops at its next piece), progress and the result come back as
// signals on the thread that made the object. A result arrives only for the latest request.
class Traductor : public QObject {
    Q_OBJECT
public:
    Traductor();
    ~Traductor() override;
    void Pedir(int direccion, const QString& texto);
    // Loads the direction's pipeline in the background, so that the first translation asked
    // does not wait for it (while the reader types).
    void Precargar(int direccion);
    // Stops the request under way, if any; no result comes for it.
    void Cancelar();
    bool Ocupado() const { return ocupado_; }

signals:
    void Progreso(int porcentaje);
    void Terminada(const frases::Resultado& resultado);

private:
    std::unique_ptr<QThreadPool> hilo_;
    std::shared_ptr<std::atomic<int>> turno_;
    bool ocupado_ = false;
};

} // namespace frases
