// SPDX-License-Identifier: MIT
#include "pages/JavaPage.h"

#include "desktop/UserDialogs.h"
#include "java/JavaPair.h"
#include "models/ManagerSteps.h"
#include "pages/MemoryPanel.h"
#include "pages/SlotListView.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const PageNames kNames{
    QStringLiteral("GroupBox3"),
    QStringLiteral("[ Информация об играх ]"),
    QStringLiteral("lvJava"),
    QStringLiteral("GroupBox4"),
    QStringLiteral("[ Редактирование JAVA игр ]"),
    QStringLiteral("lblJavaName"),
    QStringLiteral("Выберите файл"),
    QStringLiteral("Label5"),
    QStringLiteral("edtJavaFile"),
    QStringLiteral("btnOpenJava"),
    QStringLiteral("Открыть Midlet"),
    QStringLiteral("lblJavaContent"),
    QStringLiteral("btnUseStandardJava"),
    QStringLiteral("Использовать стандартную игру"),
    {QStringLiteral("pnlJavaMemory"), QStringLiteral("Label11"), QStringLiteral("lblJavaMemUsed"),
     QStringLiteral("Label12"), QStringLiteral("lblJavaMemTotal"), QStringLiteral("pgJavaMemUsed"),
     QStringLiteral("btnCreateJavaPatch")},
};

} // namespace

JavaPage::JavaPage(QWidget* parent) : ManagerPage(managers::java(), parent) {
    setObjectName(QStringLiteral("tsJavaGames"));
    const Skeleton& s = buildListBox(kNames);
    GroupBox3 = s.listBox;
    lvJava = s.list;
    reJavaHelp = helpTextBox(QStringLiteral("reJavaHelp"), GroupBox3);
    s.listLayout->setStretchFactor(lvJava, 3);
    s.listLayout->addWidget(reJavaHelp, 2);

    buildEditPanel(kNames);
    GroupBox4 = s.editPanel;
    lblJavaName = s.title;
    Label5 = s.loadLabel;
    edtJavaFile = s.fileEdit;
    btnOpenJava = s.openButton;
    addRestoreButton(kNames);
    btnUseStandardJava = s.restoreButton;

    // Built but never shown: renaming was never finished.
    Label8 = label(QStringLiteral("Label8"), QStringLiteral("Change melody name:"), GroupBox4);
    Edit2 = lineEdit(QStringLiteral("Edit2"), QString(), GroupBox4);
    Edit2->setMaxLength(20);
    Edit2->setToolTip(QStringLiteral("Not applicated yet"));
    BitBtn3 = button(QStringLiteral("BitBtn3"), QStringLiteral("Apply changes"), GroupBox4);
    Label8->setEnabled(false);
    Edit2->setEnabled(false);
    for (QWidget* unused : {static_cast<QWidget*>(Label8), static_cast<QWidget*>(Edit2),
                            static_cast<QWidget*>(BitBtn3)}) {
        unused->hide();
        s.editLayout->addWidget(unused);
    }

    finishSkeleton(kNames, reJavaHelp);
    Label11 = s.memory->findChild<QLabel*>(kNames.memory.usedCaption);
    lblJavaMemUsed = s.memory->usedLabel();
    Label12 = s.memory->findChild<QLabel*>(kNames.memory.totalCaption);
    lblJavaMemTotal = s.memory->totalLabel();
    pgJavaMemUsed = s.memory->gauge();
    btnCreateJavaPatch = s.memory->createButton();

    connect(btnOpenJava, &QToolButton::clicked, this,
            [this] { guarded([this] { btnOpenJavaClick(); }); });
    connect(btnUseStandardJava, &QPushButton::clicked, this,
            [this] { guarded([this] { btnUseStandardJavaClick(); }); });
}

void JavaPage::btnOpenJavaClick() {
    openForSelectedSlot(edtJavaFile);
}

void JavaPage::assignReplacement(int row, const QString& file) {
    assignFileToSlot(row, file, edtJavaFile);
}

javapair::Consent JavaPage::correctionConsent() {
    return [](const javapair::SizeCorrection& correction) {
        return UserDialogs::instance().askYesNo(
            tr("The JAR's size differs from the one the JAD gives, and the phone will not "
               "start the game. Correct the working copy of the JAD (your file stays as it "
               "is)?\n\n%1")
                .arg(correction.text()),
            QStringLiteral("Tarvex"));
    };
}

void JavaPage::showSettled(int row, const javapair::Settled& pair) {
    showStatus({}); // what the last change said holds no longer
    // The page shows the changed row; the other half carries the pair's
    // problems too, and a corrected JAD its new size. A restored row's
    // hidden column is the page's own, so it is not redrawn here.
    const int other = row ^ 1;
    if (other < lvJava->topLevelItemCount()) {
        if (pair.corrected && pair.corrected->jadSlot == other) {
            refreshRow(other);
        } else {
            lvJava->markProblems(other, managersteps::slotContent(table(), other));
        }
    }
    if (pair.corrected) {
        showSlotNews({row, other}, pair.corrected->text());
    }
    if (!pair.problems.isEmpty()) {
        UserDialogs::instance().warn(pair.problems.join(QLatin1Char('\n')));
    }
}

void JavaPage::btnUseStandardJavaClick() {
    restoreSelectedSlot(edtJavaFile, [this](SlotTable& java, int row) {
        // The hidden column has no list behind it; restore still names the standard file there.
        lvJava->setCell(row, 2, java.displayName(row));
    });
}

void JavaPage::showNoSlot() {
    lblJavaName->setText(kNames.titleText);
    edtJavaFile->setText(info().placeholder);
}

void JavaPage::lvJavaClick() {
    const int row = lvJava->selectedRow();
    if (row < 0) {
        return;
    }
    lblJavaName->setText(lvJava->cell(row, 0));
    edtJavaFile->setText(lvJava->cell(row, 1));
}
