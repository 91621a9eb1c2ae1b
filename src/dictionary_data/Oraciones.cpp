#include "dictionary_data/Oraciones.h"

#include "dictionary_data/Formas.h"
#include "platform/Paths.h"
#include "platform/Process.h"

#include <QDir>
#include <memory>
#include <mutex>

namespace oraciones {

namespace {

struct Cargada {
    std::mutex m;
    int direccion = -1;
    QString carpeta;
    std::unique_ptr<sentences::Pipeline> pipeline;
    QString error;
};

Cargada& Cache() {
    static Cargada c;
    return c;
}

// With the cache's lock held. The folder counts as much as the direction: a program (or a test)
// that moves its data folder gets the pipeline of the new one.
void Cargar(Cargada& c, int direccion) {
    const QString carpeta = QDir(paths::AppPath()).filePath(QStringLiteral("Morfologia"));
    if (c.direccion == direccion && c.carpeta == carpeta) return;
    if (c.pipeline) {
        // Only the direction in use is kept; what the last one held goes back to the system.
        c.pipeline.reset();
        process::GiveBackFreedMemory();
    }
    c.error.clear();
    c.direccion = direccion;
    c.carpeta = carpeta;
    const QString par = formas::NombrePar(direccion);
    if (par.isEmpty()) {
        c.error = QStringLiteral("Dirección de traducción desconocida.");
        return;
    }
    c.pipeline = sentences::Pipeline::Load(carpeta, par, &c.error);
}

} // namespace

bool Con(int direccion, const std::function<void(sentences::Pipeline&)>& uso, QString* error, bool esperar) {
    Cargada& c = Cache();
    std::unique_lock<std::mutex> lock(c.m, std::defer_lock);
    if (esperar)
        lock.lock();
    else if (!lock.try_lock())
        return false;
    Cargar(c, direccion);
    if (!c.pipeline) {
        if (error) *error = c.error;
        return false;
    }
    if (uso) uso(*c.pipeline);
    return true;
}

std::optional<QList<sentences::Pipeline::Unit>> Etiquetar(int direccion, const QString& texto,
                                                          QString* error) {
    std::optional<QList<sentences::Pipeline::Unit>> r;
    QString fallo;
    Con(
        direccion,
        [&](sentences::Pipeline& p) {
            QList<sentences::Pipeline::Unit> unidades = p.Tag(texto, &fallo);
            if (fallo.isEmpty()) r = std::move(unidades);
        },
        &fallo);
    if (error) *error = fallo;
    return r;
}

std::optional<Lectura> LecturaSola(int direccion, const QString& palabra) {
    if (palabra.trimmed().isEmpty()) return std::nullopt;
    QList<sentences::Pipeline::Unit> unidades;
    QString fallo;
    if (!Con(
            direccion, [&](sentences::Pipeline& p) { unidades = p.Tag(palabra, &fallo); }, nullptr, false) ||
        !fallo.isEmpty())
        return std::nullopt;
    const sentences::Pipeline::Unit* unica = nullptr;
    for (const auto& u : unidades) {
        if (u.start < 0) continue;
        if (unica) return std::nullopt;
        unica = &u;
    }
    if (!unica || unica->start != 0 || unica->length != palabra.size() || unica->chosen.isEmpty())
        return std::nullopt;
    return Lectura{unica->chosen, unica->readings};
}

void SoloDireccion(int direccion) {
    Cargada& c = Cache();
    std::unique_lock<std::mutex> lock(c.m, std::try_to_lock);
    if (!lock.owns_lock() || c.direccion == direccion || c.direccion < 0) return;
    c.direccion = -1;
    c.carpeta.clear();
    c.error.clear();
    if (c.pipeline) {
        c.pipeline.reset();
        process::GiveBackFreedMemory();
    }
}

void Olvidar() {
    Cargada& c = Cache();
    const std::lock_guard<std::mutex> lock(c.m);
    c.pipeline.reset();
    c.direccion = -1;
    c.carpeta.clear();
    c.error.clear();
}

} // namespace oraciones
