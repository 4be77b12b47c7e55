// SPDX-License-Identifier: MIT
// firmwares, use and remove: the data sets of the user folder listed, one
// made current as the window's firmware dialog does, one moved to the trash.
#include "base/Report.h"
#include "base/TarvexError.h"
#include "check/DataSetCheck.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/Printable.h"
#include "dataset/BundledDataSets.h"
#include "dataset/DataSetLayout.h"
#include "dataset/FirmwareSettings.h"
#include "dataset/ListFile.h"
#include "platform/DataSetLock.h"
#include "platform/FileOps.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <cstdio>
#include <optional>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

cli::TerminalQuestion& terminalStandIn() {
    static cli::TerminalQuestion question;
    return question;
}

// The answer typed on the terminal; nothing when standard input is none, so
// that a script is never taken to have said yes.
std::optional<QString> askTerminal(CliContext& context, const QString& question) {
    if (terminalStandIn()) {
        return terminalStandIn()(question);
    }
#ifdef Q_OS_WIN
    const bool terminal = _isatty(_fileno(stdin));
#else
    const bool terminal = ::isatty(STDIN_FILENO);
#endif
    if (!terminal) {
        return std::nullopt;
    }
    context.out().flush();
    context.err() << question << ' ';
    context.err().flush();
    QTextStream in(stdin);
    return in.readLine(); // the end of input is no answer: not a yes
}

bool isYes(const QString& answer) {
    const QString word = answer.trimmed().toLower();
    return QStringList{QStringLiteral("y"), QStringLiteral("yes"), Report::tr("y"),
                       Report::tr("yes")}
        .contains(word);
}

// The remembered choice; a value the window could not read either is no choice.
FirmwareSettings rememberedChoice() {
    try {
        return readFirmwareSettings(SettingsStore());
    } catch (const TarvexError&) {
        return {};
    }
}

// What the window's firmware dialog offers: the plain folders of the user folder.
QStringList firmwareIds(const QString& userFolder) {
    return listfile::splitLines(Session::scanFirmwareFolders(userFolder));
}

struct DataSetEntry {
    QString id;
    QString folder;
    bool current = false;
    bool demonstration = false;
    std::optional<QString> holder; // who holds its lock
    int errors = 0;
    int warnings = 0;
};

QList<DataSetEntry> dataSets(const Session& folders, const QString& currentId) {
    QList<DataSetEntry> entries;
    for (const QString& id : firmwareIds(folders.userFolder())) {
        DataSetEntry entry;
        entry.id = id;
        entry.folder = folders.userFolder() + QLatin1Char('/') + id;
        entry.current = id == currentId;
        entry.demonstration = bundled::isBundled(folders.bundledRoot(), id);
        {
            DataSetLock lock(entry.folder);
            if (lock.tryLock() == DataSetLock::Result::HeldByOther) {
                entry.holder = lock.holderText();
            }
        }
        // The check takes milliseconds; a set it refuses is worth seeing here.
        const Report report = datasetcheck::run(datasetlayout::dataFolder(entry.folder));
        entry.errors = report.errors();
        entry.warnings = report.warnings();
        entries.append(entry);
    }
    return entries;
}

QJsonObject dataSetsJson(const QString& userFolder, const QString& currentId,
                         const QList<DataSetEntry>& entries) {
    QJsonArray sets;
    for (const DataSetEntry& entry : entries) {
        sets.append(QJsonObject{
            {QStringLiteral("id"), entry.id},
            {QStringLiteral("firmware_folder"), entry.folder},
            {QStringLiteral("current"), entry.current},
            {QStringLiteral("demonstration"), entry.demonstration},
            {QStringLiteral("in_use_by"), entry.holder ? QJsonValue(*entry.holder) : QJsonValue()},
            {QStringLiteral("errors"), entry.errors},
            {QStringLiteral("warnings"), entry.warnings},
        });
    }
    return {{QStringLiteral("user_folder"), userFolder},
            {QStringLiteral("current"), currentId.isEmpty() ? QJsonValue() : QJsonValue(currentId)},
            {QStringLiteral("data_sets"), sets}};
}

