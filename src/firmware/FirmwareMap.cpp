// SPDX-License-Identifier: MIT
#include "firmware/FirmwareMap.h"

#include "base/Report.h"
#include "dataset/NumericText.h"

#include <QCoreApplication>
#include <algorithm>

namespace firmwaremap {

namespace {

using numeric::hexAddress;

// Written as every range the program prints: the first byte to the last.
QString spanText(std::uint64_t start, std::uint64_t end) {
    return countedText(qint64(end - start), QT_TRANSLATE_N_NOOP("Report", "%1 to %2, %n byte"),
                       QT_TRANSLATE_N_NOOP("Report", "%1 to %2, %n bytes"))
        .arg(hexAddress(start), hexAddress(end > start ? end - 1 : end));
}

QString colorOf(firmwarescan::Kind kind) {
    switch (kind) {
    case firmwarescan::Kind::Midi:
        return QStringLiteral("#2e7d32");
    case firmwarescan::Kind::Smaf:
        return QStringLiteral("#66bb6a");
    case firmwarescan::Kind::Jad:
        return QStringLiteral("#ef6c00");
    case firmwarescan::Kind::Jar:
        return QStringLiteral("#ffa726");
    case firmwarescan::Kind::Picture:
        return QStringLiteral("#1565c0");
    }
    return QStringLiteral("#000000");
}

class Placer {
public:
    Placer(Map& map) : map_(map) {}
    void add(Lane lane, std::uint64_t start, std::uint64_t end, const QString& color,
             const QString& tip, int resource = -1) {
        const double span = double(map_.end - map_.start);
        Piece p{lane, start, end, resource, color, tip, 0, 0};
        p.x = double(start - map_.start) / span * map_.width;
        p.width = std::max(kLeastWidth, double(end - start) / span * map_.width);
        // A tiny piece at the very end still lies wholly on the strip.
        p.x = std::max(0.0, std::min(p.x, map_.width - p.width));
        map_.pieces.push_back(std::move(p));
    }

private:
    Map& map_;
};

} // namespace

Map layout(const FirmwareImage& image, const firmwarescan::Result& scan,
           const std::vector<firmwarerevert::Span>& patch, double width) {
    Map map;
    map.width = width;
    if (image.empty()) {
        return map;
    }
    map.start = image.ranges().front().start;
    map.end = image.ranges().back().end();
    Placer place(map);
    for (const FirmwareImage::Range& r : image.ranges()) {
        place.add(Lane::Held, r.start, r.end(), QStringLiteral("#9e9e9e"),
                  Report::tr("Firmware bytes: %1").arg(spanText(r.start, r.end())));
    }
    std::vector<firmwarescan::Area> erased = scan.erased;
    std::sort(erased.begin(), erased.end(),
              [](const auto& a, const auto& b) { return a.address < b.address; });
    for (const firmwarescan::Area& a : erased) {
        place.add(Lane::Erased, a.address, a.address + a.size, QStringLiteral("#fdd835"),
                  Report::tr("Erased: %1").arg(spanText(a.address, a.address + a.size)));
    }
    for (std::size_t i = 0; i < scan.resources.size(); ++i) {
        const firmwarescan::Resource& r = scan.resources[i];
        QString tip = firmwarescan::kindName(r.kind) + QStringLiteral(": ") +
                      spanText(r.address, r.address + r.size);
        if (!r.title.isEmpty()) {
            tip += QStringLiteral("\n") + r.title;
        }
        place.add(Lane::Resources, r.address, r.address + r.size, colorOf(r.kind), tip, int(i));
    }
    struct Entry {
        std::uint64_t at;
        int resource;
    };
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < scan.resources.size(); ++i) {
        for (const std::uint64_t e : scan.resources[i].entries) {
            entries.push_back({e, int(i)});
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.at < b.at; });
    for (const Entry& e : entries) {
        const firmwarescan::Resource& r = scan.resources[std::size_t(e.resource)];
        place.add(Lane::Entries, e.at, e.at + 8, QStringLiteral("#6a1b9a"),
                  Report::tr("Table entry at %1, pointing at the %2 at %3")
                      .arg(hexAddress(e.at), firmwarescan::kindName(r.kind), hexAddress(r.address)),
                  e.resource);
    }
    for (const firmwarerevert::Span& s : patch) {
        place.add(Lane::Patch, s.start, s.end, QStringLiteral("#c62828"),
                  Report::tr("The patch writes %1").arg(spanText(s.start, s.end)));
    }
    return map;
}

const Piece* pieceAt(const Map& map, Lane lane, double x) {
    const Piece* found = nullptr;
    for (const Piece& p : map.pieces) {
        if (p.lane == lane && x >= p.x && x < p.x + p.width) {
            found = &p;
        }
    }
    return found;
}

QByteArray svg(const Map& map, double laneHeight) {
    const double height = laneHeight * kLanes;
    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                                 "height=\"%2\" viewBox=\"0 0 %1 %2\">\n"
                                 "<rect width=\"%1\" height=\"%2\" fill=\"#ffffff\"/>\n")
                      .arg(map.width)
                      .arg(height);
    for (const Piece& p : map.pieces) {
        out += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\">"
                              "<title>%6</title></rect>\n")
                   .arg(p.x, 0, 'f', 2)
                   .arg(double(int(p.lane)) * laneHeight, 0, 'f', 2)
                   .arg(p.width, 0, 'f', 2)
                   .arg(laneHeight - 1, 0, 'f', 2)
                   .arg(p.color, p.tip.toHtmlEscaped());
    }
    out += QStringLiteral("</svg>\n");
    return out.toUtf8();
}

} // namespace firmwaremap
