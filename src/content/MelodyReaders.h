// SPDX-License-Identifier: MIT
#pragma once

#include "content/ContentInfo.h"

// The melody formats, each filling in what its bytes tell. Linear in the bytes.
namespace content {

// A Standard MIDI File: "MThd" first.
void readMidi(QByteArrayView bytes, ContentInfo& info);
// The bytes of a MIDI file past its extent that no whole chunk takes.
qsizetype midiTrailingBytes(QByteArrayView bytes, qsizetype extent);
// A MIDI file wrapped in RIFF: "RIFF" size "RMID" and a "data" chunk.
void readRmid(QByteArrayView bytes, ContentInfo& info);
// SMAF: "MMMD" and its length, a contents-information chunk first.
void readSmaf(QByteArrayView bytes, ContentInfo& info);

quint32 bigEndian32(QByteArrayView bytes, qsizetype at);
quint16 bigEndian16(QByteArrayView bytes, qsizetype at);

} // namespace content
