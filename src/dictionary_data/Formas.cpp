#include "dictionary_data/Formas.h"

#include "dictionary_data/Direcciones.h"
#include "dictionary_data/Etiquetas.h"
#include "platform/Paths.h"
#include "platform/Transductor.h"

#include <QDir>
#include <algorithm>
#include <array>

namespace formas {

namespace {

constexpr std::array<const char*, 6> kPares{"spa-eng", "eng-spa", "es-pt", "pt-es", "es-fr", "fr-es"};

const QStringList& Generos() {
    static const QStringList g{QStringLiteral("m"), QStringLiteral("f"), QStringLiteral("mf"), QStringLiteral("nt"),
                               QStringLiteral("GD")};
    return g;
}
const QStringList& Numeros() {
    static const QStringList n{QStringLiteral("sg"), QStringLiteral("pl"), QStringLiteral("sp"), QStringLiteral("ND")};
    return n;
}

bool EsVerbo(const QStringList& etiquetas) {
    return !etiquetas.isEmpty() && (etiquetas.first().startsWith(QLatin1String("vb")) ||
                                    etiquetas.first() == QLatin1String("vaux"));
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
    for (const QString& e : etiquetas) s += QLatin1Char('<') + e + QLatin1Char('>');
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
        if (e == QLatin1String("GD")) e = genero;
        else if (e == QLatin1String("ND")) e = numero;
    }
    return destino;
}

// Tense and person tags that one language has and its neighbour's generator does not know. Out of
// context a form is read as third person singular, the commonest in running text.
QStringList Adaptar(QStringList t, const QString& idiomaDestino) {
    if (!EsVerbo(t)) return t;
    const bool persona = t.contains(QLatin1String("p1")) || t.contains(QLatin1String("p2")) || t.contains(QLatin1String("p3"));
    auto cambiar = [&t](const char* de, const char* a) {
        const qsizetype i = t.indexOf(QLatin1String(de));
        if (i >= 0) t[i] = QLatin1String(a);
        return i >= 0;
    };
    if (idiomaDestino == QLatin1String("eng")) {
        cambiar("ifi", "past") || cambiar("pii", "past") || cambiar("pis", "past");
        // English keeps person in the past of "be" alone: "fue" is "was", "fueron" "were".
        const bool fue = t.first() == QLatin1String("vbser") && t.contains(QLatin1String("sg")) && !t.contains(QLatin1String("p2"));
        if (t.contains(QLatin1String("past")) && !fue) {
            t.removeAll(QStringLiteral("p1"));
            t.removeAll(QStringLiteral("p2"));
            t.removeAll(QStringLiteral("p3"));
            t.removeAll(QStringLiteral("sg"));
            t.removeAll(QStringLiteral("pl"));
        }
        cambiar("prs", "pres");
        if (t.contains(QLatin1String("pri")) && !(t.contains(QLatin1String("p3")) && t.contains(QLatin1String("sg")))) {
            cambiar("pri", "pres");
            t.removeAll(QStringLiteral("p1"));
            t.removeAll(QStringLiteral("p2"));
            t.removeAll(QStringLiteral("p3"));
            t.removeAll(QStringLiteral("sg"));
            t.removeAll(QStringLiteral("pl"));
        }
    } else {
        const bool cambio = cambiar("past", "ifi") || cambiar("pres", "pri");
        if (cambio && !persona) t << QStringLiteral("p3") << QStringLiteral("sg");
    }
    return t;
}

QStringList Sin(QStringList t, const QStringList& fuera) {
    t.erase(std::remove_if(t.begin(), t.end(), [&](const QString& e) { return fuera.contains(e); }), t.end());
    return t;
}

QStringList Invariable(QStringList t) {
    for (QString& e : t)
        if (e == QLatin1String("sg") || e == QLatin1String("pl") || e == QLatin1String("ND")) e = QStringLiteral("sp");
    return t;
}

QString Codigo(const QString& tipo, const QString& codigo) {
    // Gender and number mean something to the reader only for nouns, articles and pronouns.
    return (tipo == QLatin1String("n") || tipo == QLatin1String("ar") || tipo == QLatin1String("pro")) ? codigo : QString();
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
    return DireccionValida(direccion) ? QString::fromLatin1(kPares[static_cast<size_t>(direccion)]) : QString();
}

bool LemaInterno(const QString& lema) {
    return lema.isEmpty() || lema == QLatin1String("prpers") || lema.contains(QLatin1Char('_')) ||
           lema.contains(QLatin1Char('<')) || lema.contains(QLatin1Char('>')) || lema.contains(QLatin1Char('@')) ||
           lema.contains(QLatin1Char('#'));
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
        QStringLiteral("pr"),     QStringLiteral("cnjsub"),  QStringLiteral("cnjcoo"), QStringLiteral("cnjadv"),
        QStringLiteral("rel"),    QStringLiteral("vbser"),   QStringLiteral("vbhaver"), QStringLiteral("vaux"),
        QStringLiteral("vbmod"),  QStringLiteral("n"),       QStringLiteral("vblex"),   QStringLiteral("adj"),
        QStringLiteral("adv"),    QStringLiteral("preadv"),  QStringLiteral("ij"),      QStringLiteral("num"),
        QStringLiteral("np"),
    };
    const qsizetype i = orden.indexOf(pos);
    return i < 0 ? 90 : 4 + static_cast<int>(i);
}

