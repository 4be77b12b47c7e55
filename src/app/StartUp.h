// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QString>

class QApplication;
class WindowHost;

// What happens when the program starts and when the window opens a data set,
// in order and in one place. The window builds its parts; this fills them
// from the window's session and tells the user what needs attention.
class StartUp {
    Q_DECLARE_TR_FUNCTIONS(StartUp)

public:
    // The program's languages, then its folder for the user's data. False,
    // after telling the user, when there is no place for that folder.
    static bool prepareProgram(QApplication& app);

    explicit StartUp(WindowHost& window) : window_(window) {}

    // Starts the window's session and shows its data set on every page.
    // Reopening (another firmware in the same window) keeps the custom patch.
    void run(bool reopening);

private:
    void showWhatSessionReached();
    // Tells the user of lists cut at a NUL and of working folders that are
    // links, before anything is written.
    void reportUnsafeDataSet();
    void hideUnavailablePages();
    // The data set held by another process: shown, never written. Returns
    // the status bar's note.
    QString showReadOnly();
    // The start-up check of the data set: the status bar's note when it has errors.
    QString checkDataSet() const;

    WindowHost& window_;
};
