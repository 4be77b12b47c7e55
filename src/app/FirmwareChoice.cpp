// SPDX-License-Identifier: MIT
#include "app/FirmwareChoice.h"

#include "app/WindowHost.h"
#include "base/TarvexError.h"
#include "dataset/Session.h"
#include "desktop/UserDialogs.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace firmwarechoice {

namespace {

const QString kFirmwareDialog = QStringLiteral("OpenFirmwareDialog");
const QString kLastFirmware = QStringLiteral("LastFirmware/Any");

QString dataSetKey(const QString& id) {
    return QStringLiteral("LastFirmware/") + id;
}

QString remembered(const QString& key) {
    try {
        return SettingsStore().readString(key).value_or(QString());
    } catch (const TarvexError&) {
        return {}; // a value of another type names no file
    }
}

QString offered(const QString& id) {
    const QString last = remembered(kLastFirmware);
    return !last.isEmpty() && QFileInfo(last).isFile() ? last : remembered(dataSetKey(id));
}

} // namespace

QString fileFilter() {
    return QCoreApplication::translate("FirmwareScanMenu",
                                       "Firmware (*.s3 *.srec *.mot *.bin);;All files (*)");
}

std::optional<std::uint32_t> parseAddress(const QString& text) {
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        digits = digits.mid(2);
    }
    bool ok = false;
    const std::uint32_t value = digits.toUInt(&ok, 16);
    if (!ok || digits.isEmpty() || digits.size() > 8 || digits.startsWith(QLatin1Char('+'))) {
        return std::nullopt;
    }
    return value;
}

std::optional<FirmwareSource> ask(WindowHost& window, For use) {
    UserDialogs& dialogs = UserDialogs::instance();
    const QString id = window.session().firmwareSettings().currentId;
    const QString path = dialogs.openFileOffering(kFirmwareDialog, offered(id), fileFilter());
    if (path.isEmpty()) {
        return std::nullopt;
    }
    remember(use == For::ThisDataSet ? id : QString(), path);
    FirmwareSource source{path, std::nullopt};
    QString proposed = QStringLiteral("0x00000000");
    while (firmwarefile::needsBase(path) && !source.base) {
        const std::optional<QString> text = dialogs.askText(
            QCoreApplication::translate("FirmwareChoice", "Firmware image"),
            QCoreApplication::translate(
                "FirmwareChoice",
                "File %1 holds no S-records: it is read as a raw image. The address of its "
                "first byte (hexadecimal):")
                .arg(QDir::toNativeSeparators(path)),
            proposed);
        if (!text) {
            return std::nullopt;
        }
        source.base = parseAddress(*text);
        if (!source.base) {
            dialogs.warn(QCoreApplication::translate(
                             "FirmwareChoice",
                             "\"%1\" is not an address: give up to eight hexadecimal digits, such "
                             "as 0x00100000.")
                             .arg(*text));
            proposed = *text;
        }
    }
    return source;
}

void remember(const QString& id, const QString& path) {
    if (path.isEmpty()) {
        return;
    }
    SettingsStore store;
    if (store.isUsable()) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        store.writeString(kLastFirmware, absolute);
        if (!id.isEmpty()) {
            store.writeString(dataSetKey(id), absolute);
        }
    }
}

} // namespace firmwarechoice
