// SPDX-License-Identifier: MIT
#include "base/Report.h"
#include "content/ContentText.h"
#include "content/MelodyReaders.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <vector>

namespace content {

quint32 bigEndian32(QByteArrayView bytes, qsizetype at) {
    return quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16 |
           quint32(quint8(bytes[at + 2])) << 8 | quint32(quint8(bytes[at + 3]));
}

quint16 bigEndian16(QByteArrayView bytes, qsizetype at) {
    return quint16(quint8(bytes[at]) << 8 | quint8(bytes[at + 1]));
}

namespace {

QString tracksPresent(int present, qint64 declared) {
    return countedText(declared, QT_TRANSLATE_N_NOOP("Report", "cut short: %1 of %n track present"),
                       QT_TRANSLATE_N_NOOP("Report", "cut short: %1 of %n tracks present"))
        .arg(present);
}

struct Tempo {
    qint64 tick = 0;
    quint32 microsPerQuarter = 0;
};

struct Track {
    qint64 endTick = 0;
    bool malformed = false; // or cut short: no extent then
    bool ended = false;     // by an end-of-track event
    bool eventsAfterEnd = false;
    QString name;
    std::vector<Tempo> tempos;
};

// A variable-length quantity of at most four bytes, as the file format allows.
bool readQuantity(QByteArrayView data, qsizetype& at, quint32& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (at >= data.size()) {
            return false;
        }
        const quint8 byte = quint8(data[at++]);
        value = value << 7 | (byte & 0x7F);
        if (!(byte & 0x80)) {
            return true;
        }
    }
    return false;
}

// Walks the events of one track chunk: its length in ticks, its first name
// and its tempo changes. A track cut short is read as far as it goes.
Track readTrack(QByteArrayView data, bool cutShort) {
    Track track;
    qsizetype at = 0;
    quint8 running = 0;
    while (at < data.size()) {
        quint32 delta = 0;
        if (!readQuantity(data, at, delta) || at >= data.size()) {
            track.malformed = !cutShort;
            break;
        }
        track.endTick += delta;
        quint8 status = quint8(data[at]);
        if (status & 0x80) {
            ++at;
        } else if (running != 0) {
            status = running;
        } else {
            track.malformed = true;
            break;
        }
        if (status == 0xFF || status == 0xF0 || status == 0xF7) {
            // Running status carries on after them: files written so are common
            // and players accept them.
            quint8 type = 0;
            if (status == 0xFF) {
                if (at >= data.size()) {
                    track.malformed = !cutShort;
                    break;
                }
                type = quint8(data[at++]);
            }
            quint32 length = 0;
            if (!readQuantity(data, at, length) || length > quint32(data.size() - at)) {
                track.malformed = !cutShort;
                break;
            }
            const QByteArrayView body = data.sliced(at, length);
            at += length;
            if (status != 0xFF) {
                continue;
            }
            if (type == 0x03 && track.name.isNull()) {
                track.name = decodeText(body);
            } else if (type == 0x51 && length == 3) {
                track.tempos.push_back({track.endTick, quint32(quint8(body[0])) << 16 |
                                                           quint32(quint8(body[1])) << 8 |
                                                           quint8(body[2])});
            } else if (type == 0x2F) {
                track.ended = true;
                track.eventsAfterEnd = at < data.size();
                break;
            }
        } else if (status >= 0xF0) {
            track.malformed = true; // system common and real-time messages have no place here
            break;
        } else {
            running = status;
            const qsizetype dataBytes = (status & 0xE0) == 0xC0 ? 1 : 2; // program, pressure: 1
            if (data.size() - at < dataBytes) {
                track.malformed = !cutShort;
                break;
            }
            at += dataBytes;
        }
    }
    return track;
}

// Milliseconds up to `endTick` under the tempo changes (sorted by tick);
// -1 for a division that gives no time.
qint64 durationOf(const std::vector<Tempo>& tempos, qint64 endTick, quint16 division) {
    if (division & 0x8000) {
        const int frames = -int(qint8(division >> 8));
        const int ticksPerFrame = division & 0xFF;
        if (frames <= 0 || ticksPerFrame == 0) {
            return -1;
        }
        // -29 stands for the drop-frame rate of 30000/1001 frames a second.
        const double framesPerSecond = frames == 29 ? 30000.0 / 1001.0 : frames;
        return std::llround(double(endTick) * 1000.0 / (framesPerSecond * ticksPerFrame));
    }
    if (division == 0) {
        return -1;
    }
    double micros = 0;
    qint64 tick = 0;
    double microsPerQuarter = 500000; // 120 beats a minute until a tempo says otherwise
    for (const Tempo& tempo : tempos) {
        if (tempo.tick >= endTick) {
            break;
        }
        micros += double(tempo.tick - tick) * microsPerQuarter / division;
        tick = tempo.tick;
        microsPerQuarter = tempo.microsPerQuarter;
    }
    micros += double(endTick - tick) * microsPerQuarter / division;
    return std::llround(micros / 1000.0);
}

// What players pass over in a track that is otherwise whole, named all the same.
void addEndOfTrackSlips(const Track& track, int number, ContentInfo& info) {
    if (!track.ended) {
        info.problems << Report::tr("track %1 has no end-of-track event").arg(number);
    } else if (track.eventsAfterEnd) {
        info.problems
            << Report::tr("track %1 holds bytes after its end-of-track event").arg(number);
    }
}

} // namespace

