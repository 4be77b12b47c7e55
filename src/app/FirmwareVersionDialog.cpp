// SPDX-License-Identifier: MIT
#include "app/FirmwareVersionDialog.h"

#include "app/UiFont.h"
#include "dataset/ListFile.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

FirmwareVersionDialog::FirmwareVersionDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmOptFirmware"));
    setWindowTitle(QStringLiteral("Настройки"));
    setFont(uiFont());
    setFixedSize(250, 120);

    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(QStringLiteral("Прошивка"), this);
    box->setObjectName(QStringLiteral("GroupBox1"));
    auto* boxLayout = new QVBoxLayout(box);
    firmwares_ = new QComboBox(box);
    firmwares_->setObjectName(QStringLiteral("cbFirmware"));
    firmwares_->setEditable(false);
    boxLayout->addWidget(firmwares_);
    layout->addWidget(box);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Отменить"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FirmwareVersionDialog::fill(const FirmwareSettings& settings) {
    firmwares_->clear();
    firmwares_->addItems(listfile::splitLines(settings.folderList));
    // Qt selects the first item it is given; only a matching id is selected.
    firmwares_->setCurrentIndex(firmwares_->findText(settings.currentId, Qt::MatchFixedString));
}

QString FirmwareVersionDialog::chosenFirmware() const {
    return firmwares_->currentIndex() < 0 ? QString() : firmwares_->currentText();
}
