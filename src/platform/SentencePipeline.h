#pragma once
// Apertium's whole translation pipeline for one language pair, run inside the program.
//
// A pair's mode (Debian's /usr/share/apertium/modes/<pair>.mode) chains ten or so programs:
// analyser, tagger, pretransfer, bilingual dictionary, lexical selection, one to three transfer
// stages, generator and post-generator. Each of them is a class of Apertium's, lttoolbox's or
// apertium-lex-tools' libraries; this class loads them once and runs the chain over a text in
// memory, stage after stage, with no process started and no shell. Text goes in and out as
// `apertium -f txt` would take and give it: the text format's deformatter and reformatter
// are ours (SentenceFormat.h), the rest is the libraries' own code.
//
// The stages and the files they read come from a description the build writes from the mode
// file (`<pair>.frases` in the data folder, see tools/copy-morphology), with the size and
// SHA-256 digest of every file. Apertium's readers trust their input (a damaged transfer file
// ends the process from inside libxml2's caller; a damaged transducer crashes lttoolbox), so a
// file is handed over only when it is a regular file of the recorded size and digest.
//
// A pipeline is not thread-safe: one caller at a time. Apertium's tagger also keeps its tag
// list in a global, so two pipelines must not run at the same moment either; `Translate`
// serialises them with a lock of its own.
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace sentences {

class Pipeline {
public:
    // Reads `<folder>/<pair>.frases` and every file it names. On failure, nullptr and `error`
    // set to one line of Spanish for the user (which file is missing or damaged).
    static std::unique_ptr<Pipeline> Load(const QString& folder, const QString& pair, QString* error);
    ~Pipeline();
    Pipeline(const Pipeline&) = delete;
    // How many pipelines exist in the process now (what is kept in memory, for tests).
    static int Live();
    Pipeline& operator=(const Pipeline&) = delete;

    // Called between pieces of a long text with the characters done so far and the total;
    // returning false stops the translation.
    using Progress = std::function<bool(qsizetype done, qsizetype total)>;

    struct Result {
        QString text; // the translation (what was done so far, when stopped or failed)
        bool complete = false;
        QString error; // one line of Spanish when a stage failed; empty otherwise
    };

    // Translates plain text. Unknown words come out as "<word>" (where `apertium -u` leaves
    // them bare); everything else is what `apertium -u -f txt <pair>` gives for the same text.
    // A long text is cut at paragraph (else line, else sentence, else word) boundaries into
    // pieces of a few kilobytes, each run through the whole chain.
    Result Translate(const QString& text, const Progress& progress = {});

    // Which source words each output word came from. The text (a line or a paragraph, at most a
    // piece) is translated again with each unit the analyser found tied to its stretch of the
    // text by a word-bound blank, which Apertium's stages carry to the words they make from it.
    // A word the transfer made up ("did" in "did not go") gets the stretch of the unit whose
    // rule made it. `text` of the result is that translation: it can differ from Translate's
    // where a tie keeps the transfer from joining words (the caller compares the two).
    struct Link {
        qsizetype outStart = 0, outLength = 0; // in Alignment::text
        qsizetype srcStart = 0, srcLength = 0; // in the text given
    };
    struct Alignment {
        QString text;
        QList<Link> links;
        bool complete = false;
    };
    Alignment Align(const QString& text);

    // The words of a plain text as the pair's analyser cuts them and its tagger reads them in
    // context: the chain's first stages, up to the tagger. Words of several tokens ("sin
    // embargo"), elisions ("l'", "aujourd'hui") and verbs with their pronouns ("dámelo") are
    // one unit each, as the analyser knows them; blanks and signs between units are not listed.
    struct Unit {
        // The stretch of the text given; start -1 for a unit the text does not hold (a sentence
        // end the deformatter added).
        qsizetype start = -1, length = 0;
        QString surface;
        // The analyser's readings, as lttoolbox spells them ("saber<vblex><pri><p1><sg>", parts
        // of a compound joined by '+'), escapes undone; none for a word it does not know.
        QStringList readings;
        QString chosen; // the tagger's choice among them; empty for an unknown word
    };
    // Empty, with `error` set, when a stage fails. Long texts are cut into pieces as Translate does.
    QList<Unit> Tag(const QString& text, QString* error = nullptr);

    // The stream of one piece after one stage, for tests and debugging: the deformatted text
    // run through the first `stages` stages (all when -1).
    QString RunStages(const QString& deformatted, int stages = -1);
    QStringList StageNames() const;

private:
    struct Impl;
    explicit Pipeline(std::unique_ptr<Impl> impl);
    // Tag for a stretch of the text that starts at `base` and holds no word too long to analyse;
    // false, with the reason in `error`, when a stage fails.
    bool TagStretch(QStringView text, qsizetype base, QList<Unit>& units, QString* error);
    std::unique_ptr<Impl> impl_;
};

} // namespace sentences
