#include "dictionary_data/Formas.h"

#include "dictionary_data/Direcciones.h"
#include "dictionary_data/Etiquetas.h"
#include "platform/Notices.h"
#include "platform/Paths.h"
#include "platform/Transducer.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <algorithm>
#include <array>
#include <mutex>

namespace formas {

namespace {

// The reader hears of a direction without forms once a run, however often it is loaded again or
// looked into; on the thread that shows notices, as the load may run on another.
void AvisarDanado(int direccion, const QString& archivo) {
    static std::mutex m;
    static std::array<bool, 6> avisado{};
    {
        const std::lock_guard<std::mutex> bloqueo(m);
        if (!DireccionValida(direccion) || avisado[static_cast<size_t>(direccion)]) return;
        avisado[static_cast<size_t>(direccion)] = true;
    }
    const QString texto =
        QStringLiteral("Falta o está dañado el archivo «%1»: el diccionario %2 solo encuentra "
                       "las palabras tal como figuran en él, sin sus formas; vuelva a instalar "
                       "los datos del programa.")
            .arg(archivo, NombreDireccion(direccion));
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread())
        QMetaObject::invokeMethod(
            app, [texto] { notices::Notify(texto); }, Qt::QueuedConnection);
    else
        notices::Notify(texto);
}

constexpr std::array<const char*, 6> kPares{"spa-eng", "eng-spa", "es-pt", "pt-es", "es-fr", "fr-es"};

const QStringList& Generos() {
    static const QStringList g{QStringLiteral("m"), QStringLiteral("f"), QStringLiteral("mf"),
                               QStringLiteral("nt"), QStringLiteral("GD")};
    return g;
}
const QStringList& Numeros() {
    static const QStringList n{QStringLiteral("sg"), QStringLiteral("pl"), QStringLiteral("sp"),
                               QStringLiteral("ND")};
    return n;
}

bool EsVerbo(const QStringList& etiquetas) {
    return !etiquetas.isEmpty() &&
           (etiquetas.first().startsWith(QLatin1String("vb")) || etiquetas.first() == QLatin1String("vaux"));
}

// The parts of a reading that analyses as several words: "de<pr>+el<det><def><m><sg>".
QStringList Partes(const QString& lectura) {
    QStringList partes{QString()};
    for (qsizetype i = 0; i < lectura.size(); ++i) {
        const QChar c = lectura[i];
        if (c == QLatin1Char('\\') && i + 1 < lectura.size()) {
            partes.last() += c;
            partes.last() += lectura[++i];
        } else if (c == QLatin1Char('+')) {
            partes << QString();
        } else {
            partes.last() += c;
        }
    }
    partes.removeAll(QString());
    return partes;
}

QString Escribir(const QString& lema, const QStringList& etiquetas, const QString& cola = {}) {
    QString s = lema;
    for (const QString& e : etiquetas)
        s += QLatin1Char('<') + e + QLatin1Char('>');
    return s + cola;
}

// A lemma of several words keeps all but the first after the tags, where the generator looks for
// them: "get# married<vblex><past>" is generated from "get<vblex><past># married".
struct Objetivo {
    QString lema, cola;
    QStringList etiquetas;
};

Objetivo LeerObjetivo(const QString& lectura) {
    Objetivo o;
    const qsizetype abre = lectura.indexOf(QLatin1Char('<'));
    QString cabeza = abre < 0 ? lectura : lectura.left(abre);
    const qsizetype almohadilla = cabeza.indexOf(QLatin1Char('#'));
    if (almohadilla >= 0) {
        o.cola = cabeza.mid(almohadilla);
        cabeza = cabeza.left(almohadilla);
    }
    o.lema = cabeza;
    // Tags, then perhaps a queue written after them already.
    qsizetype i = abre < 0 ? lectura.size() : abre;
    while (i < lectura.size() && lectura[i] == QLatin1Char('<')) {
        const qsizetype cierra = lectura.indexOf(QLatin1Char('>'), i);
        if (cierra < 0) break;
        o.etiquetas << lectura.mid(i + 1, cierra - i - 1);
        i = cierra + 1;
    }
    if (i < lectura.size() && o.cola.isEmpty()) o.cola = lectura.mid(i);
    return o;
}

// The agreement tags a bilingual entry leaves open (<GD>, <ND>) take the source word's values,
// as Apertium's transfer would from context; with nothing to copy, masculine singular.
QStringList Concordar(QStringList destino, const QStringList& origen) {
    QString genero = QStringLiteral("m"), numero = QStringLiteral("sg");
    for (const QString& e : origen) {
        if (e == QLatin1String("m") || e == QLatin1String("f")) genero = e;
        if (e == QLatin1String("sg") || e == QLatin1String("pl")) numero = e;
    }
    for (QString& e : destino) {
        if (e == QLatin1String("GD"))
            e = genero;
        else if (e == QLatin1String("ND"))
            e = numero;
    }
    return destino;
}

// Tense and person tags that one language has and its neighbour's generator does not know. Out of
// context a form is read as third person singular, the commonest in running text.
QStringList Adaptar(QStringList t, const QString& idiomaDestino) {
    // Clitic and object pronouns are one case in English: "dámelo" gives "give me it".
    if (!t.isEmpty() && t.first() == QLatin1String("prn") && idiomaDestino == QLatin1String("eng")) {
        for (QString& e : t)
            if (e == QLatin1String("enc") || e == QLatin1String("pro")) e = QStringLiteral("obj");
        return t;
    }
    if (!EsVerbo(t)) return t;
    const bool persona =
        t.contains(QLatin1String("p1")) || t.contains(QLatin1String("p2")) || t.contains(QLatin1String("p3"));
    auto cambiar = [&t](const char* de, const char* a) {
        const qsizetype i = t.indexOf(QLatin1String(de));
        if (i >= 0) t[i] = QLatin1String(a);
        return i >= 0;
    };
    const auto quitarPersona = [&t] {
        for (const char* e : {"p1", "p2", "p3", "sg", "pl"})
            t.removeAll(QLatin1String(e));
    };
    if (idiomaDestino == QLatin1String("eng")) {
        cambiar("ifi", "past") || cambiar("pii", "past") || cambiar("pis", "past");
        cambiar("prs", "pres");
        // The imperative is the bare verb: "dame" is "give".
        if (cambiar("imp", "inf")) quitarPersona();
        // English inflects for person only in the third person singular present, and "be" in
        // "am" and "was" too: every other person is the bare present ("are") or past ("were").
        const bool ser = t.first() == QLatin1String("vbser");
        const bool singular = t.contains(QLatin1String("sg"));
        const bool propia =
            singular && (t.contains(QLatin1String("p3")) || (ser && t.contains(QLatin1String("p1"))));
        if (t.contains(QLatin1String("past")) && !(ser && propia)) quitarPersona();
        if (t.contains(QLatin1String("pri")) && !propia) {
            cambiar("pri", "pres");
            quitarPersona();
        }
    } else {
        // English gives no person, and no number where the form has none of its own: the bare
        // present ("have", "are") and "were" are what plural subjects take; other past forms
        // ("went") serve every person alike, and the third singular is the commonest.
        const bool presente = cambiar("pres", "pri");
        const bool pasado = !presente && cambiar("past", "ifi");
        if ((presente || pasado) && !persona) {
            qsizetype numero = t.indexOf(QLatin1String("pl"));
            if (numero < 0) numero = t.indexOf(QLatin1String("sg"));
            if (numero >= 0) {
                t.insert(numero, QStringLiteral("p3"));
            } else {
                const bool plural = presente || t.first() == QLatin1String("vbser");
                t << QStringLiteral("p3") << (plural ? QStringLiteral("pl") : QStringLiteral("sg"));
            }
        }
    }
    return t;
}

QStringList Sin(QStringList t, const QStringList& fuera) {
    t.erase(std::remove_if(t.begin(), t.end(), [&](const QString& e) { return fuera.contains(e); }), t.end());
    return t;
}

QStringList Invariable(QStringList t) {
    for (QString& e : t)
        if (e == QLatin1String("sg") || e == QLatin1String("pl") || e == QLatin1String("ND"))
            e = QStringLiteral("sp");
    return t;
}

QString Codigo(const QString& tipo, const QString& codigo) {
    // Gender and number mean something to the reader only for nouns, articles and pronouns.
    return (tipo == QLatin1String("n") || tipo == QLatin1String("ar") || tipo == QLatin1String("pro"))
               ? codigo
               : QString();
}

QString Tiempo(const QStringList& t) {
    static const std::array<std::pair<const char*, const char*>, 15> tiempos{{
        {"inf", "infinitivo"},
        {"ger", "gerundio"},
        {"pp", "participio"},
        {"pri", "presente"},
        {"pres", "presente"},
        {"prs", "presente de subjuntivo"},
        {"ifi", "pretérito"},
        {"past", "pasado"},
        {"pii", "pretérito imperfecto"},
        {"pis", "imperfecto de subjuntivo"},
        {"fti", "futuro"},
        {"fts", "futuro de subjuntivo"},
        {"cni", "condicional"},
        {"imp", "imperativo"},
        {"pmp", "pluscuamperfecto"},
    }};
    for (const auto& [etiqueta, nombre] : tiempos)
        if (t.contains(QLatin1String(etiqueta))) return QString::fromUtf8(nombre);
    return {};
}

} // namespace

