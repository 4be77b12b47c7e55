// SPDX-License-Identifier: MIT
#include "support/TestSupport.h"

#include "base/TarvexError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace testsupport {

Scratch::Scratch() {
    EXPECT_TRUE(dir_.isValid());
}

QString Scratch::path(const QString& relative) const {
    return relative.isEmpty() ? dir_.path() : dir_.path() + QLatin1Char('/') + relative;
}

QString Scratch::write(const QString& relative, const QByteArray& bytes) const {
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << full.toStdString();
    file.write(bytes);
    return full;
}

QString Scratch::mkdir(const QString& relative) const {
    const QString full = path(relative);
    QDir().mkpath(full);
    return full;
}

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const TarvexError& error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

QByteArray bytesFromHex(const char* hex) {
    return QByteArray::fromHex(QByteArray(hex));
}

QByteArray sequence(int count, int first) {
    QByteArray out(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i) {
        out[i] = char((first + i) & 0xFF);
    }
    return out;
}

QString bundledFirmwareRoot() {
    return QStringLiteral(TARVEX_BUNDLED_DIR);
}

QByteArray srecCatBytes(const QString& s3File, std::uint32_t from, std::uint32_t length,
                        QString* error) {
    QTemporaryDir dir;
    const QString out = dir.path() + QStringLiteral("/out.bin");
    QProcess p;
    p.start(QStringLiteral("srec_cat"),
            {s3File, QStringLiteral("-Motorola"), QStringLiteral("-crop"), QString::number(from),
             QString::number(quint64(from) + length), QStringLiteral("-offset"),
             QStringLiteral("-%1").arg(from), QStringLiteral("-o"), out,
             QStringLiteral("-Binary")});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error) {
            *error = QStringLiteral("srec_cat exit %1: ").arg(p.exitCode()) +
                     QString::fromLocal8Bit(p.readAllStandardError()) + p.errorString();
        }
        return {};
    }
    return readAll(out);
}

} // namespace testsupport
