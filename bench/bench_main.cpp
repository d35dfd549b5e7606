// The blit benchmarks, then, with --round=GAME, one `GAME --bench` run in the current directory
// set against the scalar floor measured before and after it on the same machine: the ratio is what
// carries from one machine to another, not the frame rates.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "scalar_floor.h"

extern char** environ;

namespace {

struct RoundRun {
    std::string line;
    double cpuSeconds = 0.0;
    bool ok = false;
};

// Runs `game --bench` with its standard output on a pipe; the child's own CPU time comes with its
// exit status.
RoundRun playBenchRound(const char* game) {
    RoundRun run;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    char benchFlag[] = "--bench";
    std::string path = game;
    char* argv[] = {path.data(), benchFlag, nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, game, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return run;
    }
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        run.line.append(buffer, static_cast<size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return run;
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

int compareWithFloor(const char* game) {
    FloorScene scene;
    std::vector<double> cpuRates, wallRates;
    auto measure = [&] {
        for (int32_t k = 0; k < 3; ++k) {
            const FloorRate rate = measureFloor(scene, 1.0);
            cpuRates.push_back(rate.cpu);
            wallRates.push_back(rate.wall);
        }
    };
    measure();
    const RoundRun run = playBenchRound(game);
    measure();
    std::fputs(run.line.c_str(), stdout);
    int32_t frames = 0;
    double seconds = 0.0, fps = 0.0;
    if (!run.ok || std::sscanf(run.line.c_str(), "frames %d seconds %lf fps %lf", &frames, &seconds,
                               &fps) != 3) {
        std::fprintf(stderr, "bench: %s --bench did not give its line\n", game);
        return 1;
    }
    const double floorCpu = median(cpuRates), floorWall = median(wallRates);
    const double benchCpu = frames / run.cpuSeconds;
    std::printf("scalar floor: %.0f fps CPU time, %.0f fps wall clock (medians of %zu runs)\n",
                floorCpu, floorWall, cpuRates.size());
    std::printf("BENCH: %.1f fps wall clock (its line), %.1f fps CPU time (%d frames in %.3f s)\n",
                fps, benchCpu, frames, run.cpuSeconds);
    std::printf("BENCH / scalar floor: %.2f CPU time, %.2f wall clock\n", benchCpu / floorCpu,
                fps / floorWall);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* game = nullptr;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--round=", 8) == 0)
            game = argv[i] + 8;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::fflush(stdout);
    return game != nullptr ? compareWithFloor(game) : 0;
}