QString NombrePar(int direccion) {
    return DireccionValida(direccion) ? QString::fromLatin1(kPares[static_cast<size_t>(direccion)])
                                      : QString();
}

bool LemaInterno(const QString& lema) {
    return lema.isEmpty() || lema == QLatin1String("prpers") || lema.contains(QLatin1Char('_')) ||
           lema.contains(QLatin1Char('<')) || lema.contains(QLatin1Char('>')) ||
           lema.contains(QLatin1Char('@')) || lema.contains(QLatin1Char('#'));
}

int Rango(const QString& lectura) {
    const QStringList partes = Partes(lectura);
    if (partes.isEmpty()) return 99;
    const etiquetas::Analisis a = etiquetas::LeerAnalisis(partes.first());
    if (a.etiquetas.isEmpty()) return 98;
    const QString& pos = a.etiquetas.first();
    const QStringList& t = a.etiquetas;
    // Function words first: a reader meets "la" as the article far more than as the pronoun.
    if (pos == QLatin1String("det"))
        return t.contains(QLatin1String("def")) || t.contains(QLatin1String("ind")) ? 0 : 1;
    if (pos == QLatin1String("prn"))
        return t.contains(QLatin1String("tn")) || t.contains(QLatin1String("subj")) ? 2 : 3;
    static const QStringList orden{
        QStringLiteral("pr"),      QStringLiteral("cnjsub"), QStringLiteral("cnjcoo"),
        QStringLiteral("cnjadv"),  QStringLiteral("rel"),    QStringLiteral("vbser"),
        QStringLiteral("vbhaver"), QStringLiteral("vaux"),   QStringLiteral("vbmod"),
        QStringLiteral("n"),       QStringLiteral("vblex"),  QStringLiteral("adj"),
        QStringLiteral("adv"),     QStringLiteral("preadv"), QStringLiteral("ij"),
        QStringLiteral("num"),     QStringLiteral("np"),
    };
    const qsizetype i = orden.indexOf(pos);
    if (i < 0) return 90;
    // A subjunctive or imperative reading is rarely the one meant when the same spelling is also
    // a noun or an adjective ("mejores", "cosas").
    if (pos == QLatin1String("vblex") &&
        (t.contains(QLatin1String("prs")) || t.contains(QLatin1String("pis")) ||
         t.contains(QLatin1String("imp"))))
        return 4 + static_cast<int>(orden.indexOf(QLatin1String("adv")));
    return 4 + static_cast<int>(i);
}

