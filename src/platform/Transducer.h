#pragma once
// One compiled lttoolbox transducer (an Apertium .bin file), used in the one mode it was made for.
//
// Apertium ships, for each direction of a pair, an analyser (word -> its readings), a bilingual
// dictionary (reading -> readings in the other language), a generator (reading -> word) and a
// post-generator (joins such as "de el" -> "del"). This class hides lttoolbox behind plain
// QString calls: the rest of the program never sees its types or its stream format, only the
// readings as lttoolbox spells them ("casa<n><f><pl>", "de<pr>+el<det><def><m><sg>").
//
// A transducer is not thread-safe; each caller keeps its own.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class FSTProcessor;

namespace lt {

enum class Mode { Analysis, Bilingual, Generation, Postgeneration };

// Longer than any word of the languages we read: a longer one is never handed to an analyser, whose
// time grows with the square of a word's length (a pasted megabyte of letters would take minutes).
inline constexpr qsizetype kLongestWord = 200;

// What the build recorded of each file a direction reads: its size and SHA-256 (lower-case hex).
struct Recorded {
    qint64 size = -1;
    QByteArray sha256;
};
using Records = QHash<QString, Recorded>;

// The "archivo NAME SIZE SHA256" lines of a direction's description, `folder`/<pair>.frases, by
// name; nullopt when the description is missing, is not a regular file or a line is malformed.
std::optional<Records> ReadRecords(const QString& folder, const QString& pair);

// The whole of a regular file of at most `maxSize` bytes, read once; nullopt for anything else (a
// FIFO or device is never opened for reading: the kind is checked before and after opening).
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxSize);
// The bytes of `path` when it is a regular file of the recorded size and digest; nullopt otherwise.
// Whoever reads a file the build recorded hands on these very bytes, never the file again.
std::optional<QByteArray> ReadVerified(const QString& path, const Recorded& record);

class Transducer {
public:
    // Loads the file; nullptr when it is not a regular file, cannot be read or is not a transducer.
    // lttoolbox trusts what it reads: use this only on files no one but the system writes.
    static std::unique_ptr<Transducer> Load(const QString& file, Mode mode);
    // Loads `folder`/`name` only when `records` lists it and it is a regular file of the recorded
    // size and digest; lttoolbox reads the very bytes that were checked, so a file changed in
    // between is never read. nullptr otherwise.
    static std::unique_ptr<Transducer> LoadVerified(const QString& folder, const QString& name,
                                                    const Records& records, Mode mode);
    ~Transducer();
    Transducer(const Transducer&) = delete;
    // How many transducers exist in the process now (what is kept in memory, for tests).
    static int Live();
    Transducer& operator=(const Transducer&) = delete;

    // Analysis: the readings of one word, as the analyser orders them; empty when it does not
    // know the word. The dictionary's case is kept in the lemma ("Casa" -> "casa<n><f><sg>").
    QStringList Analyse(const QString& word);
    // Bilingual: the translations of one reading, the default first; empty when the dictionary
    // has none. Tags the entry does not fix are passed through as lttoolbox does.
    QStringList Translate(const QString& reading);
    // Generation: the word for one reading, or empty when the generator cannot make it (what
    // lttoolbox marks with '#' or '@'). Marks for the post-generator ('~') are kept.
    QString Generate(const QString& reading);
    // Post-generation of a generated text ("~de el" -> "del"); text without marks is unchanged.
    QString Postgenerate(const QString& text);

private:
    Transducer(std::unique_ptr<FSTProcessor> fst, Mode mode);
    static std::unique_ptr<Transducer> FromBytes(QByteArray bytes, Mode mode);
    QString Process(const QString& input);

    std::unique_ptr<FSTProcessor> fst_;
    Mode mode_;
};

// The characters the stream format reserves, escaped with a backslash.
QString Escape(const QString& text);
// Splits "^forma/a/b$" into its readings {"a", "b"} (the surface form dropped), undoing escapes
// only where they separate readings. A reading that starts with '*' (unknown word) gives none.
QStringList Readings(const QString& unit);

} // namespace lt