QString Pista(const QString& lema, const QStringList& t, const QString& generoLema, const QStringList& partes) {
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
        return tiempo.isEmpty() ? QStringLiteral("forma de %1").arg(comillado) : QStringLiteral("%1 de %2").arg(tiempo, comillado);
    }
    QStringList rasgos;
    const QString genero = etiquetas::CodigoGenero(t);
    if (genero == QLatin1String("f") && generoLema != QLatin1String("f")) rasgos << QStringLiteral("femenino");
    if (genero == QLatin1String("m") && generoLema == QLatin1String("f")) rasgos << QStringLiteral("masculino");
    if (t.contains(QLatin1String("pl"))) rasgos << QStringLiteral("plural");
    if (t.contains(QLatin1String("comp"))) rasgos << QStringLiteral("comparativo");
    if (t.contains(QLatin1String("sup"))) rasgos << QStringLiteral("superlativo");
    if (rasgos.isEmpty()) return QStringLiteral("forma de %1").arg(comillado);
    return QStringLiteral("%1 de %2").arg(rasgos.join(QLatin1Char(' ')), comillado);
}

Morfologia::Morfologia(const QString& carpeta, int direccion) : carpeta_(carpeta), direccion_(direccion) {}
Morfologia::~Morfologia() = default;

bool Morfologia::Disponible() {
    if (!intentado_) {
        intentado_ = true;
        const QString par = NombrePar(direccion_);
        const QDir dir(carpeta_);
        auto cargar = [&](const char* tipo, lt::Modo modo) {
            return lt::Transductor::Cargar(dir.filePath(QStringLiteral("%1.%2.bin").arg(par, QLatin1String(tipo))), modo);
        };
        if (!par.isEmpty()) {
            analizador_ = cargar("automorf", lt::Modo::Analisis);
            bilingue_ = cargar("autobil", lt::Modo::Bilingue);
            generador_ = cargar("autogen", lt::Modo::Generacion);
            // Only a few languages join words after generation; without the file nothing is joined.
            postgenerador_ = cargar("autopgen", lt::Modo::Postgeneracion);
        }
    }
    return analizador_ && bilingue_ && generador_;
}

