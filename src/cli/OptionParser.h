#pragma once

#include <QString>
#include <QStringList>

// Takes a command's options out of its arguments: "--name VALUE" or
// "--name=VALUE", flags without value, "--" ending the options ("-" alone is
// an argument: standard output or input). Wrong usage raises UsageError.
class OptionParser {
public:
    explicit OptionParser(QStringList args);

    // The option's value or fallback; raises UsageError when it has no value.
    QString take(const QStringList& names, const QString& fallback = {});
    // Whether the option without value was given; raises UsageError for "--name=VALUE".
    bool flag(const QStringList& names);
    // "-h" or "--help" among the options.
    bool helpRequested() const;

    // The remaining positional arguments, exactly count of them.
    QStringList positional(int count);
    // Between min and max of them (max -1: any number).
    QStringList positional(int min, int max);

private:
    QStringList options_; // before "--"
    QStringList rest_;    // after "--": arguments only
};
