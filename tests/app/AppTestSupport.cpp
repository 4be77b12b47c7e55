// SPDX-License-Identifier: MIT
#include "AppTestSupport.h"

#include "app/BackgroundWork.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QTest>
#include <chrono>
#include <thread>

ScriptedDialogs::ScriptedDialogs() {
    UserDialogs::setInstance(this);
}

ScriptedDialogs::~ScriptedDialogs() {
    UserDialogs::setInstance(nullptr);
}

QString ScriptedDialogs::askOpenFile(const QString& filter) {
    openFilters.append(filter);
    startFolders.append(startFolder());
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

QStringList ScriptedDialogs::askOpenFiles(const QString& filter) {
    openFilters.append(filter);
    startFolders.append(startFolder());
    return openManyAnswers.isEmpty() ? QStringList() : openManyAnswers.takeFirst();
}

QString ScriptedDialogs::askOpenPicture(const QString& filter) {
    pictureFilters.append(filter);
    pictureStartFilters.append(startFilter());
    if (!filterAnswers.isEmpty()) {
        setChosenFilter(filterAnswers.takeFirst());
    }
    startFolders.append(startFolder());
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

QString ScriptedDialogs::askSaveFile(const QString& defaultName, const QString& filter) {
    saveRequests.append({defaultName, filter});
    startFolders.append(startFolder());
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

QString ScriptedDialogs::askFolder(const QString&) {
    startFolders.append(startFolder());
    return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogs::askText(const QString&, const QString&,
                                                const QString& proposed) {
    proposedTexts.append(proposed);
    return textAnswers.isEmpty() ? std::nullopt : std::optional<QString>(textAnswers.takeFirst());
}

bool ScriptedDialogs::askYesNo(const QString& text, const QString&) {
    questions.append(text);
    return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();
}

void ScriptedDialogs::warn(const QString& text) {
    warnings.append(text);
}

void ScriptedDialogs::inform(const QString& text, const QString& caption) {
    informs.append({text, caption});
}

void ScriptedDialogs::showError(const QString& message) {
    errors.append(errorText(message));
}

int ScriptedDialogs::runModal(QDialog& dialog) {
    modals.append(dialog.objectName());
    return onModal ? onModal(dialog) : int(QDialog::Rejected);
}

WindowTest::WindowTest() : bundledRoot(scratch.path("no-bundled-data-sets")) {
    SettingsStore::setOverrideFile(scratch.path("settings.ini"));
    QDir().mkpath(userFolder());
}

WindowTest::~WindowTest() {
    SettingsStore::setOverrideFile({});
}

QString WindowTest::firmware(const QString& relative) const {
    const QString folder = userFolder() + "/X120XEDJ2";
    return relative.isEmpty() ? folder : folder + "/" + relative;
}

std::unique_ptr<MainWindow> WindowTest::open(const MiniDataSet& set) {
    set.writeTo(userFolder());
    return open();
}

std::unique_ptr<MainWindow> WindowTest::open() {
    SessionOptions options;
    options.userFolder = userFolder();
    options.bundledRoot = bundledRoot;
    return std::make_unique<MainWindow>(options);
}

UserDialogs::SaveChoice ScriptedDialogs::askSaveChanges(const QString& text, const QString&) {
    saveQuestions.append(text);
    return saveChoices.isEmpty() ? SaveChoice::Cancel : saveChoices.takeFirst();
}

QString WindowTest::standInPlayer(const QString& relative, const QString& log) {
    const QString player = scratch.write(
        relative,
        QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\nexec sleep 30\n").arg(log).toUtf8());
    QFile::setPermissions(player, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return player;
}

CancelHalfway::CancelHalfway(std::uint64_t from) {
    backgroundwork::setStepHook([this, from](std::uint64_t done, std::uint64_t total) {
        if (done < from || done >= total || fired_.exchange(true)) {
            return;
        }
        // The key goes to the window on its own thread, while this one waits.
        QMetaObject::invokeMethod(
            qApp,
            [this] {
                for (QWidget* window : QApplication::topLevelWidgets()) {
                    if (window->objectName() == "pbWork" && window->isVisible()) {
                        QTest::keyClick(window, Qt::Key_Escape);
                    }
                }
                pressed_ = true;
            },
            Qt::QueuedConnection);
        for (int i = 0; i < 10000 && !pressed_; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
}

CancelHalfway::~CancelHalfway() {
    backgroundwork::setStepHook({});
}
