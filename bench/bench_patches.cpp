// SPDX-License-Identifier: MIT
// How long the "Создать патч!" buttons take, file written, on full data sets.
#include "dataset/BundledDataSets.h"
#include "dataset/Session.h"
#include "manager/PatchAssembly.h"
#include "melodies/MelodyPatch.h"
#include "pictures/PictureSlots.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A started session on a fresh copy of the bundled demonstration data set.
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
    FirmwareDataSet& data() { return session->dataSet(); }
};

void BM_MelodyPatchFillingTheRegion(benchmark::State& state) {
    BundledCopy copy;
    // The default memory map: a melody region of about 8 MB.
    MemoryMap defaults;
    defaults.volumePatchAvailable = true;
    copy.data().setMemoryMap(defaults);
    copy.data().computeTotals();
    SlotTable table(copy.data(), managers::melodies());
    // Eight melodies of a megabyte each: about the whole melody region.
    const qsizetype melodies = std::min<qsizetype>(8, table.slotCount());
    const std::int32_t total = copy.data().totals().melodies;
    const auto each = std::int32_t(total / melodies);
    QByteArray bytes(each, Qt::Uninitialized);
    for (std::int32_t i = 0; i < each; ++i) {
        bytes[i] = char(i * 7);
    }
    for (qsizetype i = 0; i < melodies; ++i) {
        const QString source = copy.dir.path() + QStringLiteral("/melody%1.mmf").arg(i);
        QFile file(source);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        table.assignFile(i, source);
    }
    const QString out = copy.dir.path() + "/MelodyPatch.s3";
    for (auto _ : state) {
        patch::build(table, melodyPatchHooks(), {}).saveTo(out);
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(each) * melodies);
}

void BM_PicturePatchEverySlotReplaced(benchmark::State& state) {
    BundledCopy copy;
    SlotTable table(copy.data(), managers::pictures());
    for (qsizetype i = 0; i < table.slotCount(); ++i) {
        const auto size = pictureslots::requiredSize(table, i);
        QImage image(size.width, size.height, QImage::Format_RGB888);
        for (int y = 0; y < size.height; ++y) {
            for (int x = 0; x < size.width; ++x) {
                image.setPixel(x, y, qRgb(x * 2, y * 3, (x ^ y) * 5));
            }
        }
        const QString source = copy.dir.path() + QStringLiteral("/pic%1.bmp").arg(i);
        image.save(source, "BMP");
        pictureslots::choose(table, i, source);
    }
    const QString out = copy.dir.path() + "/PicturePatch.s3";
    for (auto _ : state) {
        patch::build(table, pictureslots::patchHooks(), {}).saveTo(out);
    }
}

} // namespace

BENCHMARK(BM_MelodyPatchFillingTheRegion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PicturePatchEverySlotReplaced)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QGuiApplication::setAttribute(Qt::AA_Use96Dpi);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
