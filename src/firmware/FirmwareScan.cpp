// SPDX-License-Identifier: MIT
#include "firmware/FirmwareScan.h"

#include "base/JsonShape.h"
#include "base/Report.h"
#include "content/ContentInfo.h"
#include "dataset/NumericText.h"
#include "firmware/EntryFinder.h"
#include "firmware/ScanStructures.h"
#include "pictures/HandsetPictureCheck.h"

#include <QJsonArray>
#include <algorithm>

namespace firmwarescan {

namespace {

using numeric::hexAddress;
using scanstructure::Bytes;

constexpr std::uint64_t kProgressStep = 1 << 20;

class Scanner {
public:
    Scanner(const FirmwareImage& image, const Progress& progress)
        : image_(image), progress_(progress), total_(image.dataBytes()),
          budget_(std::int64_t(kPictureStepsPerByte * total_ + 255 * 255)), firstBudget_(budget_) {
        structures_.limit = kStructureStepsPerByte * total_ + kStructureStepsBeyond;
    }

    Result run() {
        for (const FirmwareImage::Range& range : image_.ranges()) {
            scanRange(range);
        }
        std::sort(result_.resources.begin(), result_.resources.end(),
                  [](const Resource& a, const Resource& b) { return a.address < b.address; });
        entryfinder::run(image_, result_.resources, structures_);
        // In address order, as describe takes them.
        std::erase_if(result_.resources, [this](Resource& r) { return !describe(r); });
        keepLargestAreas();
        result_.pictureSteps = std::uint64_t(firstBudget_ - std::max<std::int64_t>(budget_, 0));
        result_.structureSteps = structures_.spent;
        result_.structureSearchStoppedAt = structures_.refusedAt;
        if (progress_) {
            progress_(total_, total_);
        }
        return std::move(result_);
    }

private:
    Resource& add(Kind kind, std::uint64_t address, std::uint64_t size) {
        Resource r;
        r.kind = kind;
        r.address = address;
        r.size = size;
        result_.resources.push_back(std::move(r));
        return result_.resources.back();
    }

    // The melodies and JARs that may start (or, for a JAR, end) at p; each
    // check's steps are spent from the budget, and once it is gone the
    // search for them stops there.
    void structuresAt(scanstructure::Walker& walker, const FirmwareImage::Range& range,
                      std::size_t p, std::uint8_t b) {
        if (!structures_.left()) {
            structures_.refuse(range.start + p);
            return;
        }
        const std::uint64_t before = walker.steps();
        if (b == 'M') {
            // A MIDI header's file is known once the range's chunks are walked.
            if (const std::size_t m = walker.midiHeaderAt(p) ? 0 : walker.smafAt(p)) {
                add(Kind::Smaf, range.start + p, m);
            }
        } else if (const auto zip = walker.zipEndingAt(p); zip && zip->manifest) {
            add(Kind::Jar, range.start + zip->start, zip->length).zip64 = zip->zip64;
        }
        structures_.spent += walker.steps() - before;
    }

    // Pictures never overlap one another, so the search goes on after one;
    // the other kinds are looked for at every byte.
    void scanRange(const FirmwareImage::Range& range) {
        const Bytes bytes{range.bytes.data(), range.bytes.size()};
        scanstructure::Walker walker(bytes);
        std::size_t pictureEnd = 0;
        std::size_t erasedFrom = 0;
        bool erased = false;
        for (std::size_t p = 0; p < bytes.size; ++p) {
            if (progress_ && p % kProgressStep == 0) {
                progress_(done_ + p, total_);
            }
            const std::uint8_t b = bytes.data[p];
            if (b == 0xFF) {
                if (!erased) {
                    erased = true;
                    erasedFrom = p;
                }
                continue;
            }
            if (erased) {
                erased = false;
                addArea(range.start + erasedFrom, p - erasedFrom);
            }
            if (b == 'M' || b == 'P') {
                structuresAt(walker, range, p, b);
            } else if (b == 0x09 && p >= pictureEnd && budget_ >= 0 && p + 1 < bytes.size &&
                       bytes.data[p + 1] != 0 && bytes.data[p + 1] < 0x80) {
                pictureEnd = picture(range, p);
            }
        }
        if (erased) {
            addArea(range.start + erasedFrom, bytes.size - erasedFrom);
        }
        // No more than the chunks already walked and paid for: never refused.
        const std::uint64_t before = walker.steps();
        for (const scanstructure::Walker::Midi& midi : walker.midiFiles()) {
            add(Kind::Midi, range.start + midi.start, midi.length);
        }
        structures_.spent += walker.steps() - before;
        done_ += bytes.size;
    }

