// SPDX-License-Identifier: MIT
#include "desktop/UserDialogs.h"

#include "base/TarvexError.h"
#include "platform/DialogFolders.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <new>

namespace {

const QString kErrorCaption = QStringLiteral("Tarvex");
const QString kWarningCaption = QStringLiteral("Предупреждение");
constexpr int kPreviewSide = 128;

QWidget* owner() {
    return QApplication::activeWindow();
}

void messageBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner());
    box.exec();
}

// A picture under the cursor of the open dialog, scaled down to fit.
void showPreview(QLabel& preview, const QString& path) {
    QImageReader reader(path);
    QSize size = reader.size();
    if (!size.isValid()) {
        preview.clear();
        return;
    }
    if (size.width() > kPreviewSide || size.height() > kPreviewSide) {
        size.scale(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio);
        reader.setScaledSize(size);
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        preview.clear();
    } else {
        preview.setPixmap(QPixmap::fromImage(image));
    }
}

// Qt's own file dialog, in its detail view, shows every column's whole text
// (size, kind, date), the list scrolling sideways rather than cutting them.
void showWholeColumns(QFileDialog& dialog) {
    // Once shown: Qt makes the dialog's own widgets only when no native
    // dialog takes its place.
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
            details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
            details->header()->setStretchLastSection(false);
            dialog.resize(dialog.size().expandedTo(QSize(760, 460)));
        }
    });
}

// A file to open (or several): a start path naming a file selects it.
QStringList openDialog(const QString& start, const QString& filter, QFileDialog::FileMode mode) {
    QFileDialog dialog(owner(), QString(), start, filter);
    dialog.setFileMode(mode);
    showWholeColumns(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

class QtUserDialogs final : public UserDialogs {
public:
    QString askOpenFile(const QString& filter) override {
        return openDialog(startFolder(), filter, QFileDialog::ExistingFile).value(0);
    }

    QStringList askOpenFiles(const QString& filter) override {
        return openDialog(startFolder(), filter, QFileDialog::ExistingFiles);
    }

    QString askOpenPicture(const QString& filter) override {
        // The preview needs Qt's own dialog: a native one has no room for it.
        QFileDialog dialog(owner(), QString(), startFolder(), filter);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* preview = new QLabel(&dialog);
        preview->setObjectName(QStringLiteral("picturePreview"));
        preview->setFixedSize(kPreviewSide + 8, kPreviewSide + 8);
        preview->setAlignment(Qt::AlignCenter);
        preview->setFrameShape(QFrame::StyledPanel);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1, Qt::AlignTop);
        }
        QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
                         [preview](const QString& path) { showPreview(*preview, path); });
        if (!startFilter().isEmpty()) {
            dialog.selectNameFilter(startFilter());
        }
        showWholeColumns(dialog);
        if (dialog.exec() != QDialog::Accepted) {
            return {};
        }
        setChosenFilter(dialog.selectedNameFilter());
        return dialog.selectedFiles().value(0);
    }

    QString askSaveFile(const QString& defaultName, const QString& filter) override {
        QFileDialog dialog(owner(), QString(), startFolder(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("s3"));
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.selectFile(defaultName);
        showWholeColumns(dialog);
        if (dialog.exec() != QDialog::Accepted) {
            return {};
        }
        return dialog.selectedFiles().value(0);
    }

    QString askFolder(const QString& caption) override {
        return QFileDialog::getExistingDirectory(owner(), caption, startFolder());
    }

    std::optional<QString> askText(const QString& caption, const QString& label,
                                   const QString& proposed) override {
        bool ok = false;
        const QString text =
            QInputDialog::getText(owner(), caption, label, QLineEdit::Normal, proposed, &ok);
        return ok ? std::optional<QString>(text) : std::nullopt;
    }

    bool askYesNo(const QString& text, const QString& caption) override {
        return QMessageBox::question(owner(), caption, text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    }

    bool askReplace(const QString& path) override {
        QMessageBox box(QMessageBox::Warning, replaceCaption(), replaceQuestion(path),
                        QMessageBox::NoButton, owner());
        QPushButton* replace = box.addButton(QCoreApplication::translate("UserDialogs", "&Replace"),
                                             QMessageBox::AcceptRole);
        QPushButton* cancel = box.addButton(QCoreApplication::translate("UserDialogs", "Cancel"),
                                            QMessageBox::RejectRole);
        box.setDefaultButton(cancel);
        box.setEscapeButton(cancel);
        box.exec();
        return box.clickedButton() == replace;
    }

    void warn(const QString& text) override {
        messageBox(QMessageBox::Warning, kWarningCaption, text);
    }

    void inform(const QString& text, const QString& caption) override {
        messageBox(QMessageBox::Information, caption, text);
    }

    void showError(const QString& message) override {
        messageBox(QMessageBox::Critical, kErrorCaption, errorText(message));
    }

    int runModal(QDialog& dialog) override { return dialog.exec(); }

    SaveChoice askSaveChanges(const QString& text, const QString& details) override {
        QMessageBox box(QMessageBox::Question, kErrorCaption, text, QMessageBox::NoButton, owner());
        box.setInformativeText(details);
        QPushButton* save = box.addButton(QStringLiteral("&Сохранить"), QMessageBox::AcceptRole);
        QPushButton* discard =
            box.addButton(QStringLiteral("&Не сохранять"), QMessageBox::DestructiveRole);
        QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
        box.setDefaultButton(save);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == save) {
            return SaveChoice::Save;
        }
        return box.clickedButton() == discard ? SaveChoice::Discard : SaveChoice::Cancel;
    }
};

