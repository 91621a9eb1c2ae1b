#pragma once
// Reading rich text (RTF) into a QTextDocument.
//
// The notes documents come from word processors and from pandoc, so the reader covers what those
// write for prose: groups and their saved state, the font and colour tables, character formats
// (font, size, bold, italic, underline, strike-through, colour, highlight, super/subscript,
// hidden text), paragraphs with alignment, indents, spacing and tab stops, line breaks, tabs,
// special characters, "\'hh" bytes in the document's code page (1252 unless \ansicpg or a font's
// \fcharset says otherwise; a code page this system cannot decode is read as 1252), "\uN" with
// its "\ucN" fallback skipping, list text (\pntext, \listtext), simple tables (\trowd, \cell,
// \row) and PNG or JPEG pictures (\pict with \pngblip or \jpegblip). Destinations marked "\*"
// and destinations the reader does not show (headers, footers, footnotes, fields' instructions,
// style sheets, document information, other picture formats) are skipped.
//
// Colours: text in the automatic colour (no \cf, or \cf0) gets no foreground in the document, so
// it takes the colour of the widget that shows it; the notes box is dark with light text.
//
// Hostile input is expected (a notes file can be anything on a disc): the reader never crashes
// or loops, its work is linear in the input, groups nest to at most kMaxDepth levels
// (deeper braces are read as text grouping without saving state), tables have at most
// kMaxColumns columns (further cells join the last one) and kMaxRowsPerTable rows (further
// rows start a new table), a document shows at most kMaxTables tables (the rows of any further
// table become paragraphs with their cells separated by tabs: every table added makes Qt rescan
// the whole document), and a picture is shown only when its data is at most kMaxPictureBytes
// bytes and it decodes to at most kMaxPicturePixels pixels.
#include <QByteArray>
#include <QString>
#include <chrono>

class QTextDocument;

namespace richtext {

inline constexpr int kMaxDepth = 512;
inline constexpr int kMaxColumns = 64;
inline constexpr int kMaxRowsPerTable = 5000;
inline constexpr int kMaxTables = 200;
inline constexpr qsizetype kMaxPictureBytes = qsizetype{16} * 1024 * 1024;
inline constexpr qint64 kMaxPicturePixels = 4096LL * 4096LL;

// Replaces the content of `doc` with the document read from `rtf`. Returns false, with a Spanish
// description in *error when error is not null, when the data is not an RTF document (it does
// not begin with "{\rtf"); the document is then left empty. A damaged document (unbalanced
// braces, cut short) is read as far as it goes and returns true: showing what can be read is
// more useful to the reader of the notes than showing nothing.
bool ReadRtf(const QByteArray& rtf, QTextDocument& doc, QString* error = nullptr);
// The same, giving up when reading takes longer than `limit`: the document is then left empty,
// *timedOut (when not null) is set and the result is false. What a window must show without
// freezing is read with a limit; a document that needs longer is refused, not shown late.
bool ReadRtf(const QByteArray& rtf, QTextDocument& doc, QString* error, std::chrono::milliseconds limit,
             bool* timedOut);

// True when the data starts like an RTF document ("{\rtf", after optional white space).
bool IsRtf(const QByteArray& data);

// The character of code page 1252 for a byte (the bytes Windows leaves undefined map to the
// C1 control of the same number, as Windows itself does).
QChar Cp1252(unsigned char byte);

} // namespace richtext
