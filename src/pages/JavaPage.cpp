// SPDX-License-Identifier: MIT
#include "pages/JavaPage.h"

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

JavaPage::JavaPage(QWidget* parent) : ManagerPage(managers::java(), parent) {
    setObjectName(QStringLiteral("tsJavaGames"));

    GroupBox3 =
        groupBox(QStringLiteral("GroupBox3"), QStringLiteral("[ Информация об играх ]"), this);
    lvJava = new SlotListView(info(), GroupBox3);
    lvJava->setObjectName(QStringLiteral("lvJava"));
    reJavaHelp = helpTextBox(QStringLiteral("reJavaHelp"), GroupBox3);
    auto* listLayout = new QVBoxLayout(GroupBox3);
    listLayout->addWidget(lvJava, 3);
    listLayout->addWidget(reJavaHelp, 2);

    GroupBox4 =
        groupBox(QStringLiteral("GroupBox4"), QStringLiteral("[ Редактирование JAVA игр ]"), this);
    auto* edit = new QVBoxLayout(GroupBox4);
    edit->setSpacing(6);

    lblJavaName =
        label(QStringLiteral("lblJavaName"), QStringLiteral("Выберите файл"), GroupBox4, true);
    lblJavaName->setAlignment(Qt::AlignCenter);
    lblJavaName->setWordWrap(true);
    edit->addWidget(lblJavaName);

    Label5 = label(QStringLiteral("Label5"), QStringLiteral("Загрузить файл:"), GroupBox4, true);
    edit->addWidget(Label5);
    auto* fileRow = new QHBoxLayout;
    edtJavaFile = lineEdit(QStringLiteral("edtJavaFile"), info().placeholder, GroupBox4);
    btnOpenJava = speedButton(QStringLiteral("btnOpenJava"), QStringLiteral("Открыть Midlet"),
                              style()->standardIcon(QStyle::SP_DialogOpenButton), GroupBox4);
    fileRow->addWidget(edtJavaFile, 1);
    fileRow->addWidget(btnOpenJava);
    edit->addLayout(fileRow);
    edit->addWidget(contentLabel(QStringLiteral("lblJavaContent"), GroupBox4));

    btnUseStandardJava = button(QStringLiteral("btnUseStandardJava"),
                                QStringLiteral("Использовать стандартную игру"), GroupBox4);
    edit->addWidget(btnUseStandardJava);

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
        edit->addWidget(unused);
    }

    edit->addStretch(1);
    auto* memory =
        new MemoryPanel({QStringLiteral("pnlJavaMemory"), QStringLiteral("Label11"),
                         QStringLiteral("lblJavaMemUsed"), QStringLiteral("Label12"),
                         QStringLiteral("lblJavaMemTotal"), QStringLiteral("pgJavaMemUsed"),
                         QStringLiteral("btnCreateJavaPatch")},
                        GroupBox4);
    edit->addWidget(memory);
    Label11 = memory->findChild<QLabel*>(QStringLiteral("Label11"));
    lblJavaMemUsed = memory->usedLabel();
    Label12 = memory->findChild<QLabel*>(QStringLiteral("Label12"));
    lblJavaMemTotal = memory->totalLabel();
    pgJavaMemUsed = memory->gauge();
    btnCreateJavaPatch = memory->createButton();

    placeSideBySide(GroupBox3, GroupBox4);
    setButtons(btnOpenJava, btnUseStandardJava);
    setParts(lvJava, memory, reJavaHelp);
    takeDropsOn(edtJavaFile);
    connect(btnOpenJava, &QToolButton::clicked, this,
            [this] { guarded([this] { btnOpenJavaClick(); }); });
    connect(btnUseStandardJava, &QPushButton::clicked, this,
            [this] { guarded([this] { btnUseStandardJavaClick(); }); });
    connect(btnCreateJavaPatch, &QPushButton::clicked, this,
            [this] { guarded([this] { btnCreateJavaPatchClick(); }); });
}

void JavaPage::btnOpenJavaClick() {
    if (const int row = openForSelectedSlot(edtJavaFile); row >= 0) {
        reviewPair(row);
    }
}

void JavaPage::assignReplacement(int row, const QString& file) {
    if (assignFileToSlot(row, file, edtJavaFile) >= 0) {
        reviewPair(row);
    }
}

void JavaPage::reviewPair(int row) {
    SlotTable java = table();
    const javapair::Review pair = javapair::review(java, row);
    UserDialogs& dialogs = UserDialogs::instance();
    if (pair.correction &&
        dialogs.askYesNo(QStringLiteral("Размер JAR не совпадает с указанным в JAD, и телефон не "
                                        "запустит игру. Исправить рабочую копию JAD (ваш файл "
                                        "останется прежним)?\n\n%1")
                             .arg(pair.correction->text()),
                         QStringLiteral("Tarvex"))) {
        javapair::correct(java, *pair.correction);
        java.save();
        refreshRow(int(pair.correction->jadSlot));
        updateMemory();
        showStatus(pair.correction->text());
    }
    if (!pair.warnings.isEmpty()) {
        dialogs.warn(pair.warnings.join(QLatin1Char('\n')));
    }
}

void JavaPage::btnUseStandardJavaClick() {
    restoreSelectedSlot(edtJavaFile, [this](SlotTable& java, int row) {
        // The hidden column has no list behind it; restore still names the standard file there.
        lvJava->setCell(row, 2, java.displayName(row));
    });
}

void JavaPage::btnCreateJavaPatchClick() {
    createPatch();
}

void JavaPage::showNoSlot() {
    lblJavaName->setText(QStringLiteral("Выберите файл"));
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
