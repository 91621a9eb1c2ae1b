// make-sounds: synthesises the program's effect sounds as 16-bit PCM WAV files.
//
//   make-sounds <output folder>
//
// Writes PRES.WAV (the opening jingle), CLICK.WAV (a button click) and SALIR.WAV (a window
// closing). Plain additive synthesis: each note is a sum of sine partials under its own
// attack/decay envelope; the whoosh is filtered noise from a fixed seed, so every build writes
// the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kTasa = 22050; // samples per second: plenty for effects, and small files
constexpr double kPi = 3.14159265358979323846;

using Muestras = std::vector<double>;

struct Parcial {
    double multiplo; // of the note's frequency
    double amplitud; // relative
    double caida;    // exponential decay, 1/s
};

// Adds one note: partials under a short linear attack and an exponential decay, cut off softly
// at the end of its duration so that no note ends in a step.
void Nota(Muestras& m, double inicio, double duracion, double frecuencia, double volumen,
          const std::vector<Parcial>& parciales, double ataque = 0.005, double desafinar = 0.0) {
    const int desde = static_cast<int>(inicio * kTasa);
    const int cuantas = static_cast<int>(duracion * kTasa);
    const double corte = std::min(0.03, duracion / 4);
    if (desde + cuantas > static_cast<int>(m.size())) m.resize(desde + cuantas, 0.0);
    for (int i = 0; i < cuantas; ++i) {
        const double t = static_cast<double>(i) / kTasa;
        double env = t < ataque ? t / ataque : 1.0;
        const double resto = duracion - t;
        if (resto < corte) env *= resto / corte;
        double s = 0;
        for (const auto& p : parciales) {
            const double f = frecuencia * p.multiplo;
            s += p.amplitud * std::exp(-p.caida * t) *
                 (std::sin(2 * kPi * f * t) +
                  (desafinar > 0 ? std::sin(2 * kPi * f * (1 + desafinar) * t) : 0.0));
        }
        m[desde + i] += volumen * env * s;
    }
}

// Noise through a two-pole low-pass whose cut-off slides from `desdeHz` to `hastaHz`: a whoosh.
void Soplo(Muestras& m, double inicio, double duracion, double desdeHz, double hastaHz, double volumen) {
    uint32_t semilla = 0x5A1A5EEDu;
    const int desde = static_cast<int>(inicio * kTasa);
    const int cuantas = static_cast<int>(duracion * kTasa);
    if (desde + cuantas > static_cast<int>(m.size())) m.resize(desde + cuantas, 0.0);
    double y1 = 0, y = 0;
    for (int i = 0; i < cuantas; ++i) {
        semilla = semilla * 1664525u + 1013904223u;
        const double ruido = (static_cast<double>(semilla >> 8) / (1u << 24)) * 2 - 1;
        const double x = static_cast<double>(i) / cuantas;
        const double fc = desdeHz * std::pow(hastaHz / desdeHz, x);
        const double a = 1 - std::exp(-2 * kPi * fc / kTasa);
        y1 += a * (ruido - y1);
        y += a * (y1 - y);
        const double env = std::sin(kPi * x); // swells and fades
        m[desde + i] += volumen * env * env * y;
    }
}

// Scales to the given peak and fades the last milliseconds to silence.
void Terminar(Muestras& m, double pico, double desvanecer) {
    double maximo = 0;
    for (double s : m)
        maximo = std::max(maximo, std::abs(s));
    if (maximo > 0)
        for (double& s : m)
            s *= pico / maximo;
    const int n = std::min<int>(m.size(), static_cast<int>(desvanecer * kTasa));
    for (int i = 0; i < n; ++i)
        m[m.size() - 1 - i] *= static_cast<double>(i) / n;
}

void Escribir16(std::ofstream& f, uint16_t v) {
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    f.write(b, 2);
}
void Escribir32(std::ofstream& f, uint32_t v) {
    Escribir16(f, static_cast<uint16_t>(v & 0xFFFF));
    Escribir16(f, static_cast<uint16_t>(v >> 16));
}

