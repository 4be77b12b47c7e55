#include "platform/DataSetLock.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLockFile>

namespace {

constexpr qint64 kCreationTime = 2000; // milliseconds

} // namespace

DataSetLock::DataSetLock(QString firmwareFolder)
    : DataSetLock(OnFile{std::move(firmwareFolder) + QStringLiteral("/.tarvex.lock")}) {}

DataSetLock::DataSetLock(OnFile lockFile)
    : path_(std::move(lockFile.path)), lock_(std::make_unique<QLockFile>(path_)) {
    // Age says nothing about a live holder: the window holds its lock for hours.
    lock_->setStaleLockTime(0);
}

DataSetLock::~DataSetLock() = default;

DataSetLock::Result DataSetLock::tryLock() {
    if (lock_->isLocked() || lock_->tryLock(0)) {
        return Result::Locked;
    }
    if (lock_->error() != QLockFile::LockFailedError) {
        return Result::Failed;
    }
    // A process killed while it created the lock file leaves it empty, with
    // no holder to ask after; once it is older than any creation takes, it
    // is removed (which fails while a live holder has the file locked).
    qint64 pid = 0;
    QString host;
    QString app;
    const QFileInfo file(path_);
    if (!lock_->getLockInfo(&pid, &host, &app) &&
        file.lastModified().msecsTo(QDateTime::currentDateTime()) > kCreationTime &&
        lock_->removeStaleLockFile() && lock_->tryLock(0)) {
        return Result::Locked;
    }
    return Result::HeldByOther;
}

bool DataSetLock::isLocked() const {
    return lock_->isLocked();
}

void DataSetLock::unlock() {
    lock_->unlock();
}

DataSetLock::Holder DataSetLock::holder() const {
    Holder holder;
    lock_->getLockInfo(&holder.pid, &holder.hostName, &holder.appName);
    return holder;
}

QString DataSetLock::holderText() const {
    const Holder who = holder();
    QString text = who.appName.isEmpty()
                       ? QStringLiteral("pid %1").arg(who.pid)
                       : QStringLiteral("%1 (pid %2").arg(who.appName).arg(who.pid);
    if (!who.appName.isEmpty()) {
        text += who.hostName.isEmpty() ? QStringLiteral(")")
                                       : QStringLiteral(", %1)").arg(who.hostName);
    }
    return text;
}
