// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLineEdit;

// The donation request shown once when the main window first appears; its
// copy buttons put a payment identifier on the clipboard.
class DonationDialog : public QDialog {
    Q_OBJECT

public:
    explicit DonationDialog(QWidget* parent = nullptr);

private:
    // Copies the edit of the button's row, as it reads now.
    void copyToClipboard(QLineEdit* edit);
};
