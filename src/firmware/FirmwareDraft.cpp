// SPDX-License-Identifier: MIT
#include "firmware/FirmwareDraft.h"

#include "base/Cp1251.h"
#include "base/TarvexError.h"
#include "dataset/DataSetWriter.h"
#include "dataset/FirmwareId.h"
#include "dataset/NumericText.h"
#include "firmware/NewDataSet.h"
#include "pictures/HandsetPictureDecoder.h"
#include "pictures/JpegWriter.h"
#include "srec/TableEntry.h"

#include <QFileInfo>
#include <algorithm>
#include <limits>

namespace firmwaredraft {

namespace {

using firmwarescan::Kind;
using firmwarescan::Resource;
using numeric::hexAddress;

std::optional<std::uint32_t> address(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const bool hex = t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const std::uint32_t value = (hex ? t.mid(2) : t).toUInt(&ok, hex ? 16 : 10);
    return ok ? std::optional(value) : std::nullopt;
}

QString kindText(const Resource& r) {
    return firmwarescan::kindName(r.kind).toUpper();
}

// A title as a list line: without control characters, and only when code
// page 1251 holds it.
QString listName(const QString& title, const QString& fallback) {
    QString name;
    for (const QChar c : title) {
        name += c.unicode() < 0x20 || c.unicode() == 0x7F ? QChar(u' ') : c;
    }
    name = name.simplified();
    return name.isEmpty() || !cp1251::encode(name) ? fallback : name;
}

// The page's help text of a drafted set: what it is and what to do before
// flashing, in code page 1251 as RTF holds it.
QByteArray helpText() {
    const QByteArray text = cp1251::encodeOrThrow(
        QStringLiteral("Набор данных составлен по прошивке программой. Прежде чем записывать "
                       "патчи в телефон, проверьте его области."));
    QByteArray rtf("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 ");
    for (const char c : text) {
        if (quint8(c) < 0x80) {
            rtf.append(c);
        } else {
            rtf.append("\\'").append(QByteArray::number(quint8(c), 16));
        }
    }
    return rtf.append("\\par}");
}

struct Slot {
    std::uint64_t entry = 0;
    const Resource* resource = nullptr;
    QString name;
};

class Drafter {
public:
    Drafter(const FirmwareImage& image, const firmwarescan::Result& scan, Result& result)
        : image_(image), result_(result) {
        for (const Resource& r : scan.resources) {
            if (r.entries.empty()) {
                result_.unplaced << countedText(qint64(r.size),
                                                QT_TRANSLATE_N_NOOP("Report",
                                                                    "the %1 file at %2 (%n byte): "
                                                                    "no table entry points at it"),
                                                QT_TRANSLATE_N_NOOP("Report",
                                                                    "the %1 file at %2 (%n bytes): "
                                                                    "no table entry points at it"))
                                        .arg(kindText(r), hexAddress(r.address));
            }
            for (const std::uint64_t e : r.entries) {
                (r.isMelody()          ? melodies_
                 : r.kind == Kind::Jad ? jads_
                 : r.kind == Kind::Jar ? jars_
                                       : pictures_)
                    .push_back({e, &r, {}});
            }
        }
        for (auto* list : {&melodies_, &jads_, &jars_, &pictures_}) {
            std::sort(list->begin(), list->end(),
                      [](const Slot& a, const Slot& b) { return a.entry < b.entry; });
        }
        for (std::size_t i = 0; i < melodies_.size(); ++i) {
            melodies_[i].name =
                listName(melodies_[i].resource->title, QStringLiteral("Мелодия %1").arg(i + 1));
        }
        for (std::size_t i = 0; i < pictures_.size(); ++i) {
            pictures_[i].name = QStringLiteral("Картинка %1").arg(i + 1);
        }
        pairJavaFiles();
    }

    void write(const DataSetWriter& writer, const Options& options) const {
        writer.makeRequiredPatchFolder();
        const QStringList comments{
            QStringLiteral("; Набор составлен по прошивке программой: каждую область должен "
                           "подтвердить человек, прежде чем патч будет записан в телефон."),
            QStringLiteral("; Drafted from the firmware: a person must confirm every region "
                           "before a patch is flashed."),
            QString()};
        const std::pair<const ManagerInfo*, std::optional<Region>> regions[] = {
            {&managers::melodies(), options.melodies},
            {&managers::java(), options.java},
            {&managers::pictures(), options.pictures}};
        // No Patch64K and no volume patch: a firmware cannot tell them.
        MemoryMap map;
        map.patch64K.clear();
        map.volumePatchAvailable = false;
        for (const auto& [info, r] : regions) {
            map.*info->available = r.has_value();
            if (r) {
                map.*info->regionStart = memoryIniOffset(r->start);
                map.*info->regionEnd = memoryIniOffset(r->end);
            }
        }
        writer.writeMemoryIni(memoryIniLinesOf(map, comments));
        if (options.melodies) {
            writeLists(writer, managers::melodies(), melodies_);
        }
        if (options.java) {
            writeLists(writer, managers::java(), java_);
        }
        if (options.pictures) {
            writeLists(writer, managers::pictures(), pictures_);
            writer.writePreviews(previews());
        }
    }

