#include "app/CustomPatchPage.h"

#include "dataset/ListFile.h"
#include "dataset/NumericText.h"
#include "manager/DialogFilters.h"
#include "manager/DroppedFile.h"
#include "manager/PatchAssembly.h"
#include "platform/DialogFolders.h"
#include "platform/UserDialogs.h"
#include "srec/CustomPatch.h"
#include "srec/S3Records.h"

#include <QDropEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

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

} // namespace

CustomPatchPage::CustomPatchPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsCreateCustomPatch"));
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);

    gbMainPatch = new QGroupBox(QStringLiteral("[ Патч в S3 представлении ]"), this);
    gbMainPatch->setObjectName(QStringLiteral("gbMainPatch"));
    Editor = new QPlainTextEdit(gbMainPatch);
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setFont(editorFont());
    Editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* editorLayout = new QVBoxLayout(gbMainPatch);
    editorLayout->addWidget(Editor);
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
    takeFileDrops();
}

void CustomPatchPage::btnOpenMMFClick() {
    const QString file =
        UserDialogs::instance().openFile(dialognames::kOpenAny, dialogfilters::kAnyFile);
    if (file.isEmpty()) {
        return;
    }
    openFile(file);
}

void CustomPatchPage::openFile(const QString& file) {
    UserDialogs& dialogs = UserDialogs::instance();
    const std::int64_t size = srec::FileSizeOfName(file);
    const std::int32_t offset = numeric::toInt(mmfOffset->text());
    CustomPatch patch;
    try {
        patch = MakeCustomPatch(file, size, offset);
    } catch (...) {
        // The editor was emptied for the new patch before the file failed.
        setEditorText(
            QString::fromLatin1(srec::kHeaderRecord.data(), qsizetype(srec::kHeaderRecord.size())));
        throw;
    }
    dialogs.inform(QString::number(patch.bytesRead), kCaption);
    dialogs.inform(QString::number(patch.wholeRecords), kCaption);
    setEditorText(editorText(patch.lines));
}

void CustomPatchPage::btnSaveCustomPatchClick() {
    const QStringList lines = editorLines();
    if (lines.isEmpty()) {
        return;
    }
    const QString file =
        UserDialogs::instance().saveFile(dialognames::kSaveCustom, kSaveName, dialogfilters::kS3);
    if (file.isEmpty()) {
        return;
    }
    // A character the code page cannot hold is refused, never written as "?".
    listfile::writeWhole(file, listfile::encode(lines));
    dialogfolders::remember(dialognames::kSaveCustom, file);
    if (status_) {
        status_(patch::createdMessage(file));
    }
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
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QWidget::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);
    if (!droppedfile::carriesUrls(drop->mimeData())) {
        return QWidget::eventFilter(watched, event);
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        const droppedfile::Dropped dropped = droppedfile::single(drop->mimeData()->urls());
        // After the drop has ended: a message must not hold up the file manager.
        QTimer::singleShot(0, this, [this, dropped] {
            guarded([&] {
                if (dropped.refusal.isEmpty()) {
                    openFile(dropped.path);
                } else {
                    UserDialogs::instance().warn(dropped.refusal);
                }
            });
        });
    }
    return true;
}

void CustomPatchPage::clear() {
    Editor->clear();
}

QStringList CustomPatchPage::editorLines() const {
    const QString text = Editor->toPlainText();
    if (text.isEmpty()) {
        return {};
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    // A break after the last line ends that line; it starts no new one.
    if (lines.back().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

QString CustomPatchPage::editorText(const S3LineList& lines) {
    // The list's text is ASCII with CR LF after every line: drop the CRs and
    // the last break in one pass instead of building the text line by line.
    const std::string_view text = lines.text();
    QString out(qsizetype(text.size()), Qt::Uninitialized);
    QChar* to = out.data();
    for (const char c : text) {
        if (c != '\r') {
            *to++ = QLatin1Char(c);
        }
    }
    qsizetype length = to - out.constData();
    if (length > 0 && out.at(length - 1) == QLatin1Char('\n')) {
        --length;
    }
    out.truncate(length);
    return out;
}

void CustomPatchPage::setEditorText(const QString& text) {
    // Half a million undo steps would be useless and slow to record.
    Editor->setUndoRedoEnabled(false);
    Editor->setPlainText(text);
    Editor->setUndoRedoEnabled(true);
}
