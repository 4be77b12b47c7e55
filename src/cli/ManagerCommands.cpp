// SPDX-License-Identifier: MIT
// slots, assign, restore, volume and build: the manager pages' handlers for
// scripts, on the same model code.
#include "actions/ManagerActions.h"
#include "actions/ManagerSteps.h"
#include "base/Report.h"
#include "base/TarvexError.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/PatchOutput.h"
#include "cli/Printable.h"
#include "dataset/NumericText.h"
#include "java/JavaPair.h"
#include "manager/SlotContent.h"
#include "melodies/MelodyVolumes.h"
#include "platform/OutputFile.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace {

const ManagerInfo& managerNamed(const QString& id) {
    const ManagerInfo* info = managers::byId(id);
    if (!info) {
        throw UsageError{Report::tr("unknown manager %1 (melodies, java, pictures)").arg(id)};
    }
    return *info;
}

// A writing command holds the data set's lock for its run, and changes
// nothing of a manager whose lists could not be read whole (cut at a NUL).
SlotTable tableFor(CliContext& context, const ManagerInfo& info, bool writing = true) {
    FirmwareDataSet& data = (writing ? context.writingSession() : context.session()).dataSet();
    if (const QString refusal = data.cutRefusal(info); !refusal.isEmpty()) {
        if (writing) {
            throw TarvexError(refusal);
        }
        context.err() << Report::tr("warning: %1").arg(cli::printable(refusal)) << '\n';
    }
    if (!data.isAvailable(info)) {
        throw TarvexError(Report::tr("The %1 page is not available in this data set").arg(info.id));
    }
    return SlotTable(data, info);
}

qsizetype slotNumber(const SlotTable& table, const QString& text) {
    bool ok = false;
    const qsizetype slot = text.toLongLong(&ok);
    if (!ok) {
        throw UsageError{Report::tr("slot must be a number: %1").arg(text)};
    }
    if (slot < 0 || slot >= table.slotCount()) {
        throw TarvexError(
            table.slotCount() == 0
                ? Report::tr("There is no slot %1: %2 has no slots").arg(text, table.info().id)
                : Report::tr("There is no slot %1: %2 has slots 0 to %3")
                      .arg(text, table.info().id)
                      .arg(table.slotCount() - 1));
    }
    return slot;
}

void printRow(QTextStream& out, const SlotTable& table, qsizetype slot) {
    const SlotTable::Row row = table.row(slot);
    out << slot;
    for (const QString& column : row.columns) {
        out << '\t' << cli::printable(column);
    }
    if (row.error) {
        out << '\n';
        throw *row.error;
    }
    if (table.info().keepsVolumeLists && table.data().volumesAvailable()) {
        // In decimal, as `volume` takes it; the list keeps it in hexadecimal.
        QString volume = Report::tr("n/a");
        if (melodyvolumes::isVolumeSlot(slot)) {
            volume = table.data().line(managers::kVolumesList, slot);
            try {
                volume = QString::number(melodyvolumes::position(table.data(), slot));
            } catch (const TarvexError&) {
                // not a number: the line as it is
            }
        }
        out << '\t' << cli::printable(volume);
    }
    out << '\n';
}

void printGauge(QTextStream& out, const SlotTable& table) {
    const SlotTable::Gauge gauge = table.gauge();
    out << countedText(gauge.total, QT_TRANSLATE_N_NOOP("Report", "used: %1 of %n byte (%2%)"),
                       QT_TRANSLATE_N_NOOP("Report", "used: %1 of %n bytes (%2%)"))
               .arg(gauge.used)
               .arg(gauge.percent)
        << (gauge.overLimit ? Report::tr(", over the limit: no patch can be built") : QString())
        << '\n';
}

