// Speed and memory of the core: the rebuild, the search that finds nothing,
// a sweep like the scan's, and the heap a full board costs.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "build_board.h"
#include "form_load.h"
#include "progression_search.h"
#include "scan_cycle.h"

namespace {

// Live heap bytes, for the memory figure of a board.
std::atomic<long long> g_liveBytes{0};

}  // namespace

void* operator new(std::size_t size) {
    auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
    if (block == nullptr) throw std::bad_alloc();
    *block = size;
    g_liveBytes += static_cast<long long>(size);
    return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}

void operator delete(void* pointer) noexcept {
    if (pointer == nullptr) return;
    auto* block =
        reinterpret_cast<std::size_t*>(static_cast<char*>(pointer) - sizeof(std::max_align_t));
    g_liveBytes -= static_cast<long long>(*block);
    std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept {
    operator delete(pointer);
}

namespace {

using namespace apqr;

struct Form {
    Board board;
    FormState state;
    Form() { LoadForm(board, state); }
    void build(int m) {
        board.setText2(std::to_string(m));
        if (!BuildBoard(board, state).ok()) std::abort();
    }
};

void BM_BuildBoard(benchmark::State& bench) {
    Form form;
    const auto m = static_cast<int>(bench.range(0));
    form.build(m);  // the panel has grown; later rebuilds keep it
    for (auto _ : bench) {
        form.build(m);
        // A pointer held in a variable: newer Google Benchmark wants a
        // modifiable value here and deprecates the const reference.
        const Cell* last = &form.board.cell(m - 1);
        benchmark::DoNotOptimize(last);
    }
}
BENCHMARK(BM_BuildBoard)->Arg(3000)->Arg(32767)->Unit(benchmark::kMicrosecond);

// 4620 is the only modulus from 3001 to 32767 with nothing to find, so the
// search runs through every difference there.
void BM_SearchFindsNothing(benchmark::State& bench) {
    Form form;
    form.build(static_cast<int>(bench.range(0)));
    for (auto _ : bench) {
        if (SearchProgression(form.board, form.state)) std::abort();
    }
}
BENCHMARK(BM_SearchFindsNothing)->Arg(1540)->Arg(4620)->Unit(benchmark::kMicrosecond);

// What a scan does from 2 up to the given top, without a window: every
// modulus rebuilt after the one below it, then searched. 30 moduli up to 3000
// and 31 up to 32767 have only trivial progressions.
void BM_SweepTo(benchmark::State& bench) {
    const auto top = static_cast<int>(bench.range(0));
    const int expected = top <= 3000 ? 30 : 31;
    for (auto _ : bench) {
        Form form;
        int onlyTrivial = 0;
        for (int m = 3; m <= top; ++m) {
            if (RunScanCycle(form.board, form.state, m) == ScanStep::OnlyTrivial) ++onlyTrivial;
        }
        if (onlyTrivial != expected) std::abort();
    }
}
BENCHMARK(BM_SweepTo)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepTo)->Arg(32767)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_BoardMemory32767(benchmark::State& bench) {
    long long bytes = 0;
    for (auto _ : bench) {
        const long long before = g_liveBytes;
        Form form;
        form.build(32767);
        bytes = g_liveBytes - before;
    }
    bench.counters["heap_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_BoardMemory32767)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
