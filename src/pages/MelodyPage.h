// SPDX-License-Identifier: MIT
#pragma once

#include "melodies/MelodyPlayer.h"
#include "pages/ManagerPage.h"

#include <memory>

class QLabel;
class QLineEdit;
class QSlider;
class QToolButton;

// The melody page: the melody slots on the left, the edit panel with the
// file, preview and volume controls and the memory gauge on the right. The
// controls carry the names of the design and belong to the page.
class MelodyPage : public ManagerPage {
    Q_OBJECT

public:
    explicit MelodyPage(QWidget* parent = nullptr);

    // Start-up step 1: finds the melody player; without one the play button
    // stays disabled for the whole run, its tooltip saying how to get one.
    void startUp();
    static QString noPlayerHint();
    // The last step of the close: ends the player started last.
    void shutDown();

    void showSelectedSlot() override;

    MelodyPlayer& player() { return *player_; }

protected:
    void showNoSlot() override;
    void assignReplacement(int row, const QString& file) override;

private:
    void restoreStandard();
    // The track bar moved (by the user or the program).
    void changeVolume(int position);
    void playOrStop();
    // The volume controls for a row shown by showSelectedSlot (volume patch only).
    void showVolumeFor(int row);
    // While a melody plays the play button stops it, and shows so.
    void showPlaying(bool playing);
    // The play button on only when it can act: a player, and a melody
    // playing or a slot showing a new melody file.
    void updatePlayButton();
    // The volume lists written, after the user moved the track bar.
    void saveVolume();

    std::unique_ptr<MelodyPlayer> player_ = std::make_unique<MelodyPlayer>();
    QToolButton* playButton_;
    QLabel* volumeLabel_;
    QSlider* volume_;
    QLabel* volumePercent_;
    QLineEdit* renameEdit_; // built but never shown: renaming was never finished
};
