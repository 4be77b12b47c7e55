// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QStringList>

class QMenu;
class TForm1;

// The settings menu's firmware commands: the data set matched against a
// firmware file, the firmware's resources taken out, the data set carried
// over to another firmware version, patches written over a firmware, the
// patch that undoes them and the picture previews made from it. Each shows its report as the
// command line prints it. Every firmware dialog offers first the file chosen last for the window's
// data set.
class FirmwareMenu : public QObject {
    Q_OBJECT

public:
    FirmwareMenu(TForm1& window, QMenu& settings);

    void MatchFirmwareClick();
    void ExtractResourcesClick();
    void PortDataSetClick();
    void ApplyPatchesClick();
    void RevertPatchClick();
    void RefreshPreviewsClick();

private:
    // Why the applied firmware may not be written to `output`; empty when it may.
    QString outputRefusal(const QString& output, const QString& firmware,
                          const QStringList& patches) const;

    TForm1& window_;
};
