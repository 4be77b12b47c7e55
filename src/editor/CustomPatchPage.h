// SPDX-License-Identifier: MIT
#pragma once

#include "editor/PatchEditor.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QShortcut;

// The page that turns any file into a patch writing its bytes at a typed
// address. The patch is shown as editable text; saving writes the text as it
// then reads.
class CustomPatchPage : public QWidget {
    Q_OBJECT

public:
    explicit CustomPatchPage(QWidget* parent = nullptr);

    static inline const QString kDefaultOffset = QStringLiteral("0x00646880");
    static inline const QString kSaveName = QStringLiteral("CustomPatch");

    // What the open button does with the chosen file; a file dropped on the
    // page is opened so too.
    void openFile(const QString& file);
    // Whether the patch text changed since it was opened or saved.
    bool isModified() const { return editor_->isModified(); }
    // Before the patch text is replaced or the window closes: when it was
    // changed since it was opened or saved, asks whether to save the changes and
    // saves when told. Whether to go on.
    bool askSaveChanges();
    // Ctrl+F: the find bar, on the selected text; F3: the next match;
    // Ctrl+G: asks for a line and goes there.
    void showFind();
    void findNext();
    void goToLine();
    // Where "Файл \"%s\" создан." goes: the window's status bar.
    void setStatusSink(std::function<void(const QString&)> sink) { status_ = std::move(sink); }
    // Start-up empties the editor.
    void clear();
    // The user folder of the run: no patch is saved inside its firmware folders.
    void setUserFolder(const QString& folder) { userFolder_ = folder; }

    // How many of the editor's lines are saved: an empty editor has none, and
    // an empty last line is only the break after the line before it.
    std::int64_t savedLineCount() const;
    // Those lines (for a look at a small patch: a large one has millions).
    QStringList editorLines() const;

    // The buttons the window's keyboard commands press.
    QPushButton* openButton() const { return openButton_; }
    QPushButton* saveButton() const { return saveButton_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Asks for a file (after the changes are saved or let go) and opens it.
    void chooseFile();
    void takeFileDrops();
    void buildFindBar(QWidget* parent);
    QAction* addPageAction(const QString& name, const QString& text, const QKeySequence& key,
                           void (CustomPatchPage::*command)());
    bool savePatch(); // whether the patch is on disk (or there was nothing to save)
    // While a drag is refused the status bar says why; cleared when it ends.
    void showDragRefusal(const QString& reason);

    std::function<void(const QString&)> status_;
    QString userFolder_;
    QShortcut* closeFind_ = nullptr;
    bool dragRefusalShown_ = false;

    PatchEditor* editor_;
    QLineEdit* offset_;
    QPushButton* openButton_;
    QPushButton* saveButton_;
    QWidget* findBar_;
    QLineEdit* findText_;
    QLabel* findResult_;
};