QString Pista(const QString& lema, const QStringList& t, const QString& generoLema,
              const QStringList& partes) {
    const QString comillado = QStringLiteral("«%1»").arg(lema);
    if (partes.size() > 1) {
        QStringList limpias;
        for (const QString& p : partes)
            if (!LemaInterno(p)) limpias << QStringLiteral("«%1»").arg(p);
        if (limpias.size() == partes.size() && limpias.size() == 2)
            return QStringLiteral("contracción de %1 y %2").arg(limpias[0], limpias[1]);
        return limpias.isEmpty() ? QString() : QStringLiteral("%1 con pronombres").arg(limpias.first());
    }
    if (lema == QLatin1String("prpers")) return QStringLiteral("pronombre personal");
    if (LemaInterno(lema)) return {};
    if (EsVerbo(t)) {
        const QString tiempo = Tiempo(t);
        return tiempo.isEmpty() ? QStringLiteral("forma de %1").arg(comillado)
                                : QStringLiteral("%1 de %2").arg(tiempo, comillado);
    }
    QStringList rasgos;
    const QString genero = etiquetas::CodigoGenero(t);
    if (genero == QLatin1String("f") && generoLema != QLatin1String("f"))
        rasgos << QStringLiteral("femenino");
    if (genero == QLatin1String("m") && generoLema == QLatin1String("f"))
        rasgos << QStringLiteral("masculino");
    if (t.contains(QLatin1String("pl"))) rasgos << QStringLiteral("plural");
    if (t.contains(QLatin1String("comp"))) rasgos << QStringLiteral("comparativo");
    if (t.contains(QLatin1String("sup"))) rasgos << QStringLiteral("superlativo");
    if (rasgos.isEmpty()) return QStringLiteral("forma de %1").arg(comillado);
    return QStringLiteral("%1 de %2").arg(rasgos.join(QLatin1Char(' ')), comillado);
}