    int melodyCount() const { return int(melodies_.size()); }
    int javaCount() const { return int(java_.size()); }
    int pictureCount() const { return int(pictures_.size()); }

private:
    // Even rows the JAD, odd rows the JAR whose size its MIDlet-Jar-Size
    // names: the entry right after the JAD's when that one fits, else the
    // first free one that does.
    void pairJavaFiles() {
        std::vector<bool> used(jars_.size(), false);
        for (const Slot& jad : jads_) {
            std::size_t chosen = jars_.size();
            for (std::size_t k = 0; k < jars_.size(); ++k) {
                if (!used[k] && qint64(jars_[k].resource->size) == jad.resource->declaredJarSize &&
                    (chosen == jars_.size() || jars_[k].entry == jad.entry + 8)) {
                    chosen = k;
                }
            }
            if (chosen == jars_.size()) {
                result_.unplaced
                    << countedText(qint64(jad.resource->declaredJarSize),
                                   QT_TRANSLATE_N_NOOP("Report", "the JAD at %1 (entry %2) names "
                                                                 "a JAR of %n byte that no entry "
                                                                 "points at"),
                                   QT_TRANSLATE_N_NOOP("Report", "the JAD at %1 (entry %2) names "
                                                                 "a JAR of %n bytes that no entry "
                                                                 "points at"))
                           .arg(hexAddress(jad.resource->address), hexAddress(jad.entry));
                continue;
            }
            used[chosen] = true;
            const QString game = QStringLiteral("Игра %1").arg(java_.size() / 2 + 1);
            const QString name =
                listName(jad.resource->title, listName(jars_[chosen].resource->title, game));
            java_.push_back({jad.entry, jad.resource, name + QStringLiteral(".jad")});
            java_.push_back(
                {jars_[chosen].entry, jars_[chosen].resource, name + QStringLiteral(".jar")});
        }
        for (std::size_t k = 0; k < jars_.size(); ++k) {
            if (!used[k]) {
                result_.unplaced << Report::tr("the JAR at %1 (entry %2): no JAD names its size")
                                        .arg(hexAddress(jars_[k].resource->address),
                                             hexAddress(jars_[k].entry));
            }
        }
    }

    static QStringList names(const std::vector<Slot>& list) {
        QStringList out;
        for (const Slot& s : list) {
            out << s.name;
        }
        return out;
    }

    void writeLists(const DataSetWriter& writer, const ManagerInfo& info,
                    const std::vector<Slot>& list) const {
        QStringList tables;
        QStringList entries;
        for (const Slot& s : list) {
            tables << numeric::hex(std::uint32_t(s.entry), 8);
            const std::uint8_t* bytes = image_.bytesAt(s.entry, 8);
            entries << tableentry::text(tableentry::encode(info, tableentry::decode(info, bytes)));
        }
        const QStringList slotNames = names(list);
        writer.writeList(info.namesList, slotNames);
        writer.writeStandardSlots(info, tables, entries, slotNames);
        if (!info.helpFile.isEmpty()) {
            writer.writeFile(info.helpFile, helpText());
        }
    }

    std::vector<QByteArray> previews() const {
        std::vector<QByteArray> jpegs;
        for (const Slot& s : pictures_) {
            const Resource& r = *s.resource;
            const QByteArray bytes(reinterpret_cast<const char*>(image_.bytesAt(r.address, r.size)),
                                   qsizetype(r.size));
            jpegs.push_back(encodeJpeg(toImage(decodeHandsetPicture(bytes))));
        }
        return jpegs;
    }

