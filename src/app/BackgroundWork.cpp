// SPDX-License-Identifier: MIT
#include "app/BackgroundWork.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <exception>
#include <memory>

namespace backgroundwork {

namespace {

constexpr int kSteps = 1000;
constexpr int kRefreshMs = 50;

StepHook& stepHook() {
    static StepHook hook;
    return hook;
}

// What the step's thread and the window's share.
struct Shared {
    std::atomic<bool> cancelled{false};
    std::atomic<std::uint64_t> done{0};
    std::atomic<std::uint64_t> total{0};
};

int shownValue(const Shared& shared) {
    const std::uint64_t total = shared.total;
    return total == 0 ? 0 : int(std::min(shared.done.load(), total) * kSteps / total);
}

} // namespace

void setStepHook(StepHook hook) {
    stepHook() = std::move(hook);
}

bool run(QWidget* parent, const QString& caption, const QString& label, const Work& work) {
    Shared shared;
    const workprogress::Progress progress = [&shared](std::uint64_t done, std::uint64_t total) {
        shared.total = total;
        shared.done = done;
        if (stepHook()) {
            stepHook()(done, total);
        }
        if (shared.cancelled) {
            throw workprogress::Cancelled{};
        }
    };
    bool cancelled = false;
    std::exception_ptr error;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work(progress);
        } catch (const workprogress::Cancelled&) {
            cancelled = true;
        } catch (...) {
            error = std::current_exception();
        }
    }));

    QProgressDialog dialog(label, QCoreApplication::translate("BackgroundWork", "Cancel"), 0, 0,
                           parent);
    dialog.setObjectName(QStringLiteral("pbWork"));
    dialog.setWindowTitle(caption);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    // Escape rejects the dialog, the button cancels it: either stops the step.
    const auto cancel = [&shared, &dialog] {
        shared.cancelled = true;
        dialog.setLabelText(QCoreApplication::translate("BackgroundWork", "Cancelling..."));
    };
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, cancel);
    QObject::connect(&dialog, &QDialog::rejected, &dialog, cancel);

    QTimer refresh;
    QObject::connect(&refresh, &QTimer::timeout, &dialog, [&shared, &dialog] {
        if (shared.total > 0 && dialog.maximum() == 0) {
            dialog.setMaximum(kSteps); // until the first report, a busy bar
        }
        if (dialog.maximum() > 0) {
            dialog.setValue(shownValue(shared));
        }
    });
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    dialog.show();
    refresh.start(kRefreshMs);
    thread->start();
    loop.exec();
    thread->wait();
    refresh.stop();
    dialog.hide();
    if (error) {
        std::rethrow_exception(error);
    }
    return !cancelled;
}

} // namespace backgroundwork