Morfologia::Morfologia(const QString& carpeta, int direccion, Origen origen)
    : carpeta_(carpeta), direccion_(direccion), origen_(origen) {}
Morfologia::~Morfologia() {
    if (carga_.valid()) carga_.wait();
}

void Morfologia::Cargar() {
    intentado_ = true;
    const QString par = NombrePar(direccion_);
    if (par.isEmpty()) return;
    if (origen_ == Origen::Sistema) {
        const QDir dir(carpeta_);
        auto cargar = [&](const char* tipo, lt::Mode modo) {
            return lt::Transducer::Load(
                dir.filePath(QStringLiteral("%1.%2.bin").arg(par, QLatin1String(tipo))), modo);
        };
        analizador_ = cargar("automorf", lt::Mode::Analysis);
        bilingue_ = cargar("autobil", lt::Mode::Bilingual);
        generador_ = cargar("autogen", lt::Mode::Generation);
        postgenerador_ = cargar("autopgen", lt::Mode::Postgeneration);
        return;
    }
    // lttoolbox trusts the transducers it reads: a truncated or altered one ends the program. Only
    // the files the build recorded in the direction's description, as it recorded them, are read.
    const auto registros = lt::ReadRecords(carpeta_, par);
    if (!registros) {
        danado_ = par + QStringLiteral(".frases");
        return;
    }
    auto cargar = [&](const char* tipo, lt::Mode modo) -> std::unique_ptr<lt::Transducer> {
        const QString nombre = QStringLiteral("%1.%2.bin").arg(par, QLatin1String(tipo));
        // Only a few languages join words after generation; a pair whose description names no
        // post-generator joins nothing.
        if (modo == lt::Mode::Postgeneration && !registros->contains(nombre)) return nullptr;
        auto t = lt::Transducer::LoadVerified(carpeta_, nombre, *registros, modo);
        if (!t && danado_.isEmpty()) danado_ = nombre;
        return t;
    };
    analizador_ = cargar("automorf", lt::Mode::Analysis);
    bilingue_ = cargar("autobil", lt::Mode::Bilingual);
    generador_ = cargar("autogen", lt::Mode::Generation);
    postgenerador_ = cargar("autopgen", lt::Mode::Postgeneration);
    // Forms made with some of the files and not others would be wrong, not just missing.
    if (!danado_.isEmpty()) {
        analizador_.reset();
        bilingue_.reset();
        generador_.reset();
        postgenerador_.reset();
    }
}

