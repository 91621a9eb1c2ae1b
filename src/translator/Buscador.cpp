#include "translator/Buscador.h"

#include "dictionary_data/Consulta.h"
#include "dictionary_data/Direcciones.h"
#include "dictionary_data/Etiquetas.h"
#include "dictionary_data/Formas.h"
#include "dictionary_data/Oraciones.h"

namespace traduccion {

Buscador::Buscador(dao::Database& db, int direccion) : db_(db), direccion_(direccion) {
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
    QString valor = palabra;
    valor.replace(QLatin1Char('\''), QStringLiteral("''"));
    rs_->FindFirst(QStringLiteral("Palabra = '") + valor + QLatin1Char('\''));
    if (rs_->NoMatch()) return {};
    const QString t = rs_->Fields(QStringLiteral("Traduccion")).Value().toString();
    // A stored empty translation still counts as found: the word is the dictionary's.
    return t.isNull() ? QString(QLatin1String("")) : t;
}

QString Buscador::BuscarTraduccion(const QString& palabra) {
    const auto vista = vistas_.constFind(palabra);
    if (vista != vistas_.constEnd()) return *vista;
    // Looked up as the dictionaries spell it: "cœur" is "coeur".
    const QString escrita = consulta::SinLigaduras(palabra);
    QString t = Buscar(escrita);
    if (t.isNull()) {
        formas::Morfologia* m = formas::De(direccion_);
        if (m && m->Disponible()) {
            const auto forma = m->Traducir(escrita, [this](const QString& lema) { return Buscar(lema); });
            if (forma) t = forma->traduccion;
        }
    }
    QString r = t.isNull() ? QLatin1Char('<') + palabra + QLatin1Char('>') : ConservarMayusculas(palabra, t);
    vistas_.insert(palabra, r);
    return r;
}

QString Buscador::BuscarDeTipo(const QString& palabra, const QString& tipo) {
    const QString primera = Buscar(palabra);
    if (primera.isNull() || tipo.isEmpty()) return primera;
    // The rows of a headword are stored together, its first row first.
    for (int i = 0; i < 32 && !rs_->Eof(); ++i) {
        if (rs_->Fields(QStringLiteral("Palabra")).Value().toString().compare(palabra, Qt::CaseInsensitive) !=
            0)
            break;
        if (rs_->Fields(QStringLiteral("Tipo")).Value().toString() == tipo) {
            const QString t = rs_->Fields(QStringLiteral("Traduccion")).Value().toString();
            return t.isNull() ? QString(QLatin1String("")) : t;
        }
        rs_->MoveNext();
    }
    return primera;
}

bool Buscador::EsCompuesta(const QString& palabras) {
    if (!compuestas_) {
        compuestas_.emplace();
        const QString tabla = QString::fromUtf8(kDirecciones[static_cast<size_t>(direccion_)].tabla);
        auto consulta = db_.CreateQueryDef(
            QStringLiteral("SELECT DISTINCT Palabra FROM %1 WHERE Palabra LIKE '% %' OR Palabra LIKE '%-%'")
                .arg(tabla));
        auto filas = consulta->OpenRecordset(dao::dbOpenForwardOnly);
        for (; !filas->Eof(); filas->MoveNext())
            compuestas_->insert(filas->Fields(QStringLiteral("Palabra")).Value().toString().toLower());
        filas->Close();
    }
    return compuestas_->contains(palabras.toLower());
}

namespace {

// What the analyser is given: the text with the characters it would misread replaced. A control
// character (tab, NUL and the rest) becomes a space, so that it parts two words (lttoolbox takes
// some of them into a word and stops reading at NUL); "œ" and "æ" are written "oe" and "ae", as the
// dictionaries spell them ("cœur" is "coeur"); a typographic apostrophe becomes the plain one the
// dictionaries use ("l’eau"). `origen` gives, for each character of `texto` and one past its end,
// where it comes from in the text.
struct Preparado {
    QString texto;
    QList<qsizetype> origen;
};

Preparado Preparar(const QString& texto) {
    Preparado p;
    p.texto.reserve(texto.size());
    p.origen.reserve(texto.size() + 1);
    const auto poner = [&p](QStringView s, qsizetype de) {
        for (QChar c : s) {
            p.texto += c;
            p.origen << de;
        }
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        const char16_t u = c.unicode();
        const QString ligadura = consulta::Ligadura(c);
        if (u != u'\n' && c.category() == QChar::Other_Control)
            poner(u" ", i);
        else if (!ligadura.isEmpty())
            poner(ligadura, i);
        else if (u == u'\u2019' && i > 0 && i + 1 < texto.size() && texto[i - 1].isLetter() &&
                 texto[i + 1].isLetter())
            poner(u"'", i);
        else
            poner(QStringView(&c, 1), i);
    }
    p.origen << texto.size();
    return p;
}

bool TieneLetra(QStringView s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isLetter(); });
}

