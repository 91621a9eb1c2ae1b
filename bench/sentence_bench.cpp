// Sentence translation through each direction's whole Apertium pipeline (translator/Frases.h), on
// the prose of build/yardstick/:
//   - the first sentence of a run, which also loads the pipeline: each iteration in a process of
//     its own, forked, so nothing loaded before counts (wall clock; the child's processor time as
//     "cpu_ms"); target under 1.5 s;
//   - a later paragraph of 100 words, the pipeline loaded; target under 100 ms;
//   - 1 MB of prose (the yardstick repeated), with the process's peak resident memory while it
//     loads and translates ("pico_MB", VmHWM of /proc/self/status, reset before); targets under
//     30 s and under 250 MB;
//   - 10 MB on a single line (Spanish to English only): nothing but spaces and sentence ends to
//     cut it at.
#include "platform/Paths.h"
#include "translator/Frases.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kCarpeta = QStringLiteral(PALAVRIX_BUILD_DIR);

QString Prosa(const char* archivo) {
    QFile f(kCarpeta + QStringLiteral("/yardstick/%1.txt").arg(QLatin1String(archivo)));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Loads the direction's pipeline if it is not loaded yet; false (and the benchmark skipped with
// the reason) when it cannot be.
bool Preparar(benchmark::State& state, int direccion) {
    paths::SetAppPath(kCarpeta);
    const frases::Resultado r = frases::Traducir(direccion, QString());
    if (!r.error.isEmpty()) {
        state.SkipWithError(r.error.toUtf8().constData());
        return false;
    }
    return true;
}

// A field of /proc/self/status, in kB ("VmHWM:", "VmRSS:").
long Estado(const char* campo) {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return -1;
    char linea[256];
    long kb = -1;
    while (std::fgets(linea, sizeof linea, f))
        if (std::strncmp(linea, campo, std::strlen(campo)) == 0) kb = std::atol(linea + std::strlen(campo));
    std::fclose(f);
    return kb;
}

// Sets the peak resident memory back to what is resident now, so that the peak read afterwards
// is that of what ran in between.
bool ReiniciarPico() {
    FILE* f = std::fopen("/proc/self/clear_refs", "w");
    if (!f) return false;
    const bool escrito = std::fputs("5", f) >= 0;
    return std::fclose(f) == 0 && escrito;
}

// The first sentence of the first paragraph of a language's measuring prose.
QString PrimeraFrase(const char* idioma) {
    const QString prosa = Prosa(QStringLiteral("%1-medir").arg(QLatin1String(idioma)).toUtf8().constData());
    const QString parrafo = prosa.section(QLatin1Char('\n'), 0, 0);
    const qsizetype fin = parrafo.indexOf(QLatin1String(". "));
    return fin > 0 ? parrafo.left(fin + 1) : parrafo;
}

void BM_FirstSentence(benchmark::State& state, int direccion, const char* idioma) {
    const QString frase = PrimeraFrase(idioma);
    if (frase.isEmpty()) {
        state.SkipWithError("no sample text: build the yardstick (scripts/yardstick-text)");
        return;
    }
    paths::SetAppPath(kCarpeta);
    double cpu = 0;
    for (auto _ : state) {
        int tubo[2];
        if (pipe(tubo) != 0) {
            state.SkipWithError("pipe");
            break;
        }
        const pid_t hijo = fork();
        if (hijo == 0) {
            ::close(tubo[0]);
            frases::Olvidar();
            const auto t0 = std::chrono::steady_clock::now();
            const frases::Resultado r = frases::Traducir(direccion, frase);
            const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            const double medida[2] = {s, r.completa && !r.texto.isEmpty() ? 1.0 : 0.0};
            const ssize_t escrito = ::write(tubo[1], medida, sizeof medida);
            _exit(escrito == sizeof medida ? 0 : 1);
        }
        ::close(tubo[1]);
        double medida[2] = {0, 0};
        const ssize_t leido = hijo > 0 ? ::read(tubo[0], medida, sizeof medida) : -1;
        ::close(tubo[0]);
        int estado = 0;
        rusage uso{};
        if (hijo > 0) wait4(hijo, &estado, 0, &uso);
        if (leido != sizeof medida || medida[1] == 0 || !WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
            state.SkipWithError("the first sentence was not translated");
            break;
        }
        state.SetIterationTime(medida[0]);
        cpu += static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1e3 +
               static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e3;
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
    state.counters["caracteres"] = static_cast<double>(frase.size());
}

// Paragraphs of 100 words: the measuring prose's words, a hundred at a time.
QStringList Parrafos100(const char* idioma, int cuantos) {
    const QStringList palabras =
        Prosa(QStringLiteral("%1-medir").arg(QLatin1String(idioma)).toUtf8().constData())
            .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QStringList r;
    for (qsizetype i = 0; i + 100 <= palabras.size() && r.size() < cuantos; i += 100)
        r << palabras.mid(i, 100).join(QLatin1Char(' '));
    return r;
}

void BM_LaterParagraph(benchmark::State& state, int direccion, const char* idioma) {
    const QStringList parrafos = Parrafos100(idioma, 40);
    if (parrafos.size() < 40) {
        state.SkipWithError("no sample text: build the yardstick (scripts/yardstick-text)");
        return;
    }
    if (!Preparar(state, direccion)) return;
    qsizetype i = 0;
    for (auto _ : state) {
        const frases::Resultado r = frases::Traducir(direccion, parrafos[i++ % parrafos.size()]);
        if (!r.completa) {
            state.SkipWithError("a paragraph was not translated");
            break;
        }
        benchmark::DoNotOptimize(r.texto);
    }
    state.counters["palabras"] = 100;
}

// The language's prose repeated up to `bytes` bytes of UTF-8, whole lines, joined by `union`.
QString Repetida(const char* idioma, qsizetype bytes, const QString& union_) {
    const QStringList lineas = Prosa(idioma).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QString r;
    qsizetype tamano = 0;
    for (qsizetype i = 0; !lineas.isEmpty() && tamano < bytes; ++i) {
        const QString& l = lineas[i % lineas.size()];
        r += l + union_;
        tamano += l.toUtf8().size() + union_.size();
    }
    return r;
}

// Translates `texto` once per iteration, the pipeline loaded afresh outside the time but inside
// the memory measure.
void TraducirMedido(benchmark::State& state, int direccion, const QString& texto) {
    if (texto.isEmpty()) {
        state.SkipWithError("no sample text: build the yardstick (scripts/yardstick-text)");
        return;
    }
    long pico = 0, antes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        frases::Olvidar();
        // What the pipeline before freed goes back to the system, so that it does not stand
        // for this one's memory.
        malloc_trim(0);
        antes = Estado("VmRSS:");
        if (!ReiniciarPico()) state.counters["pico_desde_el_inicio"] = 1;
        const bool cargada = Preparar(state, direccion);
        state.ResumeTiming();
        if (!cargada) break;
        const frases::Resultado r = frases::Traducir(direccion, texto);
        if (!r.completa) {
            state.SkipWithError("the text was not translated");
            break;
        }
        benchmark::DoNotOptimize(r.texto);
        pico = Estado("VmHWM:");
    }
    state.counters["pico_MB"] = static_cast<double>(pico) / 1024.0;
    state.counters["antes_MB"] = static_cast<double>(antes) / 1024.0;
    state.SetBytesProcessed(state.iterations() * texto.toUtf8().size());
}

void BM_OneMegabyte(benchmark::State& state, int direccion, const char* idioma) {
    TraducirMedido(state, direccion, Repetida(idioma, 1 << 20, QStringLiteral("\n")));
}

void BM_TenMegabytesOneLine(benchmark::State& state, int direccion, const char* idioma) {
    TraducirMedido(state, direccion, Repetida(idioma, 10 << 20, QStringLiteral(" ")));
}

} // namespace

// The first sentences first: in a process that has loaded nothing yet, the children start as
// lean as the program does.
BENCHMARK_CAPTURE(BM_FirstSentence, EspIng, 0, "spa")
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstSentence, IngEsp, 1, "eng")
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstSentence, EspPor, 2, "spa")
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstSentence, PorEsp, 3, "por")
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstSentence, EspFra, 4, "spa")
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstSentence, FraEsp, 5, "fra")
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_LaterParagraph, EspIng, 0, "spa")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LaterParagraph, IngEsp, 1, "eng")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LaterParagraph, EspPor, 2, "spa")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LaterParagraph, PorEsp, 3, "por")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LaterParagraph, EspFra, 4, "spa")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LaterParagraph, FraEsp, 5, "fra")->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_OneMegabyte, EspIng, 0, "spa")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneMegabyte, IngEsp, 1, "eng")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneMegabyte, EspPor, 2, "spa")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneMegabyte, PorEsp, 3, "por")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneMegabyte, EspFra, 4, "spa")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneMegabyte, FraEsp, 5, "fra")->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_TenMegabytesOneLine, EspIng, 0, "spa")->Iterations(1)->Unit(benchmark::kMillisecond);
