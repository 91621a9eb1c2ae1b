#include "Filas.h"

#include "Funcionales.h"
#include "dictionary_data/Etiquetas.h"
#include "dictionary_data/Formas.h"
#include "platform/TextFold.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>
#include <unordered_map>

namespace generador {

namespace {
// A word joined by hyphens that Apertium's data writes with a blank beside a hyphen ("arc -en-ciel"
// for "arc-en-ciel"): no language writes it so, and the reader types it whole.
QString SinBlancoEnGuion(QString palabra) {
    static const QRegularExpression blanco(
        QStringLiteral("(?<=\\p{L})\\s+-(?=\\p{L})|(?<=\\p{L})-\\s+(?=\\p{L})"));
    if (palabra.contains(QLatin1Char('-'))) palabra.replace(blanco, QStringLiteral("-"));
    return palabra;
}
} // namespace

using namespace etiquetas;

namespace {

QString ClavePar(const QString& origen, const QString& destino) {
    return origen + QChar(0x1F) + destino;
}

struct Candidata {
    Analisis origen, destino;
    QString palabra, traduccion;          // as shown: the lemma, or the form its tags ask for
    QString clave;                        // headword as lookups compare it
    const esquema::Fila* hecha = nullptr; // a function word's row, filed first as it is
    bool propio = false;
    bool mayuscula = false; // acronyms and names written in capitals
    bool articulo = false;  // the reading is the language's article
    bool derivada = false;  // a form of another lemma: a feminine ("hija" of "hijo")
    bool plural = false;    // the source analysis is plural
    bool restringida = false;
    // Properties of its source analysis (its group), which rank the groups of one headword.
    bool etiquetada = false; // the tagger picks this part of speech for the headword
    bool confirmada = true;  // the analyser knows the headword in this part of speech
    bool grupoMutuo = false; // some translation gives the headword back as its own first choice
    bool grupoLibre = false; // some translation is unrestricted
    // Properties of its part of speech, which rank the parts of speech of one headword.
    bool tipoUsual = false;     // running text uses the headword far more in it than in any other
    bool tipoTraducido = false; // its commonest translation is far commoner than the others'
    int usosTipo = 0;           // uses of the headword in this part of speech
    int rango = 0;              // part of speech preference
    // Properties of the translation, which rank the translations of one part of speech.
    bool tipoComun = false; // the translation has the headword's part of speech
    int usosTraduccion = 0; // uses of the translation in its language's text
    bool usual = false;     // far the commonest translation of the headword in this part of speech
    size_t grupo = 0;       // as first met
    size_t orden = 0;
    const QString* analisis = nullptr; // the pair's source analysis: the group
};

// Between parts of speech that tie on everything else: adjectives before nouns ("rojo" is first
// "red" the colour), nouns before verbs ("water"), then adverbs, then the rest; comparative and
// superlative readings ("good" -> "mejor") last. (Odd values are left for kAdjetivoDeNombre.)
int RangoTipo(const QStringList& etiquetas) {
    if (etiquetas.contains(QLatin1String("comp")) || etiquetas.contains(QLatin1String("sup"))) return 18;
    const QString t = CodigoTipo(etiquetas);
    if (t == QLatin1String("aj")) return 0;
    if (t == QLatin1String("n")) return 2;
    if (t == QLatin1String("v")) return 4;
    if (t == QLatin1String("av")) return 6;
    return 8;
}

// English puts a noun before another as an adjective ("student life", "police car"), and
// Apertium's English reads such a noun as an adjective too, translated by a word of its own
// ("student" -> "estudiantil", "police" -> "policial"). An adjective reading of an English noun
// none of whose translations is one of the noun's is that use: it comes after the noun. Where
// they say the same word, the adjective is the word's own ("red", "rojo") and keeps its place;
// and in the other languages an adjective read as a noun is the adjective's own use ("joven").
constexpr int kAdjetivoDeNombre = 3;

// Which of several things (parts of speech, translations) running text uses far more than the
// others: at least ten uses and more than three times those of any other. A smaller lead may be
// the tagger's mistakes or the text's subject ("orilla" in tales of rivers, 18 uses, against
// "banco", 6), and then the other rules decide.
class Mayoria {
public:
    void Anotar(const QString& cosa, int usos) {
        auto it = usos_.find(cosa);
        if (it == usos_.end())
            usos_.insert(cosa, usos);
        else
            *it = std::max(*it, usos);
    }
    QString Ganadora() const {
        QString primera;
        int mas = 0, segunda = 0;
        for (auto it = usos_.cbegin(); it != usos_.cend(); ++it) {
            if (it.value() > mas) {
                segunda = mas;
                mas = it.value();
                primera = it.key();
            } else {
                segunda = std::max(segunda, it.value());
            }
        }
        return mas >= 10 && mas > 3 * segunda ? primera : QString();
    }

private:
    QHash<QString, int> usos_;
};

// Whether both sides of a pair are the same part of speech: "car" the noun is "coche", not the
// adjective of a compound ("car industry", "industria automovilística").
bool MismoTipo(const QStringList& origen, const QStringList& destino) {
    if (origen.isEmpty() || destino.isEmpty()) return false;
    const QString a = CodigoTipo(origen), b = CodigoTipo(destino);
    return a.isEmpty() && b.isEmpty() ? origen.first() == destino.first() : a == b;
}

bool TieneLetra(const QString& s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isLetter(); });
}

