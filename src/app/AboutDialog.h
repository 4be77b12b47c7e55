// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLabel;

// The about box: credits, the logo, the maker's lines and the contact
// addresses. Not modal; closing only hides it.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);

    static inline const QString kMailSubject = QStringLiteral("?subj=Tarvex_v10");

private:
    // Opens a new mail message to the clicked address label.
    void mailTo(const QLabel* address);
};
