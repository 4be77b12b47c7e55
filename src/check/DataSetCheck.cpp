// SPDX-License-Identifier: MIT
#include "check/DataSetCheck.h"

#include "base/TarvexError.h"
#include "check/AddressLayout.h"
#include "check/SlotFilesCheck.h"
#include "dataset/ListFile.h"
#include "dataset/NumericText.h"
#include "melodies/MelodyVolumes.h"
#include "platform/FileOps.h"
#include "srec/TableEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <functional>
#include <iterator>
#include <limits>

namespace datasetcheck {

namespace {

using addresslayout::iniLine;
using numeric::hexAddress;

// The melody slots that have a volume: rows 0 to 24.
constexpr qsizetype kVolumeSlots = 25;

struct Context {
    FirmwareDataSet& data;
    QStringList iniLines;
    Report& report;
};

// The lists a manager reads, with the volume lists when it has them.
QStringList neededLists(const FirmwareDataSet& data, const ManagerInfo& info) {
    QStringList names = info.loadOrder;
    if (info.kind == ManagerKind::Melodies && data.volumesAvailable()) {
        names << managers::kVolumeOffsetsList << managers::kStandardVolumesList
              << managers::kVolumesList;
    }
    return names;
}

void loadLists(Context& c) {
    const QStringList written = c.data.changeableLists();
    for (const ManagerInfo* info : managers::all()) {
        if (!c.data.isAvailable(*info)) {
            continue;
        }
        for (const QString& name : neededLists(c.data, *info)) {
            const QString path = c.data.dataFile(name);
            if (!fileops::exists(path)) {
                c.report.error(
                    path, 0,
                    QCoreApplication::translate("Report", "missing: the %1 list").arg(info->id));
                continue;
            }
            try {
                qsizetype nulLine = 0;
                qsizetype longLine = 0;
                c.data.setList(name, listfile::load(path, &nulLine, &longLine));
                if (longLine > 0) {
                    c.report.error(path, longLine,
                                   QCoreApplication::translate(
                                       "Report", "a line longer than %1 characters, which no list "
                                                 "line is: the list cannot be read whole")
                                       .arg(listfile::kLongestLine));
                }
                // A list is read up to a NUL; only a list the program writes
                // back is harmed by it, as no change is saved while it is there.
                if (nulLine > 0 && written.contains(name)) {
                    c.report.error(path, nulLine,
                                   QCoreApplication::translate(
                                       "Report", "a NUL character: the rest of the list cannot "
                                                 "be read, and no change is saved while it is "
                                                 "there"));
                } else if (nulLine > 0) {
                    c.report.warning(path, nulLine,
                                     QCoreApplication::translate(
                                         "Report", "a NUL character: the list is read up to it, "
                                                   "the text after it is ignored"));
                }
            } catch (const TarvexError& error) {
                c.report.error(path, 0, error.message());
            }
        }
    }
}

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
        total = ComputeMemoryTotals(c.data.memoryMap()).*
                (info.kind == ManagerKind::Melodies ? &MemoryTotals::melodies
                 : info.kind == ManagerKind::Java   ? &MemoryTotals::java
                                                    : &MemoryTotals::pictures);
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
                                                   "patch can be built (its \"Создать патч!\" "
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
        if (info->kind == ManagerKind::Pictures) {
            checkLines(c, info->standardEntryList, slotTotal, [](const QString& line) {
                const auto entry = tableentry::fromText(line);
                if (!entry) {
                    return QString(); // reported as a field
                }
                const tableentry::Fields fields =
                    tableentry::decode(ManagerKind::Pictures, entry->data());
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

void checkMemoryMap(Context& c) {
    const QString ini = c.data.dataFile(QStringLiteral("Memory.ini"));
    const MemoryMap& map = c.data.memoryMap();
    struct Region {
        const char* section;
        const QString& start;
        const QString& end;
        std::int32_t reserve;
    };
    const Region all[] = {
        {"Melodies", map.melodyStart, map.melodyEnd, map.stringTableSize},
        {"JavaGames", map.javaStart, map.javaEnd, map.stringTableSize},
        {"Pictures", map.pictureStart, map.pictureEnd, 0},
    };
    // Start-up converts all six offsets and computes all three totals, also
    // for a manager whose page is off: any failure there stops it.
    bool allValid = true;
    for (const Region& r : all) {
        const qint64 startLine =
            iniLine(c.iniLines, QLatin1String(r.section), QStringLiteral("StartOffset"));
        std::int32_t values[2] = {};
        bool valid = true;
        for (int i = 0; i < 2; ++i) {
            const QString key =
                i == 0 ? QStringLiteral("StartOffset") : QStringLiteral("EndOffset");
            const QString& text = i == 0 ? r.start : r.end;
            if (!numeric::tryToInt(text, values[i])) {
                valid = false;
                c.report.error(
                    ini, iniLine(c.iniLines, QLatin1String(r.section), key),
                    QCoreApplication::translate("Report", "[%1] %2 \"%3\" is not a valid integer")
                        .arg(QLatin1String(r.section), key, text));
            }
        }
        const std::int64_t total = std::int64_t(values[1]) - values[0];
        if (valid && (total < std::numeric_limits<std::int32_t>::min() ||
                      total > std::numeric_limits<std::int32_t>::max() ||
                      total - r.reserve < std::numeric_limits<std::int32_t>::min())) {
            valid = false;
            c.report.error(ini, startLine,
                           QCoreApplication::translate("Report",
                                                       "the size of [%1] overflows 32 bits: "
                                                       "start-up stops with \"Integer overflow\"")
                               .arg(QLatin1String(r.section)));
        }
        allValid = allValid && valid;
    }
    if (!allValid) {
        return;
    }
    // Only the regions of the managers that are on: nothing is placed in the others.
    const std::vector<AddressSpan> regions = addresslayout::regions(c.data, c.iniLines);
    for (const AddressSpan& r : regions) {
        const std::int64_t start = std::int32_t(std::uint32_t(r.start));
        const std::int64_t end = std::int32_t(std::uint32_t(r.end));
        if (start > end) {
            c.report.error(r.file, r.line,
                           QCoreApplication::translate("Report", "the %1 starts at %2, after its "
                                                                 "end %3")
                               .arg(r.label, hexAddress(r.start), hexAddress(r.end)));
            continue;
        }
        const std::int64_t reserve =
            r.manager->kind == ManagerKind::Pictures ? 0 : map.stringTableSize;
        const std::int64_t total = end - start - reserve;
        // Every melody and Java build starts by working out start + Size.
        if (reserve < 0 || start + reserve > std::numeric_limits<std::int32_t>::max()) {
            c.report.error(
                c.data.dataFile(QStringLiteral("Memory.ini")),
                iniLine(c.iniLines, QStringLiteral("StringTable"), QStringLiteral("Size")),
                reserve < 0 ? QCoreApplication::translate(
                                  "Report", "[StringTable] Size %1 is negative: new files would be "
                                            "placed before the start of the %2")
                                  .arg(reserve)
                                  .arg(r.label)
                            : QCoreApplication::translate(
                                  "Report", "the start of the %1 plus [StringTable] Size passes "
                                            "32 bits: every build of its patch stops with "
                                            "\"Integer overflow\"")
                                  .arg(r.label));
        } else if (total < 0) {
            c.report.error(r.file, r.line,
                           QCoreApplication::translate("Report",
                                                       "the %1 leaves %2 bytes after the string "
                                                       "table")
                               .arg(r.label)
                               .arg(total));
        }
    }
}

QString recordWarning(const srec::SRecord& record) {
    if (record.isHeader()) {
        return QCoreApplication::translate("Report",
                                           "a header record (S0): it is copied into every patch");
    }
    if (!record.isData()) {
        return QCoreApplication::translate("Report",
                                           "an S%1 record: it is copied into every patch, and a "
                                           "loader that stops at the first end record drops the "
                                           "rest")
            .arg(record.type);
    }
    return {};
}

void checkRecords(Context& c) {
    // "Patch64K=" with nothing after it: the firmware needs no such patch
    // (a data set drafted from a firmware cannot know one).
    if (c.data.isAvailable(managers::melodies()) && !c.data.memoryMap().patch64K.isEmpty()) {
        const QString ini = c.data.dataFile(QStringLiteral("Memory.ini"));
        const qint64 line =
            iniLine(c.iniLines, QStringLiteral("Patches"), QStringLiteral("Patch64K"));
        const QByteArray text = c.data.memoryMap().patch64K.toLatin1();
        srec::SRecord record;
        const QString problem =
            srec::parseRecord(std::string_view(text.constData(), std::size_t(text.size())), record);
        if (!problem.isEmpty()) {
            c.report.error(ini, line,
                           QCoreApplication::translate("Report", "Patch64K: %1").arg(problem));
        } else if (!record.isData()) {
            c.report.error(ini, line,
                           QCoreApplication::translate("Report", "Patch64K is not a data record"));
        } else if (record.type != 3) {
            c.report.error(ini, line,
                           QCoreApplication::translate(
                               "Report", "Patch64K is an S%1 record: it must be one S3 record")
                               .arg(record.type));
        }
    }
    addresslayout::forEachRequiredLine(
        c.data,
        [&](const QString& file, const srec::SRecordReader::Line& line) {
            if (line.empty) {
                c.report.warning(file, line.number,
                                 QCoreApplication::translate("Report", "an empty line"));
            } else if (!line.error.isEmpty()) {
                c.report.error(file, line.number, line.error);
            } else if (const QString warning = recordWarning(line.record); !warning.isEmpty()) {
                c.report.warning(file, line.number, warning);
            }
        },
        [&](const QString& file) {
            c.report.error(file, 0, QCoreApplication::translate("Report", "cannot be read"));
        });
}

QString range(std::uint64_t start, std::uint64_t end) {
    return end - start == 1 ? hexAddress(start)
                            : hexAddress(start) + QLatin1Char('-') + hexAddress(end - 1);
}

// "MelodiesTable.lst line 3", "Memory.ini line 2"
QString placeOf(const AddressSpan& span) {
    return QCoreApplication::translate("Report", "%1 line %2")
        .arg(fileops::bareName(span.file))
        .arg(span.line);
}

QString collisionText(const AddressCollision& hit) {
    const AddressSpan& at = *hit.at;
    const AddressSpan& other = *hit.other;
    using Kind = AddressSpan::Kind;
    if (at.kind == Kind::Region) {
        return QCoreApplication::translate("Report", "the %1 overlaps the %2")
            .arg(at.label, other.label);
    }
    if (!at.isRecord()) {
        if (other.kind == Kind::Region) {
            return QCoreApplication::translate("Report", "the %1 at %2 lies inside the %3")
                .arg(at.label, hexAddress(at.start), other.label);
        }
        return QCoreApplication::translate("Report", "the %1 at %2 overlaps the %3 (%4)")
            .arg(at.label, hexAddress(at.start), other.label, placeOf(other));
    }
    const QString writer = at.kind == Kind::Patch64K
                               ? QCoreApplication::translate("Report", "the Patch64K line")
                               : QCoreApplication::translate("Report", "this record");
    if (other.kind == Kind::Region) {
        return QCoreApplication::translate("Report",
                                           "%1 writes %2 inside the %3, where new files are "
                                           "placed")
            .arg(writer, range(hit.start, hit.end), other.label);
    }
    if (!other.isRecord()) {
        return QCoreApplication::translate("Report",
                                           "%1 writes %2 over the %3 (%4), which every patch "
                                           "rewrites")
            .arg(writer, range(hit.start, hit.end), other.label, placeOf(other));
    }
    return QCoreApplication::translate("Report", "%1 writes %2 with other bytes than %3 (%4)")
        .arg(writer, range(hit.start, hit.end), other.label, placeOf(other));
}

// Everything a patch writes at a fixed place, compared with the regions
// where new files go and with one another.
void checkLayout(Context& c) {
    std::vector<AddressSpan> spans = addresslayout::regions(c.data, c.iniLines);
    for (std::vector<AddressSpan> more :
         {addresslayout::tableEntries(c.data), addresslayout::fixedRecords(c.data, c.iniLines)}) {
        std::move(more.begin(), more.end(), std::back_inserter(spans));
    }
    using numeric::kAddressSpace;
    for (const AddressSpan& span : spans) {
        if (span.end > kAddressSpace) {
            c.report.error(span.file, span.line,
                           QCoreApplication::translate("Report",
                                                       "the %1 at %2 runs past the end of the "
                                                       "32-bit address space")
                               .arg(span.label, hexAddress(span.start)));
        }
    }
    for (const AddressCollision& hit : addresslayout::collisions(spans)) {
        c.report.error(hit.at->file, hit.at->line, collisionText(hit));
    }
}

} // namespace

QString dataFolderOf(const QString& dir) {
    const QString inner = dir + QStringLiteral("/Data");
    return QFileInfo(inner).isDir() ? QDir(inner).absolutePath() : QDir(dir).absolutePath();
}

Report run(const QString& dataFolder) {
    Report report;
    const QFileInfo folder(dataFolder);
    if (!folder.isDir() || folder.fileName() != QLatin1String("Data")) {
        report.error(dataFolder, 0,
                     QCoreApplication::translate("Report",
                                                 "not a data set: expected a folder named "
                                                 "\"Data\" holding the lists and Memory.ini, or a "
                                                 "firmware folder holding one"));
        return report;
    }
    FirmwareDataSet data(folder.absolutePath());
    Context c{data, {}, report};
    const QString ini = data.dataFile(QStringLiteral("Memory.ini"));
    QString reason;
    QFile file;
    const fileops::Opened opened = fileops::openForReading(file, ini, &reason);
    if (opened == fileops::Opened::Ok) {
        c.iniLines = listfile::decode(file.readAll());
    } else if (opened == fileops::Opened::Unreadable) {
        report.error(ini, 0,
                     QCoreApplication::translate("Report", "cannot be read: %1").arg(reason));
    }
    try {
        data.readMemoryMap();
    } catch (const TarvexError&) {
        // Reported above; the defaults stand in so the lists are still checked.
    }
    loadLists(c);
    checkMemoryMap(c);
    checkFields(c);
    checkRecords(c);
    checkLayout(c);
    slotfilescheck::run(data, report);
    return report;
}

} // namespace datasetcheck
