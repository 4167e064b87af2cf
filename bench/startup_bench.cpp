// Start-up: the whole process from exec to its window shown and painted once, and
// its peak resident memory. Runs the program named by $ORVEX_BENCH_PROGRAM (the
// benchmark's build of the tool or a peer, each ending at its first paint), on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise, in the current folder.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

struct Run {
    bool ok = false;
    double seconds = 0;
    long peakKilobytes = 0;
};

Run runOnce(const std::string& program) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDERR_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    const bool waited = child > 0 && ::wait4(child, &status, 0, &usage) == child;
    const auto end = std::chrono::steady_clock::now();
    Run run;
    run.ok = waited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.seconds = std::chrono::duration<double>(end - start).count();
    run.peakKilobytes = usage.ru_maxrss;
    return run;
}

void startup(benchmark::State& state, const std::string& program) {
    double peakSum = 0;
    for (auto _ : state) {
        const Run run = runOnce(program);
        if (!run.ok) {
            state.SkipWithError(("the program failed: " + program).c_str());
            break;
        }
        state.SetIterationTime(run.seconds);
        peakSum += static_cast<double>(run.peakKilobytes);
    }
    state.counters["peak_kb"] = benchmark::Counter(peakSum, benchmark::Counter::kAvgIterations);
}

}  // namespace

int main(int argc, char** argv) {
    const char* program = std::getenv("ORVEX_BENCH_PROGRAM");
    if (program == nullptr || *program == '\0') {
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::RegisterBenchmark("startup", startup, std::string(program))
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
