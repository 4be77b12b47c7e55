// SPDX-License-Identifier: MIT
#pragma once

#include "dataset/FirmwareDataSet.h"

#include <QJsonObject>
#include <QString>
#include <vector>

// The user's choices of a data set taken along when it is carried over to a
// new firmware version: each slot's chosen file (its working copy, name and
// size) and each melody volume that differs from the standard one.
namespace firmwareport {

struct Choice {
    const ManagerInfo* manager = nullptr;
    qsizetype slot = 0;
    bool volume = false;
    QString file;   // the working copy's bare name, or the volume's two digits
    QString size;   // as the size list records it
    QString name;   // a melody's new name
    QString reason; // why it stays behind; empty when carried

    bool carried() const { return reason.isEmpty(); }
    QString what() const; // "the melody of slot 3", "the volume of melody slot 3"
    QString text() const; // the report's line
    QJsonObject json() const;
};

// Carries the choices of `old` into the data set staged in stagedRoot
// (holding "Data" with every slot standard, slot i the new place of old slot
// i): the working copies into its working folders, the lists saved as a slot
// change saves them. A choice whose copy cannot be read, does not fit the new
// region, breaks a JAD/JAR pair or fails the data set's check of slot files
// is left standard and named with its reason. What is carried is read back
// from the staged set before it counts as carried.
std::vector<Choice> carryChoices(const FirmwareDataSet& old, const QString& stagedRoot);

} // namespace firmwareport
