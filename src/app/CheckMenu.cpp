// SPDX-License-Identifier: MIT
#include "app/CheckMenu.h"

#include "app/MenuCommand.h"
#include "app/ReportDialog.h"
#include "app/WindowHost.h"
#include "check/DataSetCheck.h"
#include "check/PatchVerify.h"
#include "dataset/DataSetLayout.h"
#include "dataset/FirmwareId.h"
#include "dataset/Session.h"
#include "desktop/UserDialogs.h"
#include "import/DataSetImport.h"
#include "pages/DialogFilters.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

// Each remembers its folder under its name.
const QString kVerifyPatchDialog = QStringLiteral("VerifyPatchDialog");
const QString kAddFirmwareDialog = QStringLiteral("AddFirmwareDialog");

} // namespace

CheckMenu::CheckMenu(WindowHost& window, QMenu& settings)
    : QObject(&window.widget()), window_(window) {
    settings.addSeparator();
    addMenuCommand(settings, tr("&Check data set..."), "CheckDataSet1", this,
                   &CheckMenu::checkDataSet);
    addMenuCommand(settings, tr("&Verify patch..."), "VerifyPatch1", this, &CheckMenu::verifyPatch);
    addMenuCommand(settings, tr("&Add firmware..."), "AddFirmware1", this, &CheckMenu::addFirmware);
}

void CheckMenu::showReport(const QString& caption, const QString& heading, const Report& report) {
    ReportDialog dialog(caption, heading, report, &window_.widget());
    UserDialogs::instance().runModal(dialog);
}

void CheckMenu::checkDataSet() {
    const Session& session = window_.session();
    showReport(tr("Data set check"), tr("Firmware: %1").arg(session.firmwareSettings().currentId),
               datasetcheck::run(datasetlayout::dataFolder(session.firmwareFolder())));
}

void CheckMenu::verifyPatch() {
    const QString path = UserDialogs::instance().openFile(kVerifyPatchDialog, dialogfilters::kS3);
    if (path.isEmpty()) {
        return;
    }
    Session& session = window_.session();
    // Without a loaded data set only the records themselves can be checked.
    const FirmwareDataSet* data = session.isLoaded() ? &session.dataSet() : nullptr;
    showReport(tr("Patch verification"), path, patchverify::run(path, data));
}

void CheckMenu::addFirmware() {
    UserDialogs& dialogs = UserDialogs::instance();
    const QString folder =
        dialogs.openFolder(kAddFirmwareDialog, tr("The firmware's folder or its Data folder"));
    if (folder.isEmpty()) {
        return;
    }
    const QString data = datasetcheck::dataFolderOf(folder);
    if (!QFileInfo(data + QLatin1Char('/') + datasetlayout::kMemoryIni).isFile()) {
        dialogs.warn(
            tr("The folder %1 holds no firmware data set: choose a firmware folder with a Data "
               "folder, or the Data folder itself (with Memory.ini and the .lst lists in it).")
                .arg(QDir::toNativeSeparators(folder)));
        return;
    }
    Session& session = window_.session();
    const std::optional<QString> id = askFirmwareId(proposedId(data, session.userFolder()));
    if (!id) {
        return;
    }
    const datasetimport::Result result = datasetimport::run(folder, *id, session.userFolder());
    if (!result.imported) {
        showReport(tr("Adding a firmware"),
                   tr("Firmware %1 was not added: its data set has errors.").arg(result.id),
                   result.report);
        return;
    }
    window_.dataSetAdded();
    if (!result.skipped.isEmpty()) {
        dialogs.warn(tr("Not copied (only plain files are added, not links):\n%1")
                         .arg(result.skipped.join(QLatin1Char('\n'))));
    }
    if (dialogs.askYesNo(tr("Firmware %1 was added. Switch to it now?").arg(*id),
                         tr("Adding a firmware"))) {
        window_.switchFirmware(*id);
    }
}

QString CheckMenu::proposedId(const QString& dataFolder, const QString& userFolder) {
    // The folder that holds Data is named after its firmware, as the user
    // folder's own are; a name taken already gets a number.
    const QString holder = QFileInfo(QFileInfo(dataFolder).absolutePath()).fileName();
    const QString base =
        firmwareid::refusal(holder).isEmpty() ? holder : QStringLiteral("Firmware");
    QString id = base;
    for (int n = 2; QFileInfo::exists(userFolder + QLatin1Char('/') + id); ++n) {
        id = QStringLiteral("%1_%2").arg(base).arg(n);
    }
    return id;
}

std::optional<QString> CheckMenu::askFirmwareId(QString proposed) const {
    UserDialogs& dialogs = UserDialogs::instance();
    const QString userFolder = window_.session().userFolder();
    for (;;) {
        const std::optional<QString> answer = dialogs.askText(
            tr("Adding a firmware"), tr("Firmware name (its folder will be named so):"), proposed);
        if (!answer) {
            return std::nullopt;
        }
        const QString id = answer->trimmed();
        if (!firmwareid::refusal(id).isEmpty()) {
            dialogs.warn(tr("\"%1\" will not do as a firmware name: it must be a folder name "
                            "without / and \\ that does not start with a dot.")
                             .arg(id));
        } else if (QFileInfo::exists(userFolder + QLatin1Char('/') + id)) {
            dialogs.warn(tr("Firmware %1 exists already. Enter another name.").arg(id));
        } else {
            return id;
        }
        proposed = id;
    }
}
