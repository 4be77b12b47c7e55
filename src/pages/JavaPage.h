// SPDX-License-Identifier: MIT
#pragma once

#include "pages/ManagerPage.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QToolButton;

// The Java page: the Java file slots and the help text on the left, the edit
// panel and the memory gauge on the right. The controls carry the names of
// the design and belong to the page.
class JavaPage : public ManagerPage {
    Q_OBJECT

public:
    explicit JavaPage(QWidget* parent = nullptr);

    // Shows the clicked slot in the edit panel.
    void lvJavaClick();
    void btnOpenJavaClick();
    void btnUseStandardJavaClick();

    QGroupBox* GroupBox3;
    SlotListView* lvJava;
    QTextEdit* reJavaHelp;
    QGroupBox* GroupBox4;
    QLabel* lblJavaName;
    QLabel* Label5;
    QLineEdit* edtJavaFile;
    QToolButton* btnOpenJava;
    QPushButton* btnUseStandardJava;
    QLabel* Label8;
    QLineEdit* Edit2;
    QPushButton* BitBtn3;
    QLabel* Label11;
    QLabel* lblJavaMemUsed;
    QLabel* Label12;
    QLabel* lblJavaMemTotal;
    QProgressBar* pgJavaMemUsed;
    QPushButton* btnCreateJavaPatch;

protected:
    void showSelectedSlot() override { lvJavaClick(); }
    void showNoSlot() override;
    void assignReplacement(int row, const QString& file) override;
    // A change to either half of a game: the pair's JAD corrected when the
    // user agrees, what stays wrong marked on the rows and warned about.
    javapair::Consent correctionConsent() override;
    void showSettled(int row, const javapair::Settled& pair) override;
};
