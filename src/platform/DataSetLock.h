#pragma once

#include <QString>
#include <memory>

class QLockFile;

// The one-writer lock of a firmware folder (".tarvex.lock"). The window holds
// it for its whole run and every command that writes holds it for its own, so
// two writers never overwrite each other's choices. Whether a holder is alive
// is decided by the operating system's lock on the file, which ends with the
// holder's process however it ends: never by a process id, which another
// process may have taken since.
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

    // NotALockFile: something other than a file stands at the lock's place
    // (a folder, a FIFO, a link); problem() says what and what to do.
    enum class Result { Locked, HeldByOther, NotALockFile, Failed };
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
    // Why the lock could not be taken, for NotALockFile and Failed.
    QString problem() const { return problem_; }

    QString lockFilePath() const { return path_; }

private:
    QString path_;
    QString problem_;
#ifdef Q_OS_WIN
    std::unique_ptr<QLockFile> lock_;
#else
    int fd_ = -1;
#endif
};
