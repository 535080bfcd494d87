// Time to the first painted window and peak memory of the application, side
// by side with a minimal Qt Widgets window built in the same tree. Each
// iteration launches the program afresh (offscreen) and waits for its first
// paint; the peak resident size comes from the system's accounting of the child.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Mesure {
    double secondes = 0;
    long kio = 0;
    bool ok = false;
};

Mesure lancer(const char* programme) {
    int tube[2];
    if (pipe(tube) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, tube[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, tube[0]);
    char* argv[] = {const_cast<char*>(programme), nullptr};
    const auto debut = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int erreur = posix_spawn(&pid, programme, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(tube[1]);
    Mesure m;
    if (erreur == 0) {
        char c = 0;
        const bool peint = read(tube[0], &c, 1) == 1 && c == '!';
        m.secondes =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
        int statut = 0;
        rusage usage{};
        wait4(pid, &statut, 0, &usage);
        m.kio = usage.ru_maxrss;
        m.ok = peint && WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
    }
    close(tube[0]);
    return m;
}

void Demarrage(benchmark::State& state, const char* programme) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_SCALE_FACTOR", "1", 1);
    double memoire = 0;
    for (auto _ : state) {
        const Mesure m = lancer(programme);
        if (!m.ok) {
            state.SkipWithError("le programme n'a pas peint sa fenêtre");
            return;
        }
        state.SetIterationTime(m.secondes);
        memoire = std::max(memoire, double(m.kio) * 1024);
    }
    state.counters["memoire_max"] =
        benchmark::Counter(memoire, benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
}

} // namespace

BENCHMARK_CAPTURE(Demarrage, fenetre_minimale, ORTIX_FENETRE_MINIMALE)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(Demarrage, ortix, ORTIX_PREMIERE_IMAGE)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
