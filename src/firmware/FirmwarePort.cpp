// SPDX-License-Identifier: MIT
#include "firmware/FirmwarePort.h"

#include "check/AddressLayout.h"
#include "dataset/DataSetWriter.h"
#include "dataset/ListFile.h"
#include "dataset/NumericText.h"
#include "firmware/FirmwareMatch.h"
#include "firmware/NewDataSet.h"
#include "firmware/PortLocator.h"
#include "firmware/StandardResources.h"
#include "pictures/HandsetPictureDecoder.h"
#include "pictures/JpegWriter.h"
#include "platform/FileOps.h"
#include "platform/IniFile.h"
#include "srec/S3Records.h"
#include "srec/TableEntry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <functional>
#include <map>

namespace firmwareport {

namespace {

using numeric::hexAddress;

QString placesText(const std::vector<std::uint64_t>& places) {
    QStringList texts;
    for (const std::uint64_t p : places) {
        texts.append(hexAddress(p));
    }
    return texts.join(QStringLiteral(", "));
}

class Porter {
public:
    Porter(const FirmwareDataSet& data, const FirmwareImage& oldImage,
           const FirmwareImage& newImage, Result& result)
        : data_(data), old_(oldImage), new_(newImage), locator_(oldImage, newImage),
          result_(result), report_(result.report),
          iniLines_(standardresources::memoryIniLines(data)) {}

    bool place(bool allowChangedPatches) {
        resources();
        tableEntries();
        volumes();
        fixedRecords();
        regions();
        resolveWindows();
        if (report_.errors() == 0) { // every address placed
            checkRegions();
            checkRecords(allowChangedPatches);
        }
        return report_.errors() == 0;
    }

    void write(const DataSetWriter& writer) const;

private:
    void moved(const QString& what, std::uint64_t from, std::uint64_t to, const QString& how) {
        result_.moves.push_back({what, from, to, how});
    }

    // An address placed through the window search, once every request is in.
    struct WindowRequest {
        QString what;
        std::uint64_t address = 0;
        std::uint64_t length = 0;
        QString file;
        qint64 line = 0;
        std::function<void(std::uint64_t)> store;
    };
    void byWindow(WindowRequest request) { requests_.push_back(std::move(request)); }

    void resolveWindows() {
        std::vector<PortLocator::Item> items;
        for (const WindowRequest& r : requests_) {
            items.push_back({r.address, r.length});
        }
        const std::vector<PortLocator::Found> found = locator_.locate(items);
        for (std::size_t i = 0; i < requests_.size(); ++i) {
            const WindowRequest& r = requests_[i];
            const PortLocator::Found& f = found[i];
            if (!f.address) {
                report_.error(
                    r.file, r.line,
                    f.disagree ? QCoreApplication::translate(
                                     "Report", "%1 at %2: the bytes before it and after it are "
                                               "found at different places in the new firmware")
                                     .arg(r.what, hexAddress(r.address))
                    : f.places == 0
                        ? QCoreApplication::translate(
                              "Report", "%1 at %2: the bytes around it are found nowhere in the "
                                        "new firmware")
                              .arg(r.what, hexAddress(r.address))
                        : QCoreApplication::translate(
                              "Report", "%1 at %2: the bytes around it are found at several "
                                        "places in the new firmware")
                              .arg(r.what, hexAddress(r.address)));
                continue;
            }
            moved(r.what, r.address, *f.address, f.how);
            r.store(*f.address);
        }
    }

    void resources() {
        const std::vector<StandardResource> all = standardresources::of(data_);
        std::vector<standardresources::Bytes> bytes;
        std::vector<FirmwareImage::Pattern> patterns;
        for (const StandardResource& r : all) {
            bytes.push_back(standardresources::in(old_, r));
            patterns.push_back({bytes.back().data, std::size_t(bytes.back().length)});
        }
        const std::vector<std::vector<std::uint64_t>> found = new_.findAll(patterns, 2);
        for (std::size_t i = 0; i < all.size(); ++i) {
            const StandardResource& r = all[i];
            Slot slot{r, {}, {}, {}};
            const QString what = r.label() + QStringLiteral(" (%1)").arg(r.name);
            const std::vector<std::uint64_t>& places = found[i];
            if (places.size() == 1) {
                slot.resource = places.front();
                slot.entry = r.fields;
                slot.entry.address = std::uint32_t(places.front());
                moved(what, r.fields.address, places.front(),
                      QCoreApplication::translate("Report", "found by its %1 bytes")
                          .arg(bytes[i].length));
            } else {
                report_.error(
                    r.entryFile, r.line(),
                    places.empty()
                        ? QCoreApplication::translate(
                              "Report", "%1: its %2 bytes from %3 are found nowhere in the new "
                                        "firmware")
                              .arg(what)
                              .arg(bytes[i].length)
                              .arg(hexAddress(r.fields.address))
                        : QCoreApplication::translate(
                              "Report", "%1: its %2 bytes from %3 are found at several places in "
                                        "the new firmware: %4")
                              .arg(what)
                              .arg(bytes[i].length)
                              .arg(hexAddress(r.fields.address), placesText(places)));
            }
            slots_.push_back(slot);
        }
    }

