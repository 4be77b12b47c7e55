// SPDX-License-Identifier: MIT
// The controls the three manager pages share, built once from the manager's
// facts and the design's names.
#include "desktop/UserDialogs.h"
#include "pages/ManagerPage.h"
#include "pages/MemoryPanel.h"
#include "pages/SlotListView.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kEditPanelWidth = 238;
} // namespace

const ManagerPage::Skeleton& ManagerPage::buildListBox(const PageNames& names) {
    skeleton_.listBox = groupBox(names.listBox, names.listCaption, this);
    skeleton_.list = new SlotListView(info_, skeleton_.listBox);
    skeleton_.list->setObjectName(names.list);
    skeleton_.listLayout = new QVBoxLayout(skeleton_.listBox);
    skeleton_.listLayout->addWidget(skeleton_.list);
    return skeleton_;
}

void ManagerPage::buildEditPanel(const PageNames& names) {
    Skeleton& s = skeleton_;
    s.editPanel = groupBox(names.editPanel, names.editCaption, this);
    s.editLayout = new QVBoxLayout(s.editPanel);
    s.editLayout->setSpacing(6);

    s.title = label(names.title, names.titleText, s.editPanel, true);
    s.title->setAlignment(Qt::AlignCenter);
    s.title->setWordWrap(true);
    s.editLayout->addWidget(s.title);

    s.loadLabel = label(names.loadLabel, QStringLiteral("Загрузить файл:"), s.editPanel, true);
    s.editLayout->addWidget(s.loadLabel);
    s.fileRow = new QHBoxLayout;
    s.fileEdit = lineEdit(names.fileEdit, info_.placeholder, s.editPanel);
    s.openButton = speedButton(names.openButton, names.openHint,
                               style()->standardIcon(QStyle::SP_DialogOpenButton), s.editPanel);
    s.fileRow->addWidget(s.fileEdit, 1);
    s.fileRow->addWidget(s.openButton);
    s.editLayout->addLayout(s.fileRow);
    content_ = label(names.content, QString(), s.editPanel);
    content_->setWordWrap(true);
    content_->setAlignment(Qt::AlignCenter);
    s.editLayout->addWidget(content_);
}

void ManagerPage::addRestoreButton(const PageNames& names) {
    skeleton_.restoreButton =
        button(names.restoreButton, names.restoreCaption, skeleton_.editPanel);
    skeleton_.editLayout->addWidget(skeleton_.restoreButton);
}

void ManagerPage::finishSkeleton(const PageNames& names, QTextEdit* help) {
    Skeleton& s = skeleton_;
    s.editLayout->addStretch(1);
    s.memory = new MemoryPanel(names.memory, s.editPanel);
    s.editLayout->addWidget(s.memory);
    placeSideBySide(s.listBox, s.editPanel);
    setButtons(s.openButton, s.restoreButton);
    setParts(s.list, s.memory, help);
    takeDropsOn(s.fileEdit);
    connect(s.memory->createButton(), &QPushButton::clicked, this,
            [this] { guarded([this] { createPatch(); }); });
}

void ManagerPage::placeSideBySide(QGroupBox* listBox, QGroupBox* editPanel) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    // Narrow margins leave the list its columns' full width in a 690 pixel window.
    for (QGroupBox* box : {listBox, editPanel}) {
        if (QLayout* inner = box->layout()) {
            inner->setContentsMargins(3, 3, 3, 3);
        }
    }
    layout->addWidget(listBox, 1);
    editPanel->setFixedWidth(kEditPanelWidth);
    layout->addWidget(editPanel);
}

QGroupBox* ManagerPage::groupBox(const QString& name, const QString& caption, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QLabel* ManagerPage::label(const QString& name, const QString& text, QWidget* parent, bool bold) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    if (bold) {
        setBold(l);
    }
    return l;
}

QLineEdit* ManagerPage::lineEdit(const QString& name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

QPushButton* ManagerPage::button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QToolButton* ManagerPage::speedButton(const QString& name, const QString& hint, const QIcon& glyph,
                                      QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setIcon(glyph);
    b->setFixedSize(25, 23);
    return b;
}

QTextEdit* ManagerPage::helpTextBox(const QString& name, QWidget* parent) {
    auto* box = new QTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setUndoRedoEnabled(false);
    return box;
}

void ManagerPage::setBold(QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}
