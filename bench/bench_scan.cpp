// SPDX-License-Identifier: MIT
// The firmware scan over 32 and 64 MiB of data: random bytes, which must give
// no finding, and a firmware of random code holding a picture and a MIDI
// file with their table entries every 64 KiB; and bytes crafted to mislead
// the picture and MIDI searches. One pass: the time should grow with the
// size alone.
#include "firmware/FirmwareScan.h"
#include "pictures/HandsetPicture.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

std::vector<std::uint8_t> randomBytes(std::size_t size) {
    std::vector<std::uint32_t> words(size / 4);
    QRandomGenerator(2026).fillRange(words.data(), qsizetype(words.size()));
    std::vector<std::uint8_t> bytes(size);
    std::memcpy(bytes.data(), words.data(), size);
    return bytes;
}

QByteArray midiFile() {
    QByteArray track("\x00\xFF\x03\x04Tune", 8);
    for (int i = 0; i < 64; ++i) {
        track += QByteArray("\x00\x90\x3C\x64\x30\x80\x3C\x40", 8);
    }
    track += QByteArray("\x00\xFF\x2F\x00", 4);
    QByteArray length(4, '\0');
    qToBigEndian(quint32(track.size()), length.data());
    return QByteArray("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60", 14) + "MTrk" + length + track;
}

void put(std::vector<std::uint8_t>& image, std::size_t at, const QByteArray& bytes) {
    std::memcpy(image.data() + at, bytes.constData(), std::size_t(bytes.size()));
}

QByteArray le32(std::uint32_t v) {
    QByteArray out(4, '\0');
    qToLittleEndian(v, out.data());
    return out;
}

std::vector<std::uint8_t> firmwareWithFiles(std::size_t size) {
    std::vector<std::uint8_t> image = randomBytes(size);
    PixelImage picture;
    picture.width = 64;
    picture.height = 48;
    for (int i = 0; i < picture.width * picture.height; ++i) {
        picture.colors.push_back(std::uint32_t((i / 5) * 0x10305));
    }
    const QByteArray pictureBytes = encodeHandsetPicture(picture);
    const QByteArray midi = midiFile();
    for (std::size_t at = 0; at + 0x10000 <= size; at += 0x10000) {
        put(image, at + 0x100, pictureBytes);
        put(image, at + 0x8000, midi);
        put(image, at, QByteArray("\x40\x00\x30\x00", 4) + le32(std::uint32_t(at + 0x100)));
        put(image, at + 8, le32(std::uint32_t(at + 0x8000)) + le32(std::uint32_t(midi.size())));
    }
    return image;
}

void scan(benchmark::State& state, std::vector<std::uint8_t> bytes) {
    const FirmwareImage image = FirmwareImage::fromRanges({{0, std::move(bytes)}});
    std::size_t found = 0;
    for (auto _ : state) {
        const firmwarescan::Result result = firmwarescan::run(image);
        found = result.resources.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["resources"] = double(found);
    state.SetBytesProcessed(std::int64_t(state.iterations() * image.dataBytes()));
}

void BM_ScanRandom(benchmark::State& state) {
    scan(state, randomBytes(std::size_t(state.range(0)) * kMiB));
}
BENCHMARK(BM_ScanRandom)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);

void BM_ScanFirmware(benchmark::State& state) {
    scan(state, firmwareWithFiles(std::size_t(state.range(0)) * kMiB));
}
BENCHMARK(BM_ScanFirmware)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);

// Every third byte starts a false picture ("09 03": a palette of three) whose
// runs join one chain of direct runs, "82 09 03", to the end of the data.
std::vector<std::uint8_t> falseStarts(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = std::uint8_t("\x82\x09\x03"[i % 3]);
    }
    return bytes;
}

void BM_ScanFalsePictureStarts(benchmark::State& state) {
    scan(state, falseStarts(std::size_t(state.range(0)) * 1024));
}
BENCHMARK(BM_ScanFalsePictureStarts)->Arg(64)->Arg(1024)->Unit(benchmark::kMillisecond);

// Track chunks each holding a MIDI header that names 65,535 tracks, its last
// bytes ending the track: every header's tracks run on through the rest.
std::vector<std::uint8_t> headersInTracks(std::size_t size) {
    static const char kChunk[] = "MTrk\0\0\0\x0EMThd\0\0\0\x06\0\x01\xFF\xFF\x2F\x00";
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = std::uint8_t(kChunk[i % 22]);
    }
    return bytes;
}

void BM_ScanHeadersInTracks(benchmark::State& state) {
    scan(state, headersInTracks(std::size_t(state.range(0)) * 1024));
}
BENCHMARK(BM_ScanHeadersInTracks)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
