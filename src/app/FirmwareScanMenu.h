// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QMenu;
class QString;
class WindowHost;
namespace firmwareextract {
struct Plan;
}

// Writes the plan's files into folder, then tells the user how many and
// where their list is.
void writeExtracted(const firmwareextract::Plan& plan, const QString& folder);

// The settings menu's look into any firmware, with or without a data set:
// "Firmware overview..." lists what the scan finds, "Create a data set from
// firmware..." drafts a data set from it.
class FirmwareScanMenu : public QObject {
    Q_OBJECT

public:
    FirmwareScanMenu(WindowHost& window, QMenu& settings);

    void showOverview();
    void draftDataSet();

private:
    WindowHost& window_;
};