bool EsSustantivo(const QStringList& etiquetas) {
    return !etiquetas.isEmpty() && etiquetas.first() == QLatin1String("n");
}

bool EsDeterminante(const QStringList& etiquetas) {
    return !etiquetas.isEmpty() && etiquetas.first() == QLatin1String("det");
}

// Abbreviations ("uk.", "Ayto.", "Dr."): Apertium needs them to read running text, but a row
// that gives "Ayto." for "mairie" teaches a reader nothing.
bool EsAbreviatura(const Analisis& a) {
    return a.lema.contains(QLatin1Char('.')) || a.etiquetas.contains(QLatin1String("abbr"));
}

// A noun reading that is really an adjective: its language's analyser knows the word as an
// adjective and not as a noun.
bool AdjetivoComoNombre(const Analisis& a, const QHash<QString, Rasgos>& rasgos) {
    if (!EsSustantivo(a.etiquetas)) return false;
    const auto r = rasgos.constFind(a.lema);
    return r != rasgos.constEnd() && r->tipos.contains(QLatin1String("adj")) &&
           !r->tipos.contains(QLatin1String("n"));
}

// Whether `nombre` is a noun made from the adjective `adjetivo` ("vulgaridad" from "vulgar",
// "pobreza" from "pobre"): it begins with the whole adjective and goes on.
bool Derivado(const QString& nombre, const QString& adjetivo) {
    return adjetivo.size() >= 4 && nombre.size() > adjetivo.size() && nombre.startsWith(adjetivo);
}

// A noun that its language's analyser knows as a noun only.
bool SoloNombre(const Analisis& a, const QHash<QString, Rasgos>& rasgos) {
    const auto r = rasgos.constFind(a.lema);
    return EsSustantivo(a.etiquetas) && r != rasgos.constEnd() &&
           r->tipos == QStringList{QStringLiteral("n")};
}

// Only the language's own articles are articles: Apertium tags "cierto", "cada" and "otro"
// <det><ind> too. A bare <det> is one when the analyser reads the word so ("el" -> el<det><def>).
QString Tipo(const Analisis& a, const QHash<QString, Rasgos>& rasgos, const QString& idioma) {
    if (EsDeterminante(a.etiquetas)) {
        const bool articulo = CodigoTipo(a.etiquetas) == QLatin1String("ar") || rasgos.value(a.lema).articulo;
        return articulo && EsArticulo(a.lema, idioma) ? QStringLiteral("ar") : QString();
    }
    return CodigoTipo(a.etiquetas);
}

// The gender a French noun's ending fixes: -tion, -sion and -té make feminine nouns ("réaction",
// "société"), but for the masculine ones every grammar lists ("été", "côté", "comité"...);
// -isme, -ement, -ament, -iment and -age (in words of six letters or more: not "image",
// "plage") masculine ones ("séisme", "rapprochement", "fromage"). Apertium's French entries, and
// its analyser, get some of these wrong. Empty for other endings. A noun of several words takes
// the gender of its first ("conception assistée"; "accusé de réception" is not told).
QString GeneroFrances(const QString& lema) {
    static const QStringList masculinosEnTe{
        QStringLiteral("été"),    QStringLiteral("côté"),    QStringLiteral("coté"),
        QStringLiteral("comité"), QStringLiteral("comté"),   QStringLiteral("traité"),
        QStringLiteral("pâté"),   QStringLiteral("député"),  QStringLiteral("arrêté"),
        QStringLiteral("doigté"), QStringLiteral("velouté"), QStringLiteral("karaté")};
    const QString w = lema.section(QLatin1Char(' '), 0, 0).toLower();
    if (w.endsWith(QStringLiteral("té")))
        return masculinosEnTe.contains(w) ? QStringLiteral("m") : QStringLiteral("f");
    for (const char* f : {"tion", "sion"})
        if (w.endsWith(QLatin1String(f))) return QStringLiteral("f");
    for (const char* m : {"isme", "ement", "ament", "iment"})
        if (w.endsWith(QLatin1String(m))) return QStringLiteral("m");
    if (w.size() >= 6 && w.endsWith(QLatin1String("age"))) return QStringLiteral("m");
    return QString();
}

