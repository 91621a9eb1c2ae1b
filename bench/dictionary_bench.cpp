// What the user waits for, on the generated database: the start up to the dictionary window,
// one lookup, the first word-list fill of each direction, translating 32,766 characters and
// 1 MB; a single word of 1 MB looked up, and translated word by word and by sentences (target
// under a second each); and, as the floor everything is compared with, the raw indexed SQLite
// lookup.
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Consulta.h"
#include "dictionary_data/Esquema.h"
#include "dictionary_window/frmPrincipal.h"
#include "guide/MSAgent.h"
#include "platform/DaoNative.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/SimpleCombo.h"
#include "startup/General.h"
#include "support/Abrir.h"
#include "translator/Frases.h"
#include "translator/frmTraductor.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QThread>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

// The floor: the stored query's own SQL, prepared once, bound, stepped to the first row and
// every column read.
void BM_LookupFloor(benchmark::State& state) {
    if (!abrir(state)) return;
    sqlite3* h = dao::NativeHandle(*dbDiccionario);
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = esquema::SqlConsulta(0).toUtf8();
    sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr);
    for (auto _ : state) {
        sqlite3_bind_text(st, 1, "casa", 4, SQLITE_STATIC);
        if (sqlite3_step(st) == SQLITE_ROW)
            for (int i = 0; i < sqlite3_column_count(st); ++i)
                benchmark::DoNotOptimize(sqlite3_column_text(st, i));
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
}
BENCHMARK(BM_LookupFloor)->Unit(benchmark::kMicrosecond);

// One lookup as the user makes it: the stored query read from the file, run, and the seven
// labels filled.
void BM_Lookup(benchmark::State& state) {
    if (!abrir(state)) return;
    DiccionarioActual = 0;
    auto* w = new frmPrincipal;
    w->Load();
    for (auto _ : state)
        w->TradicirPalabra(QStringLiteral("casa"));
    // Its first row is the commonest sense ("home" since the rows are ranked by use).
    if (w->lblTraduccion->text().isEmpty() || w->lblTraduccion->text().startsWith(QLatin1Char('<')))
        state.SkipWithError("casa was not found");
    w->Unload();
    Forms::FlushUnloaded();
}
BENCHMARK(BM_Lookup)->Unit(benchmark::kMicrosecond);

// The first opening of the word list: every headword of the direction read and listed.
void BM_WordListFill(benchmark::State& state) {
    if (!abrir(state)) return;
    DiccionarioActual = static_cast<uint8_t>(state.range(0));
    auto* w = new frmPrincipal;
    w->Load();
    w->show();
    for (auto _ : state) {
        w->ListaCargada = false;
        w->pctBoton_Click(4);
        w->pctBoton_Click(5);
    }
    state.counters["words"] = w->cboLista->ListCount();
    w->Unload();
    Forms::FlushUnloaded();
    DiccionarioActual = 0;
}
BENCHMARK(BM_WordListFill)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// A text of the dictionary's own words, with the punctuation of prose.
QString prosa(int caracteres) {
    auto filas = dbDiccionario->OpenRecordset(QStringLiteral("SELECT Palabra FROM EspIng WHERE Id % 7 = 0"),
                                              dao::dbOpenForwardOnly);
    QStringList palabras;
    for (; !filas->Eof(); filas->MoveNext())
        palabras << filas->Fields(QStringLiteral("Palabra")).Value().toString();
    QString texto;
    const char* signos[] = {" ", " ", " ", ", ", " ", ". ", " ", "\r\n"};
    for (int i = 0; texto.size() < caracteres; ++i) {
        texto += palabras[i % palabras.size()];
        texto += QLatin1String(signos[i % 8]);
        if (i % 13 == 0) texto += QStringLiteral("xyzw "); // a word no dictionary has
    }
    texto.truncate(caracteres);
    return texto;
}

void BM_Translate(benchmark::State& state) {
    if (!abrir(state)) return;
    DiccionarioActual = 0;
    auto* w = new frmTraductor;
    w->Load();
    w->txtTexto->setPlainText(prosa(static_cast<int>(state.range(0))));
    for (auto _ : state)
        w->TraducirTexto();
    state.SetBytesProcessed(state.iterations() * state.range(0));
    w->Unload();
    Forms::FlushUnloaded();
}
BENCHMARK(BM_Translate)->Arg(32766)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// One "word" of a megabyte of letters, as a paste of junk gives it: the time must grow with its
// length, not with its square (lttoolbox alone would take minutes).
QString palabraLarga() {
    QString w;
    w.reserve(1 << 20);
    while (w.size() < (1 << 20))
        w += QLatin1String("abcdefghijklmnopqrstuvwxyz");
    w.truncate(1 << 20);
    return w;
}

void BM_LongWordLookup(benchmark::State& state) {
    if (!abrir(state)) return;
    const QString w = palabraLarga();
    for (auto _ : state)
        benchmark::DoNotOptimize(consulta::Buscar(*dbDiccionario, 0, w));
}
BENCHMARK(BM_LongWordLookup)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LongWordWordByWord(benchmark::State& state) {
    if (!abrir(state)) return;
    DiccionarioActual = 0;
    auto* w = new frmTraductor;
    w->Load();
    w->txtTexto->setPlainText(QStringLiteral("La casa ") + palabraLarga() + QStringLiteral(" es roja."));
    for (auto _ : state)
        w->TraducirTexto();
    w->Unload();
    Forms::FlushUnloaded();
}
BENCHMARK(BM_LongWordWordByWord)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LongWordSentences(benchmark::State& state) {
    if (!abrir(state)) return;
    const QString texto = QStringLiteral("La casa ") + palabraLarga() + QStringLiteral(" es roja.");
    frases::Traducir(0, QStringLiteral("casa")); // the pipeline loaded first: its load is not the word's
    frases::Resultado r;
    for (auto _ : state)
        r = frases::Traducir(0, texto);
    if (!r.completa || !r.texto.contains(QLatin1String("house")))
        state.SkipWithError(qPrintable(QStringLiteral("no translation: ") + r.error));
}
BENCHMARK(BM_LongWordSentences)->Unit(benchmark::kMillisecond)->Iterations(3);

// From nothing to the dictionary window shown, the guide loaded and the database open: what
// Main does (the splash is shown too) and the work it leaves until the first window has painted,
// without the process start itself (bench/arranque measures that, on a real display).
void BM_Start(benchmark::State& state) {
    paths::SetAppPath(kCarpeta);
    CerrarBaseDatos();
    long rss = 0;
    for (auto _ : state) {
        struct Pasos : PasosPrograma {
            bool InstanciaPrevia() override { return false; }
        } pasos;
        if (Main(pasos) != ResultadoMain::Continuar) {
            state.SkipWithError("the start failed");
            break;
        }
        // The guide comes once a window has painted.
        for (int i = 0; i < 5000 && !AgenteActivo; ++i) {
            QCoreApplication::processEvents();
            if (!AgenteActivo) QThread::usleep(200);
        }
        if (!AgenteActivo) {
            state.SkipWithError("the guide never came");
            break;
        }
        state.PauseTiming();
        rss = std::max(rss, process::ResidentKb());
        if (AgenteActivo) DescargarAgente();
        for (QWidget* x : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<Form*>(x); f && f->Loaded()) f->Unload();
        Forms::FlushUnloaded();
        CerrarBaseDatos();
        AgenteActivo = false;
        SaludoDado = false;
        state.ResumeTiming();
    }
    state.counters["rss_mb"] = static_cast<double>(rss) / 1024.0;
}
BENCHMARK(BM_Start)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
