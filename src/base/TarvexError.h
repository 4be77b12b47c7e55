#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the program. It carries the exact text the user sees;
// the window's error box shows it, the command line prints it.
class TarvexError : public std::runtime_error {
public:
    explicit TarvexError(const QString& message, const QString& reason = {});

    QString message() const { return message_; }
    // The system's reason behind a file error ("No space left on device"),
    // empty when there is none. The window shows the message alone; the
    // command line adds the reason.
    QString reason() const { return reason_; }
    // The message followed by ": " and the reason, when there is one.
    QString messageWithReason() const;

private:
    QString message_;
    QString reason_;
};

namespace errors {
TarvexError cannotOpenFile(const QString& path, const QString& reason = {});
TarvexError cannotCreateFile(const QString& path, const QString& reason = {});
TarvexError streamRead();
TarvexError invalidInteger(const QString& text);
TarvexError listIndexOutOfBounds(qsizetype index);
TarvexError integerOverflow();
TarvexError invalidDataType(const QString& valueName);
TarvexError notRepresentable(const QString& text);
} // namespace errors