UserDialogs*& current() {
    static UserDialogs* dialogs = nullptr;
    return dialogs;
}

} // namespace

UserDialogs& UserDialogs::instance() {
    static QtUserDialogs real;
    return current() ? *current() : real;
}

void UserDialogs::setInstance(UserDialogs* dialogs) {
    current() = dialogs;
}

namespace {

// Sets the folder the next file dialog starts in for one question.
class StartFolder {
public:
    StartFolder(QString& slot, const QString& dialog)
        : slot_(slot), saved_(std::exchange(slot, dialogfolders::startFolder(dialog))) {}
    ~StartFolder() { slot_ = saved_; }
    StartFolder(const StartFolder&) = delete;
    StartFolder& operator=(const StartFolder&) = delete;

private:
    QString& slot_;
    QString saved_;
};

} // namespace

QString UserDialogs::openFile(const QString& dialog, const QString& filter) {
    const StartFolder folder(startFolder_, dialog);
    const QString file = askOpenFile(filter);
    dialogfolders::remember(dialog, file);
    return file;
}

QString UserDialogs::openFileOffering(const QString& dialog, const QString& offered,
                                      const QString& filter) {
    const StartFolder folder(startFolder_, dialog);
    if (!offered.isEmpty() && QFileInfo(offered).isFile()) {
        startFolder_ = offered; // the dialog opens in its folder with it selected
    }
    const QString file = askOpenFile(filter);
    dialogfolders::remember(dialog, file);
    return file;
}

QStringList UserDialogs::openFiles(const QString& dialog, const QString& filter) {
    const StartFolder folder(startFolder_, dialog);
    const QStringList files = askOpenFiles(filter);
    dialogfolders::remember(dialog, files.value(0));
    return files;
}

QStringList UserDialogs::askOpenFiles(const QString& filter) {
    const QString file = askOpenFile(filter);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

QString UserDialogs::openPicture(const QString& dialog, const QString& filter) {
    const StartFolder folder(startFolder_, dialog);
    startFilter_ = dialogfolders::startFilter(dialog, filter);
    chosenFilter_.clear();
    const QString file = askOpenPicture(filter);
    startFilter_.clear();
    dialogfolders::remember(dialog, file);
    if (!file.isEmpty()) {
        dialogfolders::rememberFilter(dialog, chosenFilter_);
    }
    return file;
}

std::optional<QString> UserDialogs::askText(const QString&, const QString&, const QString&) {
    return std::nullopt;
}

bool UserDialogs::askYesNo(const QString&, const QString&) {
    return false;
}

QString UserDialogs::openFolder(const QString& dialog, const QString& caption) {
    const StartFolder folder(startFolder_, dialog);
    const QString chosen = askFolder(caption);
    dialogfolders::remember(dialog, chosen); // its parent: where its siblings are
    return chosen;
}

QString UserDialogs::saveFile(const QString& dialog, const QString& defaultName,
                              const QString& filter) {
    const StartFolder folder(startFolder_, dialog);
    return askSaveFile(defaultName, filter);
}

QString UserDialogs::saveFileAskingToReplace(const QString& dialog, const QString& defaultName,
                                             const QString& filter) {
    const StartFolder folder(startFolder_, dialog);
    for (;;) {
        const QString file = askSaveFile(defaultName, filter);
        if (file.isEmpty() || !QFileInfo::exists(file) || askReplace(file)) {
            return file;
        }
    }
}

bool UserDialogs::askReplace(const QString& path) {
    return askYesNo(replaceQuestion(path), replaceCaption());
}

QString UserDialogs::replaceQuestion(const QString& path) {
    return QCoreApplication::translate("UserDialogs",
                                       "A file named \"%1\" already exists. Do you want to "
                                       "replace it?")
        .arg(QDir::toNativeSeparators(path));
}

QString UserDialogs::replaceCaption() {
    return QCoreApplication::translate("UserDialogs", "File exists");
}

QString UserDialogs::startFolder() const {
    // Never the current directory, which is the program's own folder.
    return startFolder_.isEmpty() ? QDir::homePath() : startFolder_;
}

QString UserDialogs::errorText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        return message + QLatin1Char('.');
    }
    return message;
}

namespace detail {

void showUncaught(std::exception_ptr error) noexcept {
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const TarvexError& e) {
        message = e.englishMessage();
    } catch (const std::bad_alloc&) {
        message = errors::outOfMemory().englishMessage();
    } catch (const std::exception& e) {
        message = QString::fromLocal8Bit(e.what());
    } catch (...) {
        message = QCoreApplication::translate("Report", "Unknown error");
    }
    UserDialogs::instance().showError(message);
}

} // namespace detail
