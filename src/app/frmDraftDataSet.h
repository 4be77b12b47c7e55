// SPDX-License-Identifier: MIT
#pragma once

#include "firmware/FirmwareDraft.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

// What a drafted data set is to be: its id and the free region of each page
// to switch on, the firmware's largest erased areas offered for them, with
// the warning that an erased area may be the phone's own storage.
class TfrmDraftDataSet : public QDialog {
    Q_OBJECT

public:
    TfrmDraftDataSet(const QString& proposedId, const firmwarescan::Result& scan,
                     QWidget* parent = nullptr);

    QLineEdit* edId;
    QComboBox* cbMelodyRegion;
    QComboBox* cbJavaRegion;
    QComboBox* cbPictureRegion;
    QLabel* lblWarning;

    // The id and the regions typed or chosen; a field left empty keeps its page off.
    firmwaredraft::Options options() const;
    void accept() override;
};
