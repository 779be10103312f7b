// Scrambler and container throughput. Bytes processed per second are reported as MB/s.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "util/encrypt.h"

namespace {

std::vector<uint8_t> Image(size_t n) {
    std::mt19937 rng(1);
    std::vector<uint8_t> v(n);
    for (auto& b : v)
        b = uint8_t(rng());
    return v;
}

void BM_Scramble(benchmark::State& state) {
    auto bytes = Image(size_t(state.range(0)));
    for (auto _ : state) {
        C_Encrypt::Scramble(bytes.data(), int32_t(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Scramble)->Arg(64 << 10)->Arg(4 << 20);

void BM_Unwrap(benchmark::State& state) {
    auto plain = Image(size_t(state.range(0)));
    int32_t n = 0;
    std::unique_ptr<uint8_t[]> box(
        C_Encrypt::Wrap(plain.data(), int32_t(plain.size()), "TAVRODAT", &n));
    for (auto _ : state) {
        std::unique_ptr<uint8_t[]> out(C_Encrypt::Unwrap(box.get(), n, "TAVRODAT", nullptr));
        benchmark::DoNotOptimize(out.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Unwrap)->Arg(4 << 20);

}  // namespace