// A slot as JSON: its columns as the list holds them, and what they mean
// under names, numbers as numbers; a field without a value is null.
QJsonObject slotJson(const SlotTable& table, qsizetype slot) {
    const SlotTable::Row row = table.row(slot);
    if (row.error) {
        throw *row.error;
    }
    auto number = [](const QString& text) -> QJsonValue {
        std::int32_t value = 0;
        return numeric::tryToInt(text, value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
    };
    QJsonValue volume = QJsonValue::Null;
    if (table.info().keepsVolumeLists && table.data().volumesAvailable() &&
        melodyvolumes::isVolumeSlot(slot)) {
        // The list keeps the byte in hexadecimal; this is the value "volume" takes.
        try {
            volume = melodyvolumes::position(table.data(), slot);
        } catch (const TarvexError&) {
            // not a number: null, as the text output shows the line as it is
        }
    }
    const std::optional<content::ContentInfo> content = slotcontent::of(table, slot);
    return {{QStringLiteral("slot"), qint64(slot)},
            {QStringLiteral("columns"), QJsonArray::fromStringList(row.columns)},
            {QStringLiteral("standard"), row.columns.value(0)},
            {QStringLiteral("file"), row.columns.value(1)},
            {QStringLiteral("name"),
             table.info().newNamesList.isEmpty() ? QJsonValue() : QJsonValue(row.columns.value(2))},
            {QStringLiteral("size"), number(row.columns.last())},
            {QStringLiteral("volume"), volume},
            {QStringLiteral("content"),
             content ? QJsonValue(content::toJson(*content)) : QJsonValue(QJsonValue::Null)}};
}

QJsonObject slotsJson(const SlotTable& table) {
    QJsonArray rows;
    for (qsizetype i = 0; i < table.slotCount(); ++i) {
        rows.append(slotJson(table, i));
    }
    return {{QStringLiteral("manager"), table.info().id},
            {QStringLiteral("captions"),
             QJsonArray::fromStringList(SlotTable::columnCaptions(table.info()))},
            {QStringLiteral("slots"), rows}};
}

void slotsCommand(CliContext& context) {
    OptionParser options(context.args());
    const bool json = options.flag({QStringLiteral("--json")});
    const QString id = options.positional(1).first();
    const SlotTable table = tableFor(context, managerNamed(id), false);
    if (json) {
        cli::printJson(context, slotsJson(table));
        return;
    }
    for (qsizetype i = 0; i < table.slotCount(); ++i) {
        printRow(context.out(), table, i);
    }
}

void printPair(CliContext& context, const javapair::Settled& pair) {
    if (pair.corrected) {
        context.err() << cli::printable(pair.corrected->text()) << '\n';
    }
    for (const QString& problem : pair.problems) {
        context.err() << Report::tr("warning: %1").arg(cli::printable(problem)) << '\n';
    }
}

void assignCommand(CliContext& context) {
    OptionParser options(context.args());
    const bool fit = options.flag({QStringLiteral("--fit")});
    const QStringList args = options.positional(3);
    const ManagerInfo& info = managerNamed(args[0]);
    const ManagerSteps& steps = managersteps::of(info);
    if (fit && !steps.fits) {
        throw UsageError{Report::tr("--fit is only for pictures")};
    }
    SlotTable table = tableFor(context, info);
    const qsizetype slot = slotNumber(table, args[1]);
    if (!managers::acceptsFile(info, slot, args[2])) {
        throw TarvexError(
            Report::tr("Slot %1 takes only *.%2 files")
                .arg(slot)
                .arg(managers::acceptedSuffixes(info, slot).join(QStringLiteral(", *."))));
    }
    const manageractions::Change change = manageractions::assign(table, slot, args[2], {fit});
    if (!change.refusal.isEmpty()) {
        throw TarvexError(change.refusal);
    }
    for (const QString& warning : change.warnings) {
        context.err() << Report::tr("warning: %1").arg(cli::printable(warning)) << '\n';
    }
    printPair(context, change.pair);
    printRow(context.out(), table, slot);
    printGauge(context.out(), table);
}

void restoreCommand(CliContext& context) {
    const QStringList args = OptionParser(context.args()).positional(2);
    SlotTable table = tableFor(context, managerNamed(args[0]));
    const qsizetype slot = slotNumber(table, args[1]);
    printPair(context, manageractions::restore(table, slot).pair);
    printRow(context.out(), table, slot);
    printGauge(context.out(), table);
}

void volumeCommand(CliContext& context) {
    const QStringList args = OptionParser(context.args()).positional(2);
    SlotTable table = tableFor(context, managers::melodies());
    if (!table.data().volumesAvailable()) {
        throw TarvexError(
            QCoreApplication::translate("Report", "This data set has no volume patch"));
    }
    const qsizetype slot = slotNumber(table, args[0]);
    bool ok = false;
    const int value = args[1].toInt(&ok);
    if (!ok || !melodyvolumes::isVolume(value)) {
        throw UsageError{melodyvolumes::rangeRefusal(args[1])}; // the model's own words
    }
    if (!melodyvolumes::isVolumeSlot(slot)) {
        throw TarvexError(Report::tr("Slot %1 has no volume (only slots 0 to 24 have)").arg(slot));
    }
    melodyvolumes::store(table.data(), slot, value);
    table.save();
    printRow(context.out(), table, slot);
}

void buildCommand(CliContext& context) {
    OptionParser options(context.args());
    const QString output = options.take({QStringLiteral("-o"), QStringLiteral("--output")});
    const QString id = options.positional(1).first();
    if (output.isEmpty()) {
        throw UsageError{Report::tr("build needs -o OUT")};
    }
    SlotTable table = tableFor(context, managerNamed(id));
    patch::requireFit(table); // before the output is opened
    PatchOutput patch(context, output, PatchOutput::Mode::WholeOrNothing);
    patch::run(table, managersteps::of(table.info()).patchHooks(), {}, patch.writer(),
               [&] { patch.complete(); });
    if (!patch.isStandardOutput()) {
        context.out() << cli::printable(patch::createdMessage(output)) << '\n';
    }
    context.warnIfDemonstration();
}

} // namespace

