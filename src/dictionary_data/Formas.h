#pragma once
// Words that are not headwords: the forms a reader meets in running text ("libros", "tiene",
// "del", "went"), translated into the same form through the direction's Apertium transducers.
//
// The headwords of PALAVRIX.MDB are lemmas. A form is analysed by the source language's analyser
// ("libros" -> libro<n><m><pl>), each reading translated with its tags by the bilingual
// dictionary ("book<n><pl>") and put into words by the target language's generator ("books").
// A form that analyses as several words (contractions "del" = de + el, verbs with clitics)
// translates part by part; the post-generator joins what the target language joins ("de el" ->
// "del"). A verb with pronouns attached ("dámelo", "fazê-lo") is the exception: its pronouns go
// where the target language puts them ("give it to me", "hacerlo"), which only the transfer of
// the direction's whole translation pipeline knows, so the word goes through that pipeline.
// The readings are tried in a fixed order of parts of speech (articles and pronouns before
// content words, nouns before verbs, proper nouns and numerals last) and the first that
// translates and generates cleanly wins; when none generates, the translation of its lemma
// stands in, and the hint says so. A form none of whose readings translates is not found.
//
// Degrees and participles are made as the target language makes them: a comparative in the word
// where the language has it ("bigger", "better"), else with a word before the positive ("más
// grande"; English's superlative is "más feliz" too, the article being the sentence's); a
// Romance superlative in "-ísimo", which compares with nothing, is "very tall". A participle or
// adjective out of English takes the gender and number the Romance generators want ("written"
// -> "escrito").
//
// The four transducers of a direction are loaded on its first use, not at start; the pipeline
// on the first verb with pronouns.
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace lt {
class Transducer;
}
namespace sentences {
class Pipeline;
}
namespace etiquetas {
struct Analisis;
}

namespace formas {

struct Forma {
    QString lema;           // the headword the form belongs to ("libro"); empty for personal pronouns
    QString traduccion;     // in the same form: "books"
    QString lemaTraduccion; // "book"
    // Codes as the window decodes them; gender and number only for nouns, articles and pronouns.
    QString tipo, genero, numero;
    QString tipoT, generoT, numeroT;
    QString pista; // what the form is, for the user: "plural de «libro»"; may be empty
    // False when the form could not be made and the lemma's translation stands in ("escribir" for
    // a form the generator lacks); the hint then says so.
    bool generada = true;
    int partes = 1; // words the form analyses as (2 for "del")
};

// The translation the dictionary itself gives a lemma first (its headword's first row), or empty.
// The bilingual dictionary's translations of a reading are tried with this one first, so a form
// translates as its headword does.
using Preferida = std::function<QString(const QString& lema)>;

// The files one direction needs, by Apertium's name of the pair ("spa-eng"): <par>.automorf.bin,
// .autobil.bin, .autogen.bin and .autopgen.bin.
QString NombrePar(int direccion);

// Where a direction's transducers come from: the program's data folder, where each is read only as
// the build recorded it, or a folder of the system's own Apertium packages (the data generator's
// source), which only the package manager writes and which has no description.
enum class Origen { Programa, Sistema };

class Morfologia {
public:
    // `carpeta` holds the transducers of the direction.
    Morfologia(const QString& carpeta, int direccion, Origen origen = Origen::Programa);
    ~Morfologia();
    Morfologia(const Morfologia&) = delete;
    Morfologia& operator=(const Morfologia&) = delete;

    // Loads the transducers if not done yet (waiting for a load Precargar started); false when
    // one is missing or unreadable. The transducers are read only when the direction's description
    // (<par>.frases) records them with the size and digest they have; when one is missing or
    // damaged the direction has no forms at all, and a notice says so once a run.
    bool Disponible();
    // Starts loading them on a worker thread and returns at once: a third of a second that the
    // first form looked up would otherwise wait. Nothing else may use this object until
    // Disponible() has returned.
    void Precargar();
    std::optional<Forma> Traducir(const QString& palabra, const Preferida& preferida = {});

    // The readings of a word in the order they are tried (for tests and the data generator).
    QStringList Lecturas(const QString& palabra);
    // Traducir on readings chosen or reordered by the caller: the data generator puts the part of
    // speech it wants first ("la" as the article), the translator the reading its tagger chose.
    // `palabra`, the word the readings are of, lets a verb with pronouns go through the sentence
    // pipeline whole; without it such a verb is translated part by part.
    std::optional<Forma> TraducirLecturas(const QStringList& lecturas, const Preferida& preferida = {});
    std::optional<Forma> TraducirLecturas(const QStringList& lecturas, const Preferida& preferida,
                                          const QString& palabra);

private:
    QString Generar(const QString& lectura, bool otroGenero, QString& usada);
    QString GeneroDeLema(const etiquetas::Analisis& lectura);
    QString TraducirEntera(const QString& palabra);
    void Cargar();

    QString carpeta_;
    int direccion_;
    Origen origen_;
    bool intentado_ = false;
    QString danado_; // the first file found missing or damaged, for the notice
    std::unique_ptr<lt::Transducer> analizador_, bilingue_, generador_, postgenerador_;
    std::future<void> carga_;
    QHash<QString, QString> generosDeLema_;
    // A sentence pipeline of its own, for verbs with pronouns, when the transducers come from a
    // folder other than the program's (whose pipeline is the shared one, Oraciones.h); never from
    // the system's folders, which have no description. Not thread-safe, as the transducers are not.
    bool tuberiaIntentada_ = false;
    std::unique_ptr<sentences::Pipeline> tuberia_;
};

// The process-wide analyser of a direction, reading the transducers from the "Morfologia" folder
// beside the executable; asking for one direction drops the others' (memory). nullptr for a
// direction outside 0..5.
Morfologia* De(int direccion);
// Drops them all (tests that change the program's folder).
void Olvidar();
// Starts loading a direction's transducers in the background (see Morfologia::Precargar).
void Precargar(int direccion);
// The reader chose `direccion`: every other direction's transducers and sentence pipeline are
// dropped now, not at the first word of the new one; the chosen one's load when first needed.
void SoloDireccion(int direccion);

// The order in which readings are tried; lower first. `lectura` as lttoolbox spells it.
int Rango(const QString& lectura);

// Whether a lemma is a name Apertium uses inside its data ("prpers") rather than a word.
bool LemaInterno(const QString& lema);

// "plural de «libro»", "presente de «tener»", "contracción de «de» y «el»", "«dar» con
// pronombres": what a form is. `generoLema` is the gender of the headword itself, when known, so
// that a feminine form of a masculine headword ("niñas" of "niño") says so and "casas" of "casa"
// does not. `partes` are the readings of the parts of a form of several words, as lttoolbox
// spells them ("dar<vblex><imp><p2><sg>", "lo<prn><enc><p3><nt>"). When the form was not made
// (`generada` false), the hint adds that the lemma's translation is shown instead.
QString Pista(const QString& lema, const QStringList& etiquetas, const QString& generoLema,
              const QStringList& partes, bool generada = true);

} // namespace formas
