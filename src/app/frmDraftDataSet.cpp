// SPDX-License-Identifier: MIT
#include "app/frmDraftDataSet.h"

#include "desktop/UserDialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
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

TfrmDraftDataSet::TfrmDraftDataSet(const QString& proposedId, const firmwarescan::Result& scan,
                                   QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmDraftDataSet"));
    setWindowTitle(QStringLiteral("Создать набор данных из прошивки"));
    edId = new QLineEdit(proposedId, this);
    edId->setObjectName(QStringLiteral("edId"));
    cbMelodyRegion = regionField(scan, "cbMelodyRegion", this);
    cbJavaRegion = regionField(scan, "cbJavaRegion", this);
    cbPictureRegion = regionField(scan, "cbPictureRegion", this);
    lblWarning = new QLabel(
        QStringLiteral("Области - это свободные участки, куда патчи запишут новые файлы "
                       "(НАЧАЛО-КОНЕЦ, конец не входит). Предложены самые большие стёртые (FF) "
                       "участки прошивки, но стёртый участок может оказаться и собственной "
                       "памятью телефона: каждую область должен подтвердить человек, прежде чем "
                       "что-либо записывать в телефон. Страница без области останется "
                       "выключенной."),
        this);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    lblWarning->setWordWrap(true);
    lblWarning->setStyleSheet(QStringLiteral("QLabel { color: #b00000; font-weight: bold; }"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Имя набора данных:"), edId);
    form->addRow(QStringLiteral("Область мелодий:"), cbMelodyRegion);
    form->addRow(QStringLiteral("Область Java-игр:"), cbJavaRegion);
    form->addRow(QStringLiteral("Область картинок:"), cbPictureRegion);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Создать"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmDraftDataSet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblWarning);
    layout->addWidget(buttons);
}

firmwaredraft::Options TfrmDraftDataSet::options() const {
    auto region = [](const QComboBox* box) {
        return firmwaredraft::parseRegion(box->currentText().trimmed());
    };
    return {edId->text().trimmed(), region(cbMelodyRegion), region(cbJavaRegion),
            region(cbPictureRegion)};
}

// A region typed wrongly is said at once, not taken as "page off".
void TfrmDraftDataSet::accept() {
    for (const QComboBox* box : {cbMelodyRegion, cbJavaRegion, cbPictureRegion}) {
        const QString text = box->currentText().trimmed();
        if (!text.isEmpty() && !firmwaredraft::parseRegion(text)) {
            UserDialogs::instance().warn(
                QStringLiteral("«%1» - не область: нужны два адреса НАЧАЛО-КОНЕЦ, начало меньше "
                               "конца.")
                    .arg(text));
            return;
        }
    }
    if (edId->text().trimmed().isEmpty()) {
        UserDialogs::instance().warn(QStringLiteral("Укажите имя набора данных."));
        return;
    }
    QDialog::accept();
}
