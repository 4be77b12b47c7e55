// SPDX-License-Identifier: MIT
#include "melodies/MelodyPlayer.h"

#include "base/Report.h"
#include "base/TarvexError.h"
#include "platform/FileOps.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace {

// The first bytes of a standard MIDI file, bare or in a RIFF wrapper.
bool isMidi(const QString& path) {
    QFile file;
    if (!fileops::openRegular(file, path)) {
        return false;
    }
    const QByteArray head = file.read(12);
    return head.startsWith("MThd") || (head.startsWith("RIFF") && head.mid(8, 4) == "RMID");
}

QStringList& folderList() {
    static QStringList folders;
    return folders;
}

QString runnable(const QString& program) {
    if (program.isEmpty()) {
        return {};
    }
    if (!program.contains(QLatin1Char('/')) && !program.contains(QLatin1Char('\\'))) {
        return QStandardPaths::findExecutable(program, folderList());
    }
    const QFileInfo file(QDir::fromNativeSeparators(program));
    return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
}

} // namespace

QString MelodyPlayer::findMidRadio() {
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

QString MelodyPlayer::findMidiPlayer() {
    QString named;
    try {
        named = SettingsStore().readString(kMidiPlayerKey).value_or(QString());
    } catch (const TarvexError&) {
        // A value of another type names no program.
    }
    const QString chosen = runnable(named.trimmed());
    return chosen.isEmpty() ? runnable(kDefaultMidiPlayer) : chosen;
}

void MelodyPlayer::setProgramFolders(const QStringList& folders) {
    folderList() = folders;
}

QStringList MelodyPlayer::programFolders() {
    return folderList();
}

MelodyPlayer::Program MelodyPlayer::find() {
    const QString midRadio = findMidRadio();
    if (!midRadio.isEmpty()) {
        return {midRadio, Kind::MidRadio};
    }
    return {findMidiPlayer(), Kind::Midi};
}

MelodyPlayer::MelodyPlayer(QString playerPath, Kind kind)
    : playerPath_(std::move(playerPath)), kind_(kind) {}

MelodyPlayer::~MelodyPlayer() {
    onFinished_ = nullptr; // whoever asked may be gone already
    terminate();
}

MelodyPlayer::Outcome MelodyPlayer::play(const QString& workFolder, const QString& fileText) {
    const QString melody = workFolder + QLatin1Char('/') + fileText;
    if (!fileops::isSafeBareName(fileText) || !fileops::exists(melody)) {
        return Outcome::NoFile;
    }
    if (kind_ == Kind::Midi && !isMidi(melody)) {
        return Outcome::CannotPlay;
    }
    terminate();
    QThread::msleep(50);
    auto process = std::make_unique<QProcess>();
    process->setWorkingDirectory(workFolder);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
#ifdef Q_OS_UNIX
    // A group of its own, so that Stop also ends what a wrapper script started.
    process->setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    // Program and argument apart: a path with blanks needs no quoting.
    process->start(playerPath_, {QDir::toNativeSeparators(melody)});
    if (!process->waitForStarted()) {
        // The system's reason apart: it is shown only where it is in our language.
        throw TarvexError(Report::tr("Cannot start %1").arg(playerPath_), process->errorString());
    }
    QObject::connect(process.get(), &QProcess::finished, [this] {
        if (onFinished_) {
            onFinished_();
        }
    });
    process_ = std::move(process);
    return Outcome::Started;
}

QString MelodyPlayer::cannotPlayMessage(const QString& fileText) const {
    return Report::tr("The player %1 plays MIDI melodies only, and \"%2\" is not MIDI (it "
                      "will not play a SMAF melody, .mmf).")
        .arg(QFileInfo(playerPath_).fileName(), fileText);
}

void MelodyPlayer::terminate() {
    if (!process_ || process_->state() == QProcess::NotRunning) {
        return;
    }
#ifdef Q_OS_UNIX
    // The whole group: asked to end, then killed when it has not after a
    // short wait. Whatever the player left behind in its group goes too.
    const pid_t group = pid_t(process_->processId());
    ::kill(-group, SIGTERM);
    if (!process_->waitForFinished(kTermWaitMs)) {
        ::kill(-group, SIGKILL);
        process_->waitForFinished(1000);
    } else {
        ::kill(-group, SIGKILL); // a child that ignored the request
    }
#else
    process_->kill();
    process_->waitForFinished(1000);
#endif
}

bool MelodyPlayer::isRunning() const {
    return process_ && process_->state() != QProcess::NotRunning;
}