    // The end of the picture starting at p, or p when there is none.
    std::size_t picture(const FirmwareImage::Range& range, std::size_t p) {
        const std::uint8_t* data = range.bytes.data() + p;
        const std::int64_t left = std::int64_t(range.bytes.size() - p);
        const auto measured = handsetpicture::measure(
            [data, left](std::int64_t offset) -> std::optional<std::uint8_t> {
                if (offset < 0 || offset >= left) {
                    return std::nullopt;
                }
                return data[offset];
            },
            &budget_);
        if (budget_ < 0) {
            result_.pictureSearchStoppedAt = range.start + p;
        }
        if (!measured) {
            return p;
        }
        add(Kind::Picture, range.start + p, std::uint64_t(measured->length));
        result_.resources.back().width = measured->width;
        result_.resources.back().height = measured->height;
        return p + std::size_t(measured->length);
    }

    // What the content readers say of a resource whose outer structure
    // holds; false when they find a fault in it, or measure it otherwise. A
    // JAR in ZIP64 form is listed as such whatever they say of it: its whole
    // structure was walked, and a handset may not take it.
    bool describe(Resource& r) {
        if (r.kind == Kind::Picture) {
            return true;
        }
        // A melody never holds another of its kind: a header within one taken
        // before (quoted in a track, or crafted) is a part of it, not read
        // again, so reading them costs no more than their bytes.
        if (r.isMelody()) {
            std::uint64_t& end = melodyEnd_[r.kind == Kind::Midi ? 0 : 1];
            if (r.address < end) {
                return false;
            }
            end = r.address + r.size;
        }
        if (!structures_.left()) {
            structures_.refuse(r.address);
            return false;
        }
        structures_.spent += r.size;
        const std::uint8_t* bytes = image_.bytesAt(r.address, r.size);
        const content::ContentInfo info = content::describe(
            QByteArrayView(reinterpret_cast<const char*>(bytes), qsizetype(r.size)));
        const content::Kind kinds[] = {content::Kind::Midi, content::Kind::Smaf, content::Kind::Jad,
                                       content::Kind::Jar};
        if (info.kind != kinds[int(r.kind)]) {
            return false;
        }
        if (!r.zip64 &&
            (!info.problems.isEmpty() || (r.kind != Kind::Jad && info.extent != qint64(r.size)))) {
            return false;
        }
        r.title = info.title.isEmpty() ? info.midletName : info.title;
        r.durationMs = info.durationMs;
        r.midletVendor = info.midletVendor;
        r.midletVersion = info.midletVersion;
        r.declaredJarSize = info.declaredJarSize;
        return true;
    }

    void addArea(std::uint64_t address, std::uint64_t size) {
        if (size >= kLeastErasedArea) {
            result_.erased.push_back({address, size});
        }
    }

    void keepLargestAreas() {
        std::vector<Area>& areas = result_.erased;
        std::stable_sort(areas.begin(), areas.end(),
                         [](const Area& a, const Area& b) { return a.size > b.size; });
        if (areas.size() > kMostAreas) {
            areas.resize(kMostAreas);
        }
    }

