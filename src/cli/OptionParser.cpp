// SPDX-License-Identifier: MIT
#include "cli/OptionParser.h"

#include "base/Report.h"
#include "cli/CliContext.h"

namespace {

bool isOption(const QString& arg) {
    return arg.size() > 1 && arg.startsWith(QLatin1Char('-'));
}

} // namespace

OptionParser::OptionParser(QStringList args) {
    const qsizetype end = args.indexOf(QStringLiteral("--"));
    if (end < 0) {
        options_ = std::move(args);
    } else {
        options_ = args.mid(0, end);
        rest_ = args.mid(end + 1);
    }
}

QString OptionParser::take(const QStringList& names, const QString& fallback) {
    for (qsizetype i = 0; i < options_.size(); ++i) {
        const QString& arg = options_[i];
        if (names.contains(arg)) {
            if (i + 1 >= options_.size()) {
                throw UsageError{Report::tr("%1 needs a value").arg(arg)};
            }
            const QString value = options_[i + 1];
            options_.remove(i, 2);
            return value;
        }
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        if (arg.startsWith(QLatin1String("--")) && equals > 2 && names.contains(arg.left(equals))) {
            const QString value = arg.mid(equals + 1);
            options_.remove(i);
            return value;
        }
    }
    return fallback;
}

bool OptionParser::flag(const QStringList& names) {
    for (qsizetype i = 0; i < options_.size(); ++i) {
        const QString& arg = options_[i];
        if (names.contains(arg)) {
            options_.remove(i);
            return true;
        }
        if (names.contains(arg.section(QLatin1Char('='), 0, 0)) && isOption(arg)) {
            throw UsageError{
                Report::tr("%1 takes no value").arg(arg.section(QLatin1Char('='), 0, 0))};
        }
    }
    return false;
}

QStringList OptionParser::positional(int count) {
    return positional(count, count);
}

QStringList OptionParser::positional(int min, int max) {
    for (const QString& arg : options_) {
        if (isOption(arg)) {
            throw UsageError{Report::tr("unknown option %1").arg(arg)};
        }
    }
    const QStringList args = options_ + rest_;
    if (args.size() < min || (max >= 0 && args.size() > max)) {
        throw UsageError{
            min == max ? countedText(min, QT_TRANSLATE_N_NOOP("Report", "expected %n argument"),
                                     QT_TRANSLATE_N_NOOP("Report", "expected %n arguments"))
            : max < 0
                ? countedText(min, QT_TRANSLATE_N_NOOP("Report", "expected at least %n argument"),
                              QT_TRANSLATE_N_NOOP("Report", "expected at least %n arguments"))
                : countedText(max, QT_TRANSLATE_N_NOOP("Report", "expected %1 to %n argument"),
                              QT_TRANSLATE_N_NOOP("Report", "expected %1 to %n arguments"))
                      .arg(min)};
    }
    return args;
}

namespace {

const CliHelpItem* findOption(const QList<CliHelpItem>& items, const QString& name) {
    for (const CliHelpItem& item : items) {
        if (item.isOption() && item.names().contains(name)) {
            return &item;
        }
    }
    throw UsageError{Report::tr("unknown option %1").arg(name)};
}

void record(CheckedOptions& checked, const CliHelpItem* item, const QString& name,
            const QString& value) {
    if (item->takesValue() && value.isEmpty()) {
        throw UsageError{Report::tr("%1 needs a non-empty value").arg(name)};
    }
    checked.options.removeIf([&](const auto& given) { return given.first == item; });
    checked.options.append({item, value});
}

} // namespace

QStringList CheckedOptions::canonical() const {
    QStringList args;
    for (const auto& [item, value] : options) {
        // "--name=VALUE": a value that looks like an option stays a value.
        args.append(item->takesValue() ? item->names().last() + QLatin1Char('=') + value
                                       : item->names().last());
    }
    args.append(QStringLiteral("--"));
    return args + arguments;
}

CheckedOptions checkOptions(const QStringList& args, const QList<CliHelpItem>& items,
                            bool stopAtArgument) {
    CheckedOptions checked;
    qsizetype i = 0;
    // The value after an option: the next argument, whatever it looks like.
    auto nextValue = [&](const QString& name) {
        if (i + 1 >= args.size()) {
            throw UsageError{Report::tr("%1 needs a value").arg(name)};
        }
        return args[++i];
    };
    for (; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--")) {
            ++i;
            break;
        }
        if (!isOption(arg)) {
            if (stopAtArgument) {
                break;
            }
            checked.arguments.append(arg);
            continue;
        }
        if (arg.startsWith(QLatin1String("--"))) {
            const qsizetype equals = arg.indexOf(QLatin1Char('='));
            const QString name = equals < 0 ? arg : arg.left(equals);
            const CliHelpItem* item = findOption(items, name);
            if (!item->takesValue() && equals >= 0) {
                throw UsageError{Report::tr("%1 takes no value").arg(name)};
            }
            record(checked, item, name,
                   !item->takesValue() ? QString()
                   : equals < 0        ? nextValue(name)
                                       : arg.mid(equals + 1));
            continue;
        }
        for (qsizetype j = 1; j < arg.size(); ++j) {
            const QString name = QStringLiteral("-") + arg[j];
            const CliHelpItem* item = findOption(items, name);
            if (item->takesValue()) {
                record(checked, item, name, j + 1 < arg.size() ? arg.mid(j + 1) : nextValue(name));
                break;
            }
            record(checked, item, name, {});
        }
    }
    checked.arguments += args.mid(i);
    return checked;
}