    void tableEntries() {
        // First the entries whose new value the new firmware holds once.
        std::vector<tableentry::Bytes> entries;
        for (const Slot& s : slots_) {
            entries.push_back(tableentry::encode(s.r.manager->kind, s.entry));
        }
        std::vector<FirmwareImage::Pattern> patterns;
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            // A slot whose resource is not placed has no new entry to look for.
            patterns.push_back({entries[i].data(), slots_[i].resource ? entries[i].size() : 0});
        }
        std::vector<std::vector<std::uint64_t>> candidates = new_.findAll(patterns, 16);
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            if (candidates[i].size() == 1) {
                slots_[i].table = candidates[i].front();
            }
        }
        // Then entries held several times: the place where the table moved
        // as its neighbours did.
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            Slot& s = slots_[i];
            if (!s.resource || s.table || candidates[i].size() < 2) {
                continue;
            }
            std::optional<std::uint64_t> pick;
            int picks = 0;
            for (const std::uint64_t place : candidates[i]) {
                for (const Slot& other : slots_) {
                    if (other.r.manager == s.r.manager && other.table &&
                        *other.table - *other.r.tableAddress == place - *s.r.tableAddress) {
                        if (pick != place) {
                            ++picks;
                        }
                        pick = place;
                        break;
                    }
                }
            }
            if (picks == 1) {
                s.table = pick;
            }
        }
        for (Slot& s : slots_) {
            const QString what = s.r.entryLabel();
            if (!s.resource) {
                continue;
            }
            if (s.table) {
                moved(what, *s.r.tableAddress, *s.table,
                      QCoreApplication::translate("Report", "found by its new value"));
                continue;
            }
            const tableentry::Bytes entry = tableentry::encode(s.r.manager->kind, s.entry);
            byWindow({what, *s.r.tableAddress, 8, s.r.tableFile, s.r.line(),
                      [this, &s, what, entry](std::uint64_t to) {
                          const std::uint8_t* held = new_.bytesAt(to, 8);
                          if (!held || !std::equal(entry.begin(), entry.end(), held)) {
                              report_.error(
                                  s.r.tableFile, s.r.line(),
                                  QCoreApplication::translate(
                                      "Report", "%1: the new firmware does not hold %2 at %3")
                                      .arg(what, tableentry::text(entry), hexAddress(to)));
                              return;
                          }
                          s.table = to;
                      }});
        }
    }

    void volumes() {
        if (!data_.volumesAvailable()) {
            return;
        }
        const QStringList& offsets = data_.list(managers::kVolumeOffsetsList);
        volumes_.resize(std::size_t(offsets.size()));
        for (qsizetype i = 0; i < offsets.size(); ++i) {
            const std::uint64_t address = *numeric::hexField(offsets[i], 8);
            byWindow({QCoreApplication::translate("Report", "the volume byte of slot %1").arg(i),
                      address, 1, data_.dataFile(managers::kVolumeOffsetsList), i + 1,
                      [this, i](std::uint64_t to) { volumes_[std::size_t(i)] = to; }});
        }
    }

    void fixedRecords() {
        standardresources::reportUnreadableRequiredPatches(data_, report_);
        const std::vector<AddressSpan> spans = addresslayout::fixedRecords(data_, iniLines_);
        records_.resize(spans.size());
        for (std::size_t i = 0; i < spans.size(); ++i) {
            const AddressSpan& span = spans[i];
            records_[i].span = span;
            byWindow({span.label, span.start, span.end - span.start, span.file, span.line,
                      [this, i](std::uint64_t to) { records_[i].to = to; }});
        }
    }

    void regions() {
        for (const AddressSpan& region : addresslayout::regions(data_, iniLines_)) {
            if (!data_.isAvailable(*region.manager)) {
                continue; // kept as it is: nothing is placed there
            }
            const std::size_t i = regions_.size();
            regions_.push_back({region, 0, 0});
            byWindow(
                {QCoreApplication::translate("Report", "the start of the %1").arg(region.label),
                 region.start, 0, region.file, region.line,
                 [this, i](std::uint64_t to) { regions_[i].start = to; }});
            // A region ends before its EndOffset, which is found as an address of its own.
            byWindow({QCoreApplication::translate("Report", "the end of the %1").arg(region.label),
                      region.end, 0, region.file, region.line,
                      [this, i](std::uint64_t to) { regions_[i].last = to; }});
        }
    }

    // A region bound found by the code before it says nothing of what follows:
    // every byte erased in the old region must be erased in the new one too,
    // counted from its start and from its end.
    void checkRegions() {
        for (const PlacedRegion& r : regions_) {
            const std::uint64_t oldLength = r.span.end - r.span.start;
            const std::uint64_t newLength = r.last > r.start ? r.last - r.start : 0;
            std::uint64_t count = 0;
            std::uint64_t first = 0;
            // Held whole, as regions are: read straight from the ranges.
            const std::uint8_t* was = old_.bytesAt(r.span.start, oldLength);
            const std::uint8_t* is = new_.bytesAt(r.start, newLength);
            auto oldErased = [&](std::uint64_t k) {
                return was ? was[k] == 0xFF : old_.byteAt(r.span.start + k) == 0xFF;
            };
            for (std::uint64_t a = r.start; a < r.last && newLength >= oldLength; ++a) {
                const std::uint64_t fromStart = a - r.start;
                const std::uint64_t fromEnd = r.last - a; // 1 for the last byte
                const bool erased = (fromStart < oldLength && oldErased(fromStart)) ||
                                    (fromEnd <= oldLength && oldErased(oldLength - fromEnd));
                const bool nowErased = is ? is[fromStart] == 0xFF : new_.byteAt(a) == 0xFF;
                if (erased && !nowErased) {
                    first = count == 0 ? a : first;
                    ++count;
                }
            }
            if (newLength < oldLength) {
                report_.error(r.span.file, r.span.line,
                              QCoreApplication::translate(
                                  "Report", "the %1 would shrink from %2 to %3 bytes in the new "
                                            "firmware: its bounds are not where the code ends")
                                  .arg(r.span.label)
                                  .arg(oldLength)
                                  .arg(newLength));
            } else if (count > 0) {
                report_.error(
                    r.span.file, r.span.line,
                    countedText(
                        count,
                        QT_TRANSLATE_N_NOOP("Report", "the %1 placed at %2-%3: %n byte erased in "
                                                      "the old firmware is not erased in the new "
                                                      "one, the first at %4"),
                        QT_TRANSLATE_N_NOOP("Report", "the %1 placed at %2-%3: %n bytes erased in "
                                                      "the old firmware are not erased in the new "
                                                      "one, the first at %4"))
                        .arg(r.span.label, hexAddress(r.start), hexAddress(r.last - 1),
                             hexAddress(first)));
            }
        }
    }

    // A required patch (or the Patch64K line) carried to a new place writes
    // over the bytes there: they must be the ones it was made to replace.
    void checkRecords(bool allowChanged) {
        for (const PlacedRecord& p : records_) {
            const std::size_t length = p.span.bytes.size();
            const std::uint8_t* was = old_.bytesAt(p.span.start, length);
            const std::uint8_t* is = new_.bytesAt(p.to, length);
            if (!was || !is || std::equal(was, was + length, is) ||
                std::equal(p.span.bytes.begin(), p.span.bytes.end(), is)) {
                continue; // the same bytes, or applied already in the new firmware
            }
            std::size_t k = 0;
            while (was[k] == is[k]) {
                ++k;
            }
            const QString text = QCoreApplication::translate(
                                     "Report", "%1, carried from %2 to %3, writes over bytes that "
                                               "changed: the old firmware holds %4 at %5, the new "
                                               "one %6 at %7")
                                     .arg(p.span.label, hexAddress(p.span.start), hexAddress(p.to),
                                          numeric::hex(was[k], 2), hexAddress(p.span.start + k),
                                          numeric::hex(is[k], 2), hexAddress(p.to + k));
            if (allowChanged) {
                report_.warning(p.span.file, p.span.line, text);
            } else {
                report_.error(p.span.file, p.span.line, text);
            }
        }
    }

    struct Slot {
        StandardResource r;
        std::optional<std::uint64_t> resource;
        std::optional<std::uint64_t> table;
        tableentry::Fields entry;
    };
    struct PlacedRecord {
        AddressSpan span;
        std::uint64_t to = 0;
    };
    struct PlacedRegion {
        AddressSpan span;
        std::uint64_t start = 0;
        std::uint64_t last = 0; // the EndOffset value, one past the last byte
    };

    const FirmwareDataSet& data_;
    const FirmwareImage& old_;
    const FirmwareImage& new_;
    PortLocator locator_;
    Result& result_;
    Report& report_;
    QStringList iniLines_;
    std::vector<Slot> slots_;
    std::vector<std::uint64_t> volumes_;
    std::vector<PlacedRecord> records_;
    std::vector<PlacedRegion> regions_;
    std::vector<WindowRequest> requests_;
};