qsizetype midiTrailingBytes(QByteArrayView bytes, qsizetype extent) {
    qsizetype at = extent;
    while (bytes.size() - at >= 8) {
        const quint32 length = bigEndian32(bytes, at + 4);
        const QByteArrayView id = bytes.sliced(at, 4);
        if (length > quint64(bytes.size() - at - 8) ||
            std::any_of(id.begin(), id.end(), [](char c) { return c < 0x20 || c > 0x7E; })) {
            break;
        }
        at += 8 + qsizetype(length);
    }
    return bytes.size() - at;
}

void readMidi(QByteArrayView bytes, ContentInfo& info) {
    info.kind = Kind::Midi;
    const quint32 headerLength = bytes.size() >= 14 ? bigEndian32(bytes, 4) : 0;
    if (headerLength < 6 || headerLength > quint32(bytes.size() - 8)) {
        info.problems << QCoreApplication::translate("Report", "the MIDI header is malformed");
        return;
    }
    const quint16 format = bigEndian16(bytes, 8);
    const quint16 declaredTracks = bigEndian16(bytes, 10);
    const quint16 division = bigEndian16(bytes, 12);
    if (format == 2) {
        info.problems << QCoreApplication::translate(
            "Report", "format 2 MIDI file (independent sequences): unusual for a handset");
    } else if (format > 2) {
        info.problems
            << QCoreApplication::translate("Report", "unknown MIDI format %1").arg(format);
    }

    std::vector<Tempo> tempos;
    qint64 endTick = 0;
    qint64 sequenceMs = 0;  // format 2: one sequence after another
    bool malformed = false; // or cut short: no extent then
    int tracks = 0;
    qsizetype at = 8 + qsizetype(headerLength);
    while (tracks < declaredTracks) {
        if (bytes.size() - at < 8) {
            info.problems << tracksPresent(tracks, declaredTracks);
            break;
        }
        const QByteArrayView id = bytes.sliced(at, 4);
        if (std::any_of(id.begin(), id.end(), [](char c) { return c < 0x20 || c > 0x7E; })) {
            info.problems << QCoreApplication::translate("Report",
                                                         "no chunk where track %1 should start")
                                 .arg(tracks + 1);
            malformed = true;
            break;
        }
        const quint32 length = bigEndian32(bytes, at + 4);
        const qsizetype available = bytes.size() - at - 8;
        const bool cutShort = length > quint64(available);
        const QByteArrayView body = bytes.sliced(at + 8, cutShort ? available : qsizetype(length));
        at += 8 + body.size();
        if (id != "MTrk") {
            if (cutShort) {
                info.problems << tracksPresent(tracks, declaredTracks);
                malformed = true;
                break;
            }
            continue; // chunks of other kinds are skipped, as players do
        }
        Track track = readTrack(body, cutShort);
        ++tracks;
        if (info.title.isEmpty() && tracks == 1) {
            info.title = track.name;
        }
        if (track.malformed) {
            info.problems
                << QCoreApplication::translate("Report", "track %1 is malformed").arg(tracks);
            malformed = true;
        } else if (!cutShort) {
            addEndOfTrackSlips(track, tracks, info);
        }
        if (format == 2) {
            sequenceMs += std::max<qint64>(0, durationOf(track.tempos, track.endTick, division));
        } else {
            tempos.insert(tempos.end(), track.tempos.begin(), track.tempos.end());
            endTick = std::max(endTick, track.endTick);
        }
        if (cutShort) {
            info.problems << QCoreApplication::translate(
                                 "Report", "cut short: track %1 of %2 runs past the end")
                                 .arg(tracks)
                                 .arg(declaredTracks);
            malformed = true;
            break;
        }
    }
    if (declaredTracks == 0) {
        info.problems << QCoreApplication::translate("Report", "the MIDI file holds no tracks");
    }
    if (tracks == declaredTracks && !malformed) {
        info.extent = at;
    }
    if (format == 2) {
        info.durationMs = durationOf({}, 0, division) < 0 ? -1 : sequenceMs;
    } else {
        std::stable_sort(tempos.begin(), tempos.end(),
                         [](const Tempo& a, const Tempo& b) { return a.tick < b.tick; });
        info.durationMs = durationOf(tempos, endTick, division);
    }
}

} // namespace content

namespace content {

namespace {

quint32 littleEndian32(QByteArrayView bytes, qsizetype at) {
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 |
           quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
}

} // namespace

void readRmid(QByteArrayView bytes, ContentInfo& info) {
    const qsizetype declared = qsizetype(littleEndian32(bytes, 4)) + 8;
    const QByteArrayView riff = bytes.first(std::min(declared, bytes.size()));
    qsizetype at = 12;
    while (riff.size() - at >= 8) {
        const qsizetype length = littleEndian32(riff, at + 4);
        if (riff.sliced(at, 4) == "data") {
            const QByteArrayView midi = riff.sliced(at + 8, std::min(length, riff.size() - at - 8));
            if (midi.startsWith("MThd")) {
                readMidi(midi, info);
                info.extent = -1;
            } else {
                info.problems << QCoreApplication::translate(
                    "Report", "the RIFF MIDI file holds no MIDI data");
            }
            info.kind = Kind::Rmid;
            if (declared > bytes.size()) {
                info.problems << countedText(
                                     declared,
                                     QT_TRANSLATE_N_NOOP("Report", "cut short: the RIFF data says "
                                                                   "%n byte, %1 are present"),
                                     QT_TRANSLATE_N_NOOP("Report", "cut short: the RIFF data says "
                                                                   "%n bytes, %1 are present"))
                                     .arg(bytes.size());
            }
            return;
        }
        at += 8 + length + (length & 1);
    }
    info.kind = Kind::Rmid;
    info.problems << QCoreApplication::translate("Report", "the RIFF MIDI file holds no MIDI data");
}

} // namespace content
