// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Melody and game files made for tests, byte by byte (JARs through libzip).
namespace samples {

// One MIDI track chunk: an optional name (meta 0x03), an optional tempo at
// tick 0, a note that lasts `ticks`, and the end of the track.
QByteArray midiTrack(const QByteArray& name, quint32 ticks, quint32 microsPerQuarter = 0);
// "MThd" with format, the number of tracks given, division, then the chunks.
QByteArray midi(quint16 format, quint16 division, const QList<QByteArray>& tracks,
                int declaredTracks = -1);
// "MMMD" with a contents-information chunk titled `title` (bytes in the code
// type, Latin-1 unless said) and `padding` bytes, the last two of them its
// check value.
QByteArray smaf(const QByteArray& title, int padding, char codeType = 0x01);
// The SMAF file with its last two bytes set to the check value of the others.
QByteArray withSmafCheckValue(QByteArray smaf);
QByteArray jad(const QString& name, const QString& vendor, const QString& version,
               const QString& jarSize);
// A ZIP archive holding META-INF/MANIFEST.MF and a class file of `classBytes`
// bytes that do not compress.
QByteArray jar(const QByteArray& manifest, int classBytes = 64);
// An entry of zip(): compressed with `method` (-1 the smaller of stored and
// deflated, 0 stored, 12 bzip2), encrypted when asked.
struct ZipEntry {
    QByteArray name;
    QByteArray bytes;
    int method = -1;
    bool encrypted = false;
};
QByteArray zip(const QList<ZipEntry>& entries);
// The archive with a ZIP64 end record and locator before its end record,
// whose fields then defer to them.
QByteArray withZip64End(const QByteArray& archive);
QByteArray manifest(const QString& name, const QString& vendor, const QString& version);

} // namespace samples