void printDataSets(CliContext& context, const QString& userFolder, const QString& currentId,
                   const QList<DataSetEntry>& entries) {
    QTextStream& out = context.out();
    if (entries.isEmpty()) {
        out << cli::printable(Report::tr("There is no data set in %1").arg(userFolder)) << '\n';
        return;
    }
    out << cli::printable(Report::tr("Data sets in %1 (* marks the current one):").arg(userFolder))
        << '\n';
    qsizetype width = 0;
    for (const DataSetEntry& entry : entries) {
        width = std::max(width, entry.id.size());
    }
    bool currentFound = false;
    for (const DataSetEntry& entry : entries) {
        currentFound = currentFound || entry.current;
        QStringList notes;
        if (entry.demonstration) {
            notes << Report::tr("demonstration data set: never flash a patch built from it");
        }
        if (entry.holder) {
            notes << Report::tr("in use by %1").arg(*entry.holder);
        }
        if (entry.errors > 0) {
            notes << Report::tr("check finds %1")
                         .arg(countedText(entry.errors, QT_TRANSLATE_N_NOOP("Report", "%n error"),
                                          QT_TRANSLATE_N_NOOP("Report", "%n errors")));
        }
        const QString line =
            (entry.current ? QStringLiteral("* ") : QStringLiteral("  ")) +
            (notes.isEmpty() ? entry.id
                             : entry.id.leftJustified(width) + QStringLiteral("  ") +
                                   notes.join(QStringLiteral("; ")));
        out << cli::printable(line) << '\n';
    }
    if (!currentFound) {
        // No id is stored at all when the settings cannot be read.
        out << cli::printable(currentId.isEmpty()
                                  ? Report::tr("None is current: choose one with tarvex-cli use ID")
                                  : Report::tr("None is current (%1 is not there): choose one with "
                                               "tarvex-cli use ID")
                                        .arg(currentId))
            << '\n';
    }
}

void firmwaresCommand(CliContext& context) {
    OptionParser options(context.args());
    const bool json = options.flag({QStringLiteral("--json")});
    options.positional(0);
    const Session& folders = cli::sessionFolders(context);
    const QString currentId = rememberedChoice().currentId;
    const QList<DataSetEntry> entries = dataSets(folders, currentId);
    if (json) {
        cli::printJson(context, dataSetsJson(folders.userFolder(), currentId, entries));
    } else {
        printDataSets(context, folders.userFolder(), currentId, entries);
    }
}

void useCommand(CliContext& context) {
    OptionParser options(context.args());
    const QString id = options.positional(1).first();
    const QString userFolder = cli::sessionFolders(context).userFolder();
    FirmwareSettings settings = rememberedChoice();
    settings.folderList = Session::scanFirmwareFolders(userFolder);
    if (!listfile::splitLines(settings.folderList).contains(id)) {
        throw Session::noSuchFirmware(id, userFolder);
    }
    SettingsStore store;
    if (!chooseCurrentFirmware(store, settings, id)) {
        context.out() << cli::printable(Report::tr("%1 is the current data set already").arg(id))
                      << '\n';
    } else if (rememberedChoice().currentId != id) {
        throw TarvexError(
            Report::tr("The choice of %1 could not be stored in %2").arg(id, store.location()));
    } else {
        context.out() << cli::printable(
                             Report::tr("%1 is the current data set now: the commands use it, "
                                        "and the window from its next start")
                                 .arg(id))
                      << '\n';
    }
    context.warnIfDemonstration(id);
}

// The lock of the set to remove, held until the folder is gone: no other
// copy of the program is writing into it meanwhile.
void lockForRemoval(DataSetLock& lock, const QString& folder) {
    switch (lock.tryLock()) {
    case DataSetLock::Result::Locked:
        return;
    case DataSetLock::Result::HeldByOther:
        throw TarvexError(
            Report::tr("The data set %1 is in use by %2: it can be removed once that has "
                       "finished")
                .arg(folder, lock.holderText()));
    case DataSetLock::Result::NotALockFile:
        throw TarvexError(lock.problem());
    case DataSetLock::Result::Failed:
        throw TarvexError(
            Report::tr("The data set %1 cannot be locked: it is left as it is").arg(folder),
            lock.problem());
    }
}

