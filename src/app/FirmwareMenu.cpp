// SPDX-License-Identifier: MIT
#include "app/FirmwareMenu.h"

#include "app/BackgroundWork.h"
#include "app/FirmwareChoice.h"
#include "app/FirmwareScanMenu.h"
#include "app/MenuCommand.h"
#include "app/ReportDialog.h"
#include "app/WindowHost.h"
#include "base/TarvexError.h"
#include "dataset/OutputPlace.h"
#include "dataset/Session.h"
#include "desktop/UserDialogs.h"
#include "firmware/FirmwareApply.h"
#include "firmware/FirmwareExtract.h"
#include "firmware/FirmwarePort.h"
#include "firmware/FirmwarePreviews.h"
#include "firmware/FirmwareRevert.h"
#include "manager/PatchAssembly.h"
#include "pages/DialogFilters.h"
#include "pages/PicturePage.h"
#include "platform/DialogFolders.h"
#include "platform/FileOps.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>

namespace {

// The name decides the form: ".bin" a raw image, anything else S3 records.
QString appliedFirmwareFiles() {
    return QCoreApplication::translate("FirmwareMenu",
                                       "Motorola S3 format (*.s3);;Firmware image (*.bin)");
}

void showReport(WindowHost& window, const QString& caption, const QString& heading,
                const Report& report) {
    ReportDialog dialog(caption, heading, report, &window.widget());
    UserDialogs::instance().runModal(dialog);
}

// A firmware of tens of megabytes takes a second or more to read and search:
// the pointer says the window is busy meanwhile.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

const QString kPatchesDialog = QStringLiteral("OpenApplyPatchesDialog");
const QString kAppliedDialog = QStringLiteral("SaveAppliedFirmwareDialog");
const QString kRevertDialog = QStringLiteral("SaveRevertPatchDialog");

// The firmware file the user chooses, read whole; nothing when cancelled.
std::optional<FirmwareImage> askFirmware(WindowHost& window) {
    const std::optional<FirmwareSource> source = firmwarechoice::ask(window);
    if (!source) {
        return std::nullopt;
    }
    const BusyCursor busy;
    return firmwarefile::readWhole(*source);
}

// The window's data set when it loaded whole: one cut short by a failed start
// would match any firmware.
const FirmwareDataSet* loadedDataSet(WindowHost& window) {
    Session& session = window.session();
    if (!session.isLoaded()) {
        UserDialogs::instance().warn(QCoreApplication::translate(
            "FirmwareMenu", "The firmware data set is not loaded: there is nothing to match "
                            "against the firmware."));
        return nullptr;
    }
    return &session.dataSet();
}

} // namespace

FirmwareMenu::FirmwareMenu(WindowHost& window, QMenu& settings)
    : QObject(&window.widget()), window_(window) {
    settings.addSeparator();
    addMenuCommand(settings, tr("&Match against firmware..."), "MatchFirmware1", this,
                   &FirmwareMenu::matchFirmware);
    addMenuCommand(settings, tr("&Extract firmware resources..."), "ExtractResources1", this,
                   &FirmwareMenu::extractResources);
    addMenuCommand(settings, tr("P&ort the data set to another firmware..."), "PortDataSet1", this,
                   &FirmwareMenu::portDataSet);
    addMenuCommand(settings, tr("Appl&y patches to firmware..."), "ApplyPatches1", this,
                   &FirmwareMenu::applyPatches);
    addMenuCommand(settings, tr("Make a re&vert patch..."), "RevertPatch1", this,
                   &FirmwareMenu::makeRevertPatch);
    addMenuCommand(settings, tr("&Refresh previews from firmware..."), "RefreshPreviews1", this,
                   &FirmwareMenu::refreshPreviews);
    new FirmwareScanMenu(window, settings);
}

void FirmwareMenu::matchFirmware() {
    const FirmwareDataSet* data = loadedDataSet(window_);
    if (!data) {
        return;
    }
    const std::optional<FirmwareSource> source = firmwarechoice::ask(window_);
    if (!source) {
        return;
    }
    const QString& path = source->path;
    firmwarematch::Result result;
    {
        const BusyCursor busy;
        Report read;
        const FirmwareImage image = firmwarefile::read(*source, read);
        result.report = read;
        if (!image.empty()) {
            result = firmwarematch::run(*data, image, read);
        }
    }
    showReport(window_, tr("Firmware match"),
               result.matches() ? tr("The data set fits firmware %1.").arg(path)
                                : tr("The data set does not fit firmware %1.").arg(path),
               result.withTallies());
}

