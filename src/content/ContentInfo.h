// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// What a melody, game or picture file holds, read from its bytes: the window,
// the command line, the checks and the firmware scan all ask here.
namespace content {

enum class Kind { Midi, Smaf, Rmid, Mp3, Wav, Amr, Jad, Jar, Png, Jpeg, Gif, Bmp, Unknown };

// The kind's name in JSON and in index files: "midi", "smaf", ..., "unknown".
QString kindName(Kind kind);
// The kind as people write it: "MIDI", "SMAF", ..., "JPEG".
QString kindLabel(Kind kind);
// Melodies the handset plays: MIDI, SMAF and RMID.
bool isPlayableMelody(Kind kind);
bool isPicture(Kind kind);

struct ContentInfo {
    Kind kind = Kind::Unknown;
    QString title;          // a melody's title, a game's MIDlet-Name
    qint64 durationMs = -1; // melodies; -1 when not known
    QString midletName, midletVendor, midletVersion, profile, configuration;
    qint64 declaredJarSize = -1; // a JAD's MIDlet-Jar-Size; -1 when absent
    // Bytes the structure covers from its first byte when it validates wholly
    // (MIDI, SMAF, JAR); -1 otherwise. Lets a resource be measured where it
    // starts inside a larger image.
    qint64 extent = -1;
    QStringList problems; // English texts, translated in the "Report" context
};

// No JAD is longer: its attributes fit in a few hundred bytes, and both a
// chosen file and one found in a firmware are held to this.
constexpr qint64 kLongestJad = 64 * 1024;

// The JSON form: "kind", then "title", "duration_ms", "midlet_name",
// "midlet_vendor", "midlet_version", "profile", "configuration" (null when
// not known) and "problems".
QJsonObject toJson(const ContentInfo& info);

// From the bytes alone, by their first bytes (never by a name); never throws.
// Time and memory are linear in the bytes.
ContentInfo describe(QByteArrayView bytes);

} // namespace content
