// SPDX-License-Identifier: MIT
#include "pages/ManagerPage.h"

#include "actions/ManagerActions.h"
#include "actions/ManagerSteps.h"
#include "content/ContentFile.h"
#include "desktop/UserDialogs.h"
#include "pages/DialogFilters.h"
#include "pages/DroppedFile.h"
#include "pages/MemoryPanel.h"
#include "pages/SlotListView.h"
#include "platform/DialogFolders.h"
#include "rtf/RtfReader.h"

#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

ManagerPage::ManagerPage(const ManagerInfo& info, QWidget* parent) : QWidget(parent), info_(info) {}

SlotTable ManagerPage::table() const {
    Q_ASSERT(data_ != nullptr);
    return SlotTable(*data_, info_);
}

void ManagerPage::fill() {
    if (isAvailable()) {
        list_->fill(table());
    }
    updateCommands();
}

void ManagerPage::reset() {
    data_ = nullptr;
    readOnly_ = false;
    writable_ = true;
    list_->clear();
    showNoSlot();
    if (content_ != nullptr) {
        content_->clear();
    }
    if (help_ != nullptr) {
        help_->clear();
    }
    updateCommands();
}

void ManagerPage::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    updateCommands();
}

void ManagerPage::updateCommands() {
    const bool slotChosen = canChangeSlots() && list_ != nullptr && list_->selectedRow() >= 0;
    for (QAbstractButton* command : {open_, restore_}) {
        if (command != nullptr) {
            command->setEnabled(slotChosen);
        }
    }
    if (!isWritable() && memory_ != nullptr) {
        createButton()->setEnabled(false); // whatever the gauge allows
    }
}

void ManagerPage::updateMemory() {
    if (isAvailable()) {
        memory_->showGauge(table().gauge());
        updateCommands();
    }
}

void ManagerPage::showTotal() {
    if (data_ != nullptr) {
        memory_->showTotal(data_->total(info_));
    }
}

void ManagerPage::showHelp() {
    if (help_ == nullptr || !isAvailable()) {
        return;
    }
    const QByteArray text = data_->helpText(info_);
    if (!text.isEmpty()) {
        rtf::readRtf(text, *help_->document());
        help_->moveCursor(QTextCursor::Start);
    }
}

QString ManagerPage::askReplacementFile(int row) const {
    return UserDialogs::instance().openFile(info_.openDialog, managers::openFilter(info_, row));
}

QString ManagerPage::askPatchFile() const {
    return UserDialogs::instance().saveFile(info_.saveDialog, info_.saveFileName,
                                            dialogfilters::kS3);
}

void ManagerPage::setWritable(bool writable) {
    writable_ = writable;
    updateCommands();
}

int ManagerPage::openForSelectedSlot(QLineEdit* fileEdit) {
    const int row = list_->selectedRow();
    if (row < 0 || !isAvailable() || !isWritable()) {
        return -1;
    }
    const QString file = askReplacementFile(row);
    if (file.isEmpty()) {
        return -1;
    }
    return assignFileToSlot(row, file, fileEdit);
}

int ManagerPage::assignFileToSlot(int row, const QString& file, QLineEdit* fileEdit) {
    if (!isWritable()) {
        return -1;
    }
    SlotTable manager = table();
    const manageractions::Change change = manageractions::assign(
        manager, row, file, {false, pictureslots::Front::Window, correctionConsent()});
    if (!change.refusal.isEmpty()) {
        UserDialogs::instance().warn(change.refusal);
        return -1;
    }
    refreshRow(row);
    fileEdit->setText(manager.fileName(row));
    updateMemory();
    showSettled(row, change.pair);
    return row;
}

void ManagerPage::createPatch() {
    if (!isAvailable() || !isWritable()) {
        return;
    }
    SlotTable manager = table();
    QString refusal;
    bool progressShown = false;
    std::optional<QString> saved;
    try {
        saved = patch::run(
            manager, managersteps::of(info_).patchHooks(),
            [&](const QString& text) {
                progressShown = true;
                showStatus(text);
            },
            [this] { return askPatchFile(); }, &refusal);
    } catch (...) {
        // The progress of a build that failed no longer holds.
        if (progressShown) {
            showStatus({});
        }
        throw;
    }
    if (!saved && progressShown) {
        showStatus({});
    }
    if (!refusal.isEmpty()) {
        UserDialogs::instance().warn(refusal);
    }
    if (saved) {
        dialogfolders::remember(info_.saveDialog, *saved);
        showStatus(patch::createdMessage(*saved));
    }
}

void ManagerPage::dropOnSlot(int row, const QList<QUrl>& urls) {
    if (row < 0 || row >= list_->topLevelItemCount() || !canChangeSlots()) {
        return;
    }
    // Checked again: the file may have changed since the drag was offered.
    const droppedfile::Dropped dropped = droppedfile::forSlot(urls, info_, row);
    if (!dropped.refusal.isEmpty()) {
        UserDialogs::instance().warn(dropped.refusal);
        return;
    }
    list_->setCurrentItem(list_->topLevelItem(row));
    showSelectedSlot();
    assignReplacement(row, dropped.path);
}

