#include "app/CheckMenu.h"

#include "app/Unit1.h"
#include "app/frmReport.h"
#include "app/untOptFirmware.h"
#include "check/DataSetCheck.h"
#include "check/DataSetImport.h"
#include "check/PatchVerify.h"
#include "check/ReportLanguage.h"
#include "manager/DialogFilters.h"
#include "platform/UserDialogs.h"

#include <QFileInfo>
#include <QLocale>
#include <QMenu>

namespace {

const QString kDataSetFiles = QStringLiteral("Набор данных (*.lst Memory.ini)");

} // namespace

CheckMenu::CheckMenu(TForm1& window, QMenu& settings) : QObject(&window), window_(window) {
    // The reports speak the window's language, whatever the user's locale.
    reportlanguage::use(QLocale(QLocale::Russian, QLocale::Russia));
    auto add = [&](const QString& text, const char* name, void (CheckMenu::*handler)()) {
        QAction* action = settings.addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    settings.addSeparator();
    add(QStringLiteral("&Проверить набор данных..."), "CheckDataSet1",
        &CheckMenu::CheckDataSetClick);
    add(QStringLiteral("&Проверить патч..."), "VerifyPatch1", &CheckMenu::VerifyPatchClick);
    add(QStringLiteral("&Добавить прошивку..."), "AddFirmware1", &CheckMenu::AddFirmwareClick);
}

void CheckMenu::showReport(const QString& caption, const QString& heading, const Report& report) {
    TfrmReport dialog(caption, heading, report, &window_);
    UserDialogs::instance().runModal(dialog);
}

void CheckMenu::CheckDataSetClick() {
    const Session& session = window_.session();
    showReport(QStringLiteral("Проверка набора данных"),
               QStringLiteral("Прошивка: %1").arg(session.firmwareSettings().currentId),
               datasetcheck::run(session.firmwareFolder() + QStringLiteral("/Data")));
}

void CheckMenu::VerifyPatchClick() {
    const QString path = UserDialogs::instance().askOpenFile(dialogfilters::kS3);
    if (path.isEmpty()) {
        return;
    }
    Session& session = window_.session();
    // Without a loaded data set only the records themselves can be checked.
    const FirmwareDataSet* data = session.isLoaded() ? &session.dataSet() : nullptr;
    showReport(QStringLiteral("Проверка патча"), path, patchverify::run(path, data));
}

void CheckMenu::AddFirmwareClick() {
    // Any file of the Data folder names it.
    const QString file = UserDialogs::instance().askOpenFile(kDataSetFiles);
    if (file.isEmpty()) {
        return;
    }
    Session& session = window_.session();
    const datasetimport::Result result =
        datasetimport::run(QFileInfo(file).absolutePath(), {}, session.userFolder());
    if (!result.imported) {
        showReport(
            QStringLiteral("Добавление прошивки"),
            QStringLiteral("Прошивка %1 не добавлена: в наборе данных есть ошибки.").arg(result.id),
            result.report);
        return;
    }
    // The firmware dialog offers the new folder from now on.
    FirmwareSettings& settings = session.firmwareSettings();
    settings.folderList = Session::scanFirmwareFolders(session.userFolder());
    window_.frmOptFirmware()->FormCreate(settings);
    UserDialogs::instance().inform(QStringLiteral("Пожалуйста, перезапустите программу."),
                                   QString());
}
