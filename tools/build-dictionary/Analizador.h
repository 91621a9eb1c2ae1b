#pragma once
// What a language's own morphological analyser (.automorf.bin) knows about a lemma.
//
// Bilingual entries often leave the gender open (<GD>: "perro" / "perra"; <mf>) or say nothing
// about it, and a lemma's number is never in them. The analyser of the word's language knows:
// "perro" -> perro<n><m><sg>, "tijeras" -> tijeras<n><f><pl>, "crisis" -> crisis<n><f><sp>.
// It also tells which parts of speech the word really has ("time" is a noun and a verb, not the
// adjective of "time bomb"), and whether a bare <det> such as "el" is the definite article.
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

class FSTProcessor;

namespace generador {

struct Rasgos {
    QString genero;        // of its noun readings: "m", "f", "n" or empty (common, unknown)
    QString numero;        // "s" singular, "p" plural only, empty when invariable or unknown
    QStringList tipos;     // first tags of its readings as a lemma: {"n", "vblex"}
    bool articulo = false; // read as a definite or indefinite determiner
};

class Analizador {
public:
    // Throws std::runtime_error when the file cannot be read.
    explicit Analizador(const std::string& automorf);
    ~Analizador();
    Analizador(const Analizador&) = delete;
    Analizador& operator=(const Analizador&) = delete;

    // The readings of each lemma, all looked up in one pass of the analyser. A lemma with no
    // reading as itself is absent from the result. For a multiword lemma ("profesión de fe") the
    // noun reading of its head, the first word, gives gender and number when the whole is unknown.
    QHash<QString, Rasgos> Consultar(const QStringList& lemas);

private:
    std::unique_ptr<FSTProcessor> fst_;
};

// From the readings of one word, those whose lemma is `lema` (case aside): their parts of speech;
// of the noun readings, the gender of the first that has one, and "s" when some is singular, "p"
// when all are plural, empty when invariable. False when no reading has that lemma.
// `lecturas` are analyses as printed: "tijeras<n><f><pl>".
bool RasgosDeLecturas(const QString& lema, const QStringList& lecturas, Rasgos& rasgos);

} // namespace generador
