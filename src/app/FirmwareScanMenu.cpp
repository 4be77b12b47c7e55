// SPDX-License-Identifier: MIT
#include "app/FirmwareScanMenu.h"

#include "app/Unit1.h"
#include "app/frmDraftDataSet.h"
#include "app/frmFirmwareScan.h"
#include "app/frmReport.h"
#include "app/untOptFirmware.h"
#include "desktop/UserDialogs.h"
#include "firmware/FirmwareDraft.h"
#include "firmware/FirmwareExtract.h"
#include "pages/MelodyPage.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProgressDialog>

namespace {

const QString kFirmwareFiles = QStringLiteral("Прошивка (*.s3 *.srec *.mot *.bin);;Все файлы (*)");

struct Scanned {
    QString path;
    FirmwareImage image;
    firmwarescan::Result result;
};

// The chosen firmware read and scanned, a progress bar showing the scan;
// nothing when the user cancels the choice.
std::optional<Scanned> askAndScan(QWidget* parent) {
    const QString path = UserDialogs::instance().askOpenFile(kFirmwareFiles);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    Scanned scanned{path, firmwarefile::readWhole({path, std::nullopt}), {}};
    QProgressDialog progress(QStringLiteral("Просматриваю прошивку %1...").arg(path), QString(), 0,
                             1000, parent);
    progress.setObjectName(QStringLiteral("pbScan"));
    progress.setWindowTitle(QStringLiteral("Обзор прошивки"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    scanned.result = firmwarescan::run(scanned.image, [&](std::uint64_t done, std::uint64_t total) {
        progress.setValue(total == 0 ? 1000 : int(done * 1000 / total));
    });
    return scanned;
}

} // namespace

void writeExtracted(const firmwareextract::Plan& plan, const QString& folder) {
    firmwareextract::write(plan, folder);
    UserDialogs::instance().inform(
        QStringLiteral("Извлечено ресурсов: %1. Их список - в файле %2.")
            .arg(plan.files.size())
            .arg(QDir::toNativeSeparators(folder + QStringLiteral("/index.tsv"))),
        QStringLiteral("Tarvex"));
}

FirmwareScanMenu::FirmwareScanMenu(TForm1& window, QMenu& settings)
    : QObject(&window), window_(window) {
    auto add = [&](const QString& text, const char* name, void (FirmwareScanMenu::*handler)()) {
        QAction* action = settings.addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    add(QStringLiteral("&Обзор прошивки..."), "FirmwareOverview1",
        &FirmwareScanMenu::FirmwareOverviewClick);
    add(QStringLiteral("&Создать набор данных из прошивки..."), "DraftDataSet1",
        &FirmwareScanMenu::DraftDataSetClick);
}

void FirmwareScanMenu::FirmwareOverviewClick() {
    const std::optional<Scanned> scanned = askAndScan(&window_);
    if (!scanned) {
        return;
    }
    MelodyPage* melodies = window_.melodyPage();
    TfrmFirmwareScan dialog(scanned->path, scanned->image, scanned->result,
                            melodies ? &melodies->player() : nullptr, &window_);
    UserDialogs::instance().runModal(dialog);
}

void FirmwareScanMenu::DraftDataSetClick() {
    const std::optional<Scanned> scanned = askAndScan(&window_);
    if (!scanned) {
        return;
    }
    TfrmDraftDataSet form(QFileInfo(scanned->path).completeBaseName(), scanned->result, &window_);
    if (UserDialogs::instance().runModal(form) != QDialog::Accepted) {
        return;
    }
    Session& session = window_.session();
    const firmwaredraft::Result result =
        firmwaredraft::run(scanned->image, scanned->result, form.options(), session.userFolder());
    if (result.created) {
        // The firmware dialog offers the new folder from now on.
        FirmwareSettings& settings = session.firmwareSettings();
        settings.folderList = Session::scanFirmwareFolders(session.userFolder());
        window_.frmOptFirmware()->FormCreate(settings);
    }
    TfrmReport report(QStringLiteral("Набор данных из прошивки"),
                      result.created
                          ? QStringLiteral("Создан набор данных %1 для прошивки %2. Проверьте его "
                                           "области, прежде чем записывать патчи в телефон.")
                                .arg(result.id, scanned->path)
                          : QStringLiteral("Набор данных %1 не создан.").arg(result.id),
                      result.withSummary(), &window_);
    UserDialogs::instance().runModal(report);
}
