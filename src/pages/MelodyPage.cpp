// SPDX-License-Identifier: MIT
#include "pages/MelodyPage.h"

#include "desktop/UserDialogs.h"
#include "melodies/MelodyVolumes.h"
#include "pages/MemoryPanel.h"
#include "pages/SlotListView.h"
#include "platform/FileOps.h"
#include "platform/SettingsStore.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const PageNames kNames{
    QStringLiteral("GroupBox1"),
    QStringLiteral("[ Информация о мелодиях ]"),
    QStringLiteral("lvMels"),
    QStringLiteral("GroupBox2"),
    QStringLiteral("[ Редактирование мелодий ]"),
    QStringLiteral("lblMelName"),
    QStringLiteral("Выберите мелодию"),
    QStringLiteral("Label6"),
    QStringLiteral("edtMelFile"),
    QStringLiteral("btnOpenMelody"),
    QStringLiteral("Открыть мелодию"),
    QStringLiteral("lblMelContent"),
    QStringLiteral("btnUseStandardMelody"),
    QStringLiteral("Использовать стандартную мелодию"),
    {QStringLiteral("pnlMelMemory"), QStringLiteral("Label1"), QStringLiteral("lblMemUsed"),
     QStringLiteral("Label3"), QStringLiteral("lblMemLeft"), QStringLiteral("pgMemUsed"),
     QStringLiteral("btnCreateMelPatch")},
};

} // namespace

MelodyPage::MelodyPage(QWidget* parent) : ManagerPage(managers::melodies(), parent) {
    setObjectName(QStringLiteral("tsMelodiesManager"));
    const Skeleton& s = buildListBox(kNames);
    buildEditPanel(kNames);
    QGroupBox* panel = s.editPanel;

    playButton_ = speedButton(QStringLiteral("btnPlayMelody"), QStringLiteral("Проиграть мелодию"),
                              style()->standardIcon(QStyle::SP_MediaPlay), panel);
    s.fileRow->addWidget(playButton_);

    auto* volumeRow = new QHBoxLayout;
    volumeLabel_ = label(QStringLiteral("lblVolume"), QStringLiteral("Громкость:"), panel);
    volumeLabel_->setEnabled(false);
    volume_ = new QSlider(Qt::Horizontal, panel);
    volume_->setObjectName(QStringLiteral("tbVolume"));
    volume_->setRange(melodyvolumes::kMinimum, melodyvolumes::kMaximum);
    volume_->setValue(1);
    volume_->setTickPosition(QSlider::TicksBelow);
    volume_->setTickInterval(8);
    volume_->setEnabled(false);
    volumePercent_ = label(QStringLiteral("lblVolumePercent"), QStringLiteral("0 %"), panel);
    volumePercent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for each text it shows, whichever is widest in the font.
    int widest = 0;
    for (const char* text : {"100%", "0 %", "н/д"}) {
        widest =
            qMax(widest, volumePercent_->fontMetrics().horizontalAdvance(QString::fromUtf8(text)));
    }
    volumePercent_->setMinimumWidth(widest + 4);
    volumeRow->addWidget(volumeLabel_);
    volumeRow->addWidget(volume_, 1);
    volumeRow->addWidget(volumePercent_);
    s.editLayout->addLayout(volumeRow);

    addRestoreButton(kNames);

    // Built but never shown: renaming was never finished.
    QLabel* renameLabel =
        label(QStringLiteral("Label7"), QStringLiteral("Change melody name:"), panel);
    renameEdit_ = lineEdit(QStringLiteral("edtMelName"), QString(), panel);
    renameEdit_->setMaxLength(20);
    renameEdit_->setToolTip(QStringLiteral("Not applicated yet"));
    QPushButton* rename = button(QStringLiteral("BitBtn2"), QStringLiteral("Apply changes"), panel);
    for (QWidget* unused : {static_cast<QWidget*>(renameLabel), static_cast<QWidget*>(renameEdit_),
                            static_cast<QWidget*>(rename)}) {
        unused->setEnabled(false);
        unused->hide();
        s.editLayout->addWidget(unused);
    }

    finishSkeleton(kNames);

    connect(s.openButton, &QToolButton::clicked, this,
            [this] { guarded([this] { openForSelectedSlot(skeleton().fileEdit); }); });
    connect(s.restoreButton, &QPushButton::clicked, this,
            [this] { guarded([this] { restoreStandard(); }); });
    connect(volume_, &QSlider::valueChanged, this,
            [this](int position) { guarded([this, position] { changeVolume(position); }); });
    // A volume the user set is written at once, as every other choice is:
    // when the handle is let go, or after a key, a click beside the handle or
    // the wheel (the value has changed by the time the timer runs).
    connect(volume_, &QSlider::sliderReleased, this, [this] { guarded([this] { saveVolume(); }); });
    connect(volume_, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove || !volume_->isSliderDown()) {
            QTimer::singleShot(0, this, [this] { guarded([this] { saveVolume(); }); });
        }
    });
    connect(s.fileEdit, &QLineEdit::textChanged, this, &MelodyPage::updatePlayButton);
    connect(playButton_, &QToolButton::clicked, this,
            [this] { guarded([this] { playOrStop(); }); });
}

