// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class SecretPanel;

// The about box: credits, the logo, the maker's lines and the contact
// addresses. Not modal; closing only hides it.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);

    static inline const QString kMailSubject = QStringLiteral("?subj=Tarvex_v10");

    // Opens a new mail message to the clicked address label.
    void Label5Click(const QLabel* address);
    void btnCloseClick();

    SecretPanel* SecretPanel1;
    QLabel* Image1;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QPushButton* btnClose;
};
