// SPDX-License-Identifier: MIT
// How the readers of outside files grow with their input: the help-text
// reader over runs, font switches and nesting, the INI reader and the list
// reader over file size. Each should be linear; the INI reader's memory
// should not grow at all.
#include "dataset/ListFile.h"
#include "dataset/MemoryMap.h"
#include "rtf/RtfReader.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

void readInto(benchmark::State& state, const QByteArray& rtf) {
    for (auto _ : state) {
        QTextDocument document;
        rtf::readRtf(rtf, document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
    state.SetComplexityN(state.range(0));
}

// One paragraph of N bold and plain runs: "\b x\b0 y" N times.
void BM_RtfRuns(benchmark::State& state) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        rtf += "\\b x\\b0 y";
    }
    readInto(state, rtf + "}");
}
BENCHMARK(BM_RtfRuns)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// N switches between 1000 declared fonts, in one paragraph.
void BM_RtfFontSwitches(benchmark::State& state) {
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl";
    for (int f = 0; f < 1000; ++f) {
        rtf +=
            "{\\f" + QByteArray::number(f) + "\\fcharset204 Font " + QByteArray::number(f) + ";}";
    }
    rtf += "}";
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        rtf += "\\f" + QByteArray::number(i % 1000) + " text ";
    }
    readInto(state, rtf + "}");
}
BENCHMARK(BM_RtfFontSwitches)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// N groups nested in one another, each with formatting and text.
void BM_RtfNesting(benchmark::State& state) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        rtf += "{\\i a";
    }
    rtf += QByteArray(state.range(0), '}');
    readInto(state, rtf + "}");
}
BENCHMARK(BM_RtfNesting)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

long peakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A Memory.ini of N MB: the keys sit at the end, after long comment and key
// lines and one line of a quarter of the file, so every byte is read.
void BM_IniRead(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Memory.ini"));
    const qint64 size = state.range(0) * 1024 * 1024;
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("[Melodies]\r\nLong=" + QByteArray(size / 4, 'v') + "\r\n");
        const QByteArray line = "Key" + QByteArray(990, 'k') + "=value\r\n;comment\r\n";
        for (qint64 written = size / 4; written < size; written += line.size()) {
            file.write(line);
        }
        file.write("[Pictures]\r\nStartOffset=0x00600000\r\n");
    }
    const long before = peakRssKb();
    for (auto _ : state) {
        benchmark::DoNotOptimize(readMemoryMap(path));
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.SetComplexityN(state.range(0));
    state.counters["peak_rss_growth_kb"] = double(peakRssKb() - before);
}
BENCHMARK(BM_IniRead)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// A list of N MB in lines of 40 characters.
void BM_ListLoad(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Big.lst"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        const QByteArray line = QByteArray(38, '\xe0') + "\r\n";
        for (qint64 written = 0; written < state.range(0) * 1024 * 1024; written += line.size()) {
            file.write(line);
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(listfile::load(path));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * 1024 * 1024);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ListLoad)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the help-text documents
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
