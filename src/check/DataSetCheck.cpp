#include "check/DataSetCheck.h"

#include "base/TarvexError.h"
#include "check/AddressLayout.h"
#include "check/SlotFilesCheck.h"
#include "dataset/ListFile.h"
#include "dataset/NumericText.h"
#include "melodies/MelodyVolumes.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <functional>
#include <limits>

namespace datasetcheck {

namespace {

using addresslayout::hexAddress;
using addresslayout::iniLine;

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
                c.data.setList(name, listfile::load(path));
            } catch (const TarvexError& error) {
                c.report.error(path, 0, error.message());
            }
        }
    }
}

// A companion list shorter than the list that sets its slot count.
void checkCounts(Context& c, const QStringList& lists, const QString& countList) {
    if (!c.data.hasList(countList)) {
        return;
    }
    const qsizetype slotTotal = c.data.list(countList).size();
    for (const QString& name : lists) {
        if (name == countList || !c.data.hasList(name)) {
            continue;
        }
        const qsizetype lines = c.data.list(name).size();
        if (lines < slotTotal) {
            c.report.error(c.data.dataFile(name), lines,
                           QCoreApplication::translate("Report", "%1 lines, but %2 has %3")
                               .arg(lines)
                               .arg(countList)
                               .arg(slotTotal));
        }
    }
}

using LineCheck = std::function<QString(const QString& line)>;

