// Resident memory as the reader goes from direction to direction: in the dictionary window a
// headword and two forms are looked up, then in the translator a sentence is translated word by
// word and whole. Only the current direction's transducers and pipeline are meant to be kept, so
// after all six directions (ending on the first again) the process should hold about what it held
// after the first alone.
#include "dictionary_window/frmPrincipal.h"
#include "platform/Process.h"
#include "support/Abrir.h"
#include "translator/frmTraductor.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QThread>
#include <benchmark/benchmark.h>

namespace {

struct Uso {
    const char* palabras[3];
    const char* frase;
};
// In the order of the directions: EspIng, IngEsp, EspPor, PorEsp, EspFra, FraEsp.
constexpr Uso kUsos[6] = {
    {{"casa", "libros", "tiene"}, "Los niños no fueron a la escuela."},
    {{"house", "went", "books"}, "The children did not go to school."},
    {{"casa", "libros", "tiene"}, "Los niños no fueron a la escuela."},
    {{"casa", "livros", "tem"}, "As crianças não foram à escola."},
    {{"casa", "libros", "tiene"}, "Los niños no fueron a la escuela."},
    {{"maison", "sont", "livres"}, "Les enfants ne sont pas allés à l'école."},
};

// One visit to a direction, as a reader makes it: the dictionary window, then the translator
// (only one main window exists at a time). False when a translation never came.
bool Usar(int direccion) {
    const Uso& u = kUsos[direccion];
    auto* p = new frmPrincipal;
    p->Load();
    p->show();
    p->lblDiccionarios_Click(direccion);
    for (const char* palabra : u.palabras)
        p->TradicirPalabra(QString::fromUtf8(palabra));
    p->Unload();
    Forms::FlushUnloaded();

    auto* t = new frmTraductor;
    t->Load();
    t->show();
    t->ElegirDireccion(direccion);
    t->txtTexto->setPlainText(QString::fromUtf8(u.frase));
    t->ElegirModo(traductor::Modo::PalabraPorPalabra);
    t->TraducirTexto();
    t->ElegirModo(traductor::Modo::FrasesCompletas);
    t->TraducirTexto();
    bool llego = false;
    for (int i = 0; i < 6000; ++i) {
        QApplication::processEvents();
        if (!t->frases->Ocupado()) {
            llego = true;
            break;
        }
        QThread::msleep(5);
    }
    t->ElegirModo(traductor::Modo::PalabraPorPalabra);
    t->Unload();
    Forms::FlushUnloaded();
    QApplication::processEvents();
    return llego;
}

void BM_MemoryAcrossDirections(benchmark::State& state) {
    if (!abrir(state)) return;
    for (auto _ : state) {
        DiccionarioActual = 0;
        bool bien = Usar(0);
        const long una = process::ResidentKb();
        for (int d : {1, 2, 3, 4, 5, 0})
            bien = Usar(d) && bien;
        const long seis = process::ResidentKb();
        if (!bien) state.SkipWithError("a sentence translation never came back");
        state.counters["rss_one_mb"] = static_cast<double>(una) / 1024.0;
        state.counters["rss_six_mb"] = static_cast<double>(seis) / 1024.0;
        state.counters["growth_mb"] = static_cast<double>(seis - una) / 1024.0;
    }
}
BENCHMARK(BM_MemoryAcrossDirections)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