// Gender and number mean something to the reader only for nouns, articles and pronouns: an
// adjective's <m><sg> in a bilingual entry is the form it was written in, not a property.
void Rasgar(const Analisis& a, const QString& tipo, const QHash<QString, Rasgos>& rasgos, QString& genero,
            QString& numero) {
    genero.clear();
    numero.clear();
    if (tipo != QLatin1String("n") && tipo != QLatin1String("ar") && tipo != QLatin1String("pro")) return;
    genero = CodigoGenero(a.etiquetas);
    numero = CodigoNumero(a.etiquetas);
    if (!EsSustantivo(a.etiquetas)) return;
    auto it = rasgos.constFind(a.lema);
    if (it == rasgos.constEnd()) return;
    // <mf> stays common whatever the analyser says about one of its readings.
    if (GeneroAbierto(a.etiquetas) && !a.etiquetas.contains(QLatin1String("mf"))) genero = it->genero;
    if (NumeroAbierto(a.etiquetas)) numero = it->numero;
}

// Rasgar, then a French noun whose ending fixes its gender has that gender, whatever its entry or
// the analyser say; a noun of both genders (<mf>) stays common.
void RasgarEn(const Analisis& a, const QString& tipo, const QHash<QString, Rasgos>& rasgos,
              const QString& idioma, QString& genero, QString& numero) {
    Rasgar(a, tipo, rasgos, genero, numero);
    if (idioma != QLatin1String("fra") || tipo != QLatin1String("n") ||
        a.etiquetas.contains(QLatin1String("mf")))
        return;
    const QString g = GeneroFrances(a.lema);
    if (!g.isEmpty()) genero = g;
}

QString Escribir(const QString& lema, const QStringList& etiquetas) {
    QString s = lema;
    for (const QString& e : etiquetas)
        s += QLatin1Char('<') + e + QLatin1Char('>');
    return s;
}

// The word one side of a pair stands for. A noun whose tags fix a gender other than its lemma's
// ("hijo<n><f>": daughter), a translation whose tags fix a plural the headword does not have
// ("person<n><pl>" for "gente"), and a comparative or superlative adjective
// ("good<adj><sint><comp>"), are that form, made by the language's generator. Otherwise, or when
// the generator cannot make it, the lemma. Headwords stay singular: an entry that holds for the
// plural only ("premio<n><pl>" -> "prix") is still filed under "premio".
QString EnSuForma(const Analisis& a, const Analisis& otro, const QHash<QString, Rasgos>& rasgos,
                  const std::function<QString(const QString&)>& generar, bool traduccion) {
    if (!generar || a.etiquetas.isEmpty()) return a.lema;
    const QStringList& t = a.etiquetas;
    std::vector<QStringList> intentos;
    bool deGenero = false;
    if (EsSustantivo(t)) {
        const auto r = rasgos.constFind(a.lema);
        const QString g = CodigoGenero(t);
        deGenero = (g == QLatin1String("m") || g == QLatin1String("f")) && !t.contains(QLatin1String("mf")) &&
                   r != rasgos.constEnd() && !r->genero.isEmpty() && r->genero != g;
        const bool plural = traduccion && t.contains(QLatin1String("pl")) &&
                            !otro.etiquetas.contains(QLatin1String("pl")) &&
                            !otro.etiquetas.contains(QLatin1String("sp")) &&
                            !(r != rasgos.constEnd() && r->numero == QLatin1String("p"));
        if (!deGenero && !plural) return a.lema;
        QStringList base = t;
        if (NumeroAbierto(t)) base << QStringLiteral("sg");
        intentos.push_back(base);
    } else if (t.first() == QLatin1String("adj") &&
               (t.contains(QLatin1String("comp")) || t.contains(QLatin1String("sup")))) {
        intentos.push_back(t);
        intentos.push_back(t + QStringList{QStringLiteral("mf"), QStringLiteral("sg")});
        intentos.push_back(t + QStringList{QStringLiteral("m"), QStringLiteral("sg")});
    } else {
        return a.lema;
    }
    for (const QStringList& e : intentos) {
        QString w = generar(Escribir(a.lema, e));
        w.remove(QLatin1Char('~'));
        if (!w.isEmpty() && TieneLetra(w)) return w;
    }
    return a.lema;
}

