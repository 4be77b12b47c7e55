// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the program. It carries the exact text the user sees;
// the window's error box shows it, the command line prints it.
class TarvexError : public std::runtime_error {
public:
    explicit TarvexError(const QString& message, const QString& reason = {});
    // A message whose fixed English wording matters where it is shown as is
    // (the window's error box), and its translation everywhere else.
    TarvexError(const QString& message, const QString& english, const QString& reason);

    // In the language of the translation installed when it was made.
    QString message() const { return message_; }
    // The English wording of the program's fixed messages ("Cannot open file
    // %s"); the same as message() for the others.
    QString englishMessage() const { return english_; }
    // The system's reason for a failed file operation ("No such file or
    // directory"), empty when there is none. Kept apart so the message text
    // stays exactly the program's own.
    QString reason() const { return reason_; }

private:
    QString message_;
    QString english_;
    QString reason_;
};

namespace errors {
TarvexError cannotOpenFile(const QString& path, const QString& reason = {});
TarvexError cannotCreateFile(const QString& path, const QString& reason = {});
TarvexError cannotWriteFile(const QString& path, const QString& reason = {});
TarvexError streamRead();
TarvexError invalidInteger(const QString& text);
TarvexError listIndexOutOfBounds(qsizetype index);
TarvexError integerOverflow();
TarvexError invalidDataType(const QString& valueName);
TarvexError notRepresentable(const QString& text);
// What std::bad_alloc is shown as.
TarvexError outOfMemory();
} // namespace errors
