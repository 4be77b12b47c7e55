// SPDX-License-Identifier: MIT
#include "app/PageCommands.h"

#include "app/UiFont.h"
#include "app/WindowHost.h"
#include "desktop/UserDialogs.h"
#include "editor/CustomPatchPage.h"
#include "pages/JavaPage.h"
#include "pages/MelodyPage.h"
#include "pages/PicturePage.h"
#include "pages/SlotListView.h"
#include "platform/FileOps.h"

#include <QAbstractButton>
#include <QDialog>
#include <QEvent>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

PageCommands::PageCommands(WindowHost& window, QMenu* fileMenu, QAction* exit, QMenu* helpMenu,
                           QAction* about)
    : QObject(&window.widget()), window_(window) {
    open_ = addCommand(fileMenu, exit, QStringLiteral("actOpenFile"),
                       QStringLiteral("&Открыть файл..."), QKeySequence(Qt::CTRL | Qt::Key_O),
                       &PageCommands::openFile);
    save_ = addCommand(fileMenu, exit, QStringLiteral("actSavePatch"),
                       QStringLiteral("&Сохранить патч..."), QKeySequence(Qt::CTRL | Qt::Key_S),
                       &PageCommands::savePatch);
    restore_ = addCommand(fileMenu, exit, QStringLiteral("actRestoreSlot"),
                          tr("&Standard resource of the slot"), QKeySequence(Qt::Key_Delete),
                          &PageCommands::restoreSlot);
    // Delete is every text box's own key: the command takes it in the slot
    // lists only, and is in the menu for the rest.
    restore_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    for (ManagerPage* page : window.pages().managers()) {
        page->slotList()->addAction(restore_);
    }
    fileMenu->insertSeparator(exit);
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addCommand(helpMenu, about, QStringLiteral("actPageHelp"), tr("&Help"),
               QKeySequence(Qt::Key_F1), &PageCommands::showHelp);
    watchButtons();
    connect(window_.pages().tabs, &QTabWidget::currentChanged, this, &PageCommands::updateActions);
    updateActions();
}

void PageCommands::watchButtons() {
    for (ManagerPage* page : window_.pages().managers()) {
        for (QAbstractButton* button :
             {page->openButton(), page->restoreButton(), page->createButton()}) {
            button->installEventFilter(this);
        }
    }
    window_.pages().customPatch->openButton()->installEventFilter(this);
    window_.pages().customPatch->saveButton()->installEventFilter(this);
}

bool PageCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        updateActions();
    }
    return QObject::eventFilter(watched, event);
}

void PageCommands::updateActions() {
    const ManagerPage* page = currentManager();
    const CustomPatchPage* custom = onCustomPatchPage() ? window_.pages().customPatch : nullptr;
    auto usable = [](const QAbstractButton* button) {
        return button != nullptr && button->isEnabled();
    };
    open_->setEnabled(page != nullptr ? usable(page->openButton())
                                      : custom != nullptr && usable(custom->openButton()));
    save_->setEnabled(page != nullptr ? usable(page->createButton())
                                      : custom != nullptr && usable(custom->saveButton()));
    // The custom page has no slots to give back.
    restore_->setEnabled(page != nullptr && usable(page->restoreButton()));
}

QAction* PageCommands::addCommand(QMenu* menu, QAction* before, const QString& name,
                                  const QString& text, const QKeySequence& key,
                                  void (PageCommands::*command)()) {
    auto* action = new QAction(text, menu);
    action->setObjectName(name);
    action->setShortcut(key);
    menu->insertAction(before, action);
    connect(action, &QAction::triggered, this,
            [this, command] { guarded([&] { (this->*command)(); }); });
    return action;
}

ManagerPage* PageCommands::currentManager() const {
    return qobject_cast<ManagerPage*>(window_.pages().tabs->currentWidget());
}

bool PageCommands::onCustomPatchPage() const {
    return window_.pages().tabs->currentWidget() == window_.pages().customPatch;
}

void PageCommands::openFile() {
    if (ManagerPage* page = currentManager()) {
        page->openButton()->click();
    } else if (onCustomPatchPage()) {
        window_.pages().customPatch->openButton()->click();
    }
}

void PageCommands::savePatch() {
    if (ManagerPage* page = currentManager()) {
        page->createButton()->click();
    } else if (onCustomPatchPage()) {
        window_.pages().customPatch->saveButton()->click();
    }
}

void PageCommands::restoreSlot() {
    if (ManagerPage* page = currentManager()) {
        page->restoreButton()->click();
    }
}

QTextDocument* PageCommands::helpFor(QWidget* page, QObject* owner) const {
    // The Java and picture pages show their data set's help; the melody and
    // custom patch pages have texts of their own, shipped with the program.
    if (const auto* manager = qobject_cast<ManagerPage*>(page);
        manager != nullptr && manager->helpBox() != nullptr) {
        const QTextDocument* text = manager->helpBox()->document();
        return text->isEmpty() ? nullptr : text->clone(owner);
    }
    const QString resource =
        page == window_.pages().melodies      ? QStringLiteral(":/help/MelodyHelp.html")
        : page == window_.pages().customPatch ? QStringLiteral(":/help/CustomPatchHelp.html")
                                              : QString();
    const std::optional<QByteArray> html = fileops::readResource(resource);
    if (!html) {
        return nullptr;
    }
    auto* text = new QTextDocument(owner);
    text->setHtml(QString::fromUtf8(*html));
    return text;
}

void PageCommands::showHelp() {
    QTextDocument* text = helpFor(window_.pages().tabs->currentWidget(), this);
    if (text == nullptr) {
        window_.showAbout();
        return;
    }
    if (help_ == nullptr) {
        help_ = new QDialog(&window_.widget());
        help_->setObjectName(QStringLiteral("frmHelp"));
        help_->setFont(uiFont());
        help_->resize(560, 460);
        helpText_ = new QTextEdit(help_);
        helpText_->setObjectName(QStringLiteral("reHelp"));
        helpText_->setReadOnly(true);
        auto* layout = new QVBoxLayout(help_);
        layout->addWidget(helpText_);
        auto* close = new QPushButton(tr("&Close"), help_);
        close->setObjectName(QStringLiteral("btnClose"));
        connect(close, &QPushButton::clicked, help_, &QDialog::reject);
        layout->addWidget(close, 0, Qt::AlignRight);
    }
    const int tab = window_.pages().tabs->currentIndex();
    help_->setWindowTitle(tr("Help: ") + window_.pages().tabs->tabText(tab));
    QTextDocument* previous = shownCopy_;
    shownCopy_ = text;
    shownCopy_->setParent(help_);
    helpText_->setDocument(shownCopy_);
    if (previous != nullptr) {
        previous->deleteLater();
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}
