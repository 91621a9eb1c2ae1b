#include "translator/Buscador.h"

#include "dictionary_data/Direcciones.h"
#include "dictionary_data/Formas.h"

namespace traduccion {

Buscador::Buscador(dao::Database& db, int direccion) : direccion_(direccion) {
    if (!DireccionValida(direccion))
        throw dao::DaoError(dao::errEngine, QStringLiteral("Dirección de diccionario no válida."));
    rs_ = db.OpenRecordset(QString::fromUtf8(kDirecciones[static_cast<size_t>(direccion)].tabla),
                           dao::dbOpenDynaset);
}

Buscador::~Buscador() {
    Cerrar();
}

void Buscador::Cerrar() {
    if (rs_) rs_->Close();
    rs_.reset();
}

QString Buscador::Buscar(const QString& palabra) {
    // A table with no rows has no first record to move to.
    if (rs_->Eof()) {
        try {
            rs_->MoveFirst();
        } catch (const dao::DaoError& e) {
            if (e.Number() == dao::errNoCurrentRecord) return {};
            throw;
        }
    } else {
        rs_->MoveFirst();
    }
    rs_->FindFirst(QStringLiteral("Palabra = '") + palabra + QLatin1Char('\''));
    if (rs_->NoMatch()) return {};
    const QString t = rs_->Fields(QStringLiteral("Traduccion")).Value().toString();
    // A stored empty translation still counts as found: the word is the dictionary's.
    return t.isNull() ? QString(QLatin1String("")) : t;
}

QString Buscador::BuscarTraduccion(const QString& palabra) {
    const auto vista = vistas_.constFind(palabra);
    if (vista != vistas_.constEnd()) return *vista;
    QString t = Buscar(palabra);
    if (t.isNull()) {
        formas::Morfologia* m = formas::De(direccion_);
        if (m && m->Disponible()) {
            const auto forma = m->Traducir(palabra, [this](const QString& lema) { return Buscar(lema); });
            if (forma) t = forma->traduccion;
        }
    }
    QString r = t.isNull() ? QLatin1Char('<') + palabra + QLatin1Char('>') : ConservarMayusculas(palabra, t);
    vistas_.insert(palabra, r);
    return r;
}

QString TraducirTexto(dao::Database& db, int direccion, const QString& texto) {
    Buscador b(db, direccion);
    return Traducir(texto, [&b](const QString& p) { return b.BuscarTraduccion(p); });
}

} // namespace traduccion
