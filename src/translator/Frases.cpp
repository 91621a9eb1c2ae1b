#include "translator/Frases.h"

#include "dictionary_data/Formas.h"
#include "platform/Paths.h"

#include <QDir>
#include <QMetaObject>
#include <QPointer>
#include <QThreadPool>

namespace frases {

namespace {

struct Cargada {
    std::mutex m;
    int direccion = -1;
    std::unique_ptr<sentences::Pipeline> pipeline;
    QString error;
};

Cargada& Cache() {
    static Cargada c;
    return c;
}

// With the cache's lock held.
void Cargar(Cargada& c, int direccion) {
    if (c.direccion == direccion) return;
    c.pipeline.reset();
    c.error.clear();
    c.direccion = direccion;
    const QString par = formas::NombrePar(direccion);
    if (par.isEmpty()) {
        c.error = QStringLiteral("Dirección de traducción desconocida.");
        return;
    }
    c.pipeline = sentences::Pipeline::Load(QDir(paths::AppPath()).filePath(QStringLiteral("Morfologia")), par,
                                           &c.error);
}

} // namespace

Resultado Traducir(int direccion, const QString& texto, const sentences::Pipeline::Progress& progreso) {
    Cargada& c = Cache();
    const std::lock_guard<std::mutex> lock(c.m);
    Resultado r;
    Cargar(c, direccion);
    if (!c.pipeline) {
        r.error = c.error;
        return r;
    }
    const auto hecha = c.pipeline->Translate(texto, progreso);
    r.texto = hecha.text;
    r.completa = hecha.complete;
    r.error = hecha.error;
    return r;
}

void Olvidar() {
    Cargada& c = Cache();
    const std::lock_guard<std::mutex> lock(c.m);
    c.pipeline.reset();
    c.direccion = -1;
    c.error.clear();
}

Traductor::Traductor()
    : hilo_(std::make_unique<QThreadPool>()), turno_(std::make_shared<std::atomic<int>>(0)) {
    hilo_->setMaxThreadCount(1);
    // The thread stays while the window lives, so a second request does not start it again.
    hilo_->setExpiryTimeout(-1);
    qRegisterMetaType<frases::Resultado>("frases::Resultado");
}

Traductor::~Traductor() {
    Cancelar();
    hilo_->waitForDone();
}

void Traductor::Cancelar() {
    ++*turno_;
    ocupado_ = false;
}

void Traductor::Precargar(int direccion) {
    hilo_->start([direccion] {
        Cargada& c = Cache();
        const std::lock_guard<std::mutex> lock(c.m);
        Cargar(c, direccion);
    });
}

void Traductor::Pedir(int direccion, const QString& texto) {
    const int mio = ++*turno_;
    ocupado_ = true;
    auto turno = turno_;
    QPointer<Traductor> yo(this);
    hilo_->start([=] {
        if (turno->load() != mio) return;
        int ultimo = -1;
        const Resultado r = Traducir(direccion, texto, [&](qsizetype hecho, qsizetype total) {
            if (turno->load() != mio) return false;
            const int p = total > 0 ? static_cast<int>(hecho * 100 / total) : 100;
            if (p != ultimo) {
                ultimo = p;
                QMetaObject::invokeMethod(
                    yo,
                    [yo, turno, mio, p] {
                        if (yo && turno->load() == mio) emit yo->Progreso(p);
                    },
                    Qt::QueuedConnection);
            }
            return true;
        });
        QMetaObject::invokeMethod(
            yo,
            [yo, turno, mio, r] {
                if (!yo || turno->load() != mio) return;
                yo->ocupado_ = false;
                emit yo->Terminada(r);
            },
            Qt::QueuedConnection);
    });
}

} // namespace frases