QString Escrita(const Analisis& a, const Analisis& otro, const QHash<QString, Rasgos>& rasgos,
                const std::function<QString(const QString&)>& generar, bool traduccion) {
    return SinBlancoEnGuion(EnSuForma(a, otro, rasgos, generar, traduccion));
}

// A noun whose entry leaves the gender open (<GD> or no gender tag: "amigo" -> "friend"), whose
// lemma has no feminine entries of its own, and whose language makes a feminine of it, has that
// feminine form with the same sense: it is a headword too ("amiga" -> "friend", feminine), its
// translation in the feminine where that is open as well and the other language has genders
// ("amigo" -> "amigo" gives "amiga" -> "amiga").
std::optional<Candidata> Femenina(const Candidata& c, const Insumos& in, const QSet<QString>& conFemenina) {
    if (conFemenina.contains(c.origen.lema)) return std::nullopt;
    auto abierto = [](const Analisis& a) {
        return EsSustantivo(a.etiquetas) && GeneroAbierto(a.etiquetas) &&
               !a.etiquetas.contains(QLatin1String("mf"));
    };
    if (!abierto(c.origen)) return std::nullopt;
    auto feminizar = [](Analisis a) {
        a.etiquetas.removeAll(QStringLiteral("GD"));
        a.etiquetas.insert(1, QStringLiteral("f"));
        return a;
    };
    Candidata f = c;
    f.origen = feminizar(c.origen);
    if (abierto(c.destino) && !in.rasgosDestino.value(c.destino.lema).genero.isEmpty())
        f.destino = feminizar(c.destino);
    f.palabra = Escrita(f.origen, f.destino, in.rasgosOrigen, in.generarOrigen, false);
    if (f.palabra == c.palabra) return std::nullopt;
    f.traduccion = Escrita(f.destino, f.origen, in.rasgosDestino, in.generarDestino, true);
    f.derivada = true;
    f.clave = textfold::FoldCase(f.palabra);
    return f;
}

// What the pairs of a direction give before ranking: a candidate row for each pair that makes
// one (and for each feminine made from it), after the function words' rows; and the source
// analyses that some translation shows to be unrestricted or mutual, and the lemmas that are
// adjectives too, which rank the candidates of one headword.
struct Recogida {
    std::vector<Candidata> candidatas;
    QSet<QString> libres, mutuos, conAdjetivo;
    bool ingles = false; // the headwords are English
};

// The function words' rows lead their headword, in the order of their list.
void RecogerFuncionales(const Insumos& in, std::vector<Candidata>& candidatas) {
    for (const esquema::Fila& f : in.funcionales) {
        Candidata c;
        c.hecha = &f;
        c.palabra = f.palabra;
        c.traduccion = f.traduccion;
        c.clave = textfold::FoldCase(f.palabra);
        c.orden = candidatas.size();
        candidatas.push_back(std::move(c));
    }
}

// Lemmas with entries of their own for the feminine ("abad<n><f>" -> "abbess"): their open
// entries make no feminine ("abadesa" is not "abbot").
QSet<QString> ConFemenina(const std::vector<Par>& pares) {
    QSet<QString> lemas;
    for (const Par& p : pares) {
        if (!p.origen.contains(QLatin1String("<f>"))) continue;
        const Analisis a = LeerAnalisis(p.origen);
        if (EsSustantivo(a.etiquetas)) lemas.insert(a.lema);
    }
    return lemas;
}

// The adjective pairs of a direction ("vulgar<adj>" -> "vulgaire<adj>"): the source adjectives of
// each translation.
struct Adjetivos {
    QHash<QString, QStringList> deDestino;
};

Adjetivos LeerAdjetivos(const std::vector<Par>& pares) {
    Adjetivos r;
    for (const Par& p : pares) {
        if (!p.origen.contains(QLatin1String("<adj>")) || !p.destino.contains(QLatin1String("<adj>")))
            continue;
        const Analisis o = LeerAnalisis(p.origen), d = LeerAnalisis(p.destino);
        if (o.etiquetas.value(0) != QLatin1String("adj") || d.etiquetas.value(0) != QLatin1String("adj"))
            continue;
        r.deDestino[d.lema] << o.lema;
    }
    return r;
}

