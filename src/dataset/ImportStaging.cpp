// SPDX-License-Identifier: MIT
#include "dataset/ImportStaging.h"

#include "base/TarvexError.h"
#include "platform/DataSetLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace {

const QString kLockSuffix = QStringLiteral(".lock");

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

ImportStaging::ImportStaging(const QString& userFolder, const QString& id, const QString& suffix)
    : id_(id), suffix_(suffix), folder_(userFolder + QStringLiteral("/.") + id + suffix),
      lock_(std::make_unique<DataSetLock>(DataSetLock::OnFile{folder_ + kLockSuffix})) {}

ImportStaging::~ImportStaging() {
    if (lock_->isLocked() && !placed_) {
        QDir(folder_).removeRecursively();
    }
}

void ImportStaging::begin() {
    switch (lock_->tryLock()) {
    case DataSetLock::Result::Locked:
        break;
    case DataSetLock::Result::HeldByOther:
        throw TarvexError(
            suffix_ == kExtract
                ? QCoreApplication::translate("Report",
                                              "%1 is being written by another process: %2")
                      .arg(id_, lock_->holderText())
                : QCoreApplication::translate(
                      "Report", "The firmware %1 is being imported by another process: %2")
                      .arg(id_, lock_->holderText()));
    case DataSetLock::Result::NotALockFile:
        throw TarvexError(lock_->problem());
    case DataSetLock::Result::Failed:
        throw errors::cannotCreateFile(lock_->lockFilePath(), lock_->problem());
    }
    // With the lock held, a staging folder can only be a killed import's. A
    // link or a file in its place is not ours: it stays, and the folder
    // cannot be made (a link is never followed into what it leads to).
    if (const QFileInfo left(folder_); left.isDir() && !left.isSymLink()) {
        QDir(folder_).removeRecursively();
    }
    errno = 0;
    if (!QDir().mkdir(folder_)) {
        throw errors::cannotCreateFile(folder_, systemReason());
    }
}

void ImportStaging::putInPlace(const QString& target) {
    errno = 0;
    if (QFileInfo::exists(target) || !QDir().rename(folder_, target)) {
        throw errors::cannotCreateFile(
            target, QFileInfo::exists(target)
                        ? QCoreApplication::translate("Report", "it exists already")
                        : systemReason());
    }
    placed_ = true;
}

void ImportStaging::removeLeftovers(const QString& userFolder) {
    for (const QString& suffix : {kImport, kPort, kDraft}) {
        const QStringList names =
            QDir(userFolder)
                .entryList(
                    {QStringLiteral(".*") + suffix, QStringLiteral(".*") + suffix + kLockSuffix},
                    QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
        for (QString name : names) {
            if (name.endsWith(kLockSuffix)) {
                name.chop(kLockSuffix.size());
            }
            name.chop(suffix.size());
            removeLeftover(userFolder, name.mid(1), suffix);
        }
    }
}

void ImportStaging::removeLeftover(const QString& parent, const QString& name,
                                   const QString& suffix) {
    const QString folder = parent + QStringLiteral("/.") + name + suffix;
    DataSetLock lock(DataSetLock::OnFile{folder + kLockSuffix});
    if (lock.tryLock() == DataSetLock::Result::Locked) {
        if (QFileInfo(folder).isDir() && !QFileInfo(folder).isSymLink()) {
            QDir(folder).removeRecursively();
        }
        lock.unlock(); // removes the lock file
    }
}
