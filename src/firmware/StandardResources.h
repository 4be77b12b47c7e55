// SPDX-License-Identifier: MIT
#pragma once

#include "dataset/FirmwareDataSet.h"
#include "firmware/FirmwareImage.h"
#include "srec/TableEntry.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// The standard resources a data set names, one per slot of every available
// manager: the slot's table address and standard entry, and the resource the
// entry points at.
struct StandardResource {
    const ManagerInfo* manager = nullptr;
    qsizetype slot = 0;
    QString name;      // the standard name of the slot
    QString entryFile; // the standard entry list; its line is slot + 1
    QString tableFile;
    std::optional<std::uint32_t> tableAddress;
    std::optional<tableentry::Bytes> entry;
    tableentry::Fields fields;

    qint64 line() const { return slot + 1; }
    QString label() const;         // "the melody of slot 3"
    QString standardLabel() const; // "the standard melody of slot 3"
    QString entryLabel() const;    // "the melody table entry of slot 3"
};

namespace standardresources {

std::vector<StandardResource> of(const FirmwareDataSet& data);

// The lines of the data set's Memory.ini, to name them in findings; none
// when it cannot be read.
QStringList memoryIniLines(const FirmwareDataSet& data);

// An error for every required patch that is there but cannot be read (a
// FIFO, a device, no permission): its records are unknown, so nothing may be
// counted or carried over as if the patch were whole.
void reportUnreadableRequiredPatches(const FirmwareDataSet& data, Report& report);

// The resource's bytes in the image: a melody or Java file for the size its
// entry gives, a picture as far as it is well formed at the entry's width and
// height. A problem, when there is one, says what is wrong.
struct Bytes {
    const std::uint8_t* data = nullptr;
    std::uint64_t length = 0;
    QString problem;
};
Bytes in(const FirmwareImage& image, const StandardResource& resource);

} // namespace standardresources