void Porter::write(const DataSetWriter& writer) const {
    for (const ManagerInfo* info : managers::all()) {
        if (!data_.isAvailable(*info)) {
            continue;
        }
        QStringList tables;
        QStringList entries;
        std::vector<QByteArray> previews;
        for (const Slot& s : slots_) {
            if (s.r.manager != info) {
                continue;
            }
            tables << numeric::hex(std::uint32_t(*s.table), 8);
            entries << tableentry::text(tableentry::encode(info->kind, s.entry));
            if (info->kind == ManagerKind::Pictures) {
                StandardResource placed = s.r;
                placed.fields = s.entry;
                const standardresources::Bytes bytes = standardresources::in(new_, placed);
                previews.push_back(encodeJpeg(toImage(decodeHandsetPicture(QByteArray(
                    reinterpret_cast<const char*>(bytes.data), qsizetype(bytes.length))))));
            }
        }
        writer.writeStandardSlots(*info, tables, entries, data_.list(info->namesList));
        if (info->kind == ManagerKind::Pictures) {
            writer.writePreviews(previews);
        }
    }
    if (data_.volumesAvailable()) {
        QStringList offsets;
        QStringList standard;
        for (const std::uint64_t v : volumes_) {
            offsets << numeric::hex(std::uint32_t(v), 8);
            standard << numeric::hex(*new_.byteAt(v), 2);
        }
        writer.writeVolumes(offsets, standard);
    }
    QStringList ini = iniLines_;
    std::map<QString, std::map<qint64, QString>> patchLines;
    for (const PlacedRecord& p : records_) {
        const QString line = srec::withS3Checksum(
            QStringLiteral("S3") + numeric::hex(std::uint32_t(p.span.bytes.size() + 5), 2) +
            numeric::hex(std::uint32_t(p.to), 8) +
            numeric::hexBytes(p.span.bytes.data(), p.span.bytes.size()));
        if (p.span.kind == AddressSpan::Kind::Patch64K) {
            IniFile::setValue(ini, QStringLiteral("Patches"), QStringLiteral("Patch64K"), line);
        } else {
            patchLines[p.span.file][p.span.line] = line;
        }
    }
    for (const PlacedRegion& r : regions_) {
        // By manager, not by label: labels are translated.
        const QString section =
            r.span.manager->kind == ManagerKind::Melodies ? QStringLiteral("Melodies")
            : r.span.manager->kind == ManagerKind::Java   ? QStringLiteral("JavaGames")
                                                          : QStringLiteral("Pictures");
        IniFile::setValue(ini, section, QStringLiteral("StartOffset"),
                          QStringLiteral("0x") + numeric::hex(std::uint32_t(r.start), 8));
        IniFile::setValue(ini, section, QStringLiteral("EndOffset"),
                          QStringLiteral("0x") + numeric::hex(std::uint32_t(r.last), 8));
    }
    writer.writeMemoryIni(ini);
    for (const auto& [file, lines] : patchLines) {
        QStringList text = listfile::load(file);
        for (const auto& [line, record] : lines) {
            text[line - 1] = record;
        }
        writer.writeRequiredPatch(fileops::bareName(file), text);
    }
}

} // namespace

