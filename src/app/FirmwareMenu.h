#pragma once

#include <QObject>

class QMenu;
class TForm1;

// The settings menu's firmware commands: the data set matched against a
// firmware file, the firmware's resources taken out, and the data set carried
// over to another firmware version. Each shows its report as the command
// line prints it.
class FirmwareMenu : public QObject {
    Q_OBJECT

public:
    FirmwareMenu(TForm1& window, QMenu& settings);

    void MatchFirmwareClick();
    void ExtractResourcesClick();
    void PortDataSetClick();

private:
    TForm1& window_;
};
