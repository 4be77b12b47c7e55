// Reading a firmware file: S3 records of 16 bytes (about 3 bytes of text per
// data byte, as the maker's files) and a raw image, 8 and 32 MiB of data.
// The reader should be linear, and its memory at most twice the data.
#include "BenchInput.h"
#include "firmware/FirmwareApply.h"
#include "firmware/FirmwareImage.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr std::int64_t kMiB = 1024 * 1024;

// An S3 file of `mib` MiB of data from address 0, made once per size.
QString s3File(QTemporaryDir& dir, std::int64_t mib) {
    const QString raw = writeBenchInput(dir.path() + QStringLiteral("/fw.bin"), mib * kMiB);
    const FirmwareImage image = firmwarefile::readWhole({raw, 0u});
    const QString path = dir.path() + QStringLiteral("/fw.s3");
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    firmwareapply::writeS3(image, [&](const char* data, qint64 size) { out.write(data, size); });
    return path;
}

void BM_ReadS3(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = s3File(dir, state.range(0));
    for (auto _ : state) {
        const FirmwareImage image = firmwarefile::readWhole({path, std::nullopt});
        benchmark::DoNotOptimize(image.dataBytes());
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadS3)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_ReadBinary(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path =
        writeBenchInput(dir.path() + QStringLiteral("/fw.bin"), state.range(0) * kMiB);
    for (auto _ : state) {
        const FirmwareImage image = firmwarefile::readWhole({path, 0x01000000u});
        benchmark::DoNotOptimize(image.dataBytes());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * kMiB);
}
BENCHMARK(BM_ReadBinary)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