void checkLines(Context& c, const QString& name, qsizetype count, const LineCheck& check) {
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
        if (addresslayout::hexField(line, digits)) {
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
    const std::optional<std::uint32_t> value = addresslayout::hexField(line, 2);
    if (!value || *value < melodyvolumes::kMinimum || *value > melodyvolumes::kMaximum) {
        return QCoreApplication::translate("Report", "\"%1\" is not a volume from 01 to 7F")
            .arg(line);
    }
    return {};
}

void checkFields(Context& c) {
    for (const ManagerInfo* info : managers::all()) {
        if (!c.data.isAvailable(*info)) {
            continue;
        }
        checkCounts(c, info->loadOrder, info->namesList);
        const qsizetype slotTotal = c.data.slotCount(*info);
        checkLines(c, info->tableList, slotTotal, hexDigits(8));
        checkLines(c, info->standardEntryList, slotTotal, hexDigits(16));
        checkLines(c, info->sizeList, slotTotal, sizeProblem);
        checkLines(c, info->filesList, slotTotal, [info](const QString& line) {
            if (line == info->placeholder || fileops::isSafeBareName(line)) {
                return QString();
            }
            return QCoreApplication::translate("Report", "\"%1\" is not a bare file name")
                .arg(line);
        });
    }
    if (c.data.isAvailable(managers::melodies()) && c.data.volumesAvailable()) {
        const QStringList volumeLists{managers::kVolumeOffsetsList, managers::kStandardVolumesList,
                                      managers::kVolumesList};
        checkCounts(c, volumeLists, managers::kVolumeOffsetsList);
        const qsizetype volumes = c.data.list(managers::kVolumeOffsetsList).size();
        checkLines(c, managers::kVolumeOffsetsList, volumes, hexDigits(8));
        checkLines(c, managers::kStandardVolumesList, volumes, volumeProblem);
        checkLines(c, managers::kVolumesList, volumes, volumeProblem);
    }
}

void checkMemoryMap(Context& c) {
    const QString ini = c.data.dataFile(QStringLiteral("Memory.ini"));
    const MemoryMap& map = c.data.memoryMap();
    struct Offset {
        const char* section;
        const char* key;
        const QString& text;
    };
    const Offset offsets[] = {
        {"Melodies", "StartOffset", map.melodyStart},  {"Melodies", "EndOffset", map.melodyEnd},
        {"JavaGames", "StartOffset", map.javaStart},   {"JavaGames", "EndOffset", map.javaEnd},
        {"Pictures", "StartOffset", map.pictureStart}, {"Pictures", "EndOffset", map.pictureEnd},
    };
    bool allValid = true;
    for (const Offset& o : offsets) {
        std::int32_t value = 0;
        if (!numeric::tryToInt(o.text, value)) {
            allValid = false;
            c.report.error(
                ini, iniLine(c.iniLines, QLatin1String(o.section), QLatin1String(o.key)),
                QCoreApplication::translate("Report", "[%1] %2 \"%3\" is not a valid integer")
                    .arg(QLatin1String(o.section), QLatin1String(o.key), o.text));
        }
    }
    if (!allValid) {
        return;
    }
    const std::vector<AddressSpan> regions = addresslayout::regions(c.data, c.iniLines);
    const std::int64_t reserve = map.stringTableSize;
    for (const AddressSpan& r : regions) {
        const std::int64_t start = std::int32_t(std::uint32_t(r.start));
        const std::int64_t end = std::int32_t(std::uint32_t(r.end - 1));
        if (start > end) {
            c.report.error(
                r.file, r.line,
                QCoreApplication::translate("Report", "the %1 starts at %2, after its end %3")
                    .arg(r.label, hexAddress(r.start), hexAddress(r.end - 1)));
            continue;
        }
        const std::int64_t total =
            end - start - (r.manager->kind == ManagerKind::Pictures ? 0 : reserve);
        if (total < std::numeric_limits<std::int32_t>::min() ||
            total > std::numeric_limits<std::int32_t>::max()) {
            c.report.error(
                r.file, r.line,
                QCoreApplication::translate("Report", "the size of the %1 overflows 32 bits")
                    .arg(r.label));
        } else if (total < 0) {
            c.report.error(r.file, r.line,
                           QCoreApplication::translate(
                               "Report", "the %1 leaves %2 bytes after the string table")
                               .arg(r.label)
                               .arg(total));
        }
    }
    // All three, also those of unavailable managers: the program reads them all.
    for (std::size_t a = 0; a < regions.size(); ++a) {
        for (std::size_t b = a + 1; b < regions.size(); ++b) {
            if (regions[a].start < regions[b].end && regions[b].start < regions[a].end) {
                c.report.error(regions[b].file, regions[b].line,
                               QCoreApplication::translate("Report", "the %1 overlaps the %2")
                                   .arg(regions[b].label, regions[a].label));
            }
        }
    }
}

QString recordWarning(const srec::SRecord& record) {
    if (record.isHeader()) {
        return QCoreApplication::translate("Report",
                                           "a header record (S0): it is copied into every patch");
    }
    if (!record.isData()) {
        return QCoreApplication::translate(
                   "Report", "an S%1 record: it is copied into every patch, and a loader that "
                             "stops at the first end record drops the rest")
            .arg(record.type);
    }
    return {};
}

void checkRecords(Context& c) {
    if (c.data.isAvailable(managers::melodies())) {
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

// No two table entries or volume bytes on one another, none inside a region.
void checkPlacement(Context& c) {
    std::vector<AddressSpan> fixed = addresslayout::tableEntries(c.data);
    std::stable_sort(fixed.begin(), fixed.end(),
                     [](const AddressSpan& a, const AddressSpan& b) { return a.start < b.start; });
    const AddressSpan* reach = nullptr; // the span reaching furthest so far
    for (const AddressSpan& span : fixed) {
        if (reach && span.start < reach->end) {
            c.report.error(
                span.file, span.line,
                QCoreApplication::translate("Report", "the %1 at %2 overlaps the %3 (%4 line %5)")
                    .arg(span.label, hexAddress(span.start), reach->label,
                         fileops::bareName(reach->file))
                    .arg(reach->line));
        }
        if (!reach || span.end > reach->end) {
            reach = &span;
        }
    }
    const std::vector<AddressSpan> regions = addresslayout::regions(c.data, c.iniLines);
    for (const AddressSpan& span : fixed) {
        for (const AddressSpan& region : regions) {
            if (span.start < region.end && region.start < span.end) {
                c.report.error(
                    span.file, span.line,
                    QCoreApplication::translate("Report", "the %1 at %2 lies inside the %3")
                        .arg(span.label, hexAddress(span.start), region.label));
            }
        }
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
                     QCoreApplication::translate("Report", "not a data set's Data folder"));
        return report;
    }
    FirmwareDataSet data(folder.absolutePath());
    Context c{data, {}, report};
    const QString ini = data.dataFile(QStringLiteral("Memory.ini"));
    if (QFile file(ini); file.open(QIODevice::ReadOnly)) {
        c.iniLines = listfile::decode(file.readAll());
    } else if (fileops::exists(ini)) {
        report.error(ini, 0, QCoreApplication::translate("Report", "cannot be read"));
    }
    data.readMemoryMap();
    loadLists(c);
    checkMemoryMap(c);
    checkFields(c);
    checkRecords(c);
    checkPlacement(c);
    slotfilescheck::run(data, report);
    return report;
}

} // namespace datasetcheck
