#include "platform/FileOps.h"

#include "platform/CheckedSaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace fileops {

bool exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool folderExists(const QString& path) {
    return QFileInfo(path).isDir();
}

bool createFolder(const QString& path) {
    return !path.isEmpty() && QDir().mkdir(path);
}

bool remove(const QString& path) {
    return exists(path) && QFile::remove(path);
}

bool isPlainFolder(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
}

bool removeFileOrLink(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink() && !info.isFile()) {
        return false;
    }
    // QFile::remove unlinks the entry itself, so a link's target stays.
    return QFile::remove(path);
}

bool copyReplacing(const QString& source, const QString& target, QString* writeError) {
    const QFileInfo from(source);
    const QFileInfo to(target);
    if (to.exists() && !to.isSymLink() && from.exists() &&
        from.canonicalFilePath() == to.canonicalFilePath()) {
        return true;
    }
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return false;
    }
    CheckedSaveFile out(target);
    const auto failed = [&] {
        if (writeError != nullptr) {
            *writeError = out.errorString();
        }
        return false;
    };
    if (!out.open()) {
        return failed();
    }
    constexpr qint64 kChunk = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunk);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            return false;
        }
        if (!out.write(chunk)) {
            return failed();
        }
    }
    return out.commit() || failed();
}

bool sameFileName(const QString& a, const QString& b) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

QString bareName(const QString& path) {
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

bool isSafeBareName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}

} // namespace fileops
