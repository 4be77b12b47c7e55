// SPDX-License-Identifier: MIT
#include "editor/CustomPatchPage.h"

#include "actions/ManagerSteps.h"
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

    auto* patchBox = new QGroupBox(QStringLiteral("[ Патч в S3 представлении ]"), this);
    patchBox->setObjectName(QStringLiteral("gbMainPatch"));
    editor_ = new PatchEditor(patchBox);
    editor_->setObjectName(QStringLiteral("Editor"));
    editor_->setFont(editorFont());
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* editorLayout = new QVBoxLayout(patchBox);
    editorLayout->addWidget(editor_);
    buildFindBar(patchBox);
    editorLayout->addWidget(findBar_);
    page->addWidget(patchBox, 1);

    auto* fileBox = new QGroupBox(QStringLiteral("[ Создать патч ]"), this);
    fileBox->setObjectName(QStringLiteral("gbFilePatch"));
    auto* row = new QHBoxLayout(fileBox);
    auto* offsetLabel = new QLabel(QStringLiteral("Задать смещение:"), fileBox);
    offsetLabel->setObjectName(QStringLiteral("Label2"));
    offset_ = new QLineEdit(kDefaultOffset, fileBox);
    offset_->setObjectName(QStringLiteral("mmfOffset"));
    offset_->setFixedWidth(110);
    openButton_ = new QPushButton(QStringLiteral("&Открыть файл..."), fileBox);
    openButton_->setObjectName(QStringLiteral("btnOpenMMF"));
    saveButton_ = new QPushButton(QStringLiteral("&Сохранить патч..."), fileBox);
    saveButton_->setObjectName(QStringLiteral("btnSaveCustomPatch"));
    row->addWidget(offsetLabel);
    row->addWidget(offset_);
    row->addStretch(1);
    row->addWidget(openButton_);
    row->addWidget(saveButton_);
    page->addWidget(fileBox);

    connect(openButton_, &QPushButton::clicked, this,
            [this] { guarded([this] { chooseFile(); }); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { guarded([this] { savePatch(); }); });
    QAction* find = addPageAction(QStringLiteral("actFind"), tr("&Find..."),
                                  QKeySequence(Qt::CTRL | Qt::Key_F), &CustomPatchPage::showFind);
    QAction* next = addPageAction(QStringLiteral("actFindNext"), tr("Find &next"),
                                  QKeySequence(Qt::Key_F3), &CustomPatchPage::findNext);
    QAction* goTo = addPageAction(QStringLiteral("actGoToLine"), tr("&Go to line..."),
                                  QKeySequence(Qt::CTRL | Qt::Key_G), &CustomPatchPage::goToLine);
    editor_->setPageActions({find, next, goTo});
    // Nothing to save, nothing to press.
    connect(editor_, &PatchEditor::textChanged, this,
            [this] { saveButton_->setEnabled(savedLineCount() > 0); });
    saveButton_->setEnabled(false);
    takeFileDrops();
}

void CustomPatchPage::buildFindBar(QWidget* parent) {
    findBar_ = new QWidget(parent);
    findBar_->setObjectName(QStringLiteral("findBar"));
    auto* row = new QHBoxLayout(findBar_);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(tr("Find:"), findBar_);
    findText_ = new QLineEdit(findBar_);
    findText_->setObjectName(QStringLiteral("edtFind"));
    findText_->setClearButtonEnabled(true);
    label->setBuddy(findText_);
    auto* findNextButton = new QPushButton(tr("Find &next"), findBar_);
    findNextButton->setObjectName(QStringLiteral("btnFindNext"));
    findResult_ = new QLabel(findBar_);
    findResult_->setObjectName(QStringLiteral("lblFindResult"));
    row->addWidget(label);
    row->addWidget(findText_, 1);
    row->addWidget(findNextButton);
    row->addWidget(findResult_, 1);
    findBar_->hide();
    connect(findText_, &QLineEdit::returnPressed, this,
            [this] { guarded([this] { findNext(); }); });
    connect(findNextButton, &QPushButton::clicked, this,
            [this] { guarded([this] { findNext(); }); });
    connect(findText_, &QLineEdit::textEdited, findResult_, &QLabel::clear);
    // Escape closes the bar from the editor too, while the bar is shown.
    closeFind_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    closeFind_->setContext(Qt::WidgetWithChildrenShortcut);
    closeFind_->setEnabled(false);
    connect(closeFind_, &QShortcut::activated, this, [this] {
        findBar_->hide();
        closeFind_->setEnabled(false);
        editor_->setFocus();
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
    const QString selected = editor_->selectedText();
    if (!selected.isEmpty() && !selected.contains(QLatin1Char('\n'))) {
        findText_->setText(selected);
    }
    findResult_->clear();
    findBar_->show();
    closeFind_->setEnabled(true);
    findText_->setFocus();
    findText_->selectAll();
}

void CustomPatchPage::findNext() {
    const QString text = findText_->text();
    if (text.isEmpty()) {
        showFind();
        return;
    }
    if (editor_->find(text, repaintBetweenBlocks)) {
        findResult_->clear();
    } else {
        findResult_->setText(tr("Text “%1” not found.").arg(text));
    }
}

void CustomPatchPage::goToLine() {
    const std::int64_t lines = editor_->blockCount();
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgGoToLine"));
    dialog.setWindowTitle(tr("Go to line"));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(1, int(std::min<std::int64_t>(lines, INT_MAX)));
    dialog.setIntValue(int(editor_->cursorPosition().line + 1));
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
        editor_->goToLine(dialog.intValue());
        editor_->setFocus();
    }
}

bool CustomPatchPage::askSaveChanges() {
    if (!editor_->isModified()) {
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

void CustomPatchPage::chooseFile() {
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
    // A file that cannot be read (missing, a folder, a FIFO, a device) is
    // refused before anything is measured: taken as 0 bytes it would replace
    // the patch with one that writes nothing.
    managersteps::requireReadable(file);
    const std::int32_t offset = numeric::toInt(offset_->text());
    // The file is read once, whole, before the editor is touched: a read that
    // fails leaves the patch on the page as it was. The editor makes the lines
    // it shows from the bytes.
    auto patch = std::make_shared<const CustomPatchSource>(
        CustomPatchSource::read(file, srec::fileSizeOfName(file), offset, repaintBetweenBlocks));
    dialogs.inform(QString::number(patch->bytesRead()), kCaption);
    dialogs.inform(QString::number(patch->wholeRecords()), kCaption);
    editor_->setSource(std::move(patch));
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
    editor_->lines().write(0, lines, [&](std::string_view block) {
        written = written && out.write(block.data(), qint64(block.size()));
        repaintBetweenBlocks();
    });
    if (!written || !out.commit()) {
        throw errors::cannotCreateFile(file);
    }
    editor_->setModified(false);
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
    editor_->clear();
}

std::int64_t CustomPatchPage::savedLineCount() const {
    const EditedLines& lines = editor_->lines();
    const std::int64_t n = lines.count();
    return n > 0 && lines.line(n - 1).isEmpty() ? n - 1 : n;
}

QStringList CustomPatchPage::editorLines() const {
    QStringList out;
    for (std::int64_t i = 0, n = savedLineCount(); i < n; ++i) {
        out << editor_->lines().line(i);
    }
    return out;
}
