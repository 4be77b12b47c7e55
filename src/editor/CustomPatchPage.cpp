// SPDX-License-Identifier: MIT
#include "editor/CustomPatchPage.h"

#include "base/TarvexError.h"
#include "dataset/NumericText.h"
#include "dataset/OutputPlace.h"
#include "desktop/UserDialogs.h"
#include "editor/PatchEditor.h"
#include "manager/PatchAssembly.h"
#include "pages/DialogFilters.h"
#include "pages/DroppedFile.h"
#include "platform/CheckedSaveFile.h"
#include "platform/DialogFolders.h"
#include "srec/CustomPatchSource.h"
#include "srec/S3Records.h"

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>

namespace {

const QString kCaption = QStringLiteral("Tarvex");

QFont editorFont() {
    QFont font(QStringLiteral("Lucida Console"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    return font;
}

// Between the blocks of a large file or patch: the window repaints, the
// user's input waits until the work is done.
void repaintBetweenBlocks() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

CustomPatchPage::CustomPatchPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsCreateCustomPatch"));
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);

    gbMainPatch = new QGroupBox(QStringLiteral("[ Патч в S3 представлении ]"), this);
    gbMainPatch->setObjectName(QStringLiteral("gbMainPatch"));
    Editor = new PatchEditor(gbMainPatch);
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setFont(editorFont());
    Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* editorLayout = new QVBoxLayout(gbMainPatch);
    editorLayout->addWidget(Editor);
    buildFindBar(gbMainPatch);
    editorLayout->addWidget(findBar);
    page->addWidget(gbMainPatch, 1);

    gbFilePatch = new QGroupBox(QStringLiteral("[ Создать патч ]"), this);
    gbFilePatch->setObjectName(QStringLiteral("gbFilePatch"));
    auto* row = new QHBoxLayout(gbFilePatch);
    Label2 = new QLabel(QStringLiteral("Задать смещение:"), gbFilePatch);
    Label2->setObjectName(QStringLiteral("Label2"));
    mmfOffset = new QLineEdit(kDefaultOffset, gbFilePatch);
    mmfOffset->setObjectName(QStringLiteral("mmfOffset"));
    mmfOffset->setFixedWidth(110);
    btnOpenMMF = new QPushButton(QStringLiteral("&Открыть файл..."), gbFilePatch);
    btnOpenMMF->setObjectName(QStringLiteral("btnOpenMMF"));
    btnSaveCustomPatch = new QPushButton(QStringLiteral("&Сохранить патч..."), gbFilePatch);
    btnSaveCustomPatch->setObjectName(QStringLiteral("btnSaveCustomPatch"));
    row->addWidget(Label2);
    row->addWidget(mmfOffset);
    row->addStretch(1);
    row->addWidget(btnOpenMMF);
    row->addWidget(btnSaveCustomPatch);
    page->addWidget(gbFilePatch);

    connect(btnOpenMMF, &QPushButton::clicked, this,
            [this] { guarded([this] { btnOpenMMFClick(); }); });
    connect(btnSaveCustomPatch, &QPushButton::clicked, this,
            [this] { guarded([this] { btnSaveCustomPatchClick(); }); });
    actFind = addPageAction(QStringLiteral("actFind"), tr("&Find..."),
                            QKeySequence(Qt::CTRL | Qt::Key_F), &CustomPatchPage::showFind);
    actFindNext = addPageAction(QStringLiteral("actFindNext"), tr("Find &next"),
                                QKeySequence(Qt::Key_F3), &CustomPatchPage::findNext);
    actGoToLine = addPageAction(QStringLiteral("actGoToLine"), tr("&Go to line..."),
                                QKeySequence(Qt::CTRL | Qt::Key_G), &CustomPatchPage::goToLine);
    Editor->setPageActions({actFind, actFindNext, actGoToLine});
    // Nothing to save, nothing to press.
    connect(Editor, &PatchEditor::textChanged, this,
            [this] { btnSaveCustomPatch->setEnabled(savedLineCount() > 0); });
    btnSaveCustomPatch->setEnabled(false);
    takeFileDrops();
}

void CustomPatchPage::buildFindBar(QWidget* parent) {
    findBar = new QWidget(parent);
    findBar->setObjectName(QStringLiteral("findBar"));
    auto* row = new QHBoxLayout(findBar);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(tr("Find:"), findBar);
    edtFind = new QLineEdit(findBar);
    edtFind->setObjectName(QStringLiteral("edtFind"));
    edtFind->setClearButtonEnabled(true);
    label->setBuddy(edtFind);
    btnFindNext = new QPushButton(tr("Find &next"), findBar);
    btnFindNext->setObjectName(QStringLiteral("btnFindNext"));
    lblFindResult = new QLabel(findBar);
    lblFindResult->setObjectName(QStringLiteral("lblFindResult"));
    row->addWidget(label);
    row->addWidget(edtFind, 1);
    row->addWidget(btnFindNext);
    row->addWidget(lblFindResult, 1);
    findBar->hide();
    connect(edtFind, &QLineEdit::returnPressed, this, [this] { guarded([this] { findNext(); }); });
    connect(btnFindNext, &QPushButton::clicked, this, [this] { guarded([this] { findNext(); }); });
    connect(edtFind, &QLineEdit::textEdited, lblFindResult, &QLabel::clear);
    // Escape closes the bar from the editor too, while the bar is shown.
    closeFind_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    closeFind_->setContext(Qt::WidgetWithChildrenShortcut);
    closeFind_->setEnabled(false);
    connect(closeFind_, &QShortcut::activated, this, [this] {
        findBar->hide();
        closeFind_->setEnabled(false);
        Editor->setFocus();
    });
}

QAction* CustomPatchPage::addPageAction(const QString& name, const QString& text,
                                        const QKeySequence& key,
                                        void (CustomPatchPage::*command)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcut(key);
    // Keys of this page only: elsewhere they belong to whatever has the focus.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this,
            [this, command] { guarded([&] { (this->*command)(); }); });
    return action;
}

