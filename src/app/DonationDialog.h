// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QToolButton;

// The donation request shown once when the main window first appears; its
// copy buttons put a payment identifier on the clipboard.
class DonationDialog : public QDialog {
    Q_OBJECT

public:
    explicit DonationDialog(QWidget* parent = nullptr);

    // Copies the edit of the button's row, as it reads now.
    void copyToClipboard(QLineEdit* edit);

    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton4;
    QToolButton* SpeedButton5;
    QPushButton* Button1;
};
