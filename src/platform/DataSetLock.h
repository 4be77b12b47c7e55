#pragma once

#include <QString>
#include <memory>

class QLockFile;

// The one-writer lock of a firmware folder. The window holds it for its whole
// run and every command that writes holds it for its own, so two writers
// never overwrite each other's choices. A lock left by a process that died is
// taken over; a lock held by a live process is never broken, however old.
class DataSetLock {
public:
    explicit DataSetLock(QString firmwareFolder);
    // The same kind of lock on a file of its own (an import's staging folder).
    struct OnFile {
        QString path;
    };
    explicit DataSetLock(OnFile lockFile);
    ~DataSetLock(); // releases a lock held
    DataSetLock(const DataSetLock&) = delete;
    DataSetLock& operator=(const DataSetLock&) = delete;

    enum class Result { Locked, HeldByOther, Failed };
    Result tryLock();
    bool isLocked() const;
    void unlock();

    // Who holds the lock, as far as its file tells.
    struct Holder {
        qint64 pid = 0;
        QString hostName;
        QString appName;
    };
    Holder holder() const;
    // "tarvex (pid 1234, host)"; the pid alone when nothing more is known.
    QString holderText() const;

    QString lockFilePath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};