// A noun given an adjective for translation, or the other way round, though both are tagged
// nouns: the analyser of the adjective's language knows it as an adjective only ("pobreza" is
// not "pauvre"); or the dictionary itself translates the adjective the headword is made from by
// it ("vulgar" is "vulgaire", and "vulgaridad", made from "vulgar", is "vulgarité", not
// "vulgaire"). Such a translation ranks as one of another part of speech: after the nouns, yet
// still there when the headword has nothing else ("extranjero" -> "foreigner", a noun to the
// English analyser, an adjective only to the Spanish one).
bool Adjetival(const Candidata& c, const Insumos& in, const Adjetivos& adjetivos) {
    if (!EsSustantivo(c.origen.etiquetas) || !EsSustantivo(c.destino.etiquetas)) return false;
    if ((SoloNombre(c.origen, in.rasgosOrigen) && AdjetivoComoNombre(c.destino, in.rasgosDestino)) ||
        (SoloNombre(c.destino, in.rasgosDestino) && AdjetivoComoNombre(c.origen, in.rasgosOrigen)))
        return true;
    const QStringList de = adjetivos.deDestino.value(c.destino.lema);
    return std::any_of(de.begin(), de.end(), [&](const QString& a) { return Derivado(c.origen.lema, a); });
}

// The candidate of one pair, without the properties of its group; none when the pair makes no row.
std::optional<Candidata> Candidatura(const Par& p, const Insumos& in, const QString& idiomaOrigen,
                                     const QSet<QString>& vistas, const Adjetivos& adjetivos) {
    Candidata c;
    c.origen = LeerAnalisis(p.origen);
    c.destino = LeerAnalisis(p.destino);
    // Punctuation has entries too ("(" -> "("): not words anyone looks up.
    if (!TieneLetra(c.origen.lema) || !TieneLetra(c.destino.lema)) return std::nullopt;
    // Apertium's own names ("prpers", "Pole_person") are not words of either language.
    if (formas::LemaInterno(c.origen.lema) || formas::LemaInterno(c.destino.lema)) return std::nullopt;
    if (!EsCabezaValida(c.origen.lema)) return std::nullopt;
    if (EsAbreviatura(c.origen) || EsAbreviatura(c.destino)) return std::nullopt;
    // A word of the other language in this column ("buscar" or "sustituto" as Portuguese
    // headwords): its own language's analyser does not know it, the other language's does, and
    // its own language's text never has it.
    if (in.ajenas.contains(c.origen.lema) && !vistas.contains(textfold::FoldCase(c.origen.lema)))
        return std::nullopt;
    c.propio = EsNombrePropio(c.origen.etiquetas);
    // A name that stays the same in the other language teaches nothing.
    if (c.propio && textfold::FoldCase(c.origen.lema) == textfold::FoldCase(c.destino.lema))
        return std::nullopt;
    c.palabra = Escrita(c.origen, c.destino, in.rasgosOrigen, in.generarOrigen, false);
    c.traduccion = Escrita(c.destino, c.origen, in.rasgosDestino, in.generarDestino, true);
    c.clave = textfold::FoldCase(c.palabra);
    c.derivada = c.palabra != c.origen.lema;
    c.mayuscula = c.origen.lema != c.origen.lema.toLower();
    c.articulo = EsDeterminante(c.origen.etiquetas) && EsArticulo(c.origen.lema, idiomaOrigen);
    if (!c.origen.etiquetas.isEmpty()) {
        const auto e = in.etiquetado.constFind(c.origen.lema);
        // The tagger chooses the part of speech, not among the kinds of verb ("querer" is a
        // modal to it, and "want" still comes before "want to").
        const QString& primera = c.origen.etiquetas.first();
        c.etiquetada =
            e != in.etiquetado.constEnd() &&
            (*e == primera || (!CodigoTipo({*e}).isEmpty() && CodigoTipo({*e}) == CodigoTipo({primera})));
    }
    c.restringida = !in.inversos.contains(ClavePar(c.origen.lema, c.destino.lema));
    c.rango = RangoTipo(c.origen.etiquetas);
    c.usosTipo = Usos(in.usosOrigen, c.origen.lema, c.origen.etiquetas);
    c.tipoComun = MismoTipo(c.origen.etiquetas, c.destino.etiquetas) && !Adjetival(c, in, adjetivos);
    c.usosTraduccion = Usos(in.usosDestino, c.destino.lema, c.destino.etiquetas);
    c.plural = c.origen.etiquetas.contains(QLatin1String("pl"));
    // A headword the analyser does not know at all is not held against any of its readings.
    const auto r = in.rasgosOrigen.constFind(c.origen.lema);
    if (r != in.rasgosOrigen.constEnd() && !c.origen.etiquetas.isEmpty())
        c.confirmada = r->tipos.contains(c.origen.etiquetas.first());
    c.analisis = &p.origen;
    return c;
}

