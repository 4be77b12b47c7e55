#include "dataset/ImportStaging.h"

#include "base/TarvexError.h"
#include "platform/DataSetLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace {

const QString kSuffix = QStringLiteral(".import");
const QString kLockSuffix = QStringLiteral(".lock");

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

ImportStaging::ImportStaging(const QString& userFolder, const QString& id)
    : id_(id), folder_(userFolder + QStringLiteral("/.") + id + kSuffix),
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
        throw TarvexError(QCoreApplication::translate(
                              "Report", "The firmware %1 is being imported by another process: %2")
                              .arg(id_, lock_->holderText()));
    case DataSetLock::Result::NotALockFile:
        throw TarvexError(lock_->problem());
    case DataSetLock::Result::Failed:
        throw errors::cannotCreateFile(lock_->lockFilePath(), lock_->problem());
    }
    // With the lock held, a staging folder can only be a killed import's.
    QDir(folder_).removeRecursively();
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
    const QStringList names =
        QDir(userFolder)
            .entryList(
                {QStringLiteral(".*") + kSuffix, QStringLiteral(".*") + kSuffix + kLockSuffix},
                QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
    for (QString name : names) {
        if (name.endsWith(kLockSuffix)) {
            name.chop(kLockSuffix.size());
        }
        const QString folder = userFolder + QLatin1Char('/') + name;
        DataSetLock lock(DataSetLock::OnFile{folder + kLockSuffix});
        if (lock.tryLock() == DataSetLock::Result::Locked) {
            if (QFileInfo(folder).isDir() && !QFileInfo(folder).isSymLink()) {
                QDir(folder).removeRecursively();
            }
            lock.unlock(); // removes the lock file
        }
    }
}