void CustomPatchPage::showFind() {
    const QString selected = Editor->selectedText();
    if (!selected.isEmpty() && !selected.contains(QLatin1Char('\n'))) {
        edtFind->setText(selected);
    }
    lblFindResult->clear();
    findBar->show();
    closeFind_->setEnabled(true);
    edtFind->setFocus();
    edtFind->selectAll();
}

void CustomPatchPage::findNext() {
    const QString text = edtFind->text();
    if (text.isEmpty()) {
        showFind();
        return;
    }
    if (Editor->find(text, repaintBetweenBlocks)) {
        lblFindResult->clear();
    } else {
        lblFindResult->setText(tr("Text “%1” not found.").arg(text));
    }
}

void CustomPatchPage::goToLine() {
    const std::int64_t lines = Editor->blockCount();
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgGoToLine"));
    dialog.setWindowTitle(tr("Go to line"));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(1, int(std::min<std::int64_t>(lines, INT_MAX)));
    dialog.setIntValue(int(Editor->cursorPosition().line + 1));
    dialog.setLabelText(tr("Line number (1 to %1):").arg(lines));
    // Wide enough for its whole title beside the title bar's buttons (window
    // managers draw titles larger than the dialog's own text). The dialog's
    // layout sets its size from its contents, so the label asks for the room.
    QFont title = dialog.font();
    title.setBold(true);
    if (auto* label = dialog.findChild<QLabel*>()) {
        label->setMinimumWidth(2 * QFontMetrics(title).horizontalAdvance(dialog.windowTitle()) +
                               2 * dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight));
    }
    if (UserDialogs::instance().runModal(dialog) == QDialog::Accepted) {
        Editor->goToLine(dialog.intValue());
        Editor->setFocus();
    }
}

bool CustomPatchPage::askSaveChanges() {
    if (!Editor->isModified()) {
        return true;
    }
    switch (UserDialogs::instance().askSaveChanges(
        tr("Save the changes?"),
        tr("The patch on the page “Создать патч” changed since it was opened or saved. Without "
           "saving, the changes will be lost."))) {
    case UserDialogs::SaveChoice::Save:
        return savePatch();
    case UserDialogs::SaveChoice::Discard:
        return true;
    case UserDialogs::SaveChoice::Cancel:
        break;
    }
    return false;
}

void CustomPatchPage::btnOpenMMFClick() {
    if (!askSaveChanges()) {
        return;
    }
    const QString file =
        UserDialogs::instance().openFile(dialognames::kOpenAny, dialogfilters::kAnyFile);
    if (file.isEmpty()) {
        return;
    }
    openFile(file);
}

