// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

struct CliHelpItem;

// A command line checked against the options a command declares, read as
// getopt reads it: "--name VALUE", "--name=VALUE", "-n VALUE", "-nVALUE",
// flags together ("-ab"), "--" ending the options, "-" alone an argument.
// An option given more than once counts once, with the last value.
struct CheckedOptions {
    QList<std::pair<const CliHelpItem*, QString>> options; // in the order of their last use
    QStringList arguments;

    // The one form OptionParser reads: each option by its long name
    // ("--name" or "--name=VALUE"), then "--" and the arguments.
    QStringList canonical() const;
};

// Raises UsageError for an unknown option, a value missing, empty or given to
// a flag. With stopAtArgument the options end at the first argument, which
// starts the arguments (the program's options before the command).
CheckedOptions checkOptions(const QStringList& args, const QList<CliHelpItem>& items,
                            bool stopAtArgument = false);

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

    // The remaining positional arguments, exactly count of them.
    QStringList positional(int count);
    // Between min and max of them (max -1: any number).
    QStringList positional(int min, int max);

private:
    QStringList options_; // before "--"
    QStringList rest_;    // after "--": arguments only
};
