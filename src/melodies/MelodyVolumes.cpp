// SPDX-License-Identifier: MIT
#include "melodies/MelodyVolumes.h"

#include "base/TarvexError.h"
#include "dataset/NumericText.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace melodyvolumes {

bool isVolumeSlot(qsizetype slot) {
    return slot >= 0 && slot < kVolumeSlots;
}

bool isVolume(int value) {
    return value >= kMinimum && value <= kMaximum;
}

QString rangeRefusal(const QString& value) {
    return QCoreApplication::translate("Report", "volume must be 1 to 127: %1").arg(value);
}

int clampPosition(int position) {
    return std::clamp(position, kMinimum, kMaximum);
}

QString percentText(int position) {
    return QString::number(int(std::lround(position * 100.0 / kMaximum))) + QLatin1Char('%');
}

int positionOf(const QString& line) {
    return clampPosition(numeric::toInt(QStringLiteral("0x") + line));
}

QString lineFor(int position) {
    return numeric::hex(std::uint32_t(clampPosition(position)), 2);
}

int position(const FirmwareDataSet& data, qsizetype slot) {
    return positionOf(data.line(managers::kVolumesList, slot));
}

void store(FirmwareDataSet& data, qsizetype slot, int position) {
    if (!isVolume(position)) {
        throw TarvexError(rangeRefusal(QString::number(position)));
    }
    data.setLine(managers::kVolumesList, slot, lineFor(position));
}

int restoreStandard(FirmwareDataSet& data, qsizetype slot) {
    const QString standard = data.line(managers::kStandardVolumesList, slot);
    data.setLine(managers::kVolumesList, slot, standard);
    return positionOf(standard);
}

} // namespace melodyvolumes
