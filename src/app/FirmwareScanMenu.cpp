// SPDX-License-Identifier: MIT
#include "app/FirmwareScanMenu.h"

#include "app/BackgroundWork.h"
#include "app/DraftDialog.h"
#include "app/FirmwareChoice.h"
#include "app/FirmwareOverviewDialog.h"
#include "app/MenuCommand.h"
#include "app/ReportDialog.h"
#include "app/WindowHost.h"
#include "dataset/Session.h"
#include "desktop/UserDialogs.h"
#include "firmware/FirmwareDraft.h"
#include "firmware/FirmwareExtract.h"
#include "pages/MelodyPage.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

struct Scanned {
    QString path;
    FirmwareImage image;
    firmwarescan::Result result;
};

// The chosen firmware read and scanned off the window's thread, a progress
// bar showing the scan; nothing when the user cancels the choice or the scan.
std::optional<Scanned> askAndScan(WindowHost& window) {
    const std::optional<FirmwareSource> source = firmwarechoice::ask(window);
    if (!source) {
        return std::nullopt;
    }
    Scanned scanned{source->path, {}, {}};
    const bool done = backgroundwork::run(
        &window.widget(), QCoreApplication::translate("FirmwareScanMenu", "Firmware overview"),
        QCoreApplication::translate("FirmwareScanMenu", "Scanning firmware %1...")
            .arg(source->path),
        [&](const workprogress::Progress& progress) {
            scanned.image = firmwarefile::readWhole(*source);
            scanned.result = firmwarescan::run(scanned.image, progress);
        });
    return done ? std::optional<Scanned>(std::move(scanned)) : std::nullopt;
}

} // namespace

void writeExtracted(const firmwareextract::Plan& plan, const QString& folder) {
    firmwareextract::write(plan, folder);
    UserDialogs::instance().inform(
        QCoreApplication::translate("FirmwareScanMenu",
                                    "Resources extracted: %1. Their list is in file %2.")
            .arg(plan.files.size())
            .arg(QDir::toNativeSeparators(folder + QStringLiteral("/index.tsv"))),
        QStringLiteral("Tarvex"));
}

FirmwareScanMenu::FirmwareScanMenu(WindowHost& window, QMenu& settings)
    : QObject(&window.widget()), window_(window) {
    addMenuCommand(settings, tr("&Firmware overview..."), "FirmwareOverview1", this,
                   &FirmwareScanMenu::showOverview);
    addMenuCommand(settings, tr("Create a &data set from firmware..."), "DraftDataSet1", this,
                   &FirmwareScanMenu::draftDataSet);
}

void FirmwareScanMenu::showOverview() {
    const std::optional<Scanned> scanned = askAndScan(window_);
    if (!scanned) {
        return;
    }
    MelodyPage* melodies = window_.pages().melodies;
    FirmwareOverviewDialog dialog(scanned->path, scanned->image, scanned->result,
                                  melodies ? &melodies->player() : nullptr, &window_.widget());
    UserDialogs::instance().runModal(dialog);
}

void FirmwareScanMenu::draftDataSet() {
    const std::optional<Scanned> scanned = askAndScan(window_);
    if (!scanned) {
        return;
    }
    Session& session = window_.session();
    DraftDialog form(scanned->path, scanned->image, scanned->result, session.userFolder(),
                     &window_.widget());
    if (UserDialogs::instance().runModal(form) != QDialog::Accepted || !form.drafted()) {
        return;
    }
    const firmwaredraft::Result& result = *form.drafted();
    window_.dataSetAdded();
    ReportDialog report(tr("Data set from firmware"),
                        tr("Data set %1 was created for firmware %2. Check its "
                           "regions before writing patches to the handset.")
                            .arg(result.id, scanned->path),
                        result.withSummary(), &window_.widget());
    UserDialogs::instance().runModal(report);
}