// Collect: the candidates in the order the pairs give them.
Recogida Recoger(const Insumos& in) {
    const QString idiomaOrigen = IdiomaOrigen(in.direccion);
    Recogida r;
    r.ingles = idiomaOrigen == QLatin1String("eng");
    r.candidatas.reserve(in.pares.size() + in.funcionales.size());
    RecogerFuncionales(in, r.candidatas);
    const QSet<QString> conFemenina = ConFemenina(in.pares);
    const QSet<QString> vistas = Vistas(in.usosOrigen);
    const Adjetivos adjetivos = LeerAdjetivos(in.pares);
    std::unordered_map<QString, size_t> grupos;
    for (const Par& p : in.pares) {
        std::optional<Candidata> c = Candidatura(p, in, idiomaOrigen, vistas, adjetivos);
        if (!c) continue;
        c->orden = r.candidatas.size();
        c->grupo = grupos.try_emplace(p.origen, grupos.size()).first->second;
        if (!c->restringida) r.libres.insert(p.origen);
        if (in.predilectos.contains(ClavePar(c->origen.lema, c->destino.lema))) r.mutuos.insert(p.origen);
        if (!c->origen.etiquetas.isEmpty() && c->origen.etiquetas.first() == QLatin1String("adj"))
            r.conAdjetivo.insert(c->origen.lema);
        std::optional<Candidata> femenina = Femenina(*c, in, conFemenina);
        r.candidatas.push_back(std::move(*c));
        if (femenina) {
            femenina->orden = r.candidatas.size();
            r.candidatas.push_back(std::move(*femenina));
        }
    }
    return r;
}

// The order of the rows of one headword (see Filas.h).
bool Antes(const Candidata& a, const Candidata& b) {
    if (a.clave != b.clave) {
        const int r = textfold::Compare(a.clave, b.clave);
        return r != 0 ? r < 0 : a.clave < b.clave;
    }
    if ((a.hecha != nullptr) != (b.hecha != nullptr)) return a.hecha != nullptr;
    if (a.hecha) return a.orden < b.orden;
    // A form made from another lemma's entry yields to the word's own entries ("Noruega" is
    // Norway before it is a Norwegian woman).
    if (a.derivada != b.derivada) return !a.derivada;
    if (a.propio != b.propio) return !a.propio;
    if (a.mayuscula != b.mayuscula) return !a.mayuscula;
    if (a.articulo != b.articulo) return a.articulo;
    if (a.confirmada != b.confirmada) return a.confirmada;
    // The part of speech readers meet the word in most ("die" the verb, not the cube); where the
    // headword's own counts cannot tell, the one whose translation readers of the other language
    // meet most ("watch" the verb, "mirar", before the noun, "reloj").
    if (a.tipoUsual != b.tipoUsual) return a.tipoUsual;
    if (a.tipoTraducido != b.tipoTraducido) return a.tipoTraducido;
    if (a.grupoMutuo != b.grupoMutuo) return a.grupoMutuo;
    if (a.grupoLibre != b.grupoLibre) return a.grupoLibre;
    if (a.etiquetada != b.etiquetada) return a.etiquetada;
    if (a.rango != b.rango) return a.rango < b.rango;
    // A bilingual entry that holds for both numbers is walked once per number, the plural
    // perhaps first ("arroz<n><m><pl>" -> "riz"): the singular stands for the lemma.
    if (a.plural != b.plural) return !a.plural;
    // Among the translations of one part of speech: those of the headword's own part of speech
    // ("school" the noun is "escuela" before "escolar"), then the one far commoner than the others
    // in the other language ("make" is "hacer" before "realizar").
    if (a.tipoComun != b.tipoComun) return a.tipoComun;
    if (a.usual != b.usual) return a.usual;
    if (a.grupo != b.grupo) return a.grupo < b.grupo;
    if (a.restringida != b.restringida) return !a.restringida;
    return a.orden < b.orden;
}

