// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class Report;

// A check's report in a window: a heading, the findings one per line as the
// command line prints them (errors in bold red so that they stand out, long
// lines wrapped to the window), and a close button.
class ReportDialog : public QDialog {
    Q_OBJECT

public:
    ReportDialog(const QString& caption, const QString& heading, const Report& report,
                 QWidget* parent = nullptr);
};
