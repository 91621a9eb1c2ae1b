// Wall-clock time from starting the program to its first painted window, the way a person sees it:
// this launcher reads CLOCK_MONOTONIC, starts the program at once (so loading its libraries
// counts) and hands it the reading in PALAVRIX_MEDIR_ARRANQUE; the program answers on standard
// error when its first window has painted. Runs against an X display that is already up (Xvfb).
//
//   start_launch [--veces N] [--frio] build/palavrix
//
// Warm: one unmeasured start, left running for a few seconds, fills a private cache folder; then
// N measured starts share it.
// Cold (--frio): every start gets an empty XDG_CACHE_HOME, as on a first start, so Qt Multimedia
// and GStreamer scan their plug-ins again. Each start also gets its own settings and temporary
// folders, so a copy the user has open (the single-instance lock) or a saved drive cannot
// interfere. Prints every figure, then "mediana" and "peor" in milliseconds, and the median processor
// time the program had used by its first paint (which other work on the machine hardly changes).
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

long long MonotonicoNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

std::string CarpetaNueva(const fs::path& raiz, const std::string& nombre) {
    fs::path p = raiz / nombre;
    fs::remove_all(p);
    fs::create_directories(p);
    return p.string();
}

// The processor time `pid` has used so far (user and system, all its threads), in milliseconds:
// unlike the wall clock, it hardly changes when other work shares the processors.
double ProcesadorMs(pid_t pid) {
    FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
    if (!f) return 0;
    char buf[2048];
    const std::size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    buf[n] = 0;
    const char* p = std::strrchr(buf, ')'); // the command name may hold spaces
    if (!p) return 0;
    unsigned long long utime = 0, stime = 0;
    // After the name: state, then fields 4 to 13, then utime and stime (fields 14 and 15).
    if (std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime) != 2)
        return 0;
    return double(utime + stime) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

struct Medida {
    double ms = 0;           // wall clock, from the launcher's reading to the first paint
    double procesadorMs = 0; // processor time of the program by then
};

// One start: the milliseconds the program reported, or nothing when it ended, said nothing or
// took longer than `limiteS` seconds. The program is ended either way, `despuesMs` after its
// first paint (what it leaves for then, such as the sound back end's plug-in scan, fills caches).
std::optional<Medida> UnArranque(const std::string& programa, const std::string& cache,
                                 const std::string& config, const std::string& tmp, int limiteS,
                                 int despuesMs = 0) {
    int tubo[2];
    if (pipe(tubo) != 0) return std::nullopt;
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_adddup2(&acciones, tubo[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&acciones, tubo[0]);
    posix_spawn_file_actions_addopen(&acciones, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);

    std::vector<std::string> entorno;
    auto propia = [](const std::string& v) {
        for (const char* nombre : {"PALAVRIX_MEDIR_ARRANQUE=", "XDG_CACHE_HOME=", "XDG_CONFIG_HOME=",
                                   "TMPDIR=", "QT_QPA_PLATFORM="})
            if (v.rfind(nombre, 0) == 0) return true;
        return false;
    };
    for (char** e = environ; *e; ++e)
        if (!propia(*e)) entorno.emplace_back(*e);
    entorno.push_back("XDG_CACHE_HOME=" + cache);
    entorno.push_back("XDG_CONFIG_HOME=" + config);
    entorno.push_back("TMPDIR=" + tmp);
    const std::size_t marca = entorno.size();
    entorno.emplace_back();

    std::vector<char*> args{const_cast<char*>(programa.c_str()), nullptr};
    std::vector<char*> env;
    pid_t pid = 0;
    const long long desde = MonotonicoNs();
    entorno[marca] = "PALAVRIX_MEDIR_ARRANQUE=" + std::to_string(desde);
    for (auto& v : entorno)
        env.push_back(v.data());
    env.push_back(nullptr);
    const int r = posix_spawn(&pid, programa.c_str(), &acciones, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&acciones);
    close(tubo[1]);
    if (r != 0) {
        close(tubo[0]);
        std::fprintf(stderr, "start_launch: no se pudo iniciar %s: %s\n", programa.c_str(), std::strerror(r));
        return std::nullopt;
    }

    std::optional<Medida> ms;
    std::string leido;
    const long long hasta = desde + static_cast<long long>(limiteS) * 1000000000LL;
    while (!ms) {
        const long long falta = (hasta - MonotonicoNs()) / 1000000;
        if (falta <= 0) break;
        pollfd p{tubo[0], POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(falta)) <= 0) break;
        char buf[4096];
        const ssize_t n = read(tubo[0], buf, sizeof buf);
        if (n <= 0) break; // the program ended
        leido.append(buf, static_cast<std::size_t>(n));
        std::size_t fin;
        while ((fin = leido.find('\n')) != std::string::npos) {
            const std::string linea = leido.substr(0, fin);
            leido.erase(0, fin + 1);
            const std::size_t a = linea.find(" a los ");
            if (linea.find("primera ventana pintada") != std::string::npos && a != std::string::npos)
                ms = Medida{std::strtod(linea.c_str() + a + 7, nullptr), ProcesadorMs(pid)};
            else
                std::fprintf(stderr, "  %s\n", linea.c_str());
        }
    }
    if (ms && despuesMs > 0) usleep(static_cast<useconds_t>(despuesMs) * 1000);
    kill(pid, SIGTERM);
    int estado = 0;
    for (int i = 0; i < 50 && waitpid(pid, &estado, WNOHANG) == 0; ++i)
        usleep(100000);
    if (waitpid(pid, &estado, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &estado, 0);
    }
    close(tubo[0]);
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    int veces = 10;
    bool frio = false;
    std::string programa;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--veces" && i + 1 < argc)
            veces = std::max(1, std::atoi(argv[++i]));
        else if (a == "--frio")
            frio = true;
        else
            programa = a;
    }
    if (programa.empty() || !std::getenv("DISPLAY")) {
        std::fprintf(stderr, "uso: DISPLAY=:N start_launch [--veces N] [--frio] ruta/a/palavrix\n");
        return 2;
    }
    programa = fs::absolute(programa).string();
    char plantilla[] = "/tmp/palavrix-arranque-XXXXXX";
    if (!mkdtemp(plantilla)) return 2;
    const fs::path raiz = plantilla;
    const std::string config = CarpetaNueva(raiz, "config");
    const std::string tmp = CarpetaNueva(raiz, "tmp");
    std::string cache = CarpetaNueva(raiz, "cache");

    if (!frio) UnArranque(programa, cache, config, tmp, 30, 5000); // fills the caches
    std::vector<double> tiempos, procesador;
    for (int i = 0; i < veces; ++i) {
        if (frio) cache = CarpetaNueva(raiz, "cache");
        if (auto m = UnArranque(programa, cache, config, tmp, 30)) {
            tiempos.push_back(m->ms);
            procesador.push_back(m->procesadorMs);
            std::printf("%.1f ms (procesador %.0f ms)\n", m->ms, m->procesadorMs);
        } else {
            std::fprintf(stderr, "start_launch: el arranque %d no pintó ninguna ventana\n", i + 1);
        }
    }
    fs::remove_all(raiz);
    if (tiempos.empty()) return 1;
    auto mediana = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        const std::size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    };
    const std::size_t n = tiempos.size();
    std::printf("mediana %.1f ms, peor %.1f ms, %zu arranques, procesador %.0f ms%s\n", mediana(tiempos),
                *std::max_element(tiempos.begin(), tiempos.end()), n, mediana(procesador),
                frio ? " (caché vacía)" : "");
    return n == static_cast<std::size_t>(veces) ? 0 : 1;
}
