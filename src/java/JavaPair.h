// SPDX-License-Identifier: MIT
#pragma once

#include "manager/SlotTable.h"

#include <QString>
#include <QStringList>
#include <optional>

// A game is two slots: 2k holds its JAD, 2k+1 its JAR, and nothing in the
// patch ties them together. The phone refuses a game whose JAD gives another
// MIDlet-Jar-Size than its JAR has, so Tarvex corrects its own working copy
// of a new JAD and warns about what it cannot correct.
namespace javapair {

struct SizeCorrection {
    qsizetype jadSlot = -1;
    qint64 from = 0;
    qint64 to = 0;
    QString text() const; // "MIDlet-Jar-Size: 12 → 670"
};

struct Review {
    std::optional<SizeCorrection> correction;
    // English texts, translated in the "Report" context; each names both slots.
    QStringList warnings;
};

// The pair of the slot, as its lists and working copies are now.
Review review(const SlotTable& java, qsizetype slot);
// Rewrites the MIDlet-Jar-Size line of the JAD's working copy (the user's own
// file is never touched) and records the copy's new size. Does not save.
void correct(SlotTable& java, const SizeCorrection& correction);
// The JAD's bytes with the first MIDlet-Jar-Size value replaced, every other
// byte and the line's ending kept.
QByteArray withJarSize(const QByteArray& jad, qint64 size);

} // namespace javapair
