// SPDX-License-Identifier: MIT
#include "cli/CliContext.h"

#include "base/Report.h"
#include "base/TarvexError.h"
#include "cli/Commands.h"
#include "dataset/BundledDataSets.h"
#include "dataset/OutputPlace.h"
#include "platform/FileOps.h"
#include "platform/OutputFile.h"

#include <QCoreApplication>
#include <QFileInfo>

CliContext::CliContext(SessionOptions options, QStringList args, QTextStream& out, QTextStream& err)
    : options_(std::move(options)), args_(std::move(args)), out_(out), err_(err) {}

Session& CliContext::session() {
    if (!session_) {
        session_ = std::make_unique<Session>(options_);
        session_->start();
    }
    return *session_;
}

Session& CliContext::writingSession() {
    options_.forWriting = true;
    return session();
}

void CliContext::requireOutsideDataSets(const QString& path) const {
    const QString user =
        options_.userFolder.isEmpty() ? outputplace::standardUserFolder() : options_.userFolder;
    if (QString refusal = outputplace::refusal(user, path); !refusal.isEmpty()) {
        // The window's text breaks a line before the path; one line here.
        throw TarvexError(refusal.replace(QLatin1Char('\n'), QLatin1Char(' ')));
    }
}

void CliContext::requireOutput(const QString& path, const QStringList& inputs) const {
    requireOutsideDataSets(path);
    if (OutputFile::isStandardOutput(path)) {
        return;
    }
    if (const QString input = fileops::inputAt(path, inputs); !input.isEmpty()) {
        throw TarvexError(
            Report::tr("%1 is also read by this command (%2): the output must be another file")
                .arg(path, input));
    }
}

void CliContext::warnIfDemonstration(const QString& dataSet) {
    const Session& folders = cli::sessionFolders(*this);
    const QString id = dataSet.isEmpty() ? QFileInfo(folders.firmwareFolder()).fileName() : dataSet;
    if (!bundled::isBundled(folders.bundledRoot(), id)) {
        return;
    }
    out_.flush();
    err_ << "tarvex-cli: "
         << QCoreApplication::translate("Report",
                                        "warning: %1 is the bundled demonstration data set: its "
                                        "addresses are examples, never flash this onto a handset")
                .arg(id)
         << '\n';
}

void CliContext::writeOutput(const QString& path, const QByteArray& bytes) {
    requireOutsideDataSets(path.isEmpty() ? QStringLiteral("-") : path);
    out_.flush();
    OutputFile file(path.isEmpty() ? QStringLiteral("-") : path);
    file.open();
    file.write(bytes.constData(), bytes.size());
    file.commit();
}

QStringList CliHelpItem::names() const {
    if (!isOption()) {
        return {};
    }
    QStringList names;
    for (const QString& part : term.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!part.startsWith(QLatin1Char('-'))) {
            break;
        }
        names.append(part.endsWith(QLatin1Char(',')) ? part.chopped(1) : part);
    }
    return names;
}

QString CliHelpItem::valueName() const {
    if (!isOption()) {
        return term;
    }
    const QStringList parts = term.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return parts.last().startsWith(QLatin1Char('-')) ? QString() : parts.last();
}

CliValue CliHelpItem::valueKind() const {
    if (value != CliValue::Auto) {
        return value;
    }
    const QString name = valueName();
    if (name.isEmpty()) {
        return CliValue::Text;
    }
    if (name.contains(QLatin1Char('|'))) {
        return CliValue::Words;
    }
    static const QStringList text{"TEXT", "VALUE",  "NUMBER", "ADDRESS",
                                  "ADDR", "OFFSET", "SIZE",   "COUNT"};
    static const QStringList dirs{"DIR", "DATA", "FOLDER"};
    if (name == QLatin1String("SLOT")) {
        return CliValue::Slot;
    }
    if (name == QLatin1String("ID")) {
        return CliValue::Firmware;
    }
    if (dirs.contains(name)) {
        return CliValue::Dir;
    }
    return text.contains(name) ? CliValue::Text : CliValue::File;
}

namespace cli {

const QList<CliHelpItem>& programOptions() {
    static const QList<CliHelpItem> items{
        {QStringLiteral("--user-folder DIR"),
         Report::tr("the user folder holding the firmware folders, instead of "
                    "$XDG_DATA_HOME/Tarvex")},
        {QStringLiteral("--firmware ID"),
         Report::tr("the firmware for this run, instead of the remembered one")},
        {QStringLiteral("-h, --help"), Report::tr("this help; COMMAND --help describes a command")},
        {QStringLiteral("--version"), Report::tr("the program's version")},
    };
    return items;
}

const CliHelpItem& helpOption() {
    static const CliHelpItem item{QStringLiteral("-h, --help"), Report::tr("this help")};
    return item;
}

} // namespace cli
