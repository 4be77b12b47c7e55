// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <memory>
#include <optional>

class QSettings;

// The program's per-user settings (the registry key on Windows, a config file
// elsewhere): organisation "Ulvane", application "Tarvex", string values only.
class SettingsStore {
public:
    // An explicit INI file instead of the user's store; tests use it.
    static void setOverrideFile(const QString& iniPath);

    SettingsStore();
    ~SettingsStore();

    bool isUsable() const;
    // Where the values are kept, for telling the user (a file, or a registry key).
    QString location() const;
    // Empty when the value is absent; raises "Invalid data type for '%s'" when
    // it holds anything but a string.
    std::optional<QString> readString(const QString& name) const;
    bool writeString(const QString& name, const QString& value);

    // A value under another key of the store's root, for settings of other
    // programs (the melody player's folder).
    static std::optional<QString> readForeignString(const QString& keyPath, const QString& name);

private:
    QString blocked_; // a settings file that cannot be read safely
    std::unique_ptr<QSettings> settings_;
};
