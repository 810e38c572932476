// The core's cost at growing sizes: the merge, the geometry, the drop and the key moves. Prints one
// "name: value" line per figure after Google Benchmark's own table.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "entries/MenuMerge.h"
#include "palette/Geometry.h"
#include "reorder/Arrangement.h"

namespace {

using namespace kirabo;

class BenchMenus final : public MenuReader {
public:
    std::vector<std::vector<std::uint32_t>> ids = std::vector<std::vector<std::uint32_t>>(6);
    // Captions by id: ids are dense from a base per menu, so a lookup costs the reader nothing.
    std::vector<std::uint32_t> base = std::vector<std::uint32_t>(6);
    std::vector<std::vector<std::string>> captions = std::vector<std::vector<std::string>>(6);

    bool HasMenu(int position) override { return !ids[static_cast<std::size_t>(position)].empty(); }
    int ItemCount(int position) override { return static_cast<int>(ids[static_cast<std::size_t>(position)].size()); }
    std::uint32_t ItemId(int position, int item) override {
        return ids[static_cast<std::size_t>(position)][static_cast<std::size_t>(item)];
    }
    std::string_view Caption(int position, std::uint32_t id) override {
        const auto& menu = captions[static_cast<std::size_t>(position)];
        const std::size_t i = id - base[static_cast<std::size_t>(position)];
        return i < menu.size() ? std::string_view(menu[i]) : std::string_view();
    }
};

std::string FilterName(int i) { return "filter-" + std::to_string(i); }

// Every name in the toggle and the settings menu; half of them, shuffled, in the saved list.
struct MergeInput {
    BenchMenus menus;
    EntryList saved;
};

MergeInput MakeMergeInput(int count) {
    MergeInput input;
    input.menus.base[1] = 100000;
    input.menus.base[2] = 200000;
    for (int i = 0; i < count; ++i) {
        input.menus.ids[1].push_back(input.menus.base[1] + static_cast<std::uint32_t>(i));
        input.menus.captions[1].push_back(FilterName(i));
        input.menus.ids[2].push_back(input.menus.base[2] + static_cast<std::uint32_t>(i));
        input.menus.captions[2].push_back(FilterName(i) + "xxxxxx");
    }
    std::vector<int> half(static_cast<std::size_t>(count));
    std::iota(half.begin(), half.end(), 0);
    std::shuffle(half.begin(), half.end(), std::mt19937(42));
    half.resize(static_cast<std::size_t>(count / 2));
    for (int i : half) {
        FilterEntry entry;
        entry.name = FilterName(i);
        input.saved.append(entry);
    }
    return input;
}

void BM_Merge(benchmark::State& state) {
    MergeInput input = MakeMergeInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        EntryList list = input.saved;
        state.ResumeTiming();
        MergeHostMenus(input.menus, list);
        benchmark::DoNotOptimize(list.count());
        state.PauseTiming();
        list = EntryList();
        state.ResumeTiming();
    }
}

void BM_Geometry(benchmark::State& state) {
    std::vector<RowInput> rows(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i].nameBytes = 8 + i % 40;
    for (auto _ : state) {
        const PaletteGeometry g = ComputeGeometry(rows, 3, true, 1, SystemMetrics{3, 17});
        benchmark::DoNotOptimize(g.windowHeight);
    }
}

// `count` rows in the reorder dialog's list, every box checked.
Arrangement ListOf(int count) {
    Arrangement list{std::vector<std::int32_t>(static_cast<std::size_t>(count)),
                     std::vector<bool>(static_cast<std::size_t>(count), true)};
    std::iota(list.items.begin(), list.items.end(), 0);
    return list;
}

// Every `step`-th position from `first` on.
std::vector<int> Every(int count, int first, int step) {
    std::vector<int> positions;
    for (int i = first; i < count; i += step) positions.push_back(i);
    return positions;
}

void BM_Drop(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const Arrangement list = ListOf(count);
    const std::vector<int> selected = Every(count, 0, 10);
    for (auto _ : state) {
        const Move drop{MoveKind::Drop, DropAnchor(count / 2, false, selected)};
        benchmark::DoNotOptimize(UpdateForMove(list, selected, -1, drop).list.items.data());
    }
}

// Alt+Up with every other row selected: 5,000 of 10,000 rows one place up.
void BM_KeyMove(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const Arrangement list = ListOf(count);
    const std::vector<int> selected = Every(count, 1, 2);
    for (auto _ : state) benchmark::DoNotOptimize(UpdateForMove(list, selected, -1, {MoveKind::Up}).list.items.data());
}

BENCHMARK(BM_Merge)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Geometry)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Drop)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeyMove)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Keeps the time per iteration of every run (in microseconds), for the ratios.
class RecordingReporter final : public benchmark::ConsoleReporter {
public:
    // No colours: the figures below the table must start their lines for `grep '^name: '`.
    RecordingReporter() : ConsoleReporter(OO_Tabular) {}
    std::map<std::string, double> micros;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // With repetitions, the median stands for the figure.
            if (run.aggregate_name.empty() || run.aggregate_name == "median") {
                micros[run.run_name.str()] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    // Blocks past glibc's mmap threshold would come fresh from the kernel at every run: the
    // figures at 10,000 would then measure first-touch page faults, not the code.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    // --smoke: each benchmark once at the smallest size, to prove they still run.
    const bool smoke = argc > 1 && std::strcmp(argv[1], "--smoke") == 0;
    std::vector<char*> args(argv, argv + argc);
    std::string filter = "--benchmark_filter=/100$";
    std::string minTime = "--benchmark_min_time=0";
    if (smoke) {
        args.erase(args.begin() + 1);
        args.push_back(filter.data());
        args.push_back(minTime.data());
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* name : {"BM_Merge", "BM_Geometry", "BM_Drop", "BM_KeyMove"}) {
        for (const char* size : {"100", "1000", "10000"}) {
            const auto found = reporter.micros.find(std::string(name) + "/" + size);
            if (found != reporter.micros.end()) {
                std::printf("%s_%s_us: %.3f\n", name + 3, size, found->second);
            }
        }
    }
    for (const auto& [name, figure] : {std::pair{"BM_Merge", "merge"}, std::pair{"BM_KeyMove", "key_move"}}) {
        const auto k1 = reporter.micros.find(std::string(name) + "/1000");
        const auto k10 = reporter.micros.find(std::string(name) + "/10000");
        if (k1 != reporter.micros.end() && k10 != reporter.micros.end()) {
            std::printf("%s_growth_10k_over_1k: %.2f\n", figure, k10->second / k1->second);
        }
    }
    return 0;
}