bool GuardarWav(const std::filesystem::path& ruta, const Muestras& m) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    const uint32_t datos = static_cast<uint32_t>(m.size() * 2);
    f.write("RIFF", 4);
    Escribir32(f, 36 + datos);
    f.write("WAVEfmt ", 8);
    Escribir32(f, 16); // size of the format chunk
    Escribir16(f, 1);  // PCM
    Escribir16(f, 1);  // mono
    Escribir32(f, kTasa);
    Escribir32(f, kTasa * 2); // bytes per second
    Escribir16(f, 2);         // bytes per frame
    Escribir16(f, 16);        // bits per sample
    f.write("data", 4);
    Escribir32(f, datos);
    for (double s : m) {
        const long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
        Escribir16(f, static_cast<uint16_t>(static_cast<int16_t>(v)));
    }
    return static_cast<bool>(f);
}

// A soft electric-piano bell: the upper partials die away first.
const std::vector<Parcial> kCampana = {{1, 1.0, 2.2}, {2, 0.45, 4.0}, {3, 0.22, 7.0}, {4.2, 0.10, 11.0}};
// A plain rounded tone for the closing notes.
const std::vector<Parcial> kSuave = {{1, 1.0, 5.0}, {2, 0.25, 9.0}, {3, 0.08, 14.0}};

double Hz(int semitonosDesdeLa4) {
    return 440.0 * std::pow(2.0, semitonosDesdeLa4 / 12.0);
}

// Opening jingle, about 2.8 s: a rising arpeggio that settles into a warm major chord.
Muestras Presentacion() {
    Muestras m(static_cast<size_t>(2.8 * kTasa), 0.0);
    const int do5 = 3, mi5 = 7, sol5 = 10, do6 = 15, re6 = 17, mi6 = 19;
    const int arpegio[] = {do5, mi5, sol5, do6, re6, mi6};
    for (int i = 0; i < 6; ++i)
        Nota(m, 0.12 * i, 0.9, Hz(arpegio[i]), 0.30, kCampana, 0.004, 0.0012);
    const double acorde = 0.80;
    for (int n : {do5, mi5, sol5, do6})
        Nota(m, acorde, 2.0, Hz(n), 0.22, kCampana, 0.01, 0.0015);
    // A soft bass under the chord, swelling in slowly.
    Nota(m, acorde, 2.0, Hz(do5 - 24), 0.35, {{1, 1.0, 1.2}, {2, 0.3, 2.0}}, 0.08);
    Nota(m, acorde, 2.0, Hz(do5 - 12), 0.15, {{1, 1.0, 1.5}}, 0.15);
    Terminar(m, 0.80, 0.35);
    return m;
}

// Button click, 45 ms: a short bright tick over a soft body.
Muestras Clic() {
    Muestras m(static_cast<size_t>(0.045 * kTasa), 0.0);
    Nota(m, 0.0, 0.045, 2400, 0.5, {{1, 1.0, 180}}, 0.0008);
    Nota(m, 0.0, 0.045, 1150, 0.6, {{1, 1.0, 90}, {1.5, 0.3, 140}}, 0.001);
    Soplo(m, 0.0, 0.012, 6000, 2500, 0.6);
    Terminar(m, 0.55, 0.005);
    return m;
}

// Window closing, 0.4 s: two falling notes over a descending whoosh.
Muestras Salida() {
    Muestras m(static_cast<size_t>(0.40 * kTasa), 0.0);
    Nota(m, 0.00, 0.20, Hz(10), 0.35, kSuave, 0.004); // sol5
    Nota(m, 0.13, 0.27, Hz(3), 0.40, kSuave, 0.004);  // do5
    Soplo(m, 0.0, 0.40, 2500, 250, 0.9);
    Terminar(m, 0.70, 0.04);
    return m;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: make-sounds <carpeta de salida>\n");
        return 2;
    }
    const std::filesystem::path salida = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(salida, ec);
    struct {
        const char* nombre;
        Muestras muestras;
    } sonidos[] = {{"PRES.WAV", Presentacion()}, {"CLICK.WAV", Clic()}, {"SALIR.WAV", Salida()}};
    int fallos = 0;
    for (const auto& s : sonidos)
        if (!GuardarWav(salida / s.nombre, s.muestras)) {
            std::fprintf(stderr, "make-sounds: no se pudo escribir %s\n",
                         (salida / s.nombre).string().c_str());
            ++fallos;
        }
    return fallos == 0 ? 0 : 1;
}
