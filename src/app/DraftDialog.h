// SPDX-License-Identifier: MIT
#pragma once

#include "firmware/FirmwareDraft.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLineEdit;

// What a drafted data set is to be: its id and the free region of each page
// to switch on, the firmware's largest erased areas offered for them, with
// the warning that an erased area may be the phone's own storage. The form
// makes the data set itself and closes only once it is made: a refusal keeps
// what the user typed.
class DraftDialog : public QDialog {
    Q_OBJECT

public:
    DraftDialog(const QString& firmwarePath, const FirmwareImage& image,
                const firmwarescan::Result& scan, const QString& userFolder,
                QWidget* parent = nullptr);

    void accept() override;
    // The data set made, once the form is accepted.
    const std::optional<firmwaredraft::Result>& drafted() const { return drafted_; }

private:
    // The id and the regions typed or chosen; a field left empty keeps its page off.
    firmwaredraft::Options options() const;
    bool fieldsAreValid();

    QString firmwarePath_;
    const FirmwareImage& image_;
    const firmwarescan::Result& scan_;
    QString userFolder_;
    std::optional<firmwaredraft::Result> drafted_;
    QLineEdit* id_;
    QComboBox* melodyRegion_;
    QComboBox* javaRegion_;
    QComboBox* pictureRegion_;
};