// Words written wholly in capitals are not names to keep: a heading in capitals is translated.
bool EnMayusculas(QStringView s) {
    qsizetype letras = 0;
    for (QChar c : s) {
        if (!c.isLetter()) continue;
        if (!c.isUpper()) return false;
        ++letras;
    }
    return letras > 1;
}

// Spanish and Portuguese spell the past of "ir" and "ser" alike ("fuimos", "foi"), and the
// tagger's model takes "ser" nearly always; followed by "a" ("al", "ao", "à") it is "ir":
// "fuimos al mercado" is "went to the market".
QString Elegida(const sentences::Pipeline::Unit& u, const sentences::Pipeline::Unit* siguiente) {
    static const QString ser = QStringLiteral("ser<vbser>");
    if (!siguiente || !u.chosen.startsWith(ser) || !siguiente->chosen.startsWith(QLatin1String("a<pr>")))
        return u.chosen;
    const QString ir = QStringLiteral("ir<vblex>") + u.chosen.mid(ser.size());
    return u.readings.contains(ir) ? ir : u.chosen;
}

} // namespace

struct Buscador::Unidad {
    QString superficie; // as the analyser read it (after Preparar)
    QStringList lecturas;
    QString elegida;
};

QString Buscador::TraducirUnidad(const Unidad& u, const QString& escrita, bool inicioDeFrase) {
    const QString clave = u.superficie + QChar(0x1F) + u.elegida + QChar(inicioDeFrase ? u'1' : u'0');
    const auto vista = unidades_.constFind(clave);
    if (vista != unidades_.constEnd()) return *vista;
    QString t;
    formas::Morfologia* m = formas::De(direccion_);
    const bool hayFormas = m && m->Disponible();
    const QStringList partes = u.elegida.split(QLatin1Char('+'));
    const etiquetas::Analisis a = etiquetas::LeerAnalisis(partes.first());
    const bool mayuscula = !escrita.isEmpty() && escrita.at(0).isUpper() && !EnMayusculas(escrita);
    bool hecha = false;
    if (!u.elegida.isEmpty() && mayuscula && partes.size() == 1) {
        // The tagger's proper noun is one wherever it stands. Inside a sentence, where nothing else
        // capitalises a word, so is any word the analyser can read as a proper noun ("Valencia",
        // not "valency") and a word known only in lower case as no noun ("Claire", not "clear").
        const auto nombre = std::find_if(u.lecturas.begin(), u.lecturas.end(), [](const QString& l) {
            return !l.contains(QLatin1Char('+')) &&
                   etiquetas::EsNombrePropio(etiquetas::LeerAnalisis(l).etiquetas);
        });
        const bool propio =
            etiquetas::EsNombrePropio(a.etiquetas) || (!inicioDeFrase && nombre != u.lecturas.end());
        const QString comoNombre =
            etiquetas::EsNombrePropio(a.etiquetas) || nombre == u.lecturas.end() ? u.elegida : *nombre;
        const bool soloMinuscula =
            !inicioDeFrase &&
            std::none_of(u.lecturas.begin(), u.lecturas.end(),
                         [](const QString& l) { return !l.isEmpty() && l.at(0).isUpper(); }) &&
            etiquetas::CodigoTipo(a.etiquetas) != QLatin1String("n");
        if (propio || soloMinuscula) {
            hecha = true;
            t = escrita;
            // A name the dictionary spells otherwise in the other language: "Londres" -> "London".
            if (propio && hayFormas) {
                const auto f = m->TraducirLecturas({comoNombre});
                if (f && f->generada && !f->traduccion.isEmpty()) t = f->traduccion;
            }
        }
    }
    if (!hecha && !u.elegida.isEmpty()) {
        const bool suLema = std::any_of(u.lecturas.begin(), u.lecturas.end(), [&](const QString& l) {
            return etiquetas::LemasDe(l).compare(u.superficie, Qt::CaseInsensitive) == 0;
        });
        const auto preferida = [this](const QString& lema) { return Buscar(lema); };
        if (partes.size() == 1 && a.lema.compare(u.superficie, Qt::CaseInsensitive) == 0) {
            t = BuscarDeTipo(u.superficie, etiquetas::CodigoTipo(a.etiquetas));
        } else if (!suLema && hayFormas) {
            // A form that is a headword of its own (the commonest forms of the commonest verbs,
            // contractions) keeps the row the dictionary gives it, when that row is a translation
            // of the lemma the tagger chose: "sont" stays "son", but "sé" is "know" in "No lo sé",
            // not the imperative of "ser" its row translates.
            const QString fila = Buscar(u.superficie);
            const QString lema = etiquetas::LemasDe(u.elegida);
            for (const QString& l : u.lecturas) {
                if (fila.isEmpty() || etiquetas::LemasDe(l) != lema) continue;
                const auto f = m->TraducirLecturas({l}, preferida);
                if (f && f->traduccion.compare(fila, Qt::CaseInsensitive) == 0) {
                    t = fila;
                    break;
                }
            }
        }
        if (t.isNull() && hayFormas) {
            // The tagger's choice, then the analyser's other readings in the transducers' order
            // (the unit has them already: the word is not analysed again).
            QStringList lecturas = u.lecturas;
            lecturas.removeAll(u.elegida);
            std::stable_sort(lecturas.begin(), lecturas.end(), [](const QString& x, const QString& y) {
                return formas::Rango(x) < formas::Rango(y);
            });
            lecturas.prepend(u.elegida);
            if (const auto f = m->TraducirLecturas(lecturas, preferida, u.superficie)) t = f->traduccion;
        }
    }
    // A word the analyser does not know may still be a headword.
    if (t.isNull()) t = Buscar(u.superficie);
    QString r = t.isNull() ? QLatin1Char('<') + escrita + QLatin1Char('>')
                : hecha    ? t
                           : ConservarMayusculas(escrita, t);
    unidades_.insert(clave, r);
    return r;
}

