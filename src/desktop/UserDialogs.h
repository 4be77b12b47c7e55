// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <exception>
#include <optional>
#include <utility>

class QDialog;

// Every file dialog and message box of the window goes through one instance
// of this, so that a test can answer them without showing anything.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    static UserDialogs& instance();
    // nullptr puts the real dialogs back; the caller keeps ownership.
    static void setInstance(UserDialogs* dialogs);

    // The chosen file, empty when the user cancelled. Filters are in Qt's
    // form ("MMF, MIDI (*.mmf *.mid *.midi)"); an empty filter offers any file.
    virtual QString askOpenFile(const QString& filter) = 0;
    // As askOpenFile, several files at once; none when the user cancelled.
    // Unless overridden, the one file askOpenFile chooses.
    virtual QStringList askOpenFiles(const QString& filter);
    // As askOpenFile, with a preview of the picture under the cursor.
    virtual QString askOpenPicture(const QString& filter) = 0;
    // A patch file to write: defaultName offered, ".s3" added when the name
    // has no suffix; an existing file is replaced without asking.
    virtual QString askSaveFile(const QString& defaultName, const QString& filter) = 0;
    // A folder, empty when the user cancelled.
    virtual QString askFolder(const QString& caption) = 0;
    // A line of text, `proposed` offered for editing; nullopt when cancelled.
    // (Unless overridden, this and askYesNo are cancelled or answered no, as
    // by a user who closes them.)
    virtual std::optional<QString> askText(const QString& caption, const QString& label,
                                           const QString& proposed);
    // A question answered yes or no.
    virtual bool askYesNo(const QString& text, const QString& caption);
    // Whether the existing file `path` may be replaced. Unless overridden,
    // askYesNo asks it.
    virtual bool askReplace(const QString& path);
    // Caption "Предупреждение", warning icon.
    virtual void warn(const QString& text) = 0;
    // Information icon, OK button.
    virtual void inform(const QString& text, const QString& caption) = 0;
    // The error box: caption "Tarvex", error icon, errorText(message).
    virtual void showError(const QString& message) = 0;
    // Shows one of the program's own windows modally and returns its result.
    virtual int runModal(QDialog& dialog) = 0;
    enum class SaveChoice { Save, Discard, Cancel };
    // Caption "Tarvex", the text with the details below it, buttons to save,
    // to throw away and to go back.
    virtual SaveChoice askSaveChanges(const QString& text, const QString& details) = 0;

    // The window's file dialogs by name ("OpenMelDialog", "SaveMelS3Dialog"
    // ...): each starts in the folder remembered for it (dialogfolders), and
    // an open dialog remembers the folder of the file chosen. A save dialog's
    // folder is remembered by its caller once the patch is written.
    QString openFile(const QString& dialog, const QString& filter);
    // As openFile, with `offered` (a file chosen before) selected when it
    // still exists.
    QString openFileOffering(const QString& dialog, const QString& offered, const QString& filter);
    QStringList openFiles(const QString& dialog, const QString& filter);
    QString openPicture(const QString& dialog, const QString& filter);
    // A folder dialog by name; it starts where the folder last chosen with it lies.
    QString openFolder(const QString& dialog, const QString& caption);
    QString saveFile(const QString& dialog, const QString& defaultName, const QString& filter);
    // As saveFile, for files that are not patches: an existing file chosen
    // is replaced only when the user agrees, else the dialog comes back.
    QString saveFileAskingToReplace(const QString& dialog, const QString& defaultName,
                                    const QString& filter);
    static QString replaceQuestion(const QString& path);
    static QString replaceCaption();
    // The folder the file dialog being asked starts in; the user's home
    // folder when it was not asked by name.
    QString startFolder() const;
    // The name filter the picture dialog starts on: the one it was last left
    // on; empty for the first of its filters.
    QString startFilter() const { return startFilter_; }

    // A full stop is appended when the message's last character sorts after '.'.
    static QString errorText(const QString& message);

protected:
    // The filter the user left the picture dialog on, remembered for the next time.
    void setChosenFilter(const QString& filter) { chosenFilter_ = filter; }

private:
    QString startFolder_;
    QString startFilter_;
    QString chosenFilter_;
};

namespace detail {
void showUncaught(std::exception_ptr error) noexcept;
}

// Runs one event handler. An error it does not catch ends it and is shown in
// the error box; it never reaches the event loop. Returns whether the handler
// ran to its end.
template <typename Handler> bool guarded(Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (...) {
        detail::showUncaught(std::current_exception());
        return false;
    }
}