    const FirmwareImage& image_;
    Result& result_;
    std::vector<Slot> melodies_, jads_, jars_, pictures_, java_;
};

// Every region must lie wholly in the firmware: a byte outside it is one
// nobody can tell erased.
void reportRegionsOutside(const FirmwareImage& image, const Options& options, Report& report) {
    const std::pair<const ManagerInfo*, std::optional<Region>> regions[] = {
        {&managers::melodies(), options.melodies},
        {&managers::java(), options.java},
        {&managers::pictures(), options.pictures}};
    for (const auto& [info, r] : regions) {
        if (!r) {
            continue;
        }
        const std::uint64_t held = image.heldBytes(r->start, r->end);
        if (held != r->end - r->start) {
            report.error(options.firmwareFile, 0,
                         Report::tr("only %1 of the %2 bytes of the %3 %4-%5 lie in the firmware")
                             .arg(held)
                             .arg(r->end - r->start)
                             .arg(QCoreApplication::translate("Report", info->regionName),
                                  hexAddress(r->start), hexAddress(r->end - 1)));
        }
    }
}

} // namespace

std::optional<Region> parseRegion(const QString& text) {
    const QStringList bounds = text.split(QLatin1Char('-'));
    if (bounds.size() != 2) {
        return std::nullopt;
    }
    const auto start = address(bounds[0]);
    const auto last = address(bounds[1]);
    if (!start || !last || *last < *start || *last == std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return Region{*start, *last + 1};
}

Report Result::withSummary() const {
    Report out = report;
    for (const QString& u : unplaced) {
        out.addSummary(Report::tr("Left out: %1").arg(u));
    }
    out.addSummary(Report::tr("Slots: %1 melodies, %2 Java files, %3 pictures")
                       .arg(melodies)
                       .arg(java)
                       .arg(pictures));
    if (!candidates.empty()) {
        out.addSummary(Report::tr("Erased areas that may serve as regions (START-END):"));
        for (const firmwarescan::Area& a : candidates) {
            out.addSummary(
                QStringLiteral("  %1 (%2)")
                    .arg(regionText(a),
                         countedText(qint64(a.size), QT_TRANSLATE_N_NOOP("Report", "%n byte"),
                                     QT_TRANSLATE_N_NOOP("Report", "%n bytes"))));
        }
        out.addSummary(
            Report::tr("An erased area can also be the phone's own storage: a person must "
                       "confirm each region before anything is flashed."));
    }
    return out;
}

QString Result::text() const {
    return withSummary().text();
}

QString freeId(const QString& wanted, const QString& userFolder) {
    const auto taken = [&](const QString& id) {
        const QFileInfo folder(userFolder + QLatin1Char('/') + id);
        return folder.exists() || folder.isSymLink();
    };
    QString id = wanted;
    for (int n = 2; taken(id); ++n) {
        id = QStringLiteral("%1_%2").arg(wanted).arg(n);
    }
    return id;
}

QString regionText(const firmwarescan::Area& area) {
    return QStringLiteral("0x%1-0x%2")
        .arg(numeric::hex(std::uint32_t(area.address), 8),
             numeric::hex(std::uint32_t(area.address + area.size - 1), 8));
}

bool Options::anyRegion() const {
    return melodies || java || pictures;
}

Result run(const FirmwareImage& image, const firmwarescan::Result& scan, const Options& options,
           const QString& userFolder) {
    Result result;
    result.id = options.id;
    result.firmwareFolder = firmwareid::newFolder(options.id, userFolder);
    if (!options.anyRegion()) {
        throw TarvexError(Report::tr("Nothing is created: no region is given, so every page of "
                                     "%1 would stay off")
                              .arg(options.id));
    }
    result.candidates = scan.erased;
    std::optional<Drafter> drafter(std::in_place, image, scan, result);
    result.melodies = options.melodies ? drafter->melodyCount() : 0;
    result.java = options.java ? drafter->javaCount() : 0;
    result.pictures = options.pictures ? drafter->pictureCount() : 0;
    // Refused before anything is written, so that the id stays free.
    reportRegionsOutside(image, options, result.report);
    if (result.melodies + result.java + result.pictures == 0) {
        result.report.error(options.firmwareFile, 0,
                            Report::tr("nothing is placed: the pages with a region get no slot"));
    }
    if (result.report.errors() > 0) {
        return result;
    }

    // Beside its place, so that a kill leaves nothing the next start does not remove.
    DataSetWriter writer(userFolder, options.id, fileops::staging::kDraft);
    writer.begin();
    drafter->write(writer, options);
    // Its slots are on disk: let go before the check loads them again.
    drafter.reset();

    // The draft must belong to its firmware before it is added.
    result.created =
        newdataset::addWhenMatching(writer.root(), image, options.id, userFolder, result.report);
    return result;
}

} // namespace firmwaredraft
