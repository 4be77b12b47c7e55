// SPDX-License-Identifier: MIT
#pragma once

#include "manager/SlotTable.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// A game is two slots: 2k holds its JAD, 2k+1 its JAR, and nothing in the
// patch ties them together. The phone refuses a game whose JAD gives another
// MIDlet-Jar-Size than its JAR has, or another MIDlet-Name, MIDlet-Vendor or
// MIDlet-Version than its manifest, so Tarvex corrects its own working copy
// of a new JAD's size and tells what it cannot correct.
namespace javapair {

struct SizeCorrection {
    qsizetype jadSlot = -1;
    qint64 from = 0;
    qint64 to = 0;
    QString text() const;    // "MIDlet-Jar-Size: 12 → 670"
    QString problem() const; // the mismatch, as the checks and the slot list name it
};

struct Review {
    std::optional<SizeCorrection> correction;
    // English texts, translated in the "Report" context; each names both slots.
    QStringList disagreements; // what the phone compares, differing: the game will not start
    QStringList warnings;
};

// The pair of the slot, as its lists and working copies are now.
Review review(const SlotTable& java, qsizetype slot);

// What a change to one half of a game did to the pair.
struct Settled {
    std::optional<SizeCorrection> corrected; // made, as the copy now reads
    QStringList problems;                    // what still stands in the game's way
};
// Asked before a correction is made; the command line always agrees.
using Consent = std::function<bool(const SizeCorrection&)>;

// After a new file or the standard one in either half of the slot's game,
// before the save: the JAD's working copy corrected where `consent` agrees
// (the user's own file is never touched), read back with the JAD reader, and
// what stays wrong. Not saved: the caller's next save takes the copy with
// the lists in one journaled step, so a kill never leaves them disagreeing.
Settled settle(SlotTable& java, qsizetype slot, const Consent& consent);

// What the slot list marks on a game's new half: every problem of its pair.
// Empty for a standard slot or lists too short to tell.
QStringList problems(const SlotTable& java, qsizetype slot);

// The JAD's bytes with the MIDlet-Jar-Size value the JAD reader finds
// replaced, every other byte (byte order mark, line ends, other lines) kept;
// nothing when the reader finds no such attribute.
std::optional<QByteArray> withJarSize(const QByteArray& jad, qint64 size);

} // namespace javapair
