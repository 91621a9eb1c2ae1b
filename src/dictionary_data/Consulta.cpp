#include "dictionary_data/Consulta.h"

#include "dictionary_data/Direcciones.h"
#include "dictionary_data/Etiquetas.h"
#include "dictionary_data/Oraciones.h"
#include "platform/TextFold.h"

namespace consulta {

namespace {

struct Fila {
    bool hay = false;
    QString tipo, genero, numero, traduccion, tipoT, generoT, numeroT;
    QVariant acepcion1, acepcion2;
    bool pronunciacion = false;
};

// The first row of the stored query for `palabra`. Every column is read before anything is
// returned, so a row that cannot be read throws rather than half-fills an entry.
Fila PrimeraFila(dao::Database& db, int direccion, const QString& palabra) {
    const Direccion& d = kDirecciones.at(static_cast<size_t>(direccion));
    auto consulta = db.QueryDefs(QString::fromUtf8(d.consulta));
    consulta->Parameters(QStringLiteral("ptroPalabra")).SetValue(palabra);
    auto filas = consulta->OpenRecordset(dao::dbOpenForwardOnly);
    Fila f;
    if (!filas->Eof()) {
        const auto texto = [&](const char* c) { return filas->Fields(QLatin1String(c)).Value().toString(); };
        f.hay = true;
        f.tipo = texto("Tipo");
        f.genero = texto("Genero");
        f.numero = texto("Numero");
        f.traduccion = texto("Traduccion");
        f.tipoT = texto("TipoT");
        f.generoT = texto("GeneroT");
        f.numeroT = texto("NumeroT");
        if (d.pronunciacion)
            f.pronunciacion = filas->Fields(QStringLiteral("Pronunciacion")).Value().toBool();
        if (d.acepciones) {
            f.acepcion1 = filas->Fields(QStringLiteral("Acepcion1")).Value();
            f.acepcion2 = filas->Fields(QStringLiteral("Acepcion2")).Value();
        }
    }
    filas->Close();
    return f;
}

// The one headword of the direction that is `palabra` without its accents and case ("arbol" ->
// "árbol"); empty when there is none or more than one ("papa": "papa" and "papá"). The index
// orders by the accent-free key, so such headwords sit together from the key on and two rows
// settle the question.
QString UnicoSinAcentos(dao::Database& db, int direccion, const QString& palabra) {
    const QString clave = textfold::SearchKey(palabra);
    if (clave.isEmpty()) return {};
    auto consulta =
        db.CreateQueryDef(QStringLiteral("SELECT Palabra FROM %1 WHERE Palabra >= :clave "
                                         "GROUP BY Palabra ORDER BY Palabra LIMIT 2")
                              .arg(QLatin1String(kDirecciones.at(static_cast<size_t>(direccion)).tabla)));
    consulta->Parameters(QStringLiteral("clave")).SetValue(clave);
    auto filas = consulta->OpenRecordset(dao::dbOpenForwardOnly);
    QStringList iguales;
    for (; !filas->Eof(); filas->MoveNext()) {
        const QString p = filas->Fields(QStringLiteral("Palabra")).Value().toString();
        if (textfold::SearchKey(p) == clave) iguales << p;
    }
    filas->Close();
    return iguales.size() == 1 ? iguales.first() : QString();
}

void Llenar(Entrada& e, const Fila& fila) {
    e.encontrada = true;
    e.tipo = fila.tipo;
    e.genero = fila.genero;
    e.numero = fila.numero;
    e.traduccion = fila.traduccion;
    e.tipoT = fila.tipoT;
    e.generoT = fila.generoT;
    e.numeroT = fila.numeroT;
    e.acepcion1 = fila.acepcion1;
    e.acepcion2 = fila.acepcion2;
    e.pronunciacion = fila.pronunciacion;
}

// What is left when neither the word nor its forms are in the dictionary: the user who types
// "arbol" means "árbol" when nothing else is spelt that way.
Entrada SinAcentos(dao::Database& db, int direccion, Entrada e) {
    const QString lema = UnicoSinAcentos(db, direccion, e.palabra);
    if (lema.isEmpty()) return e;
    const Fila fila = PrimeraFila(db, direccion, lema);
    if (!fila.hay) return e;
    Llenar(e, fila);
    e.lema = lema;
    e.sinAcentos = true;
    return e;
}

} // namespace

QString Ligadura(QChar c) {
    switch (c.unicode()) {
    case u'œ':
        return QStringLiteral("oe");
    case u'Œ':
        return QStringLiteral("Oe");
    case u'æ':
        return QStringLiteral("ae");
    case u'Æ':
        return QStringLiteral("Ae");
    default:
        return {};
    }
}

QString SinLigaduras(const QString& palabra) {
    QString r;
    r.reserve(palabra.size());
    for (QChar c : palabra) {
        const QString dos = Ligadura(c);
        if (dos.isEmpty())
            r += c;
        else
            r += dos;
    }
    return r;
}

QString TraduccionDe(dao::Database& db, int direccion, const QString& lema) {
    return PrimeraFila(db, direccion, lema).traduccion;
}

namespace {

// Parts of speech whose words have a meaning of their own, which a commoner form of another word
// may push aside: "saw" is far more often the past of "see" than the tool. Prepositions,
// conjunctions, pronouns, articles and adverbs are the dictionary's own choices ("para" stays
// "for", although the tagger reads it alone as a form of "parar").
bool DeContenido(const QString& tipo) {
    return tipo == QLatin1String("n") || tipo == QLatin1String("aj") || tipo == QLatin1String("v");
}

void LlenarDeForma(Entrada& e, const formas::Forma& forma) {
    e.tipo = forma.tipo;
    e.genero = forma.genero;
    e.numero = forma.numero;
    e.tipoT = forma.tipoT;
    e.generoT = forma.generoT;
    e.numeroT = forma.numeroT;
    e.pista = forma.pista;
}

} // namespace

Entrada Buscar(dao::Database& db, int direccion, const QString& palabra) {
    if (!DireccionValida(direccion))
        throw dao::DaoError(dao::errEngine, QStringLiteral("Dirección de diccionario no válida."));
    const QString escrita = SinLigaduras(palabra);
    if (escrita != palabra) {
        Entrada e = Buscar(db, direccion, escrita);
        e.palabra = palabra;
        return e;
    }
    Entrada e;
    e.palabra = palabra;
    const Fila fila = PrimeraFila(db, direccion, palabra);
    formas::Morfologia* m = formas::De(direccion);
    const bool hayFormas = m && m->Disponible();
    // The reading the tagger's model finds likeliest for the word on its own.
    const auto sola = hayFormas ? oraciones::LecturaSola(direccion, palabra) : std::nullopt;
    const bool deOtroLema =
        sola && etiquetas::LemasDe(sola->elegida).compare(palabra, Qt::CaseInsensitive) != 0;
    if (fila.hay && !deOtroLema) {
        Llenar(e, fila);
        e.lema = palabra;
        return e;
    }
    if (!hayFormas) return SinAcentos(db, direccion, e);
    QStringList lecturas = m->Lecturas(palabra);
    if (sola) {
        lecturas.removeAll(sola->elegida);
        lecturas.prepend(sola->elegida);
    }
    Fila deLema;
    const auto forma = m->TraducirLecturas(
        lecturas,
        [&](const QString& lema) {
            deLema = PrimeraFila(db, direccion, lema);
            return deLema.traduccion;
        },
        palabra);
    if (fila.hay) {
        // A headword that is also a form of another word. Where its row says what the form says
        // ("tiene" -> "has", the row of a common form), the row stands and the codes and hint
        // follow the reading ("presente de «tener»"); where the form is another word of content
        // ("saw" -> "vio" before "serrar"), the form comes first and the headword's own meaning
        // becomes a further one, in the tables that have them.
        Llenar(e, fila);
        e.lema = palabra;
        if (!forma) return e;
        // The row says what a reading of the chosen lemma says: the tagger alone reads "est" as
        // the "être" of "il est allé", whose row "es" is the "être" of "il est là".
        std::optional<formas::Forma> igual;
        if (forma->traduccion.compare(fila.traduccion, Qt::CaseInsensitive) == 0) igual = forma;
        for (const QString& l : sola->lecturas) {
            if (igual) break;
            if (l == sola->elegida || etiquetas::LemasDe(l) != etiquetas::LemasDe(sola->elegida)) continue;
            const auto otra = m->TraducirLecturas({l}, {}, palabra);
            if (otra && otra->traduccion.compare(fila.traduccion, Qt::CaseInsensitive) == 0) igual = otra;
        }
        if (igual) {
            LlenarDeForma(e, *igual);
            if (!igual->lema.isEmpty()) e.lema = igual->lema;
            return e;
        }
        if (forma->lema.isEmpty() || !DeContenido(fila.tipo) || !forma->generada) return e;
        e.encontrada = true;
        e.lema = forma->lema;
        e.traduccion = forma->traduccion;
        LlenarDeForma(e, *forma);
        if (kDirecciones[static_cast<size_t>(direccion)].acepciones) {
            e.acepcion1 = fila.traduccion;
            e.acepcion2 = fila.acepcion1.isNull() ? QVariant(QString()) : fila.acepcion1;
        }
        return e;
    }
    if (!forma) return SinAcentos(db, direccion, e);
    e.encontrada = true;
    e.lema = forma->lema.isEmpty() ? palabra : forma->lema;
    e.traduccion = forma->traduccion;
    LlenarDeForma(e, *forma);
    // The window speaks a form that has no recording, so it offers the pronunciation of every one.
    e.pronunciacion = kDirecciones[static_cast<size_t>(direccion)].pronunciacion;
    if (forma->partes == 1 && !forma->lema.isEmpty()) {
        // The callback ran for the lemma of the last single-word reading tried, which need not be
        // the one that won.
        if (!deLema.hay || deLema.traduccion.isEmpty() ||
            forma->lemaTraduccion.compare(deLema.traduccion, Qt::CaseInsensitive) != 0)
            deLema = PrimeraFila(db, direccion, forma->lema);
        if (deLema.hay) {
            e.acepcion1 = deLema.acepcion1;
            e.acepcion2 = deLema.acepcion2;
        }
    }
    return e;
}

} // namespace consulta
