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
    cbFirmware = new QComboBox(box);
    cbFirmware->setObjectName(QStringLiteral("cbFirmware"));
    cbFirmware->setEditable(false);
    boxLayout->addWidget(cbFirmware);
    layout->addWidget(box);

    auto* buttons = new QHBoxLayout;
    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Отменить"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);

    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FirmwareVersionDialog::FormCreate(const FirmwareSettings& settings) {
    cbFirmware->clear();
    cbFirmware->addItems(listfile::splitLines(settings.folderList));
    // Qt selects the first item it is given; only a matching id is selected.
    cbFirmware->setCurrentIndex(cbFirmware->findText(settings.currentId, Qt::MatchFixedString));
}

QString FirmwareVersionDialog::chosenFirmware() const {
    return cbFirmware->currentIndex() < 0 ? QString() : cbFirmware->currentText();
}