void FirmwareMenu::extractResources() {
    const FirmwareDataSet* data = loadedDataSet(window_);
    if (!data) {
        return;
    }
    const std::optional<FirmwareImage> image = askFirmware(window_);
    if (!image) {
        return;
    }
    const firmwareextract::Plan plan = firmwareextract::plan(*data, *image);
    if (plan.refused()) {
        showReport(window_, tr("Resource extraction"),
                   tr("No resources extracted: the firmware does not hold the data set's resources "
                      "where it places them."),
                   plan.match.withTallies());
        return;
    }
    const QString folder =
        UserDialogs::instance().askFolder(tr("Folder for the firmware's resources"));
    if (folder.isEmpty()) {
        return;
    }
    writeExtracted(plan, folder);
}

void FirmwareMenu::portDataSet() {
    const FirmwareDataSet* data = loadedDataSet(window_);
    if (!data) {
        return;
    }
    UserDialogs& dialogs = UserDialogs::instance();
    const std::optional<FirmwareSource> oldSource = firmwarechoice::ask(window_);
    if (!oldSource) {
        return;
    }
    const std::optional<FirmwareSource> newSource =
        firmwarechoice::ask(window_, firmwarechoice::For::AnotherDataSet);
    if (!newSource) {
        return;
    }
    const QString& newPath = newSource->path;
    Session& session = window_.session();
    const QString id = QFileInfo(newPath).completeBaseName();
    const firmwareport::Result result = [&] {
        const BusyCursor busy;
        const FirmwareImage oldImage = firmwarefile::readWhole(*oldSource);
        const FirmwareImage newImage = firmwarefile::readWhole(*newSource);
        return firmwareport::run(*data, oldImage, newImage, id, session.userFolder());
    }();
    if (result.created) {
        // The new data set's firmware dialogs offer the new firmware.
        window_.dataSetAdded();
        firmwarechoice::remember(id, newPath);
    }
    showReport(window_, tr("Data set port"),
               result.created ? tr("Data set %1 was created for firmware %2.").arg(id, newPath)
                              : tr("Data set %1 was not created.").arg(id),
               result.withMoves());
    // As after adding a firmware: the new set at once, if the user wants it.
    if (result.created && dialogs.askYesNo(tr("Data set %1 was created. Switch to it now?").arg(id),
                                           tr("Data set port"))) {
        window_.switchFirmware(id);
    }
}

std::optional<FirmwareMenu::PatchRun> FirmwareMenu::askPatchRun(const QString& saveDialog,
                                                                const QString& suffix,
                                                                const QString& filter) const {
    UserDialogs& dialogs = UserDialogs::instance();
    const std::optional<FirmwareSource> firmware = firmwarechoice::ask(window_);
    if (!firmware) {
        return std::nullopt;
    }
    const QStringList patches = dialogs.openFiles(kPatchesDialog, dialogfilters::kS3);
    if (patches.isEmpty()) {
        return std::nullopt;
    }
    // Our own output, not a patch: an existing file is replaced only when the user agrees.
    const QString output = dialogs.saveFileAskingToReplace(
        saveDialog, QFileInfo(firmware->path).completeBaseName() + suffix, filter);
    if (output.isEmpty()) {
        return std::nullopt;
    }
    if (const QString refusal = outputRefusal(output, firmware->path, patches);
        !refusal.isEmpty()) {
        dialogs.warn(refusal);
        return std::nullopt;
    }
    return PatchRun{*firmware, patches, output};
}

