// SPDX-License-Identifier: MIT
#include "app/FirmwareMenu.h"

#include "app/FirmwareScanMenu.h"
#include "app/Unit1.h"
#include "app/frmReport.h"
#include "app/untOptFirmware.h"
#include "firmware/FirmwareExtract.h"
#include "firmware/FirmwarePort.h"
#include "platform/UserDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>

namespace {

const QString kFirmwareFiles = QStringLiteral("Прошивка (*.s3 *.srec *.mot *.bin);;Все файлы (*)");

void showReport(TForm1& window, const QString& caption, const QString& heading,
                const Report& report) {
    TfrmReport dialog(caption, heading, report, &window);
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

// The firmware file the user chooses, read whole; nothing when cancelled.
std::optional<FirmwareImage> askFirmware() {
    const QString path = UserDialogs::instance().askOpenFile(kFirmwareFiles);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    const BusyCursor busy;
    return firmwarefile::readWhole({path, std::nullopt});
}

// The window's data set when it loaded whole: one cut short by a failed start
// would match any firmware.
const FirmwareDataSet* loadedDataSet(TForm1& window) {
    Session& session = window.session();
    if (!session.isLoaded()) {
        UserDialogs::instance().warn(
            QStringLiteral("Набор данных прошивки не загружен: сверять с прошивкой нечего."));
        return nullptr;
    }
    return &session.dataSet();
}

} // namespace

FirmwareMenu::FirmwareMenu(TForm1& window, QMenu& settings) : QObject(&window), window_(window) {
    auto add = [&](const QString& text, const char* name, void (FirmwareMenu::*handler)()) {
        QAction* action = settings.addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    settings.addSeparator();
    add(QStringLiteral("&Сверить с прошивкой..."), "MatchFirmware1",
        &FirmwareMenu::MatchFirmwareClick);
    add(QStringLiteral("&Извлечь ресурсы прошивки..."), "ExtractResources1",
        &FirmwareMenu::ExtractResourcesClick);
    add(QStringLiteral("П&еренести набор на другую прошивку..."), "PortDataSet1",
        &FirmwareMenu::PortDataSetClick);
    new FirmwareScanMenu(window, settings);
}

void FirmwareMenu::MatchFirmwareClick() {
    const FirmwareDataSet* data = loadedDataSet(window_);
    if (!data) {
        return;
    }
    const QString path = UserDialogs::instance().askOpenFile(kFirmwareFiles);
    if (path.isEmpty()) {
        return;
    }
    firmwarematch::Result result;
    {
        const BusyCursor busy;
        Report read;
        const FirmwareImage image = firmwarefile::read({path, std::nullopt}, read);
        result.report = read;
        if (!image.empty()) {
            result = firmwarematch::run(*data, image, read);
        }
    }
    showReport(window_, QStringLiteral("Сверка с прошивкой"),
               result.matches()
                   ? QStringLiteral("Набор данных подходит к прошивке %1.").arg(path)
                   : QStringLiteral("Набор данных не подходит к прошивке %1.").arg(path),
               result.withTallies());
}

void FirmwareMenu::ExtractResourcesClick() {
    const FirmwareDataSet* data = loadedDataSet(window_);
    if (!data) {
        return;
    }
    const std::optional<FirmwareImage> image = askFirmware();
    if (!image) {
        return;
    }
    const firmwareextract::Plan plan = firmwareextract::plan(*data, *image);
    if (plan.refused()) {
        showReport(window_, QStringLiteral("Извлечение ресурсов"),
                   QStringLiteral("Ресурсы не извлечены: прошивка не содержит ресурсов набора "
                                  "данных там, где он их указывает."),
                   plan.match.withTallies());
        return;
    }
    const QString folder =
        UserDialogs::instance().askFolder(QStringLiteral("Папка для ресурсов прошивки"));
    if (folder.isEmpty()) {
        return;
    }
    writeExtracted(plan, folder);
}

void FirmwareMenu::PortDataSetClick() {
    const FirmwareDataSet* data = loadedDataSet(window_);
    if (!data) {
        return;
    }
    UserDialogs& dialogs = UserDialogs::instance();
    const QString oldPath = dialogs.askOpenFile(kFirmwareFiles);
    if (oldPath.isEmpty()) {
        return;
    }
    const QString newPath = dialogs.askOpenFile(kFirmwareFiles);
    if (newPath.isEmpty()) {
        return;
    }
    Session& session = window_.session();
    const QString id = QFileInfo(newPath).completeBaseName();
    const firmwareport::Result result = [&] {
        const BusyCursor busy;
        const FirmwareImage oldImage = firmwarefile::readWhole({oldPath, std::nullopt});
        const FirmwareImage newImage = firmwarefile::readWhole({newPath, std::nullopt});
        return firmwareport::run(*data, oldImage, newImage, id, session.userFolder());
    }();
    if (result.created) {
        // The firmware dialog offers the new folder from now on.
        FirmwareSettings& settings = session.firmwareSettings();
        settings.folderList = Session::scanFirmwareFolders(session.userFolder());
        window_.frmOptFirmware()->FormCreate(settings);
    }
    showReport(window_, QStringLiteral("Перенос набора данных"),
               result.created
                   ? QStringLiteral("Создан набор данных %1 для прошивки %2. Выберите его в "
                                    "«Версия прошивки» и перезапустите программу.")
                         .arg(id, newPath)
                   : QStringLiteral("Набор данных %1 не создан.").arg(id),
               result.withMoves());
}