Report Result::withMoves() const {
    Report out = report;
    for (const Move& m : moves) {
        out.addSummary(QCoreApplication::translate("Report", "%1: %2 -> %3, %4")
                           .arg(m.what, hexAddress(m.from), hexAddress(m.to), m.how));
    }
    return out;
}

QString Result::text() const {
    return withMoves().text();
}

Result run(const FirmwareDataSet& data, const FirmwareImage& oldImage,
           const FirmwareImage& newImage, const QString& id, const QString& userFolder,
           bool allowChangedPatches) {
    Result result;
    result.id = id;
    result.firmwareFolder = newdataset::folderFor(id, userFolder);
    const firmwarematch::Result before = firmwarematch::run(data, oldImage);
    if (!before.matches()) {
        result.report = before.report;
        result.report.error(
            data.dataFolder(), 0,
            QCoreApplication::translate("Report", "the data set does not match the old firmware"));
        return result;
    }
    Porter porter(data, oldImage, newImage, result);
    if (!porter.place(allowChangedPatches)) {
        return result;
    }
    // Staged in the user folder, not in the temporary folder: a killed port
    // leaves it where the next command that starts there removes it.
    DataSetWriter writer(userFolder, id, ImportStaging::kPort);
    writer.begin();
    writer.copyData(data.dataFolder(), [](const QFileInfo&) {}); // import reports them
    porter.write(writer);

    // The result must belong to the new firmware before it is added.
    result.created =
        newdataset::addWhenMatching(writer.root(), newImage, id, userFolder, result.report);
    return result;
}

} // namespace firmwareport