void FirmwareMenu::applyPatches() {
    const std::optional<PatchRun> run =
        askPatchRun(kAppliedDialog, QStringLiteral("_patched.s3"), appliedFirmwareFiles());
    if (!run) {
        return;
    }
    const FirmwareSource& firmware = run->firmware;
    const QString& firmwarePath = firmware.path;
    const QStringList& patches = run->patches;
    const QString& output = run->output;
    Report report;
    // Written beside the output and renamed over it once whole: a cancel
    // leaves the old file, or none.
    const bool done = backgroundwork::run(
        &window_.widget(), tr("Applying patches"),
        tr("Applying patches to firmware %1...").arg(firmwarePath),
        [&](const workprogress::Progress& progress) {
            firmwareapply::applyAndWrite(firmware, patches, false, output, report, progress);
        });
    if (!done) {
        window_.setStatusText(tr("Applying patches cancelled: file %1 was not written.")
                                  .arg(QDir::toNativeSeparators(output)));
        return;
    }
    if (report.errors() > 0) {
        showReport(window_, tr("Applying patches"),
                   tr("Patches not applied: file %1 was not written.").arg(output), report);
        return;
    }
    dialogfolders::remember(kAppliedDialog, output);
    window_.setStatusText(patch::createdMessage(output));
}

void FirmwareMenu::makeRevertPatch() {
    const std::optional<PatchRun> run =
        askPatchRun(kRevertDialog, QStringLiteral("_revert.s3"), dialogfilters::kS3);
    if (!run) {
        return;
    }
    const QStringList& patches = run->patches;
    const QString& output = run->output;
    firmwarerevert::Result result;
    bool written = false;
    {
        const BusyCursor busy;
        const FirmwareImage image = firmwarefile::readWhole(run->firmware);
        result = firmwarerevert::make(image, patches);
        written = firmwarerevert::write(output, image, result);
    }
    if (!written) {
        showReport(window_, tr("Revert patch"),
                   tr("Revert patch not made: file %1 was not written.").arg(output),
                   result.report);
        return;
    }
    dialogfolders::remember(kRevertDialog, output);
    showReport(window_, tr("Revert patch"),
               tr("Revert patch %1 written: %2. Flashed after the patches, it puts back the "
                  "firmware's own bytes.")
                   .arg(output, result.summary()),
               result.report);
}

QString FirmwareMenu::outputRefusal(const QString& output, const QString& firmware,
                                    const QStringList& patches) const {
    const QString place = outputplace::refusal(window_.session().userFolder(), output);
    if (!place.isEmpty()) {
        return place;
    }
    // The inputs are read whole before the output is written, but a firmware
    // or patch replaced by the result would be lost to the user.
    if (!fileops::inputAt(output, QStringList(patches) << firmware).isEmpty()) {
        return tr("File %1 is one of the source firmwares or patches: choose another name for "
                  "the result.")
            .arg(QDir::toNativeSeparators(output));
    }
    return {};
}

void FirmwareMenu::refreshPreviews() {
    const FirmwareDataSet* data = loadedDataSet(window_);
    if (!data) {
        return;
    }
    UserDialogs& dialogs = UserDialogs::instance();
    if (window_.session().isReadOnly()) {
        dialogs.warn(tr("The firmware data is open read-only: previews are refreshed by the window "
                        "that changes it."));
        return;
    }
    const std::optional<FirmwareSource> firmware = firmwarechoice::ask(window_);
    if (!firmware) {
        return;
    }
    firmwarepreviews::Result result;
    // The previews are written only after the last is made: a cancel
    // before then leaves every one as it was.
    if (!backgroundwork::run(&window_.widget(), tr("Preview refresh"),
                             tr("Making previews from firmware %1...").arg(firmware->path),
                             [&](const workprogress::Progress& progress) {
                                 result = firmwarepreviews::run(
                                     *data, firmwarefile::readWhole(*firmware), progress);
                             })) {
        window_.setStatusText(tr("Preview refresh cancelled: no preview was changed."));
        return;
    }
    if (result.refused) {
        showReport(window_, tr("Preview refresh"),
                   tr("Previews not refreshed: the firmware's pictures do not match the data set."),
                   result.match.withTallies());
        return;
    }
    window_.pages().pictures->showSelectedSlot(); // the slot shown gets its new preview
    dialogs.inform(tr("Previews refreshed: %1 in folder %2.")
                       .arg(result.written)
                       .arg(QDir::toNativeSeparators(data->dataFile(QStringLiteral("Pic")))),
                   QStringLiteral("Tarvex"));
}
