#pragma once
// Gender and number of nouns, from a language's own morphological analyser (.automorf.bin).
//
// Bilingual entries often leave the gender open (<GD>: "perro" / "perra"; <mf>) or say nothing
// about it, and a lemma's number is never in them. The analyser of the word's language knows:
// "perro" -> perro<n><m><sg>, "tijeras" -> tijeras<n><f><pl>, "crisis" -> crisis<n><f><sp>.
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

class FSTProcessor;

namespace generador {

struct Rasgos {
    QString genero; // "m", "f", "n" or empty (common, unknown)
    QString numero; // "s" singular, "p" plural only, empty when invariable or unknown
};

class Analizador {
public:
    // Throws std::runtime_error when the file cannot be read.
    explicit Analizador(const std::string& automorf);
    ~Analizador();
    Analizador(const Analizador&) = delete;
    Analizador& operator=(const Analizador&) = delete;

    // The noun readings of each lemma, all looked up in one pass of the analyser. A lemma with no
    // noun reading is absent from the result. For a multiword lemma ("profesión de dedicación")
    // the reading of its head, the first word, counts when the whole is unknown.
    QHash<QString, Rasgos> Sustantivos(const QStringList& lemas);

private:
    std::unique_ptr<FSTProcessor> fst_;
};

// From the readings of one word, those whose lemma is `lema`: the gender of the first reading that
// has one; "s" when some reading is singular, "p" when all are plural, empty when invariable.
// Exposed for tests. `lecturas` are analyses as printed: "tijeras<n><f><pl>".
bool RasgosDeLecturas(const QString& lema, const QStringList& lecturas, Rasgos& rasgos);

} // namespace generador
