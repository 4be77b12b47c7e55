#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// A check's report in a window: a heading, the findings one per line as the
// command line prints them, and a close button.
class TfrmReport : public QDialog {
    Q_OBJECT

public:
    TfrmReport(const QString& caption, const QString& heading, const QString& report,
               QWidget* parent = nullptr);

    QLabel* lblHeading;
    QPlainTextEdit* memReport;
    QPushButton* btnClose;
};
