// SPDX-License-Identifier: MIT
#include "app/StartUp.h"

#include "app/QtTranslation.h"
#include "app/WindowHost.h"
#include "base/ReportLanguage.h"
#include "base/TarvexError.h"
#include "check/DataSetCheck.h"
#include "dataset/DataSetLayout.h"
#include "dataset/Session.h"
#include "desktop/UserDialogs.h"
#include "editor/CustomPatchPage.h"
#include "pages/JavaPage.h"
#include "pages/MelodyPage.h"
#include "pages/PicturePage.h"
#include "platform/AppDataFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTabWidget>
#include <exception>

bool StartUp::prepareProgram(QApplication& app) {
    installQtTranslation(app);
    reportlanguage::use(QLocale(QLocale::Russian, QLocale::Russia));
    if (appDataFolder().isEmpty()) {
        // Better to stop than to keep the user's data at the root of the disk.
        UserDialogs::instance().showError(
            tr("No folder for the user's data: HOME is not set, and XDG_DATA_HOME is not set or "
               "not an absolute path"));
        return false;
    }
    return true;
}

void StartUp::run(bool reopening) {
    Session& session = window_.session();
    guarded([&] {
        window_.pages().melodies->startUp();
        // The session runs the folder, settings, memory map and list steps;
        // what it reached is shown even when a step failed.
        std::exception_ptr failure;
        try {
            session.start();
        } catch (...) {
            failure = std::current_exception();
        }
        window_.pages().customPatch->setUserFolder(session.userFolder());
        showWhatSessionReached();
        if (failure) {
            std::rethrow_exception(failure);
        }
        reportUnsafeDataSet();
        for (ManagerPage* page : window_.pages().managers()) {
            page->fill();
        }
        if (!reopening) {
            // The custom patch does not depend on the firmware: kept on a switch.
            window_.pages().customPatch->clear();
        }
        for (ManagerPage* page : window_.pages().managers()) {
            page->updateMemory();
        }
        hideUnavailablePages();
        window_.showFirmwareId(session.firmwareSettings().currentId);
    });
    QStringList notes;
    if (session.isReadOnly()) {
        notes.append(showReadOnly());
    }
    guarded([&] { notes.append(checkDataSet()); });
    notes.removeAll(QString());
    window_.setStatusNotice(notes.join(QLatin1Char(' ')));
}

void StartUp::showWhatSessionReached() {
    using Step = Session::Step;
    Session& session = window_.session();
    const Step reached = session.reached();
    for (ManagerPage* page : window_.pages().managers()) {
        page->setDataSet(&session.dataSet());
        if (reached >= Step::Totals) {
            page->showTotal();
        }
    }
    if (reached >= Step::ListsCreated && !session.programFolder().isEmpty()) {
        QDir::setCurrent(session.programFolder());
    }
    // A help text read before a later file failed is shown all the same.
    window_.pages().java->showHelp();
    window_.pages().pictures->showHelp();
}

void StartUp::reportUnsafeDataSet() {
    FirmwareDataSet& data = window_.session().dataSet();
    UserDialogs& dialogs = UserDialogs::instance();
    // A list that could not be read whole is never written back: its page
    // shows its rows and changes nothing. One warning names every such list.
    QStringList cut;
    for (const FirmwareDataSet::CutList& list : data.cutLists()) {
        cut.append(tr("%1, line %2: %3")
                       .arg(data.dataFile(list.list))
                       .arg(list.line)
                       .arg(list.nul ? tr("a NUL character, the text after it was not read")
                                     : tr("a line too long")));
    }
    if (!cut.isEmpty()) {
        dialogs.warn(tr("Lists not read whole:\n%1\nSo that nothing is lost, changes on their "
                        "pages are off. Mend the lists and start the program again.")
                         .arg(cut.join(QLatin1Char('\n'))));
    }
    for (ManagerPage* page : window_.pages().managers()) {
        page->setWritable(data.cutRefusal(page->info()).isEmpty());
    }
    for (const ManagerInfo* info : managers::all()) {
        try {
            data.requirePlainWorkFolder(*info);
        } catch (const TarvexError&) {
            dialogs.warn(tr("The working folder %1 is a link or not a folder. The program will "
                            "neither write files into it nor delete files from it.")
                             .arg(data.workFolder(*info)));
        }
    }
}

void StartUp::hideUnavailablePages() {
    const FirmwareDataSet& data = window_.session().dataSet();
    QTabWidget* tabs = window_.pages().tabs;
    const int current = tabs->currentIndex();
    for (ManagerPage* page : window_.pages().managers()) {
        if (!data.isAvailable(page->info())) {
            tabs->setTabVisible(tabs->indexOf(page), false);
        }
    }
    if (tabs->isTabVisible(current)) {
        return;
    }
    // A hidden active page gives way to the next visible one, else the last.
    int next = -1;
    for (int tab = current + 1; tab < tabs->count() && next < 0; ++tab) {
        next = tabs->isTabVisible(tab) ? tab : -1;
    }
    for (int tab = tabs->count() - 1; tab >= 0 && next < 0; --tab) {
        next = tabs->isTabVisible(tab) ? tab : -1;
    }
    tabs->setCurrentIndex(next);
}

QString StartUp::showReadOnly() {
    // Another window (or a command) holds the data set: this one shows it
    // but writes nothing, so neither undoes the other's choices.
    QWidget& window = window_.widget();
    window.setWindowTitle(window.windowTitle() + tr(" (read only)"));
    for (ManagerPage* page : window_.pages().managers()) {
        page->setReadOnly(true);
    }
    // Not exactly over the first window, so that both are seen.
    window.move(window.pos() + QPoint(40, 40));
    // Short enough for the holder to stay readable in a narrow window.
    return tr("Read only: %1 changes the data.")
        .arg(window_.session().lockHolder().value_or(QString()));
}

QString StartUp::checkDataSet() const {
    // A data set is written by hand; its faults are better told now than
    // found when a patch is built. The check takes milliseconds.
    const Session& session = window_.session();
    if (session.reached() < Session::Step::Folders ||
        !QFileInfo(session.firmwareFolder()).isDir()) {
        return {};
    }
    const int count =
        datasetcheck::run(datasetlayout::dataFolder(session.firmwareFolder())).errors();
    if (count == 0) {
        return {};
    }
    return tr("The data set has %n error(s): Settings → Check data set...", nullptr, count);
}
