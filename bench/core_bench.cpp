// The core's cost at growing sizes: the merge, the geometry and the drop. Prints one
// "name: value" line per figure after Google Benchmark's own table.
#include <benchmark/benchmark.h>

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
#include "reorder/Drop.h"

namespace {

using namespace kirabo;

class BenchMenus final : public MenuReader {
public:
    std::vector<std::vector<std::uint32_t>> ids = std::vector<std::vector<std::uint32_t>>(6);
    std::vector<std::map<std::uint32_t, std::string>> captions = std::vector<std::map<std::uint32_t, std::string>>(6);

    bool HasMenu(int position) override { return !ids[static_cast<std::size_t>(position)].empty(); }
    int ItemCount(int position) override { return static_cast<int>(ids[static_cast<std::size_t>(position)].size()); }
    std::uint32_t ItemId(int position, int item) override {
        return ids[static_cast<std::size_t>(position)][static_cast<std::size_t>(item)];
    }
    std::string_view Caption(int position, std::uint32_t id) override {
        auto& menu = captions[static_cast<std::size_t>(position)];
        const auto found = menu.find(id);
        return found == menu.end() ? std::string_view() : std::string_view(found->second);
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
    for (int i = 0; i < count; ++i) {
        const auto toggle = static_cast<std::uint32_t>(10000 + i);
        const auto settings = static_cast<std::uint32_t>(100000 + i);
        input.menus.ids[1].push_back(toggle);
        input.menus.captions[1][toggle] = FilterName(i);
        input.menus.ids[2].push_back(settings);
        input.menus.captions[2][settings] = FilterName(i) + "xxxxxx";
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
        EntryList list = input.saved;
        MergeHostMenus(input.menus, list);
        benchmark::DoNotOptimize(list.count());
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

void BM_Drop(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    std::vector<int> items(static_cast<std::size_t>(count));
    std::iota(items.begin(), items.end(), 0);
    std::vector<int> selected;
    for (int i = 0; i < count; i += 10) selected.push_back(i);
    for (auto _ : state) {
        const int anchor = DropAnchor(count / 2, false, selected);
        benchmark::DoNotOptimize(ApplyDrop(items, selected, anchor).data());
    }
}

BENCHMARK(BM_Merge)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Geometry)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Drop)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Keeps the time per iteration of every run, for the ratios.
class RecordingReporter final : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> nanoseconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) nanoseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
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
    for (const char* name : {"BM_Merge", "BM_Geometry", "BM_Drop"}) {
        for (const char* size : {"100", "1000", "10000"}) {
            const auto found = reporter.nanoseconds.find(std::string(name) + "/" + size);
            if (found != reporter.nanoseconds.end()) {
                std::printf("%s_%s_us: %.3f\n", name + 3, size, found->second / 1000.0);
            }
        }
    }
    const auto k1 = reporter.nanoseconds.find("BM_Merge/1000");
    const auto k10 = reporter.nanoseconds.find("BM_Merge/10000");
    if (k1 != reporter.nanoseconds.end() && k10 != reporter.nanoseconds.end()) {
        std::printf("merge_growth_10k_over_1k: %.2f\n", k10->second / k1->second);
    }
    return 0;
}
