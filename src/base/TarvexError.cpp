// SPDX-License-Identifier: MIT
#include "base/TarvexError.h"

TarvexError::TarvexError(const QString& message, const QString& reason)
    : std::runtime_error(message.toStdString()), message_(message), reason_(reason) {}

namespace errors {

TarvexError cannotOpenFile(const QString& path, const QString& reason) {
    return TarvexError(QStringLiteral("Cannot open file %1").arg(path), reason);
}

TarvexError cannotCreateFile(const QString& path, const QString& reason) {
    return TarvexError(QStringLiteral("Cannot create file %1").arg(path), reason);
}

TarvexError cannotWriteFile(const QString& path, const QString& reason) {
    return TarvexError(QStringLiteral("Cannot write file %1").arg(path), reason);
}

TarvexError streamRead() {
    return TarvexError(QStringLiteral("Stream read error"));
}

TarvexError invalidInteger(const QString& text) {
    return TarvexError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

TarvexError listIndexOutOfBounds(qsizetype index) {
    return TarvexError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

TarvexError integerOverflow() {
    return TarvexError(QStringLiteral("Integer overflow"));
}

TarvexError invalidDataType(const QString& valueName) {
    return TarvexError(QStringLiteral("Invalid data type for '%1'").arg(valueName));
}

TarvexError notRepresentable(const QString& text) {
    return TarvexError(QStringLiteral("'%1' cannot be written in code page 1251").arg(text));
}

TarvexError outOfMemory() {
    return TarvexError(QStringLiteral("Out of memory"));
}

} // namespace errors
