// SPDX-License-Identifier: MIT
#include "app/CheckMenu.h"

#include "app/Unit1.h"
#include "app/frmReport.h"
#include "app/untOptFirmware.h"
#include "check/DataSetCheck.h"
#include "check/DataSetImport.h"
#include "check/PatchVerify.h"
#include "check/ReportLanguage.h"
#include "dataset/FirmwareId.h"
#include "desktop/UserDialogs.h"
#include "pages/DialogFilters.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>

namespace {

// Each remembers its folder under its name.
const QString kVerifyPatchDialog = QStringLiteral("VerifyPatchDialog");
const QString kAddFirmwareDialog = QStringLiteral("AddFirmwareDialog");

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
    const QString path = UserDialogs::instance().openFile(kVerifyPatchDialog, dialogfilters::kS3);
    if (path.isEmpty()) {
        return;
    }
    Session& session = window_.session();
    // Without a loaded data set only the records themselves can be checked.
    const FirmwareDataSet* data = session.isLoaded() ? &session.dataSet() : nullptr;
    showReport(QStringLiteral("Проверка патча"), path, patchverify::run(path, data));
}

void CheckMenu::AddFirmwareClick() {
    UserDialogs& dialogs = UserDialogs::instance();
    const QString folder =
        dialogs.openFolder(kAddFirmwareDialog, QStringLiteral("Папка прошивки или её папка Data"));
    if (folder.isEmpty()) {
        return;
    }
    const QString data = datasetcheck::dataFolderOf(folder);
    if (!QFileInfo(data + QStringLiteral("/Memory.ini")).isFile()) {
        dialogs.warn(QStringLiteral("В папке %1 нет набора данных прошивки: выберите папку "
                                    "прошивки с папкой Data или саму папку Data (в ней "
                                    "Memory.ini и списки .lst).")
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
    if (!result.skipped.isEmpty()) {
        dialogs.warn(
            QStringLiteral("Не скопированы (добавляются только обычные файлы, не ссылки):\n%1")
                .arg(result.skipped.join(QLatin1Char('\n'))));
    }
    if (dialogs.askYesNo(QStringLiteral("Прошивка %1 добавлена. Перейти на неё сейчас?").arg(*id),
                         QStringLiteral("Добавление прошивки"))) {
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
        const std::optional<QString> answer =
            dialogs.askText(QStringLiteral("Добавление прошивки"),
                            QStringLiteral("Имя прошивки (так будет названа её папка):"), proposed);
        if (!answer) {
            return std::nullopt;
        }
        const QString id = answer->trimmed();
        if (!firmwareid::refusal(id).isEmpty()) {
            dialogs.warn(QStringLiteral("\"%1\" не годится как имя прошивки: нужно имя папки "
                                        "без знаков / и \\, не начинающееся с точки.")
                             .arg(id));
        } else if (QFileInfo::exists(userFolder + QLatin1Char('/') + id)) {
            dialogs.warn(QStringLiteral("Прошивка %1 уже есть. Введите другое имя.").arg(id));
        } else {
            return id;
        }
        proposed = id;
    }
}