void CustomPatchPage::openFile(const QString& file) {
    UserDialogs& dialogs = UserDialogs::instance();
    const std::int64_t size = srec::fileSizeOfName(file);
    const std::int32_t offset = numeric::toInt(mmfOffset->text());
    std::shared_ptr<const CustomPatchSource> patch;
    try {
        // The file is read once; the editor makes the lines it shows from its
        // bytes.
        patch = std::make_shared<const CustomPatchSource>(
            CustomPatchSource::read(file, size, offset, repaintBetweenBlocks));
    } catch (...) {
        // The editor was emptied for the new patch before the file failed.
        Editor->setPlainText(
            QString::fromLatin1(srec::kHeaderRecord.data(), qsizetype(srec::kHeaderRecord.size())));
        throw;
    }
    dialogs.inform(QString::number(patch->bytesRead()), kCaption);
    dialogs.inform(QString::number(patch->wholeRecords()), kCaption);
    Editor->setSource(std::move(patch));
}

void CustomPatchPage::btnSaveCustomPatchClick() {
    savePatch();
}

bool CustomPatchPage::savePatch() {
    const std::int64_t lines = savedLineCount();
    if (lines == 0) {
        return true;
    }
    const QString file =
        UserDialogs::instance().saveFile(dialognames::kSaveCustom, kSaveName, dialogfilters::kS3);
    if (file.isEmpty()) {
        return false;
    }
    const QString user = userFolder_.isEmpty() ? outputplace::standardUserFolder() : userFolder_;
    if (const QString refusal = outputplace::refusal(user, file); !refusal.isEmpty()) {
        UserDialogs::instance().warn(refusal);
        return false;
    }
    // Written block by block as the editor makes its lines; the old file is
    // replaced only when all of them are on disk. A character the code page
    // cannot hold is refused, never written as "?".
    CheckedSaveFile out(file);
    bool written = out.open();
    Editor->lines().write(0, lines, [&](std::string_view block) {
        written = written && out.write(block.data(), qint64(block.size()));
        repaintBetweenBlocks();
    });
    if (!written || !out.commit()) {
        throw errors::cannotCreateFile(file);
    }
    Editor->setModified(false);
    dialogfolders::remember(dialognames::kSaveCustom, file);
    if (status_) {
        status_(patch::createdMessage(file));
    }
    return true;
}

void CustomPatchPage::takeFileDrops() {
    // The editor and the offset edit would paste a dropped file's name as
    // text: links go to the page instead, which opens the file.
    setAcceptDrops(true);
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->acceptDrops()) {
            child->installEventFilter(this);
        }
    }
}

bool CustomPatchPage::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::DragLeave) {
        showDragRefusal({});
        return QWidget::eventFilter(watched, event);
    }
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QWidget::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);
    if (!droppedfile::carriesUrls(drop->mimeData())) {
        return QWidget::eventFilter(watched, event);
    }
    // Checked while dragging, so that what cannot be opened is never taken:
    // the cursor says no and the status bar says why.
    const droppedfile::Dropped dropped = droppedfile::single(drop->mimeData()->urls());
    droppedfile::answer(*drop, dropped.refusal.isEmpty());
    showDragRefusal(type == QEvent::Drop ? QString() : dropped.refusal);
    if (type == QEvent::Drop && drop->isAccepted()) {
        // After the drop has ended: a message must not hold up the file manager.
        QTimer::singleShot(0, this, [this, path = dropped.path] {
            guarded([&] {
                if (askSaveChanges()) {
                    openFile(path);
                }
            });
        });
    }
    return true;
}

void CustomPatchPage::showDragRefusal(const QString& reason) {
    if (!status_ || (reason.isEmpty() && !dragRefusalShown_)) {
        return;
    }
    status_(reason);
    dragRefusalShown_ = !reason.isEmpty();
}

void CustomPatchPage::clear() {
    Editor->clear();
}

std::int64_t CustomPatchPage::savedLineCount() const {
    const EditedLines& lines = Editor->lines();
    const std::int64_t n = lines.count();
    return n > 0 && lines.line(n - 1).isEmpty() ? n - 1 : n;
}

QStringList CustomPatchPage::editorLines() const {
    QStringList out;
    for (std::int64_t i = 0, n = savedLineCount(); i < n; ++i) {
        out << Editor->lines().line(i);
    }
    return out;
}