void Morfologia::Precargar() {
    if (carga_.valid() || intentado_) return;
    carga_ = std::async(std::launch::async, [this] { Cargar(); });
}

bool Morfologia::Disponible() {
    if (carga_.valid()) carga_.get();
    if (!intentado_) Cargar();
    if (!danado_.isEmpty()) AvisarDanado(direccion_, danado_);
    return analizador_ && bilingue_ && generador_;
}

QStringList Morfologia::Lecturas(const QString& palabra) {
    if (!Disponible()) return {};
    QStringList lecturas = analizador_->Analyse(palabra);
    // An elided article or pronoun reaches us without its apostrophe, which separates words:
    // "l'eau" is looked up as "l" and "eau". A lone letter is far more often that than the
    // letter's own name, so its elided readings come first.
    if (palabra.size() <= 3 && !palabra.endsWith(QLatin1Char('\''))) {
        const QStringList elididas = analizador_->Analyse(palabra + QLatin1Char('\''));
        if (!elididas.isEmpty()) lecturas = elididas + lecturas;
    }

    // Punctuation has readings too ("[" is <lpar>); it is never a word to translate.
    lecturas.erase(std::remove_if(lecturas.begin(), lecturas.end(),
                                  [](const QString& l) {
                                      const QString lema = etiquetas::LeerAnalisis(Partes(l).value(0)).lema;
                                      return std::none_of(lema.begin(), lema.end(),
                                                          [](QChar c) { return c.isLetter(); });
                                  }),
                   lecturas.end());
    // Between two verb readings, the one that makes the word a form of another verb first:
    // "found" is "find" in the past far more often than "found" (establish).
    const auto otroVerbo = [&palabra](const QString& l) {
        const etiquetas::Analisis a = etiquetas::LeerAnalisis(Partes(l).value(0));
        return EsVerbo(a.etiquetas) && a.lema.compare(palabra, Qt::CaseInsensitive) != 0;
    };
    std::stable_sort(lecturas.begin(), lecturas.end(), [&](const QString& a, const QString& b) {
        const int ra = Rango(a), rb = Rango(b);
        if (ra != rb) return ra < rb;
        return otroVerbo(a) && !otroVerbo(b);
    });
    lecturas.removeDuplicates();
    return lecturas;
}

QString Morfologia::GeneroDeLema(const etiquetas::Analisis& lectura) {
    // Apertium files "niñas" under "niño" and "casas" under "casa": only the lemma's own reading
    // tells whether the form changed gender.
    if (lectura.etiquetas.isEmpty() || etiquetas::CodigoGenero(lectura.etiquetas).isEmpty()) return {};
    // Kept per lemma and part of speech: a text meets "casa" and "casas" again and again.
    const QString clave = lectura.lema + QLatin1Char('<') + lectura.etiquetas.first();
    const auto visto = generosDeLema_.constFind(clave);
    if (visto != generosDeLema_.constEnd()) return *visto;
    QString genero;
    for (const QString& l : analizador_->Analyse(lectura.lema)) {
        const etiquetas::Analisis a = etiquetas::LeerAnalisis(l);
        if (!a.etiquetas.isEmpty() && a.etiquetas.first() == lectura.etiquetas.first() &&
            a.lema == lectura.lema) {
            genero = etiquetas::CodigoGenero(a.etiquetas);
            break;
        }
    }
    generosDeLema_.insert(clave, genero);
    return genero;
}

