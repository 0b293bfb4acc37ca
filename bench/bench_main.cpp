// quarn-bench: runs the benchmarks, then prints a table of the step costs
// with the whole scan and with the outline index side by side, their ratio
// from this one run, and the peak resident memory. The table gives CPU time,
// which a machine shared with other work disturbs least.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

void RegisterStepBenchmarks();
void RegisterLoadBenchmarks(std::vector<std::string>& temporaryFiles);
void RegisterTextureBenchmarks(std::vector<std::string>& temporaryFiles);
void RegisterShippedLevelBenchmarks(const std::string& gameDir, const std::string& solutionDir);

namespace {

// Keeps the console output and remembers the time of every run by name.
class TableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            nanoseconds[run.benchmark_name()] =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
        }
    }
    std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> temporaryFiles;
    RegisterStepBenchmarks();
    RegisterLoadBenchmarks(temporaryFiles);
    RegisterTextureBenchmarks(temporaryFiles);
    RegisterShippedLevelBenchmarks(QUARN_BENCH_GAME_DIR, QUARN_BENCH_LEVEL_SOURCE_DIR);
    benchmark::Initialize(&argc, argv);
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (const std::string& path : temporaryFiles)
        std::remove(path.c_str());

    std::printf("\n| step | level | whole scan ns | index ns | scan / index |\n");
    std::printf("|---|---|---|---|---|\n");
    for (const auto& [name, ns] : reporter.nanoseconds) {
        const std::string prefix = "step/scan/";
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string rest = name.substr(prefix.size());  // edges:N/state, level:NAME/state
        const auto indexed = reporter.nanoseconds.find("step/index/" + rest);
        if (indexed == reporter.nanoseconds.end())
            continue;
        const size_t slash = rest.find('/');
        std::printf("| %s | %s | %.0f | %.0f | %.1f |\n", rest.substr(slash + 1).c_str(),
                    rest.substr(0, slash).c_str(), ns, indexed->second, ns / indexed->second);
    }
    for (const auto& [name, ns] : reporter.nanoseconds) {
        if (name.compare(0, 5, "load/") == 0 || name.compare(0, 8, "texture/") == 0 ||
            name.compare(0, 12, "index-build/") == 0)
            std::printf("| %s | | %.3f ms | | |\n", name.c_str(), ns / 1e6);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("\npeak resident memory: %ld MiB\n", usage.ru_maxrss / 1024);
    return 0;
}
