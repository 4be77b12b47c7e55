// SPDX-License-Identifier: MIT
#include "app/ReportDialog.h"

#include "app/UiFont.h"
#include "base/Report.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

QTextCharFormat errorFormat() {
    QTextCharFormat format;
    format.setForeground(QColor(0xC0, 0x00, 0x00));
    format.setFontWeight(QFont::Bold);
    return format;
}

QTextCharFormat plainFormat(const QColor& colour) {
    QTextCharFormat format;
    format.setForeground(colour);
    format.setFontWeight(QFont::Normal); // not the bold of an error line before
    return format;
}

void fill(QPlainTextEdit& edit, const Report& report) {
    QTextCursor cursor(edit.document());
    const QTextCharFormat plain = plainFormat(edit.palette().color(QPalette::Text));
    for (const Finding& finding : report.findings()) {
        cursor.insertText(finding.toText() + QLatin1Char('\n'),
                          finding.error ? errorFormat() : plainFormat(QColor(0x80, 0x50, 0x00)));
    }
    report.forEachSummaryLine(
        [&](const QString& line) { cursor.insertText(line + QLatin1Char('\n'), plain); });
    cursor.insertText(report.countLine() + QLatin1Char('\n'),
                      report.errors() > 0 ? errorFormat() : plain);
}

} // namespace

ReportDialog::ReportDialog(const QString& caption, const QString& heading, const Report& report,
                           QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(caption);
    setFont(uiFont());
    resize(640, 360);

    auto* layout = new QVBoxLayout(this);
    auto* headingLabel = new QLabel(heading, this);
    headingLabel->setObjectName(QStringLiteral("lblHeading"));
    headingLabel->setWordWrap(true);
    layout->addWidget(headingLabel);

    auto* findings = new QPlainTextEdit(this);
    findings->setObjectName(QStringLiteral("memReport"));
    findings->setReadOnly(true);
    findings->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    findings->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    findings->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    fill(*findings, report);
    findings->moveCursor(QTextCursor::Start);
    layout->addWidget(findings, 1);

    auto* buttons = new QHBoxLayout;
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}
