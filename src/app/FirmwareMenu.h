// SPDX-License-Identifier: MIT
#pragma once

#include "firmware/FirmwareImage.h"

#include <QObject>
#include <QStringList>
#include <optional>

class QMenu;
class WindowHost;

// The settings menu's firmware commands: the data set matched against a
// firmware file, the firmware's resources taken out, the data set carried
// over to another firmware version, patches written over a firmware, the
// patch that undoes them and the picture previews made from it. Each shows its report as the
// command line prints it. Every firmware dialog offers first the file chosen last for the window's
// data set.
class FirmwareMenu : public QObject {
    Q_OBJECT

public:
    FirmwareMenu(WindowHost& window, QMenu& settings);

    void matchFirmware();
    void extractResources();
    void portDataSet();
    void applyPatches();
    void makeRevertPatch();
    void refreshPreviews();

private:
    // What apply and revert ask, in this order: the firmware, the patches,
    // and where their output goes (replaced only when the user agrees).
    struct PatchRun {
        FirmwareSource firmware;
        QStringList patches;
        QString output;
    };
    // Nothing when the user cancels or the output is refused (and told so).
    std::optional<PatchRun> askPatchRun(const QString& saveDialog, const QString& suffix,
                                        const QString& filter) const;
    // Why the applied firmware may not be written to `output`; empty when it may.
    QString outputRefusal(const QString& output, const QString& firmware,
                          const QStringList& patches) const;

    WindowHost& window_;
};
