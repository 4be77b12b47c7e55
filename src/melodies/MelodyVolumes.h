// SPDX-License-Identifier: MIT
#pragma once

#include "dataset/FirmwareDataSet.h"

#include <QString>

// The one-byte volumes of the first 25 melody slots, kept in "Volumes.lst" as
// two upper-case hexadecimal digits; only with the volume patch available.
namespace melodyvolumes {

inline constexpr qsizetype kVolumeSlots = 25;
inline constexpr int kMinimum = 1;
inline constexpr int kMaximum = 127;

bool isVolumeSlot(qsizetype slot);
bool isVolume(int value); // kMinimum to kMaximum
// "volume must be 1 to 127: <value>", for a value that is not a volume.
QString rangeRefusal(const QString& value);
int clampPosition(int position);
// "50%": the position as a share of 127, rounded.
QString percentText(int position);
// The track bar position a list line stands for ("0x" + line, kept in 1..127).
// Raises "'%s' is not a valid integer value" for a line that is not hexadecimal.
int positionOf(const QString& line);
QString lineFor(int position); // "01" .. "7F"

// The slot's current volume as a position.
int position(const FirmwareDataSet& data, qsizetype slot);
// Stores a position for the slot (in memory; the next save writes it).
// Raises "volume must be 1 to 127: %1" for any other value: it would be
// written as another volume, or as a byte the handset takes for none.
void store(FirmwareDataSet& data, qsizetype slot, int position);
// The slot's standard volume back; returns its position.
int restoreStandard(FirmwareDataSet& data, qsizetype slot);

} // namespace melodyvolumes