QList<CliCommand> managerCommands() {
    const CliHelpItem manager{QStringLiteral("melodies|java|pictures"),
                              Report::tr("the manager, as the window's page")};
    const CliHelpItem slot{QStringLiteral("SLOT"),
                           Report::tr("the slot's number, from 0, as \"slots\" lists it")};
    return {
        {QStringLiteral("slots"),
         QStringLiteral("slots melodies|java|pictures [--json]"),
         slotsCommand,
         Report::tr("one line per slot: index, then the list's columns (tab-separated; "
                    "melodies add the volume)"),
         {manager, cli::jsonHelp()}},
        {QStringLiteral("assign"),
         QStringLiteral("assign melodies|java|pictures SLOT FILE [--fit]"),
         assignCommand,
         Report::tr("a new file for the slot, as the page's open button"),
         {manager,
          slot,
          {QStringLiteral("FILE"), Report::tr("the new file, copied into the working folder")},
          {QStringLiteral("--fit"),
           Report::tr("pictures: a picture of another size is scaled, keeping its proportions, "
                      "to cover the slot, cropped around its centre and kept as a 24-bit "
                      "bitmap named like FILE with the extension .bmp")}}},
        {QStringLiteral("restore"),
         QStringLiteral("restore melodies|java|pictures SLOT"),
         restoreCommand,
         Report::tr("the slot's standard resource back"),
         {manager, slot}},
        {QStringLiteral("volume"),
         QStringLiteral("volume SLOT VALUE"),
         volumeCommand,
         Report::tr("a melody slot's volume, 1 to 127"),
         {slot, {QStringLiteral("VALUE"), Report::tr("the volume, 1 to 127")}}},
        {QStringLiteral("build"),
         QStringLiteral("build melodies|java|pictures -o OUT"),
         buildCommand,
         Report::tr("the manager's patch, as its \"Create patch!\" button"),
         {manager,
          {QStringLiteral("-o, --output OUT"),
           Report::tr("where the patch goes: a file (replaced only once complete), a device "
                      "or FIFO (written directly), or - for standard output; a failed build "
                      "writes nothing")}}},
    };
}
