// SPDX-License-Identifier: MIT
#include "manager/AddressLayout.h"

#include "dataset/DataSetLayout.h"
#include "dataset/NumericText.h"
#include "manager/PatchAssembly.h"
#include "platform/FileOps.h"
#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <set>

namespace addresslayout {

namespace {

// The names of a manager's table entries, or of the melody volume bytes.
QString spanName(const ManagerInfo& info, bool table, bool one) {
    if (table) {
        return QCoreApplication::translate("Report", one ? info.entryName : info.entriesName);
    }
    return one ? QCoreApplication::translate("Report", "melody volume byte of slot %1")
               : QCoreApplication::translate("Report", "melody volume bytes");
}

} // namespace

std::vector<AddressSpan> regions(const FirmwareDataSet& data, const QStringList& iniLines) {
    std::vector<AddressSpan> spans;
    const MemoryMap& map = data.memoryMap();
    for (const ManagerInfo* manager : managers::all()) {
        if (!data.isAvailable(*manager)) {
            continue; // its page is off: nothing is placed there
        }
        std::int32_t start = 0;
        std::int32_t end = 0;
        if (!numeric::tryToInt(map.*manager->regionStart, start) ||
            !numeric::tryToInt(map.*manager->regionEnd, end)) {
            continue;
        }
        AddressSpan span;
        span.kind = AddressSpan::Kind::Region;
        span.start = std::uint32_t(start);
        span.end = std::uint32_t(end);
        span.label = span.group = QCoreApplication::translate("Report", manager->regionName);
        span.file = data.dataFile(datasetlayout::kMemoryIni);
        span.line = IniFile::lineOf(iniLines, manager->iniSection, memoryini::kRegionStartKey);
        span.manager = manager;
        spans.push_back(span);
    }
    return spans;
}

std::uint64_t reserveOf(const FirmwareDataSet& data, const AddressSpan& region) {
    const std::int32_t size = data.memoryMap().stringTableSize;
    if (!region.manager || !region.manager->afterStringTable || size <= 0 ||
        region.end <= region.start) {
        return 0;
    }
    return std::min<std::uint64_t>(std::uint64_t(size), region.end - region.start);
}

std::vector<AddressSpan> tableEntries(const FirmwareDataSet& data) {
    std::vector<AddressSpan> spans;
    appendTableEntries(data, spans, true);
    return spans;
}

void appendTableEntries(const FirmwareDataSet& data, std::vector<AddressSpan>& spans,
                        bool labelled) {
    struct Source {
        const ManagerInfo* info;
        QString list;
        AddressSpan::Kind kind;
        int length;
    };
    std::vector<Source> sources;
    for (const ManagerInfo* info : managers::all()) {
        if (data.isAvailable(*info)) {
            sources.push_back({info, info->tableList, AddressSpan::Kind::TableEntry, 8});
        }
    }
    if (data.volumesAvailable()) {
        sources.push_back({&managers::melodies(), managers::kVolumeOffsetsList,
                           AddressSpan::Kind::VolumeByte, 1});
    }
    const auto countOf = [&](const Source& source) {
        const qsizetype lines = data.list(source.list).size();
        return source.kind == AddressSpan::Kind::TableEntry
                   ? std::min(lines, data.slotCount(*source.info))
                   : lines;
    };
    qsizetype total = 0;
    for (const Source& source : sources) {
        total += countOf(source);
    }
    // Room for all of them at once: growing by doubling would hold up to
    // three times their bytes while moving them.
    spans.reserve(spans.size() + std::size_t(total));
    for (const Source& source : sources) {
        const QStringList& lines = data.list(source.list);
        const bool table = source.kind == AddressSpan::Kind::TableEntry;
        // Made once and shared by every span of the list.
        const QString one = spanName(*source.info, table, true);
        const QString group = spanName(*source.info, table, false);
        const QString file = data.dataFile(source.list);
        for (qsizetype i = 0, count = countOf(source); i < count; ++i) {
            const std::optional<std::uint32_t> address = numeric::hexField(lines[i], 8);
            if (!address) {
                continue;
            }
            AddressSpan span;
            span.kind = source.kind;
            span.start = *address;
            span.end = span.start + std::uint64_t(source.length);
            if (labelled) {
                span.label = one.arg(i);
            }
            span.group = group;
            span.file = file;
            span.line = i + 1;
            span.manager = source.info;
            span.slot = i;
            spans.push_back(std::move(span));
        }
    }
}

QString labelOf(const AddressSpan& span) {
    if (!span.label.isEmpty() || span.manager == nullptr || span.slot < 0) {
        return span.label;
    }
    return spanName(*span.manager, span.kind == AddressSpan::Kind::TableEntry, true).arg(span.slot);
}

QString readPatch64K(const MemoryMap& map, srec::SRecord& record) {
    const QByteArray text = map.patch64K.toLatin1();
    return srec::parseRecord(std::string_view(text.constData(), std::size_t(text.size())), record);
}

std::vector<AddressSpan> fixedRecords(const FirmwareDataSet& data, const QStringList& iniLines,
                                      const RequiredLineVisit& visit,
                                      const UnreadableVisit& unreadable) {
    std::vector<AddressSpan> spans;
    auto add = [&](srec::SRecord& record, AddressSpan::Kind kind, const QString& label,
                   const QString& file, qint64 line) {
        if (!record.isData() || record.data.empty()) {
            return;
        }
        AddressSpan span;
        span.kind = kind;
        span.start = record.address;
        span.end = span.start + record.data.size();
        span.label = span.group = label;
        span.file = file;
        span.line = line;
        span.bytes = std::move(record.data);
        spans.push_back(std::move(span));
    };
    for (const QString& path : patch::requiredPatchFiles(data)) {
        QFile file;
        if (!fileops::openRegular(file, path)) {
            if (unreadable) {
                unreadable(path);
            }
            continue;
        }
        const QString label =
            QCoreApplication::translate("Report", "required patch %1").arg(fileops::bareName(path));
        srec::SRecordReader reader(file);
        srec::SRecordReader::Line line;
        while (reader.next(line)) {
            if (visit) {
                visit(path, line);
            }
            if (line.error.isEmpty() && !line.empty) {
                srec::SRecord record = line.record;
                add(record, AddressSpan::Kind::RequiredPatch, label, path, line.number);
            }
        }
    }
    if (data.isAvailable(managers::melodies())) {
        srec::SRecord record;
        if (readPatch64K(data.memoryMap(), record).isEmpty()) {
            add(record, AddressSpan::Kind::Patch64K,
                QCoreApplication::translate("Report", "the Patch64K line"),
                data.dataFile(datasetlayout::kMemoryIni),
                IniFile::lineOf(iniLines, memoryini::kPatchesSection, memoryini::kPatch64KKey));
        }
    }
    return spans;
}

namespace {

// Regions lie under everything, records are written over table entries and
// volume bytes: a finding names the span of the higher rank.
int rank(const AddressSpan& span) {
    switch (span.kind) {
    case AddressSpan::Kind::Region:
        return 0;
    case AddressSpan::Kind::TableEntry:
    case AddressSpan::Kind::VolumeByte:
        return 1;
    case AddressSpan::Kind::Patch64K:
    case AddressSpan::Kind::RequiredPatch:
        return 2;
    }
    return 0;
}

bool sameBytes(const AddressSpan& a, const AddressSpan& b, std::uint64_t start, std::uint64_t end) {
    return std::equal(a.bytes.begin() + std::ptrdiff_t(start - a.start),
                      a.bytes.begin() + std::ptrdiff_t(end - a.start),
                      b.bytes.begin() + std::ptrdiff_t(start - b.start));
}

} // namespace

std::vector<AddressCollision> collisions(const std::vector<AddressSpan>& spans) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (spans[i].start < spans[i].end) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return spans[a].start < spans[b].start; });
    std::vector<AddressCollision> found;
    std::set<std::pair<QString, std::size_t>> reported; // required patch file, other span
    // What a span is compared with: every region reaching past its start,
    // and of the table entries and volume bytes, and of the records, the one
    // reaching furthest. Any other earlier span it meets lies inside that one
    // and was compared with it already, so the work stays linear.
    std::vector<std::size_t> regionsOpen;
    std::optional<std::size_t> fixedReach;
    std::optional<std::size_t> recordReach;
    for (const std::size_t next : order) {
        const AddressSpan& span = spans[next];
        std::erase_if(regionsOpen, [&](std::size_t i) { return spans[i].end <= span.start; });
        std::vector<std::size_t> earlierOnes = regionsOpen;
        for (const std::optional<std::size_t>& reach : {fixedReach, recordReach}) {
            if (reach && spans[*reach].end > span.start) {
                earlierOnes.push_back(*reach);
            }
        }
        for (const std::size_t i : earlierOnes) {
            const AddressSpan& earlier = spans[i];
            const std::uint64_t end = std::min(earlier.end, span.end);
            if (earlier.isRecord() && span.isRecord() &&
                sameBytes(earlier, span, span.start, end)) {
                continue;
            }
            const bool spanNamed =
                rank(span) != rank(earlier) ? rank(span) > rank(earlier) : next > i;
            const std::size_t at = spanNamed ? next : i;
            const std::size_t other = spanNamed ? i : next;
            if (spans[at].kind == AddressSpan::Kind::RequiredPatch &&
                !reported.emplace(spans[at].file, other).second) {
                continue;
            }
            found.push_back({&spans[at], &spans[other], span.start, end});
        }
        if (span.kind == AddressSpan::Kind::Region) {
            regionsOpen.push_back(next);
            continue;
        }
        std::optional<std::size_t>& reach = span.isRecord() ? recordReach : fixedReach;
        if (!reach || span.end > spans[*reach].end) {
            reach = next;
        }
    }
    return found;
}

} // namespace addresslayout