QList<Buscador::Segmento> Buscador::Segmentar(const QString& texto) {
    QList<Segmento> r;
    const Preparado p = Preparar(texto);
    const auto unidades = oraciones::Etiquetar(direccion_, p.texto);
    if (!unidades) {
        // Without the pipeline, the text is cut by the characters alone.
        qsizetype pos = 0;
        Traducir(texto, [&](const QString& palabra) {
            const qsizetype k = texto.indexOf(palabra, pos);
            if (k > pos) r.append({pos, k - pos, false, texto.mid(pos, k - pos)});
            Segmento s{k, palabra.size(), true, BuscarTraduccion(palabra)};
            r.append(s);
            pos = k + palabra.size();
            return s.traduccion;
        });
        if (pos < texto.size()) r.append({pos, texto.size() - pos, false, texto.mid(pos)});
        return r;
    }
    const QList<sentences::Pipeline::Unit>& us = *unidades;
    qsizetype pos = 0; // in the text
    bool inicioDeFrase = true;
    bool palabraAntes = false; // the last segment is a word
    const auto separar = [&](qsizetype hasta) {
        if (hasta <= pos) return;
        const QString entre = texto.mid(pos, hasta - pos);
        if (entre.contains(QLatin1Char('\n'))) inicioDeFrase = true;
        r.append({pos, hasta - pos, false, entre});
        pos = hasta;
        palabraAntes = false;
    };
    for (qsizetype i = 0; i < us.size();) {
        const sentences::Pipeline::Unit& u = us[i];
        if (u.start < 0 || u.start + u.length > p.texto.size() || p.origen[u.start] < pos) {
            ++i;
            continue;
        }
        const qsizetype inicio = p.origen[u.start], fin = p.origen[u.start + u.length];
        separar(inicio);
        if (!TieneLetra(QStringView(p.texto).mid(u.start, u.length))) {
            // Punctuation, digits and symbols stay as they are; a sentence ends at its mark.
            separar(fin);
            if (u.chosen.contains(QLatin1String("<sent>"))) inicioDeFrase = true;
            ++i;
            continue;
        }
        // The longest headword of up to four words, joined by one space or hyphen each.
        qsizetype tomadas = 1, finTomado = fin;
        QString traduccion;
        for (qsizetype k = std::min<qsizetype>(3, us.size() - 1 - i); k >= 1 && traduccion.isNull(); --k) {
            bool unidas = true;
            for (qsizetype j = i; j < i + k && unidas; ++j) {
                const auto& a = us[j];
                const auto& b = us[j + 1];
                const qsizetype hueco = b.start - (a.start + a.length);
                unidas =
                    a.start >= 0 && b.start >= 0 && hueco == 1 && TieneLetra(b.surface) &&
                    (p.texto[b.start - 1] == QLatin1Char(' ') || p.texto[b.start - 1] == QLatin1Char('-'));
            }
            if (!unidas) continue;
            const qsizetype finK = us[i + k].start + us[i + k].length;
            const QString junto = p.texto.mid(u.start, finK - u.start);
            if (!EsCompuesta(junto)) continue;
            const QString t = Buscar(junto);
            if (t.isNull()) continue;
            finTomado = p.origen[finK];
            traduccion = ConservarMayusculas(texto.mid(inicio, finTomado - inicio), t);
            tomadas = k + 1;
        }
        if (traduccion.isNull()) {
            const sentences::Pipeline::Unit* siguiente = nullptr;
            for (qsizetype j = i + 1; j < us.size() && !siguiente; ++j)
                if (us[j].start >= 0 && TieneLetra(us[j].surface)) siguiente = &us[j];
            // English "it's": Spanish has no subject for "it", and the two are one
            // written word whose translation is the verb's ("es", "é").
            if (siguiente && siguiente->start == u.start + u.length &&
                siguiente->surface.startsWith(QLatin1Char('\'')) &&
                u.chosen.startsWith(QLatin1String("prpers<prn><subj><p3><nt>")) &&
                qstrcmp(kDirecciones[static_cast<size_t>(direccion_)].idiomaPalabra, "Inglés") == 0) {
                const qsizetype finVerbo = p.origen[siguiente->start + siguiente->length];
                traduccion = ConservarMayusculas(
                    texto.mid(inicio, fin - inicio),
                    TraducirUnidad({siguiente->surface, siguiente->readings, siguiente->chosen},
                                   texto.mid(fin, finVerbo - fin), false));
                finTomado = finVerbo;
                tomadas = 2;
            } else {
                traduccion = TraducirUnidad({u.surface, u.readings, Elegida(u, siguiente)},
                                            texto.mid(inicio, fin - inicio), inicioDeFrase);
            }
        }
        // Two words the text writes together ("l'eau", "it's") are two words in the translation,
        // unless the first already ends as the target language joins it ("l'", "d'").
        if (palabraAntes && !r.last().traduccion.isEmpty() && !traduccion.isEmpty()) {
            const QChar ultima = r.last().traduccion.back();
            if (ultima != QLatin1Char('\'') && ultima != QLatin1Char('-') && ultima != QChar(0x2019))
                traduccion.prepend(QLatin1Char(' '));
        }
        r.append({inicio, finTomado - inicio, true, traduccion});
        pos = finTomado;
        inicioDeFrase = false;
        palabraAntes = true;
        i += tomadas;
    }
    separar(texto.size());
    return r;
}

QString Buscador::TraducirTexto(const QString& texto) {
    QString salida;
    salida.reserve(texto.size() * 2);
    for (const Segmento& s : Segmentar(texto))
        salida += s.traduccion;
    return salida;
}

QString TraducirTexto(dao::Database& db, int direccion, const QString& texto) {
    Buscador b(db, direccion);
    return b.TraducirTexto(texto);
}

} // namespace traduccion
