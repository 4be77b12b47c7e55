// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <optional>

class QMenu;
class Report;
class WindowHost;

// The settings menu's checks: the current data set, a patch file, and adding
// a firmware data set. Each shows its report in a dialog, as the command line
// prints it.
class CheckMenu : public QObject {
    Q_OBJECT

public:
    CheckMenu(WindowHost& window, QMenu& settings);

    void checkDataSet();
    void verifyPatch();
    void addFirmware();

private:
    // A free firmware id for the data set in dataFolder, for the user to change.
    static QString proposedId(const QString& dataFolder, const QString& userFolder);
    // Asks until the id is a plain folder name not taken yet; nullopt when cancelled.
    std::optional<QString> askFirmwareId(QString proposed) const;
    void showReport(const QString& caption, const QString& heading, const Report& report);

    WindowHost& window_;
};
