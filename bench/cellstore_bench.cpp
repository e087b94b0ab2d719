// Container throughput through the memory functions, next to plain fwrite/fread of the same
// bytes in the same run. Counters: cellstore and plain MB/s (wall clock) and the ratios plain
// time over cellstore time, by wall clock (`ratio`) and by this thread's CPU time
// (`cpu_ratio`, steadier on a busy machine); 1.0 means as fast as plain stdio.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <time.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "cellstore/flat.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Wall and CPU seconds of one run of `body`.
struct Timing {
    double wall;
    double cpu;
};

template <class Body>
Timing Time(Body&& body) {
    auto start = Clock::now();
    double cpuStart = CpuSeconds();
    body();
    return {Seconds(start), CpuSeconds() - cpuStart};
}

struct Scratch {
    Scratch() {
        char pattern[] = "/tmp/cellstore-bench-XXXXXX";
        int descriptor = mkstemp(pattern);
        if (descriptor >= 0)
            close(descriptor);
        path = pattern;
    }
    ~Scratch() { unlink(path.c_str()); }
    std::string path;
};

// A record: its type number and element size; the mix of a plan document's small records.
struct Shape {
    int typeNo;
    unsigned size;
};
const Shape kMix[] = {{2, 4}, {3, 8}, {10, 16}, {11, 32}};

void Report(benchmark::State& state, double bytes, Timing cellstore, Timing plain) {
    state.SetIterationTime(cellstore.wall);
    state.counters["cellstore_MBps"] = bytes / cellstore.wall / 1e6;
    state.counters["plain_MBps"] = bytes / plain.wall / 1e6;
    state.counters["ratio"] = plain.wall / cellstore.wall;
    state.counters["cpu_ratio"] = plain.cpu / cellstore.cpu;
}

// Appends n one-element records round-robin over the mix, saves, loads and reads each back.
void CellstoreRecords(const std::string& path, int n, std::vector<unsigned char>& source) {
    zoBfIOMfSetPageSize(65536);
    FILE* out = zoBfOpenM(path.c_str(), "wb");
    zoBfInitM();
    size_t at = 0;
    for (int i = 0; i < n; ++i) {
        const Shape& shape = kMix[i % 4];
        zoBfAddDataM(&source[at], shape.typeNo, shape.size, 1, nullptr);
        at += shape.size;
    }
    zoBfCloseM(out);
    FILE* in = zoBfOpenM(path.c_str(), "rb");
    unsigned char element[32];
    unsigned long long check = 0;
    for (int i = 0; i < n; ++i) {
        const Shape& shape = kMix[i % 4];
        zoBfGetDataM(element, shape.typeNo, i / 4, 1, shape.size);
        check += element[0];
    }
    zoBfCloseM(in);
    benchmark::DoNotOptimize(check);
}

void PlainRecords(const std::string& path, int n, std::vector<unsigned char>& source) {
    FILE* out = std::fopen(path.c_str(), "wb");
    size_t at = 0;
    for (int i = 0; i < n; ++i) {
        std::fwrite(&source[at], 1, kMix[i % 4].size, out);
        at += kMix[i % 4].size;
    }
    std::fclose(out);
    FILE* in = std::fopen(path.c_str(), "rb");
    unsigned char element[32];
    unsigned long long check = 0;
    for (int i = 0; i < n; ++i) {
        if (std::fread(element, 1, kMix[i % 4].size, in) == kMix[i % 4].size)
            check += element[0];
    }
    std::fclose(in);
    benchmark::DoNotOptimize(check);
}

void BM_MixedSmallRecords(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<unsigned char> source(static_cast<size_t>(n) * 32);
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<unsigned char>(i * 31);
    double bytes = 0;
    for (int i = 0; i < n; ++i)
        bytes += 2.0 * kMix[i % 4].size;  // written and read back
    Scratch scratch;
    for (auto _ : state) {
        Timing cellstore = Time([&] { CellstoreRecords(scratch.path, n, source); });
        Timing plain = Time([&] { PlainRecords(scratch.path, n, source); });
        Report(state, bytes, cellstore, plain);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_MixedSmallRecords)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond);

// A large container: `megabytes` one-megabyte blocks of one byte type, written and read back.
void BM_LargeContainer(benchmark::State& state) {
    const int megabytes = static_cast<int>(state.range(0));
    const unsigned block = 1 << 20;
    std::vector<unsigned char> data(block);
    for (unsigned i = 0; i < block; ++i)
        data[i] = static_cast<unsigned char>(i * 7);
    std::vector<unsigned char> back(block);
    Scratch scratch;
    for (auto _ : state) {
        Timing cellstore = Time([&] {
            zoBfIOMfSetPageSize(65536);
            FILE* out = zoBfOpenM(scratch.path.c_str(), "wb");
            zoBfInitM();
            for (int i = 0; i < megabytes; ++i)
                zoBfAddDataM(data.data(), 24, 1, block, nullptr);
            zoBfCloseM(out);
            FILE* in = zoBfOpenM(scratch.path.c_str(), "rb");
            for (int i = 0; i < megabytes; ++i)
                zoBfGetDataM(back.data(), 24, i * static_cast<int>(block), block, 1);
            zoBfCloseM(in);
        });
        Timing plain = Time([&] {
            FILE* plainOut = std::fopen(scratch.path.c_str(), "wb");
            for (int i = 0; i < megabytes; ++i)
                std::fwrite(data.data(), 1, block, plainOut);
            std::fclose(plainOut);
            FILE* plainIn = std::fopen(scratch.path.c_str(), "rb");
            for (int i = 0; i < megabytes; ++i)
                benchmark::DoNotOptimize(std::fread(back.data(), 1, block, plainIn));
            std::fclose(plainIn);
        });
        Report(state, 2.0 * megabytes * block, cellstore, plain);
    }
}
BENCHMARK(BM_LargeContainer)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
