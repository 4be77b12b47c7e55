// How long the custom patch page takes from a click on "Открыть файл..." to
// an editor that shows the patch of a 5 MiB file, and where the time goes.
#include "app/CustomPatchPage.h"
#include "platform/UserDialogs.h"
#include "srec/CustomPatch.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kFileSize = 5 * 1024 * 1024;

// Always chooses the same file; the two message boxes are not shown.
class ChooseFile final : public UserDialogs {
public:
    explicit ChooseFile(QString path) : path_(std::move(path)) {}
    QString askOpenFile(const QString&) override { return path_; }
    QString askOpenPicture(const QString&) override { return path_; }
    QString askSaveFile(const QString&, const QString&) override { return {}; }
    void warn(const QString&) override {}
    void inform(const QString&, const QString&) override {}
    void showError(const QString& message) override { errors_ += message; }
    int runModal(QDialog&) override { return 0; }
    const QString& errors() const { return errors_; }

private:
    QString path_;
    QString errors_;
};

QString writeInput(const QTemporaryDir& dir) {
    const QString path = dir.path() + "/input.bin";
    QByteArray bytes(kFileSize, Qt::Uninitialized);
    for (qsizetype i = 0; i < kFileSize; ++i) {
        bytes[i] = char((i * 131) ^ (i >> 7));
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

void BM_OpenFileToUsableEditor(benchmark::State& state) {
    QTemporaryDir dir;
    ChooseFile dialogs(writeInput(dir));
    UserDialogs::setInstance(&dialogs);
    CustomPatchPage page;
    page.resize(680, 420);
    page.show();
    QApplication::processEvents();
    for (auto _ : state) {
        page.btnOpenMMF->click();
        // Usable means laid out and painted once.
        page.Editor->viewport()->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        if (page.Editor->blockCount() != 2 + kFileSize / 16 || !dialogs.errors().isEmpty()) {
            state.SkipWithError("the editor does not hold the patch");
        }
        page.Editor->clear();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    UserDialogs::setInstance(nullptr);
}

void BM_MakeCustomPatchOnly(benchmark::State& state) {
    QTemporaryDir dir;
    const QString input = writeInput(dir);
    for (auto _ : state) {
        CustomPatch patch = MakeCustomPatch(input, kFileSize, 0x00646880);
        benchmark::DoNotOptimize(patch.lines.count());
    }
}

void BM_EditorTextOnly(benchmark::State& state) {
    QTemporaryDir dir;
    const CustomPatch patch = MakeCustomPatch(writeInput(dir), kFileSize, 0x00646880);
    for (auto _ : state) {
        QString text = CustomPatchPage::editorText(patch.lines);
        benchmark::DoNotOptimize(text.size());
    }
}

} // namespace

BENCHMARK(BM_OpenFileToUsableEditor)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_MakeCustomPatchOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorTextOnly)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
