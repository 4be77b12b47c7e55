// SPDX-License-Identifier: MIT
#include "platform/SettingsStore.h"

#include "base/TarvexError.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

namespace {

QString& overrideFile() {
    static QString path;
    return path;
}

// A settings file that is no plain file (a FIFO, a device, a folder) would
// block the read or never end it: such a store holds nothing and takes nothing.
QString firstBlockedFile(const QStringList& files) {
    for (const QString& file : files) {
        const QFileInfo place(file);
        if (place.exists() && !place.isFile()) {
            return file;
        }
    }
    return {};
}

// The files read for a user's store of settings: the program's, then its
// organisation's. The registry has none.
QStringList userSettingsFiles(const QString& organisation, const QString& application) {
#ifdef Q_OS_WIN
    (void)organisation;
    (void)application;
    return {};
#else
    const QString root = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QLatin1Char('/') + organisation;
    return {root + QLatin1Char('/') + application + QStringLiteral(".conf"),
            root + QStringLiteral(".conf")};
#endif
}

std::optional<QString> stringValue(const QSettings& settings, const QString& name) {
    if (!settings.contains(name)) {
        return std::nullopt;
    }
    const QVariant value = settings.value(name);
    if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::QByteArray) {
        throw errors::invalidDataType(name);
    }
    QString text = value.toString();
    // Stored strings end at their first NUL, as registry strings do.
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

} // namespace

void SettingsStore::setOverrideFile(const QString& iniPath) {
    overrideFile() = iniPath;
}

SettingsStore::SettingsStore()
    : blocked_(firstBlockedFile(
          overrideFile().isEmpty()
              ? userSettingsFiles(QStringLiteral("Ulvane"), QStringLiteral("Tarvex"))
              : QStringList{overrideFile()})) {
    if (!blocked_.isEmpty()) {
        return;
    }
    settings_ =
        overrideFile().isEmpty()
            ? std::make_unique<QSettings>(QStringLiteral("Ulvane"), QStringLiteral("Tarvex"))
            : std::make_unique<QSettings>(overrideFile(), QSettings::IniFormat);
}

SettingsStore::~SettingsStore() = default;

bool SettingsStore::isUsable() const {
    return settings_ && settings_->status() == QSettings::NoError;
}

QString SettingsStore::location() const {
    return settings_ ? settings_->fileName() : blocked_;
}

std::optional<QString> SettingsStore::readString(const QString& name) const {
    return settings_ ? stringValue(*settings_, name) : std::nullopt;
}

bool SettingsStore::writeString(const QString& name, const QString& value) {
    if (!settings_) {
        return false;
    }
    settings_->setValue(name, value);
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

std::optional<QString> SettingsStore::readForeignString(const QString& keyPath,
                                                        const QString& name) {
    if (!overrideFile().isEmpty()) {
        if (!firstBlockedFile({overrideFile()}).isEmpty()) {
            return std::nullopt;
        }
        QSettings settings(overrideFile(), QSettings::IniFormat);
        settings.beginGroup(QString(keyPath).replace(QLatin1Char('\\'), QLatin1Char('/')));
        try {
            return stringValue(settings, name);
        } catch (const TarvexError&) {
            return std::nullopt;
        }
    }
#ifdef Q_OS_WIN
    QSettings settings(QStringLiteral("HKEY_CURRENT_USER\\") + keyPath, QSettings::NativeFormat);
#else
    // Elsewhere a program's settings live under the same user store as ours,
    // in a file named after the key's first two components.
    const QStringList parts = QString(keyPath)
                                  .replace(QLatin1Char('\\'), QLatin1Char('/'))
                                  .split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() < 3 || parts.first().compare(QLatin1String("Software"), Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    if (!firstBlockedFile(userSettingsFiles(parts[1], parts[2])).isEmpty()) {
        return std::nullopt;
    }
    QSettings settings(parts[1], parts[2]);
    const QString group = parts.mid(3).join(QLatin1Char('/'));
    if (!group.isEmpty()) {
        settings.beginGroup(group);
    }
#endif
    try {
        return stringValue(settings, name);
    } catch (const TarvexError&) {
        return std::nullopt;
    }
}
