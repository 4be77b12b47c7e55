// SPDX-License-Identifier: MIT
// How long the custom patch page takes from a click on "Открыть файл..." to
// an editor that shows the patch of a file of 1, 5 and 64 MiB, and how long an
// edit at the end of the largest patch takes, how long saving it takes, and
// how long a search through it and a jump to its last line take.
// longest_block_ms is the longest time the window went without handling its
// events while a file opened or a patch was saved.
#include "BenchInput.h"
#include "desktop/UserDialogs.h"
#include "editor/CustomPatchPage.h"
#include "srec/CustomPatchSource.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

constexpr std::int64_t kMiB = 1024 * 1024;

// Always chooses the same files; the two message boxes are not shown.
class ChooseFile final : public UserDialogs {
public:
    explicit ChooseFile(QString path) : path_(std::move(path)) {}
    QString askOpenFile(const QString&) override { return path_; }
    QString askOpenPicture(const QString&) override { return path_; }
    QString askSaveFile(const QString&, const QString&) override { return path_ + ".s3"; }
    QString askFolder(const QString&) override { return {}; }
    void warn(const QString&) override {}
    void inform(const QString&, const QString&) override {}
    void showError(const QString& message) override { errors_ += message; }
    int runModal(QDialog&) override { return 0; }
    SaveChoice askSaveChanges(const QString&, const QString&) override {
        return SaveChoice::Discard;
    }
    const QString& errors() const { return errors_; }

private:
    QString path_;
    QString errors_;
};

// A shown page whose open dialog answers with a file of the given size.
struct OpenPage {
    QTemporaryDir dir;
    std::int64_t size;
    ChooseFile dialogs;
    CustomPatchPage page;

    explicit OpenPage(std::int64_t bytes)
        : size(bytes), dialogs(writeBenchInput(dir.path() + "/input.bin", bytes)) {
        UserDialogs::setInstance(&dialogs);
        page.resize(680, 420);
        page.show();
        QApplication::processEvents();
    }
    ~OpenPage() { UserDialogs::setInstance(nullptr); }

    PatchEditor* editor() const { return page.findChild<PatchEditor*>(QStringLiteral("Editor")); }

    // Clicks the button and returns the longest stretch, in milliseconds, in
    // which no timer event got through: how long the window was kept from
    // answering.
    double click(QPushButton* button) {
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longest = 0;
        const auto tick = [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, now - last);
            last = now;
        };
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, tick);
        ticker.start(0);
        clock.start();
        button->click();
        // Usable means laid out and painted once.
        editor()->viewport()->repaint();
        QApplication::processEvents();
        tick();
        return double(longest) / 1e6;
    }
    double open() { return click(page.openButton()); }
    bool holdsThePatch() const {
        return editor()->blockCount() == 2 + (size + 15) / 16 && dialogs.errors().isEmpty();
    }
};

void BM_OpenFileToUsableEditor(benchmark::State& state) {
    OpenPage fixture(state.range(0) * kMiB);
    double longestBlock = 0;
    for (auto _ : state) {
        longestBlock = std::max(longestBlock, fixture.open());
        state.PauseTiming();
        if (!fixture.holdsThePatch()) {
            state.SkipWithError("the editor does not hold the patch");
        }
        fixture.editor()->clear();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["longest_block_ms"] = longestBlock;
    state.SetLabel(std::to_string(state.range(0)) + " MiB");
}

// Jump to the last line of a 64 MiB patch, type a character, see it painted.
void BM_EditAtTheEndOfALargePatch(benchmark::State& state) {
    OpenPage fixture(64 * kMiB);
    fixture.open();
    PatchEditor* editor = fixture.editor();
    for (auto _ : state) {
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(editor, &end);
        QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("A"));
        QApplication::sendEvent(editor, &letter);
        editor->viewport()->repaint();
    }
    if (!fixture.holdsThePatch()) {
        state.SkipWithError("typing changed the number of lines");
    }
}

// "Сохранить патч..." for the whole 64 MiB patch, to the end of the sync.
void BM_SaveLargePatch(benchmark::State& state) {
    OpenPage fixture(64 * kMiB);
    fixture.open();
    double longestBlock = 0;
    for (auto _ : state) {
        longestBlock = std::max(longestBlock, fixture.click(fixture.page.saveButton()));
    }
    const QFileInfo saved(fixture.dir.path() + "/input.bin.s3");
    const std::int64_t records = (fixture.size + 15) / 16;
    if (!fixture.dialogs.errors().isEmpty() || saved.size() != 18 + records * 48 + 16) {
        state.SkipWithError("the saved patch is not the whole patch");
    }
    state.counters["longest_block_ms"] = longestBlock;
}

// Ctrl+A, Ctrl+C on the 64 MiB patch: every line into one text for the clipboard.
void BM_CopyWholeLargePatch(benchmark::State& state) {
    OpenPage fixture(64 * kMiB);
    fixture.open();
    PatchEditor* editor = fixture.editor();
    editor->selectAll();
    for (auto _ : state) {
        editor->copy();
    }
    const QString copied = QApplication::clipboard()->text();
    // The header, one line of 46 characters per 16 bytes, the end record.
    if (copied.size() != 17 + (fixture.size / 16) * 47 + 14) {
        state.SkipWithError("the clipboard does not hold the whole patch");
    }
}

// F3 on the 64 MiB patch for a text that stands nowhere: every line made and
// searched once, from the cursor round to it again. Then Ctrl+G to its last line.
void BM_FindInLargePatch(benchmark::State& state) {
    OpenPage fixture(64 * kMiB);
    fixture.open();
    fixture.page.findChild<QLineEdit*>(QStringLiteral("edtFind"))
        ->setText(QStringLiteral("s3ffffffff"));
    double longestBlock = 0;
    for (auto _ : state) {
        longestBlock = std::max(longestBlock, fixture.click(fixture.page.findChild<QPushButton*>(
                                                  QStringLiteral("btnFindNext"))));
    }
    if (fixture.page.findChild<QLabel*>(QStringLiteral("lblFindResult"))->text().isEmpty()) {
        state.SkipWithError("a text that stands nowhere was found");
    }
    state.counters["longest_block_ms"] = longestBlock;
}

void BM_GoToLastLineOfALargePatch(benchmark::State& state) {
    OpenPage fixture(64 * kMiB);
    fixture.open();
    PatchEditor* editor = fixture.editor();
    for (auto _ : state) {
        editor->goToLine(1);
        editor->goToLine(editor->blockCount());
        editor->viewport()->repaint();
    }
    if (editor->cursorPosition().line != editor->blockCount() - 1) {
        state.SkipWithError("the cursor is not on the last line");
    }
}

// The part of the click that reads the file into memory.
void BM_ReadCustomPatchSourceOnly(benchmark::State& state) {
    QTemporaryDir dir;
    const std::int64_t size = state.range(0) * kMiB;
    const QString input = writeBenchInput(dir.path() + "/input.bin", size);
    for (auto _ : state) {
        const CustomPatchSource source = CustomPatchSource::read(input, size, 0x00646880);
        benchmark::DoNotOptimize(source.lineCount());
    }
    state.SetLabel(std::to_string(state.range(0)) + " MiB");
}

} // namespace

BENCHMARK(BM_OpenFileToUsableEditor)->Arg(1)->Arg(5)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditAtTheEndOfALargePatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveLargePatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyWholeLargePatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindInLargePatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoToLastLineOfALargePatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadCustomPatchSourceOnly)->Arg(5)->Arg(64)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // A fixed threshold keeps the C library from recycling the last file's
    // buffer, so every open pays for fresh memory as the first one does.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
