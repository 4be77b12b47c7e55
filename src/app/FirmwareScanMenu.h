// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QMenu;
class TForm1;

// The settings menu's look into any firmware, with or without a data set:
// "Обзор прошивки..." lists what the scan finds, "Создать набор данных из
// прошивки..." drafts a data set from it.
class FirmwareScanMenu : public QObject {
    Q_OBJECT

public:
    FirmwareScanMenu(TForm1& window, QMenu& settings);

    void FirmwareOverviewClick();
    void DraftDataSetClick();

private:
    TForm1& window_;
};