QString Morfologia::Generar(const QString& lectura, QString& usada) {
    const Objetivo o = LeerObjetivo(lectura);
    const QString idioma = QString::fromUtf8(kDirecciones[static_cast<size_t>(direccion_)].idiomaTraduccion);
    const QString destino =
        idioma.startsWith(QLatin1String("Ingl")) ? QStringLiteral("eng") : QStringLiteral("rom");
    QStringList base = Adaptar(o.etiquetas, destino);
    // English makes its future and conditional with a word of their own: "tendrá" is "will have".
    QString auxiliar;
    if (destino == QLatin1String("eng") && EsVerbo(base)) {
        if (base.contains(QLatin1String("fti")))
            auxiliar = QStringLiteral("will ");
        else if (base.contains(QLatin1String("cni")))
            auxiliar = QStringLiteral("would ");
        if (!auxiliar.isEmpty()) base = QStringList{base.first(), QStringLiteral("inf")};
    }
    // The generator knows each word's own set of tags; what the bilingual dictionary passes on
    // may carry agreement tags the target word does not inflect for ("the" has no gender).
    static const QStringList personas{QStringLiteral("p1"), QStringLiteral("p2"), QStringLiteral("p3")};
    const std::array<QStringList, 7> intentos{
        o.etiquetas,
        base,
        Sin(base, Generos()),
        Invariable(Sin(base, Generos())),
        Sin(base, Numeros()),
        Sin(Sin(base, Generos()), Numeros()),
        Sin(Sin(Sin(base, Generos()), Numeros()), personas),
    };
    for (size_t i = 0; i < intentos.size(); ++i) {
        if (i > 0 && intentos[i] == intentos[i - 1]) continue;
        const QString r = generador_->Generate(Escribir(o.lema, intentos[i], o.cola));
        if (!r.isEmpty()) {
            usada = Escribir(o.lema, intentos[i]);
            return (i > 0 ? auxiliar : QString()) + r;
        }
    }
    return {};
}

std::optional<Forma> Morfologia::Traducir(const QString& palabra, const Preferida& preferida) {
    if (palabra.trimmed().isEmpty() || !Disponible()) return std::nullopt;
    if (auto f = TraducirLecturas(Lecturas(palabra), preferida)) return f;
    // A word none of whose readings translates may be half of an elision the apostrophe cut off
    // ("lorsqu'", "jusqu'") or of an English contraction: "don" of "don't", "s" of "it's".
    if (palabra.contains(QLatin1Char('\''))) return std::nullopt;
    for (const QString& otra :
         {palabra + QLatin1Char('\''), palabra + QStringLiteral("'t"), QLatin1Char('\'') + palabra})
        if (auto f = TraducirLecturas(Lecturas(otra), preferida)) return f;
    return std::nullopt;
}

