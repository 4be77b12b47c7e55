// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

// Lets gtest print QStrings in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

// Tests that run shell scripts skip themselves where there is no POSIX shell.
#ifdef Q_OS_WIN
#define TARVEX_SKIP_WITHOUT_POSIX_SHELL() GTEST_SKIP() << "needs a POSIX shell"
#else
#define TARVEX_SKIP_WITHOUT_POSIX_SHELL() static_cast<void>(0)
#endif

namespace testsupport {

// A scratch folder removed with the object.
class Scratch {
public:
    Scratch();
    QString path(const QString& relative = {}) const;
    QString write(const QString& relative, const QByteArray& bytes) const;
    QString mkdir(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

QByteArray readAll(const QString& path);
// The message of the TarvexError the action raises, "(no error)" when none.
QString errorOf(const std::function<void()>& action);
QByteArray bytesFromHex(const char* hex);
QByteArray sequence(int count, int first = 0); // bytes first, first+1, ... mod 256

// The folder of the bundled demonstration data sets in the source tree.
QString bundledFirmwareRoot();

// Runs srec_cat on an S-record file and returns the bytes it holds from
// address `from` for `length` bytes, or an error text in *error.
QByteArray srecCatBytes(const QString& s3File, std::uint32_t from, std::uint32_t length,
                        QString* error);

} // namespace testsupport