QStringList Morfologia::Lecturas(const QString& palabra) {
    if (!Disponible()) return {};
    QStringList lecturas = analizador_->Analizar(palabra);
    // An elided article or pronoun reaches us without its apostrophe, which separates words:
    // "l'eau" is looked up as "l" and "eau".
    if (lecturas.isEmpty() && palabra.size() <= 6 && !palabra.endsWith(QLatin1Char('\'')))
        lecturas = analizador_->Analizar(palabra + QLatin1Char('\''));
    std::stable_sort(lecturas.begin(), lecturas.end(),
                     [](const QString& a, const QString& b) { return Rango(a) < Rango(b); });
    lecturas.removeDuplicates();
    return lecturas;
}

QString Morfologia::GeneroDeLema(const etiquetas::Analisis& lectura) {
    // Apertium files "niñas" under "niño" and "casas" under "casa": only the lemma's own reading
    // tells whether the form changed gender.
    if (lectura.etiquetas.isEmpty() || etiquetas::CodigoGenero(lectura.etiquetas).isEmpty()) return {};
    for (const QString& l : analizador_->Analizar(lectura.lema)) {
        const etiquetas::Analisis a = etiquetas::LeerAnalisis(l);
        if (!a.etiquetas.isEmpty() && a.etiquetas.first() == lectura.etiquetas.first() && a.lema == lectura.lema)
            return etiquetas::CodigoGenero(a.etiquetas);
    }
    return {};
}

QString Morfologia::Generar(const QString& lectura, QString& usada) {
    const Objetivo o = LeerObjetivo(lectura);
    const QString idioma = QString::fromUtf8(kDirecciones[static_cast<size_t>(direccion_)].idiomaTraduccion);
    const QString destino = idioma.startsWith(QLatin1String("Ingl")) ? QStringLiteral("eng") : QStringLiteral("rom");
    const QStringList base = Adaptar(o.etiquetas, destino);
    // The generator knows each word's own set of tags; what the bilingual dictionary passes on
    // may carry agreement tags the target word does not inflect for ("the" has no gender).
    const std::array<QStringList, 6> intentos{
        o.etiquetas,
        base,
        Sin(base, Generos()),
        Invariable(Sin(base, Generos())),
        Sin(base, Numeros()),
        Sin(Sin(base, Generos()), Numeros()),
    };
    for (size_t i = 0; i < intentos.size(); ++i) {
        if (i > 0 && intentos[i] == intentos[i - 1]) continue;
        const QString r = generador_->Generar(Escribir(o.lema, intentos[i], o.cola));
        if (!r.isEmpty()) {
            usada = Escribir(o.lema, intentos[i]);
            return r;
        }
    }
    return {};
}

std::optional<Forma> Morfologia::Traducir(const QString& palabra, const Preferida& preferida) {
    if (palabra.trimmed().isEmpty()) return std::nullopt;
    const QStringList lecturas = Lecturas(palabra);
    if (lecturas.isEmpty()) return std::nullopt;
    return TraducirLecturas(lecturas, preferida);
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
            QStringList traducciones = bilingue_->Traducir(parte);
            if (traducciones.isEmpty()) {
                traduce = false;
                break;
            }
            // The headword's own first translation, when the bilingual dictionary offers it too.
            if (preferida && partes.size() == 1) {
                const QString quiere = preferida(origen.lema);
                if (!quiere.isEmpty()) {
                    const auto it = std::find_if(traducciones.begin(), traducciones.end(), [&](const QString& t) {
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
        f.pista = Pista(primera.lema, primera.etiquetas, partes.size() == 1 ? GeneroDeLema(primera) : QString(), lemasOrigen);
        if (genera) {
            QString texto = palabras.join(QLatin1Char(' '));
            if (postgenerador_) texto = postgenerador_->Postgenerar(texto);
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
    auto& m = Cache()[static_cast<size_t>(direccion)];
    if (!m) m = std::make_unique<Morfologia>(QDir(paths::AppPath()).filePath(QStringLiteral("Morfologia")), direccion);
    return m.get();
}

void Olvidar() {
    for (auto& m : Cache()) m.reset();
}

} // namespace formas