std::optional<Forma> Morfologia::TraducirLecturas(const QStringList& lecturas, const Preferida& preferida) {
    std::optional<Forma> sustituta; // the first reading that translates, for when none generates
    for (const QString& lectura : lecturas) {
        const QStringList partes = Partes(lectura);
        QStringList palabras, lemasOrigen, lemasDestino;
        QString primeraUsada;
        bool traduce = true, genera = true;
        for (const QString& parte : partes) {
            const etiquetas::Analisis origen = etiquetas::LeerAnalisis(parte);
            QStringList traducciones = bilingue_->Translate(parte);
            // English "do" as an auxiliary has no word of its own elsewhere ("don't" is "no"), and
            // a reflexive clitic often none in English ("utilizarse" is "use"): the rest of the
            // word still translates.
            const bool prescindible = origen.etiquetas.value(0) == QLatin1String("vbdo") ||
                                      (origen.etiquetas.value(0) == QLatin1String("prn") &&
                                       origen.etiquetas.contains(QLatin1String("enc")));
            if (traducciones.isEmpty() && partes.size() > 1 && prescindible) continue;
            if (traducciones.isEmpty()) {
                traduce = false;
                break;
            }
            // The headword's own first translation, when the bilingual dictionary offers it too.
            if (preferida && partes.size() == 1) {
                const QString quiere = preferida(origen.lema);
                if (!quiere.isEmpty()) {
                    const auto it =
                        std::find_if(traducciones.begin(), traducciones.end(), [&](const QString& t) {
                            return etiquetas::LeerAnalisis(t).lema.compare(quiere, Qt::CaseInsensitive) == 0;
                        });
                    if (it != traducciones.end()) std::rotate(traducciones.begin(), it, it + 1);
                }
            }
            QString elegida;
            QString generada;
            for (const QString& t : traducciones) {
                const Objetivo o = LeerObjetivo(t);
                const QString completa = Escribir(o.lema, Concordar(o.etiquetas, origen.etiquetas), o.cola);
                QString usada;
                generada = Generar(completa, usada);
                if (!generada.isEmpty()) {
                    elegida = completa;
                    if (primeraUsada.isEmpty()) primeraUsada = usada;
                    break;
                }
            }
            const QString lemaDestino = etiquetas::LeerAnalisis(LeerObjetivo(traducciones.first()).lema).lema;
            lemasOrigen << origen.lema;
            lemasDestino << (elegida.isEmpty() ? lemaDestino : etiquetas::LeerAnalisis(elegida).lema);
            if (generada.isEmpty()) {
                genera = false;
                palabras << lemaDestino;
            } else {
                palabras << generada;
            }
        }
        if (!traduce) continue;

        Forma f;
        f.partes = static_cast<int>(partes.size());
        const etiquetas::Analisis primera = etiquetas::LeerAnalisis(partes.first());
        f.lema = partes.size() == 1 && !LemaInterno(primera.lema) ? primera.lema : QString();
        f.tipo = etiquetas::CodigoTipo(primera.etiquetas);
        if (partes.size() == 1) {
            f.genero = Codigo(f.tipo, etiquetas::CodigoGenero(primera.etiquetas));
            f.numero = Codigo(f.tipo, etiquetas::CodigoNumero(primera.etiquetas));
        }
        f.lemaTraduccion = lemasDestino.join(QLatin1Char(' '));
        f.pista = Pista(primera.lema, primera.etiquetas,
                        partes.size() == 1 ? GeneroDeLema(primera) : QString(), lemasOrigen);
        if (genera) {
            // English "n't" is the last part of its word but comes first in the others: "don't"
            // is "no hacer", not "hacer no".
            if (palabras.size() > 1 && etiquetas::LeerAnalisis(partes.last()).lema == QLatin1String("not"))
                palabras.prepend(palabras.takeLast());
            QString texto = palabras.join(QLatin1Char(' '));
            if (postgenerador_) texto = postgenerador_->Postgenerate(texto);
            texto.remove(QLatin1Char('~'));
            f.traduccion = texto;
            f.generada = true;
            if (partes.size() == 1) {
                const etiquetas::Analisis usada = etiquetas::LeerAnalisis(primeraUsada);
                f.tipoT = etiquetas::CodigoTipo(usada.etiquetas);
                f.generoT = Codigo(f.tipoT, etiquetas::CodigoGenero(usada.etiquetas));
                f.numeroT = Codigo(f.tipoT, etiquetas::CodigoNumero(usada.etiquetas));
            }
            return f;
        }
        // Never show a name of Apertium's own in place of a word.
        if (!sustituta && std::none_of(lemasDestino.begin(), lemasDestino.end(), LemaInterno)) {
            f.traduccion = lemasDestino.join(QLatin1Char(' '));
            f.generada = false;
            sustituta = f;
        }
    }
    return sustituta;
}

namespace {
std::array<std::unique_ptr<Morfologia>, 6>& Cache() {
    static std::array<std::unique_ptr<Morfologia>, 6> cache;
    return cache;
}
} // namespace

Morfologia* De(int direccion) {
    if (!DireccionValida(direccion)) return nullptr;
    // A direction's transducers take 40 to 80 MB once loaded: only the one in use is kept.
    for (size_t d = 0; d < Cache().size(); ++d)
        if (d != static_cast<size_t>(direccion)) Cache()[d].reset();
    auto& m = Cache()[static_cast<size_t>(direccion)];
    if (!m)
        m = std::make_unique<Morfologia>(QDir(paths::AppPath()).filePath(QStringLiteral("Morfologia")),
                                         direccion);
    return m.get();
}

void Olvidar() {
    for (auto& m : Cache())
        m.reset();
}

void Precargar(int direccion) {
    if (Morfologia* m = De(direccion)) m->Precargar();
}

} // namespace formas