// Rank: each candidate learns what its source analysis's other translations say of it, then
// the candidates are put in row order.
void Ordenar(Recogida& r) {
    // What running text says of each headword: how often it is used in each part of speech, and
    // how often each part of speech's translations are used.
    auto tipoDe = [](const Candidata& c) { return CodigoTipo(c.origen.etiquetas); };
    auto tipoEn = [&](const Candidata& c) { return c.clave + QChar(0x1F) + tipoDe(c); };
    QHash<QString, Mayoria> tipos, traducidos, traducciones;
    for (const Candidata& c : r.candidatas) {
        if (c.hecha || tipoDe(c).isEmpty()) continue;
        tipos[c.clave].Anotar(tipoDe(c), c.usosTipo);
        traducidos[c.clave].Anotar(tipoDe(c), c.usosTraduccion);
        traducciones[tipoEn(c)].Anotar(c.traduccion, c.usosTraduccion);
    }
    // The translations of each English noun headword, and of each adjective reading.
    QHash<QString, QSet<QString>> deNombre;
    QHash<QString, QSet<QString>> deAdjetivo;
    for (const Candidata& c : r.candidatas) {
        if (c.hecha || !r.ingles) continue;
        if (tipoDe(c) == QLatin1String("n")) deNombre[c.clave].insert(c.traduccion);
        if (tipoDe(c) == QLatin1String("aj") && c.rango == 0) deAdjetivo[*c.analisis].insert(c.traduccion);
    }
    for (Candidata& c : r.candidatas) {
        const auto n = deNombre.constFind(c.clave);
        if (c.hecha || n == deNombre.constEnd() || !deAdjetivo.contains(*c.analisis)) continue;
        if (!deAdjetivo.value(*c.analisis).intersects(*n)) c.rango = kAdjetivoDeNombre;
    }
    QHash<QString, QString> tipoUsual, tipoTraducido, usual;
    for (auto it = tipos.cbegin(); it != tipos.cend(); ++it) {
        tipoUsual.insert(it.key(), it->Ganadora());
        tipoTraducido.insert(it.key(), traducidos.value(it.key()).Ganadora());
    }
    for (auto it = traducciones.cbegin(); it != traducciones.cend(); ++it)
        usual.insert(it.key(), it->Ganadora());
    for (Candidata& c : r.candidatas) {
        if (c.hecha || tipoDe(c).isEmpty()) continue;
        c.tipoUsual = tipoUsual.value(c.clave) == tipoDe(c);
        c.tipoTraducido = tipoTraducido.value(c.clave) == tipoDe(c);
        c.usual = usual.value(tipoEn(c)) == c.traduccion;
    }
    for (Candidata& c : r.candidatas) {
        if (c.hecha) continue;
        c.grupoLibre = r.libres.contains(*c.analisis);
        c.grupoMutuo = r.mutuos.contains(*c.analisis);
        // Alone, an adjective reads to the tagger as something else ("rojo." a noun, "largo." an
        // adverb, "bon." an interjection): where the word is an adjective too, the tagger's pick
        // says nothing, and the part of speech order decides.
        if (c.etiquetada && r.conAdjetivo.contains(c.origen.lema)) c.etiquetada = false;
    }
    std::stable_sort(r.candidatas.begin(), r.candidatas.end(), Antes);
}

esquema::Fila FilaDe(const Candidata& c, const QString& tipo, const Insumos& in,
                     const QString& idiomaDestino) {
    esquema::Fila f;
    f.palabra = c.palabra;
    f.traduccion = c.traduccion;
    f.tipo = tipo;
    f.tipoT = Tipo(c.destino, in.rasgosDestino, idiomaDestino);
    RasgarEn(c.origen, f.tipo, in.rasgosOrigen, IdiomaOrigen(in.direccion), f.genero, f.numero);
    RasgarEn(c.destino, f.tipoT, in.rasgosDestino, idiomaDestino, f.generoT, f.numeroT);
    return f;
}

