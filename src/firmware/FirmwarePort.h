// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "dataset/FirmwareDataSet.h"
#include "firmware/FirmwareImage.h"
#include "firmware/FirmwarePortCarry.h"

#include <QString>
#include <vector>

// A data set made for one firmware carried over to another version of it:
// every standard resource found in the new firmware by its own bytes, every
// table entry by its new value, every other address by the unique place of
// the bytes around it. Nothing is created unless everything is placed and
// the result passes the data set check and the match against the new firmware.
// The user's choices go along wherever their slot and its limits allow.
namespace firmwareport {

struct Move {
    QString what; // "the melody of slot 3 (Лесной ручей)"
    std::uint64_t from = 0;
    std::uint64_t to = 0;
    QString how; // "found by its 4567 bytes"
};

struct Result {
    QString id;
    QString firmwareFolder;
    bool created = false;
    Report report; // what could not be placed, or what the result's checks found
    std::vector<Move> moves;
    std::vector<Choice> choices; // the user's, carried or left behind; none unless created

    // The findings with what moved where as its summary, one move a line,
    // then each choice and their counts.
    Report withMoves() const;
    QString text() const; // the findings, then what moved where, then the count
};

// Makes the data set `id` in userFolder from data, made for oldImage, for
// newImage. Raises for an id that cannot name a new firmware folder. A
// required patch (or the Patch64K line) whose bytes underneath differ
// between the two firmwares is refused, or only named with
// allowChangedPatches.
Result run(const FirmwareDataSet& data, const FirmwareImage& oldImage,
           const FirmwareImage& newImage, const QString& id, const QString& userFolder,
           bool allowChangedPatches = false);

} // namespace firmwareport
