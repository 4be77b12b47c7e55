// SPDX-License-Identifier: MIT
#include "app/DraftDialog.h"

#include "app/ReportDialog.h"
#include "app/WrappedTextFit.h"
#include "base/TarvexError.h"
#include "desktop/UserDialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox* regionField(const firmwarescan::Result& scan, const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->addItem(QString());
    for (const firmwarescan::Area& a : scan.erased) {
        box->addItem(firmwaredraft::regionText(a));
    }
    box->setCurrentIndex(0);
    return box;
}

} // namespace

DraftDialog::DraftDialog(const QString& firmwarePath, const FirmwareImage& image,
                         const firmwarescan::Result& scan, const QString& userFolder,
                         QWidget* parent)
    : QDialog(parent), firmwarePath_(firmwarePath), image_(image), scan_(scan),
      userFolder_(userFolder) {
    setObjectName(QStringLiteral("frmDraftDataSet"));
    setWindowTitle(tr("Create a data set from firmware"));
    id_ = new QLineEdit(
        firmwaredraft::freeId(QFileInfo(firmwarePath).completeBaseName(), userFolder), this);
    id_->setObjectName(QStringLiteral("edId"));
    melodyRegion_ = regionField(scan, "cbMelodyRegion", this);
    javaRegion_ = regionField(scan, "cbJavaRegion", this);
    pictureRegion_ = regionField(scan, "cbPictureRegion", this);
    auto* warning = new QLabel(
        tr("Regions are the free stretches where patches will write new files (START-END, the end "
           "its last byte). The largest erased (FF) stretches of the firmware are proposed, but an "
           "erased stretch may also be the handset's own memory: a person must confirm every "
           "region before anything is written to the handset. A page without a region stays off."),
        this);
    warning->setObjectName(QStringLiteral("lblWarning"));
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("QLabel { color: #b00000; font-weight: bold; }"));

    auto* form = new QFormLayout;
    form->addRow(tr("Data set name:"), id_);
    form->addRow(tr("Melody region:"), melodyRegion_);
    form->addRow(tr("Java game region:"), javaRegion_);
    form->addRow(tr("Picture region:"), pictureRegion_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Create"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &DraftDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(warning);
    layout->addWidget(buttons);
    keepWrappedTextWhole(*this);
}

firmwaredraft::Options DraftDialog::options() const {
    auto region = [](const QComboBox* box) {
        return firmwaredraft::parseRegion(box->currentText().trimmed());
    };
    return {id_->text().trimmed(), region(melodyRegion_), region(javaRegion_),
            region(pictureRegion_), firmwarePath_};
}

// A region typed wrongly is said at once, not taken as "page off".
bool DraftDialog::fieldsAreValid() {
    for (const QComboBox* box : {melodyRegion_, javaRegion_, pictureRegion_}) {
        const QString text = box->currentText().trimmed();
        if (!text.isEmpty() && !firmwaredraft::parseRegion(text)) {
            UserDialogs::instance().warn(tr("“%1” is not a region: two addresses START-END are "
                                            "needed, the end not below the start.")
                                             .arg(text));
            return false;
        }
    }
    if (id_->text().trimmed().isEmpty()) {
        UserDialogs::instance().warn(tr("Enter the data set's name."));
        return false;
    }
    if (!options().anyRegion()) {
        UserDialogs::instance().warn(
            tr("Give at least one region: without one every page of the data set stays off."));
        return false;
    }
    return true;
}

void DraftDialog::accept() {
    if (!fieldsAreValid()) {
        return;
    }
    std::optional<firmwaredraft::Result> result;
    try {
        result = firmwaredraft::run(image_, scan_, options(), userFolder_);
    } catch (const TarvexError& error) {
        UserDialogs::instance().showError(error.message());
        return;
    }
    if (!result->created) {
        ReportDialog report(tr("Data set from firmware"),
                            tr("Data set %1 was not created.").arg(result->id),
                            result->withSummary(), this);
        UserDialogs::instance().runModal(report);
        return;
    }
    drafted_ = std::move(result);
    QDialog::accept();
}
