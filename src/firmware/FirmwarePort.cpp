// SPDX-License-Identifier: MIT
#include "firmware/FirmwarePort.h"

#include "dataset/DataSetWriter.h"
#include "dataset/FirmwareId.h"
#include "dataset/NumericText.h"
#include "firmware/FirmwareMatch.h"
#include "firmware/NewDataSet.h"
#include "firmware/PortLocator.h"
#include "firmware/PortPlacement.h"
#include "firmware/StandardResources.h"
#include "srec/TableEntry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <functional>

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
    using Slot = Placement::Slot;

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
            checkRegions(placed_, old_, new_, report_);
            checkRecords(placed_, old_, new_, allowChangedPatches, report_);
        }
        return report_.errors() == 0;
    }

    void write(const DataSetWriter& writer) const {
        firmwareport::write(placed_, data_, new_, iniLines_, writer);
    }

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
                      countedText(qint64(bytes[i].length),
                                  QT_TRANSLATE_N_NOOP("Report", "found by its %n byte"),
                                  QT_TRANSLATE_N_NOOP("Report", "found by its %n bytes")));
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
            placed_.slotPlaces.push_back(slot);
        }
    }

    void tableEntries() {
        // First the entries whose new value the new firmware holds once.
        std::vector<tableentry::Bytes> entries;
        for (const Slot& s : placed_.slotPlaces) {
            entries.push_back(tableentry::encode(*s.r.manager, s.entry));
        }
        std::vector<FirmwareImage::Pattern> patterns;
        for (std::size_t i = 0; i < placed_.slotPlaces.size(); ++i) {
            // A slot whose resource is not placed has no new entry to look for.
            patterns.push_back(
                {entries[i].data(), placed_.slotPlaces[i].resource ? entries[i].size() : 0});
        }
        std::vector<std::vector<std::uint64_t>> candidates = new_.findAll(patterns, 16);
        for (std::size_t i = 0; i < placed_.slotPlaces.size(); ++i) {
            if (candidates[i].size() == 1) {
                placed_.slotPlaces[i].table = candidates[i].front();
            }
        }
        // Then entries held several times: the place where the table moved
        // as its neighbours did.
        for (std::size_t i = 0; i < placed_.slotPlaces.size(); ++i) {
            Slot& s = placed_.slotPlaces[i];
            if (!s.resource || s.table || candidates[i].size() < 2) {
                continue;
            }
            std::optional<std::uint64_t> pick;
            int picks = 0;
            for (const std::uint64_t place : candidates[i]) {
                for (const Slot& other : placed_.slotPlaces) {
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
        for (Slot& s : placed_.slotPlaces) {
            const QString what = s.r.entryLabel();
            if (!s.resource) {
                continue;
            }
            if (s.table) {
                moved(what, *s.r.tableAddress, *s.table,
                      QCoreApplication::translate("Report", "found by its new value"));
                continue;
            }
            const tableentry::Bytes entry = tableentry::encode(*s.r.manager, s.entry);
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
        placed_.volumes.resize(std::size_t(offsets.size()));
        for (qsizetype i = 0; i < offsets.size(); ++i) {
            const std::uint64_t address = *numeric::hexField(offsets[i], 8);
            byWindow({QCoreApplication::translate("Report", "the volume byte of slot %1").arg(i),
                      address, 1, data_.dataFile(managers::kVolumeOffsetsList), i + 1,
                      [this, i](std::uint64_t to) { placed_.volumes[std::size_t(i)] = to; }});
        }
    }

    void fixedRecords() {
        standardresources::reportUnreadableRequiredPatches(data_, report_);
        const std::vector<AddressSpan> spans = addresslayout::fixedRecords(data_, iniLines_);
        placed_.records.resize(spans.size());
        for (std::size_t i = 0; i < spans.size(); ++i) {
            const AddressSpan& span = spans[i];
            placed_.records[i].span = span;
            byWindow({span.label, span.start, span.end - span.start, span.file, span.line,
                      [this, i](std::uint64_t to) { placed_.records[i].to = to; }});
        }
    }

    void regions() {
        for (const AddressSpan& region : addresslayout::regions(data_, iniLines_)) {
            if (!data_.isAvailable(*region.manager)) {
                continue; // kept as it is: nothing is placed there
            }
            const std::size_t i = placed_.regions.size();
            placed_.regions.push_back({region, 0, 0});
            byWindow(
                {QCoreApplication::translate("Report", "the start of the %1").arg(region.label),
                 region.start, 0, region.file, region.line,
                 [this, i](std::uint64_t to) { placed_.regions[i].start = to; }});
            // A region ends before its EndOffset, which is found as an address of its own.
            byWindow({QCoreApplication::translate("Report", "the end of the %1").arg(region.label),
                      region.end, 0, region.file, region.line,
                      [this, i](std::uint64_t to) { placed_.regions[i].last = to; }});
        }
    }

    const FirmwareDataSet& data_;
    const FirmwareImage& old_;
    const FirmwareImage& new_;
    PortLocator locator_;
    Result& result_;
    Report& report_;
    QStringList iniLines_;
    Placement placed_;
    std::vector<WindowRequest> requests_;
};

} // namespace

Report Result::withMoves() const {
    Report out = report;
    for (const Move& m : moves) {
        out.addSummary(QCoreApplication::translate("Report", "%1: %2 -> %3, %4")
                           .arg(m.what, hexAddress(m.from), hexAddress(m.to), m.how));
    }
    qint64 carried = 0;
    for (const Choice& c : choices) {
        out.addSummary(c.text());
        carried += c.carried() ? 1 : 0;
    }
    if (!choices.empty()) {
        out.addSummary(
            countedText(carried, QT_TRANSLATE_N_NOOP("Report", "%n choice carried to the new set"),
                        QT_TRANSLATE_N_NOOP("Report", "%n choices carried to the new set")));
    }
    if (qint64(choices.size()) > carried) {
        out.addSummary(countedText(
            qint64(choices.size()) - carried,
            QT_TRANSLATE_N_NOOP("Report", "%n choice left behind: its slot stays standard"),
            QT_TRANSLATE_N_NOOP("Report", "%n choices left behind: their slots stay standard")));
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
    result.firmwareFolder = firmwareid::newFolder(id, userFolder);
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
    DataSetWriter writer(userFolder, id, fileops::staging::kPort);
    writer.begin();
    writer.copyData(data.dataFolder(), [](const QFileInfo&) {}); // import reports them
    porter.write(writer);
    // In the same staging: the new set appears with its choices or not at all.
    result.choices = carryChoices(data, writer.root());

    // The result must belong to the new firmware before it is added.
    result.created =
        newdataset::addWhenMatching(writer.root(), newImage, id, userFolder, result.report);
    if (!result.created) {
        result.choices.clear(); // nothing was carried anywhere
    }
    return result;
}

} // namespace firmwareport
