// SPDX-License-Identifier: MIT
// Reading what a chosen file holds, from the file: a 5 MiB MIDI file of one
// track with a tempo change every thousand notes, and a 5 MiB JAR of many
// entries (the ZIP library reads its directory and inflates the manifest).
// Both must take well under 50 ms.
#include "content/ContentFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <zip.h>

namespace {

constexpr qsizetype kSize = 5 << 20;

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

QByteArray bigMidi() {
    QByteArray events("\x00\xFF\x03\x04Long", 8);
    events.append("\x00\x90\x3C\x40", 4);
    for (qsizetype i = 0; events.size() < kSize - 64; ++i) {
        if (i % 1000 == 0) {
            events.append("\x00\xFF\x51\x03\x07\xA1\x20", 7);
        }
        events.append(i % 2 ? "\x10\x3C\x40" : "\x10\x3C\x00", 3); // running status
    }
    events.append("\x00\xFF\x2F\x00", 4);
    QByteArray file("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk", 18);
    for (int shift = 24; shift >= 0; shift -= 8) {
        file.append(char(events.size() >> shift & 0xFF));
    }
    return file + events;
}

QString bigJar(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("big.jar"));
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    static const QByteArray manifest = "Manifest-Version: 1.0\r\nMIDlet-1: Big, /i.png, Main\r\n"
                                       "MIDlet-Name: Big\r\nMIDlet-Vendor: V\r\n"
                                       "MIDlet-Version: 1.0\r\n\r\n";
    zip_file_add(archive, "META-INF/MANIFEST.MF",
                 zip_source_buffer(archive, manifest.constData(), zip_uint64_t(manifest.size()), 0),
                 ZIP_FL_OVERWRITE);
    // Bytes that do not compress, in entries of 4 KiB: about 1300 of them.
    static QByteArray classes(kSize, Qt::Uninitialized);
    QRandomGenerator random(5);
    for (char& byte : classes) {
        byte = char(random.generate());
    }
    for (qsizetype at = 0, n = 0; at < kSize - 8192; at += 4096, ++n) {
        const QByteArray name = "c/C" + QByteArray::number(n) + ".class";
        zip_file_add(archive, name.constData(),
                     zip_source_buffer(archive, classes.constData() + at, 4096, 0),
                     ZIP_FL_OVERWRITE);
    }
    if (zip_close(archive) != 0) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

void describeEach(benchmark::State& state, const QString& path, content::Kind kind) {
    for (auto _ : state) {
        const content::ContentInfo info = content::describeFile(path);
        if (info.kind != kind || !info.problems.isEmpty()) {
            state.SkipWithError("the file was not read whole");
        }
        benchmark::DoNotOptimize(info.durationMs);
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

void BM_DescribeMidi5MiB(benchmark::State& state) {
    QTemporaryDir dir;
    describeEach(state, writeFile(dir, QStringLiteral("big.mid"), bigMidi()), content::Kind::Midi);
}
BENCHMARK(BM_DescribeMidi5MiB)->Unit(benchmark::kMillisecond);

void BM_DescribeJar5MiB(benchmark::State& state) {
    QTemporaryDir dir;
    describeEach(state, bigJar(dir), content::Kind::Jar);
}
BENCHMARK(BM_DescribeJar5MiB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
