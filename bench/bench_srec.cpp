// SPDX-License-Identifier: MIT
// How long turning a file into S3 records and writing them takes.
#include "BenchInput.h"
#include "platform/CheckedSaveFile.h"
#include "srec/CustomPatch.h"
#include "srec/S3LineList.h"
#include "srec/S3Records.h"
#include "srec/S3Writer.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr std::int64_t kMiB = 1024 * 1024;

void BM_FileToS3LinesAndWrite(benchmark::State& state) {
    QTemporaryDir dir;
    const QString output = dir.path() + "/output.s3";
    const auto size = std::int32_t(state.range(0));
    const QString input = writeBenchInput(dir.path() + "/input.bin", size);
    S3LineList lines;
    for (auto _ : state) {
        srec::fileToS3Lines(input, size, 0x01301000, lines);
        lines.saveTo(output);
        benchmark::DoNotOptimize(lines.count());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(size));
}

// The custom patch of a file (header, data records, end record) collected
// whole, then written to a patch file.
void BM_CustomPatchWritten(benchmark::State& state) {
    QTemporaryDir dir;
    const QString output = dir.path() + "/CustomPatch.s3";
    const std::int64_t size = state.range(0) * kMiB;
    const QString input = writeBenchInput(dir.path() + "/input.bin", size);
    for (auto _ : state) {
        const CustomPatch patch = makeCustomPatch(input, srec::fileSizeOfName(input), 0x01301000);
        patch.lines.saveTo(output);
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.SetLabel(std::to_string(state.range(0)) + " MiB");
}

// The same patch streamed to the file block by block as it is made, as the
// command line's custom command writes it.
void BM_CustomPatchStreamed(benchmark::State& state) {
    QTemporaryDir dir;
    const QString output = dir.path() + "/CustomPatch.s3";
    const std::int64_t size = state.range(0) * kMiB;
    const QString input = writeBenchInput(dir.path() + "/input.bin", size);
    for (auto _ : state) {
        CheckedSaveFile file(output);
        bool written = file.open();
        S3Writer writer([&](const S3LineList& block) {
            written = written && file.write(block.text().data(), qint64(block.text().size()));
        });
        writeCustomPatch(input, srec::fileSizeOfName(input), 0x01301000, writer);
        writer.finish();
        if (!written || !file.commit()) {
            state.SkipWithError("the patch was not written");
        }
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.SetLabel(std::to_string(state.range(0)) + " MiB");
}

} // namespace

BENCHMARK(BM_FileToS3LinesAndWrite)
    ->Arg(16 * 1024)
    ->Arg(1024 * 1024)
    ->Arg(8 * 1024 * 1024)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomPatchWritten)->Arg(1)->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomPatchStreamed)->Arg(1)->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
