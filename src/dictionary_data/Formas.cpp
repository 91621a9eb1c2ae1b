#include "dictionary_data/Formas.h"

#include "dictionary_data/Direcciones.h"
#include "dictionary_data/Etiquetas.h"
#include "dictionary_data/Oraciones.h"
#include "platform/Notices.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/SentencePipeline.h"
#include "platform/Transducer.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <array>
#include <mutex>
#include <string_view>

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
// The source and target language of each direction, by Apertium's three-letter names.
constexpr std::array<std::pair<const char*, const char*>, 6> kIdiomas{
    {{"spa", "eng"}, {"eng", "spa"}, {"spa", "por"}, {"por", "spa"}, {"spa", "fra"}, {"fra", "spa"}}};

// The words a language puts before an adjective or adverb for a degree it does not make in the
// word itself: the comparative ("más grande") and the absolute superlative ("muy alto").
struct Grados {
    const char* idioma;
    const char* mas;
    const char* muy;
};
constexpr std::array<Grados, 4> kGrados{{
    {"eng", "more", "very"},
    {"spa", "más", "muy"},
    {"por", "mais", "muito"},
    {"fra", "plus", "très"},
}};

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
    // An entry that fixes a tag the source reading passes on as well writes it twice
    // ("management<n><sg><sg>"); the generator knows it once.
    destino.erase(std::unique(destino.begin(), destino.end()), destino.end());
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
    // A separable verb's mark ("move# away<vblex><sep>") is for the transfer to place the
    // particle; the generator has the verb without it.
    t.removeAll(QStringLiteral("sep"));
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
        // The imperative is the bare verb: "dame" is "give"; so is Portuguese's personal
        // infinitive ("poderem").
        if (cambiar("imp", "inf") || cambiar("infps", "inf")) quitarPersona();
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
        if (idiomaDestino != QLatin1String("por") && cambiar("infps", "inf")) quitarPersona();
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
    static const std::array<std::pair<const char*, const char*>, 16> tiempos{{
        {"infps", "infinitivo personal"},
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

// The first of `intentos` (tag lists for the lemma of `o`) the generator makes a word of; `usada`
// is the reading that made it.
QString Formar(lt::Transducer& generador, const Objetivo& o, const QList<QStringList>& intentos,
               QString& usada) {
    for (qsizetype i = 0; i < intentos.size(); ++i) {
        if (intentos.indexOf(intentos[i]) < i) continue;
        QString r = generador.Generate(Escribir(o.lema, intentos[i], o.cola));
        if (!r.isEmpty()) {
            usada = Escribir(o.lema, intentos[i]);
            return r;
        }
    }
    // The generator knows few lemmas of several words as such ("get up" but not "wake up"): the
    // first word is generated and the rest written after it, as they do not inflect.
    if (o.cola.isEmpty()) return {};
    const Objetivo cabeza{o.lema, QString(), o.etiquetas};
    const QString r = Formar(generador, cabeza, intentos, usada);
    return r.isEmpty() ? r : r + QString(o.cola).remove(QLatin1Char('#'));
}

// The generator knows each word's own set of tags. What the bilingual dictionary passes on may
// carry agreement tags the target word does not inflect for ("the" has no gender), or lack those
// it does: English adjectives and participles have neither gender nor number, and the Romance
// generators want both ("escrito" is escribir<vblex><pp><m><sg>). Out of context, masculine
// singular, or the form for both genders or numbers where the word has one. With `otroGenero`,
// the other genders too (see TraducirLecturas).
QList<QStringList> Variantes(const QStringList& base, bool otroGenero) {
    static const QStringList personas{QStringLiteral("p1"), QStringLiteral("p2"), QStringLiteral("p3")};
    QList<QStringList> v{
        base,
        Sin(base, Generos()),
        Invariable(Sin(base, Generos())),
        Sin(base, Numeros()),
        Sin(Sin(base, Generos()), Numeros()),
        Sin(Sin(Sin(base, Generos()), Numeros()), personas),
    };
    const auto tiene = [&base](const QStringList& de) {
        return std::any_of(base.begin(), base.end(), [&de](const QString& e) { return de.contains(e); });
    };
    if (!base.isEmpty() && !tiene(Numeros())) {
        const QString sg = QStringLiteral("sg"), sp = QStringLiteral("sp"), mf = QStringLiteral("mf");
        if (tiene(Generos()))
            v << (QStringList(base) << sg) << (QStringList(base) << sp);
        else
            v << (QStringList(base) << QStringLiteral("m") << sg) << (QStringList(base) << mf << sg)
              << (QStringList(base) << mf << sp);
    }
    if (!otroGenero) return v;
    const qsizetype genero = std::find_if(base.begin(), base.end(),
                                          [](const QString& e) {
                                              return e == QLatin1String("m") || e == QLatin1String("f") ||
                                                     e == QLatin1String("mf");
                                          }) -
                             base.begin();
    if (genero < base.size())
        for (const char* otro : {"m", "f", "mf"}) {
            QStringList cambiada = base;
            cambiada[genero] = QLatin1String(otro);
            v << cambiada;
        }
    return v;
}

// English makes the degrees of short adjectives in the word ("bigger", "happiest", "better"); the
// Romance languages put a word before the positive ("más grande"), and English's superlative is
// the comparative there too, the article being the sentence's ("the happiest day", "el día más
// feliz"). A Romance superlative in the word ("altísimo") compares with nothing: it is "very
// tall", and "muito alto" where the target language has no word of its own for it.
QString GenerarGrado(lt::Transducer& generador, const Objetivo& o, const QString& origen,
                     const QString& destino, bool otroGenero, QString& usada) {
    const QLatin1String comp("comp"), sup("sup"), sint("sint");
    const bool comparativo = o.etiquetas.contains(comp);
    const bool ingles = origen == QLatin1String("eng");
    if (!ingles && (comparativo || destino != QLatin1String("eng"))) {
        QString r = Formar(generador, o, Variantes(o.etiquetas, otroGenero), usada);
        if (!r.isEmpty()) return r;
    }
    const QStringList positivo = Sin(o.etiquetas, {comp, sup});
    const QString r = Formar(
        generador, o, Variantes(positivo, otroGenero) + Variantes(Sin(positivo, {sint}), otroGenero), usada);
    const auto g = std::find_if(kGrados.begin(), kGrados.end(),
                                [&destino](const Grados& x) { return destino == QLatin1String(x.idioma); });
    if (r.isEmpty() || g == kGrados.end()) return {};
    return QString::fromUtf8(comparativo || ingles ? g->mas : g->muy) + QLatin1Char(' ') + r;
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
    // a noun or an adjective ("mejores", "cosas"), nor is a personal infinitive ("verdes",
    // "termos").
    if ((pos == QLatin1String("vblex") &&
         (t.contains(QLatin1String("prs")) || t.contains(QLatin1String("pis")) ||
          t.contains(QLatin1String("imp")))) ||
        (EsVerbo(t) && t.contains(QLatin1String("infps"))))
        return 4 + static_cast<int>(orden.indexOf(QLatin1String("adv")));
    return 4 + static_cast<int>(i);
}

namespace {

QString Describir(const QString& lema, const QStringList& t, const QString& generoLema,
                  const QStringList& partes) {
    const QString comillado = QStringLiteral("«%1»").arg(lema);
    if (partes.size() > 1) {
        QStringList limpias;
        // A verb with pronouns attached is a form of the verb, whatever the pronouns are: "hacerlo"
        // is no contraction of "hacer" and "lo".
        bool pronombres = EsVerbo(etiquetas::LeerAnalisis(partes.first()).etiquetas);
        for (qsizetype i = 0; i < partes.size(); ++i) {
            const etiquetas::Analisis a = etiquetas::LeerAnalisis(partes[i]);
            if (i > 0 && a.etiquetas.value(0) != QLatin1String("prn")) pronombres = false;
            if (!LemaInterno(a.lema)) limpias << QStringLiteral("«%1»").arg(a.lema);
        }
        if (pronombres && !limpias.isEmpty())
            return QStringLiteral("%1 con %2")
                .arg(limpias.first(),
                     partes.size() == 2 ? QStringLiteral("pronombre") : QStringLiteral("pronombres"));
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

} // namespace

QString Pista(const QString& lema, const QStringList& etiquetas, const QString& generoLema,
              const QStringList& partes, bool generada) {
    QString pista = Describir(lema, etiquetas, generoLema, partes);
    if (generada) return pista;
    // The reader sees a word that is not the form looked up, and should know why.
    const QString sustituta = partes.size() > 1 ? QStringLiteral("se muestra la traducción de sus lemas")
                              : LemaInterno(lema)
                                  ? QStringLiteral("se muestra la traducción de su lema")
                                  : QStringLiteral("se muestra la traducción de «%1»").arg(lema);
    return pista.isEmpty() ? sustituta : pista + QStringLiteral("; ") + sustituta;
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
    // English spells many adverbs as their adjectives ("only", "still", "just", "late"), and
    // running text uses the adverb far more: in English such an adverb comes just before the
    // adjective of the same lemma ("best" stays the superlative of "good" first).
    const bool ingles = kIdiomas[static_cast<size_t>(direccion_)].first == std::string_view("eng");
    static const int adjetivo = Rango(QStringLiteral("a<adj>")), adverbio = Rango(QStringLiteral("a<adv>"));
    QSet<QString> adjetivos;
    for (const QString& l : lecturas) {
        const etiquetas::Analisis a = etiquetas::LeerAnalisis(Partes(l).value(0));
        if (a.etiquetas.value(0) == QLatin1String("adj")) adjetivos.insert(a.lema);
    }
    const auto rango = [&](const QString& l) {
        const int r = Rango(l);
        const bool comoAdjetivo =
            ingles && r == adverbio && adjetivos.contains(etiquetas::LeerAnalisis(Partes(l).value(0)).lema);
        return comoAdjetivo ? 2 * adjetivo - 1 : 2 * r;
    };
    std::stable_sort(lecturas.begin(), lecturas.end(), [&](const QString& a, const QString& b) {
        const int ra = rango(a), rb = rango(b);
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

QString Morfologia::Generar(const QString& lectura, bool otroGenero, QString& usada) {
    const Objetivo o = LeerObjetivo(lectura);
    const auto& [origenC, destinoC] = kIdiomas[static_cast<size_t>(direccion_)];
    const QString origen = QLatin1String(origenC), destino = QLatin1String(destinoC);
    if (o.etiquetas.contains(QLatin1String("comp")) || o.etiquetas.contains(QLatin1String("sup")))
        return GenerarGrado(*generador_, o, origen, destino, otroGenero, usada);
    // As the bilingual dictionary gave it, first.
    if (QString r = Formar(*generador_, o, {o.etiquetas}, usada); !r.isEmpty()) return r;
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
    const QString r = Formar(*generador_, o, Variantes(base, otroGenero), usada);
    return r.isEmpty() ? r : auxiliar + r;
}

std::optional<Forma> Morfologia::Traducir(const QString& palabra, const Preferida& preferida) {
    if (palabra.trimmed().isEmpty() || !Disponible()) return std::nullopt;
    if (auto f = TraducirLecturas(Lecturas(palabra), preferida, palabra)) return f;
    // A word none of whose readings translates may be half of an elision the apostrophe cut off
    // ("lorsqu'", "jusqu'") or of an English contraction: "don" of "don't", "s" of "it's".
    if (palabra.contains(QLatin1Char('\''))) return std::nullopt;
    for (const QString& otra :
         {palabra + QLatin1Char('\''), palabra + QStringLiteral("'t"), QLatin1Char('\'') + palabra})
        if (auto f = TraducirLecturas(Lecturas(otra), preferida, otra)) return f;
    return std::nullopt;
}

std::optional<Forma> Morfologia::TraducirLecturas(const QStringList& lecturas, const Preferida& preferida) {
    return TraducirLecturas(lecturas, preferida, QString());
}

QString Morfologia::TraducirEntera(const QString& palabra) {
    // The system's Apertium folders have no description of the pipeline to check its files by.
    if (origen_ != Origen::Programa || palabra.isEmpty()) return {};
    // The pipeline translates any text: only the word the readings are of goes in, up to the
    // first character no word has ("dámelo." or "dámelo ya"), so that nothing else comes out
    // with it; a hyphen stays ("fazê-lo").
    const auto fin = std::find_if_not(palabra.begin(), palabra.end(), [](QChar c) {
        return c.isLetter() || c == QLatin1Char('-') || c == QLatin1Char('\'');
    });
    const QString sola = palabra.first(fin - palabra.begin());
    if (sola.isEmpty()) return {};
    // In lower case: the transfer writes the first word of a sentence with a capital ("Give it to
    // me"), and one in capitals would spread its case over the words the transfer adds.
    sentences::Pipeline::Result r;
    if (QDir(carpeta_) == QDir(QDir(paths::AppPath()).filePath(QStringLiteral("Morfologia")))) {
        // The program's own folder: the pipeline the translator and the lookup share, not a
        // second copy of it (90 MB). Without waiting for a sentence translation that holds it:
        // the word is then translated part by part.
        if (!oraciones::Con(
                direccion_, [&](sentences::Pipeline& p) { r = p.Translate(sola.toLower()); }, nullptr, false))
            return {};
    } else {
        if (!tuberiaIntentada_) {
            tuberiaIntentada_ = true;
            QString error;
            tuberia_ = sentences::Pipeline::Load(carpeta_, NombrePar(direccion_), &error);
        }
        if (!tuberia_) return {};
        r = tuberia_->Translate(sola.toLower());
    }
    if (!r.complete || !r.error.isEmpty()) return {};
    // The pipeline marks words it does not know: "<xyzzy>".
    QString texto = r.text;
    texto.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
    texto = texto.simplified();
    if (!texto.isEmpty()) texto[0] = texto[0].toLower();
    return texto;
}

namespace {
// A verb followed by the pronouns attached to it: "dar<vblex><imp><p2><sg>+me<prn><enc>...".
bool VerboConPronombres(const QStringList& partes) {
    return partes.size() > 1 && EsVerbo(etiquetas::LeerAnalisis(partes.first()).etiquetas) &&
           std::all_of(partes.begin() + 1, partes.end(), [](const QString& p) {
               const QStringList t = etiquetas::LeerAnalisis(p).etiquetas;
               return t.value(0) == QLatin1String("prn") && t.contains(QLatin1String("enc"));
           });
}
} // namespace

std::optional<Forma> Morfologia::TraducirLecturas(const QStringList& lecturas, const Preferida& preferida,
                                                  const QString& palabra) {
    std::optional<Forma> sustituta; // the first reading that translates, for when none generates
    for (const QString& lectura : lecturas) {
        const QStringList partes = Partes(lectura);
        QStringList palabras, lemasOrigen, lemasDestino, traducidas;
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
            // The bilingual dictionary sometimes gives the target word the source word's gender
            // ("computadora" -> "ordinateur<n><f>"), and the word is then made in its own gender;
            // but only when no translation generates as given, for a first translation with the
            // wrong gender is often one the pair's own lexical selection passes over
            // ("platform" -> "programa<n><f>" before "plataforma").
            for (const bool otroGenero : {false, true}) {
                for (const QString& t : traducciones) {
                    const Objetivo o = LeerObjetivo(t);
                    const QString completa =
                        Escribir(o.lema, Concordar(o.etiquetas, origen.etiquetas), o.cola);
                    QString usada;
                    generada = Generar(completa, otroGenero, usada);
                    if (!generada.isEmpty()) {
                        elegida = completa;
                        if (primeraUsada.isEmpty()) primeraUsada = usada;
                        break;
                    }
                }
                if (!generada.isEmpty()) break;
            }
            const QString lemaDestino = etiquetas::LeerAnalisis(LeerObjetivo(traducciones.first()).lema).lema;
            lemasOrigen << origen.lema;
            traducidas << parte;
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
        const QString generoLema = partes.size() == 1 ? GeneroDeLema(primera) : QString();
        f.pista = Pista(primera.lema, primera.etiquetas, generoLema, traducidas);
        // The pronouns of a verb go where the target language puts them, which only the
        // transfer knows: "dámelo" is "give it to me", "dá-mo", "donne-le".
        if (VerboConPronombres(partes) && !LemaInterno(lemasDestino.first())) {
            const QString entera = TraducirEntera(palabra);
            if (!entera.isEmpty()) {
                f.traduccion = entera;
                f.lemaTraduccion = lemasDestino.first();
                f.tipoT = f.tipo;
                f.pista = Pista(primera.lema, primera.etiquetas, generoLema, partes);
                return f;
            }
        }
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
            f.pista = Pista(primera.lema, primera.etiquetas, generoLema, traducidas, false);
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

namespace {
// A direction's transducers take 40 to 80 MB once loaded: only the one in use is kept, and what
// the others held goes back to the system (they were read on a worker thread, whose arena the C
// library would otherwise keep).
void SoltarOtras(int direccion) {
    bool soltadas = false;
    for (size_t d = 0; d < Cache().size(); ++d)
        if (d != static_cast<size_t>(direccion) && Cache()[d]) {
            Cache()[d].reset();
            soltadas = true;
        }
    if (soltadas) process::GiveBackFreedMemory();
}
} // namespace

Morfologia* De(int direccion) {
    if (!DireccionValida(direccion)) return nullptr;
    SoltarOtras(direccion);
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

void SoloDireccion(int direccion) {
    if (!DireccionValida(direccion)) return;
    SoltarOtras(direccion);
    oraciones::SoloDireccion(direccion);
}

} // namespace formas
