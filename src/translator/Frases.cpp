#include "translator/Frases.h"

#include "dictionary_data/Oraciones.h"

#include <QMetaObject>
#include <QPointer>
#include <QThreadPool>

namespace frases {

Resultado Traducir(int direccion, const QString& texto, const sentences::Pipeline::Progress& progreso) {
    Resultado r;
    oraciones::Con(
        direccion,
        [&](sentences::Pipeline& p) {
            const auto hecha = p.Translate(texto, progreso);
            r.texto = hecha.text;
            r.completa = hecha.complete;
            r.error = hecha.error;
        },
        &r.error);
    return r;
}

void Olvidar() {
    oraciones::Olvidar();
}

QList<Tramo> Origen(int direccion, const QString& origen, const QString& traduccion, qsizetype posicion) {
    const QStringList lineasOrigen = origen.split(QLatin1Char('\n'));
    const QStringList lineasSalida = traduccion.split(QLatin1Char('\n'));
    if (lineasOrigen.size() != lineasSalida.size() || posicion < 0 || posicion >= traduccion.size())
        return {};
    // The line of the word, and where each line starts in both texts.
    qsizetype inicioSalida = 0, inicioOrigen = 0;
    int linea = 0;
    while (linea < lineasSalida.size() && posicion > inicioSalida + lineasSalida[linea].size()) {
        inicioSalida += lineasSalida[linea].size() + 1;
        inicioOrigen += lineasOrigen[linea].size() + 1;
        ++linea;
    }
    if (linea >= lineasSalida.size() || lineasOrigen[linea].trimmed().isEmpty()) return {};
    sentences::Pipeline::Alignment a;
    oraciones::Con(direccion, [&](sentences::Pipeline& p) { a = p.Align(lineasOrigen[linea]); });
    if (!a.complete || a.text != lineasSalida[linea]) return {};
    const qsizetype enLinea = posicion - inicioSalida;
    QList<Tramo> r;
    for (const auto& l : a.links) {
        // The word under the pointer: at it, or just after its last letter.
        if (enLinea < l.outStart || enLinea > l.outStart + l.outLength) continue;
        if (enLinea == l.outStart + l.outLength && enLinea < a.text.size() &&
            a.text[enLinea].isLetterOrNumber())
            continue;
        const Tramo t{inicioOrigen + l.srcStart, l.srcLength};
        if (!r.contains(t)) r << t;
    }
    return r;
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
    hilo_->start([direccion] { oraciones::Con(direccion, {}); });
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
