#include "check/AddressLayout.h"

#include "dataset/NumericText.h"
#include "manager/PatchAssembly.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QFile>

namespace addresslayout {

namespace {

struct RegionKeys {
    const char* section;
    const char* name;
    QString MemoryMap::*start;
    QString MemoryMap::*end;
};

const ManagerInfo* managerOf(const char* section) {
    if (qstrcmp(section, "Melodies") == 0) {
        return &managers::melodies();
    }
    return qstrcmp(section, "JavaGames") == 0 ? &managers::java() : &managers::pictures();
}

// The names of a manager's table entries, then of its volume bytes.
QString spanName(const ManagerInfo& info, bool table, bool one) {
    static const char* const kNames[][4] = {
        {QT_TRANSLATE_NOOP("Report", "melody table entry of slot %1"),
         QT_TRANSLATE_NOOP("Report", "melody table entries"),
         QT_TRANSLATE_NOOP("Report", "melody volume byte of slot %1"),
         QT_TRANSLATE_NOOP("Report", "melody volume bytes")},
        {QT_TRANSLATE_NOOP("Report", "Java table entry of slot %1"),
         QT_TRANSLATE_NOOP("Report", "Java table entries"), "", ""},
        {QT_TRANSLATE_NOOP("Report", "picture table entry of slot %1"),
         QT_TRANSLATE_NOOP("Report", "picture table entries"), "", ""},
    };
    return QCoreApplication::translate("Report",
                                       kNames[int(info.kind)][(table ? 0 : 2) + (one ? 0 : 1)]);
}

} // namespace

std::optional<std::uint32_t> hexField(const QString& text, int digits) {
    if (text.size() != digits) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const QChar c : text) {
        const int d = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        if (d < 0 || c.unicode() > 0x7F) {
            return std::nullopt;
        }
        value = (value << 4) | std::uint32_t(d);
    }
    return value;
}

namespace {

std::uint32_t littleEndian(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

void putLittleEndian(std::uint8_t* bytes, int count, std::uint32_t value) {
    for (int i = 0; i < count; ++i) {
        bytes[i] = std::uint8_t(value >> (8 * i));
    }
}

} // namespace

EntryFields decodeEntry(ManagerKind kind, const std::uint8_t* entry) {
    EntryFields fields;
    switch (kind) {
    case ManagerKind::Melodies:
        fields.address = littleEndian(entry, 4);
        fields.size = littleEndian(entry + 4, 4);
        break;
    case ManagerKind::Java:
        fields.size = littleEndian(entry, 4);
        fields.address = littleEndian(entry + 4, 4);
        break;
    case ManagerKind::Pictures:
        fields.width = int(littleEndian(entry, 2));
        fields.height = int(littleEndian(entry + 2, 2));
        fields.address = littleEndian(entry + 4, 4);
        break;
    }
    return fields;
}

EntryBytes encodeEntry(ManagerKind kind, const EntryFields& fields) {
    EntryBytes entry{};
    switch (kind) {
    case ManagerKind::Melodies:
        putLittleEndian(entry.data(), 4, fields.address);
        putLittleEndian(entry.data() + 4, 4, fields.size);
        break;
    case ManagerKind::Java:
        putLittleEndian(entry.data(), 4, fields.size);
        putLittleEndian(entry.data() + 4, 4, fields.address);
        break;
    case ManagerKind::Pictures:
        putLittleEndian(entry.data(), 2, std::uint32_t(fields.width));
        putLittleEndian(entry.data() + 2, 2, std::uint32_t(fields.height));
        putLittleEndian(entry.data() + 4, 4, fields.address);
        break;
    }
    return entry;
}

std::optional<EntryBytes> entryBytes(const QString& text) {
    if (text.size() != 16) {
        return std::nullopt;
    }
    EntryBytes entry{};
    for (int i = 0; i < 8; ++i) {
        const std::optional<std::uint32_t> byte = hexField(text.mid(2 * i, 2), 2);
        if (!byte) {
            return std::nullopt;
        }
        entry[std::size_t(i)] = std::uint8_t(*byte);
    }
    return entry;
}

QString entryText(const EntryBytes& entry) {
    QString text;
    for (const std::uint8_t byte : entry) {
        text += numeric::hex(byte, 2);
    }
    return text;
}

QString hexAddress(std::uint64_t address) {
    return QStringLiteral("0x") + numeric::hex(std::uint32_t(address), 8);
}

qint64 iniLine(const QStringList& lines, const QString& section, const QString& key) {
    QString current;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && !line.startsWith(QLatin1Char(';')) &&
            current.compare(section, Qt::CaseInsensitive) == 0 &&
            line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
            return i + 1;
        }
    }
    return 0;
}

