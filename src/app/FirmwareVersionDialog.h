// SPDX-License-Identifier: MIT
#pragma once

#include "dataset/FirmwareSettings.h"

#include <QDialog>

class QComboBox;

// The firmware version choice: one of the firmware folders found at
// start-up. Built once and reused, so it keeps its selection between showings.
class FirmwareVersionDialog : public QDialog {
    Q_OBJECT

public:
    explicit FirmwareVersionDialog(QWidget* parent = nullptr);

    // Fills the list from the scanned folders and selects the current id,
    // ignoring letter case; nothing is selected when no folder matches.
    void fill(const FirmwareSettings& settings);
    // The selected folder name, empty when nothing is selected.
    QString chosenFirmware() const;

private:
    QComboBox* firmwares_;
};
