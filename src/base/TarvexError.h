#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the program. It carries the exact text the user sees;
// the window's error box shows it, the command line prints it.
class TarvexError : public std::runtime_error {
public:
    explicit TarvexError(const QString& message);

    QString message() const { return message_; }

private:
    QString message_;
};

namespace errors {
TarvexError cannotOpenFile(const QString& path);
TarvexError cannotCreateFile(const QString& path);
TarvexError streamRead();
TarvexError invalidInteger(const QString& text);
TarvexError listIndexOutOfBounds(qsizetype index);
TarvexError integerOverflow();
TarvexError invalidDataType(const QString& valueName);
TarvexError notRepresentable(const QString& text);
// What std::bad_alloc is shown as.
TarvexError outOfMemory();
} // namespace errors
