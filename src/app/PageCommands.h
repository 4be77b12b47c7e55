// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class ManagerPage;
class QAction;
class QDialog;
class QMenu;
class QTextDocument;
class QTextEdit;
class QWidget;
class WindowHost;

// The window's keyboard commands, each acting on the page shown and listed
// in the menu with its key: Ctrl+O opens a file, Ctrl+S builds or saves the
// patch, Delete gives the selected slot its standard resource back, F1 shows
// the page's help, Ctrl+Q leaves through the close sequence. They press the
// page's own buttons, so a disabled button stays out of reach.
class PageCommands : public QObject {
    Q_OBJECT

public:
    PageCommands(WindowHost& window, QMenu* fileMenu, QAction* exit, QMenu* helpMenu,
                 QAction* about);

    void openFile();
    void savePatch();
    void restoreSlot();
    // The page's help text in a window of its own: the data set's on the
    // Java and picture pages, the program's own on the melody and custom
    // patch pages; the about dialog when there is none.
    void showHelp();

    QDialog* helpWindow() const { return help_; }

    // Each command switched on exactly when the page shown can carry it out.
    void updateActions();

protected:
    // The buttons the commands press tell when they are switched on or off.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchButtons();
    ManagerPage* currentManager() const;
    // A copy of the page's help text owned by `owner`; nullptr when it has none.
    QTextDocument* helpFor(QWidget* page, QObject* owner) const;
    bool onCustomPatchPage() const;
    QAction* addCommand(QMenu* menu, QAction* before, const QString& name, const QString& text,
                        const QKeySequence& key, void (PageCommands::*command)());

    WindowHost& window_;
    QAction* open_ = nullptr;
    QAction* save_ = nullptr;
    QAction* restore_ = nullptr;
    QDialog* help_ = nullptr;
    QTextEdit* helpText_ = nullptr;
    QTextDocument* shownCopy_ = nullptr; // the help text shown, a copy of the page's
};