// Emit: one row per translation and part of speech of a headword, the first ones of each
// headword giving its further meanings where the direction shows them.
std::vector<esquema::Fila> Emitir(const std::vector<Candidata>& candidatas, const Insumos& in) {
    const Direccion& dir = kDirecciones.at(static_cast<size_t>(in.direccion));
    const QString idiomaOrigen = IdiomaOrigen(in.direccion), idiomaDestino = IdiomaDestino(in.direccion);
    std::vector<esquema::Fila> filas;
    filas.reserve(candidatas.size());
    size_t inicioGrupo = 0;
    QSet<QString> vistos;
    QStringList traducciones; // distinct translations of the current headword, in row order
    auto cerrarGrupo = [&]() {
        if (dir.acepciones) {
            QVariant a1, a2;
            if (traducciones.size() >= 2) {
                a1 = traducciones[1];
                a2 = traducciones.size() >= 3 ? traducciones[2] : QString(QLatin1String(""));
            }
            for (size_t i = inicioGrupo; i < filas.size(); ++i) {
                filas[i].acepcion1 = a1;
                filas[i].acepcion2 = a2;
            }
        }
        inicioGrupo = filas.size();
        vistos.clear();
        traducciones.clear();
    };
    QString claveActual;
    for (const Candidata& c : candidatas) {
        if (c.clave != claveActual) {
            cerrarGrupo();
            claveActual = c.clave;
        }
        // One row per translation and part of speech of a headword: "poder" is "pouvoir" as a
        // verb and as a noun, two rows; a function word's row stands for the lemma row that says
        // the same ("el" -> "the", article).
        const QString tipo = c.hecha ? c.hecha->tipo : Tipo(c.origen, in.rasgosOrigen, idiomaOrigen);
        const QString par = ClavePar(c.clave, c.traduccion) + QChar(0x1F) + tipo;
        if (vistos.contains(par)) continue;
        vistos.insert(par);
        if (!traducciones.contains(c.traduccion)) traducciones << c.traduccion;

        filas.push_back(c.hecha ? *c.hecha : FilaDe(c, tipo, in, idiomaDestino));
    }
    cerrarGrupo();
    return filas;
}

} // namespace

bool EsCabezaValida(const QString& lema) {
    static const QString puntuacion = QStringLiteral(",;:!?\"‘’“”«»()[]{}¿¡");
    if (std::any_of(lema.begin(), lema.end(), [](QChar c) { return puntuacion.contains(c); })) return false;
    return lema.simplified().count(QLatin1Char(' ')) < 4;
}

QSet<QString> ClavesInversas(const std::vector<Par>& paresOpuestos) {
    QSet<QString> claves;
    for (const Par& p : paresOpuestos)
        claves.insert(ClavePar(LeerAnalisis(p.destino).lema, LeerAnalisis(p.origen).lema));
    return claves;
}

QSet<QString> ClavesPredilectas(const std::vector<Par>& paresOpuestos) {
    // LeerBilingue keeps each source analysis's translations together, its first choice first.
    QSet<QString> claves;
    const QString* anterior = nullptr;
    for (const Par& p : paresOpuestos) {
        if (!anterior || *anterior != p.origen)
            claves.insert(ClavePar(LeerAnalisis(p.destino).lema, LeerAnalisis(p.origen).lema));
        anterior = &p.origen;
    }
    return claves;
}

QStringList Lemas(const std::vector<Par>& pares, bool destino) {
    QSet<QString> vistos;
    QStringList lemas;
    for (const Par& p : pares) {
        const QString lema = LeerAnalisis(destino ? p.destino : p.origen).lema;
        if (lema.isEmpty() || vistos.contains(lema)) continue;
        vistos.insert(lema);
        lemas << lema;
    }
    return lemas;
}

std::vector<esquema::Fila> ConstruirFilas(const Insumos& in) {
    Recogida r = Recoger(in);
    Ordenar(r);
    return Emitir(r.candidatas, in);
}

void MarcarGrabaciones(std::vector<esquema::Fila>& filas,
                       const std::function<bool(const QString&)>& hayGrabacion) {
    for (esquema::Fila& f : filas)
        f.pronunciacion = hayGrabacion(f.traduccion);
}

Resumen Resumir(const std::vector<esquema::Fila>& filas) {
    Resumen r;
    QSet<QString> palabras;
    for (const esquema::Fila& f : filas) {
        palabras.insert(textfold::FoldCase(f.palabra));
        ++r.filas;
        if (!f.tipo.isEmpty()) ++r.conTipo;
        if (f.tipo == QLatin1String("n")) {
            ++r.sustantivos;
            if (!f.genero.isEmpty()) ++r.sustantivosConGenero;
        }
        if (!f.acepcion1.isNull() && !f.acepcion1.toString().isEmpty()) ++r.conAcepciones;
        if (f.pronunciacion) ++r.conPronunciacion;
    }
    r.palabras = static_cast<int>(palabras.size());
    return r;
}

} // namespace generador
