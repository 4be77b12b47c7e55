// SPDX-License-Identifier: MIT
#pragma once

#include "app/MainWindow.h"
#include "desktop/UserDialogs.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QList>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class QDialog;

// Answers the window's dialogs from a script and records what they showed.
// Installed for its lifetime.
class ScriptedDialogs : public UserDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Answers in order; when none is left the user cancels.
    QStringList openAnswers;
    QStringList saveAnswers;
    QList<QStringList> openManyAnswers; // for dialogs that take several files
    QStringList folderAnswers;
    QStringList textAnswers;  // when none is left the user cancels
    QList<bool> yesNoAnswers; // when none is left the user says no
    // Runs inside a modal window; rejects it when unset.
    std::function<int(QDialog&)> onModal;
    // Answers to "save the changes?", in order; cancel when none is left.
    QList<SaveChoice> saveChoices;
    QStringList saveQuestions;

    QStringList openFilters;
    QStringList pictureFilters;
    QStringList pictureStartFilters; // the filter each picture dialog started on
    QStringList filterAnswers;       // the filter the user leaves each picture dialog on
    QList<QStringList> saveRequests; // default name, filter
    QStringList startFolders;        // where each file dialog started
    QStringList proposedTexts;       // what each text question offered
    QStringList questions;
    QStringList warnings;
    QList<QStringList> informs; // text, caption
    QStringList errors;         // as the error box shows them
    QStringList modals;         // object names of the windows shown modally

    QString askOpenFile(const QString& filter) override;
    QStringList askOpenFiles(const QString& filter) override;
    QString askOpenPicture(const QString& filter) override;
    QString askSaveFile(const QString& defaultName, const QString& filter) override;
    QString askFolder(const QString& caption) override;
    std::optional<QString> askText(const QString& caption, const QString& label,
                                   const QString& proposed) override;
    bool askYesNo(const QString& text, const QString& caption) override;
    void warn(const QString& text) override;
    void inform(const QString& text, const QString& caption) override;
    void showError(const QString& message) override;
    int runModal(QDialog& dialog) override;
    SaveChoice askSaveChanges(const QString& text, const QString& details) override;
};

// A window started on a scratch user folder and settings file of its own.
class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;

    QString userFolder() const { return scratch.path("user"); }
    QString firmware(const QString& relative = {}) const;
    QString dataFile(const QString& name) const { return firmware("Data/" + name); }
    // A stand-in melody player at `relative`: appends the melody it is given
    // to `log`, then plays until it is ended.
    QString standInPlayer(const QString& relative, const QString& log);
    // Writes the data set, then opens the window on it.
    std::unique_ptr<MainWindow> open(const MiniDataSet& set);
    std::unique_ptr<MainWindow> open(); // on whatever the user folder holds

    testsupport::Scratch scratch;
    ScriptedDialogs dialogs;
    QString bundledRoot; // none unless a test sets it
};

// Presses Escape on the progress window of the next long step once it
// reports `from` or more of its work done, short of its end; the step is
// held meanwhile, so it is stopped halfway. Installed for its lifetime.
class CancelHalfway {
public:
    explicit CancelHalfway(std::uint64_t from = 0);
    ~CancelHalfway();
    bool pressed() const { return pressed_; }

private:
    std::atomic<bool> fired_{false};
    std::atomic<bool> pressed_{false};
};

// A named control; the test fails when it is missing.
template <typename T> T* child(const QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}
