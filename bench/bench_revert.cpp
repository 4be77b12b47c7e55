// SPDX-License-Identifier: MIT
// The revert patch of a 6 MiB patch over a firmware of 32 MiB of data: the
// patch read twice, the revert made, read back and applied, the firmware
// compared. Should stay well under a second.
#include "BenchInput.h"
#include "firmware/FirmwareApply.h"
#include "firmware/FirmwareImage.h"
#include "firmware/FirmwareRevert.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr std::int64_t kMiB = 1024 * 1024;

void BM_Revert(benchmark::State& state) {
    QTemporaryDir dir;
    const QString raw = writeBenchInput(dir.path() + QStringLiteral("/fw.bin"), 32 * kMiB);
    const FirmwareImage firmware = firmwarefile::readWhole({raw, 0x01000000u});
    // The patch: other bytes over 6 MiB from the firmware's fourth MiB on.
    std::vector<std::uint8_t> bytes(std::size_t(state.range(0) * kMiB));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = std::uint8_t(i * 7 + 1);
    }
    const FirmwareImage patchImage =
        FirmwareImage::fromRanges({{0x01000000u + 4 * kMiB, std::move(bytes)}});
    const QString patch = dir.path() + QStringLiteral("/patch.s3");
    QFile out(patch);
    if (!out.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(patch));
    }
    firmwareapply::writeS3(patchImage, [&](const char* d, qint64 n) { out.write(d, n); });
    out.close();
    for (auto _ : state) {
        const firmwarerevert::Result result = firmwarerevert::make(firmware, {patch});
        if (!result.made()) {
            state.SkipWithError("the revert was refused");
            break;
        }
        benchmark::DoNotOptimize(result.text.size());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * kMiB);
}
BENCHMARK(BM_Revert)->Arg(6)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