void MelodyPage::startUp() {
    player_ = std::make_unique<MelodyPlayer>(MelodyPlayer::find());
    player_->setOnFinished([this] { showPlaying(false); });
    if (!player_->isAvailable()) {
        playButton_->setEnabled(false);
        playButton_->setToolTip(noPlayerHint());
        // The style's own disabled glyph is hardly lighter than the grey triangle.
        const QPixmap glyph = playButton_->icon().pixmap(playButton_->iconSize());
        QPixmap faded(glyph.size());
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(0.3);
        painter.drawPixmap(0, 0, glyph);
        painter.end();
        QIcon icon = playButton_->icon();
        icon.addPixmap(faded, QIcon::Disabled);
        playButton_->setIcon(icon);
    }
    updatePlayButton();
}

void MelodyPage::updatePlayButton() {
    if (!player_->isAvailable()) {
        playButton_->setEnabled(false); // its tooltip says how to get a player
        return;
    }
    // Stop stays within reach while a melody plays; play only when a slot
    // shows a melody file of its own that the working folder holds.
    const QString file = skeleton().fileEdit->text();
    const bool playable = slotList()->selectedRow() >= 0 && dataSet() != nullptr &&
                          fileops::isSafeBareName(file) &&
                          fileops::exists(dataSet()->workFile(info(), file));
    playButton_->setEnabled(player_->isRunning() || playable);
}

void MelodyPage::saveVolume() {
    if (slotList()->selectedRow() >= 0 && canChangeSlots() && dataSet()->volumesAvailable() &&
        volume_->isEnabled()) {
        dataSet()->saveSlotLists();
    }
}

QString MelodyPage::noPlayerHint() {
    return tr("No melody player was found. Install the MIDI player timidity (sudo apt install "
              "timidity) or write the path of another into the setting %1 of the file %2, then "
              "restart the program.")
        .arg(MelodyPlayer::kMidiPlayerKey, SettingsStore().location());
}

void MelodyPage::shutDown() {
    player_->terminate();
}

void MelodyPage::assignReplacement(int row, const QString& file) {
    assignFileToSlot(row, file, skeleton().fileEdit);
}

void MelodyPage::restoreStandard() {
    restoreSelectedSlot(skeleton().fileEdit, [this](SlotTable& melodies, int row) {
        if (melodies.data().memoryMap().volumePatchAvailable && melodyvolumes::isVolumeSlot(row)) {
            volume_->setValue(melodyvolumes::position(melodies.data(), row));
        }
    });
}

void MelodyPage::changeVolume(int position) {
    volumePercent_->setText(melodyvolumes::percentText(position));
    const int row = slotList()->selectedRow();
    if (row >= 0 && canChangeSlots() && dataSet()->volumesAvailable()) {
        try {
            melodyvolumes::store(*dataSet(), row, position);
        } catch (...) {
            // The selection moved to a slot without a volume: the bar is
            // switched off, which also stops a held click from stepping it
            // again, so the error is shown once and not once per step.
            volume_->setEnabled(false);
            volumeLabel_->setEnabled(false);
            throw;
        }
    }
}

void MelodyPage::playOrStop() {
    if (dataSet() == nullptr || !player_->isAvailable()) {
        return;
    }
    if (player_->isRunning()) {
        player_->terminate();
        showPlaying(false);
        return;
    }
    const QString file = skeleton().fileEdit->text();
    switch (player_->play(dataSet()->workFolder(info()), file)) {
    case MelodyPlayer::Outcome::Started:
        showPlaying(true);
        break;
    case MelodyPlayer::Outcome::CannotPlay:
        UserDialogs::instance().warn(player_->cannotPlayMessage(file));
        break;
    case MelodyPlayer::Outcome::NoFile:
        break;
    }
}

void MelodyPage::showPlaying(bool playing) {
    playButton_->setIcon(
        style()->standardIcon(playing ? QStyle::SP_MediaStop : QStyle::SP_MediaPlay));
    playButton_->setToolTip(playing ? tr("Stop the melody") : QStringLiteral("Проиграть мелодию"));
    updatePlayButton();
}

void MelodyPage::showSelectedSlot() {
    const int row = slotList()->selectedRow();
    if (row < 0) {
        return;
    }
    if (dataSet() != nullptr && dataSet()->volumesAvailable()) {
        showVolumeFor(row);
    }
    skeleton().title->setText(slotList()->cell(row, 0));
    renameEdit_->setText(slotList()->cell(row, 2));
    skeleton().fileEdit->setText(slotList()->cell(row, 1));
    updatePlayButton();
}

void MelodyPage::showNoSlot() {
    skeleton().title->setText(kNames.titleText);
    skeleton().fileEdit->setText(info().placeholder);
    volume_->setEnabled(false);
    volumeLabel_->setEnabled(false);
    updatePlayButton();
}

void MelodyPage::showVolumeFor(int row) {
    const bool volumeSlot = melodyvolumes::isVolumeSlot(row);
    volume_->setEnabled(volumeSlot && canChangeSlots());
    volumeLabel_->setEnabled(volumeSlot);
    if (!volumeSlot) {
        volumePercent_->setText(QStringLiteral("н/д"));
        return;
    }
    const int position = melodyvolumes::position(*dataSet(), row);
    if (volume_->value() == position) {
        volumePercent_->setText(melodyvolumes::percentText(position));
    } else {
        volume_->setValue(position); // changeVolume shows and stores it
    }
}