QString ManagerPage::dropRefusal(int row, const QList<QUrl>& urls) const {
    if (!isAvailable()) {
        return tr("The firmware data are not loaded.");
    }
    if (readOnly_) {
        return tr("The firmware data are open read-only.");
    }
    if (!writable_) {
        return tr("The slot list was not read whole: changes on this page are off.");
    }
    if (row < 0 || row >= list_->topLevelItemCount()) {
        return tr("Select a slot in the list or drop the file on its row.");
    }
    const droppedfile::Dropped dropped = droppedfile::forSlot(urls, info_, row);
    return dropped.refusal.isEmpty() ? fileRefusal(row, dropped.path) : dropped.refusal;
}

void ManagerPage::takeDropsOn(QWidget* target) {
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool ManagerPage::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto& drag = static_cast<QDropEvent&>(*event);
        const int row = list_->selectedRow();
        const QString refusal = droppedfile::carriesUrls(drag.mimeData())
                                    ? dropRefusal(row, drag.mimeData()->urls())
                                    : tr("Drop a file.");
        droppedfile::answer(drag, refusal.isEmpty());
        if (event->type() == QEvent::Drop) {
            showDragRefusal({});
            if (drag.isAccepted()) {
                dropLater(row, drag.mimeData()->urls());
            }
        } else {
            showDragRefusal(refusal);
        }
        return true; // never the field's own drop, which would paste the link as text
    }
    case QEvent::DragLeave:
        showDragRefusal({});
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void ManagerPage::showDragRefusal(const QString& reason) {
    if (!reason.isEmpty()) {
        showStatus(reason);
        dragRefusalShown_ = true;
    } else if (dragRefusalShown_) {
        showStatus({});
        dragRefusalShown_ = false;
    }
}

void ManagerPage::dropLater(int row, const QList<QUrl>& urls) {
    QTimer::singleShot(0, this, [this, row, urls] { guarded([&] { dropOnSlot(row, urls); }); });
}

QAbstractButton* ManagerPage::createButton() const {
    return memory_->createButton();
}

void ManagerPage::restoreSelectedSlot(QLineEdit* fileEdit,
                                      const std::function<void(SlotTable&, int row)>& shown) {
    const int row = list_->selectedRow();
    if (row < 0 || !isAvailable() || !isWritable()) {
        return;
    }
    SlotTable manager = table();
    const manageractions::Change change =
        manageractions::restore(manager, row, correctionConsent(), [&] {
            refreshRow(row);
            fileEdit->setText(info_.placeholder);
            if (shown) {
                shown(manager, row);
            }
        });
    updateMemory();
    showSettled(row, change.pair);
}

void ManagerPage::refreshRow(int row) {
    const QStringList columns = table().row(row).columns;
    for (int column = 0; column < columns.size(); ++column) {
        list_->setCell(row, column, columns[column]);
    }
    list_->markProblems(row, managersteps::slotContent(table(), row));
    if (row == list_->selectedRow()) {
        showContent();
    }
}

void ManagerPage::showContent() {
    if (content_ == nullptr) {
        return;
    }
    const int row = list_->selectedRow();
    const std::optional<content::ContentInfo> described =
        row >= 0 && isAvailable() ? managersteps::slotContent(table(), row) : std::nullopt;
    content_->setText(described ? content::summary(*described) : QString());
    content_->setToolTip(described ? described->problems.join(QLatin1Char('\n')) : QString());
}

void ManagerPage::showStatus(const QString& text) const {
    newsRows_.clear();
    if (status_) {
        status_(text);
    }
}

void ManagerPage::showSlotNews(const QList<int>& rows, const QString& text) {
    showStatus(text);
    newsRows_ = rows;
}

void ManagerPage::setParts(SlotListView* list, MemoryPanel* memory, QTextEdit* help) {
    list_ = list;
    memory_ = memory;
    help_ = help;
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &ManagerPage::selectionChanged);
    list_->setDropCheck(
        [this](int row, const QList<QUrl>& urls) { return dropRefusal(row, urls); });
    connect(list_, &SlotListView::dragRefused, this, &ManagerPage::showDragRefusal);
    connect(list_, &SlotListView::dropped, this, &ManagerPage::dropLater);
    if (open_ != nullptr) {
        takeDropsOn(open_);
    }
}

void ManagerPage::setButtons(QAbstractButton* open, QAbstractButton* restore) {
    open_ = open;
    restore_ = restore;
    updateCommands();
}

void ManagerPage::selectionChanged() {
    list_->viewport()->repaint();
    updateCommands();
    if (!newsRows_.isEmpty() && !newsRows_.contains(list_->selectedRow())) {
        showStatus({}); // news of another slot
    }
    // The edit panel shows the selected slot however the selection moved
    // (mouse, keys, a drop, the program), so what it changes is that slot.
    guarded([this] {
        if (list_->selectedRow() >= 0) {
            showSelectedSlot();
        } else {
            showNoSlot();
        }
        showContent();
    });
}
