// The notes box's costs: reading a real notes document (what a flag click waits for, before
// layout), and reading growing documents of prose, tables and deep nesting, whose time per byte
// must stay flat: the reader promises work linear in its input.
#include "platform/RichText.h"
#include "platform/RichTextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

void Leer(benchmark::State& state, const QByteArray& rtf) {
    for (auto _ : state) {
        QTextDocument doc;
        benchmark::DoNotOptimize(richtext::ReadRtf(rtf, doc));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * rtf.size());
}

// Prop7.RTF as pandoc wrote it at build time: about 35 KB, a dozen tables.
void BM_ReadEnglishNotes(benchmark::State& state) {
    QFile f(QStringLiteral(PALAVRIX_BUILD_DIR "/Palavrix/PROPIEDADES/Prop7.RTF"));
    if (!f.open(QIODevice::ReadOnly)) {
        state.SkipWithError("Prop7.RTF has not been generated");
        return;
    }
    Leer(state, f.readAll());
}
BENCHMARK(BM_ReadEnglishNotes)->Unit(benchmark::kMillisecond);

// Paragraphs of formatted prose with accents and \u escapes.
void BM_ReadProse(benchmark::State& state) {
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}";
    for (int k = 0; k < state.range(0); ++k)
        rtf +=
            "{\\pard\\qj\\sa120 Ma\\'f1ana {\\b negrita} y {\\i cursiva}, T\\u237?tulo \\u8212- fin.\\par}\n";
    rtf += "}";
    Leer(state, rtf);
}
BENCHMARK(BM_ReadProse)->Range(100, 10000)->Unit(benchmark::kMillisecond);

// One long table, two cells a row (long tables are split every few hundred rows).
void BM_ReadTableRows(benchmark::State& state) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int k = 0; k < state.range(0); ++k)
        rtf += "\\trowd\\cellx2000\\cellx6000\\pard\\intbl uno\\cell dos\\cell\\row\n";
    rtf += "}";
    Leer(state, rtf);
}
BENCHMARK(BM_ReadTableRows)->Range(100, 10000)->Unit(benchmark::kMillisecond);

// Many small tables, each between two paragraphs (past kMaxTables they become paragraphs).
void BM_ReadManyTables(benchmark::State& state) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int k = 0; k < state.range(0); ++k)
        rtf += "\\intbl uno\\cell dos\\cell\\row\\pard texto\\par\n";
    rtf += "}";
    Leer(state, rtf);
}
BENCHMARK(BM_ReadManyTables)->Range(10, 5000)->Unit(benchmark::kMillisecond);

// Braces nested far deeper than the reader keeps state for.
void BM_ReadDeepNesting(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const QByteArray rtf = "{\\rtf1 " + QByteArray(n, '{') + "x" + QByteArray(n, '}') + "}";
    Leer(state, rtf);
}
BENCHMARK(BM_ReadDeepNesting)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);

// What a flag click waits for with the worst notes files there can be: the notes box reading a
// file and laying it out for the view. Shapes: one long table, formatted prose, braces nested
// deeper than the reader keeps state for; sizes up to the box's limits (2 MB, 10,000 table cells)
// and past them. Every figure must stay within about two seconds: past that the box refuses the
// file.
void BM_LoadNotesFile(benchmark::State& state, const QByteArray& rtf) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("notas.rtf"));
    {
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        f.write(rtf);
    }
    richtext::RichTextBox caja;
    caja.resize(329, 209);
    caja.show();
    for (auto _ : state) {
        caja.LoadFile(ruta);
        benchmark::DoNotOptimize(caja.document()->documentLayout()->documentSize());
        QApplication::processEvents();
    }
    state.SetLabel(caja.Text() == richtext::RichTextBox::TooLargeMessage() ? "refused" : "shown");
}

QByteArray Repetir(QByteArray inicio, const QByteArray& pieza, qint64 bytes, const QByteArray& fin = "}") {
    inicio.reserve(bytes + fin.size());
    while (inicio.size() + pieza.size() <= bytes)
        inicio += pieza;
    return inicio + fin;
}

const QByteArray kFila = "\\trowd\\cellx2000\\cellx6000\\pard\\intbl uno\\cell dos\\cell\\row\n";
const QByteArray kParrafo = "{\\pard\\sa120 Ma\\'f1ana {\\b negrita} y {\\i cursiva}, fin.\\par}\n";

BENCHMARK_CAPTURE(BM_LoadNotesFile, table_5000_rows, Repetir("{\\rtf1\\ansi ", kFila, 5000 * (kFila.size())))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_LoadNotesFile, table_1MB, Repetir("{\\rtf1\\ansi ", kFila, 1 << 20))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_LoadNotesFile, table_7MB, Repetir("{\\rtf1\\ansi ", kFila, 7 << 20))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_LoadNotesFile, prose_1MB, Repetir("{\\rtf1\\ansi ", kParrafo, 1 << 20))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_LoadNotesFile, prose_2MB, Repetir("{\\rtf1\\ansi ", kParrafo, (2 << 20) - 16))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_LoadNotesFile, prose_8MB, Repetir("{\\rtf1\\ansi ", kParrafo, 8 << 20))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_LoadNotesFile, prose_50MB, Repetir("{\\rtf1\\ansi ", kParrafo, 50 << 20))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_LoadNotesFile, nesting_2MB,
                  "{\\rtf1 " + QByteArray((1 << 20) - 8, '{') + "x" + QByteArray((1 << 20) - 8, '}') + "}")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