void moveToTrash(const QString& folder) {
    QString reason;
    switch (fileops::moveFolderToTrash(folder, &reason)) {
    case fileops::Trashed::Moved:
        return;
    case fileops::Trashed::Refused:
        throw TarvexError(Report::tr("%1 cannot be moved to the trash: %2").arg(folder, reason));
    case fileops::Trashed::NoTrash:
        throw TarvexError(
            Report::tr("%1 could not be moved to the trash, and it is not deleted instead: "
                       "it is left as it is")
                .arg(folder),
            reason);
    }
}

void removeCommand(CliContext& context) {
    OptionParser options(context.args());
    const bool yes = options.flag({QStringLiteral("-y"), QStringLiteral("--yes")});
    const QString id = options.positional(1).first();
    const Session& folders = cli::sessionFolders(context);
    const QString folder = folders.userFolder() + QLatin1Char('/') + id;
    if (fileops::isSafeBareName(id) && QFileInfo(folder).isSymLink()) {
        throw TarvexError(
            Report::tr("%1 is a link, not a data set folder of its own: it is left as it "
                       "is, and so is what it leads to")
                .arg(folder));
    }
    if (!firmwareIds(folders.userFolder()).contains(id)) {
        throw Session::noSuchFirmware(id, folders.userFolder());
    }
    DataSetLock lock(folder);
    lockForRemoval(lock, folder);
    const bool current = rememberedChoice().currentId == id;
    if (!yes) {
        const QString question =
            current
                ? Report::tr("Move data set %1, the current one, to the trash? [y/N]").arg(folder)
                : Report::tr("Move data set %1 to the trash? [y/N]").arg(folder);
        const std::optional<QString> answer = askTerminal(context, cli::printable(question));
        if (!answer) {
            throw UsageError{
                Report::tr("remove asks before it removes: run it on a terminal, or give "
                           "--yes")};
        }
        if (!isYes(*answer)) {
            throw TarvexError(
                Report::tr("%1 is left as it is: the removal was not confirmed").arg(folder));
        }
    }
#ifdef Q_OS_WIN
    lock.unlock(); // a folder holding an open file cannot be moved
#endif
    moveToTrash(folder);
    QTextStream& out = context.out();
    out << cli::printable(Report::tr("Data set %1 was moved to the trash").arg(id)) << '\n';
    if (bundled::isBundled(folders.bundledRoot(), id)) {
        out << cli::printable(
                   Report::tr("It is the bundled demonstration data set: the next start copies "
                              "it afresh"))
            << '\n';
    } else if (current) {
        out << cli::printable(
                   Report::tr("It was the current data set: none is current now; choose one "
                              "with tarvex-cli use ID"))
            << '\n';
    }
}

} // namespace

void cli::setTerminalForTests(TerminalQuestion question) {
    terminalStandIn() = std::move(question);
}

QList<CliCommand> dataSetCommands() {
    const CliHelpItem id{QStringLiteral("ID"), Report::tr("a data set: a firmware folder's name "
                                                          "as firmwares lists it")};
    return {
        {QStringLiteral("firmwares"),
         QStringLiteral("firmwares [--json]"),
         firmwaresCommand,
         Report::tr("the data sets of the user folder: the current one, the demonstration one, "
                    "those in use and those check refuses"),
         {cli::jsonHelp()}},
        {QStringLiteral("use"),
         QStringLiteral("use ID"),
         useCommand,
         Report::tr("makes ID the current data set, as the window's firmware choice does"),
         {id}},
        {QStringLiteral("remove"),
         QStringLiteral("remove ID [--yes]"),
         removeCommand,
         Report::tr("moves data set ID to the desktop's trash, after asking on the terminal"),
         {id,
          {QStringLiteral("-y, --yes"),
           Report::tr("do not ask (for scripts: without a terminal remove refuses to run)")}}},
    };
}
