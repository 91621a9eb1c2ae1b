#pragma once
// Plain text in and out of Apertium's stream format, as `apertium -f txt` does it.
//
// Apertium's own text deformatter and reformatter (apertium-destxt, apertium-retxt) are programs
// generated from a format description, with no library to call; these functions do what they do,
// and the tests compare them with the programs. What the pipeline's stages see is therefore the
// same stream the `apertium` command would feed them:
// - the characters the stream reserves ([ ] \ / @ < > ^ $ { }) are escaped with a backslash;
//   so is '*', which the generator puts before an unknown word, so that a star the user typed
//   is never taken for that mark on the way out; the two characters unknown words are marked
//   with on the way out (kMarcaAbre, kMarcaCierra), when typed, go escaped into a superblank of
//   their own, so that they come out as typed;
// - a run of white space other than one single space (line breaks, tabs, several spaces, '~')
//   becomes a "superblank" in brackets, which the stages carry through untouched;
// - a paragraph break (a blank line) and the end of the text are ends of sentence: ".[]" goes
//   there, so the tagger and the transfer rules see a sentence end; the reformatter drops it;
// - NUL characters are dropped (the stream uses them to flush), as if they were not there:
//   apertium-destxt drops them too, but ends a white run at one, so that a NUL inside a blank
//   line hides the paragraph break from it. Here a NUL counts for nothing, so the stages see
//   the paragraph breaks the user sees.
#include <QList>
#include <QString>
#include <QStringView>

namespace sentences {

QString Deformat(QStringView text);

// Where the pipeline marks a word as unknown in the stream on its way out (two characters of
// Unicode's private use area, which no stage touches); the reformatter writes them '<' and '>'.
inline constexpr char16_t kMarcaAbre = u'\uE000';
inline constexpr char16_t kMarcaCierra = u'\uE001';

// The stream back to text, as apertium-retxt gives it: brackets and escapes removed, the sentence
// ends the deformatter added dropped; and each word marked as unknown written "<xyzzy>". A
// word-bound blank ("[[...]]", which only Align's streams hold) is dropped whole.
QString Reformat(QStringView stream);

// A stretch of the reformatted text that a word-bound blank ("[[t:i:3]]house[[/]]") held: the
// blank's contents ("t:i:3", or several joined with "; ") and where the stretch is in the text.
struct WordBound {
    QString tags;
    qsizetype start = 0, length = 0;
};
// Reformat, also telling where each word-bound stretch ended up (the blanks themselves are not
// written).
QString Reformat(QStringView stream, QList<WordBound>* bound);

// Cuts a text into pieces of at most `limit` characters, each translated on its own. A piece
// ends, by preference, after a paragraph break (a blank line, "\n\n" or "\r\n\r\n", where the
// stream holds a sentence end anyway, so cutting there changes nothing in the translation), else
// after a line break, else after the end of a sentence, else after a space; a run with none of
// them is cut at the limit, never between the two halves of a surrogate pair (a limit under 16
// counts as 16). The pieces, joined, are the text.
QList<QStringView> Pieces(QStringView text, qsizetype limit);

// A stretch of a text: ordinary text, or one word longer than the limit given to SplitLongWords.
struct Stretch {
    qsizetype start = 0, length = 0;
    bool tooLong = false;
};
// The text in stretches, in order, with each run of more than `longestWord` letters, digits and
// marks, and each run of more than `longestRun` characters other than white space, on its own.
// No language has such a word, but pasted junk does: lttoolbox's analyser takes a time that grows
// with the square of a word's length, and drops part of a run with no blank longer than its
// buffer (about two thousand characters, "ab-ab-ab-…"). Such a run never goes through the
// stages. The stretches, joined, are the text; an empty text is one empty stretch.
QList<Stretch> SplitLongWords(QStringView text, qsizetype longestWord, qsizetype longestRun);

} // namespace sentences
