// SPDX-License-Identifier: MIT
#pragma once

#include "firmware/FirmwareScan.h"

#include <QDialog>
#include <QTemporaryDir>
#include <functional>

class MelodyPlayer;
class QLabel;
class QPushButton;
class QTreeWidget;

// What the scan found in a firmware, by kind: address, size, title or game
// name and the table entries pointing at each; pictures drawn, MIDI melodies
// played through the preview player, the selected files extracted.
class FirmwareOverviewDialog : public QDialog {
    Q_OBJECT

public:
    FirmwareOverviewDialog(const QString& path, const FirmwareImage& image,
                           const firmwarescan::Result& result, MelodyPlayer* player,
                           QWidget* parent = nullptr);
    ~FirmwareOverviewDialog() override;

    void done(int result) override;
    // Selects the resource alone in the list, as a click on the map does.
    void selectResource(int index);

private:
    // Plays the selected melody, or stops the one playing.
    void playOrStop();
    void extractSelected();
    const firmwarescan::Resource* current() const;
    std::vector<firmwarescan::Resource> selected() const;
    void selectionChanged();
    bool canPlay(const firmwarescan::Resource* r) const;
    void stopPlaying();
    void playerEnded();

    const FirmwareImage& image_;
    firmwarescan::Result result_;
    MelodyPlayer* player_;
    QTemporaryDir playFolder_;
    const firmwarescan::Resource* played_ = nullptr;
    QString playedFile_;
    std::function<void()> pageOnFinished_; // the melody page's, called on and put back
    QTreeWidget* resources_;
    QLabel* picture_;
    QPushButton* play_;
    QPushButton* extract_;
};
