// SPDX-License-Identifier: MIT
// How long the conversion into the handset picture format takes, for the
// largest picture a slot admits and for the simplest one.
#include "pictures/HandsetPicture.h"
#include "pictures/PixelImage.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {

// A gradient with noise: nearly every pixel a colour of its own, so the
// palette search and the direct runs dominate.
PixelImage manyColours() {
    PixelImage picture{255, 255, {}};
    std::mt19937 random(42);
    std::uniform_int_distribution<int> noise(0, 15);
    for (int y = 0; y < 255; ++y) {
        for (int x = 0; x < 255; ++x) {
            const auto red = std::uint32_t(x);
            const auto green = std::uint32_t((y + noise(random)) & 0xFF);
            const auto blue = std::uint32_t((x + y) / 2 ^ noise(random));
            picture.colors.push_back(red | green << 8 | (blue & 0xFF) << 16);
        }
    }
    return picture;
}

PixelImage oneColour() {
    return PixelImage{128, 128, std::vector<std::uint32_t>(128 * 128, 0x336699)};
}

void BM_EncodeManyColours255(benchmark::State& state) {
    const PixelImage picture = manyColours();
    for (auto _ : state) {
        benchmark::DoNotOptimize(encodeHandsetPicture(picture));
    }
}
BENCHMARK(BM_EncodeManyColours255)->Unit(benchmark::kMicrosecond);

void BM_EncodeOneColour128(benchmark::State& state) {
    const PixelImage picture = oneColour();
    for (auto _ : state) {
        benchmark::DoNotOptimize(encodeHandsetPicture(picture));
    }
}
BENCHMARK(BM_EncodeOneColour128)->Unit(benchmark::kMicrosecond);

// The whole path of the open button: image to pixels to a written file.
void BM_ConvertImageToFile255(benchmark::State& state) {
    const PixelImage source = manyColours();
    QImage image(255, 255, QImage::Format_RGB888);
    for (int y = 0; y < 255; ++y) {
        for (int x = 0; x < 255; ++x) {
            const std::uint32_t c = source.colors[std::size_t(y * 255 + x)];
            image.setPixel(x, y, qRgb(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)));
        }
    }
    QTemporaryDir dir;
    const QString output = dir.path() + "/temp.09";
    for (auto _ : state) {
        benchmark::DoNotOptimize(convertPicture(toPixelImage(image), output));
    }
}
BENCHMARK(BM_ConvertImageToFile255)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
