#include "melodies/MelodyPlayer.h"

#include "base/TarvexError.h"
#include "platform/FileOps.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QProcess>
#include <QThread>

QString MelodyPlayer::FindMidRadio() {
    const QString folder =
        SettingsStore::readForeignString(QStringLiteral("Software/YAMAHA/MidRadio2/Profiles"),
                                         QStringLiteral("InstallDirectory"))
            .value_or(QString());
    if (folder.isEmpty()) {
        return {};
    }
    const QString path = QDir::fromNativeSeparators(folder) + QStringLiteral("/MidRadio.exe");
    return fileops::exists(path) ? path : QString();
}

MelodyPlayer::MelodyPlayer(QString playerPath) : playerPath_(std::move(playerPath)) {}

MelodyPlayer::~MelodyPlayer() {
    terminate();
}

void MelodyPlayer::play(const QString& workFolder, const QString& fileText) {
    const QString melody = workFolder + QLatin1Char('/') + fileText;
    if (!fileops::isSafeBareName(fileText) || !fileops::exists(melody)) {
        return;
    }
    terminate();
    QThread::msleep(50);
    auto process = std::make_unique<QProcess>();
    process->setWorkingDirectory(workFolder);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    // Program and argument apart: a path with blanks needs no quoting.
    process->start(playerPath_, {QDir::toNativeSeparators(melody)});
    if (!process->waitForStarted()) {
        throw TarvexError(
            QStringLiteral("Cannot start %1: %2").arg(playerPath_, process->errorString()));
    }
    process_ = std::move(process);
}

void MelodyPlayer::terminate() {
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished(1000);
    }
}

bool MelodyPlayer::isRunning() const {
    return process_ && process_->state() != QProcess::NotRunning;
}
