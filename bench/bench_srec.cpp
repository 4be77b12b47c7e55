// How long turning a file into S3 records and writing them takes.
#include "srec/S3LineList.h"
#include "srec/S3Records.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_FileToS3LinesAndWrite(benchmark::State& state) {
    QTemporaryDir dir;
    const QString input = dir.path() + "/input.bin";
    const QString output = dir.path() + "/output.s3";
    const auto size = std::int32_t(state.range(0));
    {
        QByteArray bytes(size, Qt::Uninitialized);
        for (std::int32_t i = 0; i < size; ++i) {
            bytes[i] = char((i * 131) ^ (i >> 7));
        }
        QFile file(input);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    S3LineList lines;
    for (auto _ : state) {
        srec::FileToS3Lines(input, size, 0x01301000, lines);
        lines.saveTo(output);
        benchmark::DoNotOptimize(lines.count());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(size));
}

} // namespace

BENCHMARK(BM_FileToS3LinesAndWrite)
    ->Arg(16 * 1024)
    ->Arg(1024 * 1024)
    ->Arg(8 * 1024 * 1024)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
