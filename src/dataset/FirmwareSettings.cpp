// SPDX-License-Identifier: MIT
#include "dataset/FirmwareSettings.h"

#include "platform/SettingsStore.h"

FirmwareSettings readFirmwareSettings(const SettingsStore& store) {
    FirmwareSettings settings;
    if (!store.isUsable()) {
        return settings;
    }
    settings.currentId = store.readString(QStringLiteral("CurFW")).value_or(kDefaultFirmwareId);
    settings.folderList = store.readString(QStringLiteral("FWList")).value_or(kDefaultFirmwareId);
    return settings;
}

void writeFirmwareSettings(SettingsStore& store, const FirmwareSettings& settings) {
    if (!store.isUsable()) {
        return;
    }
    store.writeString(QStringLiteral("CurFW"), settings.currentId);
    store.writeString(QStringLiteral("FWList"), settings.folderList);
}

bool chooseCurrentFirmware(SettingsStore& store, FirmwareSettings& settings, const QString& id) {
    if (id == settings.currentId) {
        return false;
    }
    settings.currentId = id;
    writeFirmwareSettings(store, settings);
    return true;
}