    const FirmwareImage& image_;
    const Progress& progress_;
    std::uint64_t total_ = 0;
    std::uint64_t done_ = 0;
    std::int64_t budget_ = 0; // run records the picture search may still walk
    std::int64_t firstBudget_ = 0;
    WorkBudget structures_;
    std::uint64_t melodyEnd_[2] = {0, 0}; // where the last MIDI and SMAF file read ends
    Result result_;
};

QString details(const Resource& r) {
    QStringList parts;
    if (r.kind == Kind::Picture) {
        parts << Report::tr("%1 x %2").arg(r.width).arg(r.height);
    }
    parts << countedText(qint64(r.size), QT_TRANSLATE_N_NOOP("Report", "%n byte"),
                         QT_TRANSLATE_N_NOOP("Report", "%n bytes"));
    if (r.zip64) {
        parts << Report::tr("a ZIP64 archive, which handsets may refuse");
    }
    if (!r.title.isEmpty()) {
        QString name = QLatin1Char('"') + r.title + QLatin1Char('"');
        if (!r.midletVersion.isEmpty()) {
            name += QLatin1Char(' ') + r.midletVersion;
        }
        if (!r.midletVendor.isEmpty()) {
            name += QStringLiteral(" (") + r.midletVendor + QLatin1Char(')');
        }
        parts << name;
    }
    if (r.durationMs >= 0) {
        parts << Report::tr("%1 s").arg(double(r.durationMs) / 1000.0, 0, 'f', 1);
    }
    if (r.declaredJarSize >= 0) {
        parts << countedText(r.declaredJarSize, QT_TRANSLATE_N_NOOP("Report", "JAR of %n byte"),
                             QT_TRANSLATE_N_NOOP("Report", "JAR of %n bytes"));
    }
    return parts.join(QStringLiteral(", "));
}

QString entriesText(const Resource& r) {
    if (r.entries.empty() && r.otherEntries.empty()) {
        return Report::tr("no entry points at it");
    }
    QStringList parts;
    if (!r.entries.empty()) {
        // One string grown in place: a table may hold a million entries.
        QString addresses;
        addresses.reserve(qsizetype(r.entries.size()) * 12);
        for (const std::uint64_t e : r.entries) {
            if (!addresses.isEmpty()) {
                addresses += QStringLiteral(", ");
            }
            addresses += hexAddress(e);
        }
        parts << Report::tr("entries: %1").arg(addresses);
    }
    if (!r.otherEntries.empty()) {
        QStringList others;
        for (const Resource::OtherEntry& e : r.otherEntries) {
            others << countedText(qint64(e.size), QT_TRANSLATE_N_NOOP("Report", "%1 (%n byte)"),
                                  QT_TRANSLATE_N_NOOP("Report", "%1 (%n bytes)"))
                          .arg(hexAddress(e.address));
        }
        parts
            << Report::tr("entries giving another size: %1").arg(others.join(QStringLiteral(", ")));
    }
    return parts.join(QStringLiteral("; "));
}

} // namespace

QString kindName(Kind kind) {
    switch (kind) {
    case Kind::Midi:
        return QStringLiteral("midi");
    case Kind::Smaf:
        return QStringLiteral("smaf");
    case Kind::Jad:
        return QStringLiteral("jad");
    case Kind::Jar:
        return QStringLiteral("jar");
    case Kind::Picture:
        break;
    }
    return QStringLiteral("picture");
}

QString kindText(Kind kind) {
    static const char* const kText[] = {
        QT_TRANSLATE_NOOP("Report", "midi"), QT_TRANSLATE_NOOP("Report", "smaf"),
        QT_TRANSLATE_NOOP("Report", "jad"), QT_TRANSLATE_NOOP("Report", "jar"),
        QT_TRANSLATE_NOOP("Report", "picture")};
    return Report::tr(kText[int(kind)]);
}

std::size_t Result::entryCount() const {
    std::size_t count = 0;
    for (const Resource& r : resources) {
        count += r.entries.size();
    }
    return count;
}

QString Result::text() const {
    QString out;
    int melodies = 0;
    int java = 0;
    for (const Resource& r : resources) {
        melodies += r.isMelody() ? 1 : 0;
        java += r.isJava() ? 1 : 0;
        out += QStringLiteral("%1 %2, %3; %4\n")
                   .arg(hexAddress(r.address), kindText(r.kind), details(r), entriesText(r));
    }
    for (const Area& a : erased) {
        out += countedText(qint64(a.size), QT_TRANSLATE_N_NOOP("Report", "%1 erased, %n byte"),
                           QT_TRANSLATE_N_NOOP("Report", "%1 erased, %n bytes"))
                   .arg(hexAddress(a.address)) +
               QLatin1Char('\n');
    }
    if (pictureSearchStoppedAt) {
        out += Report::tr(
                   "The picture search stopped at %1: the bytes from there on hold too many false "
                   "starts of a picture for its work limit, so pictures there are not listed")
                   .arg(hexAddress(*pictureSearchStoppedAt)) +
               QLatin1Char('\n');
    }
    if (structureSearchStoppedAt) {
        out += Report::tr("The search for melodies and Java files stopped at %1: the bytes from "
                          "there on hold too many false starts of them for its work limit, so "
                          "such files there may not be listed")
                   .arg(hexAddress(*structureSearchStoppedAt)) +
               QLatin1Char('\n');
    }
    out +=
        Report::tr(
            "%1 resources (%2 melodies, %3 Java files, %4 pictures), %5 entries, %6 erased areas")
            .arg(resources.size())
            .arg(melodies)
            .arg(java)
            .arg(qsizetype(resources.size()) - melodies - java)
            .arg(entryCount())
            .arg(erased.size()) +
        QLatin1Char('\n');
    return out;
}

QJsonObject Result::json() const {
    QJsonArray list;
    for (const Resource& r : resources) {
        QJsonObject o{{QStringLiteral("kind"), kindName(r.kind)},
                      {QStringLiteral("size"), qint64(r.size)}};
        jsonshape::putAddress(o, QStringLiteral("address"), r.address);
        const bool picture = r.kind == Kind::Picture;
        o.insert(QStringLiteral("width"), picture ? QJsonValue(r.width) : QJsonValue());
        o.insert(QStringLiteral("height"), picture ? QJsonValue(r.height) : QJsonValue());
        o.insert(QStringLiteral("title"), r.title.isEmpty() ? QJsonValue() : QJsonValue(r.title));
        o.insert(QStringLiteral("duration_ms"),
                 r.durationMs >= 0 ? QJsonValue(r.durationMs) : QJsonValue());
        o.insert(QStringLiteral("vendor"),
                 r.midletVendor.isEmpty() ? QJsonValue() : QJsonValue(r.midletVendor));
        o.insert(QStringLiteral("version"),
                 r.midletVersion.isEmpty() ? QJsonValue() : QJsonValue(r.midletVersion));
        o.insert(QStringLiteral("jar_size"),
                 r.declaredJarSize >= 0 ? QJsonValue(r.declaredJarSize) : QJsonValue());
        QJsonArray entries;
        for (const std::uint64_t e : r.entries) {
            QJsonObject entry;
            jsonshape::putAddress(entry, QStringLiteral("address"), e);
            entries.append(entry);
        }
        o.insert(QStringLiteral("entries"), entries);
        QJsonArray others;
        for (const Resource::OtherEntry& e : r.otherEntries) {
            QJsonObject entry{{QStringLiteral("size"), qint64(e.size)}};
            jsonshape::putAddress(entry, QStringLiteral("address"), e.address);
            others.append(entry);
        }
        o.insert(QStringLiteral("other_entries"), others);
        o.insert(QStringLiteral("zip64"), r.zip64);
        list.append(o);
    }
    QJsonArray areas;
    for (const Area& a : erased) {
        QJsonObject o{{QStringLiteral("size"), qint64(a.size)}};
        jsonshape::putAddress(o, QStringLiteral("address"), a.address);
        areas.append(o);
    }
    QJsonObject out{{QStringLiteral("resources"), list}, {QStringLiteral("erased_areas"), areas}};
    jsonshape::putAddress(out, QStringLiteral("picture_search_stopped_at"), pictureSearchStoppedAt);
    jsonshape::putAddress(out, QStringLiteral("structure_search_stopped_at"),
                          structureSearchStoppedAt);
    return out;
}

Result run(const FirmwareImage& image, const Progress& progress) {
    return Scanner(image, progress).run();
}

} // namespace firmwarescan
