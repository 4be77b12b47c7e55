// SPDX-License-Identifier: MIT
#include "base/TarvexError.h"

#include <QCoreApplication>

TarvexError::TarvexError(const QString& message, const QString& reason)
    : TarvexError(message, message, reason) {}

TarvexError::TarvexError(const QString& message, const QString& english, const QString& reason)
    : std::runtime_error(english.toStdString()), message_(message), english_(english),
      reason_(reason) {}

namespace {

// The fixed message with its argument (an empty one too), translated and in
// English.
TarvexError fixed(const char* text, const QString& argument = {}, const QString& reason = {}) {
    QString translated = QCoreApplication::translate("TarvexError", text);
    QString english = QString::fromLatin1(text);
    if (english.contains(QLatin1String("%1"))) {
        translated = translated.arg(argument);
        english = english.arg(argument);
    }
    return TarvexError(translated, english, reason);
}

} // namespace

namespace errors {

TarvexError cannotOpenFile(const QString& path, const QString& reason) {
    return fixed(QT_TRANSLATE_NOOP("TarvexError", "Cannot open file %1"), path, reason);
}

TarvexError cannotCreateFile(const QString& path, const QString& reason) {
    return fixed(QT_TRANSLATE_NOOP("TarvexError", "Cannot create file %1"), path, reason);
}

TarvexError cannotWriteFile(const QString& path, const QString& reason) {
    return fixed(QT_TRANSLATE_NOOP("TarvexError", "Cannot write file %1"), path, reason);
}

TarvexError streamRead() {
    return fixed(QT_TRANSLATE_NOOP("TarvexError", "Stream read error"));
}

TarvexError invalidInteger(const QString& text) {
    return fixed(QT_TRANSLATE_NOOP("TarvexError", "'%1' is not a valid integer value"), text);
}

TarvexError listIndexOutOfBounds(qsizetype index) {
    return fixed(QT_TRANSLATE_NOOP("TarvexError", "List index out of bounds (%1)"),
                 QString::number(index));
}

TarvexError integerOverflow() {
    return fixed(QT_TRANSLATE_NOOP("TarvexError", "Integer overflow"));
}

TarvexError invalidDataType(const QString& valueName) {
    return fixed(QT_TRANSLATE_NOOP("TarvexError", "Invalid data type for '%1'"), valueName);
}

TarvexError notRepresentable(const QString& text) {
    return fixed(QT_TRANSLATE_NOOP("TarvexError", "'%1' cannot be written in code page 1251"),
                 text);
}

TarvexError outOfMemory() {
    return fixed(QT_TRANSLATE_NOOP("TarvexError", "Out of memory"));
}

} // namespace errors
