// SPDX-License-Identifier: MIT
#include "check/ListsCheck.h"

#include "base/TarvexError.h"
#include "dataset/ListFile.h"
#include "dataset/ListJournal.h"
#include "dataset/NumericText.h"
#include "melodies/MelodyVolumes.h"
#include "platform/FileOps.h"
#include "srec/TableEntry.h"

#include <QCoreApplication>
#include <algorithm>
#include <functional>
#include <limits>

namespace listscheck {

namespace {

// The melody slots that have a volume: rows 0 to 24.
constexpr qsizetype kVolumeSlots = 25;

struct Context {
    const FirmwareDataSet& data;
    Report& report;
};

} // namespace

void load(FirmwareDataSet& data, Report& report) {
    const QStringList written = data.changeableLists();
    // The lists as start-up sees them: a save a kill interrupted after its
    // commit counts as done.
    const ListJournal journal(data.dataFolder());
    for (const ManagerInfo* info : managers::all()) {
        if (!data.isAvailable(*info)) {
            continue;
        }
        for (const QString& name : data.listsToLoad(*info)) {
            const QString path = data.dataFile(name);
            if (!fileops::exists(journal.pathToRead(name))) {
                report.error(
                    path, 0,
                    QCoreApplication::translate("Report", "missing: the %1 list").arg(info->id));
                continue;
            }
            try {
                const auto [nulLine, longLine] = data.loadList(journal, name);
                if (longLine > 0) {
                    report.error(path, longLine,
                                 QCoreApplication::translate(
                                     "Report", "a line longer than %1 characters, which no list "
                                               "line is: the list cannot be read whole")
                                     .arg(listfile::kLongestLine));
                }
                // A list is read up to a NUL; only a list the program writes
                // back is harmed by it, as no change is saved while it is there.
                if (nulLine > 0 && written.contains(name)) {
                    report.error(path, nulLine,
                                 QCoreApplication::translate(
                                     "Report", "a NUL character: the rest of the list cannot "
                                               "be read, and no change is saved while it is "
                                               "there"));
                } else if (nulLine > 0) {
                    report.warning(path, nulLine,
                                   QCoreApplication::translate(
                                       "Report", "a NUL character: the list is read up to it, "
                                                 "the text after it is ignored"));
                }
            } catch (const TarvexError& error) {
                report.error(path, 0, error.message());
            }
        }
    }
}

namespace {

// A list shorter than `needed` lines, for the reason `why` gives.
void requireLines(Context& c, const QString& name, qsizetype needed, const QString& why) {
    if (!c.data.hasList(name)) {
        return;
    }
    const qsizetype lines = c.data.list(name).size();
    if (lines < needed) {
        c.report.error(
            c.data.dataFile(name), lines,
            QCoreApplication::translate("Report", "%1 lines, but %2").arg(lines).arg(why));
    }
}

// A companion list shorter than the list that sets its slot count.
void checkCounts(Context& c, const QStringList& lists, const QString& countList) {
    if (!c.data.hasList(countList)) {
        return;
    }
    const qsizetype slotTotal = c.data.list(countList).size();
    for (const QString& name : lists) {
        if (name != countList) {
            requireLines(
                c, name, slotTotal,
                QCoreApplication::translate("Report", "%1 has %2").arg(countList).arg(slotTotal));
        }
    }
}

using LineCheck = std::function<QString(const QString& line)>;

void checkLines(Context& c, const QString& name, qsizetype count, const LineCheck& check) {
    if (!c.data.hasList(name)) {
        return;
    }
    const QStringList& lines = c.data.list(name);
    count = std::min(count, lines.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (const QString problem = check(lines[i]); !problem.isEmpty()) {
            c.report.error(c.data.dataFile(name), i + 1, problem);
        }
    }
}

LineCheck hexDigits(int digits) {
    return [digits](const QString& line) {
        if (numeric::hexField(line, digits)) {
            return QString();
        }
        return QCoreApplication::translate("Report", "\"%1\" is not %2 hexadecimal digits")
            .arg(line)
            .arg(digits);
    };
}

QString sizeProblem(const QString& line) {
    std::int32_t value = 0;
    const bool decimal = !line.isEmpty() && std::all_of(line.begin(), line.end(), [](QChar ch) {
        return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
    });
    if (!decimal || !numeric::tryToInt(line, value)) {
        return QCoreApplication::translate("Report",
                                           "\"%1\" is not a size in bytes (decimal, not negative)")
            .arg(line);
    }
    return {};
}

QString volumeProblem(const QString& line) {
    const std::optional<std::uint32_t> value = numeric::hexField(line, 2);
    if (!value || *value < melodyvolumes::kMinimum || *value > melodyvolumes::kMaximum) {
        return QCoreApplication::translate("Report", "\"%1\" is not a volume from 01 to 7F")
            .arg(line);
    }
    return {};
}

// The gauge adds up every line of the size list, also past the last slot.
void checkUsedMemory(Context& c, const ManagerInfo& info) {
    if (!c.data.hasList(info.sizeList)) {
        return;
    }
    const QStringList& sizes = c.data.list(info.sizeList);
    std::int64_t used = 0;
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        std::int32_t size = 0;
        if (!sizeProblem(sizes[i]).isEmpty() || !numeric::tryToInt(sizes[i], size)) {
            return; // reported as a field
        }
        used += size;
        if (used > std::numeric_limits<std::int32_t>::max()) {
            c.report.error(c.data.dataFile(info.sizeList), i + 1,
                           QCoreApplication::translate(
                               "Report", "the sizes add up past 2147483647 bytes here: the "
                                         "memory count stops with \"Integer overflow\""));
            return;
        }
    }
    std::int32_t total = 0;
    try {
        total = computeMemoryTotals(c.data.memoryMap()).*info.total;
    } catch (const TarvexError&) {
        return; // reported with the memory map
    }
    // A negative total is the memory map's error, named there.
    if (used > total && total >= 0) {
        // The page's button stays off and `build` refuses: no patch can be made.
        c.report.error(c.data.dataFile(info.sizeList), 0,
                       QCoreApplication::translate("Report",
                                                   "the recorded sizes add up to %1 bytes, more "
                                                   "than the %2 bytes the %3 manager has: no "
                                                   "patch can be built (its \"Create patch!\" "
                                                   "button stays off)")
                           .arg(used)
                           .arg(total)
                           .arg(info.id));
    }
}

void checkVolumes(Context& c) {
    const qsizetype volumeSlots = std::min(kVolumeSlots, c.data.slotCount(managers::melodies()));
    const QString why =
        QCoreApplication::translate("Report", "the first %1 melody slots have a volume each")
            .arg(volumeSlots);
    requireLines(c, managers::kVolumeOffsetsList, volumeSlots, why);
    requireLines(c, managers::kStandardVolumesList, volumeSlots, why);
    const qsizetype offsets = c.data.hasList(managers::kVolumeOffsetsList)
                                  ? c.data.list(managers::kVolumeOffsetsList).size()
                                  : 0;
    if (offsets > volumeSlots) {
        // The melody patch writes one volume record per line of the offsets.
        requireLines(c, managers::kVolumesList, offsets,
                     QCoreApplication::translate("Report", "%1 has %2")
                         .arg(managers::kVolumeOffsetsList)
                         .arg(offsets));
    } else {
        requireLines(c, managers::kVolumesList, volumeSlots, why);
    }
    checkLines(c, managers::kVolumeOffsetsList, offsets, hexDigits(8));
    checkLines(c, managers::kStandardVolumesList, volumeSlots, volumeProblem);
    checkLines(c, managers::kVolumesList, std::max(offsets, volumeSlots), volumeProblem);
}

void checkFields(Context& c) {
    for (const ManagerInfo* info : managers::all()) {
        if (!c.data.isAvailable(*info)) {
            continue;
        }
        checkCounts(c, info->loadOrder, info->namesList);
        const qsizetype slotTotal = c.data.slotCount(*info);
        // A patch build walks every line of the files list, reading each
        // slot's name, table address and standard entry: a line past the
        // last slot stops it.
        if (c.data.hasList(info->filesList) && c.data.list(info->filesList).size() > slotTotal) {
            c.report.error(c.data.dataFile(info->filesList), slotTotal + 1,
                           QCoreApplication::translate(
                               "Report", "a line past the %1 slots of %2: a patch build walks "
                                         "every line of this list and stops here with \"List "
                                         "index out of bounds (%1)\"")
                               .arg(slotTotal)
                               .arg(info->namesList));
        }
        checkLines(c, info->tableList, slotTotal, hexDigits(8));
        checkLines(c, info->standardEntryList, slotTotal, hexDigits(16));
        if (info->handsetPictures) {
            checkLines(c, info->standardEntryList, slotTotal, [info](const QString& line) {
                const auto entry = tableentry::fromText(line);
                if (!entry) {
                    return QString(); // reported as a field
                }
                const tableentry::Fields fields = tableentry::decode(*info, entry->data());
                if (fields.width > 0 && fields.height > 0) {
                    return QString();
                }
                // The slot would take only a picture of no pixel, which no file is.
                return QCoreApplication::translate("Report",
                                                   "a standard picture of %1 x %2 pixels: no "
                                                   "picture can replace it")
                    .arg(fields.width)
                    .arg(fields.height);
            });
        }
        // The gauge reads every line of the sizes, also past the last slot.
        checkLines(c, info->sizeList, std::numeric_limits<qsizetype>::max(), sizeProblem);
        checkLines(c, info->filesList, slotTotal, [info](const QString& line) {
            if (line == info->placeholder || fileops::isSafeBareName(line)) {
                return QString();
            }
            return QCoreApplication::translate("Report", "\"%1\" is not a bare file name")
                .arg(line);
        });
        checkUsedMemory(c, *info);
    }
    if (c.data.isAvailable(managers::melodies()) && c.data.volumesAvailable()) {
        checkVolumes(c);
    }
}

} // namespace

void run(const FirmwareDataSet& data, Report& report) {
    Context c{data, report};
    checkFields(c);
}

} // namespace listscheck
