#include "app/frmReport.h"

#include "app/UiFont.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmReport::TfrmReport(const QString& caption, const QString& heading, const QString& report,
                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(caption);
    setFont(uiFont());
    resize(640, 360);

    auto* layout = new QVBoxLayout(this);
    lblHeading = new QLabel(heading, this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    lblHeading->setWordWrap(true);
    layout->addWidget(lblHeading);

    memReport = new QPlainTextEdit(this);
    memReport->setObjectName(QStringLiteral("memReport"));
    memReport->setReadOnly(true);
    memReport->setLineWrapMode(QPlainTextEdit::NoWrap);
    memReport->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memReport->setPlainText(report);
    layout->addWidget(memReport, 1);

    auto* buttons = new QHBoxLayout;
    btnClose = new QPushButton(QStringLiteral("&Закрыть"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
}