std::vector<AddressSpan> regions(const FirmwareDataSet& data, const QStringList& iniLines) {
    static const RegionKeys keys[] = {
        {"Melodies", QT_TRANSLATE_NOOP("Report", "melody region"), &MemoryMap::melodyStart,
         &MemoryMap::melodyEnd},
        {"JavaGames", QT_TRANSLATE_NOOP("Report", "Java region"), &MemoryMap::javaStart,
         &MemoryMap::javaEnd},
        {"Pictures", QT_TRANSLATE_NOOP("Report", "picture region"), &MemoryMap::pictureStart,
         &MemoryMap::pictureEnd},
    };
    std::vector<AddressSpan> spans;
    const MemoryMap& map = data.memoryMap();
    for (const RegionKeys& k : keys) {
        std::int32_t start = 0;
        std::int32_t end = 0;
        if (!numeric::tryToInt(map.*k.start, start) || !numeric::tryToInt(map.*k.end, end)) {
            continue;
        }
        AddressSpan span;
        span.kind = AddressSpan::Kind::Region;
        span.start = std::uint32_t(start);
        span.end = std::uint64_t(std::uint32_t(end)) + 1;
        span.label = span.group = QCoreApplication::translate("Report", k.name);
        span.file = data.dataFile(QStringLiteral("Memory.ini"));
        span.line = iniLine(iniLines, QLatin1String(k.section), QStringLiteral("StartOffset"));
        span.manager = managerOf(k.section);
        spans.push_back(span);
    }
    return spans;
}

std::vector<AddressSpan> tableEntries(const FirmwareDataSet& data) {
    std::vector<AddressSpan> spans;
    auto add = [&](const ManagerInfo& info, const QString& list, AddressSpan::Kind kind,
                   int length) {
        const QStringList& lines = data.list(list);
        const bool table = kind == AddressSpan::Kind::TableEntry;
        const qsizetype count = table ? std::min(lines.size(), data.slotCount(info)) : lines.size();
        for (qsizetype i = 0; i < count; ++i) {
            const std::optional<std::uint32_t> address = hexField(lines[i], 8);
            if (!address) {
                continue;
            }
            AddressSpan span;
            span.kind = kind;
            span.start = *address;
            span.end = span.start + std::uint64_t(length);
            span.label = spanName(info, table, true).arg(i + 1);
            span.group = spanName(info, table, false);
            span.file = data.dataFile(list);
            span.line = i + 1;
            span.manager = &info;
            span.slot = i;
            spans.push_back(span);
        }
    };
    for (const ManagerInfo* info : managers::all()) {
        if (data.isAvailable(*info)) {
            add(*info, info->tableList, AddressSpan::Kind::TableEntry, 8);
        }
    }
    if (data.volumesAvailable()) {
        add(managers::melodies(), managers::kVolumeOffsetsList, AddressSpan::Kind::VolumeByte, 1);
    }
    return spans;
}

void forEachRequiredLine(
    const FirmwareDataSet& data,
    const std::function<void(const QString& file, const srec::SRecordReader::Line&)>& visit,
    const std::function<void(const QString& file)>& unreadable) {
    for (const QString& path : patch::requiredPatchFiles(data)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            unreadable(path);
            continue;
        }
        srec::SRecordReader reader(file);
        srec::SRecordReader::Line line;
        while (reader.next(line)) {
            visit(path, line);
        }
    }
}

std::vector<AddressSpan> fixedRecords(const FirmwareDataSet& data, const QStringList& iniLines) {
    std::vector<AddressSpan> spans;
    auto add = [&](const srec::SRecord& record, AddressSpan::Kind kind, const QString& label,
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
        span.bytes = record.data;
        spans.push_back(span);
    };
    if (data.isAvailable(managers::melodies())) {
        srec::SRecord record;
        const QByteArray text = data.memoryMap().patch64K.toLatin1();
        if (srec::parseRecord(std::string_view(text.constData(), std::size_t(text.size())), record)
                .isEmpty()) {
            add(record, AddressSpan::Kind::Patch64K,
                QCoreApplication::translate("Report", "the Patch64K line"),
                data.dataFile(QStringLiteral("Memory.ini")),
                iniLine(iniLines, QStringLiteral("Patches"), QStringLiteral("Patch64K")));
        }
    }
    forEachRequiredLine(
        data,
        [&](const QString& file, const srec::SRecordReader::Line& line) {
            if (line.error.isEmpty() && !line.empty) {
                add(line.record, AddressSpan::Kind::RequiredPatch,
                    QCoreApplication::translate("Report", "required patch %1")
                        .arg(fileops::bareName(file)),
                    file, line.number);
            }
        },
        [](const QString&) {});
    return spans;
}

} // namespace addresslayout
