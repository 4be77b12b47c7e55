// SPDX-License-Identifier: MIT
#include "cli/InputStream.h"

#include "base/Report.h"
#include "base/TarvexError.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace cli {

namespace {

using fileops::staging::kSpool;

TarvexError tooLarge(const QString& name) {
    return TarvexError(
        QCoreApplication::translate("Report", "%1 holds more than %2 MiB: it is not read")
            .arg(isStandardInput(name) ? QCoreApplication::translate("Report", "The input") : name)
            .arg(kLargestStream >> 20));
}

#ifndef Q_OS_WIN
// The names the signal handler removes: fixed storage, so that the handler
// touches nothing but these bytes and unlink().
struct SpoolSlot {
    std::atomic<bool> used{false};
    char path[4096] = {};
};
SpoolSlot g_spools[4];
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void removeSpoolsAndEnd(int signal) {
    for (SpoolSlot& slot : g_spools) {
        if (slot.used.load()) {
            ::unlink(slot.path);
        }
    }
    // Ended by the signal as if nothing had caught it.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void installHandlers() {
    static const bool installed = [] {
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            struct sigaction old {};
            // A signal the caller ignores (nohup) stays ignored.
            if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) {
                continue;
            }
            struct sigaction action {};
            action.sa_handler = removeSpoolsAndEnd;
            sigemptyset(&action.sa_mask);
            sigaction(signal, &action, nullptr);
        }
        return true;
    }();
    (void)installed;
}

int registerSpool(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    for (int i = 0; i < int(std::size(g_spools)); ++i) {
        SpoolSlot& slot = g_spools[i];
        if (!slot.used.load() && std::size_t(name.size()) < sizeof slot.path) {
            std::memcpy(slot.path, name.constData(), std::size_t(name.size()) + 1);
            slot.used.store(true);
            installHandlers();
            return i;
        }
    }
    return -1; // left to the next run
}

void unregisterSpool(int slot) {
    if (slot >= 0) {
        g_spools[slot].used.store(false);
    }
}

bool processIsGone(qint64 pid) {
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}
#endif

} // namespace

bool isStandardInput(const QString& path) {
    return path == QLatin1String("-");
}

bool openStream(QFile& stream, const QString& path) {
    if (isStandardInput(path)) {
        if (!stream.open(fileno(stdin), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
            throw errors::cannotOpenFile(Report::tr("standard input"), stream.errorString());
        }
        return true;
    }
    const QFileInfo info(path); // stat(): the type is known without opening it
    if (!info.exists() || info.isFile() || info.isDir()) {
        return false;
    }
#ifdef Q_OS_WIN
    stream.setFileName(path);
    if (!stream.open(QIODevice::ReadOnly)) {
        throw errors::cannotOpenFile(path, stream.errorString());
    }
#else
    // A FIFO nobody writes into is refused after a while, never waited on for ever.
    QString reason;
    const int fd = fileops::openStreamWithoutHanging(path, false, &reason);
    if (fd < 0) {
        throw errors::cannotOpenFile(path, reason);
    }
    if (!stream.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw errors::cannotOpenFile(path, stream.errorString());
    }
#endif
    return true;
}

StreamSpool::StreamSpool(const QString& suffix)
    : copy_(QDir::tempPath() + QLatin1Char('/') + kSpool +
            QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX") +
            suffix) {
    removeStaleSpools();
#ifndef Q_OS_WIN
    // A signal between the copy's creation and its registration would leave
    // it behind: the handlers stand first, and the signals wait meanwhile.
    installHandlers();
    sigset_t blocked;
    sigset_t previous;
    sigemptyset(&blocked);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaddset(&blocked, signal);
    }
    sigprocmask(SIG_BLOCK, &blocked, &previous);
    const bool opened = copy_.open();
    if (opened) {
        slot_ = registerSpool(copy_.fileName());
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
#else
    const bool opened = copy_.open();
#endif
    if (!opened) {
        // The copy has no name until it exists: its template names the place.
        throw errors::cannotCreateFile(copy_.fileTemplate(), copy_.errorString());
    }
}

StreamSpool::~StreamSpool() {
#ifndef Q_OS_WIN
    unregisterSpool(slot_);
#endif
}

void StreamSpool::fill(QFile& stream, const QString& name, const QByteArray& taken) {
    if (copy_.write(taken) != taken.size()) {
        throw errors::cannotCreateFile(copy_.fileName(), copy_.errorString());
    }
    QByteArray block(64 * 1024, Qt::Uninitialized);
    for (qint64 total = taken.size();;) {
        const qint64 got = stream.read(block.data(), block.size());
        if (got < 0) {
            throw errors::streamRead();
        }
        if (got == 0) {
            break;
        }
        total += got;
        if (total > kLargestStream) {
            throw tooLarge(name);
        }
        if (copy_.write(block.constData(), got) != got) {
            throw errors::cannotCreateFile(copy_.fileName(), copy_.errorString());
        }
    }
    if (!copy_.flush()) {
        throw errors::cannotCreateFile(copy_.fileName(), copy_.errorString());
    }
}

QIODevice& StreamSpool::rewound() {
    if (!copy_.seek(0)) {
        throw errors::streamRead();
    }
    return copy_;
}

int removeStaleSpools(const QString& folder) {
    int removed = 0;
#ifndef Q_OS_WIN
    const QDir dir(folder.isEmpty() ? QDir::tempPath() : folder);
    const QFileInfoList entries =
        dir.entryInfoList({kSpool + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        // tarvex-spool-PID-XXXXXX: only ours, and only once that process is gone.
        bool isNumber = false;
        const qint64 pid = entry.fileName()
                               .mid(kSpool.size())
                               .section(QLatin1Char('-'), 0, 0)
                               .toLongLong(&isNumber);
        if (isNumber && entry.ownerId() == ::getuid() && processIsGone(pid) &&
            fileops::removeFileOrLink(entry.filePath())) {
            ++removed;
        }
    }
#else
    (void)folder;
#endif
    return removed;
}

} // namespace cli
