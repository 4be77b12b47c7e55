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

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

ImportStaging::ImportStaging(const QString& userFolder, const QString& id, const QString& suffix)
    : id_(id), suffix_(suffix),
      folder_(userFolder + QLatin1Char('/') + fileops::staging::hiddenName(id, suffix)),
      lock_(std::make_unique<DataSetLock>(DataSetLock::OnFile{folder_ + fileops::staging::kLock})) {
}

ImportStaging::~ImportStaging() {
    if (lock_->isLocked() && !placed_) {
        fileops::removeStagingEntry(folder_);
    }
}

void ImportStaging::begin() {
    switch (lock_->tryLock()) {
    case DataSetLock::Result::Locked:
        break;
    case DataSetLock::Result::HeldByOther:
        throw TarvexError(
            suffix_ == fileops::staging::kExtract
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
    // link or a file in its place is refused: the folder cannot be made, and
    // the link goes as a link when the staging ends.
    fileops::removeFolderTree(folder_);
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
    for (const QString& suffix :
         {fileops::staging::kImport, fileops::staging::kPort, fileops::staging::kDraft}) {
        const QStringList names =
            QDir(userFolder)
                .entryList({QStringLiteral(".*") + suffix,
                            QStringLiteral(".*") + suffix + fileops::staging::kLock},
                           QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
        for (QString name : names) {
            if (name.endsWith(fileops::staging::kLock)) {
                name.chop(fileops::staging::kLock.size());
            }
            name.chop(suffix.size());
            removeLeftover(userFolder, name.mid(1), suffix);
        }
    }
}

void ImportStaging::removeLeftover(const QString& parent, const QString& name,
                                   const QString& suffix) {
    const QString folder = parent + QLatin1Char('/') + fileops::staging::hiddenName(name, suffix);
    DataSetLock lock(DataSetLock::OnFile{folder + fileops::staging::kLock});
    if (lock.tryLock() == DataSetLock::Result::Locked) {
        fileops::removeStagingEntry(folder);
        lock.unlock(); // removes the lock file
    }
}
