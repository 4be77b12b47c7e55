// How long verify takes on large patches and how much memory it holds at its
// peak: one long range of 16 MiB, 256 MiB (and 1 GiB with --with-1gib), and
// 100k or 1M separate ranges, with and without the bundled data set. The
// patches are written into a temporary folder first. peak_MiB is the
// process's peak resident memory during the runs, input_MiB the file's size.
#include "check/PatchVerify.h"
#include "dataset/Session.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr std::int64_t kMiB = 1024 * 1024;
constexpr std::uint32_t kBase = 0x10000000;

// Writes a patch of `records` 16-byte data records from kBase, `step`
// bytes apart: 16 makes one range, more makes each record its own.
QString writePatch(const QString& path, std::int64_t records, std::uint32_t step) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    static const char digits[] = "0123456789ABCDEF";
    std::string block = "S00600004844521B\r\n";
    block.reserve(2 * kMiB);
    for (std::int64_t i = 0; i < records; ++i) {
        std::uint8_t bytes[21];
        bytes[0] = 0x15;
        const std::uint32_t address = kBase + std::uint32_t(i) * step;
        for (int k = 0; k < 4; ++k) {
            bytes[1 + k] = std::uint8_t(address >> (24 - 8 * k));
        }
        unsigned sum = 0;
        for (int k = 0; k < 16; ++k) {
            bytes[5 + k] = std::uint8_t((i * 131 + k * 7) ^ (i >> 5));
        }
        block += "S3";
        for (const std::uint8_t b : bytes) {
            sum += b;
            block += digits[b >> 4];
            block += digits[b & 15];
        }
        const unsigned checksum = ~sum & 0xFF;
        block += digits[checksum >> 4];
        block += digits[checksum & 15];
        block += "\r\n";
        if (block.size() > kMiB) {
            file.write(block.data(), qint64(block.size()));
            block.clear();
        }
    }
    block += "S705A002000058\r\n";
    if (file.write(block.data(), qint64(block.size())) != qint64(block.size())) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

// The peak resident memory since the last reset, in KiB.
std::int64_t peakKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stoll(line.substr(6));
        }
    }
    return 0;
}

void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// A started session on a copy of the bundled demonstration data set.
struct BundledCopy {
    QTemporaryDir dir;
    std::unique_ptr<Session> session;
    BundledCopy() {
        SettingsStore::setOverrideFile(dir.path() + "/settings.ini");
        SessionOptions options;
        options.userFolder = dir.path() + "/user";
        options.bundledRoot = QStringLiteral(TARVEX_BUNDLED_DIR);
        QDir().mkpath(options.userFolder);
        session = std::make_unique<Session>(options);
        session->start();
    }
};

void verify(benchmark::State& state, std::int64_t records, std::uint32_t step, bool withData) {
    QTemporaryDir dir;
    const QString patch = writePatch(dir.path() + "/patch.s3", records, step);
    std::unique_ptr<BundledCopy> copy;
    const FirmwareDataSet* data = nullptr;
    if (withData) {
        copy = std::make_unique<BundledCopy>();
        data = &copy->session->dataSet();
    }
    resetPeak();
    for (auto _ : state) {
        const Report report = patchverify::run(patch, data);
        if (report.errors() != 0) {
            state.SkipWithError(qPrintable(report.findings().front().text));
            break;
        }
        benchmark::DoNotOptimize(report.warnings());
    }
    const qint64 size = QFile(patch).size();
    state.counters["peak_MiB"] = double(peakKiB()) / 1024.0;
    state.counters["input_MiB"] = double(size) / double(kMiB);
    state.SetBytesProcessed(state.iterations() * size);
}

void BM_VerifySingleRange(benchmark::State& state) {
    verify(state, state.range(0) * kMiB / 16, 16, state.range(1) != 0);
}

void BM_VerifySeparateRanges(benchmark::State& state) {
    verify(state, state.range(0), 32, state.range(1) != 0);
}

} // namespace

int main(int argc, char** argv) {
    // --with-1gib adds the 1 GiB patch, which takes minutes and 3 GB of disk.
    bool big = false;
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--with-1gib") == 0) {
            big = true;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    QGuiApplication::setApplicationName(QStringLiteral("Tarvex"));
    auto* single = benchmark::RegisterBenchmark("BM_VerifySingleRange", BM_VerifySingleRange);
    single->ArgNames({"MiB", "dataset"})->Unit(benchmark::kMillisecond)->Iterations(1);
    for (const int mib : {16, 256, 1024}) {
        if (mib < 1024 || big) {
            single->Args({mib, 0})->Args({mib, 1});
        }
    }
    benchmark::RegisterBenchmark("BM_VerifySeparateRanges", BM_VerifySeparateRanges)
        ->ArgNames({"ranges", "dataset"})
        ->Args({100000, 0})
        ->Args({100000, 1})
        ->Args({1000000, 0})
        ->Args({1000000, 1})
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
