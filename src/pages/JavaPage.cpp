// SPDX-License-Identifier: MIT
#include "pages/JavaPage.h"

#include "actions/ManagerSteps.h"
#include "desktop/UserDialogs.h"
#include "java/JavaPair.h"
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
    QTextEdit* help = helpTextBox(QStringLiteral("reJavaHelp"), s.listBox);
    s.listLayout->setStretchFactor(s.list, 3);
    s.listLayout->addWidget(help, 2);

    buildEditPanel(kNames);
    addRestoreButton(kNames);

    // Built but never shown: renaming was never finished.
    QLabel* renameLabel =
        label(QStringLiteral("Label8"), QStringLiteral("Change melody name:"), s.editPanel);
    QLineEdit* renameEdit = lineEdit(QStringLiteral("Edit2"), QString(), s.editPanel);
    renameEdit->setMaxLength(20);
    renameEdit->setToolTip(QStringLiteral("Not applicated yet"));
    QPushButton* rename =
        button(QStringLiteral("BitBtn3"), QStringLiteral("Apply changes"), s.editPanel);
    renameLabel->setEnabled(false);
    renameEdit->setEnabled(false);
    for (QWidget* unused : {static_cast<QWidget*>(renameLabel), static_cast<QWidget*>(renameEdit),
                            static_cast<QWidget*>(rename)}) {
        unused->hide();
        s.editLayout->addWidget(unused);
    }

    finishSkeleton(kNames, help);

    connect(s.openButton, &QToolButton::clicked, this,
            [this] { guarded([this] { openForSelectedSlot(skeleton().fileEdit); }); });
    connect(s.restoreButton, &QPushButton::clicked, this,
            [this] { guarded([this] { restoreStandard(); }); });
}

void JavaPage::assignReplacement(int row, const QString& file) {
    assignFileToSlot(row, file, skeleton().fileEdit);
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
    if (other < slotList()->topLevelItemCount()) {
        if (pair.corrected && pair.corrected->jadSlot == other) {
            refreshRow(other);
        } else {
            slotList()->markProblems(other, managersteps::slotContent(table(), other));
        }
    }
    if (pair.corrected) {
        showSlotNews({row, other}, pair.corrected->text());
    }
    if (!pair.problems.isEmpty()) {
        UserDialogs::instance().warn(pair.problems.join(QLatin1Char('\n')));
    }
}

void JavaPage::restoreStandard() {
    restoreSelectedSlot(skeleton().fileEdit, [this](SlotTable& java, int row) {
        // The hidden column has no list behind it; restore still names the standard file there.
        slotList()->setCell(row, 2, java.displayName(row));
    });
}

void JavaPage::showNoSlot() {
    skeleton().title->setText(kNames.titleText);
    skeleton().fileEdit->setText(info().placeholder);
}

void JavaPage::showSelectedSlot() {
    const int row = slotList()->selectedRow();
    if (row < 0) {
        return;
    }
    skeleton().title->setText(slotList()->cell(row, 0));
    skeleton().fileEdit->setText(slotList()->cell(row, 1));
}
